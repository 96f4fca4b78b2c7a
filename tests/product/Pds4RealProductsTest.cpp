// The PDS4 label reader on the real products of ../shared/products: the
// layout it describes is checked against the facts the products' README and
// labels state, and against the sizes of the data files on disk.

#include "product/Pds4Product.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>

namespace {

using namespace product;

QString ProductPath(const char* relative)
{
    return QDir(QStringLiteral(VELLORA_PRODUCTS)).absoluteFilePath(QLatin1String(relative));
}

// Reads a product of the shared folder; skips the test when it is absent.
#define READ_OR_SKIP(product, relative)                             \
    if (!QFileInfo::exists(ProductPath(relative)))                  \
        GTEST_SKIP() << "no " << (relative);                        \
    const Product product = ReadPds4Product(ProductPath(relative)); \
    EXPECT_TRUE((product).warnings.isEmpty()) << (product).warnings.join('\n').toStdString()

// The byte after the last one an object occupies in its data file.
std::int64_t EndOf(const DataObject& object)
{
    if (const auto* array = std::get_if<ArrayObject>(&object))
        return array->offset + array->axes[0].strideBytes * array->axes[0].elements;
    const auto& table = std::get<TableObject>(object);
    return table.offset + table.rows * table.recordBytes;
}

QStringList Names(const TableObject& table)
{
    QStringList names;
    for (const Column& column : table.columns)
        names.append(column.name);
    return names;
}

QStringList Split(const char* names) { return QString::fromUtf8(names).split(QLatin1Char('|')); }

TEST(Pds4RealProducts, EveryFixedWidthObjectLiesInsideItsFile)
{
    // Labels whose objects fill their data file to the last byte.
    const char* whole[] = {
        "pds3-mgn-fmidr-ff01/ff01.xml",
        "pds3-msl-mastcam-thumb-3778ml/3778ml1037770010808163i01_dxxx.xml",
        "pds3-pds4-table-voyager-ele-mom/ELE_MOM.xml",
        "pds4-image-uint16-i943630r/i943630r.xml",
        "pds4-table-binary-mer-rat/Product_Table_Binary.xml",
        "pds4-table-char-viking-lander-rocks/vl0axrat_char.xml",
        "pds4-table-nh-pluto-spectrum-lblx/pluto_spectrum.lblx",
        "pds4-synthetic-pds4tools/test_group_fields.xml",
        "pds4-synthetic-pds4tools/test_table_data_types.xml",
        "pds4-synthetic-pds4tools/test_masked_data.xml",
        "pds4-synthetic-pds4tools/test_array_data_types.xml",
    };
    // Labels whose objects are followed by more bytes (a TIFF directory, a
    // VICAR trailer).
    const char* inside[] = {
        "pds4-ch2-sar-complex-tiff/ch2_sar_ncxs_20090107t163003745_d_sli_xx_fp_hh_pb1_19111.xml",
        "pds4-insight-icc-vicar-c000m5232/C000M5232T493378259EDR_F0000_0134M1.xml",
    };
    int checked = 0;
    for (const auto& [labels, mustFill] :
         {std::pair{std::vector<const char*>(std::begin(whole), std::end(whole)), true},
          std::pair{std::vector<const char*>(std::begin(inside), std::end(inside)), false}}) {
        for (const char* relative : labels) {
            if (!QFileInfo::exists(ProductPath(relative)))
                continue;
            SCOPED_TRACE(relative);
            const Product product = ReadPds4Product(ProductPath(relative));
            ASSERT_FALSE(product.objects.empty());
            for (const DataObject& object : product.objects) {
                const QString file = std::visit([](const auto& o) { return o.dataFile; }, object);
                const std::int64_t size = QFileInfo(file).size();
                EXPECT_LE(EndOf(object), size) << file.toStdString();
                if (mustFill && product.objects.size() == 1) {
                    EXPECT_EQ(EndOf(object), size);
                }
            }
            ++checked;
        }
    }
    if (checked == 0)
        GTEST_SKIP() << "no products";
}

TEST(Pds4RealProducts, ImagesWithNamedAxes)
{
    READ_OR_SKIP(product, "pds3-mgn-fmidr-ff01/ff01.xml");
    ASSERT_EQ(product.objects.size(), 1u);
    const auto& ff01 = std::get<ArrayObject>(product.objects[0]);
    EXPECT_EQ(ff01.name, QStringLiteral("FF01-Array_2D_Image"));
    EXPECT_EQ(ff01.kind, ArrayKind::Image);
    EXPECT_EQ(ff01.offset, 2048);
    EXPECT_EQ(ff01.Lines(), 1024);
    EXPECT_EQ(ff01.Samples(), 1024);
    EXPECT_EQ(ff01.Bands(), 1);
    EXPECT_EQ(ff01.element.encoding, Encoding::UnsignedInt);
    EXPECT_EQ(ff01.element.bytes, 1);
    EXPECT_TRUE(QFileInfo(ff01.dataFile).fileName() == QStringLiteral("FF01.IMG"));
}

TEST(Pds4RealProducts, BandSequentialThumbnailBesideASupplementalArea)
{
    READ_OR_SKIP(product, "pds3-msl-mastcam-thumb-3778ml/3778ml1037770010808163i01_dxxx.xml");
    // The Header and the supplemental Encoded_Byte_Streams are no data objects.
    ASSERT_EQ(product.objects.size(), 1u);
    const auto& thumb = std::get<ArrayObject>(product.objects[0]);
    EXPECT_EQ(thumb.name, QStringLiteral("thumbnail_image"));
    EXPECT_EQ(thumb.offset, 25328);
    ASSERT_EQ(thumb.axes.size(), 3u);
    EXPECT_EQ(thumb.axes[0].name, QStringLiteral("Band"));
    EXPECT_EQ(thumb.axes[1].name, QStringLiteral("Line"));
    EXPECT_EQ(thumb.axes[2].name, QStringLiteral("Sample"));
    EXPECT_EQ(thumb.bandAxis, 0);
    EXPECT_EQ(thumb.Bands(), 3);
    EXPECT_EQ(thumb.Lines(), 16);
    EXPECT_EQ(thumb.Samples(), 16);
    EXPECT_EQ(thumb.axes[0].strideBytes, 256);  // one 16 x 16 band of bytes
    EXPECT_TRUE(thumb.specials.empty());        // the label's Special_Constants are a comment
    EXPECT_TRUE(thumb.linesTopToBottom);
    EXPECT_TRUE(thumb.samplesLeftToRight);
}

TEST(Pds4RealProducts, ImageAfterAVicarHeaderWithItsConstants)
{
    READ_OR_SKIP(product, "pds4-insight-icc-vicar-c000m5232/C000M5232T493378259EDR_F0000_0134M1.xml");
    ASSERT_EQ(product.objects.size(), 1u);
    const auto& image = std::get<ArrayObject>(product.objects[0]);
    EXPECT_EQ(image.name, QStringLiteral("IMAGE DATA"));
    EXPECT_EQ(image.offset, 1024);
    EXPECT_EQ(image.Bands(), 3);
    EXPECT_EQ(image.Lines(), 1024);
    EXPECT_EQ(image.Samples(), 1024);
    ASSERT_EQ(image.specials.size(), 2u);
    EXPECT_EQ(image.specials[0].name, QStringLiteral("missing_constant"));
    EXPECT_EQ(image.specials[0].value, 0);
    EXPECT_EQ(image.specials[1].name, QStringLiteral("invalid_constant"));
    EXPECT_EQ(image.specials[1].value, 0);
    EXPECT_EQ(image.unit, QStringLiteral("DN"));
}

TEST(Pds4RealProducts, SixteenBitImageWithStatisticsThatAreNoData)
{
    READ_OR_SKIP(product, "pds4-image-uint16-i943630r/i943630r.xml");
    ASSERT_EQ(product.objects.size(), 1u);  // Object_Statistics is not data
    const auto& image = std::get<ArrayObject>(product.objects[0]);
    EXPECT_EQ(image.name, QStringLiteral("MPFL-M-IMP_IMG_GRAYSCALE"));
    EXPECT_EQ(image.Lines(), 248);
    EXPECT_EQ(image.Samples(), 256);
    EXPECT_EQ(image.element.encoding, Encoding::UnsignedInt);
    EXPECT_EQ(image.element.bytes, 2);
    EXPECT_EQ(image.element.order, ByteOrder::Big);
    EXPECT_EQ(image.scaling.scalingFactor, 1.0);
}

TEST(Pds4RealProducts, ComplexImageInsideATiffFile)
{
    READ_OR_SKIP(product, "pds4-ch2-sar-complex-tiff/ch2_sar_ncxs_20090107t163003745_d_sli_xx_fp_hh_pb1_19111.xml");
    ASSERT_EQ(product.objects.size(), 1u);
    const auto& image = std::get<ArrayObject>(product.objects[0]);
    EXPECT_TRUE(image.name.isEmpty());
    EXPECT_EQ(image.offset, 4386);
    EXPECT_EQ(image.Lines(), 50);
    EXPECT_EQ(image.Samples(), 676);
    EXPECT_TRUE(image.element.IsComplex());
    EXPECT_EQ(image.element.bytes, 8);
    EXPECT_EQ(image.element.order, ByteOrder::Little);
    EXPECT_TRUE(image.dataFile.endsWith(QStringLiteral(".tiff")));
}

TEST(Pds4RealProducts, CharacterAndBinaryTablesWithTheirColumns)
{
    struct Case {
        const char* label;
        const char* name;
        std::int64_t rows;
        const char* columns;
    };
    const Case cases[] = {
        {"pds3-pds4-table-voyager-ele-mom/ELE_MOM.xml", "VG2-J-PLS-5-SUMM-ELE-MOM_TABLE_CHAR", 2278,
         "TIME|ELE_DEN|ELE_TEMP"},
        {"pds4-table-nh-pluto-spectrum-lblx/pluto_spectrum.lblx", "", 1266, "Wavelength|Specific Intensity"},
        {"pds4-table-binary-mer-rat/Product_Table_Binary.xml", "", 336,
         "SCLK_SECONDS|SCLK_SUBSECONDS|SPARE|ROTATION_MOTOR_POSITION|ROTATION_MOTOR_CURRENT_SENSOR|"
         "REVOLUTION_MOTOR_POSITION|REVOLUTION_MOTOR_CURRENT_SENSOR|Z_MOTOR_POSITION|Z_MOTOR_CURRENT_SENSOR|"
         "TEMPERATURE_SENSOR|BUTTERFLY_SWITCH_1|BUTTERFLY_SWITCH_2|RAT_OVER_CURRENT_ALARM|"
         "Z_AXIS_MOTOR_CONTROLLER_STATUS|REVOLVE_MOTOR_CONTROLLER_STATUS|GRIND_MOTOR_CONTROLLER_STATUS|SPARE|"
         "ROVER_BUS_VOLTAGE|ALGORITHM_STATE|ANOMALY_FLAG"},
        {"pds4-table-char-viking-lander-rocks/vl0axrat_char.xml", "", 304,
         "surface_type|burial_state|bin_number|lower_bin_boundary|upper_bin_boundary|surface_area|n_area|"
         "arlw_average|arlw_standard_deviation|n_arlw|arwh_average|arwh_standard_deviation|n_arwh|arlh_average|"
         "arlh_standard_deviation|n_arlh"},
        {"pds4-table-char-viking-lander-rocks/vl0axrat_delim.xml", "", 304,
         "surface_type|burial_state|bin_number|lower_bin_boundary|upper_bin_boundary|surface_area|n_area|"
         "arlw_average|arlw_standard_deviation|n_arlw|arwh_average|arwh_standard_deviation|n_arwh|arlh_average|"
         "arlh_standard_deviation|n_arlh"},
    };
    int read = 0;
    for (const Case& c : cases) {
        if (!QFileInfo::exists(ProductPath(c.label)))
            continue;
        SCOPED_TRACE(c.label);
        const Product product = ReadPds4Product(ProductPath(c.label));
        EXPECT_TRUE(product.warnings.isEmpty());
        ASSERT_EQ(product.objects.size(), 1u);
        const auto& table = std::get<TableObject>(product.objects[0]);
        EXPECT_EQ(table.name, QString::fromUtf8(c.name));
        EXPECT_EQ(table.rows, c.rows);
        EXPECT_EQ(Names(table), Split(c.columns));
        EXPECT_EQ(table.fields.size(), table.columns.size());
        ++read;
    }
    if (read == 0)
        GTEST_SKIP() << "no products";
}

TEST(Pds4RealProducts, VikingTablesMarkTheirInvalidValuesAndBothDescribeOneFile)
{
    READ_OR_SKIP(character, "pds4-table-char-viking-lander-rocks/vl0axrat_char.xml");
    const Product delimited = ReadPds4Product(ProductPath("pds4-table-char-viking-lander-rocks/vl0axrat_delim.xml"));
    for (const Product* product : {&character, &delimited}) {
        const auto& table = std::get<TableObject>(product->objects.at(0));
        int invalid = 0;
        for (const Field& field : table.fields) {
            for (const SpecialConstant& special : field.specials)
                invalid += special.name == QStringLiteral("invalid_constant") && special.value == -9.9;
        }
        EXPECT_EQ(invalid, 4);  // -9.9 in four columns
    }
    const auto& fixed = std::get<TableObject>(character.objects[0]);
    const auto& byComma = std::get<TableObject>(delimited.objects[0]);
    EXPECT_EQ(fixed.format, TableFormat::Character);
    EXPECT_EQ(fixed.recordBytes, 74);
    EXPECT_EQ(byComma.format, TableFormat::Delimited);
    EXPECT_EQ(byComma.delimiter, QLatin1Char(','));
    EXPECT_EQ(fixed.dataFile, byComma.dataFile);
}

TEST(Pds4RealProducts, DelimitedTablesIncludingSupplementalFileAreas)
{
    READ_OR_SKIP(abundances, "pds4-table-delimited-cassini-cirs/cocirs_c2h4abund_abund_profiles.xml");
    // The profiles, then the errors of a supplemental area; the Stream_Text is no table.
    ASSERT_EQ(abundances.objects.size(), 2u);
    const auto& profiles = std::get<TableObject>(abundances.objects[0]);
    const auto& errors = std::get<TableObject>(abundances.objects[1]);
    EXPECT_EQ(profiles.name, QStringLiteral("hesman_c2h4_abund_profiles"));
    EXPECT_EQ(profiles.rows, 20);
    EXPECT_EQ(Names(profiles), Split("Row|Pressure|C2H4 MF 2011-062|C2H4 MF 2011-188|C2H4 MF 2011-199|"
                                     "C2H4 MF 2012-013|C2H4 MF 2012-014|C2H4 MF 2012-047|C2H4 MF 2012-107"));
    EXPECT_EQ(errors.name, QStringLiteral("hesman_c2h4_abund_errors"));
    EXPECT_EQ(errors.rows, 20);
    EXPECT_EQ(Names(errors).at(2), QStringLiteral("C2H4ERR MF 2011-062"));
    EXPECT_TRUE(errors.dataFile.endsWith(QStringLiteral("c2h4_abund_errors.csv")));

    const Product temperatures = ReadPds4Product(
        ProductPath("pds4-table-delimited-cassini-cirs/cocirs_c2h4abund_temp_profiles.xml"));
    ASSERT_EQ(temperatures.objects.size(), 1u);
    const auto& temps = std::get<TableObject>(temperatures.objects[0]);
    EXPECT_EQ(temps.name, QStringLiteral("hesman_c2h4_temp_profiles"));
    EXPECT_EQ(temps.rows, 71);
    EXPECT_EQ(Names(temps).at(2), QStringLiteral("T(K) 2011-062"));
    for (size_t i = 0; i < temps.fields.size(); ++i)
        EXPECT_EQ(temps.fields[i].delimitedIndex, static_cast<int>(i));
}

TEST(Pds4RealProducts, TableOfEveryFieldType)
{
    READ_OR_SKIP(product, "pds4-synthetic-pds4tools/test_table_data_types.xml");
    ASSERT_EQ(product.objects.size(), 1u);
    const auto& table = std::get<TableObject>(product.objects[0]);
    EXPECT_EQ(table.name, QStringLiteral("Table with all Data Types"));
    EXPECT_EQ(table.rows, 3);
    EXPECT_EQ(Names(table),
              Split("SignedByte|UnsignedByte|SignedMSB2|SignedMSB4|SignedMSB8|UnsignedMSB2|UnsignedMSB4|UnsignedMSB8|"
                    "IEEE754MSBSingle|IEEE754MSBDouble|ComplexMSB8|ComplexMSB16|SignedLSB2|SignedLSB4|SignedLSB8|"
                    "UnsignedLSB2|UnsignedLSB4|UnsignedLSB8|IEEE754LSBSingle|IEEE754LSBDouble|ComplexLSB8|"
                    "ComplexLSB16|UnsignedBitString|SignedBitString|ASCII_Real|ASCII_Integer|"
                    "ASCII_NonNegative_Integer|ASCII_Boolean|ASCII_Numeric_Base2|ASCII_Numeric_Base8|"
                    "ASCII_Numeric_Base16|ASCII_String|UTF8_String|Dates_YMD_UTC|Dates_DOY_Local|"
                    "Overflow ASCII_Numeric_Base16|Overflow/Scaling ASCII_Numeric_Base8|"
                    "Overflow/Scaling ASCII_Numeric_Base2|Scaling/Offset Integer 1|Scaling/Offset Integer 2|"
                    "Scaling/Offset Float"));
    // Fields lie one after another from byte 1 to the end of the 370-byte record.
    ASSERT_EQ(table.fields.size(), 41u);
    EXPECT_EQ(table.fields[0].startByte, 0);
    for (size_t i = 1; i < table.fields.size(); ++i)
        EXPECT_EQ(table.fields[i].startByte, table.fields[i - 1].startByte + table.fields[i - 1].bytes) << i;
    EXPECT_EQ(table.fields.back().startByte + table.fields.back().bytes, table.recordBytes);
    // The bit strings are numbers of all their bits.
    EXPECT_EQ(table.fields[22].kind, FieldKind::BitField);
    EXPECT_EQ(table.fields[22].bits, 24);
    EXPECT_FALSE(table.fields[22].bitsSigned);
    EXPECT_TRUE(table.fields[23].bitsSigned);
    EXPECT_EQ(table.fields[40].scaling.scalingFactor, -1e10);
    EXPECT_EQ(table.fields[40].scaling.valueOffset, 1234);
}

TEST(Pds4RealProducts, GroupFieldsBecomeOneFieldPerRepetitionInByteOrder)
{
    READ_OR_SKIP(product, "pds4-synthetic-pds4tools/test_group_fields.xml");
    ASSERT_EQ(product.objects.size(), 2u);
    const auto& two = std::get<TableObject>(product.objects[0]);
    const auto& three = std::get<TableObject>(product.objects[1]);
    EXPECT_EQ(two.name, QStringLiteral("two_group_fields"));
    EXPECT_EQ(two.rows, 21);
    ASSERT_EQ(two.columns.size(), 2u);
    EXPECT_EQ(two.columns[0].items, 50);
    EXPECT_EQ(two.columns[1].items, 50);
    ASSERT_EQ(two.fields.size(), 100u);
    // Two doubles per inner repetition fill the 800-byte record without a gap.
    for (size_t i = 0; i < two.fields.size(); ++i)
        EXPECT_EQ(two.fields[i].startByte, static_cast<std::int64_t>(i) * 8);
    EXPECT_EQ(two.fields[0].name, QStringLiteral("PIXEL_CORNER_LON_1"));
    EXPECT_EQ(two.fields[99].name, QStringLiteral("PIXEL_CORNER_LON_50"));

    EXPECT_EQ(three.name, QStringLiteral("three_group_fields"));
    EXPECT_EQ(three.offset, 16800);
    ASSERT_EQ(three.columns.size(), 3u);
    EXPECT_EQ(three.columns[0].items, 10);
    EXPECT_EQ(three.columns[1].items, 50);
    EXPECT_EQ(three.columns[2].items, 50);
    ASSERT_EQ(three.fields.size(), 110u);
    // Each 88-byte outer repetition: its own double, then five pairs.
    for (size_t i = 0; i < three.fields.size(); ++i)
        EXPECT_EQ(three.fields[i].startByte, static_cast<std::int64_t>(i) * 8);
    EXPECT_EQ(three.fields[11].column, QStringLiteral("PIXEL_CORNER_LON"));
    EXPECT_EQ(three.fields[11].name, QStringLiteral("PIXEL_CORNER_LON_2"));  // the second outer repetition
}

TEST(Pds4RealProducts, MaskedDataTakesEverySpecialConstantChild)
{
    READ_OR_SKIP(product, "pds4-synthetic-pds4tools/test_masked_data.xml");
    ASSERT_EQ(product.objects.size(), 5u);
    const auto& table = std::get<TableObject>(product.objects[0]);
    EXPECT_EQ(table.name, QStringLiteral("Masked Data Table"));
    EXPECT_EQ(table.rows, 4);
    EXPECT_EQ(Names(table), Split("SignedMSB4|IEEE754MSBDouble|ASCII_Real|ASCII_Integer|ASCII_Numeric_Base16|"
                                  "SignedMSB4 with Scaling/Offset|ASCII_Real with Scaling"));
    ASSERT_EQ(table.fields.size(), 7u);
    EXPECT_EQ(table.fields[5].startByte, 0);  // the same bytes as the first field, scaled
    EXPECT_EQ(table.fields[5].scaling.scalingFactor, 10);
    EXPECT_EQ(table.fields[5].scaling.valueOffset, 0.5);
    EXPECT_EQ(table.fields[6].scaling.scalingFactor, 0.1);
    EXPECT_EQ(table.fields[6].specials.at(0).name, QStringLiteral("error_constant"));
    EXPECT_EQ(table.fields[1].specials.at(0).value, -5.7303e100);

    const char* names[] = {"Masked Data Array1", "Masked Data Array2", "Masked Data Array3, with Scaling",
                           "Masked Data Array4, with Scaling"};
    const double constants[] = {3994967214.0, 1.79e200, 3994967214.0, 1.79e200};
    for (int i = 0; i < 4; ++i) {
        const auto& array = std::get<ArrayObject>(product.objects[i + 1]);
        EXPECT_EQ(array.name, QLatin1String(names[i]));
        EXPECT_EQ(array.kind, ArrayKind::Array);
        ASSERT_EQ(array.axes.size(), 1u);
        EXPECT_EQ(array.axes[0].elements, 4);
        ASSERT_EQ(array.specials.size(), 1u);
        EXPECT_EQ(array.specials[0].value, constants[i]);
    }
    EXPECT_EQ(std::get<ArrayObject>(product.objects[1]).specials[0].name, QStringLiteral("satured_constant"));
    EXPECT_EQ(std::get<ArrayObject>(product.objects[3]).scaling.scalingFactor, 5);
    EXPECT_EQ(std::get<ArrayObject>(product.objects[4]).scaling.valueOffset, 10);
}

TEST(Pds4RealProducts, OneDimensionalArraysOfEveryElementType)
{
    READ_OR_SKIP(product, "pds4-synthetic-pds4tools/test_array_data_types.xml");
    const QStringList names = Split(
        "SignedByte|UnsignedByte|SignedMSB2|SignedMSB4|SignedMSB8|UnsignedMSB2|UnsignedMSB4|UnsignedMSB8|"
        "IEEE754MSBSingle|IEEE754MSBDouble|ComplexMSB8|ComplexMSB16|SignedLSB2|SignedLSB4|SignedLSB8|UnsignedLSB2|"
        "UnsignedLSB4|UnsignedLSB8|IEEE754LSBSingle|IEEE754LSBDouble|ComplexLSB8|ComplexLSB16|"
        "Integer Scaling/Offset 1|Integer Scaling/Offset 2|Float Scaling/Offset");
    ASSERT_EQ(product.objects.size(), static_cast<size_t>(names.size()));
    std::int64_t expectedOffset = 0;
    for (int i = 0; i < names.size(); ++i) {
        const auto& array = std::get<ArrayObject>(product.objects[i]);
        SCOPED_TRACE(names[i].toStdString());
        EXPECT_EQ(array.name, names[i]);
        ASSERT_EQ(array.axes.size(), 1u);
        EXPECT_EQ(array.axes[0].name, QStringLiteral("axis"));
        EXPECT_EQ(array.axes[0].elements, 3);
        // The arrays follow one another in the file, three values each.
        EXPECT_EQ(array.offset, expectedOffset);
        expectedOffset += 3 * array.element.bytes;
        if (i < 22) {
            // These arrays are named after their type.
            EXPECT_EQ(array.element.order == ByteOrder::Little, names[i].contains(QStringLiteral("LSB")));
            EXPECT_EQ(array.element.IsComplex(), names[i].startsWith(QStringLiteral("Complex")));
            EXPECT_EQ(array.element.encoding == Encoding::SignedInt, names[i].startsWith(QStringLiteral("Signed")));
        }
    }
}

}  // namespace
