// Reading tables from files the tests write: binary records with a prefix,
// every binary encoding, bit fields, scaling; character records with
// blanks, quotes, other bases and Fortran exponents; delimited records
// with quoting and CR LF; short files and fields outside their records.

#include "product/ByteWriter.h"
#include "product/TableReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace product;

namespace {

Field Binary(const char* name, std::int64_t start, ElementType element)
{
    Field field;
    field.name = QString::fromLatin1(name);
    field.kind = FieldKind::Binary;
    field.element = element;
    field.startByte = start;
    field.bytes = element.bytes;
    return field;
}

Field Text(const char* name, FieldKind kind, std::int64_t start, std::int64_t bytes)
{
    Field field;
    field.name = QString::fromLatin1(name);
    field.kind = kind;
    field.startByte = start;
    field.bytes = bytes;
    return field;
}

Field Bits(const char* name, std::int64_t start, std::int64_t bytes, int startBit, int bits, bool isSigned)
{
    Field field = Text(name, FieldKind::BitField, start, bytes);
    field.startBit = startBit;
    field.bits = bits;
    field.bitsSigned = isSigned;
    return field;
}

TEST(TableReader, BinaryRecordsOfEveryEncoding)
{
    TempDir dir;
    // Two records of 2 prefix bytes + 43 bytes, after a header of 5 bytes.
    ByteWriter bytes;
    bytes.Text("HEADR");
    for (int row = 0; row < 2; ++row) {
        bytes.Raw({'p', 'p'});
        bytes.Big(std::uint64_t(-300 - row), 2);     // 0: MSB signed 16
        bytes.Little(4000000000u + row, 4);          // 2: LSB unsigned 32
        bytes.DoubleBig(0.1 * (row + 1));            // 6: IEEE double MSB
        bytes.Raw({0x80, 0x40, 0, 0});               // 14: VAX F 1.0
        bytes.FloatLittle(1.5f).FloatLittle(-2.0f);  // 18: complex LSB 8
        bytes.Big(0xFFFFFFFFFFFFFFFFu, 8);           // 26: unsigned 64
        bytes.Raw({0b10110110, 0b01000000});         // 34: bits
        bytes.Big(7, 2);                             // 36: scaled 16-bit
        bytes.Text("ab c");                          // 38: text
        bytes.Raw({' '});                            // 42: pad
    }
    TableObject table;
    table.name = QStringLiteral("TABLE");
    table.format = TableFormat::Binary;
    table.dataFile = dir.write("t.dat", bytes.bytes());
    table.offset = 5;
    table.rows = 2;
    table.recordBytes = 45;
    table.rowPrefixBytes = 2;
    table.fields = {Binary("S16", 0, {Encoding::SignedInt, 2}),
                    Binary("U32", 2, {Encoding::UnsignedInt, 4, ByteOrder::Little}),
                    Binary("D", 6, {Encoding::IeeeReal, 8}),
                    Binary("VAX", 14, {Encoding::VaxReal, 4, ByteOrder::Little}),
                    Binary("C", 18, {Encoding::IeeeComplex, 8, ByteOrder::Little}),
                    Binary("U64", 26, {Encoding::UnsignedInt, 8}),
                    Bits("B1", 34, 2, 0, 3, false),  // 101 = 5
                    Bits("B2", 34, 2, 3, 3, true),   // 101 = -3
                    Bits("B3", 34, 2, 6, 4, false),  // 1001 = 9
                    Binary("SCALED", 36, {Encoding::UnsignedInt, 2}),
                    Text("NAME", FieldKind::AsciiText, 38, 4)};
    table.fields[9].scaling = {0.5, 100};
    const TableReader reader = TableReader::Open(table);
    ASSERT_EQ(reader.rows(), 2);
    EXPECT_TRUE(reader.problem().isEmpty());
    std::vector<Value> row;
    reader.ReadRow(1, row);
    ASSERT_EQ(row.size(), 11u);
    EXPECT_EQ(row[0].kind, Value::Kind::Signed);
    EXPECT_EQ(row[0].integer, -301);
    EXPECT_EQ(row[1].integer, 4000000001);
    EXPECT_EQ(row[2].real, 0.2);
    EXPECT_EQ(row[3].real, 1.0);
    EXPECT_EQ(row[4].kind, Value::Kind::Complex);
    EXPECT_EQ(row[4].real, 1.5);
    EXPECT_EQ(row[4].imaginary, -2.0);
    EXPECT_EQ(row[5].kind, Value::Kind::Unsigned);
    EXPECT_EQ(row[5].natural, 0xFFFFFFFFFFFFFFFFu);
    EXPECT_EQ(row[6].integer, 5);
    EXPECT_EQ(row[7].integer, -3);
    EXPECT_EQ(row[8].integer, 9);
    EXPECT_EQ(row[9].kind, Value::Kind::Real);
    EXPECT_EQ(row[9].real, 103.5);
    EXPECT_EQ(row[10].text, "ab c");
    EXPECT_EQ(reader.Cell(0, 0).integer, -300);
    EXPECT_EQ(reader.Cell(5, 0).kind, Value::Kind::Empty);
}

TEST(TableReader, CharacterRecordsWithBlanksQuotesAndBases)
{
    TempDir dir;
    const QByteArray records =
        "   12,     ,\"  text, with comma \" , 1.5D+03,  FF,  101,+7.25 ,1979-07-06T00:00:42Z\r\n"
        "-0003, 2e-3,\"x\"                   ,      -4,   0,    0,  abc ,1980-01-01T00:00:00Z\r\n";
    TableObject table;
    table.format = TableFormat::Character;
    table.dataFile = dir.write("c.tab", records);
    table.rows = 2;
    table.recordBytes = records.size() / 2;
    table.fields = {Text("I", FieldKind::AsciiInteger, 0, 5),      Text("R", FieldKind::AsciiReal, 6, 5),
                    Text("T", FieldKind::AsciiText, 12, 22),       Text("F", FieldKind::AsciiReal, 35, 8),
                    Text("H", FieldKind::AsciiNumericBase, 44, 4), Text("B", FieldKind::AsciiNumericBase, 49, 5),
                    Text("P", FieldKind::Binary, 55, 6),           Text("TIME", FieldKind::AsciiDateTime, 62, 20)};
    table.fields[4].base = 16;
    table.fields[5].base = 2;
    table.fields[6].scaling = {2, 0};
    const TableReader reader = TableReader::Open(table);
    std::vector<Value> row;
    reader.ReadRow(0, row);
    EXPECT_EQ(row[0].integer, 12);
    EXPECT_EQ(row[1].kind, Value::Kind::Empty);  // blank is empty, not an error
    EXPECT_EQ(row[2].text, "text, with comma");
    EXPECT_EQ(row[3].real, 1500.0);
    EXPECT_EQ(row[4].integer, 255);
    EXPECT_EQ(row[5].integer, 5);
    EXPECT_EQ(row[6].real, 14.5);  // a binary-typed column of a text table, scaled
    EXPECT_EQ(row[7].text, "1979-07-06T00:00:42Z");
    reader.ReadRow(1, row);
    EXPECT_EQ(row[0].integer, -3);
    EXPECT_EQ(row[1].real, 0.002);
    EXPECT_EQ(row[2].text, "x");
    EXPECT_EQ(row[3].real, -4);
    // Text that is no number stays as it is.
    EXPECT_EQ(row[6].kind, Value::Kind::Text);
    EXPECT_EQ(row[6].text, "abc");
}

TEST(TableReader, DelimitedRecordsWithQuotingAndLineEnds)
{
    TempDir dir;
    const QByteArray records =
        "1, \"a, b\" ,2.5\r\n"
        "2,\"say \"\"hi\"\"\",\r\n"
        "3,plain,-1e3\r\n"
        "\r\n";
    TableObject table;
    table.format = TableFormat::Delimited;
    table.dataFile = dir.write("d.csv", records);
    table.rows = 3;
    table.fields = {Text("N", FieldKind::AsciiInteger, 0, 0), Text("S", FieldKind::AsciiText, 0, 0),
                    Text("X", FieldKind::AsciiReal, 0, 0)};
    for (int i = 0; i < 3; ++i)
        table.fields[std::size_t(i)].delimitedIndex = i;
    const TableReader reader = TableReader::Open(table);
    ASSERT_EQ(reader.rows(), 3);
    EXPECT_TRUE(reader.problem().isEmpty());
    EXPECT_EQ(reader.Record(1), "2,\"say \"\"hi\"\"\",");
    EXPECT_EQ(reader.Cell(0, 1).text, "a, b");
    EXPECT_EQ(reader.Cell(1, 1).text, "say \"hi\"");
    EXPECT_EQ(reader.Cell(1, 2).kind, Value::Kind::Empty);
    EXPECT_EQ(reader.Cell(2, 2).real, -1000.0);
    // Rows read in any order.
    EXPECT_EQ(reader.Cell(2, 0).integer, 3);
    EXPECT_EQ(reader.Cell(0, 0).integer, 1);

    // A label that claims more rows than there are: the rows there are read.
    table.rows = 5;
    const TableReader fewer = TableReader::Open(table);
    EXPECT_EQ(fewer.rows(), 3);
    EXPECT_TRUE(fewer.problem().contains(QStringLiteral("5"))) << fewer.problem().toStdString();

    // Tab-delimited without line end after the last record.
    TableObject tabs = table;
    tabs.rows = 2;
    tabs.delimiter = QLatin1Char('\t');
    tabs.dataFile = dir.write("d.tab", "a\tb\tc\nd\t\t7");
    const TableReader tabReader = TableReader::Open(tabs);
    EXPECT_EQ(tabReader.rows(), 2);
    EXPECT_EQ(tabReader.Cell(1, 1).kind, Value::Kind::Empty);
    EXPECT_EQ(tabReader.Cell(1, 2).real, 7);
}

TEST(TableReader, AShortFileKeepsItsWholeRecords)
{
    TempDir dir;
    TableObject table;
    table.format = TableFormat::Binary;
    table.dataFile = dir.write("s.dat", QByteArray(10 * 4 + 3, '\x01'));
    table.rows = 20;
    table.recordBytes = 4;
    table.fields = {Binary("V", 0, {Encoding::UnsignedInt, 4})};
    const TableReader reader = TableReader::Open(table);
    EXPECT_EQ(reader.rows(), 10);
    EXPECT_TRUE(reader.problem().contains(QStringLiteral("80"))) << reader.problem().toStdString();
    EXPECT_TRUE(reader.problem().contains(QStringLiteral("43")));
    EXPECT_EQ(reader.Cell(9, 0).integer, 0x01010101);
}

TEST(TableReader, LayoutsThatCannotBeReadAreRefused)
{
    TempDir dir;
    TableObject table;
    table.format = TableFormat::Binary;
    table.dataFile = dir.write("x.dat", QByteArray(64, '\0'));
    table.rows = 4;
    table.recordBytes = 8;
    table.fields = {Binary("V", 6, {Encoding::UnsignedInt, 4})};  // past the record
    EXPECT_THROW(TableReader::Open(table), Error);
    table.fields = {Bits("B", 0, 1, 4, 5, false)};  // bits past the byte
    EXPECT_THROW(TableReader::Open(table), Error);
    table.fields = {Binary("V", 0, {Encoding::UnsignedInt, 4})};
    table.recordBytes = 0;
    EXPECT_THROW(TableReader::Open(table), Error);
    table.recordBytes = std::int64_t(1) << 62;
    table.rows = 1 << 10;  // rows * record bytes overflow
    EXPECT_THROW(TableReader::Open(table), Error);
    table.recordBytes = 8;
    table.rows = -1;
    EXPECT_THROW(TableReader::Open(table), Error);
}

}  // namespace
