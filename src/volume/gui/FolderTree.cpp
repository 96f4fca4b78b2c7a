#include "volume/gui/FolderTree.h"

#include "platform/FileFinder.h"
#include "platform/WinTypes.h"
#include "volume/CFileItem.h"
#include "volume/FileNames.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

// A folder item and the record it owns, or the placeholder of a folder not
// read yet: no text, no record.
class FolderItem : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;

    FolderItem() : QTreeWidgetItem(QStringList{QString()}, kType)
    {
        setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    }
    FolderItem(const QString& text, const QString& name, const QString& path, bool withPlaceholder = true)
        : QTreeWidgetItem(QStringList{text}, kType), m_record(std::make_unique<CFileItem>(name, path, CFileItem::Folder))
    {
        setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
        if (withPlaceholder)
            addChild(std::make_unique<FolderItem>().release());  // not read yet; owned by this item
    }

    CFileItem* Record() const { return m_record.get(); }
    void FreeRecord() { m_record.reset(); }
    // A placeholder about to take over another item's row content takes
    // its record along (the tree control moves the text, data and children).
    void TakeRecordOf(FolderItem& other) { m_record = std::move(other.m_record); }

    static FolderItem* Of(QTreeWidgetItem* item)
    {
        return item && item->type() == kType ? static_cast<FolderItem*>(item) : nullptr;
    }

private:
    std::unique_ptr<CFileItem> m_record;
};

bool IsPlaceholder(const CTreeCtrl& tree, QTreeWidgetItem* item)
{
    const FolderItem* folder = FolderItem::Of(item);
    return folder && !folder->Record() && tree.GetItemText(item).isEmpty();
}

}  // namespace

HTREEITEM FolderTree::AddTopLevel(const QString& text, const QString& path, bool withPlaceholder)
{
    if (!m_tree)
        return nullptr;
    auto item = std::make_unique<FolderItem>(text, QString(), path, withPlaceholder);
    m_tree->SetItemData(item.get(), item->Record());
    HTREEITEM added = item.get();
    std::vector<std::unique_ptr<QTreeWidgetItem>> batch;
    batch.push_back(std::move(item));
    m_tree->AppendItems(nullptr, std::move(batch));
    return added;
}

const CFileItem* FolderTree::Record(HTREEITEM item) const
{
    const FolderItem* folder = FolderItem::Of(item);
    return folder ? folder->Record() : nullptr;
}

bool FolderTree::IsUnread(HTREEITEM item) const
{
    return m_tree && item && IsPlaceholder(*m_tree, m_tree->GetChildItem(item));
}

bool FolderTree::ReadSubfolders(HTREEITEM item)
{
    const CFileItem* record = Record(item);
    if (!m_tree || !record)
        return true;
    // A folder read for the first time still holds its placeholder: the
    // new items take its row (none: it goes). Removing rows costs time that
    // grows with the open folders above, which a deep tree read folder by
    // folder must not pay at every level.
    auto* placeholder = IsUnread(item) ? FolderItem::Of(m_tree->GetChildItem(item)) : nullptr;
    const QString folderPath = record->m_strPath;
    FileFinder finder;
    if (!finder.FindFirst(folderPath + QLatin1String("\\*"))) {
        m_tree->ReplaceItem(placeholder, {});
        return !finder.PathTooLong();
    }
    // The new items are made first and added after the existing children
    // in one step, sorted, so that the tree needs no sort of its own.
    std::vector<std::unique_ptr<QTreeWidgetItem>> children;
    do {
        const FindEntry& entry = finder.Entry();
        // Dot-names are hidden; only plain folders count, so links to
        // folders (and anything else with more bits) never show.
        if (entry.name.startsWith(u'.') || entry.attributes != FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const QString name = volume::DisplayName(entry.name);
        auto child = std::make_unique<FolderItem>(name, name, folderPath + u'/' + name);
        m_tree->SetItemData(child.get(), child->Record());
        children.push_back(std::move(child));
    } while (finder.FindNext());
    finder.Close();
    CTreeCtrl::SortItems(children);
    if (placeholder) {
        if (!children.empty())
            placeholder->TakeRecordOf(*FolderItem::Of(children.front().get()));
        m_tree->ReplaceItem(placeholder, std::move(children));
    } else {
        m_tree->AppendItems(item, std::move(children));
    }
    m_tree->SortChildren(item);
    return true;
}

void FolderTree::FreeRecords(HTREEITEM item)
{
    if (!m_tree || !item)
        return;
    // The item, its descendants, and every following sibling with its
    // descendants. Walked with an explicit stack, so neither wide folders
    // nor deep trees cost more than one visit per item.
    QTreeWidgetItem* parent = item->parent() ? item->parent() : m_tree->invisibleRootItem();
    std::vector<QTreeWidgetItem*> pending;
    for (int i = parent->childCount() - 1, first = parent->indexOfChild(item); i >= first && first >= 0; --i)
        pending.push_back(parent->child(i));
    while (!pending.empty()) {
        QTreeWidgetItem* current = pending.back();
        pending.pop_back();
        if (FolderItem* folder = FolderItem::Of(current))
            folder->FreeRecord();
        m_tree->SetItemData(current, nullptr);
        for (int i = current->childCount() - 1; i >= 0; --i)
            pending.push_back(current->child(i));
    }
}
