// Reading a label's content type from real files.

#include "label/CLabelScanner.h"
#include "label/LabelReader.h"
#include "platform/HostNames.h"
#include "platform/WinTypes.h"
#include "support/QtPrinters.h"
#include "support/ScriptedRunner.h"
#include "support/VolumeTest.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class LabelReader : public VolumeTest {
protected:
    // Reads a label that must open: no message box is expected.
    QString Read(const QString& path)
    {
        ScriptedRunner runner;
        return GetLabelContentType(path, path);
    }
    // Reads a path that must not open: exactly one box with the path.
    void ExpectUnopenable(const QString& path)
    {
        ScriptedRunner runner;
        runner.ExpectBox(IDOK);
        EXPECT_EQ(GetLabelContentType(path, path), QString());
        ASSERT_EQ(runner.Boxes().size(), 1u);
        EXPECT_EQ(runner.Boxes()[0].text, "Unable to open file: " + path);
        EXPECT_EQ(runner.Boxes()[0].kind.buttons, MessageButtons::Ok);
    }

    // A file of the given size whose parts stand at the given offsets; the
    // rest is a hole, so multi-gigabyte labels cost no disk.
    QString WriteSparse(const QString& relative, long long size,
                        const std::vector<std::pair<long long, QByteArray>>& parts)
    {
        const QString path = volume.write(relative, {});
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::ftruncate(fd, size), 0);
        for (const auto& [offset, bytes] : parts)
            EXPECT_EQ(::pwrite(fd, bytes.constData(), size_t(bytes.size()), offset), bytes.size());
        ::close(fd);
        return path;
    }

    static long PeakMemoryKb()
    {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    }
};

TEST_F(LabelReader, ValueOfTheFirstObjectLine)
{
    const struct {
        const char* text;
        const char* type;
    } cases[] = {
        {"PDS_VERSION_ID = PDS3\nRECORD_TYPE = FIXED_LENGTH\nOBJECT = IMAGE\n  LINES = 5\nEND_OBJECT = IMAGE\nEND\n", "IMAGE"},
        {"OBJECT=TABLE\n", "TABLE"},
        {"object = table\n", "table"},
        {"OBJECT = TABLE\nOBJECT = IMAGE\n", "TABLE"},
        {"OBJECT = \"SPECTRAL QUBE\"\n", "\"SPECTRAL QUBE\""},
        {"OBJECT = IMAGE /* the picture */\n", "IMAGE /* the picture */"},
        {"\tOBJECT   =  SPECTRUM \n", "SPECTRUM"},
        {"OBJECT =\nOBJECT = IMAGE\n", ""},
        {"^IMAGE = 12\nEND_OBJECT = X\nOBJECTS = 2\n/* OBJECT = X */\nOBJECT = FILE\n", "FILE"},
        {"\nEND\nOBJECT\n/* note */\nOBJECT = HISTORY\n", "HISTORY"},
        {"OBJECT = A = B\n", "A = B"},
        {"PDS_VERSION_ID = PDS3\nEND\n", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        volume.write("Data/Img001.lbl", c.text);
        EXPECT_EQ(Read("D:/Data/Img001.lbl"), QString::fromLatin1(c.type)) << c.text;
    }
}

TEST_F(LabelReader, CrLfLinesReadLikeLfLines)
{
    const QByteArray lf = "PDS_VERSION_ID = PDS3\nSPACECRAFT = X\n\nOBJECT = TIME_SERIES \nEND\n";
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");
    volume.write("lf.lbl", lf);
    volume.write("crlf.lbl", crlf);
    EXPECT_EQ(Read("D:/lf.lbl"), "TIME_SERIES");
    EXPECT_EQ(Read("D:/CRLF.LBL"), "TIME_SERIES");
    // An empty value with a CR before the line end is still empty.
    volume.write("empty.lbl", "OBJECT = \r\nOBJECT = IMAGE\r\n");
    EXPECT_EQ(Read("D:/empty.lbl"), "");
}

TEST_F(LabelReader, BinaryDataAndNulBytes)
{
    QByteArray text("\x00\x01\xff\xfe=OBJECT\x00=X\n", 13);
    text += QByteArray("OBJ\0ECT = Y\n", 12);
    text += "  Object = IMAGE\r\n";
    text += QByteArray(1000, '\0');
    volume.write("bin.lbl", text);
    EXPECT_EQ(Read("D:/bin.lbl"), "IMAGE");
    // Bytes that are not UTF-8 in the value come back as the same bytes.
    volume.write("latin.lbl", "OBJECT = \xb5M_TABLE\n");
    EXPECT_EQ(platform::ToHostName(Read("D:/latin.lbl")), "\xb5M_TABLE");
}

TEST_F(LabelReader, UnopenablePathsGiveOneMessageEach)
{
    volume.mkdir("Data/folder.lbl");
    ASSERT_EQ(::mkfifo(QFile::encodeName(volume.file("Data/fifo.lbl")).constData(), 0644), 0);
    ASSERT_EQ(::symlink("nowhere.lbl", QFile::encodeName(volume.file("Data/dangling.lbl")).constData()), 0);

    ExpectUnopenable("D:/Data/Missing.lbl");
    ExpectUnopenable("D:/Data/folder.lbl");
    ExpectUnopenable("D:/Data/FIFO.LBL");  // must not block on the FIFO
    ExpectUnopenable("D:/Data/dangling.lbl");
    ExpectUnopenable("Q:/no/such/drive.lbl");
    ExpectUnopenable("/dev/zero");  // a device is never opened, so never read
    ExpectUnopenable("D:");
}

TEST_F(LabelReader, NameThatIsNotUtf8)
{
    const QByteArray name = QFile::encodeName(volume.path()) + "/IMG\xff\xfe.lbl";
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "OBJECT = IMAGE\n", 15), 15);
    ::close(fd);
    const QString path = platform::FromHostName(name);
    EXPECT_EQ(Read(path), "IMAGE");
    EXPECT_EQ(Read("D:/IMG" + platform::FromHostName("\xff\xfe") + ".lbl"), "IMAGE");
    ::unlink(name.constData());  // QTemporaryDir cannot remove such a name itself
}

TEST_F(LabelReader, HugeLineIsStreamedNotHeld)
{
    // 200 MB without a line break, then the OBJECT line.
    const QString path = volume.file("huge.lbl");
    {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        const QByteArray block(1024 * 1024, 'x');
        out.write("OBJECTXX");
        for (int i = 0; i < 200; ++i)
            ASSERT_EQ(out.write(block), block.size());
        out.write("\r\nOBJECT = TABLE\r\n");
    }
    const long before = PeakMemoryKb();
    EXPECT_EQ(Read(path), "TABLE");
    EXPECT_LT(PeakMemoryKb() - before, 16 * 1024) << "peak memory grew by KB";
}

TEST_F(LabelReader, SparseMultiGigabyteLabels)
{
    constexpr long long kSize = 6LL * 1024 * 1024 * 1024;
    const QString found = WriteSparse("big.lbl", kSize,
                                      {{0, "PDS_VERSION_ID = PDS3\r\nRECORD_BYTES = 1"},
                                       {kSize - 40, "\r\nOBJECT = IMAGE\r\n"}});
    const QString none = WriteSparse("empty.lbl", kSize, {{0, "PDS_VERSION_ID = PDS3\r\n"}});
    const long before = PeakMemoryKb();
    EXPECT_EQ(Read("D:/BIG.LBL"), "IMAGE");
    EXPECT_EQ(Read("D:/empty.lbl"), "");
    EXPECT_LT(PeakMemoryKb() - before, 16 * 1024) << "peak memory grew by KB";
}

TEST_F(LabelReader, RunawayObjectValueGivesNoContentType)
{
    // The value runs into a 200 MB hole: far more than any content type.
    static_assert(CLabelScanner::kMaxValueBytes < 200LL * 1024 * 1024);
    WriteSparse("runaway.lbl", 200LL * 1024 * 1024, {{0, "OBJECT = IMAGE"}});
    const long before = PeakMemoryKb();
    EXPECT_EQ(Read("D:/runaway.lbl"), "");
    // Some copies of the capped value at most, far below the 200 MB (and
    // twice that as text) that holding the whole line would take.
    EXPECT_LT(PeakMemoryKb() - before, 100 * 1024);
    // A long value below the limit is returned whole.
    QByteArray text = "OBJECT = ";
    text += QByteArray(1024 * 1024, 'V');
    text += " \r\n";
    volume.write("long.lbl", text);
    EXPECT_EQ(Read("D:/long.lbl"), QString(1024 * 1024, u'V'));
}

// The first-OBJECT rule written out plainly over the whole file.
QByteArray FirstObjectValue(const QByteArray& contents)
{
    for (const QByteArray& line : contents.split('\n')) {
        const qsizetype sign = line.indexOf('=');
        if (sign >= 0 && line.left(sign).trimmed().toUpper() == "OBJECT")
            return line.mid(sign + 1).trimmed();
    }
    return {};
}

TEST_F(LabelReader, EveryCorpusLabelFollowsTheFirstObjectRule)
{
    QString corpus = qEnvironmentVariable("VELLORA_CORPUS", QStringLiteral(VELLORA_CORPUS));
    if (!QFileInfo(corpus).isDir())
        GTEST_SKIP() << "no corpus at " << corpus.toStdString();
    int labels = 0;
    int withType = 0;
    QDirIterator files(corpus, {"*.lbl", "*.LBL", "*.cat"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray expected = FirstObjectValue(file.readAll());
        EXPECT_EQ(platform::ToHostName(Read(path)), expected) << path.toStdString();
        ++labels;
        withType += expected.isEmpty() ? 0 : 1;
    }
    EXPECT_GT(labels, 50);
    EXPECT_GT(withType, 20);
}

}  // namespace
