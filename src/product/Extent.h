#pragma once
// Where a data object's bytes lie in its file, computed from the label's
// numbers without ever overflowing, and checked against the file's size
// before anything is read or allocated.

#include "product/Product.h"

#include <cstdint>
#include <optional>

namespace product {

struct ByteSpan {
    std::int64_t first = 0;  // first byte the object uses
    std::int64_t end = 0;    // one past its last byte
};

// The bytes of an array: its offset plus (elements - 1) * stride of every
// axis plus one element. Throws Error when the numbers do not describe an
// array (negative sizes, an element type the decoder does not know) or
// when they overflow 64 bits.
ByteSpan ArraySpan(const ArrayObject& array);

// The bytes of a fixed-width table: offset + rows * recordBytes. Throws
// Error as ArraySpan does, also for a field that does not fit its record.
ByteSpan TableSpan(const TableObject& table);

// Multiplies and adds without overflow; nullopt when the result does not fit.
std::optional<std::int64_t> ExtentMulAdd(std::int64_t a, std::int64_t b, std::int64_t c);

// The message for a file shorter than an object needs: names the object,
// the file and both sizes.
QString ShortFileMessage(const QString& file, const QString& object, std::int64_t needed, std::int64_t size);

}  // namespace product
