#pragma once
// A tree view in the manner of the Windows tree control: items carry a
// pointer as item data, children are read lazily by the owner (which is
// told before an item expands or collapses), and selection changes are
// reported synchronously, also when the program itself selects an item.

#include <QTreeWidget>

#include <memory>
#include <vector>

using HTREEITEM = QTreeWidgetItem*;

class CTreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CTreeCtrl(QWidget* parent = nullptr);

    // Appends an item under parent (null: top level) and returns it.
    HTREEITEM InsertItem(const QString& text, HTREEITEM parent = nullptr);
    // An item made as InsertItem makes it, not yet in the tree: it may get
    // item data and children of its own before AppendItems hands a whole
    // batch of them to a parent in one step (a wide folder then costs one
    // update of the view instead of one per item).
    static std::unique_ptr<QTreeWidgetItem> NewItem(const QString& text);
    void AppendItems(HTREEITEM parent, std::vector<std::unique_ptr<QTreeWidgetItem>> items);
    // Puts a batch of items where a childless item (a placeholder) is: the
    // item keeps its row and takes over the first one's text, item data and
    // children, and the others follow it in one step; without items it is
    // deleted. Removing a row costs Qt time that grows with every open item
    // above it, so a tree read folder by folder, each replacing its
    // placeholder, must not remove a row for every folder.
    void ReplaceItem(HTREEITEM placeholder, std::vector<std::unique_ptr<QTreeWidgetItem>> items);
    bool DeleteItem(HTREEITEM item);
    void DeleteAllItems();

    void SetItemData(HTREEITEM item, void* data);
    void* GetItemData(HTREEITEM item) const;
    QString GetItemText(HTREEITEM item) const;

    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetParentItem(HTREEITEM item) const;
    HTREEITEM GetSelectedItem() const;
    bool ItemHasChildren(HTREEITEM item) const;

    // Makes item the caret selection; the selection-changed notification
    // runs before this returns (only when the selection moves).
    bool SelectItem(HTREEITEM item);
    // Expands item; the item-expanding notification runs first.
    bool Expand(HTREEITEM item);
    // Expands item and every item below it that has children, without
    // notifications (the owner has read them all before), laying the view
    // out once at the end.
    void ExpandAll(HTREEITEM item);
    // Sorts the direct children of item (null: top level) by their text,
    // without regard to case; not recursive, stable. Children already in
    // that order are left as they are.
    void SortChildren(HTREEITEM item);
    // Sorts a batch of items not yet in the tree the same way, so that a
    // batch sorted before it goes in needs no sort of the tree's items.
    static void SortItems(std::vector<std::unique_ptr<QTreeWidgetItem>>& items);

signals:
    // TVN_SELCHANGED: the selection moved to item (never null).
    void selChanged(QTreeWidgetItem* item);
    // TVN_ITEMEXPANDING: item is about to open (expanding) or close.
    void itemExpanding(QTreeWidgetItem* item, bool expanding);
    // The user asked for item and everything below it to open (keypad
    // "*"): the owner reads what it must and calls ExpandAll.
    void expandAllRequested(QTreeWidgetItem* item);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The item, or for null the invisible root that holds the top-level items.
    QTreeWidgetItem* ItemOrRoot(HTREEITEM item) const { return item ? item : invisibleRootItem(); }
    void OnCurrentItemChanged(QTreeWidgetItem* current);
    bool m_quiet = false;  // true while the control rearranges its own items
};
