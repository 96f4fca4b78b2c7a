// The search for a missing helper: depth-first and pre-order in the file
// system's order, one progress step per folder, the first match without
// regard to case, no way through links, and trees of any depth.

#include "RecordingSink.h"
#include "open/SearchForFile.h"
#include "platform/FileFinder.h"
#include "platform/WinTypes.h"
#include "support/QtPrinters.h"
#include "support/TempDir.h"
#include "support/VolumeTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Search : public VolumeTest {
protected:
    // The walk the search must make, written the plain recursive way over
    // the same listings: the folders visited and the first match.
    void Reference(const QString& folder, const QString& name, QStringList& visited, QString& match)
    {
        visited << folder;
        FileFinder finder;
        for (bool more = finder.FindFirst(folder + "\\*"); more && match.isEmpty(); more = finder.FindNext()) {
            const FindEntry entry = finder.Entry();
            if (entry.name.startsWith('.'))
                continue;
            const QString path = folder + '/' + entry.name;
            if (entry.attributes == FILE_ATTRIBUTE_DIRECTORY)
                Reference(path, name, visited, match);
            else if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
                match = QString(path).replace('/', '\\');
        }
    }

    static QStringList Scanned(const RecordingSink& progress)
    {
        QStringList folders;
        for (const QString& text : progress.texts) {
            EXPECT_TRUE(text.startsWith("Scanning: ")) << text.toStdString();
            folders << text.mid(10);
        }
        return folders;
    }

};

TEST_F(Search, FindsAFileWithAnotherCaseAndKeepsTheStartForm)
{
    volume.write("SOFTWARE/README.TXT", "x");
    volume.write("SOFTWARE/BIN/SKYGLASS.EXE", "x");
    volume.mkdir("SOFTWARE/DOC/EMPTY");
    RecordingSink progress;
    QString found = "untouched";
    EXPECT_TRUE(SearchForFile("D:/Software", "skyglass.exe", found, &progress));
    EXPECT_EQ(found, R"(D:\Software\BIN\SKYGLASS.EXE)");
    EXPECT_EQ(progress.texts.value(0), "Scanning: D:/Software");
    EXPECT_TRUE(progress.texts.contains("Scanning: D:/Software/BIN"));
    EXPECT_EQ(progress.steps, progress.texts.size());
}

TEST_F(Search, WalksDepthFirstInListingOrderAndStopsAtTheFirstMatch)
{
    // A tree wide and deep enough that the listing order matters.
    for (const char* folder : {"A/A1/A11", "A/A2", "B/B1/B11/B111", "B/B2", "C", "D/D1", "E"})
        volume.mkdir(QString("TREE/") + folder);
    for (const char* file : {"A/A1/x.dat", "B/B1/B11/target.exe", "B/B2/TARGET.EXE", "D/D1/target.EXE",
                             "E/target.exe", "C/other", "root.txt"})
        volume.write(QString("TREE/") + file, "x");

    QStringList expectedVisits;
    QString expectedMatch;
    Reference("D:/TREE", "Target.Exe", expectedVisits, expectedMatch);
    ASSERT_FALSE(expectedMatch.isEmpty());

    RecordingSink progress;
    QString found;
    EXPECT_TRUE(SearchForFile("D:/TREE", "Target.Exe", found, &progress));
    EXPECT_EQ(found, expectedMatch);
    EXPECT_EQ(Scanned(progress), expectedVisits);
    EXPECT_EQ(progress.steps, expectedVisits.size());

    // Absent: every folder once, in the same order.
    QStringList allVisits;
    QString none;
    Reference("D:/TREE", "absent.exe", allVisits, none);
    EXPECT_EQ(allVisits.size(), 14);  // TREE and its 13 folders
    RecordingSink whole;
    found = "untouched";
    EXPECT_FALSE(SearchForFile("D:/TREE", "absent.exe", found, &whole));
    EXPECT_EQ(found, "untouched");
    EXPECT_EQ(Scanned(whole), allVisits);
    EXPECT_EQ(whole.steps, 14);
}

TEST_F(Search, DotNamesAreNeverSearched)
{
    volume.write("S/.hidden/tool.exe", "x");
    volume.write("S/.tool.exe", "x");
    RecordingSink progress;
    QString found;
    EXPECT_FALSE(SearchForFile("D:/S", "tool.exe", found, &progress));
    EXPECT_FALSE(SearchForFile("D:/S", ".tool.exe", found, &progress));
    EXPECT_EQ(Scanned(progress), QStringList({"D:/S", "D:/S"}));
}

TEST_F(Search, LinksAreComparedAsFilesAndNeverEntered)
{
    volume.write("S/real/tool.exe", "x");
    volume.mkdir("S/sub");
    ASSERT_EQ(::symlink(QFile::encodeName(volume.file("S/real")).constData(),
                        QFile::encodeName(volume.file("S/sub/linked")).constData()), 0);
    // A link back to an ancestor would loop for ever if it were followed.
    ASSERT_EQ(::symlink(QFile::encodeName(volume.file("S")).constData(),
                        QFile::encodeName(volume.file("S/sub/loop")).constData()), 0);
    ASSERT_EQ(::symlink("/nonexistent/nothing", QFile::encodeName(volume.file("S/sub/dangling")).constData()), 0);
    ASSERT_EQ(::rename(QFile::encodeName(volume.file("S/real")).constData(),
                       QFile::encodeName(volume.file("elsewhere")).constData()), 0);
    ASSERT_EQ(::symlink(QFile::encodeName(volume.file("elsewhere")).constData(),
                        QFile::encodeName(volume.file("S/real")).constData()), 0);

    RecordingSink progress;
    QString found;
    EXPECT_FALSE(SearchForFile("D:/S", "tool.exe", found, &progress));
    EXPECT_EQ(Scanned(progress), QStringList({"D:/S", "D:/S/sub"}));
    // The link's own name matches as a file name does.
    EXPECT_TRUE(SearchForFile("D:/S", "LOOP", found, &progress));
    EXPECT_EQ(found, R"(D:\S\sub\loop)");
    EXPECT_TRUE(SearchForFile("D:/S", "dangling", found, nullptr));
    EXPECT_EQ(found, R"(D:\S\sub\dangling)");
}

TEST_F(Search, SpecialFilesMatchWithoutBlocking)
{
    volume.mkdir("S/fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(volume.file("S/fifo/viewer.exe")).constData(), 0600), 0);
    QString found;
    EXPECT_TRUE(SearchForFile("D:/S", "viewer.exe", found, nullptr));
    EXPECT_EQ(found, R"(D:\S\fifo\viewer.exe)");
}

TEST_F(Search, MissingStartCostsOneStepAndFindsNothing)
{
    RecordingSink progress;
    QString found = "untouched";
    EXPECT_FALSE(SearchForFile("D:/Nowhere", "x.exe", found, &progress));
    EXPECT_FALSE(SearchForFile("Q:", "x.exe", found, &progress));
    EXPECT_EQ(found, "untouched");
    EXPECT_EQ(progress.texts, QStringList({"Scanning: D:/Nowhere", "Scanning: Q:"}));
    EXPECT_EQ(progress.steps, 2);
    // A file as the start is not a folder to list.
    volume.write("plain.exe", "x");
    EXPECT_FALSE(SearchForFile("D:/plain.exe", "plain.exe", found, nullptr));
}

TEST_F(Search, EmptyStartSearchesTheRootOfTheCurrentDrive)
{
    volume.write("Tools/Bin/Run.exe", "x");
    volume.mkdir("Work/Deep");
    ASSERT_TRUE(QDir::setCurrent(volume.file("Work/Deep")));
    RecordingSink progress;
    QString found;
    EXPECT_TRUE(SearchForFile("", "run.EXE", found, &progress));
    EXPECT_EQ(found, R"(\Tools\Bin\Run.exe)");
    EXPECT_EQ(progress.texts.value(0), "Scanning: ");
    // The search never changes the current folder.
    EXPECT_EQ(QDir::currentPath(), volume.file("Work/Deep"));
}

// A chain of folders deeper than any path the system accepts in one piece,
// made and removed relative to open folders.
class DeepChain {
public:
    DeepChain(const QString& base, int depth, const char* leaf) : m_base(QFile::encodeName(base)), m_depth(depth)
    {
        int fd = ::open(m_base.constData(), O_RDONLY | O_DIRECTORY);
        for (int i = 0; i < depth && fd >= 0; ++i) {
            if (::mkdirat(fd, "d", 0755) != 0) {
                ::close(fd);
                fd = -1;
                break;
            }
            const int next = ::openat(fd, "d", O_RDONLY | O_DIRECTORY);
            ::close(fd);
            fd = next;
            ++m_made;
        }
        if (fd >= 0) {
            const int file = ::openat(fd, leaf, O_WRONLY | O_CREAT, 0644);
            m_leafMade = file >= 0;
            if (file >= 0)
                ::close(file);
            m_leaf = leaf;
            ::close(fd);
        }
    }
    ~DeepChain()
    {
        // Down once, then up through "..", removing each folder on the way.
        int fd = ::open(m_base.constData(), O_RDONLY | O_DIRECTORY);
        for (int i = 0; i < m_made && fd >= 0; ++i) {
            const int next = ::openat(fd, "d", O_RDONLY | O_DIRECTORY);
            ::close(fd);
            fd = next;
        }
        if (fd < 0)
            return;
        if (m_leafMade)
            ::unlinkat(fd, m_leaf, 0);
        for (int i = 0; i < m_made && fd >= 0; ++i) {
            const int parent = ::openat(fd, "..", O_RDONLY | O_DIRECTORY);
            ::close(fd);
            fd = parent;
            if (fd >= 0)
                ::unlinkat(fd, "d", AT_REMOVEDIR);
        }
        if (fd >= 0)
            ::close(fd);
    }
    bool Complete() const { return m_made == m_depth && m_leafMade; }

private:
    QByteArray m_base;
    int m_depth;
    int m_made = 0;
    const char* m_leaf = "";
    bool m_leafMade = false;
};

TEST_F(Search, TreesDeeperThanAnyPathAreSearchedToTheBottom)
{
    constexpr int kDepth = 5000;
    // Memory-backed when the system has it: thousands of folders made and
    // removed on a journaled disk take long for no gain.
    QTemporaryDir memory(QFileInfo("/dev/shm").isWritable() ? "/dev/shm/vellora-deep-XXXXXX" : "");
    ASSERT_TRUE(memory.isValid());
    drives.SetDrive(4, memory.path());
    QDir(memory.path()).mkdir("Deep");
    DeepChain chain(memory.path() + "/Deep", kDepth, "Leaf.exe");
    if (!chain.Complete())
        GTEST_SKIP() << "the file system does not take a chain of " << kDepth << " folders";

    // A low limit on open files as many desktops set it: the search raises
    // it when one open listing per level needs more.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    struct rlimit low = saved;
    if (saved.rlim_max > kDepth + 200) {
        low.rlim_cur = 256;
        ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    }

    RecordingSink progress;
    QString found;
    const bool ok = SearchForFile("D:/Deep", "leaf.EXE", found, &progress);
    QString expected = "D:/Deep";
    for (int i = 0; i < kDepth; ++i)
        expected += "/d";
    expected += "/Leaf.exe";
    EXPECT_TRUE(ok);
    expected.replace('/', '\\');
    EXPECT_TRUE(found == expected) << "found a path of " << found.size() << " characters";
    EXPECT_EQ(progress.steps, kDepth + 1);
    ASSERT_EQ(progress.texts.size(), kDepth + 1);
    EXPECT_TRUE(progress.texts.back() == "Scanning: " + QString(expected).replace('\\', '/').chopped(9));

    QString none = "untouched";
    EXPECT_FALSE(SearchForFile("D:/Deep", "absent", none, nullptr));
    EXPECT_EQ(none, "untouched");

    // Every listing was closed again: as many files can be opened as before.
    std::vector<int> fds;
    for (int i = 0; i < 200; ++i) {
        const int fd = ::open("/dev/null", O_RDONLY);
        if (fd < 0)
            break;
        fds.push_back(fd);
    }
    EXPECT_EQ(fds.size(), 200u);
    for (const int fd : fds)
        ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &saved);
}

}  // namespace
