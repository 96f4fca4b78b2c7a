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

}  // namespace
