// The list and tree controls behind the browser's file list and folder trees.

#include "platform/gui/CListCtrl.h"
#include "platform/gui/CTreeCtrl.h"

#include <QAbstractItemView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList Texts(const CListCtrl& list)
{
    QStringList texts;
    for (int i = 0; i < list.GetItemCount(); ++i)
        texts << list.GetItemText(i, 0);
    return texts;
}

TEST(ListCtrl, ItemsStandWhereTheyAreInserted)
{
    CListCtrl list;
    EXPECT_EQ(list.InsertItem(0, "b.lbl", 2), 0);
    EXPECT_EQ(list.InsertItem(0, "A.lbl", 2), 0);
    EXPECT_EQ(list.InsertItem(9, "_x.lbl", 2), 2);  // past the end: appended
    EXPECT_EQ(list.InsertItem(1, "a2.lbl", 2), 1);
    EXPECT_EQ(Texts(list), (QStringList{"A.lbl", "a2.lbl", "b.lbl", "_x.lbl"}));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST(ListCtrl, SubitemTextsAndColumns)
{
    CListCtrl list;
    list.InsertColumn(0, "File name", Qt::AlignLeft, 120);
    list.InsertColumn(1, "ContentType", Qt::AlignLeft, 90);
    list.InsertColumn(2, "Size", Qt::AlignRight, 60);
    EXPECT_EQ(list.GetColumnCount(), 3);
    const int item = list.InsertItem(0, "Img.lbl", 2);
    EXPECT_TRUE(list.SetItemText(item, 1, "IMAGE"));
    EXPECT_TRUE(list.SetItemText(item, 2, "1KB"));
    EXPECT_FALSE(list.SetItemText(item, 3, "x"));
    EXPECT_EQ(list.GetItemText(item, 1), "IMAGE");
    EXPECT_EQ(list.GetItemImage(item), 2);
    EXPECT_TRUE(list.DeleteColumn(2));
    EXPECT_EQ(list.GetColumnCount(), 2);
}

TEST(ListCtrl, ViewsShareItemsOrderAndSelection)
{
    CListCtrl list;
    list.resize(300, 200);
    for (const char* name : {"c", "b", "a"})
        list.InsertItem(0, name, 0);
    list.SetItemSelected(1, true);
    EXPECT_EQ(list.GetStyle() & CListCtrl::LVS_TYPEMASK, CListCtrl::LVS_SMALLICON);
    list.ModifyStyle(CListCtrl::LVS_TYPEMASK, CListCtrl::LVS_REPORT);
    EXPECT_EQ(list.ActiveView()->model()->rowCount(), 3);
    EXPECT_TRUE(list.IsItemSelected(1));
    list.ModifyStyle(CListCtrl::LVS_TYPEMASK, CListCtrl::LVS_LIST);
    EXPECT_TRUE(list.IsItemSelected(1));
    EXPECT_EQ(Texts(list), (QStringList{"a", "b", "c"}));
}

TEST(ListCtrl, LongNamesAreNotCutToTheWidthOfAShortOne)
{
    CListCtrl list;
    list.resize(600, 300);
    list.show();
    // Whichever item is measured, a long name must still show in full
    // wherever it fits: in the small-icon grid cell and in list view.
    list.InsertItem(0, "Bareadme.txt", 0);
    list.InsertItem(1, "Cd", 0);
    QAbstractItemView* view = list.ActiveView();
    const QModelIndex longItem = view->model()->index(0, 0);
    ASSERT_EQ(view->model()->data(longItem).toString(), "Bareadme.txt");
    const int textWidth = view->fontMetrics().horizontalAdvance("Bareadme.txt");
    QCoreApplication::processEvents();
    EXPECT_GT(view->visualRect(longItem).width(), textWidth);

    list.ModifyStyle(CListCtrl::LVS_TYPEMASK, CListCtrl::LVS_LIST);
    view = list.ActiveView();
    QCoreApplication::processEvents();
    EXPECT_GT(view->visualRect(longItem).width(), textWidth);
}

TEST(ListCtrl, ClicksReportItemChangesAndDoubleClicksAnywhere)
{
    CListCtrl list;
    list.resize(400, 300);
    list.show();
    for (const char* name : {"a", "b", "c"})
        list.InsertItem(0, name, 0);
    int lastItem = -1;
    int doubleClicks = 0;
    QObject::connect(&list, &CListCtrl::itemChanged, [&](int item, int) { lastItem = item; });
    QObject::connect(&list, &CListCtrl::dblClk, [&] { ++doubleClicks; });

    QAbstractItemView* view = list.ActiveView();
    const QPoint onB = view->visualRect(view->model()->index(1, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, onB);
    EXPECT_EQ(lastItem, 1);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, onB);
    EXPECT_EQ(doubleClicks, 1);

    // A click on empty space deselects b: the latest change is b's.
    const QPoint empty(view->viewport()->width() - 2, view->viewport()->height() - 2);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, empty);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, empty);
    EXPECT_EQ(doubleClicks, 2);
    EXPECT_EQ(lastItem, 1);
    EXPECT_FALSE(list.IsItemSelected(1));
}

TEST(TreeCtrl, SelectionAndExpansionAreReportedSynchronously)
{
    CTreeCtrl tree;
    QStringList events;
    QObject::connect(&tree, &CTreeCtrl::selChanged, [&](QTreeWidgetItem* item) { events << "sel " + item->text(0); });
    QObject::connect(&tree, &CTreeCtrl::itemExpanding,
                     [&](QTreeWidgetItem* item, bool open) { events << (open ? "open " : "close ") + item->text(0); });
    HTREEITEM root = tree.InsertItem("D:");
    HTREEITEM data = tree.InsertItem("Data", root);
    tree.InsertItem("", data);  // placeholder

    tree.SelectItem(root);
    tree.SelectItem(root);  // no move, no notification
    tree.Expand(root);
    tree.SelectItem(data);
    EXPECT_EQ(events, (QStringList{"sel D:", "open D:", "sel Data"}));
    EXPECT_EQ(tree.GetSelectedItem(), data);
    EXPECT_EQ(tree.GetParentItem(data), root);
    EXPECT_EQ(tree.GetChildItem(root), data);
    EXPECT_TRUE(tree.ItemHasChildren(data));
}

TEST(TreeCtrl, SortChildrenIgnoresCaseAndKeepsTheSelection)
{
    CTreeCtrl tree;
    HTREEITEM root = tree.InsertItem("D:");
    for (const char* name : {"document", "Catalog", "DATA", "apple"})
        tree.InsertItem(name, root);
    tree.SelectItem(tree.GetChildItem(root));
    int selections = 0;
    QObject::connect(&tree, &CTreeCtrl::selChanged, [&](QTreeWidgetItem*) { ++selections; });
    tree.SortChildren(root);
    QStringList order;
    for (HTREEITEM child = tree.GetChildItem(root); child; child = tree.GetNextSiblingItem(child))
        order << tree.GetItemText(child);
    EXPECT_EQ(order, (QStringList{"apple", "Catalog", "DATA", "document"}));
    EXPECT_EQ(tree.GetItemText(tree.GetSelectedItem()), "document");
    EXPECT_EQ(selections, 0);
}

TEST(TreeCtrl, ItemDataRoundTrips)
{
    CTreeCtrl tree;
    int value = 7;
    HTREEITEM item = tree.InsertItem("x");
    EXPECT_EQ(tree.GetItemData(item), nullptr);
    tree.SetItemData(item, &value);
    EXPECT_EQ(tree.GetItemData(item), &value);
    EXPECT_TRUE(tree.DeleteItem(item));
    EXPECT_EQ(tree.GetRootItem(), nullptr);
}

}  // namespace
