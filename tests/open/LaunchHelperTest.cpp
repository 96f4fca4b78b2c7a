// Building helper command lines and starting helpers for real.

#include "open/CHelperStarter.h"
#include "open/LaunchHelper.h"
#include "platform/Process.h"
#include "platform/WinTypes.h"
#include "support/QtPrinters.h"
#include "support/RecordFifo.h"
#include "support/TempDir.h"
#include "support/VolumeTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace {

const QString kFile = QStringLiteral("D:/Data/Img001.lbl");

TEST(BuildHelperCommand, WorkedExamples)
{
    const struct {
        const char* application;
        const char* commandLine;
        const char* programPath;
    } rows[] = {
        {R"(D:\SOFTWARE\skyglass.exe)", R"(D:\SOFTWARE\skyglass.exe "D:/Data/Img001.lbl")", R"(D:\SOFTWARE\skyglass.exe)"},
        {R"(C:\WIN\VIEW.EXE %1)", R"(C:\WIN\VIEW.EXE "D:/Data/Img001.lbl")", R"(C:\WIN\VIEW.EXE)"},
        {R"("C:\Program Files\V\v.exe" "%1")", R"("C:\Program Files\V\v.exe" "D:/Data/Img001.lbl")", R"(C:\Program Files\V\v.exe)"},
        {R"(C:\APP\a.exe -DDE %1)", R"(C:\APP\a.exe "D:/Data/Img001.lbl")", R"(C:\APP\a.exe)"},
        {R"("%1" %*)", R"("D:/Data/Img001.lbl" )", R"(D:\Data\Img001.lbl)"},
        {R"(C:\APP\a.exe %0)", R"(C:\APP\a.exe )", R"(C:\APP\a.exe)"},
        {R"(C:/TOOLS/t.exe)", R"(C:/TOOLS/t.exe "D:/Data/Img001.lbl")", R"(C:\TOOLS\t.exe)"},
    };
    for (const auto& row : rows) {
        const HelperCommand command = BuildHelperCommand(row.application, kFile);
        EXPECT_EQ(command.commandLine, QString::fromUtf8(row.commandLine)) << row.application;
        EXPECT_EQ(command.programPath, QString::fromUtf8(row.programPath)) << row.application;
    }
}

TEST(BuildHelperCommand, PlaceholderRules)
{
    // Only the first "%1" is replaced.
    EXPECT_EQ(BuildHelperCommand("v.exe %1 %1", kFile).commandLine, R"(v.exe "D:/Data/Img001.lbl" %1)");
    // "%0" wins over "%1" and carries no file.
    EXPECT_EQ(BuildHelperCommand("v.exe %1 x %0 y", kFile).commandLine, "v.exe %1 x ");
    // "%1" at the very start has no quote before it.
    EXPECT_EQ(BuildHelperCommand("%1", kFile).commandLine, R"("D:/Data/Img001.lbl")");
    EXPECT_EQ(BuildHelperCommand("%1", kFile).programPath, R"(D:\Data\Img001.lbl)");
    // A quote right before "%1" is taken as the opening one.
    EXPECT_EQ(BuildHelperCommand(R"(v.exe /f="%1")", kFile).commandLine, R"(v.exe /f="D:/Data/Img001.lbl")");
    // Search is case-sensitive: "%1" only, never "%10"-like tricks beyond it.
    EXPECT_EQ(BuildHelperCommand("v.exe %10", kFile).commandLine, R"(v.exe "D:/Data/Img001.lbl"0)");
}

TEST(BuildHelperCommand, MarkersAreRemovedOnce)
{
    // "-DDE" at the very end: removed, and nothing else.
    EXPECT_EQ(BuildHelperCommand("C:\\a.exe %1 -DDE", kFile).commandLine, R"(C:\a.exe "D:/Data/Img001.lbl" )");
    EXPECT_EQ(BuildHelperCommand("C:\\a.exe -DDE", kFile).commandLine, R"(C:\a.exe "D:/Data/Img001.lbl")");
    // Only the first of each marker goes; case matters.
    EXPECT_EQ(BuildHelperCommand("a.exe -DDE -DDE %1 %* %*", kFile).commandLine,
              R"(a.exe -DDE "D:/Data/Img001.lbl"  %*)");
    EXPECT_EQ(BuildHelperCommand("a.exe -dde %1", kFile).commandLine, R"(a.exe -dde "D:/Data/Img001.lbl")");
    // The file path itself is never cut by the markers.
    EXPECT_EQ(BuildHelperCommand("a.exe %1 -DDE", "D:/x-DDE.lbl").commandLine, R"(a.exe "D:/x-DDE.lbl" )");
    EXPECT_EQ(BuildHelperCommand("a.exe %1", "D:/50%*.lbl").commandLine, R"(a.exe "D:/50%*.lbl")");
}

TEST(BuildHelperCommand, TwoQuotesMakeTheFileItsOwnProgram)
{
    const HelperCommand command = BuildHelperCommand(R"("")", "D:/Tools/run.exe");
    EXPECT_EQ(command.commandLine, R"(D:/Tools/run.exe "D:/Tools/run.exe")");
    EXPECT_EQ(command.programPath, R"(D:\Tools\run.exe)");
    // A blank in the path cuts the program path there.
    EXPECT_EQ(BuildHelperCommand(R"("")", "D:/My Tools/run.exe").programPath, R"(D:\My)");
    // Anything else with quotes is an ordinary application text.
    EXPECT_EQ(BuildHelperCommand(R"(""")", kFile).commandLine, R"(""" "D:/Data/Img001.lbl")");
}

TEST(BuildHelperCommand, QuoteInAFileNameIsEscaped)
{
    EXPECT_EQ(BuildHelperCommand("v %1", R"(D:/a"b.lbl)").commandLine, R"(v "D:/a\"b.lbl")");
    const QString line = BuildHelperCommand("v %1", R"(D:/a\"b.lbl)").commandLine;
    EXPECT_EQ(platform::SplitCommandLine(line).value(1), R"(D:/a\"b.lbl)");
}

// A starter that notes every attempt and can replace the first one.
class WatchingStarter : public CHelperStarter {
public:
    int CreateProcess(const QString& programPath, const QString& commandLine) override
    {
        created.append(programPath + " | " + commandLine);
        return firstResult >= 0 ? firstResult : CHelperStarter::CreateProcess(programPath, commandLine);
    }
    unsigned WinExec(const QString& commandLine) override
    {
        executed.append(commandLine);
        return CHelperStarter::WinExec(commandLine);
    }
    int firstResult = -1;  // -1: really start
    QStringList created;
    QStringList executed;
};

class LaunchHelperRun : public VolumeTest {
protected:
    void TearDown() override
    {
        VolumeTest::TearDown();
        EXPECT_TRUE(platform::WaitForStartedPrograms(30000));
    }

    static QString Recorder() { return QString::fromUtf8(VELLORA_RECORDER); }
    // The recorder as a drive path with backslashes (C: is "/").
    static QString RecorderOnC() { return "C:" + QString(Recorder()).replace('/', '\\'); }
    QString MakeProgram(const QString& relative, const QByteArray& contents, mode_t mode)
    {
        const QString path = volume.write(relative, contents);
        ::chmod(QFile::encodeName(path).constData(), mode);
        return path;
    }

    TempDir records;
};

TEST_F(LaunchHelperRun, PlainProgramGetsTheFileAsOneHostPath)
{
    const QString label = volume.write("Data/IMG001.LBL", "OBJECT = IMAGE\n");
    RecordFifo fifo(records.path());
    WatchingStarter starter;
    EXPECT_EQ(LaunchHelper("IMAGE", RecorderOnC(), kFile, starter), QString());
    EXPECT_TRUE(starter.executed.isEmpty());
    const std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({Recorder(), label}));
    EXPECT_EQ(got[0].cwd, volume.path());
}

TEST_F(LaunchHelperRun, OddFileNameArrivesIntactWithoutAShell)
{
    const QString odd = "Data/a b \"q\" $HOME ;x `touch pwned` $(touch pwned2) 'x'&|<>.lbl";
    const QString label = volume.write(odd, "OBJECT = TABLE\n");
    RecordFifo fifo(records.path());
    const QString application = '"' + Recorder() + "\" -DDE \"%1\" %*";
    EXPECT_EQ(LaunchHelper("TABLE", application, "D:/" + odd), QString());
    const std::vector<Recording> quoted = fifo.Read();
    EXPECT_EQ(LaunchHelper("TABLE", Recorder() + " %1 %1", "D:/" + odd), QString());
    const std::vector<Recording> twice = fifo.Read();
    ASSERT_EQ(quoted.size(), 1u);
    ASSERT_EQ(twice.size(), 1u);
    EXPECT_EQ(quoted[0].argv, QStringList({Recorder(), label}));
    // The second "%1" reaches the program as the two characters.
    EXPECT_EQ(twice[0].argv, QStringList({Recorder(), label, "%1"}));
    EXPECT_FALSE(QFileInfo::exists(volume.file("pwned")));
    EXPECT_FALSE(QFileInfo::exists(volume.file("pwned2")));
}

TEST_F(LaunchHelperRun, PlaceholderWithoutFileAndMarkers)
{
    RecordFifo fifo(records.path());
    EXPECT_EQ(LaunchHelper("IMAGE", RecorderOnC() + " %0 %1", kFile), QString());
    const std::vector<Recording> programOnly = fifo.Read();
    EXPECT_EQ(LaunchHelper("IMAGE", RecorderOnC() + " -DDE one %* two -DDE", kFile), QString());
    const std::vector<Recording> markers = fifo.Read();
    ASSERT_EQ(programOnly.size(), 1u);
    ASSERT_EQ(markers.size(), 1u);
    EXPECT_EQ(programOnly[0].argv, QStringList({Recorder()}));
    EXPECT_EQ(markers[0].argv, QStringList({Recorder(), "one", "two", "-DDE",
                                            volume.path() + "/Data/Img001.lbl"}));
}

TEST_F(LaunchHelperRun, TwoQuotesStartTheFileItself)
{
    volume.mkdir("Tools");
    ASSERT_TRUE(QFile::copy(Recorder(), volume.file("Tools/viewer.exe")));
    ::chmod(QFile::encodeName(volume.file("Tools/viewer.exe")).constData(), 0755);
    RecordFifo fifo(records.path());
    EXPECT_EQ(LaunchHelper("EXE", "\"\"", "D:/TOOLS/Viewer.EXE"), QString());
    const std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({volume.file("Tools/viewer.exe"), volume.file("Tools/viewer.exe")}));
}

TEST_F(LaunchHelperRun, MissingProgramIsFileNotFoundWithoutSecondAttempt)
{
    WatchingStarter starter;
    EXPECT_EQ(LaunchHelper("TABLE", "D:\\SOFTWARE\\grafel.exe", kFile, starter),
              "Unable to start helper for \"TABLE\" type content.\nReason: File not found.");
    EXPECT_EQ(starter.created, QStringList({R"(D:\SOFTWARE\grafel.exe | D:\SOFTWARE\grafel.exe "D:/Data/Img001.lbl")"}));
    EXPECT_TRUE(starter.executed.isEmpty());
    // An unquoted program path with a blank is cut there.
    MakeProgram("My Tools/v", "", 0755);
    EXPECT_EQ(LaunchHelper("IMAGE", "D:\\My Tools\\v %1", kFile),
              "Unable to start helper for \"IMAGE\" type content.\nReason: File not found.");
}

TEST_F(LaunchHelperRun, ProgramWithoutExecuteBitIsAccessDenied)
{
    MakeProgram("bin/viewer", "data", 0644);
    WatchingStarter starter;
    EXPECT_EQ(LaunchHelper(".TXT", "D:/bin/viewer", kFile, starter),
              "Unable to start helper for \".TXT\" type content.\nReason: Access denied.");
    EXPECT_TRUE(starter.executed.isEmpty());
}

TEST_F(LaunchHelperRun, OtherErrorsTryTheSecondStartAndReportTheFirstCode)
{
    // Executable, but neither a binary nor a "#!" script: ENOEXEC both times.
    MakeProgram("bin/notprog", "echo no shell may run this > ran\n", 0755);
    WatchingStarter starter;
    EXPECT_EQ(LaunchHelper("IMAGE", "D:\\BIN\\notprog %1", kFile, starter),
              "Unable to start helper for \"IMAGE\" type content.\nReason: System error #" +
                  QString::number(ENOEXEC) + " occured.");
    EXPECT_EQ(starter.executed, QStringList({R"(D:\BIN\notprog "D:/Data/Img001.lbl")"}));
    EXPECT_FALSE(QFileInfo::exists(volume.file("ran")));
}

TEST_F(LaunchHelperRun, SecondStartThatWorksIsSuccess)
{
    RecordFifo fifo(records.path());
    WatchingStarter starter;
    starter.firstResult = 8;
    EXPECT_EQ(LaunchHelper("IMAGE", Recorder() + " %1", kFile, starter), QString());
    EXPECT_EQ(starter.executed.size(), 1);
    const std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({Recorder(), volume.path() + "/Data/Img001.lbl"}));
}

TEST_F(LaunchHelperRun, ReturnsAtOnceWhileTheHelperRuns)
{
    // The recorder cannot finish before the FIFO's reading end opens, which
    // happens only after LaunchHelper has returned.
    RecordFifo fifo(records.path(), false);
    EXPECT_EQ(LaunchHelper("IMAGE", Recorder(), kFile), QString());
    EXPECT_EQ(fifo.Read().size(), 1u);
}

}  // namespace
