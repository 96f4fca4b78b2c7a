// Command-line splitting and real program starts.

#include "platform/Process.h"
#include "platform/WinTypes.h"
#include "support/QtPrinters.h"
#include "support/RecordFifo.h"
#include "support/TempDir.h"
#include "support/VolumeTest.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <csignal>
#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QStringList Split(const char* line) { return platform::SplitCommandLine(QString::fromUtf8(line)); }

TEST(SplitCommandLine, BlanksAndTabsSeparateQuotesGroup)
{
    EXPECT_EQ(Split(""), QStringList());
    EXPECT_EQ(Split("prog a b\t\tc  "), QStringList({"prog", "a", "b", "c"}));
    EXPECT_EQ(Split(R"("C:\Program Files\V\v.exe" "D:/Data/Img001.lbl")"),
              QStringList({R"(C:\Program Files\V\v.exe)", "D:/Data/Img001.lbl"}));
    EXPECT_EQ(Split(R"(prog "abc" d e)"), QStringList({"prog", "abc", "d", "e"}));
    EXPECT_EQ(Split(R"(prog a"b c"d)"), QStringList({"prog", "ab cd"}));
    EXPECT_EQ(Split(R"(prog "" x "")"), QStringList({"prog", "", "x", ""}));
    // An argument runs on to the end when its quote is never closed.
    EXPECT_EQ(Split(R"(prog "a b)"), QStringList({"prog", "a b"}));
}

TEST(SplitCommandLine, BackslashesCountOnlyBeforeQuotes)
{
    EXPECT_EQ(Split(R"(prog a\\\b d"e f"g h)"), QStringList({"prog", R"(a\\\b)", "de fg", "h"}));
    EXPECT_EQ(Split(R"(prog a\\\"b c d)"), QStringList({"prog", R"(a\"b)", "c", "d"}));
    EXPECT_EQ(Split(R"(prog a\\\\"b c" d e)"), QStringList({"prog", R"(a\\b c)", "d", "e"}));
    EXPECT_EQ(Split(R"(prog "a\\" b)"), QStringList({"prog", R"(a\)", "b"}));
    EXPECT_EQ(Split(R"(prog \"quoted\")"), QStringList({"prog", R"("quoted")"}));
    EXPECT_EQ(Split(R"(prog C:\dir\ x)"), QStringList({"prog", R"(C:\dir\)", "x"}));
}

TEST(SplitCommandLine, EveryThirdQuoteOfARunIsLiteral)
{
    EXPECT_EQ(Split(R"(prog a"b"" c d)"), QStringList({"prog", R"(ab")", "c", "d"}));
    EXPECT_EQ(Split(R"(prog """")"), QStringList({"prog", R"(")"}));
    EXPECT_EQ(Split(R"(prog """x y""")"), QStringList({"prog", R"("x)", R"(y")"}));
}

TEST(SplitCommandLine, ProgramNameTakesNoEscapes)
{
    // The program name ends at its closing quote, backslash or not.
    EXPECT_EQ(Split(R"("C:\dir\" x)"), QStringList({R"(C:\dir\)", "x"}));
    EXPECT_EQ(Split(R"("a"b c)"), QStringList({"a", "b", "c"}));
    EXPECT_EQ(Split(R"(C:\a"b c)"), QStringList({R"(C:\a"b)", "c"}));
    EXPECT_EQ(Split(R"("unclosed name)"), QStringList({"unclosed name"}));
    // A line that starts with a blank has an empty program name.
    EXPECT_EQ(Split(" x y"), QStringList({"", "x", "y"}));
}

// Children of this process that have ended but were never collected.
int ZombieChildren()
{
    int zombies = 0;
    QDir proc(QStringLiteral("/proc"));
    const QString self = QString::number(getpid());
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        entry.toLong(&numeric);
        if (!numeric)
            continue;
        QFile stat(proc.filePath(entry + "/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (name) state ppid ...: the name may hold blanks and parentheses.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[0] == "Z" && fields[1] == self.toUtf8())
            ++zombies;
    }
    return zombies;
}

TEST(ZombieCheck, SeesAChildNobodyCollected)
{
    // The check the start tests rely on must see a real zombie.
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    ASSERT_GT(child, 0);
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, id_t(child), &info, WEXITED | WNOWAIT), 0);  // ended, not collected
    EXPECT_EQ(ZombieChildren(), 1);
    waitpid(child, nullptr, 0);
    EXPECT_EQ(ZombieChildren(), 0);
}

class ProcessStart : public VolumeTest {
protected:
    void TearDown() override
    {
        VolumeTest::TearDown();
        EXPECT_TRUE(platform::WaitForStartedPrograms(30000));
        EXPECT_EQ(ZombieChildren(), 0);
        struct sigaction current {};
        sigaction(SIGCHLD, nullptr, &current);
        EXPECT_NE(current.sa_handler, SIG_IGN);
    }

    QString Recorder() const { return QString::fromUtf8(VELLORA_RECORDER); }
    // The recorder's host path in drive form with backslashes (C: is "/").
    QString RecorderOnDriveC() const { return "C:" + QString(Recorder()).replace('/', '\\'); }
    // Copies the recorder into the volume under another name.
    QString CopyRecorder(const QString& relative) const
    {
        const QString target = volume.file(relative);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(Recorder(), target);
        ::chmod(QFile::encodeName(target).constData(), 0755);
        return target;
    }

    TempDir records;
};

TEST_F(ProcessStart, ProgramGetsItsArgumentsDetachedWithoutInput)
{
    RecordFifo fifo(records.path());
    ASSERT_EQ(platform::CreateProcess(Recorder(), "recorder a \"b c\" %1 x:y \"$HOME;`id`\""), 0);
    const std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    // The first argument is the program's own host path.
    EXPECT_EQ(got[0].argv, QStringList({Recorder(), "a", "b c", "%1", "x:y", "$HOME;`id`"}));
    EXPECT_EQ(got[0].cwd, QDir::currentPath());
    EXPECT_TRUE(got[0].sessionLeader);
    EXPECT_EQ(got[0].standardInput, "/dev/null");
}

TEST_F(ProcessStart, DrivePathsBecomeHostPaths)
{
    const QString label = volume.write("Data/My File.LBL", "OBJECT = IMAGE\n");
    RecordFifo fifo(records.path());
    const QString line = RecorderOnDriveC() +
                         R"( "d:\DATA\my file.lbl" D:/data/New.lbl D: Q:/no/drive C:relative)";
    ASSERT_EQ(platform::CreateProcess(RecorderOnDriveC(), line), 0);
    const std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({Recorder(), label, volume.path() + "/Data/New.lbl",
                                        volume.path(), "Q:/no/drive", "C:relative"}));
}

// The current folder is the volume, and a volume may hold files named
// like host programs. Only a path that names the volume's drive runs one.
TEST_F(ProcessStart, ProgramsOnTheVolumeRunOnlyWhenTheirDriveIsNamed)
{
    const QString savedCwd = QDir::currentPath();
    QDir::setCurrent(volume.path());  // the current drive is D:
    // The recorder's own host path, laid out again on the volume in upper
    // case, as a volume could hold USR/BIN/XDG-OPEN.
    const QString mirror = CopyRecorder(Recorder().mid(1).toUpper());
    const QString local = CopyRecorder("Bin/rec");
    CopyRecorder("rec");
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", ":.:Bin:/nonexistent");
    RecordFifo fifo(records.path());

    const QString backslashed = QString(Recorder()).replace('/', '\\');
    const QString mixed = QFileInfo(Recorder()).path() + "\\" + QFileInfo(Recorder()).fileName();
    const int host = platform::CreateProcess(Recorder(), "r host");
    const int hostBackslashed = platform::CreateProcess(backslashed, "r backslashed");
    const int hostMixed = platform::CreateProcess(mixed, "r mixed");
    const int hostUpper = platform::CreateProcess(Recorder().toUpper(), "r upper");
    const int rooted = platform::CreateProcess("\\bin\\REC", "rec rooted");
    const int bare = platform::CreateProcess("rec", "rec bare");
    const int relative = platform::CreateProcess("Bin\\rec", "rec relative");
    const int dotted = platform::CreateProcess(".\\rec", "rec dotted");
    const unsigned bareOnPath = platform::WinExec("rec onpath", SW_SHOW);
    const unsigned relativeExec = platform::WinExec("Bin/rec exec", SW_SHOW);
    const int onDrive = platform::CreateProcess("D:\\bin\\REC", "rec drive");
    ASSERT_TRUE(platform::WaitForStartedPrograms(30000));
    const std::vector<Recording> ran = fifo.ReadWritten();
    qputenv("PATH", savedPath);
    QDir::setCurrent(savedCwd);

    EXPECT_EQ(host, 0);
    EXPECT_EQ(hostBackslashed, 0);
    EXPECT_EQ(hostMixed, 0);
    EXPECT_EQ(hostUpper, ERROR_FILE_NOT_FOUND);  // host names are not matched without case
    EXPECT_EQ(rooted, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(bare, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(relative, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(dotted, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(bareOnPath, unsigned(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(relativeExec, unsigned(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(onDrive, 0);
    QStringList what;
    for (const Recording& record : ran)
        what << record.argv.join(' ');
    QStringList expected{Recorder() + " backslashed", Recorder() + " host", Recorder() + " mixed", local + " drive"};
    what.sort();
    expected.sort();
    EXPECT_EQ(what, expected) << "the mirror at " << mirror.toStdString() << " must never run";
}

TEST_F(ProcessStart, StartReturnsWhileTheProgramStillRuns)
{
    // The recorder blocks opening the FIFO until the reading end opens,
    // which happens only after the start has returned.
    RecordFifo fifo(records.path(), false);
    ASSERT_EQ(platform::CreateProcess(Recorder(), "r late"), 0);
    const std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv.value(1), "late");
}

TEST_F(ProcessStart, RefusedStartsGiveTheirCodes)
{
    const QString script = volume.write("noexec/script", "echo this is not a program\n");
    ::chmod(QFile::encodeName(script).constData(), 0755);
    const QString plain = volume.write("noexec/plain", "data");
    ::chmod(QFile::encodeName(plain).constData(), 0644);
    volume.mkdir("folder");

    EXPECT_EQ(platform::CreateProcess("D:/missing.exe", "missing.exe x"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(platform::CreateProcess(plain + "/below", "x"), ERROR_FILE_NOT_FOUND);  // ENOTDIR
    EXPECT_EQ(platform::CreateProcess("Q:\\no\\drive.exe", "x"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(platform::CreateProcess("", ""), ERROR_FILE_NOT_FOUND);
    // Even root cannot run a file without any execute bit, nor a folder.
    EXPECT_EQ(platform::CreateProcess("D:/NOEXEC/PLAIN", "plain"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(platform::CreateProcess("D:\\folder", "folder"), ERROR_ACCESS_DENIED);
    // A text file without "#!" is not a program, and no shell runs it.
    EXPECT_EQ(platform::CreateProcess("D:/noexec/script", "script"), ENOEXEC);
}

TEST_F(ProcessStart, WinExecLooksTheProgramUpOnPath)
{
    const QString bin = volume.mkdir("bin");
    CopyRecorder("bin/vrec");
    const QString script = volume.write("bin/vscript", "echo not a program\n");
    ::chmod(QFile::encodeName(script).constData(), 0755);
    volume.write("bin/vplain", "data");
    ::chmod(QFile::encodeName(volume.file("bin/vplain")).constData(), 0644);

    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", "/nonexistent:" + QFile::encodeName(bin));
    RecordFifo fifo(records.path());
    const unsigned started = platform::WinExec("vrec \"D:/bin/VREC\" two", SW_SHOW);
    const unsigned missing = platform::WinExec("no-such-program x", SW_SHOW);
    const unsigned notProgram = platform::WinExec("vscript", SW_SHOW);
    const unsigned denied = platform::WinExec("vplain", SW_SHOW);
    const unsigned empty = platform::WinExec("", SW_SHOW);
    qputenv("PATH", savedPath);

    EXPECT_GE(started, 32u);
    EXPECT_EQ(missing, unsigned(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(notProgram, unsigned(ERROR_BAD_FORMAT));
    EXPECT_EQ(denied, unsigned(ERROR_ACCESS_DENIED));
    EXPECT_EQ(empty, unsigned(ERROR_FILE_NOT_FOUND));
    const std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({"vrec", bin + "/vrec", "two"}));
}

TEST_F(ProcessStart, WinExecStartsDrivePathsDirectly)
{
    RecordFifo fifo(records.path());
    const QString line = '"' + RecorderOnDriveC() + "\" D:";
    EXPECT_GE(platform::WinExec(line, SW_SHOW), 32u);
    EXPECT_LT(platform::WinExec("D:\\missing\\prog.exe", SW_SHOW), 32u);
    const std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({Recorder(), volume.path()}));
}

TEST_F(ProcessStart, ManyStartsLeaveNoZombie)
{
    RecordFifo fifo(records.path());
    constexpr int kStarts = 20;
    for (int i = 0; i < kStarts; ++i)
        ASSERT_EQ(platform::CreateProcess(Recorder(), "r " + QString::number(i)), 0);
    EXPECT_EQ(fifo.Read(kStarts).size(), size_t(kStarts));
    // TearDown checks that every one of them has been collected.
}

}  // namespace
