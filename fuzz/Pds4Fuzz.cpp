// Feeds arbitrary bytes to the PDS4 label reader as a label's text. Besides
// not crashing, every object it describes must keep the model's promises:
// positive sizes, strides and extents that fit in 64 bits, fields inside
// their record and bit fields inside their field.

#include "product/Pds4Product.h"
#include "product/Pds4Table.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

using namespace product;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckArray(const ArrayObject& array)
{
    Check(array.offset >= 0);
    Check(!array.axes.empty());
    Check(array.element.bytes > 0);
    for (const Axis& axis : array.axes)
        Check(axis.elements >= 1 && axis.strideBytes >= array.element.bytes);
    const Axis& slowest = array.axes.front();
    Check(slowest.strideBytes <= (std::numeric_limits<std::int64_t>::max() - array.offset) / slowest.elements);
    const int count = static_cast<int>(array.axes.size());
    for (int index : {array.lineAxis, array.sampleAxis, array.bandAxis})
        Check(index >= -1 && index < count);
}

void CheckTable(const TableObject& table)
{
    Check(table.offset >= 0 && table.rows >= 0);
    Check(table.fields.size() <= static_cast<size_t>(kMaxPds4TableValues));
    for (const Field& field : table.fields) {
        if (table.format != TableFormat::Delimited) {
            Check(field.startByte >= 0 && field.bytes >= 0);
            Check(field.startByte + field.bytes <= table.recordBytes);
        } else {
            Check(field.delimitedIndex >= 0);
        }
        if (field.kind == FieldKind::BitField)
            Check(field.bits >= 1 && field.bits <= 64 && field.startBit >= 0 &&
                  field.startBit + field.bits <= field.bytes * 8);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray label(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const Product product = ReadPds4Product(QStringLiteral("/nonexistent/fuzz/label.xml"), label);
        for (const DataObject& object : product.objects) {
            if (const auto* array = std::get_if<ArrayObject>(&object))
                CheckArray(*array);
            else
                CheckTable(std::get<TableObject>(object));
        }
    } catch (const Error&) {
        // Not a PDS4 label: refused with a message, as it should be.
    }
    return 0;
}
