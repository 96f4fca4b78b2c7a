// The image view driven as a user would: the reduced picture first, tiles
// for what is visible when zoomed in, the value under the mouse, the
// stretch's modes, typed and dragged limits, bands and RGB, the display
// direction and the export, on images the tests write.

#include "viewer/HistogramWidget.h"
#include "viewer/ImageView.h"
#include "viewer/TileLoader.h"

#include "product/OpenProduct.h"
#include "support/QtPrinters.h"
#include "viewer/ImageProduct.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace viewer;

namespace {

std::shared_ptr<const product::ArrayReader> Reader(const QString& label)
{
    const product::Product product = product::OpenProduct(label);
    return std::make_shared<const product::ArrayReader>(
        product::ArrayReader::Open(std::get<product::ArrayObject>(product.objects.at(0))));
}

// A view of a given size, shown, with its reduced pictures read.
struct ShownView {
    explicit ShownView(const QString& label, std::int64_t cacheBytes = kDefaultTileCacheBytes)
        : view(Reader(label), nullptr, cacheBytes)
    {
        view.resize(640, 480);
        view.show();
        Settle();
    }
    void Settle()
    {
        view.loader().WaitIdle();
        view.loader().WaitIdle();  // tiles asked for once the reduced picture arrived
    }
    // The status bar's text with the mouse over a stored line and sample.
    QString StatusAt(std::int64_t line, std::int64_t sample)
    {
        // Qt reports a move only when the mouse is somewhere else first.
        QTest::mouseMove(&view.canvas(), QPoint(1, 1));
        QSignalSpy status(&view, &ImageView::statusMessage);
        QTest::mouseMove(&view.canvas(), view.canvas().PointOf(line, sample).toPoint());
        return status.isEmpty() ? QString() : status.last().at(0).toString();
    }
    ImageView view;
};

}  // namespace

TEST(TileLoader, ReadsTheReducedPictureAndExactTilesWithinItsCache)
{
    TempDir dir;
    ImageLayout layout;
    layout.lines = 2100;
    layout.samples = 1500;
    layout.value = [](std::int64_t, std::int64_t line, std::int64_t sample) {
        return std::uint16_t((line * 31 + sample * 7) % 60000);
    };
    const QString label = WriteImageProduct(dir, QStringLiteral("big"), layout);
    // Room for three 256 x 256 tiles of floats.
    TileLoader loader(Reader(label), 3 * kTileSize * kTileSize * 4);
    EXPECT_EQ(loader.overviewStep(), 3);  // 2100 lines in at most 1024

    QSignalSpy overviews(&loader, &TileLoader::overviewReady);
    loader.RequestOverview(0);
    loader.WaitIdle();
    ASSERT_EQ(overviews.size(), 1);
    const auto overview = loader.FindOverview(0);
    ASSERT_TRUE(overview);
    EXPECT_EQ(overview->picture.width, 500);
    EXPECT_EQ(overview->picture.height, 700);
    // Every third line and sample.
    EXPECT_EQ(overview->picture.values[std::size_t(5 * 500 + 9)], float((15 * 31 + 27 * 7) % 60000));

    std::vector<TileKey> wanted;
    for (std::int64_t column = 0; column < 5; ++column)
        wanted.push_back(TileKey{0, 0, 4, column});
    loader.Request(wanted);
    loader.WaitIdle();
    EXPECT_LE(loader.cachedBytes(), loader.cacheLimit());
    // The last tiles read are kept; the first ones went.
    EXPECT_FALSE(loader.FindTile(wanted[0]));
    const auto tile = loader.FindTile(wanted[4]);
    ASSERT_TRUE(tile);
    // Column 4 holds samples 1024..1279 of lines 1024..1279.
    EXPECT_EQ(tile->width, 256);
    EXPECT_EQ(tile->height, 256);
    EXPECT_EQ(tile->values[std::size_t(10 * 256 + 3)], float(((1024 + 10) * 31 + (1024 + 3) * 7) % 60000));
    // The edge tile of the image: lines 2048..2099 only.
    loader.Request({TileKey{0, 0, 8, 5}});
    loader.WaitIdle();
    const auto edge = loader.FindTile(TileKey{0, 0, 8, 5});
    ASSERT_TRUE(edge);
    EXPECT_EQ(edge->height, 52);
    EXPECT_EQ(edge->width, 1500 - 1280);
}

TEST(ImageView, FitsOnOpenAndShowsTheValueUnderTheMouse)
{
    TempDir dir;
    ImageLayout layout;
    layout.lines = 40;
    layout.samples = 60;
    layout.unit = QStringLiteral("K");
    layout.scalingFactor = QStringLiteral("0.5");
    layout.valueOffset = QStringLiteral("10");
    layout.missingConstant = QStringLiteral("65535");
    layout.value = [](std::int64_t, std::int64_t line, std::int64_t sample) {
        return std::uint16_t(line == 3 && sample == 4 ? 65535 : line * 100 + sample);
    };
    ShownView shown(WriteImageProduct(dir, QStringLiteral("small"), layout));
    ImageCanvas& canvas = shown.view.canvas();
    // Fitted: 60 samples across the canvas's width, or 40 lines down its height.
    EXPECT_DOUBLE_EQ(canvas.zoom(), std::min(canvas.width() / 60.0, canvas.height() / 40.0));

    EXPECT_EQ(shown.StatusAt(12, 34), QStringLiteral("Line 13, sample 35: stored 1234, scaled 627 K"));
    EXPECT_EQ(shown.StatusAt(3, 4), QStringLiteral("Line 4, sample 5: missing_constant (stored 65535)"));
    std::int64_t line = 0, sample = 0;
    EXPECT_TRUE(canvas.SampleAt(canvas.PointOf(39, 59), line, sample));
    EXPECT_EQ(line, 39);
    EXPECT_EQ(sample, 59);
    EXPECT_FALSE(canvas.SampleAt(QPointF(-5, -5), line, sample));

    // The special sample is drawn in the flag colour.
    const QImage drawn = canvas.grab().toImage();
    const QPointF special = canvas.PointOf(3, 4);
    EXPECT_EQ(drawn.pixel(special.toPoint()) | 0xff000000u, kFlagColour);
}

TEST(ImageView, KeysZoomFitAndPan)
{
    TempDir dir;
    ImageLayout layout;
    layout.lines = 300;
    layout.samples = 400;
    ShownView shown(WriteImageProduct(dir, QStringLiteral("keys"), layout));
    ImageCanvas& canvas = shown.view.canvas();
    canvas.setFocus();
    const double fitted = canvas.zoom();
    QTest::keyClick(&canvas, Qt::Key_1);
    EXPECT_DOUBLE_EQ(canvas.zoom(), 1);
    QTest::keyClick(&canvas, Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(canvas.zoom(), 1.25);
    QTest::keyClick(&canvas, Qt::Key_Minus);
    QTest::keyClick(&canvas, Qt::Key_Minus);
    EXPECT_DOUBLE_EQ(canvas.zoom(), 0.8);
    QTest::keyClick(&canvas, Qt::Key_0);
    EXPECT_DOUBLE_EQ(canvas.zoom(), fitted);

    // At 1:1 the arrow keys and a drag move the picture under the mouse.
    QTest::keyClick(&canvas, Qt::Key_1);
    const QPoint middle(canvas.width() / 2, canvas.height() / 2);
    std::int64_t line = 0, sample = 0, movedLine = 0, movedSample = 0;
    ASSERT_TRUE(canvas.SampleAt(middle, line, sample));
    QTest::keyClick(&canvas, Qt::Key_Right);
    ASSERT_TRUE(canvas.SampleAt(middle, movedLine, movedSample));
    EXPECT_GT(movedSample, sample);
    EXPECT_EQ(movedLine, line);
    QTest::mousePress(&canvas, Qt::LeftButton, {}, middle);
    QTest::mouseMove(&canvas, middle + QPoint(0, 30));
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, middle + QPoint(0, 30));
    ASSERT_TRUE(canvas.SampleAt(middle, line, sample));
    EXPECT_EQ(line, movedLine - 30);
}

TEST(ImageView, ZoomedInDrawsFullResolutionTiles)
{
    TempDir dir;
    ImageLayout layout;
    layout.lines = 3000;
    layout.samples = 2000;
    // Vertical stripes two samples wide: lost in the reduced picture.
    layout.value = [](std::int64_t, std::int64_t, std::int64_t sample) {
        return std::uint16_t(sample / 2 % 2 ? 1000 : 0);
    };
    ShownView shown(WriteImageProduct(dir, QStringLiteral("stripes"), layout));
    ImageCanvas& canvas = shown.view.canvas();
    EXPECT_TRUE(canvas.VisibleTiles().empty());  // at fit the reduced picture is enough
    canvas.ActualSize();
    const std::vector<TileKey> tiles = canvas.VisibleTiles();
    ASSERT_FALSE(tiles.empty());
    for (const TileKey& key : tiles)
        EXPECT_EQ(key.level, 0);
    shown.Settle();
    const QImage drawn = canvas.grab().toImage();
    std::int64_t line = 0, sample = 0;
    const QPoint at(canvas.width() / 2, canvas.height() / 2);
    ASSERT_TRUE(canvas.SampleAt(at, line, sample));
    const bool bright = sample / 2 % 2;
    const int stripe = bright ? 1 : -1;
    // Two samples on, the stripe has turned.
    const QPoint next = canvas.PointOf(line, sample + 2).toPoint();
    EXPECT_NE(qGray(drawn.pixel(canvas.PointOf(line, sample).toPoint())), qGray(drawn.pixel(next))) << stripe;

    // Halfway zoomed out, tiles of every second sample.
    canvas.ZoomBy(0.5, at);
    for (const TileKey& key : canvas.VisibleTiles())
        EXPECT_EQ(key.level, 1);
}

TEST(ImageView, StretchModesTypedAndDraggedLimits)
{
    TempDir dir;
    ImageLayout layout;
    layout.lines = 100;
    layout.samples = 100;
    layout.missingConstant = QStringLiteral("65535");
    // Values 0..9999 once each, with the corner missing.
    layout.value = [](std::int64_t, std::int64_t line, std::int64_t sample) {
        return std::uint16_t(line == 0 && sample == 0 ? 65535 : line * 100 + sample);
    };
    ShownView shown(WriteImageProduct(dir, QStringLiteral("ramp"), layout));
    ImageView& view = shown.view;
    EXPECT_EQ(view.stretchMode(), StretchMode::Percentile);
    EXPECT_NEAR(view.look().limits[0].low, 50, 1.5);
    EXPECT_NEAR(view.look().limits[0].high, 9950, 1.5);

    auto* stretch = view.findChildren<QComboBox*>().at(4);
    ASSERT_EQ(stretch->accessibleName(), QStringLiteral("Stretch"));
    stretch->setCurrentIndex(int(StretchMode::MinMax));
    EXPECT_EQ(view.look().limits[0].low, 1);  // the missing 65535 is left out
    EXPECT_EQ(view.look().limits[0].high, 9999);

    QLineEdit* low = nullptr;
    QLineEdit* high = nullptr;
    for (QLineEdit* edit : view.findChildren<QLineEdit*>())
        (edit->accessibleName() == QStringLiteral("Low") ? low : high) = edit;
    ASSERT_TRUE(low && high);
    EXPECT_EQ(high->text(), QStringLiteral("9999"));
    low->setFocus();
    low->selectAll();
    QTest::keyClicks(low, QStringLiteral("2000"));
    QTest::keyClick(low, Qt::Key_Return);
    EXPECT_EQ(view.stretchMode(), StretchMode::Manual);
    EXPECT_EQ(view.look().limits[0].low, 2000);
    EXPECT_EQ(stretch->currentIndex(), int(StretchMode::Manual));
    // Samples below the typed low limit are black now.
    const QImage drawn = view.canvas().grab().toImage();
    EXPECT_EQ(qGray(drawn.pixel(view.canvas().PointOf(10, 50).toPoint())), 0);
    EXPECT_GT(qGray(drawn.pixel(view.canvas().PointOf(90, 50).toPoint())), 200);

    // Dragging the high line on the histogram to the middle.
    HistogramWidget& histogram = view.histogram();
    const QPoint from(int(histogram.XOf(view.look().limits[0].high)), histogram.height() / 2);
    const QPoint to(histogram.width() / 2, histogram.height() / 2);
    QTest::mousePress(&histogram, Qt::LeftButton, {}, from);
    QTest::mouseMove(&histogram, to);
    QTest::mouseRelease(&histogram, Qt::LeftButton, {}, to);
    EXPECT_NEAR(view.look().limits[0].high, histogram.ValueAt(to.x()), 1e-9);
    EXPECT_NEAR(view.look().limits[0].high, 5000, 200);
    EXPECT_EQ(view.look().limits[0].low, 2000);
    EXPECT_EQ(high->text().toDouble(), view.look().limits[0].high);
}

TEST(ImageView, BandsRgbAndDisplayDirection)
{
    TempDir dir;
    ImageLayout layout;
    layout.lines = 20;
    layout.samples = 30;
    layout.bands = 3;
    layout.rightToLeft = true;
    layout.bottomToTop = true;
    layout.value = [](std::int64_t band, std::int64_t line, std::int64_t sample) {
        return std::uint16_t(band * 10000 + line * 100 + sample);
    };
    ShownView shown(WriteImageProduct(dir, QStringLiteral("bands"), layout));
    ImageView& view = shown.view;
    ImageCanvas& canvas = view.canvas();
    // The first line and sample are at the bottom right.
    std::int64_t line = 0, sample = 0;
    ASSERT_TRUE(canvas.SampleAt(canvas.PointOf(0, 0), line, sample));
    EXPECT_EQ(line, 0);
    EXPECT_EQ(sample, 0);
    const QPointF first = canvas.PointOf(0, 0);
    const QPointF last = canvas.PointOf(19, 29);
    EXPECT_GT(first.x(), last.x());
    EXPECT_GT(first.y(), last.y());
    EXPECT_EQ(shown.StatusAt(0, 0), QStringLiteral("Line 1, sample 1: stored 0, scaled 0"));

    auto* band = view.findChildren<QComboBox*>().at(0);
    ASSERT_EQ(band->count(), 3);
    band->setCurrentIndex(2);
    shown.Settle();
    EXPECT_EQ(shown.StatusAt(5, 6), QStringLiteral("Line 6, sample 7: stored 20506, scaled 20506"));
    EXPECT_NEAR(view.look().limits[0].low, 20000, 30);

    view.SetRgb(true, {2, 1, 0});
    shown.Settle();
    EXPECT_TRUE(view.look().rgb);
    EXPECT_EQ(shown.StatusAt(5, 6), QStringLiteral("Line 6, sample 7: R 20506, G 10506, B 506 (stored)"));
    // Each channel stretched over its own band: a sample drawn grey-ish
    // where all three bands are at the same place of their range.
    const QColor colour = canvas.grab().toImage().pixel(canvas.PointOf(10, 15).toPoint());
    EXPECT_NEAR(colour.red(), colour.blue(), 3);
    EXPECT_NEAR(colour.green(), colour.blue(), 3);
}

TEST(ImageView, ExportWritesTheViewAsPng)
{
    TempDir dir;
    ShownView shown(WriteImageProduct(dir, QStringLiteral("export"), ImageLayout{}));
    QString error;
    ASSERT_TRUE(shown.view.ExportPng(dir.file(QStringLiteral("view.png")), error)) << error.toStdString();
    QImageReader reader(dir.file(QStringLiteral("view.png")));
    EXPECT_EQ(QByteArray(reader.format()), QByteArray("png"));
    EXPECT_EQ(reader.size(), shown.view.canvas().size());
    EXPECT_FALSE(shown.view.ExportPng(dir.file(QStringLiteral("no/such/folder/view.png")), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("no/such/folder/view.png"))));
}

TEST(ImageView, ShortFileShowsWhatIsThere)
{
    TempDir dir;
    ImageLayout layout;
    layout.lines = 20;
    layout.samples = 20;
    layout.truncate = true;
    ShownView shown(WriteImageProduct(dir, QStringLiteral("short"), layout));
    EXPECT_EQ(shown.StatusAt(2, 3), QStringLiteral("Line 3, sample 4: stored 203, scaled 203"));
    EXPECT_EQ(shown.StatusAt(15, 3), QStringLiteral("Line 16, sample 4: no value (beyond the end of the file)"));
}
