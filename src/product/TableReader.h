#pragma once
// Reads the rows of a table from its mapped data file: fixed-width records
// (binary and character tables) by position, delimited records through an
// index of where each record starts, built once. Any row can be read on
// its own; every member is const and thread-safe.

#include "product/DataFile.h"
#include "product/Product.h"
#include "product/Value.h"

#include <memory>
#include <string_view>
#include <vector>

namespace product {

class TableReader {
public:
    // Checks the table's layout against its file. Throws Error when the
    // label's numbers describe no readable table; a file that is too short
    // is not an error here: problem() names both sizes and rows() counts
    // the whole records that are there.
    TableReader(TableObject table, std::shared_ptr<const DataFile> file);
    // Opens the table's data file too.
    static TableReader Open(const TableObject& table);

    const TableObject& table() const { return m_table; }
    const QString& problem() const { return m_problem; }
    std::int64_t rows() const { return m_rows; }

    // The bytes of record `row` (0-based, < rows()); for delimited tables
    // without its line end.
    std::string_view Record(std::int64_t row) const;

    // Every field of a row, in the order of TableObject::fields.
    void ReadRow(std::int64_t row, std::vector<Value>& values) const;
    Value Cell(std::int64_t row, std::size_t field) const;

    // One field's value from a fixed-width record's bytes. In a character
    // record every field is text, binary-typed ones too.
    static Value DecodeField(const Field& field, std::string_view record, std::int64_t prefixBytes,
                             bool characterRecord = false);
    // One value of a delimited record as text: unquoted, trimmed.
    static Value DecodeDelimited(const Field& field, std::string_view text);
    // Splits a delimited record into its values (quotes removed, doubled
    // quotes inside quoted values made single).
    static void SplitDelimited(std::string_view record, char delimiter, char quote, std::vector<std::string>& parts);

private:
    void IndexRecords();

    TableObject m_table;
    std::shared_ptr<const DataFile> m_file;
    std::int64_t m_rows = 0;
    std::vector<std::int64_t> m_recordStarts;  // delimited: start of each record, then the end of the last
    QString m_problem;
};

}  // namespace product
