#pragma once
// Writes PDS4 image products for the viewer's tests: a label and a raw
// file of 16-bit unsigned MSB samples whose values the test chooses, so the
// expected values come from the test, never from the reader.

#include "product/ByteWriter.h"
#include "support/TempDir.h"

#include <QString>

#include <cstdint>
#include <functional>

struct ImageLayout {
    std::int64_t lines = 10;
    std::int64_t samples = 10;
    std::int64_t bands = 1;
    // The stored value of (band, line, sample).
    std::function<std::uint16_t(std::int64_t, std::int64_t, std::int64_t)> value =
        [](std::int64_t, std::int64_t line, std::int64_t sample) { return std::uint16_t(line * 100 + sample); };
    QString missingConstant;  // empty: none
    QString unit;
    QString scalingFactor;
    QString valueOffset;
    bool rightToLeft = false;
    bool bottomToTop = false;
    bool truncate = false;  // the data file ends halfway
};

inline QString WriteImageProduct(const TempDir& dir, const QString& name, const ImageLayout& layout)
{
    ByteWriter data;
    for (std::int64_t b = 0; b < layout.bands; ++b)
        for (std::int64_t l = 0; l < layout.lines; ++l)
            for (std::int64_t s = 0; s < layout.samples; ++s)
                data.Big(layout.value(b, l, s), 2);
    QByteArray bytes = data.bytes();
    if (layout.truncate)
        bytes.truncate(bytes.size() / 2);
    dir.write(name + QStringLiteral(".raw"), bytes);

    const bool threeD = layout.bands > 1;
    QString axes;
    int sequence = 1;
    const auto axis = [&](const char* axisName, std::int64_t elements) {
        axes += QStringLiteral(
                    "      <Axis_Array><axis_name>%1</axis_name><elements>%2</elements>"
                    "<sequence_number>%3</sequence_number></Axis_Array>\n")
                    .arg(QLatin1String(axisName))
                    .arg(elements)
                    .arg(sequence++);
    };
    if (threeD)
        axis("Band", layout.bands);
    axis("Line", layout.lines);
    axis("Sample", layout.samples);
    QString element = QStringLiteral("        <data_type>UnsignedMSB2</data_type>\n");
    if (!layout.unit.isEmpty())
        element += QStringLiteral("        <unit>%1</unit>\n").arg(layout.unit);
    if (!layout.scalingFactor.isEmpty())
        element += QStringLiteral("        <scaling_factor>%1</scaling_factor>\n").arg(layout.scalingFactor);
    if (!layout.valueOffset.isEmpty())
        element += QStringLiteral("        <value_offset>%1</value_offset>\n").arg(layout.valueOffset);
    const QString specials =
        layout.missingConstant.isEmpty()
            ? QString()
            : QStringLiteral("      <Special_Constants><missing_constant>%1</missing_constant></Special_Constants>\n")
                  .arg(layout.missingConstant);
    QString display;
    if (layout.rightToLeft || layout.bottomToTop)
        display = QStringLiteral(
                      "  <Observation_Area>\n"
                      "    <Discipline_Area>\n"
                      "      <Display_Settings>\n"
                      "        <Local_Internal_Reference>\n"
                      "          <local_identifier_reference>image</local_identifier_reference>\n"
                      "        </Local_Internal_Reference>\n"
                      "        <Display_Direction>\n"
                      "          <horizontal_display_axis>Sample</horizontal_display_axis>\n"
                      "          <horizontal_display_direction>%1</horizontal_display_direction>\n"
                      "          <vertical_display_axis>Line</vertical_display_axis>\n"
                      "          <vertical_display_direction>%2</vertical_display_direction>\n"
                      "        </Display_Direction>\n"
                      "      </Display_Settings>\n"
                      "    </Discipline_Area>\n"
                      "  </Observation_Area>\n")
                      .arg(QLatin1String(layout.rightToLeft ? "Right to Left" : "Left to Right"),
                           QLatin1String(layout.bottomToTop ? "Bottom to Top" : "Top to Bottom"));
    const QString label = QStringLiteral(
                              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                              "<Product_Observational xmlns=\"http://pds.nasa.gov/pds4/pds/v1\">\n"
                              "  <Identification_Area>\n"
                              "    <logical_identifier>urn:nasa:pds:viewer_test:%1</logical_identifier>\n"
                              "    <version_id>1.0</version_id>\n"
                              "  </Identification_Area>\n"
                              "%2"
                              "  <File_Area_Observational>\n"
                              "    <File><file_name>%1.raw</file_name></File>\n"
                              "    <%3>\n"
                              "      <name>TEST_IMAGE</name>\n"
                              "      <local_identifier>image</local_identifier>\n"
                              "      <offset unit=\"byte\">0</offset>\n"
                              "      <axes>%4</axes>\n"
                              "      <axis_index_order>Last Index Fastest</axis_index_order>\n"
                              "      <Element_Array>\n%5      </Element_Array>\n"
                              "%6%7"
                              "    </%3>\n"
                              "  </File_Area_Observational>\n"
                              "</Product_Observational>\n")
                              .arg(name, display, QLatin1String(threeD ? "Array_3D_Image" : "Array_2D_Image"))
                              .arg(threeD ? 3 : 2)
                              .arg(element, axes, specials);
    return dir.write(name + QStringLiteral(".xml"), label.toUtf8());
}
