// Fuzz target for the table decoder: the first bytes of the input describe
// a table (format, record layout, fields of any kind and encoding), the
// rest is its data. Every row is read and written as CSV text; the decoder
// must neither crash nor read outside the data, whatever the layout says.

#include "product/CsvExport.h"
#include "product/TableReader.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr int kFieldBytes = 8;
constexpr int kHeaderBytes = 7;

// Reads the layout from the input's front; nullptr when it is too short.
const std::uint8_t* Layout(const std::uint8_t* data, std::size_t size, product::TableObject& table)
{
    if (size < kHeaderBytes)
        return nullptr;
    using namespace product;
    table.name = QStringLiteral("T");
    table.format = static_cast<TableFormat>(data[0] % 3);
    const int fields = 1 + data[1] % 12;
    table.recordBytes = std::int64_t(data[2]) | (std::int64_t(data[3]) << 8);
    table.rowPrefixBytes = data[4] % 8;
    table.rows = std::int64_t(data[5]) | (std::int64_t(data[6] & 0x0F) << 8);
    table.delimiter = QLatin1Char((data[6] & 0x10) ? '\t' : ',');
    const std::uint8_t* p = data + kHeaderBytes;
    if (size < std::size_t(kHeaderBytes + fields * kFieldBytes))
        return nullptr;
    for (int i = 0; i < fields; ++i, p += kFieldBytes) {
        Field field;
        field.name = QStringLiteral("F_%1").arg(i + 1);
        field.kind = static_cast<FieldKind>(p[0] % 9);
        field.element.encoding = static_cast<Encoding>(p[1] % 6);
        field.element.bytes = 1 + p[2] % 16;
        field.element.order = (p[1] & 0x80) ? ByteOrder::Little : ByteOrder::Big;
        field.element.vaxG = p[1] & 0x40;
        field.bytes = 1 + p[3] % 24;
        field.startByte = p[4];
        field.startBit = p[5] % 72;
        field.bits = p[6] % 72;
        field.bitsSigned = p[7] & 1;
        field.base = (p[7] & 2) ? 16 : ((p[7] & 4) ? 2 : 10);
        field.delimitedIndex = (p[7] >> 3) % 16;
        if (p[7] & 0x80)
            field.scaling = {0.5, -3};
        if (p[7] & 0x40)
            field.specials = {{QStringLiteral("MISSING_CONSTANT"), -1}};
        table.fields.push_back(field);
    }
    return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    product::TableObject table;
    const std::uint8_t* rest = Layout(data, size, table);
    if (!rest)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(rest), qsizetype(size - std::size_t(rest - data)));
    try {
        const product::TableReader reader(table, product::DataFile::FromBytes(QStringLiteral("fuzz"), bytes));
        std::vector<product::Value> values;
        std::string out;
        for (std::int64_t row = 0; row < reader.rows(); ++row) {
            reader.ReadRow(row, values);
            for (const product::Value& value : values) {
                if (value.kind == product::Value::Kind::Text)
                    product::AppendCsvCell(out, value.text);
                else
                    product::AppendValue(out, value);
                out += ',';
            }
            out.clear();
        }
    } catch (const product::Error&) {
        // A layout the decoder refuses: fine, as long as it says so.
    }
    return 0;
}
