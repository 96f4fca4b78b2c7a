#include "product/Pds3Types.h"

#include <QHash>

namespace product {

namespace {

struct BinaryName {
    Encoding encoding;
    ByteOrder order;
    bool vaxG;
};

const QHash<QString, BinaryName>& BinaryNames()
{
    static const QHash<QString, BinaryName> names = [] {
        QHash<QString, BinaryName> map;
        const auto add = [&map](std::initializer_list<const char*> aliases, Encoding encoding, ByteOrder order,
                                bool vaxG = false) {
            for (const char* alias : aliases) {
                map.insert(QString::fromLatin1(alias), BinaryName{encoding, order, vaxG});
            }
        };
        add({"MSB_INTEGER", "INTEGER", "SUN_INTEGER", "MAC_INTEGER"}, Encoding::SignedInt, ByteOrder::Big);
        add({"MSB_UNSIGNED_INTEGER", "UNSIGNED_INTEGER", "SUN_UNSIGNED_INTEGER", "MAC_UNSIGNED_INTEGER"},
            Encoding::UnsignedInt, ByteOrder::Big);
        add({"LSB_INTEGER", "PC_INTEGER", "VAX_INTEGER"}, Encoding::SignedInt, ByteOrder::Little);
        add({"LSB_UNSIGNED_INTEGER", "PC_UNSIGNED_INTEGER", "VAX_UNSIGNED_INTEGER"}, Encoding::UnsignedInt,
            ByteOrder::Little);
        add({"IEEE_REAL", "FLOAT", "REAL", "SUN_REAL", "MAC_REAL"}, Encoding::IeeeReal, ByteOrder::Big);
        add({"PC_REAL"}, Encoding::IeeeReal, ByteOrder::Little);
        add({"VAX_REAL", "VAX_DOUBLE", "VAXD_REAL"}, Encoding::VaxReal, ByteOrder::Little);
        add({"VAXG_REAL"}, Encoding::VaxReal, ByteOrder::Little, true);
        add({"IEEE_COMPLEX", "COMPLEX", "SUN_COMPLEX", "MAC_COMPLEX"}, Encoding::IeeeComplex, ByteOrder::Big);
        add({"PC_COMPLEX"}, Encoding::IeeeComplex, ByteOrder::Little);
        add({"VAX_COMPLEX", "VAXD_COMPLEX"}, Encoding::VaxComplex, ByteOrder::Little);
        add({"VAXG_COMPLEX"}, Encoding::VaxComplex, ByteOrder::Little, true);
        add({"MSB_BIT_STRING", "BIT_STRING"}, Encoding::UnsignedInt, ByteOrder::Big);
        add({"LSB_BIT_STRING", "VAX_BIT_STRING"}, Encoding::UnsignedInt, ByteOrder::Little);
        add({"BOOLEAN"}, Encoding::UnsignedInt, ByteOrder::Big);
        return map;
    }();
    return names;
}

bool SizeFits(Encoding encoding, std::int64_t bytes)
{
    switch (encoding) {
    case Encoding::SignedInt:
    case Encoding::UnsignedInt:
        return bytes == 1 || bytes == 2 || bytes == 4 || bytes == 8;
    case Encoding::IeeeReal:
    case Encoding::VaxReal:
        return bytes == 4 || bytes == 8;
    case Encoding::IeeeComplex:
    case Encoding::VaxComplex:
        return bytes == 8 || bytes == 16;
    }
    return false;
}

}  // namespace

QString Pds3TypeKey(const QString& name)
{
    return name.trimmed().toUpper().replace(QLatin1Char(' '), QLatin1Char('_'));
}

std::optional<ElementType> Pds3BinaryType(const QString& name, std::int64_t bytes)
{
    const auto it = BinaryNames().constFind(Pds3TypeKey(name));
    if (it == BinaryNames().constEnd() || !SizeFits(it->encoding, bytes)) {
        return std::nullopt;
    }
    ElementType type;
    type.encoding = it->encoding;
    type.order = it->order;
    type.vaxG = it->vaxG;
    type.bytes = static_cast<int>(bytes);
    return type;
}

std::optional<FieldKind> Pds3FieldKind(const QString& name, bool asciiTable, std::int64_t bytes, ElementType& element)
{
    const QString key = Pds3TypeKey(name);
    if (key == QLatin1String("CHARACTER") || key == QLatin1String("ASCII_CHARACTER") || key == QLatin1String("CHAR") ||
        key == QLatin1String("N/A")) {
        return FieldKind::AsciiText;
    }
    if (key == QLatin1String("ASCII_REAL") || key == QLatin1String("ASCII_COMPLEX")) {
        return FieldKind::AsciiReal;
    }
    if (key == QLatin1String("ASCII_INTEGER")) {
        return FieldKind::AsciiInteger;
    }
    if (key == QLatin1String("ASCII_UNSIGNED_INTEGER")) {
        return FieldKind::AsciiUnsigned;
    }
    if (key == QLatin1String("DATE") || key == QLatin1String("TIME") || key == QLatin1String("ASCII_DATE") ||
        key == QLatin1String("ASCII_TIME") || key.startsWith(QLatin1String("ASCII_DATE_")) ||
        key == QLatin1String("DATE_TIME")) {
        return FieldKind::AsciiDateTime;
    }
    const auto it = BinaryNames().constFind(key);
    if (it == BinaryNames().constEnd()) {
        return std::nullopt;
    }
    if (asciiTable) {
        if (key == QLatin1String("BOOLEAN")) {
            return FieldKind::AsciiBoolean;
        }
        switch (it->encoding) {
        case Encoding::SignedInt:
            return FieldKind::AsciiInteger;
        case Encoding::UnsignedInt:
            return FieldKind::AsciiUnsigned;
        default:
            return FieldKind::AsciiReal;
        }
    }
    const std::optional<ElementType> type = Pds3BinaryType(name, bytes);
    if (!type) {
        return std::nullopt;
    }
    element = *type;
    return FieldKind::Binary;
}

}  // namespace product
