// Adding a batch of tree items in one step.

#include "platform/gui/CTreeCtrl.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QStringList Texts(const CTreeCtrl& tree, HTREEITEM parent)
{
    QStringList texts;
    for (HTREEITEM child = tree.GetChildItem(parent); child; child = tree.GetNextSiblingItem(child))
        texts << tree.GetItemText(child);
    return texts;
}

TEST(TreeCtrlBatch, AppendedItemsKeepTheirDataChildrenAndOrder)
{
    CTreeCtrl tree;
    HTREEITEM root = tree.InsertItem("D:");
    tree.InsertItem("first", root);
    int a = 1;
    int b = 2;
    std::vector<std::unique_ptr<QTreeWidgetItem>> batch;
    batch.push_back(CTreeCtrl::NewItem("zeta"));
    tree.SetItemData(batch.back().get(), &a);
    batch.back()->addChild(CTreeCtrl::NewItem("").release());
    batch.push_back(CTreeCtrl::NewItem("Alpha"));
    tree.SetItemData(batch.back().get(), &b);
    batch.push_back(nullptr);  // skipped
    tree.AppendItems(root, std::move(batch));

    EXPECT_EQ(Texts(tree, root), (QStringList{"first", "zeta", "Alpha"}));
    HTREEITEM zeta = root->child(1);
    EXPECT_EQ(tree.GetItemData(zeta), &a);
    EXPECT_EQ(tree.GetItemData(root->child(2)), &b);
    EXPECT_TRUE(tree.ItemHasChildren(zeta));
    EXPECT_FALSE(tree.ItemHasChildren(root->child(2)));
    // A childless item shows no expand button, as with InsertItem.
    EXPECT_EQ(root->child(2)->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless);

    tree.SortChildren(root);
    EXPECT_EQ(Texts(tree, root), (QStringList{"Alpha", "first", "zeta"}));

    // Top-level batches too.
    std::vector<std::unique_ptr<QTreeWidgetItem>> top;
    top.push_back(CTreeCtrl::NewItem("E:"));
    tree.AppendItems(nullptr, std::move(top));
    EXPECT_EQ(tree.topLevelItemCount(), 2);
    EXPECT_EQ(tree.GetRootItem(), root);
}

TEST(TreeCtrlBatch, SortingManyChildrenIsStableAndIgnoresCase)
{
    CTreeCtrl tree;
    HTREEITEM root = tree.InsertItem("D:");
    std::vector<std::unique_ptr<QTreeWidgetItem>> batch;
    for (int i = 999; i >= 0; --i)
        batch.push_back(CTreeCtrl::NewItem(QStringLiteral("%1%2").arg(i % 2 ? "item" : "ITEM").arg(i / 2, 3, 10, QLatin1Char('0'))));
    tree.AppendItems(root, std::move(batch));
    tree.SortChildren(root);
    ASSERT_EQ(root->childCount(), 1000);
    // item499 (odd 999) came before ITEM499 (even 998): equal texts keep
    // their order.
    EXPECT_EQ(tree.GetItemText(root->child(0)), "item000");
    EXPECT_EQ(tree.GetItemText(root->child(1)), "ITEM000");
    EXPECT_EQ(tree.GetItemText(root->child(999)), "ITEM499");
    EXPECT_EQ(tree.GetItemText(root->child(998)), "item499");
}

TEST(TreeCtrlBatch, ABatchTakesThePlaceOfAPlaceholder)
{
    CTreeCtrl tree;
    HTREEITEM root = tree.InsertItem("D:");
    HTREEITEM data = tree.InsertItem("Data", root);
    HTREEITEM placeholder = tree.InsertItem("", data);
    tree.InsertItem("Docs", root);
    int a = 1;
    std::vector<std::unique_ptr<QTreeWidgetItem>> batch;
    batch.push_back(CTreeCtrl::NewItem("Images"));
    tree.SetItemData(batch.back().get(), &a);
    batch.back()->addChild(CTreeCtrl::NewItem("").release());
    batch.push_back(nullptr);  // skipped
    batch.push_back(CTreeCtrl::NewItem("Tables"));
    tree.ReplaceItem(placeholder, std::move(batch));

    // The placeholder's row now is the first item, with its data and its
    // own placeholder; the rest follow it.
    EXPECT_EQ(Texts(tree, data), (QStringList{"Images", "Tables"}));
    EXPECT_EQ(data->child(0), placeholder);
    EXPECT_EQ(tree.GetItemData(placeholder), &a);
    EXPECT_EQ(placeholder->childCount(), 1);
    EXPECT_TRUE(tree.ItemHasChildren(placeholder));
    EXPECT_FALSE(tree.ItemHasChildren(data->child(1)));
    EXPECT_EQ(Texts(tree, root), (QStringList{"Data", "Docs"}));

    // With nothing to put there, the placeholder goes; an item that has
    // children is no placeholder and stays.
    HTREEITEM empty = tree.InsertItem("", data->child(1));
    tree.ReplaceItem(empty, {});
    EXPECT_FALSE(tree.ItemHasChildren(data->child(1)));
    tree.ReplaceItem(placeholder, {});
    EXPECT_EQ(Texts(tree, data), (QStringList{"Images", "Tables"}));
}

TEST(TreeCtrlBatch, ABatchSortsAsTheChildrenDo)
{
    std::vector<std::unique_ptr<QTreeWidgetItem>> batch;
    for (const char* text : {"beta", "Alpha", "ALPHA", "gamma", "alpha"})
        batch.push_back(CTreeCtrl::NewItem(text));
    CTreeCtrl::SortItems(batch);
    QStringList texts;
    for (const auto& item : batch)
        texts << item->text(0);
    EXPECT_EQ(texts, (QStringList{"Alpha", "ALPHA", "alpha", "beta", "gamma"}));

    // Children already in order keep their items and rows.
    CTreeCtrl tree;
    HTREEITEM root = tree.InsertItem("D:");
    tree.AppendItems(root, std::move(batch));
    HTREEITEM first = root->child(0);
    tree.SortChildren(root);
    EXPECT_EQ(Texts(tree, root), texts);
    EXPECT_EQ(root->child(0), first);
}

}  // namespace
