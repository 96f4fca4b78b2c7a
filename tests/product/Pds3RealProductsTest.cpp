// The PDS3 reader on the real products of the shared folder: names, sizes,
// types and positions against the facts its README states, and values
// read through the described layout against the values it lists.

#include "product/Pds3Product.h"

#include <gtest/gtest.h>
#include "support/QtPrinters.h"

#include <QFile>

namespace {

using namespace product;

QString ProductPath(const QString& relative) { return QStringLiteral(VELLORA_PRODUCTS "/") + relative; }

#define SKIP_WITHOUT(path)                                                   \
    if (!QFile::exists(path)) {                                              \
        GTEST_SKIP() << "no shared product " << QString(path).toStdString(); \
    }

QByteArray ReadAt(const QString& file, std::int64_t offset, std::int64_t bytes)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(offset)) {
        return {};
    }
    return f.read(bytes);
}

// The stored bytes of one image sample, found through the axes' strides.
QByteArray SampleBytes(const ArrayObject& array, std::int64_t band, std::int64_t line, std::int64_t sample)
{
    std::int64_t offset = array.offset;
    if (array.bandAxis >= 0) {
        offset += band * array.axes[array.bandAxis].strideBytes;
    }
    offset += line * array.axes[array.lineAxis].strideBytes + sample * array.axes[array.sampleAxis].strideBytes;
    return ReadAt(array.dataFile, offset, array.element.bytes);
}

// A fixed-width text field of one row, trimmed.
QString FieldText(const TableObject& table, std::int64_t row, const Field& field)
{
    const std::int64_t at = table.offset + row * table.recordBytes + table.rowPrefixBytes + field.startByte;
    return QString::fromLatin1(ReadAt(table.dataFile, at, field.bytes)).trimmed();
}

QStringList FieldNames(const TableObject& table)
{
    QStringList names;
    for (const Field& field : table.fields) {
        names << field.name;
    }
    return names;
}

const ArrayObject& OnlyImage(const Product& product)
{
    EXPECT_EQ(product.objects.size(), 1u);
    return std::get<ArrayObject>(product.objects.at(0));
}

TEST(Pds3RealProducts, MagellanDetachedImageAfterAVicarHeader)
{
    const QString path = ProductPath(QStringLiteral("pds3-mgn-fmidr-ff01/FF01.LBL"));
    SKIP_WITHOUT(path);
    const Product product = ReadPds3Product(path);
    const ArrayObject& image = OnlyImage(product);
    EXPECT_EQ(image.name, QStringLiteral("IMAGE"));
    EXPECT_EQ(image.Lines(), 1024);
    EXPECT_EQ(image.Samples(), 1024);
    EXPECT_EQ(image.Bands(), 1);
    EXPECT_EQ(image.offset, 2048);  // the PDS4 label's offset for the same file
    EXPECT_TRUE(image.dataFile.endsWith(QStringLiteral("/FF01.IMG")));
    EXPECT_EQ(image.element.bytes, 1);
}

TEST(Pds3RealProducts, MerNavcamAttachedLabelWithSpecialConstants)
{
    const QString path = ProductPath(QStringLiteral("pds3-mer-navcam-vicar-header/1N546228391RADCYELP0684L0M1.IMG"));
    SKIP_WITHOUT(path);
    const Product product = ReadPds3Product(path);
    const ArrayObject& image = OnlyImage(product);
    EXPECT_EQ(image.offset, 21 * 2048);  // ^IMAGE = 22 records of 2048 bytes
    EXPECT_EQ(image.dataFile, product.labelFile);
    EXPECT_EQ(image.Lines(), 1024);
    EXPECT_EQ(image.Samples(), 1024);
    EXPECT_EQ(image.element.encoding, Encoding::SignedInt);
    EXPECT_EQ(image.element.order, ByteOrder::Big);
    EXPECT_EQ(image.element.bytes, 2);
    ASSERT_EQ(image.specials.size(), 2u);
    EXPECT_EQ(image.specials[0].value, 0.0);
    EXPECT_EQ(image.specials[1].value, 0.0);
    EXPECT_TRUE(product.labelText.trimmed().endsWith(QStringLiteral("END")));
}

TEST(Pds3RealProducts, MastcamBandSequentialThumbnail)
{
    const QString path = ProductPath(
        QStringLiteral("pds3-msl-mastcam-thumb-3778ml/3778ML1037770010808163I01_DXXX.IMG"));
    SKIP_WITHOUT(path);
    const Product product = ReadPds3Product(path);
    const ArrayObject& image = OnlyImage(product);
    EXPECT_EQ(image.offset, 25328);  // as the PDS4 label of the same file says
    EXPECT_EQ(image.Lines(), 16);
    EXPECT_EQ(image.Samples(), 16);
    EXPECT_EQ(image.Bands(), 3);
    EXPECT_TRUE(image.specials.empty());  // MISSING_CONSTANT = "NULL" is no number
    EXPECT_EQ(image.axes[image.bandAxis].strideBytes, 256);
}

TEST(Pds3RealProducts, SyntheticImagesHoldTheirListedValues)
{
    const QString one = ProductPath(QStringLiteral("pds3-synthetic-planetaryimage/pds3_1band.IMG"));
    SKIP_WITHOUT(one);
    const Product imageProduct = ReadPds3Product(one);
    const ArrayObject& image = OnlyImage(imageProduct);
    ASSERT_EQ(image.Lines(), 10);
    ASSERT_EQ(image.Samples(), 10);
    for (int line = 0; line < 10; ++line) {
        for (int sample = 0; sample < 10; ++sample) {
            const QByteArray bytes = SampleBytes(image, 0, line, sample);
            ASSERT_EQ(bytes.size(), image.element.bytes);
            // Values 0..99 in order; the last byte of either order holds them
            // when they are small, the others are zero.
            std::int64_t value = 0;
            for (int i = 0; i < bytes.size(); ++i) {
                const int k = image.element.order == ByteOrder::Big ? i : bytes.size() - 1 - i;
                value = value * 256 + static_cast<unsigned char>(bytes[k]);
            }
            EXPECT_EQ(value, line * 10 + sample);
        }
    }
    const QString three = ProductPath(QStringLiteral("pds3-synthetic-planetaryimage/pds3_3bands.IMG"));
    const Product bandsProduct = ReadPds3Product(three);
    const ArrayObject& bands = OnlyImage(bandsProduct);
    EXPECT_EQ(bands.Bands(), 3);
    EXPECT_EQ(bands.offset, 540);  // ^IMAGE = 28 as the README counts it
}

TEST(Pds3RealProducts, Isis2QubeCoreWithSfduLine)
{
    const QString path = ProductPath(QStringLiteral("isis2-galileo-europa-sinu/EUROPA_SINU.CUB"));
    SKIP_WITHOUT(path);
    const Product product = ReadPds3Product(path);
    const ArrayObject& qube = OnlyImage(product);
    EXPECT_EQ(qube.name, QStringLiteral("QUBE"));
    EXPECT_EQ(qube.Lines(), 1226);
    EXPECT_EQ(qube.Samples(), 2453);
    EXPECT_EQ(qube.Bands(), 1);
    EXPECT_EQ(qube.offset, 85 * 512);  // ^QUBE = 86 of 512-byte records
    EXPECT_EQ(qube.element.encoding, Encoding::UnsignedInt);
    EXPECT_EQ(qube.axes[qube.lineAxis].strideBytes, 2453);
    QStringList names;
    for (const SpecialConstant& special : qube.specials) {
        names << special.name + QLatin1Char('=') + QString::number(special.value);
    }
    names.sort();
    EXPECT_EQ(names, QStringList({"CORE_HIGH_INSTR_SATURATION=255", "CORE_HIGH_REPR_SATURATION=255",
                                  "CORE_LOW_INSTR_SATURATION=0", "CORE_LOW_REPR_SATURATION=0", "CORE_NULL=0"}));
}

TEST(Pds3RealProducts, VoyagerAsciiTable)
{
    const QString path = ProductPath(QStringLiteral("pds3-pds4-table-voyager-ele-mom/ELE_MOM.LBL"));
    SKIP_WITHOUT(path);
    const Product product = ReadPds3Product(path);
    ASSERT_EQ(product.objects.size(), 1u);
    const TableObject& table = std::get<TableObject>(product.objects[0]);
    EXPECT_EQ(table.name, QStringLiteral("TABLE"));
    EXPECT_EQ(table.rows, 2278);
    EXPECT_EQ(table.recordBytes, 46);
    EXPECT_EQ(table.format, TableFormat::Character);
    EXPECT_EQ(FieldNames(table), QStringList({"TIME", "ELE_DEN", "ELE_TEMP"}));
    EXPECT_EQ(FieldText(table, 0, table.fields[0]), QStringLiteral("1979-07-06T00:00:42.687Z"));
    EXPECT_EQ(FieldText(table, 0, table.fields[1]).toDouble(), 0.0153);
    EXPECT_EQ(FieldText(table, 0, table.fields[2]).toDouble(), 1610.0);
    ASSERT_FALSE(table.fields[1].specials.empty());
    EXPECT_EQ(table.fields[1].specials[0].value, -9.99e10);
    EXPECT_FALSE(table.samplingParameterName.isEmpty());
}

TEST(Pds3RealProducts, SharadTableOfPcRealTextInALowerCaseFile)
{
    const QString path = ProductPath(QStringLiteral("pds3-table-ascii-mro-sharad-geom/s_00690502_geom.lbl"));
    SKIP_WITHOUT(path);
    const Product product = ReadPds3Product(path);
    ASSERT_EQ(product.objects.size(), 1u);
    const TableObject& table = std::get<TableObject>(product.objects[0]);
    EXPECT_TRUE(table.dataFile.endsWith(QStringLiteral("/s_00690502_geom.tab")));
    EXPECT_EQ(table.rows, 1408);
    EXPECT_EQ(FieldNames(table),
              QStringList({"RADARGRAM COLUMN", "TIME", "LATITUDE", "LONGITUDE", "MARS RADIUS", "SPACECRAFT RADIUS",
                           "RADIAL VELOCITY", "TANGENTIAL VELOCITY", "SZA", "PHASE/1.0E16"}));
    EXPECT_EQ(table.fields[2].kind, FieldKind::AsciiReal);
    const QStringList firstRow = {
        "1", "2008-01-16T12:47:19.761", "47.7379", "23.6632", "3386.22", "3685.174", "18.7747", "3412.2942", "113.15",
        "0"};
    for (int i = 0; i < 10; ++i) {
        const QString text = FieldText(table, 0, table.fields[i]);
        if (i == 1) {
            EXPECT_EQ(text, firstRow[i]);
        } else {
            EXPECT_EQ(text.toDouble(), firstRow[i].toDouble()) << i << " " << text.toStdString();
        }
    }
}

TEST(Pds3RealProducts, MarieTableWithStructureFromTheLabelFolder)
{
    const QString path = ProductPath(QStringLiteral("pds3-table-ascii-structure-in-label-dir/PWR02176_01.LBL"));
    SKIP_WITHOUT(path);
    const Product product = ReadPds3Product(path);
    ASSERT_EQ(product.objects.size(), 1u);
    const TableObject& table = std::get<TableObject>(product.objects[0]);
    EXPECT_EQ(table.name, QStringLiteral("TABLE"));
    EXPECT_EQ(table.rows, 268);
    EXPECT_EQ(FieldNames(table),
              QStringList({"UTC_TIME", "JULIAN_SEC", "POWER_A1", "POWER_A2", "POWER_B1_B2", "POWER_B3_B4", "POWER_C",
                           "POWER_POWER", "POWER_CPU", "POWER_PSD1", "POWER_PSD2"}));
    EXPECT_EQ(FieldText(table, 0, table.fields[0]), QStringLiteral("24JUN02  00:23:01.21"));
    EXPECT_EQ(FieldText(table, 0, table.fields[1]).toDouble(), 1052740823.0185547);
    EXPECT_EQ(FieldText(table, 0, table.fields[10]).toDouble(), 772.3709227);
    // The structure tree names the table by its NAME.
    bool titled = false;
    for (const LabelNode& node : product.structure.children) {
        titled = titled || (node.dataObject == 0 && node.title == QLatin1String("POWER"));
    }
    EXPECT_TRUE(titled);
}

}  // namespace
