// The plot view driven as a user would: the default quantities of a
// spectrum, a series with a sampling parameter, times on a date axis,
// more series picked, zoom with thinning, export as PNG and SVG, 1-D
// arrays, and objects that cannot be plotted; reading PDS times.

#include "product/ByteWriter.h"
#include "product/OpenProduct.h"
#include "support/TempDir.h"
#include "viewer/PlotSource.h"
#include "viewer/PlotView.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QListWidget>

#include <qcustomplot.h>

using viewer::PlotSource;
using viewer::PlotView;

namespace {

void Show(QWidget& view)
{
    view.resize(900, 500);
    view.show();
    QCoreApplication::sendPostedEvents();
}

// A binary table described by hand: `rows` records of COUNTER (MSB
// 4-byte integer, i) and WAVE (IEEE double, sin(i / 1000)) and LEVEL
// (double, i * 2), a SERIES whose sampling parameter TIME starts at 100 s
// and steps 0.5 s.
product::Product WriteSeries(const TempDir& dir, int rows)
{
    ByteWriter data;
    for (int i = 0; i < rows; ++i)
        data.Big(std::uint64_t(i), 4).DoubleBig(std::sin(i / 1000.0)).DoubleBig(i * 2.0);
    product::TableObject table;
    table.name = QStringLiteral("SERIES");
    table.objectType = QStringLiteral("SERIES");
    table.format = product::TableFormat::Binary;
    table.dataFile = dir.write(QStringLiteral("SERIES.DAT"), data.bytes());
    table.rows = rows;
    table.recordBytes = 20;
    table.samplingParameterName = QStringLiteral("TIME");
    table.samplingParameterUnit = QStringLiteral("S");
    table.samplingParameterInterval = 0.5;
    table.minimumSamplingParameter = 100;
    auto field = [](const char* name, product::Encoding encoding, int bytes, int start) {
        product::Field f;
        f.name = f.column = QString::fromLatin1(name);
        f.kind = product::FieldKind::Binary;
        f.element = {encoding, bytes, product::ByteOrder::Big};
        f.startByte = start;
        f.bytes = bytes;
        return f;
    };
    table.fields = {field("COUNTER", product::Encoding::SignedInt, 4, 0),
                    field("WAVE", product::Encoding::IeeeReal, 8, 4),
                    field("LEVEL", product::Encoding::IeeeReal, 8, 12)};
    product::Product product;
    product.objects.emplace_back(table);
    return product;
}

QString ProductsFolder() { return QStringLiteral(VELLORA_PRODUCTS); }

}  // namespace

TEST(PlotSource, ReadsPdsTimes)
{
    EXPECT_EQ(PlotSource::ParseTime("2001-01-01"), 978307200.0);
    EXPECT_EQ(PlotSource::ParseTime("2001-02-01T12:00:00"), 981028800.0);
    EXPECT_EQ(PlotSource::ParseTime("2001-032T12:00:00Z"), 981028800.0);  // day of year
    EXPECT_EQ(PlotSource::ParseTime("1999-12-31T23:59:59.250"), 946684799.25);
    EXPECT_EQ(PlotSource::ParseTime(" 2024-366T06:30 "), 1735626600.0);
    EXPECT_EQ(PlotSource::ParseTime("1969-12-31T00:00:00"), -86400.0);
    EXPECT_FALSE(PlotSource::ParseTime("hello"));
    EXPECT_FALSE(PlotSource::ParseTime("2001-13-01"));
    EXPECT_FALSE(PlotSource::ParseTime("2001-02-01T12:00:00 extra"));
    EXPECT_FALSE(PlotSource::ParseTime(""));
}

TEST(PlotView, ASpectrumPlotsItsSecondColumnAgainstTheFirst)
{
    const QString label = ProductsFolder() + QStringLiteral("/pds4-table-nh-pluto-spectrum-lblx/pluto_spectrum.lblx");
    if (!QFile::exists(label))
        GTEST_SKIP() << "no shared products";
    PlotView view(product::OpenProduct(label), 0);
    Show(view);
    view.WaitUntilLoaded();
    EXPECT_EQ(view.seriesCount(), 1);
    EXPECT_EQ(view.plot()->xAxis->label(), QStringLiteral("Wavelength [micrometer]"));
    EXPECT_EQ(view.plot()->yAxis->label(), QStringLiteral("Specific Intensity [W m**-2 micron**-1 sr**-1]"));
    EXPECT_TRUE(view.statusText().startsWith(QStringLiteral("1266 points"))) << view.statusText().toStdString();
    // Fewer points than pixel columns: all drawn, the first as the file has it.
    QCPGraph* graph = view.plot()->graph(0);
    ASSERT_EQ(graph->dataCount(), 1266);
    EXPECT_DOUBLE_EQ(graph->data()->at(0)->key, 0.3005);
    EXPECT_NEAR(graph->data()->at(0)->value, 0.0341627, 1e-7);
}

TEST(PlotView, ASeriesIsPlottedAgainstItsSamplingParameterAndThinnedPerPixel)
{
    TempDir dir;
    constexpr int kRows = 200'000;
    PlotView view(WriteSeries(dir, kRows), 0);
    Show(view);
    view.WaitUntilLoaded();
    ASSERT_EQ(view.seriesCount(), 1);
    EXPECT_EQ(view.plot()->xAxis->label(), QStringLiteral("TIME [S]"));
    EXPECT_EQ(view.plot()->graph(0)->name(), QStringLiteral("COUNTER"));
    // Far fewer points handed to the plot than the series has, from the
    // first sample (100 s) to the last (100 + 0.5 * (rows - 1)).
    QCPGraph* graph = view.plot()->graph(0);
    EXPECT_LT(graph->dataCount(), 20000);
    EXPECT_DOUBLE_EQ(graph->data()->constBegin()->key, 100.0);
    EXPECT_DOUBLE_EQ((graph->data()->constEnd() - 1)->key, 100.0 + 0.5 * (kRows - 1));
    EXPECT_DOUBLE_EQ((graph->data()->constEnd() - 1)->value, kRows - 1.0);

    // Zoomed to 1000 samples: each is drawn, with one on either side.
    view.ZoomX(1000, 1499.75);
    EXPECT_EQ(graph->dataCount(), 1000 + 2);
    EXPECT_DOUBLE_EQ(graph->data()->constBegin()->key, 999.5);
    EXPECT_DOUBLE_EQ(graph->data()->constBegin()->value, 1799.0);  // (999.5 - 100) / 0.5
    view.Autoscale();
    EXPECT_LT(graph->dataCount(), 20000);
    EXPECT_LE(view.plot()->xAxis->range().lower, 100.0);
    EXPECT_GE(view.plot()->xAxis->range().upper, 100.0 + 0.5 * (kRows - 1));
}

TEST(PlotView, MoreSeriesAreChosenInTheList)
{
    TempDir dir;
    PlotView view(WriteSeries(dir, 5000), 0);
    Show(view);
    view.WaitUntilLoaded();
    QListWidget* list = view.yChoices();
    ASSERT_EQ(list->count(), 3);  // COUNTER, WAVE, LEVEL
    list->item(2)->setCheckState(Qt::Checked);
    view.WaitUntilLoaded();
    ASSERT_EQ(view.seriesCount(), 2);
    EXPECT_EQ(view.plot()->graph(1)->name(), QStringLiteral("LEVEL"));
    EXPECT_TRUE(view.plot()->legend->visible());
    EXPECT_DOUBLE_EQ((view.plot()->graph(1)->data()->constEnd() - 1)->value, 4999 * 2.0);

    // COUNTER against WAVE's sorted values instead of time.
    QComboBox* x = view.xChoice();
    const int wave = x->findText(QStringLiteral("WAVE"));
    ASSERT_GE(wave, 0);
    x->setCurrentIndex(wave);
    view.WaitUntilLoaded();
    EXPECT_EQ(view.plot()->xAxis->label(), QStringLiteral("WAVE"));
    const QCPGraphDataContainer& data = *view.plot()->graph(0)->data();
    EXPECT_LE(data.constBegin()->key, -0.99);
    EXPECT_GE((data.constEnd() - 1)->key, 0.99);
}

TEST(PlotView, TimesAreDatesOnTheAxis)
{
    TempDir dir;
    const QByteArray rows =
        "2001-01-01T00:00:00, 1.5\n"
        "2001-01-01T00:01:00, 2.5\n"
        "2001-01-01T00:00:30, 9.0\n"
        "not a time, 4.0\n";
    product::TableObject table;
    table.format = product::TableFormat::Delimited;
    table.dataFile = dir.write(QStringLiteral("times.csv"), rows);
    table.rows = 4;
    product::Field time;
    time.name = QStringLiteral("UTC");
    time.kind = product::FieldKind::AsciiDateTime;
    time.delimitedIndex = 0;
    product::Field value;
    value.name = QStringLiteral("FLUX");
    value.unit = QStringLiteral("JY");
    value.kind = product::FieldKind::AsciiReal;
    value.delimitedIndex = 1;
    table.fields = {time, value};
    product::Product product;
    product.objects.emplace_back(table);
    PlotView view(product, 0);
    view.WaitUntilLoaded();
    ASSERT_EQ(view.seriesCount(), 1);
    EXPECT_NE(dynamic_cast<QCPAxisTickerDateTime*>(view.plot()->xAxis->ticker().data()), nullptr);
    EXPECT_EQ(view.plot()->yAxis->label(), QStringLiteral("FLUX [JY]"));
    // Ordered by time; the row without one is left out.
    const QCPGraphDataContainer& data = *view.plot()->graph(0)->data();
    ASSERT_EQ(data.size(), 3);
    EXPECT_EQ(data.at(0)->key, 978307200.0);
    EXPECT_EQ(data.at(1)->value, 9.0);
    EXPECT_EQ(data.at(2)->key, 978307260.0);
    EXPECT_TRUE(view.statusText().startsWith(QStringLiteral("3 points")));
}

TEST(PlotView, ExportsPngAndSvg)
{
    TempDir dir;
    PlotView view(WriteSeries(dir, 3000), 0);
    Show(view);
    view.WaitUntilLoaded();
    const QString png = dir.file(QStringLiteral("plot.png"));
    EXPECT_EQ(view.ExportPng(png, 640, 400), QString());
    const QImage picture(png);
    EXPECT_EQ(picture.size(), QSize(640, 400));
    const QString svg = dir.file(QStringLiteral("plot.svg"));
    EXPECT_EQ(view.ExportSvg(svg, 640, 400), QString());
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("TIME [S]"));  // the axis label, as text
    const QString bad = dir.file(QStringLiteral("missing/plot.png"));
    EXPECT_TRUE(view.ExportPng(bad).contains(bad));
    EXPECT_TRUE(view.ExportSvg(dir.file(QStringLiteral("missing/plot.svg"))).contains(QStringLiteral("plot.svg")));
}

TEST(PlotView, AOneDimensionalArrayIsPlottedScaledWithoutSpecialValues)
{
    TempDir dir;
    ByteWriter data;
    for (int i = 0; i < 100; ++i)
        data.Big(std::uint64_t(i == 50 ? 65535 : i * 3), 2);
    product::ArrayObject array;
    array.name = QStringLiteral("PROFILE");
    array.kind = product::ArrayKind::Array;
    array.dataFile = dir.write(QStringLiteral("profile.dat"), data.bytes());
    array.axes = {{QStringLiteral("Sample"), 100, 2}};
    array.element = {product::Encoding::UnsignedInt, 2, product::ByteOrder::Big};
    array.scaling = {0.5, 10};
    array.specials = {{QStringLiteral("missing_constant"), 65535}};
    array.unit = QStringLiteral("K");
    product::Product product;
    product.objects.emplace_back(array);
    PlotView view(product, 0);
    view.WaitUntilLoaded();
    ASSERT_EQ(view.seriesCount(), 1);
    EXPECT_EQ(view.plot()->xAxis->label(), QStringLiteral("Sample"));
    EXPECT_EQ(view.plot()->yAxis->label(), QStringLiteral("PROFILE [K]"));
    const QCPGraphDataContainer& points = *view.plot()->graph(0)->data();
    ASSERT_EQ(points.size(), 99);  // the special value is no point
    EXPECT_EQ(points.at(5)->key, 5.0);
    EXPECT_EQ(points.at(5)->value, 5 * 3 * 0.5 + 10);
    EXPECT_EQ(points.at(50)->key, 51.0);
}

TEST(PlotView, WhatCannotBePlottedIsSaidSo)
{
    product::Product product;
    product::ArrayObject image;
    image.name = QStringLiteral("IMAGE");
    image.axes = {{QStringLiteral("LINE"), 10, 20}, {QStringLiteral("SAMPLE"), 10, 2}};
    product.objects.emplace_back(image);
    product::TableObject words;
    words.name = QStringLiteral("WORDS");
    product::Field text;
    text.name = QStringLiteral("WORD");
    words.fields = {text};
    product.objects.emplace_back(words);

    PlotView image2d(product, 0);
    image2d.WaitUntilLoaded();
    EXPECT_EQ(image2d.seriesCount(), 0);
    EXPECT_TRUE(image2d.statusText().contains(QStringLiteral("IMAGE has 2 axes")))
        << image2d.statusText().toStdString();
    PlotView textOnly(product, 1);
    textOnly.WaitUntilLoaded();
    EXPECT_EQ(textOnly.seriesCount(), 0);
    EXPECT_FALSE(textOnly.statusText().isEmpty());
}
