#include "browser/FileList.h"

#include "label/LabelReader.h"
#include "platform/FileFinder.h"
#include "platform/FileStatus.h"
#include "platform/WinTypes.h"
#include "res/StringTable.h"
#include "volume/FileNames.h"

#include <QSet>

#include <algorithm>

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
    Clear();
    if (!m_list)
        return;
    // The columns are read as the entries are listed, so that any message
    // about a label comes in listing order; the rows are ordered after.
    struct Listed {
        CFileItem record;
        QString contentType;
        QString size;
    };
    std::vector<Listed> listed;
    // Equal column texts share one string, as they do in the list: a
    // column holds a few distinct values, not one copy per row.
    QSet<QString> texts;
    const auto shared = [&texts](const QString& text) { return *texts.insert(text); };
    FileFinder finder;
    for (bool more = finder.FindFirst(folder + u'\\' + mask); more; more = finder.FindNext()) {
        const FindEntry& entry = finder.Entry();
        if (entry.name.startsWith(u'.'))
            continue;
        const bool isFolder = (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const QString extension = volume::Extension(entry.name);
        const QString name = volume::DisplayName(entry.name);
        // The record keeps the name on disk: the entry is read and opened
        // by it, beside any names that differ from it only in case.
        CFileItem record(name, folder + u'/' + name, volume::FileType(isFolder, extension), entry.name);
        QString contentType = shared(ContentTypeColumn(isFolder, extension, record));
        QString size = shared(SizeColumn(isFolder, entry.attributes, entry.size, record.DiskPath()));
        listed.push_back({std::move(record), std::move(contentType), std::move(size)});
    }
    finder.Close();
    std::stable_sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) {
        if (const int byFirstByte = Compare(&a.record, &b.record))
            return byFirstByte < 0;
        return QString::compare(a.record.m_strName, b.record.m_strName, Qt::CaseInsensitive) < 0;
    });
    m_records.reserve(listed.size());
    for (Listed& row : listed) {
        const int item = m_list->InsertItem(m_list->GetItemCount(), row.record.m_strName, row.record.m_nType);
        m_list->SetItemText(item, 1, row.contentType);
        m_list->SetItemText(item, 2, row.size);
        m_records.push_back(std::move(row.record));
    }
}

void FileList::Clear()
{
    m_records.clear();
    if (m_list)
        m_list->DeleteAllItems();
}

const CFileItem* FileList::Record(int item) const
{
    return item >= 0 && item < static_cast<int>(m_records.size()) ? &m_records[static_cast<std::size_t>(item)]
                                                                    : nullptr;
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
