// The vellora-view command line: usage and its exit status 2, failures with
// one line and status 1 and nothing written, a short data file, the PNG
// export of a written band (stretch and display direction), --help and
// --version. Whole-program cases run the built program as a process.

#include "support/ProgramRun.h"
#include "support/TempDir.h"
#include "viewcli/PngExport.h"
#include "viewcli/ViewOptions.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QImage>

namespace {

ProgramRun View(const TempDir& home, const QStringList& arguments)
{
    return ProgramRun::Start(QStringLiteral(VELLORA_VIEW_PROGRAM), arguments, home.path());
}

QString Products() { return QStringLiteral(VELLORA_PRODUCTS); }

TEST(ViewOptions, ParsesActionsAndRefusesBadUsage)
{
    viewcli::ViewOptions options;
    QString error;
    ASSERT_TRUE(options.Parse({"--info", "--json", "a.lbl"}, error));
    EXPECT_EQ(options.action, viewcli::ViewOptions::Action::Info);
    EXPECT_TRUE(options.json);
    EXPECT_EQ(options.file, "a.lbl");

    viewcli::ViewOptions png;
    ASSERT_TRUE(png.Parse({"a.lbl", "--export", "OUT.PNG", "--band", "3", "--object", "IMAGE"}, error));
    EXPECT_EQ(png.action, viewcli::ViewOptions::Action::Export);
    EXPECT_TRUE(png.exportPng);
    EXPECT_EQ(png.band, 3);
    EXPECT_EQ(png.object, "IMAGE");

    const std::vector<QStringList> bad = {
        {},
        {"a.lbl"},
        {"--info"},
        {"--info", "a", "b"},
        {"--info", "--export", "x.csv", "a"},
        {"--export", "x.csv", "--json", "a"},
        {"--export", "x.txt", "a"},
        {"--export", "x.csv", "--band", "2", "a"},
        {"--export", "x.png", "--band", "0", "a"},
        {"--export", "x.png", "--band", "two", "a"},
        {"--export"},
        {"--info", "--object", "T", "a"},
        {"--frobnicate", "a"},
    };
    for (const QStringList& arguments : bad) {
        viewcli::ViewOptions refused;
        QString message;
        EXPECT_FALSE(refused.Parse(arguments, message)) << arguments.join(' ').toStdString();
        EXPECT_EQ(message.count(QLatin1Char('\n')), 1) << message.toStdString();
    }
}

// A 3 x 4 band of 8-bit values 0..11 (and one NaN-free constant line).
product::ArrayObject WriteBand(const TempDir& dir)
{
    QByteArray bytes;
    for (int i = 0; i < 12; ++i)
        bytes.append(char(i * 20));
    product::ArrayObject array;
    array.name = QStringLiteral("IMAGE");
    array.dataFile = dir.write("band.img", bytes);
    array.element = {product::Encoding::UnsignedInt, 1};
    array.axes = {{"LINE", 3, 4}, {"SAMPLE", 4, 1}};
    array.lineAxis = 0;
    array.sampleAxis = 1;
    return array;
}

TEST(PngExport, StretchesBetweenThePercentilesInTheDisplayDirection)
{
    TempDir dir;
    product::ArrayObject array = WriteBand(dir);
    const QString top = dir.file("top.png");
    viewcli::WriteBandPng(product::ArrayReader::Open(array), 0, top);
    QImage image(top);
    ASSERT_EQ(image.size(), QSize(4, 3));
    // Percentile ranks floor(0.005 * 11) = 0 and floor(0.995 * 11) = 10:
    // values 0 and 200 map to 0 and 255, 220 above the top stays white.
    EXPECT_EQ(qGray(image.pixel(0, 0)), 0);
    EXPECT_EQ(qGray(image.pixel(1, 0)), 26);   // 20 / 200 * 255 = 25.5, rounded
    EXPECT_EQ(qGray(image.pixel(2, 2)), 255);  // value 200
    EXPECT_EQ(qGray(image.pixel(3, 2)), 255);  // value 220

    array.linesTopToBottom = false;
    array.samplesLeftToRight = false;
    const QString flipped = dir.file("flipped.png");
    viewcli::WriteBandPng(product::ArrayReader::Open(array), 0, flipped);
    QImage turned(flipped);
    ASSERT_EQ(turned.size(), QSize(4, 3));
    EXPECT_EQ(qGray(turned.pixel(3, 2)), 0);  // the first sample of the first line
    EXPECT_EQ(qGray(turned.pixel(2, 2)), 26);

    EXPECT_THROW(viewcli::WriteBandPng(product::ArrayReader::Open(array), 0, dir.file("no/such/x.png")),
                 product::Error);
    EXPECT_FALSE(QFile::exists(dir.file("no/such/x.png")));
}

TEST(ViewProgram, HelpVersionAndUsage)
{
    TempDir home;
    const ProgramRun help = View(home, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--info")) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("--export"));
    const ProgramRun version = View(home, {"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QByteArray("vellora-view " VELLORA_VERSION "\n"));
    const ProgramRun none = View(home, {});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.err.contains("Usage:"));
    const ProgramRun unknown = View(home, {"--info", "--fast", "x"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.startsWith("vellora-view: unknown option --fast\n"));
}

TEST(ViewProgram, FailuresGiveOneLineAndWriteNothing)
{
    TempDir home;
    TempDir work;
    const QString missing = work.file("nothing.lbl");
    const ProgramRun absent = View(home, {"--info", missing});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_EQ(absent.err.count('\n'), 1);
    EXPECT_TRUE(absent.err.contains(missing.toUtf8()));

    const QString text = work.write("notes.txt", "just some words\nof text\n");
    const ProgramRun notLabel = View(home, {"--info", text});
    EXPECT_EQ(notLabel.exitCode, 1);
    EXPECT_EQ(notLabel.err.count('\n'), 1) << notLabel.err.toStdString();

    const ProgramRun folder = View(home, {"--info", work.path()});
    EXPECT_EQ(folder.exitCode, 1);

    if (!QDir(Products()).exists())
        GTEST_SKIP() << "no products at " << Products().toStdString();
    const QString image = Products() + "/pds4-image-uint16-i943630r/i943630r.xml";
    const QString table = Products() + "/pds4-table-nh-pluto-spectrum-lblx/pluto_spectrum.lblx";
    // A CSV of an image, a PNG of a table, an object that is not there, a
    // band that is not there, a folder that is not there: status 1, nothing written.
    const std::vector<QStringList> failing = {
        {"--export", work.file("a.csv"), image},
        {"--export", work.file("a.png"), table},
        {"--export", work.file("a.csv"), table, "--object", "NO_SUCH_TABLE"},
        {"--export", work.file("a.png"), image, "--band", "2"},
        {"--export", work.file("missing/a.csv"), table},
    };
    for (const QStringList& arguments : failing) {
        const ProgramRun run = View(home, arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.startsWith("vellora-view: ")) << run.err.toStdString();
    }
    EXPECT_EQ(QDir(work.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"notes.txt"});

    // And a PNG that can be written is written, at the image's size.
    const ProgramRun png = View(home, {"--export", work.file("i.png"), image});
    ASSERT_EQ(png.exitCode, 0) << png.err.toStdString();
    EXPECT_EQ(QImage(work.file("i.png")).size(), QSize(256, 248));
}

TEST(ViewProgram, AShortDataFileIsNamedWithBothSizes)
{
    if (!QDir(Products()).exists())
        GTEST_SKIP() << "no products at " << Products().toStdString();
    TempDir home;
    TempDir work;
    // The label beside a copy of its data that lost its last 100 lines.
    QFile label(Products() + "/pds4-image-uint16-i943630r/i943630r.xml");
    ASSERT_TRUE(label.open(QIODevice::ReadOnly));
    const QString copy = work.write("i943630r.xml", label.readAll());
    QFile data(Products() + "/pds4-image-uint16-i943630r/i943630r.raw");
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    work.write("i943630r.raw", data.read(148 * 256 * 2));
    const ProgramRun info = View(home, {"--info", copy});
    EXPECT_EQ(info.exitCode, 1);
    EXPECT_EQ(info.err.count('\n'), 1) << info.err.toStdString();
    EXPECT_TRUE(info.err.contains(QByteArray::number(248 * 256 * 2))) << info.err.toStdString();
    EXPECT_TRUE(info.err.contains(QByteArray::number(148 * 256 * 2)));
    // What is there is still read: 148 whole lines.
    EXPECT_TRUE(info.out.contains("count 37888,")) << info.out.toStdString();
}

}  // namespace
