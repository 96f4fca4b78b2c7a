#pragma once
// The data types of the PDS4 Information Model (Element_Array and the
// Field_* classes) as the product model describes them.

#include "product/Product.h"

#include <QStringView>

#include <optional>

namespace product {

struct Pds4DataType {
    FieldKind kind = FieldKind::AsciiText;
    ElementType element;     // Binary kinds: the stored encoding
    int base = 10;           // AsciiNumericBase
    bool bitString = false;  // SignedBitString / UnsignedBitString
    bool bitsSigned = false;

    // A binary number with a fixed size: the kinds an array may hold.
    bool IsBinaryNumber() const { return kind == FieldKind::Binary; }
};

// The type a `data_type` value names, or nothing for a name the Information
// Model does not have.
std::optional<Pds4DataType> LookUpPds4DataType(QStringView name);

}  // namespace product
