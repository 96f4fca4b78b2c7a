// The PDS4 label reader on labels written here: array layouts, element
// types, tables with groups and bit fields, display directions, special
// constants, and labels that lie or break.

#include "product/Pds4Product.h"
#include "support/QtPrinters.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QRegularExpression>

#include <cmath>

namespace {

using namespace product;

// A whole label around `areas` (file areas) and `discipline` (the content
// of Observation_Area/Discipline_Area).
QByteArray Label(const QByteArray& areas, const QByteArray& discipline = QByteArray())
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<Product_Observational xmlns=\"http://pds.nasa.gov/pds4/pds/v1\"\n"
           "    xmlns:disp=\"http://pds.nasa.gov/pds4/disp/v1\">\n"
           "  <Identification_Area>\n"
           "    <logical_identifier>urn:nasa:pds:test:data:product</logical_identifier>\n"
           "  </Identification_Area>\n"
           "  <Observation_Area>\n"
           "    <Discipline_Area>\n" +
           discipline +
           "    </Discipline_Area>\n"
           "  </Observation_Area>\n" +
           areas + "</Product_Observational>\n";
}

QByteArray FileArea(const QByteArray& objects, const QByteArray& fileName = "data.dat",
                    const QByteArray& area = "File_Area_Observational")
{
    return "  <" + area + ">\n    <File><file_name>" + fileName + "</file_name></File>\n" + objects + "  </" + area +
           ">\n";
}

// One Axis_Array.
QByteArray Axis(const QByteArray& name, long long elements, int sequence)
{
    return "<Axis_Array><axis_name>" + name + "</axis_name><elements>" + QByteArray::number(elements) +
           "</elements><sequence_number>" + QByteArray::number(sequence) + "</sequence_number></Axis_Array>\n";
}

QByteArray ArrayElement(const QByteArray& cls, const QByteArray& name, const QByteArray& type, long long offset,
                        const QByteArray& axes, const QByteArray& extra = QByteArray())
{
    return "<" + cls + "><local_identifier>" + name + "</local_identifier><offset unit=\"byte\">" +
           QByteArray::number(offset) + "</offset><axes>" + QByteArray::number(axes.count("<Axis_Array>")) +
           "</axes><axis_index_order>Last Index Fastest</axis_index_order>\n<Element_Array><data_type>" + type +
           "</data_type></Element_Array>\n" + axes + extra + "</" + cls + ">\n";
}

class Pds4Label : public ::testing::Test {
protected:
    Product Read(const QByteArray& label, const QString& name = QStringLiteral("product.xml"))
    {
        return ReadPds4Product(dir.write(name, label));
    }
    static const ArrayObject& ArrayAt(const Product& product, size_t index)
    {
        return std::get<ArrayObject>(product.objects.at(index));
    }
    static const TableObject& TableAt(const Product& product, size_t index)
    {
        return std::get<TableObject>(product.objects.at(index));
    }
    TempDir dir;
};

TEST_F(Pds4Label, AxesFollowTheSequenceNumbersWithStridesSlowestFirst)
{
    // Axes listed out of order; names that are not Line/Sample/Band.
    const QByteArray axes = Axis("Col", 6, 3) + Axis("Wavelength", 5, 1) + Axis("Row", 4, 2);
    const Product product = Read(Label(FileArea(ArrayElement("Array_3D_Spectrum", "cube", "SignedLSB2", 100, axes))));
    ASSERT_EQ(product.objects.size(), 1u) << product.warnings.join(QLatin1Char('\n')).toStdString();
    const ArrayObject& cube = ArrayAt(product, 0);
    ASSERT_EQ(cube.axes.size(), 3u);
    EXPECT_EQ(cube.axes[0].name, QStringLiteral("Wavelength"));
    EXPECT_EQ(cube.axes[1].name, QStringLiteral("Row"));
    EXPECT_EQ(cube.axes[2].name, QStringLiteral("Col"));
    // 2-byte elements: a Col step is 2 bytes, a Row 6 * 2, a Wavelength 4 * 6 * 2.
    EXPECT_EQ(cube.axes[2].strideBytes, 2);
    EXPECT_EQ(cube.axes[1].strideBytes, 12);
    EXPECT_EQ(cube.axes[0].strideBytes, 48);
    EXPECT_EQ(cube.offset, 100);
    EXPECT_EQ(cube.Lines(), 4);
    EXPECT_EQ(cube.Samples(), 6);
    EXPECT_EQ(cube.Bands(), 5);
    EXPECT_EQ(cube.name, QStringLiteral("cube"));
    EXPECT_EQ(cube.pds4Class, QStringLiteral("Array_3D_Spectrum"));
    EXPECT_EQ(cube.dataFile, dir.file(QStringLiteral("data.dat")));
}

TEST_F(Pds4Label, ImageClassesAreImagesAndOtherArraysAreArrays)
{
    const QByteArray twoAxes = Axis("first", 3, 1) + Axis("second", 7, 2);
    const Product product = Read(
        Label(FileArea(ArrayElement("Array_2D_Image", "a", "UnsignedByte", 0, twoAxes) +
                       ArrayElement("Array_2D", "b", "UnsignedByte", 0, twoAxes) +
                       ArrayElement("Array_3D_Movie", "c", "UnsignedByte", 0,
                                    Axis("Time", 2, 1) + Axis("first", 3, 2) + Axis("second", 7, 3)) +
                       ArrayElement("Array", "d", "UnsignedByte", 0, Axis("axis", 9, 1)))));
    ASSERT_EQ(product.objects.size(), 4u);
    EXPECT_EQ(ArrayAt(product, 0).kind, ArrayKind::Image);
    EXPECT_EQ(ArrayAt(product, 1).kind, ArrayKind::Array);
    EXPECT_EQ(ArrayAt(product, 2).kind, ArrayKind::Image);
    EXPECT_EQ(ArrayAt(product, 3).kind, ArrayKind::Array);
    // Without telling names, the slower of two axes holds the lines.
    EXPECT_EQ(ArrayAt(product, 0).lineAxis, 0);
    EXPECT_EQ(ArrayAt(product, 0).sampleAxis, 1);
    EXPECT_EQ(ArrayAt(product, 0).Lines(), 3);
    EXPECT_EQ(ArrayAt(product, 0).Samples(), 7);
    // A one-axis array has no line or sample axis.
    EXPECT_EQ(ArrayAt(product, 3).lineAxis, -1);
    EXPECT_EQ(ArrayAt(product, 3).sampleAxis, -1);
}

TEST_F(Pds4Label, EveryElementTypeOfTheInformationModel)
{
    struct Expected {
        const char* name;
        Encoding encoding;
        int bytes;
        ByteOrder order;
    };
    const Expected types[] = {
        {"SignedByte", Encoding::SignedInt, 1, ByteOrder::Big},
        {"UnsignedByte", Encoding::UnsignedInt, 1, ByteOrder::Big},
        {"SignedMSB2", Encoding::SignedInt, 2, ByteOrder::Big},
        {"SignedMSB4", Encoding::SignedInt, 4, ByteOrder::Big},
        {"SignedMSB8", Encoding::SignedInt, 8, ByteOrder::Big},
        {"SignedLSB2", Encoding::SignedInt, 2, ByteOrder::Little},
        {"SignedLSB4", Encoding::SignedInt, 4, ByteOrder::Little},
        {"SignedLSB8", Encoding::SignedInt, 8, ByteOrder::Little},
        {"UnsignedMSB2", Encoding::UnsignedInt, 2, ByteOrder::Big},
        {"UnsignedMSB4", Encoding::UnsignedInt, 4, ByteOrder::Big},
        {"UnsignedMSB8", Encoding::UnsignedInt, 8, ByteOrder::Big},
        {"UnsignedLSB2", Encoding::UnsignedInt, 2, ByteOrder::Little},
        {"UnsignedLSB4", Encoding::UnsignedInt, 4, ByteOrder::Little},
        {"UnsignedLSB8", Encoding::UnsignedInt, 8, ByteOrder::Little},
        {"IEEE754MSBSingle", Encoding::IeeeReal, 4, ByteOrder::Big},
        {"IEEE754MSBDouble", Encoding::IeeeReal, 8, ByteOrder::Big},
        {"IEEE754LSBSingle", Encoding::IeeeReal, 4, ByteOrder::Little},
        {"IEEE754LSBDouble", Encoding::IeeeReal, 8, ByteOrder::Little},
        {"ComplexMSB8", Encoding::IeeeComplex, 8, ByteOrder::Big},
        {"ComplexMSB16", Encoding::IeeeComplex, 16, ByteOrder::Big},
        {"ComplexLSB8", Encoding::IeeeComplex, 8, ByteOrder::Little},
        {"ComplexLSB16", Encoding::IeeeComplex, 16, ByteOrder::Little},
    };
    QByteArray arrays;
    for (const Expected& type : types)
        arrays += ArrayElement("Array_1D", type.name, type.name, 0, Axis("axis", 10, 1));
    const Product product = Read(Label(FileArea(arrays)));
    ASSERT_EQ(product.objects.size(), std::size(types));
    for (size_t i = 0; i < std::size(types); ++i) {
        const ArrayObject& array = ArrayAt(product, i);
        SCOPED_TRACE(types[i].name);
        EXPECT_EQ(array.element.encoding, types[i].encoding);
        EXPECT_EQ(array.element.bytes, types[i].bytes);
        EXPECT_EQ(array.element.order, types[i].order);
        EXPECT_EQ(array.axes[0].strideBytes, types[i].bytes);
    }
}

TEST_F(Pds4Label, ScalingUnitAndEverySpecialConstantChild)
{
    const QByteArray extra =
        "<Special_Constants>\n"
        "  <saturated_constant>255</saturated_constant>\n"
        "  <missing_constant>16#FF00#</missing_constant>\n"
        "  <satured_constant>-1.5e3</satured_constant>\n"
        "  <valid_minimum>1</valid_minimum>\n"
        "  <valid_maximum>254</valid_maximum>\n"
        "  <unknown_constant>NONE</unknown_constant>\n"
        "</Special_Constants>\n";
    QByteArray array = ArrayElement("Array_2D_Image", "img", "IEEE754MSBSingle", 0,
                                    Axis("Line", 2, 1) + Axis("Sample", 2, 2), extra);
    array.replace("</data_type>",
                  "</data_type><unit>W/m**2</unit><scaling_factor>0.5</scaling_factor>"
                  "<value_offset>-10</value_offset>");
    const Product product = Read(Label(FileArea(array)));
    ASSERT_EQ(product.objects.size(), 1u);
    const ArrayObject& image = ArrayAt(product, 0);
    EXPECT_EQ(image.unit, QStringLiteral("W/m**2"));
    EXPECT_EQ(image.scaling.scalingFactor, 0.5);
    EXPECT_EQ(image.scaling.valueOffset, -10);
    ASSERT_EQ(image.specials.size(), 3u);
    EXPECT_EQ(image.specials[0].name, QStringLiteral("saturated_constant"));
    EXPECT_EQ(image.specials[0].value, 255);
    EXPECT_EQ(image.specials[1].name, QStringLiteral("missing_constant"));
    EXPECT_EQ(image.specials[1].value, 0xFF00);
    EXPECT_EQ(image.specials[2].name, QStringLiteral("satured_constant"));
    EXPECT_EQ(image.specials[2].value, -1500);
    // The text constant is named in a warning; the object stays.
    ASSERT_EQ(product.warnings.size(), 1);
    EXPECT_TRUE(product.warnings[0].contains(QStringLiteral("unknown_constant"))) << product.warnings[0].toStdString();
}

TEST_F(Pds4Label, DisplayDirectionOfTheReferencedArrayInAnyNamespacePrefix)
{
    // The disp namespace under another prefix, the reference in the pds namespace.
    const QByteArray discipline =
        "<d:Display_Settings xmlns:d=\"http://pds.nasa.gov/pds4/disp/v1\">\n"
        "  <Local_Internal_Reference>\n"
        "    <local_identifier_reference>flipped</local_identifier_reference>\n"
        "    <local_reference_type>display_settings_to_array</local_reference_type>\n"
        "  </Local_Internal_Reference>\n"
        "  <d:Display_Direction>\n"
        "    <d:horizontal_display_axis>first</d:horizontal_display_axis>\n"
        "    <d:horizontal_display_direction>Right to Left</d:horizontal_display_direction>\n"
        "    <d:vertical_display_axis>second</d:vertical_display_axis>\n"
        "    <d:vertical_display_direction>Bottom to Top</d:vertical_display_direction>\n"
        "  </d:Display_Direction>\n"
        "</d:Display_Settings>\n";
    const QByteArray axes = Axis("first", 3, 1) + Axis("second", 5, 2);
    const Product product = Read(Label(FileArea(ArrayElement("Array_2D_Image", "plain", "UnsignedByte", 0, axes) +
                                                ArrayElement("Array_2D_Image", "flipped", "UnsignedByte", 0, axes)),
                                       discipline));
    ASSERT_EQ(product.objects.size(), 2u);
    const ArrayObject& plain = ArrayAt(product, 0);
    EXPECT_TRUE(plain.samplesLeftToRight);
    EXPECT_TRUE(plain.linesTopToBottom);
    EXPECT_EQ(plain.lineAxis, 0);
    const ArrayObject& flipped = ArrayAt(product, 1);
    EXPECT_FALSE(flipped.samplesLeftToRight);
    EXPECT_FALSE(flipped.linesTopToBottom);
    // The display axes say which axis runs down (lines) and which across.
    EXPECT_EQ(flipped.lineAxis, 1);
    EXPECT_EQ(flipped.sampleAxis, 0);
    EXPECT_EQ(flipped.Lines(), 5);
    EXPECT_EQ(flipped.Samples(), 3);
}

TEST_F(Pds4Label, EarlyDisplay2DImageInsideTheArray)
{
    const QByteArray display =
        "<Display_2D_Image><line_display_direction>Up</line_display_direction>"
        "<sample_display_direction>Right</sample_display_direction></Display_2D_Image>\n";
    const Product product = Read(Label(FileArea(
        ArrayElement("Array_2D_Image", "up", "UnsignedByte", 0, Axis("Line", 2, 1) + Axis("Sample", 2, 2), display))));
    ASSERT_EQ(product.objects.size(), 1u);
    EXPECT_FALSE(ArrayAt(product, 0).linesTopToBottom);
    EXPECT_TRUE(ArrayAt(product, 0).samplesLeftToRight);
}

// A binary record of 40 bytes:
//   byte 1    id     UnsignedMSB2
//   byte 3    group of 3 repetitions of 6 bytes: x SignedLSB4, then a
//             2-byte packed field: hi = bits 1-3, lo = bits 4-16 (signed)
//   byte 21   tail   IEEE754MSBDouble
//   byte 29   group of 2 repetitions of 6 bytes, each a group of 2
//             repetitions of 3 bytes holding v (ASCII_Integer)
const QByteArray kBinaryTable = R"(<Table_Binary>
  <name>packets</name>
  <offset unit="byte">512</offset>
  <records>7</records>
  <Record_Binary>
    <fields>2</fields>
    <groups>2</groups>
    <record_length unit="byte">40</record_length>
    <Field_Binary>
      <name>id</name>
      <field_location unit="byte">1</field_location>
      <data_type>UnsignedMSB2</data_type>
      <field_length unit="byte">2</field_length>
      <unit>count</unit>
    </Field_Binary>
    <Group_Field_Binary>
      <repetitions>3</repetitions>
      <fields>2</fields>
      <groups>0</groups>
      <group_location unit="byte">3</group_location>
      <group_length unit="byte">18</group_length>
      <Field_Binary>
        <name>x</name>
        <field_location unit="byte">1</field_location>
        <data_type>SignedLSB4</data_type>
        <field_length unit="byte">4</field_length>
        <scaling_factor>0.25</scaling_factor>
        <Special_Constants><missing_constant>-1</missing_constant></Special_Constants>
      </Field_Binary>
      <Field_Binary>
        <name>flags</name>
        <field_location unit="byte">5</field_location>
        <data_type>UnsignedBitString</data_type>
        <field_length unit="byte">2</field_length>
        <Packed_Data_Fields>
          <bit_fields>2</bit_fields>
          <Field_Bit>
            <name>hi</name>
            <start_bit_location>1</start_bit_location>
            <stop_bit_location>3</stop_bit_location>
            <data_type>UnsignedBitString</data_type>
          </Field_Bit>
          <Field_Bit>
            <name>lo</name>
            <start_bit_location>4</start_bit_location>
            <stop_bit_location>16</stop_bit_location>
            <data_type>SignedBitString</data_type>
          </Field_Bit>
        </Packed_Data_Fields>
      </Field_Binary>
    </Group_Field_Binary>
    <Field_Binary>
      <name>tail</name>
      <field_location unit="byte">21</field_location>
      <data_type>IEEE754MSBDouble</data_type>
      <field_length unit="byte">8</field_length>
    </Field_Binary>
    <Group_Field_Binary>
      <repetitions>2</repetitions>
      <fields>0</fields>
      <groups>1</groups>
      <group_location unit="byte">29</group_location>
      <group_length unit="byte">12</group_length>
      <Group_Field_Binary>
        <repetitions>2</repetitions>
        <fields>1</fields>
        <groups>0</groups>
        <group_location unit="byte">1</group_location>
        <group_length unit="byte">6</group_length>
        <Field_Binary>
          <name>v</name>
          <field_location unit="byte">1</field_location>
          <data_type>ASCII_Integer</data_type>
          <field_length unit="byte">3</field_length>
        </Field_Binary>
      </Group_Field_Binary>
    </Group_Field_Binary>
  </Record_Binary>
</Table_Binary>
)";

TEST_F(Pds4Label, BinaryTableGroupsAndBitFieldsAreFlattenedInByteOrder)
{
    const Product product = Read(Label(FileArea(kBinaryTable)));
    ASSERT_EQ(product.objects.size(), 1u) << product.warnings.join(QLatin1Char('\n')).toStdString();
    const TableObject& table = TableAt(product, 0);
    EXPECT_EQ(table.name, QStringLiteral("packets"));
    EXPECT_EQ(table.format, TableFormat::Binary);
    EXPECT_EQ(table.offset, 512);
    EXPECT_EQ(table.rows, 7);
    EXPECT_EQ(table.recordBytes, 40);

    struct Expected {
        const char* name;
        std::int64_t startByte;
    };
    const Expected fields[] = {
        {"id", 0},    {"x_1", 2},   {"hi_1", 6},  {"lo_1", 6}, {"x_2", 8},  {"hi_2", 12}, {"lo_2", 12}, {"x_3", 14},
        {"hi_3", 18}, {"lo_3", 18}, {"tail", 20}, {"v_1", 28}, {"v_2", 31}, {"v_3", 34},  {"v_4", 37},
    };
    ASSERT_EQ(table.fields.size(), std::size(fields));
    for (size_t i = 0; i < std::size(fields); ++i) {
        SCOPED_TRACE(fields[i].name);
        EXPECT_EQ(table.fields[i].name, QLatin1String(fields[i].name));
        EXPECT_EQ(table.fields[i].startByte, fields[i].startByte);
    }
    const Field& x2 = table.fields[4];
    EXPECT_EQ(x2.column, QStringLiteral("x"));
    EXPECT_EQ(x2.kind, FieldKind::Binary);
    EXPECT_EQ(x2.element.encoding, Encoding::SignedInt);
    EXPECT_EQ(x2.element.order, ByteOrder::Little);
    EXPECT_EQ(x2.bytes, 4);
    EXPECT_EQ(x2.scaling.scalingFactor, 0.25);
    ASSERT_EQ(x2.specials.size(), 1u);
    EXPECT_EQ(x2.specials[0].value, -1);

    const Field& hi = table.fields[2];
    EXPECT_EQ(hi.kind, FieldKind::BitField);
    EXPECT_EQ(hi.bytes, 2);
    EXPECT_EQ(hi.startBit, 0);
    EXPECT_EQ(hi.bits, 3);
    EXPECT_FALSE(hi.bitsSigned);
    const Field& lo = table.fields[3];
    EXPECT_EQ(lo.startBit, 3);
    EXPECT_EQ(lo.bits, 13);
    EXPECT_TRUE(lo.bitsSigned);

    EXPECT_EQ(table.fields[11].kind, FieldKind::AsciiInteger);
    EXPECT_EQ(table.fields[0].unit, QStringLiteral("count"));

    // The logical columns, in label order, with their value counts.
    ASSERT_EQ(table.columns.size(), 6u);
    const std::pair<const char*, int> columns[] = {{"id", 1}, {"x", 3}, {"hi", 3}, {"lo", 3}, {"tail", 1}, {"v", 4}};
    for (size_t i = 0; i < std::size(columns); ++i) {
        EXPECT_EQ(table.columns[i].name, QLatin1String(columns[i].first));
        EXPECT_EQ(table.columns[i].items, columns[i].second);
    }
}

TEST_F(Pds4Label, CharacterTableFieldsAndTextTypes)
{
    const QByteArray table = R"(<Table_Character>
  <offset unit="byte">10</offset>
  <records>3</records>
  <record_delimiter>Carriage-Return Line-Feed</record_delimiter>
  <Record_Character>
    <fields>4</fields>
    <groups>0</groups>
    <record_length unit="byte">42</record_length>
    <Field_Character><name>when</name><field_location unit="byte">1</field_location>
      <data_type>ASCII_Date_Time_YMD_UTC</data_type><field_length unit="byte">24</field_length></Field_Character>
    <Field_Character><name>hex</name><field_location unit="byte">26</field_location>
      <data_type>ASCII_Numeric_Base16</data_type><field_length unit="byte">4</field_length></Field_Character>
    <Field_Character><name>flag</name><field_location unit="byte">31</field_location>
      <data_type>ASCII_Boolean</data_type><field_length unit="byte">1</field_length></Field_Character>
    <Field_Character><local_identifier>id</local_identifier><field_location unit="byte">33</field_location>
      <data_type>ASCII_LIDVID</data_type><field_length unit="byte">8</field_length>
      <field_format>%8s</field_format></Field_Character>
  </Record_Character>
</Table_Character>
)";
    const Product product = Read(Label(FileArea(table)));
    ASSERT_EQ(product.objects.size(), 1u);
    const TableObject& t = TableAt(product, 0);
    EXPECT_EQ(t.format, TableFormat::Character);
    EXPECT_TRUE(t.name.isEmpty());
    EXPECT_EQ(t.recordBytes, 42);
    ASSERT_EQ(t.fields.size(), 4u);
    EXPECT_EQ(t.fields[0].kind, FieldKind::AsciiDateTime);
    EXPECT_EQ(t.fields[1].kind, FieldKind::AsciiNumericBase);
    EXPECT_EQ(t.fields[1].base, 16);
    EXPECT_EQ(t.fields[1].startByte, 25);
    EXPECT_EQ(t.fields[2].kind, FieldKind::AsciiBoolean);
    EXPECT_EQ(t.fields[3].kind, FieldKind::AsciiText);
    EXPECT_EQ(t.fields[3].name, QStringLiteral("id"));
    EXPECT_EQ(t.fields[3].format, QStringLiteral("%8s"));
    EXPECT_EQ(t.fields[3].bytes, 8);
}

TEST_F(Pds4Label, DelimitedTablesByDelimiterNameWithGroups)
{
    const std::pair<const char*, char> delimiters[] = {
        {"Comma", ','}, {"Horizontal Tab", '\t'}, {"Semicolon", ';'}, {"Vertical Bar", '|'}};
    QByteArray tables;
    for (const auto& [name, character] : delimiters) {
        Q_UNUSED(character);
        tables += QByteArray(R"(<Table_Delimited>
  <offset unit="byte">0</offset>
  <parsing_standard_id>PDS DSV 1</parsing_standard_id>
  <records>5</records>
  <record_delimiter>Line-Feed</record_delimiter>
  <field_delimiter>)") +
                  name + R"(</field_delimiter>
  <Record_Delimited>
    <fields>1</fields>
    <groups>1</groups>
    <Field_Delimited><name>time</name><field_number>1</field_number><data_type>ASCII_Time</data_type></Field_Delimited>
    <Group_Field_Delimited>
      <repetitions>2</repetitions>
      <fields>2</fields>
      <groups>0</groups>
      <Field_Delimited><name>a</name><field_number>1</field_number><data_type>ASCII_Real</data_type>
        <maximum_field_length unit="byte">12</maximum_field_length></Field_Delimited>
      <Field_Delimited><name>b</name><field_number>2</field_number><data_type>ASCII_Integer</data_type></Field_Delimited>
    </Group_Field_Delimited>
  </Record_Delimited>
</Table_Delimited>
)";
    }
    const Product product = Read(Label(FileArea(tables)));
    ASSERT_EQ(product.objects.size(), std::size(delimiters));
    for (size_t i = 0; i < std::size(delimiters); ++i) {
        const TableObject& table = TableAt(product, i);
        SCOPED_TRACE(delimiters[i].first);
        EXPECT_EQ(table.format, TableFormat::Delimited);
        EXPECT_EQ(table.delimiter, QLatin1Char(delimiters[i].second));
        EXPECT_EQ(table.quote, QLatin1Char('"'));
        EXPECT_EQ(table.rows, 5);
        ASSERT_EQ(table.fields.size(), 5u);
        const char* names[] = {"time", "a_1", "b_1", "a_2", "b_2"};
        for (int f = 0; f < 5; ++f) {
            EXPECT_EQ(table.fields[f].name, QLatin1String(names[f]));
            EXPECT_EQ(table.fields[f].delimitedIndex, f);
        }
        EXPECT_EQ(table.fields[0].kind, FieldKind::AsciiDateTime);
        EXPECT_EQ(table.fields[1].bytes, 12);
    }
}

TEST_F(Pds4Label, ACollectionInventoryIsADelimitedTable)
{
    const QByteArray inventory = R"(<Inventory>
  <offset unit="byte">0</offset>
  <parsing_standard_id>PDS DSV 1</parsing_standard_id>
  <records>12</records>
  <record_delimiter>Carriage-Return Line-Feed</record_delimiter>
  <field_delimiter>Comma</field_delimiter>
  <Record_Delimited>
    <fields>2</fields>
    <groups>0</groups>
    <Field_Delimited><name>Member Status</name><field_number>1</field_number><data_type>ASCII_String</data_type>
      <maximum_field_length unit="byte">1</maximum_field_length></Field_Delimited>
    <Field_Delimited><name>LIDVID_LID</name><field_number>2</field_number><data_type>ASCII_LIDVID_LID</data_type>
      <maximum_field_length unit="byte">255</maximum_field_length></Field_Delimited>
  </Record_Delimited>
  <reference_type>inventory_has_member_product</reference_type>
</Inventory>
)";
    QByteArray label = Label(FileArea(inventory, "collection.csv", "File_Area_Inventory"));
    label.replace("Product_Observational", "Product_Collection");
    const Product product = Read(label);
    ASSERT_EQ(product.objects.size(), 1u) << product.warnings.join(QLatin1Char('\n')).toStdString();
    const TableObject& table = TableAt(product, 0);
    EXPECT_EQ(table.objectType, QStringLiteral("Inventory"));
    EXPECT_EQ(table.format, TableFormat::Delimited);
    EXPECT_EQ(table.rows, 12);
    ASSERT_EQ(table.fields.size(), 2u);
    EXPECT_EQ(table.fields[1].name, QStringLiteral("LIDVID_LID"));
    EXPECT_EQ(table.fields[1].kind, FieldKind::AsciiText);
    EXPECT_EQ(table.fields[1].bytes, 255);
}

TEST_F(Pds4Label, EveryFileAreaKindAndTheDataFileWhateverItsCase)
{
    dir.write(QStringLiteral("anc.tab"), "x");
    dir.write(QStringLiteral("DATA.IMG"), "x");
    const QByteArray array = ArrayElement("Array_1D", "one", "UnsignedByte", 0, Axis("axis", 1, 1));
    const QByteArray header =
        "<Header><offset unit=\"byte\">0</offset><object_length unit=\"byte\">10</object_length>"
        "<parsing_standard_id>PDS3</parsing_standard_id></Header>\n";
    const Product product = Read(Label(FileArea(header + array, "data.img") +
                                       FileArea(array, "supplement.dat", "File_Area_Observational_Supplemental") +
                                       FileArea(array, "anc.tab", "File_Area_Ancillary")));
    ASSERT_EQ(product.objects.size(), 3u);
    EXPECT_EQ(ArrayAt(product, 0).dataFile, dir.file(QStringLiteral("DATA.IMG")));
    EXPECT_EQ(ArrayAt(product, 1).dataFile, dir.file(QStringLiteral("supplement.dat")));
    EXPECT_EQ(ArrayAt(product, 2).dataFile, dir.file(QStringLiteral("anc.tab")));
}

TEST_F(Pds4Label, StructureNamesEveryElementWithItsLines)
{
    const QByteArray label = Label(
        FileArea(ArrayElement("Array_2D_Image", "pic", "UnsignedByte", 0, Axis("Line", 2, 1) + Axis("Sample", 2, 2))));
    const Product product = Read(label);
    EXPECT_EQ(product.flavour, LabelFlavour::Pds4);
    EXPECT_EQ(product.labelText.toUtf8(), label);
    EXPECT_EQ(product.labelFile, dir.file(QStringLiteral("product.xml")));
    const LabelNode& root = product.structure;
    EXPECT_EQ(root.name, QStringLiteral("Product_Observational"));
    EXPECT_EQ(root.firstLine, 1);
    EXPECT_EQ(root.lastLine, label.count('\n'));
    // Identification_Area, Observation_Area, File_Area_Observational.
    ASSERT_EQ(root.children.size(), 3u);
    const LabelNode& area = root.children[2];
    EXPECT_EQ(area.name, QStringLiteral("File_Area_Observational"));
    ASSERT_EQ(area.children.size(), 2u);  // File, Array_2D_Image
    const LabelNode& pic = area.children[1];
    EXPECT_EQ(pic.title, QStringLiteral("pic"));
    EXPECT_EQ(pic.dataObject, 0);
    EXPECT_EQ(area.children[0].dataObject, -1);
    // The lines where the array element starts and ends in the text.
    const QList<QByteArray> lines = label.split('\n');
    EXPECT_TRUE(lines[pic.firstLine - 1].contains("<Array_2D_Image>"));
    EXPECT_TRUE(lines[pic.lastLine - 1].contains("</Array_2D_Image>"));
    EXPECT_TRUE(lines[area.firstLine - 1].contains("<File_Area_Observational>"));
}

TEST_F(Pds4Label, ElementsUnderANamespacePrefixReadLikePlainOnes)
{
    // Every element written as pds:NAME, the pds namespace bound to that prefix.
    QString text = QString::fromUtf8(Label(
        FileArea(ArrayElement("Array_2D_Image", "pic", "SignedMSB2", 8, Axis("Line", 2, 1) + Axis("Sample", 3, 2)))));
    text.replace(QRegularExpression(QStringLiteral("<(/?)([A-Za-z])")), QStringLiteral("<\\1pds:\\2"));
    text.replace(QStringLiteral("xmlns=\"http://pds.nasa.gov/pds4/pds/v1\""),
                 QStringLiteral("xmlns:pds=\"http://pds.nasa.gov/pds4/pds/v1\""));
    ASSERT_TRUE(text.contains(QStringLiteral("<pds:Product_Observational")));
    const Product product = Read(text.toUtf8());
    ASSERT_EQ(product.objects.size(), 1u) << product.warnings.join(QLatin1Char('\n')).toStdString();
    const ArrayObject& pic = ArrayAt(product, 0);
    EXPECT_EQ(pic.name, QStringLiteral("pic"));
    EXPECT_EQ(pic.offset, 8);
    EXPECT_EQ(pic.axes[0].strideBytes, 6);
    EXPECT_EQ(product.structure.name, QStringLiteral("Product_Observational"));
}

TEST_F(Pds4Label, FilesThatAreNoPds4LabelAreRefusedNamingTheFile)
{
    const QString pds3 = dir.write(QStringLiteral("a.lbl"), "PDS_VERSION_ID = PDS3\r\nEND\r\n");
    const QString other = dir.write(QStringLiteral("b.xml"), "<?xml version=\"1.0\"?><html><body/></html>");
    const QString empty = dir.write(QStringLiteral("c.xml"), "");
    for (const QString& path : {pds3, other, empty, dir.file(QStringLiteral("absent.xml"))}) {
        try {
            ReadPds4Product(path);
            ADD_FAILURE() << "read " << path.toStdString();
        } catch (const Error& error) {
            EXPECT_TRUE(error.message.startsWith(path)) << error.message.toStdString();
        }
    }
}

TEST_F(Pds4Label, ObjectsALabelCannotDescribeAreLeftOutAndTheRestIsRead)
{
    const QByteArray good = ArrayElement("Array_1D", "good", "UnsignedByte", 0, Axis("axis", 4, 1));
    const QByteArray huge = ArrayElement(
        "Array_3D", "huge", "IEEE754MSBDouble", 0,
        Axis("a", 1000000000, 1) + Axis("b", 1000000000, 2) + Axis("c", 1000000000, 3));
    const QByteArray unknownType = ArrayElement("Array_1D", "strange", "Float128", 0, Axis("axis", 4, 1));
    QByteArray noOffset = good;
    noOffset.replace("<offset unit=\"byte\">0</offset>", "").replace("good", "nooffset");
    QByteArray zeroAxis = ArrayElement("Array_1D", "empty", "UnsignedByte", 0, Axis("axis", 0, 1));
    QByteArray outside = kBinaryTable;
    outside.replace("<record_length unit=\"byte\">40</record_length>",
                    "<record_length unit=\"byte\">39</record_length>");
    QByteArray manyValues = kBinaryTable;
    manyValues.replace("<repetitions>2</repetitions>", "<repetitions>100000</repetitions>");
    QByteArray negativeOffset = good;
    negativeOffset.replace(">0</offset>", ">-5</offset>").replace("good", "negative");

    const Product product = Read(
        Label(FileArea(huge + unknownType + noOffset + zeroAxis + good + outside + manyValues + negativeOffset)));
    ASSERT_EQ(product.objects.size(), 1u);
    EXPECT_EQ(ArrayAt(product, 0).name, QStringLiteral("good"));
    ASSERT_EQ(product.warnings.size(), 7) << product.warnings.join(QLatin1Char('\n')).toStdString();
    const char* named[] = {"'huge'", "Float128", "offset", "elements", "'v_4'", "100000", "-5"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_TRUE(product.warnings[i].contains(QLatin1String(named[i]))) << product.warnings[i].toStdString();
        EXPECT_TRUE(product.warnings[i].startsWith(QStringLiteral("line "))) << product.warnings[i].toStdString();
    }
}

TEST_F(Pds4Label, RepetitionsOfEmptyGroupsAreBoundedToo)
{
    // Twenty groups of 10000 repetitions hold no field, yet laying them out
    // would visit each repetition: the table is refused, not walked.
    QByteArray groups;
    for (int i = 0; i < 20; ++i) {
        groups +=
            "<Group_Field_Delimited><repetitions>10000</repetitions><fields>0</fields><groups>0</groups>"
            "</Group_Field_Delimited>\n";
    }
    const QByteArray table =
        "<Table_Delimited><offset unit=\"byte\">0</offset><records>1</records>"
        "<field_delimiter>Comma</field_delimiter><Record_Delimited>\n" +
        groups + "</Record_Delimited></Table_Delimited>\n";
    const Product product = Read(Label(FileArea(table)));
    EXPECT_TRUE(product.objects.empty());
    ASSERT_EQ(product.warnings.size(), 1);
    EXPECT_TRUE(product.warnings[0].contains(QStringLiteral("Table_Delimited"))) << product.warnings[0].toStdString();
}

TEST_F(Pds4Label, ABrokenLabelKeepsWhatCameBeforeTheBreak)
{
    QByteArray label = Label(FileArea(ArrayElement("Array_1D", "before", "UnsignedByte", 0, Axis("axis", 4, 1)) +
                                      "<Array_1D><offset>0</offset><oops></Array_1D>\n"));
    const Product product = Read(label);
    ASSERT_EQ(product.objects.size(), 1u);
    EXPECT_EQ(ArrayAt(product, 0).name, QStringLiteral("before"));
    ASSERT_FALSE(product.warnings.isEmpty());
    const int brokenLine = static_cast<int>(label.left(label.indexOf("<oops>")).count('\n')) + 1;
    EXPECT_TRUE(product.warnings[0].startsWith(QStringLiteral("line %1:").arg(brokenLine)))
        << product.warnings[0].toStdString();
}

TEST_F(Pds4Label, DeepNestingIsCutNotFollowed)
{
    QByteArray deep;
    for (int i = 0; i < 5000; ++i)
        deep += "<Group_Field_Binary>";
    for (int i = 0; i < 5000; ++i)
        deep += "</Group_Field_Binary>";
    const Product product = Read(Label(FileArea(deep)));
    EXPECT_TRUE(product.objects.empty());
    EXPECT_FALSE(product.warnings.isEmpty());
}

}  // namespace
