// How values become colours: the summary of a band (percentiles,
// extremes, histogram) without special values, the stretch, the colour
// maps and the drawing of one band or three in a display direction.

#include "viewer/BandPicture.h"
#include "viewer/ColourMap.h"
#include "viewer/LabelHighlighter.h"

#include <gtest/gtest.h>
#include <QColor>

#include <cmath>
#include <limits>

using namespace viewer;

namespace {

BandPicture Picture(int width, int height, std::vector<float> values)
{
    BandPicture picture;
    picture.width = width;
    picture.height = height;
    picture.values = std::move(values);
    return picture;
}

double Luminance(QRgb colour) { return 0.2126 * qRed(colour) + 0.7152 * qGreen(colour) + 0.0722 * qBlue(colour); }

}  // namespace

TEST(BandSummary, PercentilesAndHistogramLeaveOutSpecialValues)
{
    // 0..999 once each, plus samples the stretch must not see.
    std::vector<float> values;
    for (int i = 0; i < 1000; ++i)
        values.push_back(float(i));
    values.insert(values.end(), 500, -32768.0f);
    values.insert(values.end(), 7, std::numeric_limits<float>::quiet_NaN());
    const SpecialValues specials({{QStringLiteral("MISSING_CONSTANT"), -32768}});
    const BandSummary summary = Summarize(values, specials);
    ASSERT_TRUE(summary.valid);
    EXPECT_EQ(summary.min, 0);
    EXPECT_EQ(summary.max, 999);
    // The 0.5 % and 99.5 % points of 1000 values: the 5th and the 994th.
    EXPECT_NEAR(summary.lowPercentile, 5, 1);
    EXPECT_NEAR(summary.highPercentile, 994, 1);
    ASSERT_EQ(summary.histogram.size(), std::size_t(kHistogramBins));
    std::int64_t counted = 0;
    for (std::int64_t bin : summary.histogram)
        counted += bin;
    EXPECT_EQ(counted, 1000);
    EXPECT_GT(summary.histogram.front(), 0);
    EXPECT_GT(summary.histogram.back(), 0);

    EXPECT_EQ(specials.NameOf(-32768), QStringLiteral("MISSING_CONSTANT"));
    EXPECT_TRUE(specials.NameOf(0).isEmpty());
    EXPECT_FALSE(Summarize({-32768.0f, std::nanf("")}, specials).valid);
}

TEST(BandSummary, StretchClampsAndHandlesFlatLimits)
{
    const StretchLimits limits{100, 200};
    EXPECT_EQ(StretchIndex(100, limits), 0);
    EXPECT_EQ(StretchIndex(200, limits), 255);
    EXPECT_EQ(StretchIndex(150, limits), 128);
    EXPECT_EQ(StretchIndex(-1e30, limits), 0);
    EXPECT_EQ(StretchIndex(1e30, limits), 255);
    // A constant band: everything at or below the value is black.
    EXPECT_EQ(StretchIndex(5, StretchLimits{5, 5}), 0);
    EXPECT_EQ(StretchIndex(6, StretchLimits{5, 5}), 255);
}

TEST(ColourMaps, RunFromDarkToLightAndInvert)
{
    for (int kind = 0; kind < kColourMapCount; ++kind) {
        const ColourTable table = MakeColourTable(ColourMapKind(kind), false);
        // Perceptual maps brighten steadily: no step backwards in luminance
        // beyond rounding.
        for (std::size_t i = 1; i < table.size(); ++i)
            EXPECT_GE(Luminance(table[i]) + 1.5, Luminance(table[i - 1])) << "map " << kind << " at " << i;
        EXPECT_GT(Luminance(table[255]) - Luminance(table[0]), 150) << "map " << kind;
        for (QRgb colour : table)
            EXPECT_NE(colour | 0xff000000u, kFlagColour);
        const ColourTable inverted = MakeColourTable(ColourMapKind(kind), true);
        EXPECT_EQ(inverted[0], table[255]);
        EXPECT_EQ(inverted[255], table[0]);
    }
    const ColourTable gray = MakeColourTable(ColourMapKind::Gray, false);
    EXPECT_EQ(gray[0], qRgb(0, 0, 0));
    EXPECT_EQ(gray[255], qRgb(255, 255, 255));
    EXPECT_EQ(gray[77], qRgb(77, 77, 77));
}

TEST(RenderBand, DrawsStretchedValuesFlagsSpecialsAndMirrors)
{
    // 3 x 2: first line 0 10 20, second line 30 missing NaN.
    const BandPicture picture = Picture(3, 2, {0, 10, 20, 30, -1, std::nanf("")});
    const SpecialValues specials({{QStringLiteral("MISSING_CONSTANT"), -1}});
    const ColourTable gray = MakeColourTable(ColourMapKind::Gray, false);
    const QImage plain = RenderBand(picture, {0, 30}, gray, specials, {});
    ASSERT_EQ(plain.size(), QSize(3, 2));
    EXPECT_EQ(qGray(plain.pixel(0, 0)), 0);
    EXPECT_EQ(qGray(plain.pixel(1, 0)), 85);
    EXPECT_EQ(qGray(plain.pixel(0, 1)), 255);
    EXPECT_EQ(plain.pixel(1, 1), kFlagColour);
    EXPECT_EQ(plain.pixel(2, 1), kFlagColour);

    const QImage turned = RenderBand(picture, {0, 30}, gray, specials, Mirror{true, true});
    EXPECT_EQ(qGray(turned.pixel(2, 1)), 0);    // the first sample, now at the bottom right
    EXPECT_EQ(qGray(turned.pixel(2, 0)), 255);  // the second line's first sample
    EXPECT_EQ(turned.pixel(0, 0), kFlagColour);
}

TEST(RenderRgb, PutsEachBandInItsChannel)
{
    const BandPicture red = Picture(2, 1, {0, 100});
    const BandPicture green = Picture(2, 1, {100, 0});
    const BandPicture blue = Picture(2, 1, {50, -5});
    const SpecialValues specials({{QStringLiteral("NULL"), -5}});
    const StretchLimits limits{0, 100};
    const QImage image = RenderRgb({&red, &green, &blue}, {limits, limits, limits}, specials, {});
    EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(0, 255, 128));
    EXPECT_EQ(image.pixel(1, 0), kFlagColour);  // special in one band flags the pixel
}

TEST(IndentXml, IndentsByDepthAndKeepsTheLines)
{
    const QString label = QStringLiteral(
        "<?xml version=\"1.0\"?>\n<Product>\n<Identification_Area>\n<title>A</title>\n"
        "<!-- a comment\n<not_a_tag> -->\n<Empty/>\n</Identification_Area>\n<Two><Inner>x</Inner>\n</Two>\n</Product>");
    const QStringList lines = IndentXml(label).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), label.split(QLatin1Char('\n')).size());
    EXPECT_EQ(lines[0], QStringLiteral("<?xml version=\"1.0\"?>"));
    EXPECT_EQ(lines[1], QStringLiteral("<Product>"));
    EXPECT_EQ(lines[2], QStringLiteral("  <Identification_Area>"));
    EXPECT_EQ(lines[3], QStringLiteral("    <title>A</title>"));
    EXPECT_EQ(lines[6], QStringLiteral("    <Empty/>"));
    EXPECT_EQ(lines[7], QStringLiteral("  </Identification_Area>"));
    EXPECT_EQ(lines[8], QStringLiteral("  <Two><Inner>x</Inner>"));
    EXPECT_EQ(lines[9], QStringLiteral("  </Two>"));
    EXPECT_EQ(lines[10], QStringLiteral("</Product>"));
}
