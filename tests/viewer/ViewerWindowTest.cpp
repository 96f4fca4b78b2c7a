// The viewer's window driven as a user would: the structure of the
// product, the first image shown, the label's lines of a selected object,
// failures in place of the view, the remembered size; the real products;
// and the thumbnailer through the real program.

#include "viewer/ImageView.h"
#include "viewer/LabelHighlighter.h"
#include "viewer/LabelView.h"
#include "viewer/PlotView.h"
#include "viewer/TablePages.h"
#include "viewer/TableView.h"
#include "viewer/Thumbnail.h"
#include "viewer/ViewerWindow.h"

#include "support/ProgramRun.h"
#include "support/QtPrinters.h"
#include "viewer/ImageProduct.h"

#include <gtest/gtest.h>
#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using namespace viewer;

namespace {

const QString kProducts = QStringLiteral(VELLORA_PRODUCTS);

QString Product(const char* relative) { return QDir(kProducts).filePath(QString::fromUtf8(relative)); }

QTreeWidgetItem* FindNode(QTreeWidget& tree, const QString& text)
{
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        if ((*it)->text(0) == text)
            return *it;
    return nullptr;
}

QString MessageShown(ViewerWindow& window)
{
    auto* label = qobject_cast<QLabel*>(window.currentView());
    return label ? label->text() : QString();
}

void Settle(ViewerWindow& window)
{
    if (ImageView* view = window.currentImageView()) {
        view->loader().WaitIdle();
        view->loader().WaitIdle();
    }
}

}  // namespace

TEST(ViewerWindow, ShowsTheStructureAndOpensOnTheImage)
{
    TempDir dir;
    ImageLayout layout;
    layout.lines = 30;
    layout.samples = 50;
    const QString label = WriteImageProduct(dir, QStringLiteral("scene"), layout);
    ViewerWindow window;
    window.resize(900, 600);
    window.show();
    ASSERT_TRUE(window.OpenFile(label));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("scene.xml \u2014 Vellora Viewer"));

    QTreeWidget& tree = window.structure();
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(tree.topLevelItem(0)->text(0), QStringLiteral("scene.xml"));
    QTreeWidgetItem* image = FindNode(tree, QStringLiteral("Array_2D_Image (TEST_IMAGE)"));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->text(1), QStringLiteral("image"));
    EXPECT_EQ(image->text(2), QStringLiteral("30 \u00d7 50 \u00d7 1"));
    EXPECT_TRUE(image->isSelected());
    EXPECT_TRUE(FindNode(tree, QStringLiteral("Identification_Area")));

    ImageView* view = window.currentImageView();
    ASSERT_TRUE(view);
    Settle(window);
    // The value under the mouse reaches the status bar.
    QTest::mouseMove(&view->canvas(), view->canvas().PointOf(7, 8).toPoint());
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("Line 8, sample 9: stored 708, scaled 708"));

    // The label's lines of the selected object are marked; the label is
    // indented, one line per line of the file.
    const QStringList lines = window.labelView().toPlainText().split(QLatin1Char('\n'));
    ASSERT_GT(window.labelView().markedFirst(), 0);
    EXPECT_TRUE(lines.at(window.labelView().markedFirst() - 1).trimmed().startsWith(QStringLiteral("<Array_2D_Image")));
    EXPECT_TRUE(lines.at(window.labelView().markedLast() - 1).trimmed().startsWith(QStringLiteral("</Array_2D_Image")));
    EXPECT_TRUE(lines.at(window.labelView().markedFirst()).startsWith(QStringLiteral("      <name>")));

    // A node without data shows the label.
    tree.setCurrentItem(FindNode(tree, QStringLiteral("Identification_Area")));
    EXPECT_EQ(window.tabs().currentWidget(), &window.labelView());
    EXPECT_TRUE(lines.at(window.labelView().markedFirst() - 1).contains(QStringLiteral("<Identification_Area>")));
    tree.setCurrentItem(image);
    EXPECT_EQ(window.tabs().currentIndex(), 0);
    EXPECT_EQ(window.currentImageView(), view);  // made once, kept

    // The window's keys reach the image.
    view->canvas().setFocus();
    QTest::keyClick(&window, Qt::Key_1);
    EXPECT_DOUBLE_EQ(view->canvas().zoom(), 1);
    QTest::keyClick(&window, Qt::Key_0);
    EXPECT_GT(view->canvas().zoom(), 1);  // 30 x 50 samples fill the view

    QString error;
    ASSERT_TRUE(window.ExportView(dir.file(QStringLiteral("shown.png")), error));
    EXPECT_EQ(QImageReader(dir.file(QStringLiteral("shown.png"))).size(), view->canvas().size());
}

TEST(ViewerWindow, FailuresShowWhyInPlaceOfTheView)
{
    TempDir dir;
    ViewerWindow window;
    window.show();

    // Not a product at all.
    const QString notes = dir.write(QStringLiteral("notes.txt"), "just some words\n");
    EXPECT_FALSE(window.OpenFile(notes));
    EXPECT_TRUE(MessageShown(window).startsWith(QStringLiteral("notes.txt is not a PDS product")))
        << MessageShown(window).toStdString();
    EXPECT_EQ(window.structure().topLevelItemCount(), 1);

    // A label whose data file is missing: its structure and label are
    // still there, the reader's message replaces the view.
    ImageLayout layout;
    const QString label = WriteImageProduct(dir, QStringLiteral("lost"), layout);
    QFile::remove(dir.file(QStringLiteral("lost.raw")));
    EXPECT_TRUE(window.OpenFile(label));
    EXPECT_TRUE(FindNode(window.structure(), QStringLiteral("Array_2D_Image (TEST_IMAGE)")));
    EXPECT_TRUE(MessageShown(window).startsWith(QStringLiteral("The data of TEST_IMAGE cannot be read.")))
        << MessageShown(window).toStdString();
    EXPECT_TRUE(MessageShown(window).contains(QStringLiteral("lost.raw")));
    EXPECT_TRUE(window.labelView().toPlainText().contains(QStringLiteral("<file_name>lost.raw</file_name>")));

    // A label describing no data object.
    const QString empty = dir.write(
        QStringLiteral("empty.xml"),
        "<?xml version=\"1.0\"?>\n<Product_Context xmlns=\"http://pds.nasa.gov/pds4/pds/v1\">\n"
        "<Identification_Area><logical_identifier>urn:x</logical_identifier>"
        "</Identification_Area>\n</Product_Context>\n");
    EXPECT_TRUE(window.OpenFile(empty));
    EXPECT_TRUE(MessageShown(window).startsWith(QStringLiteral("This label describes no data object")))
        << MessageShown(window).toStdString();

    // And a good product after all that.
    EXPECT_TRUE(window.OpenFile(WriteImageProduct(dir, QStringLiteral("good"), layout)));
    EXPECT_TRUE(window.currentImageView());
}

TEST(ViewerWindow, RemembersItsSize)
{
    {
        ViewerWindow window;
        window.show();
        window.resize(777, 555);
        window.close();
    }
    ViewerWindow again;
    EXPECT_EQ(again.size(), QSize(777, 555));
}

TEST(LabelView, ColoursKeywordsValuesAndComments)
{
    LabelView view;
    view.SetLabel(QStringLiteral("PDS_VERSION_ID = PDS3\r\n/* a comment */\r\nOBJECT = IMAGE\r\n"
                                 "  NAME = \"X\"\r\nEND_OBJECT = IMAGE\r\nEND\r\n"),
                  product::LabelFlavour::Pds3);
    EXPECT_EQ(view.document()->blockCount(), 7);
    const auto formatAt = [&view](int block, int column) {
        for (const QTextLayout::FormatRange& range : view.document()->findBlockByNumber(block).layout()->formats())
            if (range.start <= column && column < range.start + range.length)
                return range.format;
        return QTextCharFormat();
    };
    const LabelHighlighter& colours = *view.highlighter();
    EXPECT_EQ(formatAt(0, 0).foreground(), colours.FormatOf(LabelHighlighter::Part::Keyword).foreground());
    EXPECT_EQ(formatAt(0, 18).foreground(), colours.FormatOf(LabelHighlighter::Part::Value).foreground());
    EXPECT_EQ(formatAt(1, 5).foreground(), colours.FormatOf(LabelHighlighter::Part::Comment).foreground());
    EXPECT_EQ(formatAt(2, 0).foreground(), colours.FormatOf(LabelHighlighter::Part::Structure).foreground());
    EXPECT_EQ(formatAt(3, 10).foreground(), colours.FormatOf(LabelHighlighter::Part::Text).foreground());
    EXPECT_TRUE(view.font().fixedPitch() || QFontInfo(view.font()).fixedPitch());
    view.ShowLines(3, 5);
    EXPECT_EQ(view.extraSelections().size(), 1);
    EXPECT_EQ(view.textCursor().blockNumber(), 2);
}

TEST(ViewerWindow, RealProducts)
{
    const QString insight = Product("pds4-insight-icc-vicar-c000m5232/C000M5232T493378259EDR_F0000_0134M1.xml");
    const QString mpf = Product("pds4-image-uint16-i943630r/i943630r.xml");
    if (!QFile::exists(insight) || !QFile::exists(mpf))
        GTEST_SKIP() << "no real products at " << kProducts.toStdString();
    ViewerWindow window;
    window.resize(1000, 700);
    window.show();

    ASSERT_TRUE(window.OpenFile(mpf));
    ImageView* view = window.currentImageView();
    ASSERT_TRUE(view);
    Settle(window);
    QTreeWidgetItem* image = window.structure().currentItem();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->text(2), QStringLiteral("248 \u00d7 256 \u00d7 1"));
    // Small enough to be read whole: its extremes are the band's.
    view->SetStretchMode(StretchMode::MinMax);
    EXPECT_EQ(view->look().limits[0].low, 145);
    EXPECT_EQ(view->look().limits[0].high, 4095);

    ASSERT_TRUE(window.OpenFile(insight));
    view = window.currentImageView();
    ASSERT_TRUE(view);
    Settle(window);
    EXPECT_EQ(window.structure().currentItem()->text(2), QStringLiteral("1024 \u00d7 1024 \u00d7 3"));
    view->SetStretchMode(StretchMode::MinMax);
    EXPECT_GT(view->look().limits[0].low, 0);  // 0 is the missing constant
    EXPECT_EQ(view->look().limits[0].high, 255);
    view->SetRgb(true, {0, 1, 2});
    Settle(window);
    EXPECT_TRUE(view->PixelText(500, 500).contains(QStringLiteral(", G ")));
}

TEST(Thumbnail, WritesABoundedPngThroughTheProgram)
{
    TempDir dir;
    TempDir home;
    ImageLayout layout;
    layout.lines = 900;
    layout.samples = 300;
    const QString label = WriteImageProduct(dir, QStringLiteral("tall"), layout);
    const QString out = dir.file(QStringLiteral("tall.png"));
    const ProgramRun run = ProgramRun::Start(QStringLiteral(VELLORA_VIEW_PROGRAM),
                                             {QStringLiteral("--thumbnail"), QStringLiteral("128"), label, out},
                                             home.path());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    QImageReader reader(out);
    EXPECT_EQ(reader.size(), QSize(300 / 8 + 1, 900 / 8 + 1));  // every 8th line and sample
    EXPECT_LE(std::max(reader.size().width(), reader.size().height()), 128);

    // A missing sample is transparent.
    layout.missingConstant = QStringLiteral("0");
    const QString holed = WriteImageProduct(dir, QStringLiteral("holed"), layout);
    const QString holedOut = dir.file(QStringLiteral("holed.png"));
    WriteThumbnail(holed, 128, holedOut);
    const QImage written(holedOut);
    EXPECT_EQ(qAlpha(written.pixel(0, 0)), 0);  // line 0, sample 0 holds 0
    EXPECT_EQ(qAlpha(written.pixel(5, 5)), 255);

    // The top line is dark, the bottom light: the stretch follows the values.
    const QImage picture = MakeThumbnail(label, 64);
    EXPECT_LT(qGray(picture.pixel(0, 0)), qGray(picture.pixel(0, picture.height() - 1)));

    const QString notes = dir.write(QStringLiteral("notes.txt"), "words\n");
    const ProgramRun failed = ProgramRun::Start(
        QStringLiteral(VELLORA_VIEW_PROGRAM),
        {QStringLiteral("--thumbnail"), QStringLiteral("128"), notes, dir.file(QStringLiteral("notes.png"))},
        home.path());
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.err.count('\n'), 1);
    EXPECT_TRUE(failed.err.contains(notes.toUtf8())) << failed.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("notes.png"))));

    const ProgramRun usage = ProgramRun::Start(QStringLiteral(VELLORA_VIEW_PROGRAM),
                                               {QStringLiteral("--thumbnail"), QStringLiteral("0"), label, out},
                                               home.path());
    EXPECT_EQ(usage.exitCode, 2);
}

TEST(ViewerWindow, SampleVolumeShowsImageTablesSeriesAndSpectrum)
{
    const QDir data(QStringLiteral(VELLORA_SOURCE_DIR "/sample/volume/DATA"));
    ViewerWindow window;
    window.resize(1000, 700);
    window.show();

    ASSERT_TRUE(window.OpenFile(data.filePath(QStringLiteral("IMAGES/IMG0001.LBL"))));
    EXPECT_TRUE(window.currentImageView());
    Settle(window);

    // A table opens on its rows, read from the file.
    ASSERT_TRUE(window.OpenFile(data.filePath(QStringLiteral("TABLES/CRATERS.LBL"))));
    EXPECT_EQ(window.structure().currentItem()->text(1), QStringLiteral("table"));
    EXPECT_EQ(window.structure().currentItem()->text(2), QStringLiteral("6 rows \u00d7 4 columns"));
    auto* pages = qobject_cast<TablePages*>(window.currentView());
    ASSERT_TRUE(pages);
    ASSERT_TRUE(pages->rows());
    EXPECT_FALSE(pages->plot());  // not made until its tab is shown
    pages->rows()->WaitUntilLoaded();
    ASSERT_TRUE(pages->rows()->tableView()->model());
    EXPECT_EQ(pages->rows()->tableView()->model()->rowCount(), 6);
    EXPECT_EQ(pages->rows()->tableView()->model()->columnCount(), 4);
    pages->ShowPlot();
    ASSERT_TRUE(pages->plot());
    pages->plot()->WaitUntilLoaded();
    EXPECT_GE(pages->plot()->seriesCount(), 1);

    // A time series and a spectrum open on their plots.
    for (const char* label : {"SERIES/MAG0001.LBL", "SPECTRA/SPEC0001.LBL"}) {
        ASSERT_TRUE(window.OpenFile(data.filePath(QString::fromUtf8(label))));
        pages = qobject_cast<TablePages*>(window.currentView());
        ASSERT_TRUE(pages) << label;
        ASSERT_TRUE(pages->plot()) << label;
        pages->plot()->WaitUntilLoaded();
        EXPECT_GE(pages->plot()->seriesCount(), 1) << label;
        pages->ShowRows();
        ASSERT_TRUE(pages->rows());
        pages->rows()->WaitUntilLoaded();
        EXPECT_EQ(pages->rows()->tableView()->model()->rowCount(),
                  std::string(label).find("MAG") != std::string::npos ? 30 : 24);
    }
}
