#include "product/Pds4DataType.h"

#include <array>

namespace product {

namespace {

struct BinaryName {
    const char* name;
    Encoding encoding;
    int bytes;
    ByteOrder order;
};

// Every fixed-size binary type; the byte count is the whole element's (both
// parts of a complex number).
constexpr std::array kBinaryTypes{
    BinaryName{"SignedByte", Encoding::SignedInt, 1, ByteOrder::Big},
    BinaryName{"UnsignedByte", Encoding::UnsignedInt, 1, ByteOrder::Big},
    BinaryName{"SignedMSB2", Encoding::SignedInt, 2, ByteOrder::Big},
    BinaryName{"SignedMSB4", Encoding::SignedInt, 4, ByteOrder::Big},
    BinaryName{"SignedMSB8", Encoding::SignedInt, 8, ByteOrder::Big},
    BinaryName{"SignedLSB2", Encoding::SignedInt, 2, ByteOrder::Little},
    BinaryName{"SignedLSB4", Encoding::SignedInt, 4, ByteOrder::Little},
    BinaryName{"SignedLSB8", Encoding::SignedInt, 8, ByteOrder::Little},
    BinaryName{"UnsignedMSB2", Encoding::UnsignedInt, 2, ByteOrder::Big},
    BinaryName{"UnsignedMSB4", Encoding::UnsignedInt, 4, ByteOrder::Big},
    BinaryName{"UnsignedMSB8", Encoding::UnsignedInt, 8, ByteOrder::Big},
    BinaryName{"UnsignedLSB2", Encoding::UnsignedInt, 2, ByteOrder::Little},
    BinaryName{"UnsignedLSB4", Encoding::UnsignedInt, 4, ByteOrder::Little},
    BinaryName{"UnsignedLSB8", Encoding::UnsignedInt, 8, ByteOrder::Little},
    BinaryName{"IEEE754MSBSingle", Encoding::IeeeReal, 4, ByteOrder::Big},
    BinaryName{"IEEE754MSBDouble", Encoding::IeeeReal, 8, ByteOrder::Big},
    BinaryName{"IEEE754LSBSingle", Encoding::IeeeReal, 4, ByteOrder::Little},
    BinaryName{"IEEE754LSBDouble", Encoding::IeeeReal, 8, ByteOrder::Little},
    BinaryName{"ComplexMSB8", Encoding::IeeeComplex, 8, ByteOrder::Big},
    BinaryName{"ComplexMSB16", Encoding::IeeeComplex, 16, ByteOrder::Big},
    BinaryName{"ComplexLSB8", Encoding::IeeeComplex, 8, ByteOrder::Little},
    BinaryName{"ComplexLSB16", Encoding::IeeeComplex, 16, ByteOrder::Little},
};

Pds4DataType Kind(FieldKind kind, int base = 10)
{
    Pds4DataType type;
    type.kind = kind;
    type.base = base;
    return type;
}

}  // namespace

std::optional<Pds4DataType> LookUpPds4DataType(QStringView name)
{
    for (const BinaryName& binary : kBinaryTypes) {
        if (name == QLatin1String(binary.name)) {
            Pds4DataType type = Kind(FieldKind::Binary);
            type.element = ElementType{binary.encoding, binary.bytes, binary.order};
            return type;
        }
    }
    if (name == u"SignedBitString" || name == u"UnsignedBitString") {
        Pds4DataType type = Kind(FieldKind::BitField);
        type.bitString = true;
        type.bitsSigned = name.startsWith(u"Signed");
        return type;
    }
    if (name == u"ASCII_Real")
        return Kind(FieldKind::AsciiReal);
    if (name == u"ASCII_Integer")
        return Kind(FieldKind::AsciiInteger);
    if (name == u"ASCII_NonNegative_Integer")
        return Kind(FieldKind::AsciiUnsigned);
    if (name == u"ASCII_Boolean")
        return Kind(FieldKind::AsciiBoolean);
    if (name == u"ASCII_Numeric_Base2")
        return Kind(FieldKind::AsciiNumericBase, 2);
    if (name == u"ASCII_Numeric_Base8")
        return Kind(FieldKind::AsciiNumericBase, 8);
    if (name == u"ASCII_Numeric_Base16")
        return Kind(FieldKind::AsciiNumericBase, 16);
    // ASCII_Date, ASCII_Date_DOY, ASCII_Date_Time_YMD_UTC, ..., ASCII_Time.
    if (name.startsWith(u"ASCII_Date") || name == u"ASCII_Time")
        return Kind(FieldKind::AsciiDateTime);
    // ASCII_String, ASCII_AnyURI, ASCII_DOI, ASCII_LID, ASCII_LIDVID,
    // ASCII_MD5_Checksum, ASCII_File_Name, ASCII_Text_Preserved, UTF8_String,
    // UTF8_Text_Preserved, ...: text, kept as it is.
    if (name.startsWith(u"ASCII_") || name.startsWith(u"UTF8_"))
        return Kind(FieldKind::AsciiText);
    return std::nullopt;
}

}  // namespace product
