#include "platform/gui/CTreeCtrl.h"

#include <QHeaderView>
#include <QKeyEvent>

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
    header()->setResizeContentsPrecision(100);
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

std::unique_ptr<QTreeWidgetItem> CTreeCtrl::NewItem(const QString& text)
{
    auto item = std::make_unique<QTreeWidgetItem>(QStringList{text});
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    return item;
}

HTREEITEM CTreeCtrl::InsertItem(const QString& text, HTREEITEM parent)
{
    QTreeWidgetItem* item = NewItem(text).release();  // owned by the tree below
    ItemOrRoot(parent)->addChild(item);
    return item;
}

void CTreeCtrl::AppendItems(HTREEITEM parent, std::vector<std::unique_ptr<QTreeWidgetItem>> items)
{
    QList<QTreeWidgetItem*> batch;
    batch.reserve(static_cast<qsizetype>(items.size()));
    for (std::unique_ptr<QTreeWidgetItem>& item : items) {
        if (item)
            batch.append(item.release());  // owned by the tree below
    }
    ItemOrRoot(parent)->addChildren(batch);
}

void CTreeCtrl::ReplaceItem(HTREEITEM placeholder, std::vector<std::unique_ptr<QTreeWidgetItem>> items)
{
    if (!placeholder || placeholder->childCount() > 0)
        return;
    std::erase(items, nullptr);
    if (items.empty()) {
        DeleteItem(placeholder);
        return;
    }
    std::unique_ptr<QTreeWidgetItem> first = std::move(items.front());
    items.erase(items.begin());
    placeholder->setFlags(first->flags());
    placeholder->setChildIndicatorPolicy(first->childIndicatorPolicy());
    placeholder->setText(0, first->text(0));
    placeholder->setData(0, kDataRole, first->data(0, kDataRole));
    placeholder->addChildren(first->takeChildren());  // owned by the tree now

    QList<QTreeWidgetItem*> batch;
    batch.reserve(static_cast<qsizetype>(items.size()));
    for (std::unique_ptr<QTreeWidgetItem>& item : items)
        batch.append(item.release());  // owned by the tree below
    QTreeWidgetItem* parent = ItemOrRoot(placeholder->parent());
    parent->insertChildren(parent->indexOfChild(placeholder) + 1, batch);
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

HTREEITEM CTreeCtrl::GetRootItem() const { return topLevelItem(0); }

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const { return ItemOrRoot(item)->child(0); }

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const
{
    if (!item)
        return nullptr;
    QTreeWidgetItem* parent = ItemOrRoot(item->parent());
    return parent->child(parent->indexOfChild(item) + 1);
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

void CTreeCtrl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Asterisk && currentItem()) {
        emit expandAllRequested(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CTreeCtrl::ExpandAll(HTREEITEM item)
{
    if (!item)
        return;
    // With a layout pending, the view only notes each expanded item; the
    // one layout afterwards places them all.
    scheduleDelayedItemsLayout();
    m_quiet = true;
    std::vector<QTreeWidgetItem*> pending{item};
    while (!pending.empty()) {
        QTreeWidgetItem* current = pending.back();
        pending.pop_back();
        if (current->childCount() == 0)
            continue;
        current->setExpanded(true);
        for (int i = current->childCount() - 1; i >= 0; --i)
            pending.push_back(current->child(i));
    }
    m_quiet = false;
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

namespace {

bool TextLess(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; }

}  // namespace

void CTreeCtrl::SortChildren(HTREEITEM item)
{
    QTreeWidgetItem* parent = ItemOrRoot(item);
    // Each text is read once, not once per comparison.
    std::vector<std::pair<QString, QTreeWidgetItem*>> keyed;
    keyed.reserve(static_cast<std::size_t>(parent->childCount()));
    for (int i = 0; i < parent->childCount(); ++i)
        keyed.emplace_back(parent->child(i)->text(0), parent->child(i));
    // Taking the children out and putting them back removes their rows,
    // which costs time that grows with the open items above them: children
    // already in order stay.
    if (std::is_sorted(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return TextLess(a.first, b.first); }))
        return;
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return TextLess(a.first, b.first); });
    m_quiet = true;
    const QSignalBlocker blocker(this);
    QTreeWidgetItem* selected = currentItem();
    QList<QTreeWidgetItem*> children = parent->takeChildren();
    for (std::size_t i = 0; i < keyed.size(); ++i)
        children[static_cast<qsizetype>(i)] = keyed[i].second;
    parent->addChildren(children);
    if (selected && currentItem() != selected)
        setCurrentItem(selected);
    m_quiet = false;
}

void CTreeCtrl::SortItems(std::vector<std::unique_ptr<QTreeWidgetItem>>& items)
{
    std::vector<std::pair<QString, std::unique_ptr<QTreeWidgetItem>>> keyed;
    keyed.reserve(items.size());
    for (std::unique_ptr<QTreeWidgetItem>& item : items) {
        QString text = item ? item->text(0) : QString();
        keyed.emplace_back(std::move(text), std::move(item));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return TextLess(a.first, b.first); });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        items[i] = std::move(keyed[i].second);
}

void CTreeCtrl::OnCurrentItemChanged(QTreeWidgetItem* current)
{
    if (current && !m_quiet)
        emit selChanged(current);
}
