// The PDS3 reader on products written here: each test lays out the bytes
// by the label's definition and reads them back through the described
// layout, so a wrong stride, offset or type shows as a wrong value.

#include "product/Pds3Product.h"

#include <gtest/gtest.h>
#include "support/QtPrinters.h"
#include "support/TempDir.h"

#include <QFile>
#include <QtEndian>

namespace {

using namespace product;

QByteArray ReadAt(const QString& file, std::int64_t offset, std::int64_t bytes)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(offset)) {
        return {};
    }
    return f.read(bytes);
}

// A label padded with spaces to `bytes` (a whole number of records).
QByteArray Padded(QByteArray label, int bytes)
{
    label.append(QByteArray(bytes - label.size(), ' '));
    return label;
}

QByteArray U16Le(int value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian<quint16>(static_cast<quint16>(value), bytes.data());
    return bytes;
}

QByteArray I16Be(int value)
{
    QByteArray bytes(2, '\0');
    qToBigEndian<qint16>(static_cast<qint16>(value), bytes.data());
    return bytes;
}

std::int64_t Position(const ArrayObject& array, std::int64_t band, std::int64_t line, std::int64_t sample)
{
    std::int64_t offset = array.offset + line * array.axes.at(array.lineAxis).strideBytes +
                          sample * array.axes.at(array.sampleAxis).strideBytes;
    if (array.bandAxis >= 0) {
        offset += band * array.axes.at(array.bandAxis).strideBytes;
    }
    return offset;
}

QStringList Names(const TableObject& table)
{
    QStringList names;
    for (const Field& field : table.fields) {
        names << field.name;
    }
    return names;
}

const ArrayObject& Image(const Product& product, std::size_t index = 0)
{
    return std::get<ArrayObject>(product.objects.at(index));
}

const TableObject& Table(const Product& product, std::size_t index = 0)
{
    return std::get<TableObject>(product.objects.at(index));
}

// Appendix C's sample types with their aliases.
TEST(Pds3Product, EverySampleTypeAliasHasItsEncoding)
{
    struct Case {
        const char* type;
        int bits;
        Encoding encoding;
        ByteOrder order;
        bool vaxG;
    };
    const Case cases[] = {
        {"MSB_INTEGER", 16, Encoding::SignedInt, ByteOrder::Big, false},
        {"INTEGER", 32, Encoding::SignedInt, ByteOrder::Big, false},
        {"SUN_INTEGER", 16, Encoding::SignedInt, ByteOrder::Big, false},
        {"MAC_INTEGER", 16, Encoding::SignedInt, ByteOrder::Big, false},
        {"MSB_INTEGER", 8, Encoding::SignedInt, ByteOrder::Big, false},
        {"MSB_UNSIGNED_INTEGER", 16, Encoding::UnsignedInt, ByteOrder::Big, false},
        {"UNSIGNED_INTEGER", 16, Encoding::UnsignedInt, ByteOrder::Big, false},
        {"SUN_UNSIGNED_INTEGER", 8, Encoding::UnsignedInt, ByteOrder::Big, false},
        {"MAC_UNSIGNED_INTEGER", 32, Encoding::UnsignedInt, ByteOrder::Big, false},
        {"LSB_INTEGER", 16, Encoding::SignedInt, ByteOrder::Little, false},
        {"PC_INTEGER", 32, Encoding::SignedInt, ByteOrder::Little, false},
        {"VAX_INTEGER", 64, Encoding::SignedInt, ByteOrder::Little, false},
        {"LSB_UNSIGNED_INTEGER", 16, Encoding::UnsignedInt, ByteOrder::Little, false},
        {"PC_UNSIGNED_INTEGER", 16, Encoding::UnsignedInt, ByteOrder::Little, false},
        {"VAX_UNSIGNED_INTEGER", 32, Encoding::UnsignedInt, ByteOrder::Little, false},
        {"IEEE_REAL", 32, Encoding::IeeeReal, ByteOrder::Big, false},
        {"FLOAT", 64, Encoding::IeeeReal, ByteOrder::Big, false},
        {"REAL", 32, Encoding::IeeeReal, ByteOrder::Big, false},
        {"SUN_REAL", 32, Encoding::IeeeReal, ByteOrder::Big, false},
        {"MAC_REAL", 64, Encoding::IeeeReal, ByteOrder::Big, false},
        {"PC_REAL", 32, Encoding::IeeeReal, ByteOrder::Little, false},
        {"PC_REAL", 64, Encoding::IeeeReal, ByteOrder::Little, false},
        {"VAX_REAL", 32, Encoding::VaxReal, ByteOrder::Little, false},
        {"VAX_REAL", 64, Encoding::VaxReal, ByteOrder::Little, false},
        {"VAXG_REAL", 64, Encoding::VaxReal, ByteOrder::Little, true},
        {"IEEE_COMPLEX", 64, Encoding::IeeeComplex, ByteOrder::Big, false},
        {"PC_COMPLEX", 128, Encoding::IeeeComplex, ByteOrder::Little, false},
        {"VAX_COMPLEX", 64, Encoding::VaxComplex, ByteOrder::Little, false},
        {"\"msb integer\"", 16, Encoding::SignedInt, ByteOrder::Big, false},
    };
    TempDir dir;
    dir.write(QStringLiteral("D.IMG"), QByteArray(16, '\0'));
    for (const Case& c : cases) {
        const QByteArray label =
            "PDS_VERSION_ID = PDS3\n^IMAGE = \"D.IMG\"\nOBJECT = IMAGE\n LINES = 1\n"
            " LINE_SAMPLES = 1\n SAMPLE_TYPE = " +
            QByteArray(c.type) + "\n SAMPLE_BITS = " + QByteArray::number(c.bits) + "\nEND_OBJECT = IMAGE\nEND\n";
        const Product product = ReadPds3Product(dir.write(QStringLiteral("t.lbl"), label));
        SCOPED_TRACE(std::string(c.type) + " " + std::to_string(c.bits));
        ASSERT_EQ(product.objects.size(), 1u) << product.warnings.join(QLatin1Char('\n')).toStdString();
        const ElementType& element = Image(product).element;
        EXPECT_EQ(element.encoding, c.encoding);
        EXPECT_EQ(element.order, c.order);
        EXPECT_EQ(element.bytes, c.bits / 8);
        EXPECT_EQ(element.vaxG, c.vaxG);
    }
}

// Two bands of 3 lines of 4 samples, 16-bit LSB, with 3 prefix and 2
// suffix bytes per line record, in each storage order; the file is laid
// out here from the order's definition.
TEST(Pds3Product, BandStorageOrdersWithLinePrefixAndSuffix)
{
    constexpr int kBands = 2, kLines = 3, kSamples = 4, kPrefix = 3, kSuffix = 2;
    const auto value = [](int band, int line, int sample) { return 1000 * band + 100 * line + sample; };
    const QByteArray prefix(kPrefix, '\xEE');
    const QByteArray suffix(kSuffix, '\xDD');
    struct Case {
        const char* storage;
        QByteArray data;
    };
    std::vector<Case> cases;
    {
        QByteArray bsq;
        for (int b = 0; b < kBands; ++b) {
            for (int l = 0; l < kLines; ++l) {
                bsq += prefix;
                for (int s = 0; s < kSamples; ++s) {
                    bsq += U16Le(value(b, l, s));
                }
                bsq += suffix;
            }
        }
        cases.push_back({"BAND_SEQUENTIAL", bsq});
        QByteArray bil;
        for (int l = 0; l < kLines; ++l) {
            bil += prefix;
            for (int b = 0; b < kBands; ++b) {
                for (int s = 0; s < kSamples; ++s) {
                    bil += U16Le(value(b, l, s));
                }
            }
            bil += suffix;
        }
        cases.push_back({"LINE_INTERLEAVED", bil});
        QByteArray bip;
        for (int l = 0; l < kLines; ++l) {
            bip += prefix;
            for (int s = 0; s < kSamples; ++s) {
                for (int b = 0; b < kBands; ++b) {
                    bip += U16Le(value(b, l, s));
                }
            }
            bip += suffix;
        }
        cases.push_back({"SAMPLE_INTERLEAVED", bip});
    }
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.storage);
        const QString data = dir.write(QStringLiteral("cube.dat"), QByteArray(7, 'x') + c.data);
        const QByteArray label = QByteArray("PDS_VERSION_ID = PDS3\n^IMAGE = (\"CUBE.DAT\", 8 <BYTES>)\n") +
                                 "OBJECT = IMAGE\n LINES = 3\n LINE_SAMPLES = 4\n BANDS = 2\n"
                                 " SAMPLE_TYPE = LSB_UNSIGNED_INTEGER\n SAMPLE_BITS = 16\n BAND_STORAGE_TYPE = " +
                                 c.storage + "\n LINE_PREFIX_BYTES = 3\n LINE_SUFFIX_BYTES = 2\nEND_OBJECT\nEND\n";
        const Product product = ReadPds3Product(dir.write(QStringLiteral("cube.lbl"), label));
        ASSERT_EQ(product.objects.size(), 1u);
        const ArrayObject& image = Image(product);
        EXPECT_EQ(image.dataFile, data);
        EXPECT_EQ(image.Bands(), kBands);
        EXPECT_EQ(image.Lines(), kLines);
        EXPECT_EQ(image.Samples(), kSamples);
        const QByteArray file = ReadAt(data, 0, 1000);
        for (int b = 0; b < kBands; ++b) {
            for (int l = 0; l < kLines; ++l) {
                for (int s = 0; s < kSamples; ++s) {
                    const std::int64_t at = Position(image, b, l, s);
                    ASSERT_LE(at + 2, file.size());
                    EXPECT_EQ(qFromLittleEndian<quint16>(file.constData() + at), value(b, l, s))
                        << b << " " << l << " " << s;
                }
            }
        }
    }
}

TEST(Pds3Product, PointersInEveryForm)
{
    TempDir dir;
    const QString data = dir.write(QStringLiteral("Data.Img"), QByteArray(400, '\0'));
    struct Case {
        const char* pointer;
        bool attached;
        std::int64_t offset;
    };
    const Case cases[] = {
        {"4", true, 300},
        {"301 <BYTES>", true, 300},
        {"\"DATA.IMG\"", false, 0},
        {"(\"data.img\", 2)", false, 100},
        {"(\"DATA.IMG\", 51 <BYTES>)", false, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pointer);
        const QByteArray label = Padded(
                                     "PDS_VERSION_ID = PDS3\r\nRECORD_TYPE = FIXED_LENGTH\r\nRECORD_BYTES = 100\r\n"
                                     "^IMAGE = " +
                                         QByteArray(c.pointer) +
                                         "\r\nOBJECT = IMAGE\r\n LINES = 2\r\n LINE_SAMPLES = 2\r\n"
                                         " SAMPLE_TYPE = UNSIGNED_INTEGER\r\n SAMPLE_BITS = 8\r\n"
                                         "END_OBJECT = IMAGE\r\nEND\r\n",
                                     300) +
                                 QByteArray(100, '\x07');
        const QString path = dir.write(QStringLiteral("p.lbl"), label);
        const Product product = ReadPds3Product(path);
        ASSERT_EQ(product.objects.size(), 1u) << product.warnings.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(Image(product).offset, c.offset);
        EXPECT_EQ(Image(product).dataFile, c.attached ? product.labelFile : data);
        EXPECT_TRUE(product.labelText.endsWith(QStringLiteral("END\r\n")));
        EXPECT_TRUE(product.warnings.isEmpty());
    }

    // A data file that is not there: described all the same, with a warning
    // naming it; a record pointer without RECORD_BYTES cannot be placed.
    const Product missing = ReadPds3Product(
        dir.write(QStringLiteral("m.lbl"),
                  "^IMAGE = (\"NONE.IMG\", 3 <BYTES>)\nOBJECT = IMAGE\n LINES = 1\n LINE_SAMPLES = 1\n"
                  " SAMPLE_TYPE = MSB_INTEGER\n SAMPLE_BITS = 16\nEND_OBJECT\n"
                  "^TABLE = 3\nOBJECT = TABLE\n ROWS = 1\n ROW_BYTES = 4\n"
                  " OBJECT = COLUMN\n  NAME = A\n  DATA_TYPE = ASCII_INTEGER\n  START_BYTE = 1\n"
                  "  BYTES = 2\n END_OBJECT\nEND_OBJECT\nEND\n"));
    ASSERT_EQ(missing.objects.size(), 1u);
    EXPECT_TRUE(Image(missing).dataFile.endsWith(QStringLiteral("/NONE.IMG")));
    EXPECT_EQ(Image(missing).offset, 2);
    ASSERT_EQ(missing.warnings.size(), 2);
    EXPECT_TRUE(missing.warnings[0].contains(QStringLiteral("NONE.IMG")));
    EXPECT_TRUE(missing.warnings[1].startsWith(QStringLiteral("line 8: ^TABLE counts records")));
}

// A qube with a sample suffix and a line suffix plane (SUFFIX_BYTES 4 each
// item), laid out band by band as the qube definition has it.
TEST(Pds3Product, QubeCoreSkipsSuffixPlanes)
{
    constexpr int kSamples = 3, kLines = 2, kBands = 2;
    QByteArray data;
    for (int b = 0; b < kBands; ++b) {
        for (int l = 0; l < kLines; ++l) {
            for (int s = 0; s < kSamples; ++s) {
                data += I16Be(-(100 * b + 10 * l + s));
            }
            data += QByteArray(4, '\x55');  // sample suffix
        }
        data += QByteArray((kSamples + 1) * 4, '\x66');  // line suffix plane
    }
    TempDir dir;
    const QByteArray label = Padded(
        "CCSD3ZF0000100000001NJPL3IF0PDS200000001 = SFDU_LABEL\n"
        "RECORD_BYTES = 64\n^SPECTRAL_QUBE = 8\nOBJECT = SPECTRAL_QUBE\n AXES = 3\n"
        " AXIS_NAME = (SAMPLE, LINE, BAND)\n CORE_ITEMS = (3, 2, 2)\n"
        " CORE_ITEM_BYTES = 2\n CORE_ITEM_TYPE = MSB_INTEGER\n CORE_BASE = 1.5\n"
        " CORE_MULTIPLIER = 2.0\n SUFFIX_BYTES = 4\n SUFFIX_ITEMS = (1, 1, 0)\n"
        " CORE_NULL = -32768\n CORE_VALID_MINIMUM = -32752\nEND_OBJECT\nEND\n",
        64 * 7);
    const Product right = ReadPds3Product(dir.write(QStringLiteral("q.qub"), label + data));
    ASSERT_EQ(right.objects.size(), 1u) << right.warnings.join(QLatin1Char('\n')).toStdString();
    const ArrayObject& core = Image(right);
    EXPECT_EQ(core.name, QStringLiteral("SPECTRAL_QUBE"));
    EXPECT_EQ(core.offset, 64 * 7);
    EXPECT_EQ(core.Samples(), kSamples);
    EXPECT_EQ(core.Lines(), kLines);
    EXPECT_EQ(core.Bands(), kBands);
    EXPECT_EQ(core.scaling.scalingFactor, 2.0);
    EXPECT_EQ(core.scaling.valueOffset, 1.5);
    ASSERT_EQ(core.specials.size(), 1u);  // CORE_VALID_MINIMUM is no special value
    EXPECT_EQ(core.specials[0].value, -32768.0);
    const QByteArray bytes = ReadAt(core.dataFile, 0, 10000);
    for (int b = 0; b < kBands; ++b) {
        for (int l = 0; l < kLines; ++l) {
            for (int s = 0; s < kSamples; ++s) {
                const std::int64_t at = Position(core, b, l, s);
                ASSERT_LE(at + 2, bytes.size());
                EXPECT_EQ(qFromBigEndian<qint16>(bytes.constData() + at), -(100 * b + 10 * l + s));
            }
        }
    }
}

// Containers repeat their columns; ITEMS give several values; bit columns
// split a bit string; a row prefix comes before START_BYTE 1.
TEST(Pds3Product, BinaryTableContainersItemsAndBitColumns)
{
    const QByteArray label =
        "PDS_VERSION_ID = PDS3\n"
        "^MY_TABLE = \"T.DAT\"\n"
        "OBJECT = MY_TABLE\n"
        " INTERCHANGE_FORMAT = BINARY\n ROWS = 2\n ROW_BYTES = 16\n ROW_PREFIX_BYTES = 2\n"
        " OBJECT = COLUMN\n  NAME = A\n  DATA_TYPE = MSB_INTEGER\n  START_BYTE = 1\n  BYTES = 2\n"
        "  SCALING_FACTOR = 0.5\n  OFFSET = 10\n  MISSING_CONSTANT = -1\n  UNIT = \"KM\"\n END_OBJECT\n"
        " OBJECT = CONTAINER\n  NAME = PAIR\n  START_BYTE = 3\n  BYTES = 6\n  REPETITIONS = 2\n"
        "  OBJECT = COLUMN\n   NAME = B\n   DATA_TYPE = LSB_UNSIGNED_INTEGER\n   START_BYTE = 1\n   BYTES = 2\n"
        "  END_OBJECT\n"
        "  OBJECT = COLUMN\n   NAME = C\n   DATA_TYPE = PC_INTEGER\n   START_BYTE = 3\n   BYTES = 4\n"
        "   ITEMS = 2\n   ITEM_BYTES = 2\n  END_OBJECT\n"
        " END_OBJECT\n"
        " OBJECT = COLUMN\n  NAME = FLAGS\n  DATA_TYPE = MSB_BIT_STRING\n  START_BYTE = 15\n  BYTES = 2\n"
        "  OBJECT = BIT_COLUMN\n   NAME = X\n   BIT_DATA_TYPE = MSB_UNSIGNED_INTEGER\n   START_BIT = 1\n"
        "   BITS = 3\n  END_OBJECT\n"
        "  OBJECT = BIT_COLUMN\n   NAME = Y\n   BIT_DATA_TYPE = MSB_INTEGER\n   START_BIT = 9\n   BITS = 4\n"
        "   ITEMS = 2\n  END_OBJECT\n"
        " END_OBJECT\n"
        " OBJECT = COLUMN\n  NAME = ODD\n  DATA_TYPE = WEIRD_TYPE\n  START_BYTE = 1\n  BYTES = 2\n END_OBJECT\n"
        " OBJECT = COLUMN\n  NAME = LONG\n  DATA_TYPE = MSB_INTEGER\n  START_BYTE = 15\n  BYTES = 4\n END_OBJECT\n"
        "END_OBJECT = MY_TABLE\nEND\n";
    TempDir dir;
    dir.write(QStringLiteral("T.DAT"), QByteArray(36, '\0'));
    const Product product = ReadPds3Product(dir.write(QStringLiteral("t.lbl"), label));
    ASSERT_EQ(product.objects.size(), 1u);
    const TableObject& table = Table(product);
    EXPECT_EQ(table.name, QStringLiteral("MY_TABLE"));
    EXPECT_EQ(table.format, TableFormat::Binary);
    EXPECT_EQ(table.rows, 2);
    EXPECT_EQ(table.recordBytes, 18);
    EXPECT_EQ(table.rowPrefixBytes, 2);
    EXPECT_EQ(Names(table), QStringList({"A", "B_1", "C_1", "C_2", "B_2", "C_3", "C_4", "X", "Y_1", "Y_2"}));
    const std::vector<std::int64_t> starts = {0, 2, 4, 6, 8, 10, 12, 14, 14, 14};
    for (std::size_t i = 0; i < starts.size(); ++i) {
        EXPECT_EQ(table.fields[i].startByte, starts[i]) << table.fields[i].name.toStdString();
    }
    const Field& a = table.fields[0];
    EXPECT_EQ(a.kind, FieldKind::Binary);
    EXPECT_EQ(a.element.encoding, Encoding::SignedInt);
    EXPECT_EQ(a.element.order, ByteOrder::Big);
    EXPECT_EQ(a.scaling.scalingFactor, 0.5);
    EXPECT_EQ(a.scaling.valueOffset, 10.0);
    ASSERT_EQ(a.specials.size(), 1u);
    EXPECT_EQ(a.specials[0].value, -1.0);
    EXPECT_EQ(a.unit, QStringLiteral("KM"));
    EXPECT_EQ(table.fields[1].element.order, ByteOrder::Little);
    EXPECT_EQ(table.fields[1].element.encoding, Encoding::UnsignedInt);
    EXPECT_EQ(table.fields[2].bytes, 2);
    EXPECT_EQ(table.fields[2].element.bytes, 2);
    const Field& x = table.fields[7];
    EXPECT_EQ(x.kind, FieldKind::BitField);
    EXPECT_EQ(x.startBit, 0);
    EXPECT_EQ(x.bits, 3);
    EXPECT_FALSE(x.bitsSigned);
    EXPECT_EQ(x.element.bytes, 2);
    EXPECT_EQ(table.fields[8].startBit, 8);
    EXPECT_EQ(table.fields[9].startBit, 12);
    EXPECT_TRUE(table.fields[9].bitsSigned);

    ASSERT_EQ(table.columns.size(), 5u);
    EXPECT_EQ(table.columns[1].name, QStringLiteral("B"));
    EXPECT_EQ(table.columns[1].items, 2);
    EXPECT_EQ(table.columns[2].items, 4);
    EXPECT_EQ(table.columns[4].name, QStringLiteral("Y"));
    ASSERT_EQ(product.warnings.size(), 2);
    EXPECT_TRUE(product.warnings[0].contains(QStringLiteral("WEIRD_TYPE")));
    EXPECT_TRUE(product.warnings[1].contains(QStringLiteral("LONG reaches past the row's 16 bytes")));
}

TEST(Pds3Product, AsciiTablesReadEveryNumberTypeAsTextAndSpreadsheetsSplit)
{
    const QByteArray label =
        "PDS_VERSION_ID = PDS3\nRECORD_BYTES = 20\n^INDEX_TABLE = (\"A.TAB\", 2)\n^SPREADSHEET = \"S.CSV\"\n"
        "OBJECT = INDEX_TABLE\n INTERCHANGE_FORMAT = ASCII\n ROWS = 3\n ROW_BYTES = 20\n COLUMNS = 4\n"
        " OBJECT = COLUMN\n  NAME = R\n  DATA_TYPE = PC_REAL\n  START_BYTE = 1\n  BYTES = 5\n END_OBJECT\n"
        " OBJECT = COLUMN\n  NAME = U\n  DATA_TYPE = MSB_UNSIGNED_INTEGER\n  START_BYTE = 7\n  BYTES = 2\n"
        " END_OBJECT\n"
        " OBJECT = COLUMN\n  NAME = T\n  DATA_TYPE = TIME\n  START_BYTE = 10\n  BYTES = 5\n END_OBJECT\n"
        " OBJECT = COLUMN\n  NAME = S\n  DATA_TYPE = CHARACTER\n  START_BYTE = 16\n  BYTES = 3\n END_OBJECT\n"
        "END_OBJECT\n"
        "OBJECT = SPREADSHEET\n ROWS = 2\n ROW_BYTES = 40\n FIELDS = 2\n FIELD_DELIMITER = SEMICOLON\n"
        " OBJECT = FIELD\n  NAME = ID\n  FIELD_NUMBER = 1\n  DATA_TYPE = ASCII_INTEGER\n  BYTES = 4\n END_OBJECT\n"
        " OBJECT = FIELD\n  NAME = V\n  FIELD_NUMBER = 2\n  DATA_TYPE = ASCII_REAL\n  BYTES = 10\n  ITEMS = 2\n"
        " END_OBJECT\n"
        "END_OBJECT\nEND\n";
    TempDir dir;
    const Product product = ReadPds3Product(dir.write(QStringLiteral("a.lbl"), label));
    ASSERT_EQ(product.objects.size(), 2u) << product.warnings.join(QLatin1Char('\n')).toStdString();
    const TableObject& index = Table(product, 0);
    EXPECT_EQ(index.objectType, QStringLiteral("INDEX_TABLE"));
    EXPECT_EQ(index.format, TableFormat::Character);
    EXPECT_EQ(index.offset, 20);
    EXPECT_EQ(index.fields[0].kind, FieldKind::AsciiReal);
    EXPECT_EQ(index.fields[0].bytes, 5);
    EXPECT_EQ(index.fields[1].kind, FieldKind::AsciiUnsigned);
    EXPECT_EQ(index.fields[2].kind, FieldKind::AsciiDateTime);
    EXPECT_EQ(index.fields[3].kind, FieldKind::AsciiText);
    EXPECT_EQ(index.fields[3].startByte, 15);

    const TableObject& sheet = Table(product, 1);
    EXPECT_EQ(sheet.format, TableFormat::Delimited);
    EXPECT_EQ(sheet.delimiter, QLatin1Char(';'));
    EXPECT_EQ(Names(sheet), QStringList({"ID", "V_1", "V_2"}));
    EXPECT_EQ(sheet.fields[0].delimitedIndex, 0);
    EXPECT_EQ(sheet.fields[2].delimitedIndex, 2);
    EXPECT_EQ(sheet.fields[1].kind, FieldKind::AsciiReal);
}

// Two tables after a header in one file, and two objects of one name with
// two pointers of that name: each is its own object at its own place.
TEST(Pds3Product, SeveralObjectsInOneFile)
{
    const QByteArray column =
        " OBJECT = COLUMN\n  NAME = N\n  DATA_TYPE = ASCII_INTEGER\n  START_BYTE = 1\n"
        "  BYTES = 3\n END_OBJECT\n";
    const QByteArray label =
        "PDS_VERSION_ID = PDS3\nRECORD_BYTES = 10\n^HEADER = (\"D.DAT\", 1)\n"
        "^TABLE = (\"D.DAT\", 3)\n^TABLE = (\"D.DAT\", 40 <BYTES>)\n"
        "OBJECT = HEADER\n BYTES = 20\nEND_OBJECT\n"
        "OBJECT = TABLE\n NAME = FIRST\n ROWS = 1\n ROW_BYTES = 10\n" +
        column + "END_OBJECT\nOBJECT = TABLE\n NAME = SECOND\n ROWS = 2\n ROW_BYTES = 5\n" + column +
        "END_OBJECT\nEND\n";
    TempDir dir;
    dir.write(QStringLiteral("D.DAT"), QByteArray(60, ' '));
    const Product product = ReadPds3Product(dir.write(QStringLiteral("d.lbl"), label));
    ASSERT_EQ(product.objects.size(), 2u);
    EXPECT_EQ(Table(product, 0).offset, 20);
    EXPECT_EQ(Table(product, 1).offset, 39);
    EXPECT_EQ(Table(product, 1).recordBytes, 5);

    // The structure: every block with its lines, the data objects marked.
    const LabelNode& root = product.structure;
    ASSERT_EQ(root.children.size(), 3u);
    EXPECT_EQ(root.children[0].name, QStringLiteral("HEADER"));
    EXPECT_EQ(root.children[0].dataObject, -1);
    EXPECT_EQ(root.children[0].firstLine, 6);
    EXPECT_EQ(root.children[0].lastLine, 8);
    EXPECT_EQ(root.children[1].title, QStringLiteral("FIRST"));
    EXPECT_EQ(root.children[1].dataObject, 0);
    EXPECT_EQ(root.children[2].dataObject, 1);
    ASSERT_EQ(root.children[2].children.size(), 1u);
    EXPECT_EQ(root.children[2].children[0].name, QStringLiteral("COLUMN"));
    EXPECT_EQ(root.children[2].children[0].firstLine, 24);
}

// ^STRUCTURE files: beside the label, else in the volume's LABEL folder
// found by walking up; included columns take the place of the pointer.
TEST(Pds3Product, StructureFilesFromTheVolumesLabelFolder)
{
    TempDir dir;
    dir.write(QStringLiteral("VOL/LABEL/COLS.FMT"),
              "OBJECT = COLUMN\n NAME = FROM_FMT\n DATA_TYPE = ASCII_REAL\n START_BYTE = 4\n BYTES = 3\n"
              "END_OBJECT\n^STRUCTURE = \"MORE.FMT\"\n");
    dir.write(QStringLiteral("VOL/LABEL/MORE.FMT"),
              "OBJECT = COLUMN\n NAME = NESTED\n DATA_TYPE = CHARACTER\n START_BYTE = 7\n BYTES = 2\nEND_OBJECT\n");
    dir.write(QStringLiteral("VOL/DATA/X/T.TAB"), QByteArray(20, ' '));
    const QByteArray label =
        "PDS_VERSION_ID = PDS3\n^TABLE = \"t.tab\"\nOBJECT = TABLE\n ROWS = 2\n ROW_BYTES = 10\n"
        " OBJECT = COLUMN\n  NAME = OWN\n  DATA_TYPE = ASCII_INTEGER\n  START_BYTE = 1\n"
        "  BYTES = 3\n END_OBJECT\n ^STRUCTURE = \"cols.fmt\"\nEND_OBJECT\nEND\n";
    const Product product = ReadPds3Product(dir.write(QStringLiteral("VOL/DATA/X/T.LBL"), label));
    ASSERT_EQ(product.objects.size(), 1u) << product.warnings.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(Names(Table(product)), QStringList({"OWN", "FROM_FMT", "NESTED"}));
    EXPECT_EQ(Table(product).fields[2].startByte, 6);

    const Product lost = ReadPds3Product(
        dir.write(QStringLiteral("VOL/DATA/X/U.LBL"), QByteArray(label).replace("cols.fmt", "GONE.FMT")));
    ASSERT_EQ(lost.objects.size(), 1u);
    EXPECT_EQ(Names(Table(lost)), QStringList({"OWN"}));
    ASSERT_EQ(lost.warnings.size(), 1);
    EXPECT_TRUE(lost.warnings[0].contains(QStringLiteral("GONE.FMT")));
}

TEST(Pds3Product, ScalingSpecialsAndDisplayDirections)
{
    const QByteArray label =
        "PDS_VERSION_ID = PDS3\n^IMAGE = \"I.IMG\"\nOBJECT = IMAGE\n LINES = 1\n LINE_SAMPLES = 1\n"
        " SAMPLE_TYPE = PC_REAL\n SAMPLE_BITS = 32\n SCALING_FACTOR = 2.5\n OFFSET = -1\n"
        " MISSING_CONSTANT = 16#FF7FFFFB#\n INVALID_CONSTANT = \"-9999\"\n NULL = N/A\n"
        " SAMPLE_DISPLAY_DIRECTION = LEFT\n LINE_DISPLAY_DIRECTION = UP\nEND_OBJECT\nEND\n";
    TempDir dir;
    const Product product = ReadPds3Product(dir.write(QStringLiteral("i.lbl"), label));
    ASSERT_EQ(product.objects.size(), 1u);
    const ArrayObject& image = Image(product);
    EXPECT_EQ(image.scaling.scalingFactor, 2.5);
    EXPECT_EQ(image.scaling.valueOffset, -1.0);
    ASSERT_EQ(image.specials.size(), 2u);
    EXPECT_EQ(image.specials[0].name, QStringLiteral("MISSING_CONSTANT"));
    EXPECT_EQ(image.specials[0].value, -3.40282265508890445e+38);  // the 4-byte real with those bits
    EXPECT_EQ(image.specials[1].value, -9999.0);
    EXPECT_FALSE(image.samplesLeftToRight);
    EXPECT_FALSE(image.linesTopToBottom);
}

// Sizes no file can have, unknown types and broken lines: warnings that
// name what is wrong, and every other object still read.
TEST(Pds3Product, HostileLabelsGiveWarningsNotObjects)
{
    const QByteArray label =
        "PDS_VERSION_ID = PDS3\n^IMAGE = \"I.IMG\"\n^BIG_IMAGE = \"I.IMG\"\n^ODD_IMAGE = \"I.IMG\"\n"
        "^TABLE = \"I.IMG\"\n^WIDE_TABLE = \"I.IMG\"\n"
        "this line is broken\n"
        "OBJECT = BIG_IMAGE\n LINES = 4000000000\n LINE_SAMPLES = 4000000000\n BANDS = 4000000000\n"
        " SAMPLE_TYPE = IEEE_REAL\n SAMPLE_BITS = 64\nEND_OBJECT\n"
        "OBJECT = ODD_IMAGE\n LINES = 1\n LINE_SAMPLES = 1\n SAMPLE_TYPE = MSB_INTEGER\n SAMPLE_BITS = 12\n"
        "END_OBJECT\n"
        "OBJECT = TABLE\n ROWS = 9000000000000000000\n ROW_BYTES = 9000000000000000000\n"
        " OBJECT = COLUMN\n  NAME = A\n  DATA_TYPE = CHARACTER\n  START_BYTE = 1\n  BYTES = 1\n END_OBJECT\n"
        "END_OBJECT\n"
        "OBJECT = WIDE_TABLE\n ROWS = 1\n ROW_BYTES = 1000000\n"
        " OBJECT = CONTAINER\n  START_BYTE = 1\n  BYTES = 1\n  REPETITIONS = 1000000000000\n"
        "  OBJECT = COLUMN\n   NAME = B\n   DATA_TYPE = MSB_INTEGER\n   START_BYTE = 1\n   BYTES = 1\n"
        "  END_OBJECT\n END_OBJECT\n"
        " OBJECT = CONTAINER\n  START_BYTE = 1\n  BYTES = 1\n  REPETITIONS = 1000000000000\n END_OBJECT\n"
        "END_OBJECT\n"
        "OBJECT = IMAGE\n LINES = 2\n LINE_SAMPLES = 2\n SAMPLE_TYPE = MSB_INTEGER\n SAMPLE_BITS = 8\nEND_OBJECT\n"
        "END\n";
    TempDir dir;
    const Product product = ReadPds3Product(dir.write(QStringLiteral("h.lbl"), label));
    ASSERT_EQ(product.objects.size(), 2u);
    const TableObject& wide = Table(product, 0);
    EXPECT_EQ(wide.fields.size(), 100000u);  // the field limit
    EXPECT_EQ(Image(product, 1).name, QStringLiteral("IMAGE"));
    const QString all = product.warnings.join(QLatin1Char('\n'));
    EXPECT_TRUE(all.contains(QStringLiteral("line 7: 'this' is not followed by '='"))) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("line 8: BIG_IMAGE: 4000000000 x 4000000000 x 4000000000 samples")))
        << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("line 15: ODD_IMAGE: SAMPLE_BITS = 12")));
    EXPECT_TRUE(all.contains(QStringLiteral("line 21: TABLE: 9000000000000000000 rows")));
    EXPECT_TRUE(all.contains(QStringLiteral("more than 100000 fields")));
}

TEST(Pds3Product, FilesThatAreNoPds3LabelAreRefused)
{
    TempDir dir;
    const auto refused = [&](const QByteArray& contents) {
        try {
            ReadPds3Product(dir.write(QStringLiteral("x.dat"), contents));
        } catch (const Error& error) {
            EXPECT_TRUE(error.message.contains(QStringLiteral("x.dat"))) << error.message.toStdString();
            return true;
        }
        return false;
    };
    EXPECT_TRUE(refused("LBLSIZE=2048            FORMAT='BYTE'  TYPE='IMAGE'"));
    EXPECT_TRUE(refused("<?xml version=\"1.0\"?>\n<Product_Observational/>\n"));
    EXPECT_TRUE(refused(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
    EXPECT_TRUE(refused("just some text\nwith a = later\n"));
    EXPECT_TRUE(refused(""));
    EXPECT_FALSE(refused("/* a comment first */\nPDS_VERSION_ID = PDS3\nEND\n"));
    EXPECT_THROW(ReadPds3Product(dir.file(QStringLiteral("absent.lbl"))), Error);
}

// An attached label is read up to END only, however much data follows.
TEST(Pds3Product, AttachedLabelStopsAtEnd)
{
    QByteArray data(3 * 1024 * 1024, '\0');
    for (int i = 0; i < data.size(); i += 7) {
        data[i] = '=';  // text that would be statements if it were read
    }
    const QByteArray label = Padded(
        "PDS_VERSION_ID = PDS3\rRECORD_BYTES = 512\r^IMAGE = 2\rOBJECT = IMAGE\r"
        " LINES = 1024\r LINE_SAMPLES = 3072\r SAMPLE_BITS = 8\r"
        " SAMPLE_TYPE = UNSIGNED_INTEGER\rEND_OBJECT\rEND\r",
        512);
    TempDir dir;
    const Product product = ReadPds3Product(dir.write(QStringLiteral("big.img"), label + data));
    EXPECT_TRUE(product.warnings.isEmpty()) << product.warnings.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(product.objects.size(), 1u);
    EXPECT_EQ(Image(product).offset, 512);
    EXPECT_EQ(product.labelText, QString::fromLatin1(label.trimmed() + '\r'));
}

// Old-style labels keep pointers and RECORD_BYTES inside a FILE object.
TEST(Pds3Product, ObjectsInsideAFileObject)
{
    const QByteArray label = Padded(
        "PDS_VERSION_ID = PDS3\nRECORD_BYTES = 1\nOBJECT = UNCOMPRESSED_FILE\n"
        " RECORD_BYTES = 50\n ^IMAGE = 3\n OBJECT = IMAGE\n  LINES = 2\n"
        "  LINE_SAMPLES = 5\n  SAMPLE_TYPE = LSB_INTEGER\n  SAMPLE_BITS = 16\n"
        " END_OBJECT = IMAGE\nEND_OBJECT = UNCOMPRESSED_FILE\nEND\n",
        100);
    TempDir dir;
    const Product product = ReadPds3Product(dir.write(QStringLiteral("f.img"), label + QByteArray(20, '\0')));
    ASSERT_EQ(product.objects.size(), 1u) << product.warnings.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(Image(product).offset, 100);
    EXPECT_EQ(product.structure.children.at(0).children.at(0).dataObject, 0);
}

}  // namespace
