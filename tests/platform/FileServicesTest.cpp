// Drive table, path translation, folder finder, file status, text reader.

#include "platform/CStdioFile.h"
#include "platform/FileFinder.h"
#include "platform/FileStatus.h"
#include "platform/HostNames.h"
#include "platform/ProgramDir.h"
#include "platform/WinTypes.h"
#include "support/VolumeTest.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <map>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileServices : public VolumeTest {
protected:
    std::map<QString, std::uint32_t> List(const QString& pattern)
    {
        std::map<QString, std::uint32_t> found;
        FileFinder finder;
        for (bool more = finder.FindFirst(pattern); more; more = finder.FindNext())
            found[finder.Entry().name] = finder.Entry().attributes;
        return found;
    }
};

TEST_F(FileServices, DrivePathsMatchNamesWithoutRegardToCase)
{
    const QString label = volume.write("DATA/IMAGES/IMG001.LBL", "OBJECT = IMAGE\n");
    volume.write("lower/case.lbl", "x");

    EXPECT_EQ(drives.ToHostPath("D:/Data/Images/Img001.lbl"), label);
    EXPECT_EQ(drives.ToHostPath("D:\\DATA\\images\\img001.LBL"), label);
    EXPECT_EQ(drives.ToHostPath("d:/LOWER/CASE.LBL"), volume.file("lower/case.lbl"));
    EXPECT_EQ(drives.ToHostPath("D:"), volume.path());
    EXPECT_EQ(drives.ToHostPath("D:\\"), volume.path());
    // A component that names nothing is kept as written, and so is the rest.
    EXPECT_EQ(drives.ToHostPath("D:/Data/Missing/Img001.lbl"), volume.path() + "/DATA/Missing/Img001.lbl");
    // ".." never climbs above the drive's folder.
    EXPECT_EQ(drives.ToHostPath("D:/../../Data"), volume.path() + "/DATA");
    // Host paths pass through; a drive without a folder gives nothing.
    EXPECT_EQ(drives.ToHostPath("/etc/hostname"), "/etc/hostname");
    EXPECT_EQ(drives.ToHostPath("Q:/x"), QString());
}

TEST_F(FileServices, ANameWithABackslashIsOneComponentWhenTheFolderHoldsIt)
{
    const QString file = volume.write("Data/a\\B.LBL", "x");
    const QString deep = volume.write("Data/x\\y/f.txt", "x");
    const QString split = volume.write("Data/p/q.txt", "x");
    EXPECT_EQ(platform::HostPath("D:/Data/a\\b.lbl"), file);
    EXPECT_EQ(platform::HostPath("D:/data/X\\Y/F.TXT"), deep);
    // Where no such name exists, "\\" still separates, as in the paths the
    // program builds itself.
    EXPECT_EQ(platform::HostPath("D:\\DATA\\P\\q.txt"), split);
    EXPECT_EQ(platform::HostPath("D:/Data/p\\q.txt"), split);
    // A listing of the folder with the backslash in its name.
    EXPECT_EQ(List("D:/Data/x\\y\\*").count("f.txt"), 1u);
}

TEST_F(FileServices, ExactCaseWinsOverOtherCaseVariants)
{
    volume.write("Readme.txt", "a");
    volume.write("README.TXT", "b");
    EXPECT_EQ(drives.ToHostPath("D:/README.TXT"), volume.file("README.TXT"));
    EXPECT_EQ(drives.ToHostPath("D:/Readme.txt"), volume.file("Readme.txt"));
    // Without an exact match the choice is the same every time.
    const QString chosen = drives.ToHostPath("D:/readme.TXT");
    EXPECT_TRUE(chosen == volume.file("README.TXT") || chosen == volume.file("Readme.txt"));
    EXPECT_EQ(drives.ToHostPath("D:/readme.TXT"), chosen);
}

TEST_F(FileServices, NewFilesAreSeenAfterTheFolderChanges)
{
    volume.write("A.LBL", "x");
    EXPECT_EQ(drives.ToHostPath("D:/a.lbl"), volume.file("A.LBL"));
    volume.write("B.LBL", "x");
    EXPECT_EQ(drives.ToHostPath("D:/b.lbl"), volume.file("B.LBL"));
}

TEST_F(FileServices, CurrentDriveIsTheLongestPrefixAndDrivesKeepTheirFolder)
{
    volume.mkdir("DATA/IMAGES");
    ASSERT_EQ(drives.ChDir("D:/data/images"), 0);
    EXPECT_EQ(QDir::currentPath(), volume.file("DATA/IMAGES"));
    EXPECT_EQ(drives.GetDrive(), 4);

    // Leaving for C: and coming back finds the folder again.
    ASSERT_EQ(drives.ChDrive(3), 0);
    EXPECT_EQ(drives.GetDrive(), 3);
    ASSERT_EQ(drives.ChDrive(4), 0);
    EXPECT_EQ(QDir::currentPath(), volume.file("DATA/IMAGES"));

    // A bare drive name is the drive's root; "\" the current drive's root.
    ASSERT_EQ(drives.ChDir("D:"), 0);
    EXPECT_EQ(QDir::currentPath(), volume.path());
    ASSERT_EQ(drives.ChDir("D:/Data"), 0);
    ASSERT_EQ(drives.ChDir("\\"), 0);
    EXPECT_EQ(QDir::currentPath(), volume.path());

    EXPECT_EQ(drives.ChDrive(17), -1);
    EXPECT_EQ(drives.ChDir("D:/NoSuchFolder"), -1);
    EXPECT_EQ(QDir::currentPath(), volume.path());
}

TEST_F(FileServices, StartFolderIsDriveD)
{
    DriveTable table;
    table.InitFromStartDir(volume.path());
    EXPECT_EQ(table.Folder(3), "/");
    EXPECT_EQ(table.Folder(4), QDir(volume.path()).canonicalPath());
    table.InitFromStartDir("/");
    EXPECT_NE(table.Folder(4), "/");
}

TEST_F(FileServices, FinderAppliesTheMaskWithoutRegardToCase)
{
    volume.write("DATA/a.LBL", "x");
    volume.write("DATA/B.TXT", "x");
    volume.write("DATA/DATA.LBL", "x");
    volume.write("DATA/README", "x");
    volume.mkdir("DATA/IMAGES");

    const auto labels = List("D:/Data\\*.lbl");
    EXPECT_EQ(labels.size(), 2u);
    EXPECT_TRUE(labels.count("a.LBL"));
    EXPECT_TRUE(labels.count("DATA.LBL"));

    EXPECT_EQ(List("D:/Data\\*").size(), 5u);
    EXPECT_EQ(List("D:/Data\\*.*").size(), 5u);  // README has no dot and still matches
    EXPECT_EQ(List("D:/Data\\?.lbl").size(), 1u);
    EXPECT_TRUE(List("D:/Data\\*.xyz").empty());
    EXPECT_TRUE(List("D:/NoSuchFolder\\*").empty());

    EXPECT_TRUE(FileFinder::MatchMask("IMG*.L?L", "img001.lbl"));
    EXPECT_FALSE(FileFinder::MatchMask("*.lbl", "x.lbl.bak"));
    EXPECT_TRUE(FileFinder::MatchMask("*a*b*", "xxaxxbxx"));
}

TEST_F(FileServices, AttributeWordsMarkFoldersLinksAndReadOnlyFiles)
{
    volume.mkdir("ROOT/PLAIN");
    const QString readOnly = volume.write("ROOT/RO.TXT", "x");
    volume.write("ROOT/RW.TXT", "x");
    ASSERT_EQ(chmod(readOnly.toUtf8().constData(), 0444), 0);
    ASSERT_EQ(symlink(volume.file("ROOT/PLAIN").toUtf8().constData(), volume.file("ROOT/LINKED").toUtf8().constData()), 0);
    ASSERT_EQ(symlink("/nonexistent/target", volume.file("ROOT/DANGLING").toUtf8().constData()), 0);

    const auto entries = List("D:/Root\\*");
    EXPECT_EQ(entries.at("PLAIN"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(entries.at("LINKED"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
    EXPECT_EQ(entries.at("RO.TXT"), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(entries.at("RW.TXT"), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_TRUE(entries.at("DANGLING") & FILE_ATTRIBUTE_REPARSE_POINT);
    EXPECT_FALSE(entries.count(".") || entries.count(".."));
}

TEST_F(FileServices, SizesAreSixtyFourBit)
{
    const QString big = volume.write("BIG.IMG", "");
    const int fd = open(big.toUtf8().constData(), O_WRONLY);
    ASSERT_GE(fd, 0);
    const off_t size = 3LL * 1024 * 1024 * 1024 + 5;
    ASSERT_EQ(ftruncate(fd, size), 0);  // sparse: no disk space used
    close(fd);

    FileFinder finder;
    ASSERT_TRUE(finder.FindFirst("D:\\big.img"));
    EXPECT_EQ(finder.Entry().size, size);
    FileStatus status;
    ASSERT_TRUE(platform::GetStatus("D:/Big.img", status));
    EXPECT_EQ(status.size, size);
    EXPECT_EQ(status.attributes, FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_FALSE(platform::GetStatus("D:/Missing.img", status));
    ASSERT_TRUE(platform::GetStatus("D:", status));
    EXPECT_EQ(status.attributes, FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(FileServices, NamesThatAreNotUtf8KeepEveryByte)
{
    const QByteArray raw("IMG\xE9\xFF.LBL");
    const QString name = platform::FromHostName(raw);
    EXPECT_EQ(platform::ToHostName(name), raw);
    EXPECT_EQ(platform::FromHostName("Caf\xC3\xA9"), QString::fromUtf8("Caf\xC3\xA9"));

    const QByteArray path = QFile::encodeName(volume.path()) + "/" + raw;
    const int fd = open(path.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    close(fd);
    const auto entries = List("D:\\*.lbl");
    ASSERT_EQ(entries.size(), 1u);
    const QString found = entries.begin()->first;
    FileStatus status;
    EXPECT_TRUE(platform::GetStatus("D:/" + found, status));
    CStdioFile file;
    EXPECT_TRUE(file.Open("D:/" + found));
    EXPECT_EQ(drives.ToHostPath("D:/" + platform::FromHostName("img\xE9\xFF.lbl")),
              volume.path() + "/" + name);
}

TEST_F(FileServices, TextReaderSplitsLfAndCrLfLinesOfAnyLength)
{
    const QByteArray longLine(200000, 'x');
    volume.write("T.TXT", "one\r\ntwo\n\nthree\r\n" + longLine + "\nlast");
    CStdioFile file;
    ASSERT_TRUE(file.Open("D:/t.txt"));
    QStringList lines;
    QString line;
    while (file.ReadString(line))
        lines << line;
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "one");
    EXPECT_EQ(lines[1], "two");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "three");
    EXPECT_EQ(lines[4].size(), longLine.size());
    EXPECT_EQ(lines[5], "last");
}

TEST_F(FileServices, TextReaderCutsOverlongLinesWithoutHoldingThem)
{
    // A line far longer than the limit, with a CR LF and a short line after
    // it, then an overlong last line without a line end.
    QByteArray text = QByteArray(3 * 1024 * 1024, 'x') + "\r\nnext\n" + QByteArray(200000, 'y');
    volume.write("B.TXT", text);
    CStdioFile file;
    ASSERT_TRUE(file.Open("D:/B.TXT"));
    QByteArray line;
    ASSERT_TRUE(file.ReadLine(line, 1000));
    EXPECT_EQ(line, QByteArray(1000, 'x'));
    ASSERT_TRUE(file.ReadLine(line, 1000));
    EXPECT_EQ(line, "next");
    ASSERT_TRUE(file.ReadLine(line, 1000));
    EXPECT_EQ(line, QByteArray(1000, 'y'));
    EXPECT_FALSE(file.ReadLine(line, 1000));

    // A line exactly at the limit is kept whole.
    volume.write("C.TXT", "abc\r\nde");
    ASSERT_TRUE(file.Open("D:/C.TXT"));
    ASSERT_TRUE(file.ReadLine(line, 3));
    EXPECT_EQ(line, "abc");
    ASSERT_TRUE(file.ReadLine(line, 3));
    EXPECT_EQ(line, "de");
    EXPECT_FALSE(file.ReadLine(line, 3));
}

TEST_F(FileServices, TextReaderStopsAtItsReadLimit)
{
    volume.write("D.TXT", "abc\ndef\n");
    CStdioFile file;
    QByteArray line;
    // The limit falls inside the second line: its start is the last line.
    ASSERT_TRUE(file.Open("D:/D.TXT"));
    file.SetReadLimit(5);
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, "abc");
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, "d");
    EXPECT_FALSE(file.ReadLine(line));
    EXPECT_TRUE(file.Truncated());
    // A limit of the file's very size reads it all and is no cut.
    ASSERT_TRUE(file.Open("D:/D.TXT"));
    file.SetReadLimit(8);
    ASSERT_TRUE(file.ReadLine(line));
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, "def");
    EXPECT_FALSE(file.ReadLine(line));
    EXPECT_FALSE(file.Truncated());
    // Raw reads count as well.
    ASSERT_TRUE(file.Open("D:/D.TXT"));
    file.SetReadLimit(6);
    char buffer[16] = {};
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 6);
    EXPECT_EQ(QByteArray(buffer, 6), "abc\nde");
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0);
    EXPECT_TRUE(file.Truncated());
}

TEST_F(FileServices, PassingOverAHoleCostsNoMoreThanTheLimit)
{
    // A sparse file of 16 GiB without a line end: an unlimited reader would
    // read all of it to find the end of its one line.
    const QString path = volume.write("HOLE.TXT", "");
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), 16LL << 30), 0);
    CStdioFile file;
    ASSERT_TRUE(file.Open("D:/HOLE.TXT"));
    file.SetReadLimit(1 << 20);
    QByteArray line;
    ASSERT_TRUE(file.ReadLine(line, 100));
    EXPECT_EQ(line, QByteArray(100, '\0'));
    EXPECT_FALSE(file.ReadLine(line, 100));
    EXPECT_TRUE(file.Truncated());
}

TEST_F(FileServices, TextReaderDecodesLatin1WhenNotUtf8)
{
    volume.write("L.TXT", "caf\xE9\n");
    CStdioFile file;
    ASSERT_TRUE(file.Open("D:/L.TXT"));
    QString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, QString::fromLatin1("caf\xE9"));
}

TEST_F(FileServices, OnlyRegularFilesOpen)
{
    volume.mkdir("FOLDER");
    ASSERT_EQ(mkfifo(volume.file("PIPE.LBL").toUtf8().constData(), 0644), 0);
    ASSERT_EQ(symlink("/nonexistent", volume.file("GONE.LBL").toUtf8().constData()), 0);
    CStdioFile file;
    EXPECT_FALSE(file.Open("D:/FOLDER"));
    EXPECT_FALSE(file.Open("D:/PIPE.LBL"));  // must not block waiting for a writer
    EXPECT_FALSE(file.Open("D:/GONE.LBL"));
    EXPECT_FALSE(file.Open("D:/MISSING.LBL"));
    EXPECT_FALSE(file.Open("/dev/null"));
}

TEST(ProgramDir, IsTheFolderOfTheRunningExecutable)
{
    EXPECT_EQ(platform::ProgramDirectory(), QCoreApplication::applicationDirPath());
}

}  // namespace
