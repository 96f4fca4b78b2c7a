#include "platform/gui/CTreeCtrl.h"

#include <QHeaderView>

#include <algorithm>

namespace {
constexpr int kDataRole = Qt::UserRole + 1;
}

CTreeCtrl::CTreeCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnCurrentItemChanged(current); });
    // The user opening or closing an item: the owner fills it before the
    // children are looked at (a placeholder child keeps the expander shown).
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (!m_quiet)
            emit itemExpanding(item, true);
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (!m_quiet)
            emit itemExpanding(item, false);
    });
}

HTREEITEM CTreeCtrl::InsertItem(const QString& text, HTREEITEM parent)
{
    auto* item = new QTreeWidgetItem(QStringList{text});  // owned by the tree below
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    if (parent)
        parent->addChild(item);
    else
        addTopLevelItem(item);
    return item;
}

bool CTreeCtrl::DeleteItem(HTREEITEM item)
{
    if (!item)
        return false;
    delete item;  // a tree item is owned by its parent item or the tree
    return true;
}

void CTreeCtrl::DeleteAllItems()
{
    const QSignalBlocker blocker(this);
    clear();
}

void CTreeCtrl::SetItemData(HTREEITEM item, void* data)
{
    if (item)
        item->setData(0, kDataRole, QVariant::fromValue(reinterpret_cast<quintptr>(data)));
}

void* CTreeCtrl::GetItemData(HTREEITEM item) const
{
    return item ? reinterpret_cast<void*>(item->data(0, kDataRole).value<quintptr>()) : nullptr;
}

QString CTreeCtrl::GetItemText(HTREEITEM item) const { return item ? item->text(0) : QString(); }

HTREEITEM CTreeCtrl::GetRootItem() const { return topLevelItemCount() ? topLevelItem(0) : nullptr; }

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const
{
    if (!item)
        return GetRootItem();
    return item->childCount() ? item->child(0) : nullptr;
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const
{
    if (!item)
        return nullptr;
    if (QTreeWidgetItem* parent = item->parent()) {
        const int index = parent->indexOfChild(item);
        return index + 1 < parent->childCount() ? parent->child(index + 1) : nullptr;
    }
    const int index = indexOfTopLevelItem(item);
    return index + 1 < topLevelItemCount() ? topLevelItem(index + 1) : nullptr;
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const { return item ? item->parent() : nullptr; }

HTREEITEM CTreeCtrl::GetSelectedItem() const { return currentItem(); }

bool CTreeCtrl::ItemHasChildren(HTREEITEM item) const { return item && item->childCount() > 0; }

bool CTreeCtrl::SelectItem(HTREEITEM item)
{
    if (!item)
        return false;
    setCurrentItem(item);
    return true;
}

bool CTreeCtrl::Expand(HTREEITEM item)
{
    if (!item)
        return false;
    emit itemExpanding(item, true);
    m_quiet = true;
    item->setExpanded(true);
    m_quiet = false;
    return true;
}

void CTreeCtrl::SortChildren(HTREEITEM item)
{
    QTreeWidgetItem* parent = item ? item : invisibleRootItem();
    m_quiet = true;
    const QSignalBlocker blocker(this);
    QTreeWidgetItem* selected = currentItem();
    QList<QTreeWidgetItem*> children = parent->takeChildren();
    std::stable_sort(children.begin(), children.end(), [](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        return QString::compare(a->text(0), b->text(0), Qt::CaseInsensitive) < 0;
    });
    parent->addChildren(children);
    if (selected && currentItem() != selected)
        setCurrentItem(selected);
    m_quiet = false;
}

void CTreeCtrl::OnCurrentItemChanged(QTreeWidgetItem* current)
{
    if (current && !m_quiet)
        emit selChanged(current);
}
