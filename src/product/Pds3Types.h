#pragma once
// The data types of PDS3 labels (the Standards Reference's Appendix C):
// SAMPLE_TYPE / CORE_ITEM_TYPE of images and qubes, DATA_TYPE of table
// columns, BIT_DATA_TYPE of bit columns, with every alias.

#include "product/Product.h"

#include <optional>

namespace product {

// A binary type of `bytes` bytes ("MSB_INTEGER", "PC_REAL", "VAX_REAL",
// "SUN_UNSIGNED_INTEGER", ...); empty for a name that is not one, or a
// size the type cannot have.
std::optional<ElementType> Pds3BinaryType(const QString& name, std::int64_t bytes);

// How a table column of type `name` is read: in an ASCII table every
// number type (binary ones included) is read as text; in a binary table
// the binary types are Binary with `element` set. Empty for an unknown
// type or a size the type cannot have.
std::optional<FieldKind> Pds3FieldKind(const QString& name, bool asciiTable, std::int64_t bytes, ElementType& element);

// The type name as a lookup key: upper case, spaces as underscores.
QString Pds3TypeKey(const QString& name);

}  // namespace product
