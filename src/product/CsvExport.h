#pragma once
// Writes a table, or a 1-D array, as CSV: a header row of field names, then
// one line per record. The file is written whole or not at all.

#include "product/ArrayReader.h"
#include "product/TableReader.h"

namespace product {

// Throws Error naming the file when it cannot be written.
void WriteTableCsv(const TableReader& table, const QString& path);
// A 1-D array: a header with the array's name, one value per line. Throws
// Error for arrays of more than one axis.
void WriteArrayCsv(const ArrayReader& array, const QString& path);

// Appends a CSV cell, in double quotes when it holds a comma, a quote or a
// line end.
void AppendCsvCell(std::string& out, std::string_view cell);

}  // namespace product
