// Values in their shortest exact text, and CSV files written whole or not
// at all.

#include "product/ByteWriter.h"
#include "product/CsvExport.h"
#include "product/Value.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

#include <cmath>
#include <limits>

using namespace product;

namespace {

std::string Text(const Value& value)
{
    std::string out;
    AppendValue(out, value);
    return out;
}

TEST(ValueText, NumbersInTheirShortestExactForm)
{
    EXPECT_EQ(Text(Value::Real(0.1)), "0.1");
    EXPECT_EQ(Text(Value::Real(1610.0)), "1610");
    EXPECT_EQ(Text(Value::Real(1e30)), "1e+30");
    EXPECT_EQ(Text(Value::Real(1.17e-10)), "1.17e-10");
    EXPECT_EQ(Text(Value::Real(0.1 + 0.2)), "0.30000000000000004");
    EXPECT_EQ(Text(Value::Real(double(1.0f / 3.0f))), "0.3333333432674408");
    EXPECT_EQ(Text(Value::Real(std::numeric_limits<double>::quiet_NaN())), "NaN");
    EXPECT_EQ(Text(Value::Real(-std::numeric_limits<double>::infinity())), "-inf");
    EXPECT_EQ(Text(Value::Signed(std::numeric_limits<std::int64_t>::min())), "-9223372036854775808");
    EXPECT_EQ(Text(Value::Unsigned(17396744073709550582u)), "17396744073709550582");
    EXPECT_EQ(Text(Value::Complex(1.5, -2)), "1.5-2j");
    EXPECT_EQ(Text(Value::Complex(3e38, 141000)), "3e+38+141000j");
    EXPECT_EQ(Text(Value()), "");
    EXPECT_EQ(Text(Value::Text("a b")), "a b");
}

TEST(CsvExport, TablesAndOneDimensionalArrays)
{
    TempDir dir;
    TableObject table;
    table.format = TableFormat::Delimited;
    table.dataFile = dir.write("d.csv", "1,\"a, \"\"b\"\"\",2.50\n2,,\n");
    table.rows = 2;
    Field number;
    number.name = QStringLiteral("N");
    number.kind = FieldKind::AsciiInteger;
    number.delimitedIndex = 0;
    Field text = number;
    text.name = QStringLiteral("TEXT_1");
    text.kind = FieldKind::AsciiText;
    text.delimitedIndex = 1;
    Field real = number;
    real.name = QStringLiteral("X");
    real.kind = FieldKind::AsciiReal;
    real.delimitedIndex = 2;
    table.fields = {number, text, real};
    const QString out = dir.file("out.csv");
    WriteTableCsv(TableReader::Open(table), out);
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("N,TEXT_1,X\n1,\"a, \"\"b\"\"\",2.5\n2,,\n"));

    ByteWriter bytes;
    bytes.Big(std::uint64_t(-5), 2).Big(7, 2);
    ArrayObject array;
    array.name = QStringLiteral("level");
    array.kind = ArrayKind::Array;
    array.dataFile = dir.write("a.dat", bytes.bytes());
    array.element = {Encoding::SignedInt, 2};
    array.axes = {{"axis", 2, 2}};
    array.scaling = {0.5, 1};
    WriteArrayCsv(ArrayReader::Open(array), dir.file("a.csv"));
    QFile arrayCsv(dir.file("a.csv"));
    ASSERT_TRUE(arrayCsv.open(QIODevice::ReadOnly));
    EXPECT_EQ(arrayCsv.readAll(), QByteArray("level\n-1.5\n4.5\n"));

    array.axes = {{"LINE", 1, 4}, {"SAMPLE", 2, 2}};
    EXPECT_THROW(WriteArrayCsv(ArrayReader::Open(array), dir.file("b.csv")), Error);
    EXPECT_FALSE(QFile::exists(dir.file("b.csv")));
}

TEST(CsvExport, AFileThatCannotBeWrittenLeavesNothing)
{
    TempDir dir;
    TableObject table;
    table.format = TableFormat::Delimited;
    table.dataFile = dir.write("d.csv", "1\n");
    table.rows = 1;
    Field number;
    number.name = QStringLiteral("N");
    number.kind = FieldKind::AsciiInteger;
    table.fields = {number};
    const QString target = dir.file("missing/folder/out.csv");
    try {
        WriteTableCsv(TableReader::Open(table), target);
        FAIL() << "written";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message.contains(target)) << error.message.toStdString();
    }
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"d.csv"});
}

TEST(CsvExport, CellsAreQuotedOnlyWhenTheyMustBe)
{
    std::string out;
    AppendCsvCell(out, "plain text");
    out += '|';
    AppendCsvCell(out, "a,b");
    out += '|';
    AppendCsvCell(out, "line\nend");
    out += '|';
    AppendCsvCell(out, "say \"x\"");
    EXPECT_EQ(out, "plain text|\"a,b\"|\"line\nend\"|\"say \"\"x\"\"\"");
}

}  // namespace
