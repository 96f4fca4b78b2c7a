#include "browser/FileList.h"

#include "label/LabelReader.h"
#include "platform/FileFinder.h"
#include "platform/FileStatus.h"
#include "platform/WinTypes.h"
#include "platform/gui/CListCtrl.h"
#include "res/StringTable.h"
#include "volume/CFileItem.h"
#include "volume/FileNames.h"

void FileList::InsertColumns()
{
    if (!m_list)
        return;
    while (m_list->GetColumnCount() > 0)
        m_list->DeleteColumn(0);
    m_list->InsertColumn(0, res::Text(res::TextId::ColumnFileName), Qt::AlignLeft, 120);
    m_list->InsertColumn(1, res::Text(res::TextId::ColumnContentType), Qt::AlignLeft, 90);
    m_list->InsertColumn(2, res::Text(res::TextId::ColumnSize), Qt::AlignRight, 60);
}

void FileList::Fill(const QString& folder, const QString& mask)
{
    if (!m_list)
        return;
    FileFinder finder;
    if (!finder.FindFirst(folder + u'\\' + mask))
        return;
    int next = 0;
    do {
        const FindEntry& entry = finder.Entry();
        if (entry.name.startsWith(u'.'))
            continue;
        const bool isFolder = (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const QString extension = volume::Extension(entry.name);
        const int type = volume::FileType(isFolder, extension);
        const QString name = volume::DisplayName(entry.name);
        const QString path = folder + u'/' + name;
        const int item = m_list->InsertItem(next++, name, type);
        // The record keeps the name on disk: the entry is read and opened
        // by it, beside any names that differ from it only in case.
        CFileItem* record = m_records.Add(name, path, type, entry.name);
        m_list->SetItemData(item, record);
        m_list->SetItemText(item, 1, ContentTypeColumn(isFolder, extension, *record));
        m_list->SetItemText(item, 2, SizeColumn(isFolder, entry.attributes, entry.size, record->DiskPath()));
    } while (finder.FindNext());
    finder.Close();
    m_list->SortItems([](void* a, void* b) {
        return Compare(static_cast<const CFileItem*>(a), static_cast<const CFileItem*>(b));
    });
}

const CFileItem* FileList::Record(int item) const
{
    if (!m_list || item < 0 || item >= m_list->GetItemCount())
        return nullptr;
    const void* data = m_list->GetItemData(item);
    return m_records.Holds(data) ? static_cast<const CFileItem*>(data) : nullptr;
}

void FileList::FreeRecord(int item)
{
    if (m_list)
        m_records.Free(m_list->GetItemData(item));
}

int FileList::Compare(const CFileItem* record1, const CFileItem* record2)
{
    const auto folded = [](const CFileItem* record) {
        int c = record ? volume::FirstByte(record->m_strName) : 0;
        if (c >= 'a' && c <= 'z')
            c -= 32;
        return c;
    };
    return folded(record1) - folded(record2);
}

QString FileList::ContentTypeColumn(bool isFolder, const QString& extension, const CFileItem& record)
{
    if (isFolder)
        return res::Text(res::TextId::FolderContentType);
    // Read by the name on disk; a label it cannot open is reported by its
    // shown path, and gives "".
    if (extension == QLatin1String(".lbl"))
        return GetLabelContentType(record.DiskPath(), record.m_strPath);
    return extension;
}

QString FileList::SizeColumn(bool isFolder, std::uint32_t attributes, std::int64_t size, const QString& path)
{
    if (isFolder)
        return {};
    // The listing gives the size of a link's target; a link whose target
    // is gone has no size to show.
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        FileStatus status;
        if (!platform::GetStatus(path, status))
            return {};
        size = status.size;
    }
    return volume::SizeText(size);
}
