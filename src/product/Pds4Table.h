#pragma once
// The tables of a PDS4 file area: Table_Binary (with Group_Field_Binary
// repetitions and Packed_Data_Fields bit fields), Table_Character and
// Table_Delimited (and a collection's Inventory, which is one), their groups
// flattened into one field per stored value.

#include "product/Product.h"
#include "product/XmlElement.h"

#include <QStringList>

#include <optional>

namespace product {

// Whether an element of a file area is a table class.
bool IsPds4TableClass(const QString& name);

// A table's records hold at most this many values (fields after groups are
// flattened); a label claiming more is not read.
inline constexpr std::int64_t kMaxPds4TableValues = 100000;

// Describes one table element whose data lie in `dataFile`; nothing (after
// a warning) when the label does not describe it well enough to be read.
std::optional<TableObject> ReadPds4Table(const XmlElement& element, const QString& dataFile, QStringList& warnings);

}  // namespace product
