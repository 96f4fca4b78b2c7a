#pragma once
// Describes one PDS3 table: every object with COLUMN children (TABLE,
// SERIES, TIME_SERIES, SPECTRUM, INDEX_TABLE, *_TABLE, ...) and SPREADSHEET
// with FIELDs; columns with ITEMS, BIT_COLUMNs, CONTAINERs with
// REPETITIONS and columns included with ^STRUCTURE, flattened into fields
// in the order of their bytes.

#include "product/OdlLabel.h"
#include "product/Product.h"

#include <deque>
#include <optional>

namespace product {

class Pds3Table {
public:
    // `labelFolder` is where ^STRUCTURE files are looked for first;
    // `recordBytes` the file's RECORD_BYTES (0 for none), used when a table
    // gives no ROW_BYTES. Warnings go to `warnings`.
    Pds3Table(QString labelFolder, std::int64_t recordBytes, QStringList& warnings);

    // Whether `block` describes a table (it has COLUMN, CONTAINER or FIELD
    // children, or includes them with ^STRUCTURE).
    static bool IsTable(const OdlBlock& block);

    // The table of `block`, its records starting at `offset` of `dataFile`;
    // empty (with a warning) when it cannot be described.
    std::optional<TableObject> Describe(const OdlBlock& block, const QString& dataFile, std::int64_t offset);

private:
    struct Pending {
        Field field;
        int column = 0;
    };

    // `block`'s children with ^STRUCTURE includes put in place.
    std::vector<const OdlBlock*> Children(const OdlBlock& block, int depth);
    void Collect(const OdlBlock& block, std::int64_t base, int depth, TableObject& table);
    // Copies the fields pending[first, end) of a container's first
    // repetition `shift` bytes on; false when they leave the row or the
    // field limit.
    bool RepeatLast(std::size_t first, std::size_t end, std::int64_t shift, TableObject& table);
    void AddColumn(const OdlBlock& column, std::int64_t base, TableObject& table);
    void AddBitColumns(const OdlBlock& column, const Field& container, std::int64_t items, std::int64_t itemOffset,
                       TableObject& table);
    int LogicalColumn(const OdlBlock& block, const QString& name, TableObject& table);
    void Warn(int line, const QString& what);

    QString m_labelFolder;
    std::int64_t m_recordBytes = 0;
    QStringList& m_warnings;
    QString m_tableName;
    bool m_ascii = true;
    bool m_delimited = false;
    int m_nextDelimited = 0;
    bool m_tooMany = false;
    std::vector<Pending> m_pending;
    std::vector<const OdlBlock*> m_columnBlocks;  // the block of each logical column
    std::deque<OdlLabel> m_included;              // parsed ^STRUCTURE files, kept while their blocks are used
};

}  // namespace product
