#pragma once
// The browser's file list over a list control: its three columns, the
// listing of one folder, and the records of its items. Each listed entry
// shows its display name with the icon of its kind, then its content type
// ("FOLDER", a label's content type, or the extension) and its size; the
// rows are ordered by the first byte of their names (see Compare). The list
// owns the record of each row, in row order, until it is cleared or filled
// again.

#include "platform/gui/CListCtrl.h"
#include "volume/CFileItem.h"

#include <QPointer>
#include <QString>

#include <cstdint>
#include <vector>

class FileList {
public:
    FileList() = default;
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;

    // The control the list fills; null when its window has none.
    void Attach(CListCtrl* list) { m_list = list; }

    // "File Name", "Content Type" (left aligned) and "Size" (right aligned),
    // in place of any columns before.
    void InsertColumns();
    // Lists the entries of folder (a drive path) that match mask, but for
    // dot-names, in place of the rows before, in the list's order.
    void Fill(const QString& folder, const QString& mask);
    // Removes every row and its record.
    void Clear();

    // The record of an item; null for an index out of range.
    const CFileItem* Record(int item) const;

    // The list's order: by the first byte of the display name, with the
    // ASCII letters folded to upper case; negative, 0 or positive. A
    // missing record counts as the byte 0. Names with the same first byte
    // stand by name without regard to case, then in listing order.
    static int Compare(const CFileItem* record1, const CFileItem* record2);

private:
    static QString ContentTypeColumn(bool isFolder, const QString& extension, const CFileItem& record);
    static QString SizeColumn(bool isFolder, std::uint32_t attributes, std::int64_t size, const QString& path);

    QPointer<CListCtrl> m_list;
    std::vector<CFileItem> m_records;  // one per row, in row order
};
