#include "product/Extent.h"

#include "product/ElementCodec.h"

namespace product {

namespace {

QString Describe(const QString& name)
{
    return name.isEmpty() ? QStringLiteral("the unnamed object") : QStringLiteral("object ") + name;
}

Error Bad(const QString& file, const QString& name, const QString& what)
{
    return Error{file + QStringLiteral(": ") + Describe(name) + QStringLiteral(": ") + what};
}

}  // namespace

std::optional<std::int64_t> ExtentMulAdd(std::int64_t a, std::int64_t b, std::int64_t c)
{
    std::int64_t product = 0;
    std::int64_t sum = 0;
    if (__builtin_mul_overflow(a, b, &product) || __builtin_add_overflow(product, c, &sum))
        return std::nullopt;
    return sum;
}

ByteSpan ArraySpan(const ArrayObject& array)
{
    if (!IsDecodable(array.element))
        throw Bad(array.dataFile, array.name,
                  QStringLiteral("elements of %1 bytes in this encoding cannot be decoded").arg(array.element.bytes));
    if (array.offset < 0)
        throw Bad(array.dataFile, array.name, QStringLiteral("negative offset %1").arg(array.offset));
    if (array.axes.empty())
        throw Bad(array.dataFile, array.name, QStringLiteral("no axes"));
    ByteSpan span{array.offset, array.offset};
    std::int64_t low = array.offset;
    std::int64_t high = array.offset;
    for (const Axis& axis : array.axes) {
        if (axis.elements < 0)
            throw Bad(array.dataFile, array.name,
                      QStringLiteral("axis %1 has %2 elements").arg(axis.name).arg(axis.elements));
        if (axis.elements == 0)
            return span;  // no elements at all
        const auto reach = ExtentMulAdd(axis.elements - 1, axis.strideBytes, 0);
        if (!reach)
            throw Bad(array.dataFile, array.name, QStringLiteral("axis %1 is too large").arg(axis.name));
        const auto moved = ExtentMulAdd(1, *reach, *reach < 0 ? low : high);
        if (!moved)
            throw Bad(array.dataFile, array.name, QStringLiteral("axis %1 is too large").arg(axis.name));
        (*reach < 0 ? low : high) = *moved;
    }
    if (low < 0)
        throw Bad(array.dataFile, array.name, QStringLiteral("a stride reaches before the start of the file"));
    const auto end = ExtentMulAdd(1, high, array.element.bytes);
    if (!end)
        throw Bad(array.dataFile, array.name, QStringLiteral("the array is too large"));
    return {low, *end};
}

ByteSpan TableSpan(const TableObject& table)
{
    if (table.offset < 0 || table.rows < 0)
        throw Bad(table.dataFile, table.name,
                  QStringLiteral("negative offset or rows (%1, %2)").arg(table.offset).arg(table.rows));
    if (table.format == TableFormat::Delimited)
        return {table.offset, table.offset};
    if (table.recordBytes <= 0)
        throw Bad(table.dataFile, table.name, QStringLiteral("records of %1 bytes").arg(table.recordBytes));
    for (const Field& field : table.fields) {
        const auto end = ExtentMulAdd(1, table.rowPrefixBytes, field.startByte);
        const auto fieldEnd = end ? ExtentMulAdd(1, *end, field.bytes) : std::nullopt;
        if (field.startByte < 0 || field.bytes <= 0 || !fieldEnd || *fieldEnd > table.recordBytes)
            throw Bad(table.dataFile, table.name,
                      QStringLiteral("field %1 (bytes %2 to %3) does not fit a record of %4 bytes")
                          .arg(field.name)
                          .arg(field.startByte + 1)
                          .arg(field.startByte + field.bytes)
                          .arg(table.recordBytes));
        if (table.format == TableFormat::Binary && field.kind == FieldKind::Binary && !IsDecodable(field.element))
            throw Bad(table.dataFile, table.name,
                      QStringLiteral("field %1: %2 bytes of type %3 cannot be decoded")
                          .arg(field.name)
                          .arg(field.bytes)
                          .arg(field.dataType));
        if (table.format == TableFormat::Binary && field.kind == FieldKind::Binary && field.element.bytes > field.bytes)
            throw Bad(table.dataFile, table.name,
                      QStringLiteral("field %1: %2 bytes hold no %3-byte value")
                          .arg(field.name)
                          .arg(field.bytes)
                          .arg(field.element.bytes));
        if (table.format != TableFormat::Character && field.kind == FieldKind::BitField &&
            (field.bits < 1 || field.bits > 64 || field.startBit < 0 || field.startBit + field.bits > 8 * field.bytes))
            throw Bad(table.dataFile, table.name,
                      QStringLiteral("bit field %1 (bits %2 to %3) does not fit its %4 bytes")
                          .arg(field.name)
                          .arg(field.startBit + 1)
                          .arg(field.startBit + field.bits)
                          .arg(field.bytes));
    }
    const auto end = ExtentMulAdd(table.rows, table.recordBytes, table.offset);
    if (!end)
        throw Bad(table.dataFile, table.name, QStringLiteral("%1 rows are too many").arg(table.rows));
    return {table.offset, *end};
}

QString ShortFileMessage(const QString& file, const QString& object, std::int64_t needed, std::int64_t size)
{
    return file + QStringLiteral(": ") + Describe(object) +
           QStringLiteral(" needs %1 bytes but the file holds %2 bytes").arg(needed).arg(size);
}

}  // namespace product
