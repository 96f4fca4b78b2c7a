// The folder argument: `vellora FOLDER` starts exactly as if started in
// FOLDER (drive letter and description file come from it), and so does the
// folder chosen after `vellora --choose`; --help and --version print; every
// bad argument gives its one-line error and exit status 2 before any window
// or settings file exists.

#include "app/gui/CBrowserApp.h"
#include "app/gui/CVolumeContentsDlg.h"
#include "app/CommandLine.h"
#include "platform/DriveTable.h"
#include "platform/WinTypes.h"
#include "platform/gui/CListBox.h"
#include "support/FakeXdg.h"
#include "support/ProgramRun.h"
#include "support/QtPrinters.h"
#include "support/ScopedDrives.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

QString Program() { return QString::fromUtf8(VELLORA_PROGRAM); }

// What Apply printed, read back from two memory streams.
struct Printed {
    Printed() : out(open_memstream(&outText, &outSize)), err(open_memstream(&errText, &errSize)) {}
    ~Printed()
    {
        Close();
        std::free(outText);
        std::free(errText);
    }
    Printed(const Printed&) = delete;
    Printed& operator=(const Printed&) = delete;
    void Close()
    {
        if (out)
            std::fclose(out);
        if (err)
            std::fclose(err);
        out = err = nullptr;
    }
    std::string Out() { Close(); return std::string(outText, outSize); }
    std::string Err() { Close(); return std::string(errText, errSize); }

    char* outText = nullptr;
    std::size_t outSize = 0;
    char* errText = nullptr;
    std::size_t errSize = 0;
    std::FILE* out;
    std::FILE* err;
};

class FolderArgument : public ::testing::Test {
protected:
    void SetUp() override { m_savedCwd = QDir::currentPath(); }
    void TearDown() override { QDir::setCurrent(m_savedCwd); }

    // What main() does once the command line let it start, up to the
    // Volume Contents dialog, which shows the lines it checks and exits.
    void StartAndExpect(const QString& contentsFile, const QStringList& lines)
    {
        ScopedDrives drives;
        drives.InitFromStartDir(QDir::currentPath());
        EXPECT_EQ(drives.Folder(4), QDir(volume.path()).canonicalPath());
        CBrowserApp app;
        ScriptedRunner runner;
        runner.ExpectDialog([&](CDialog& shown) {
            auto* dlg = dynamic_cast<CVolumeContentsDlg*>(&shown);
            if (!dlg) {
                ADD_FAILURE() << "not the Volume Contents dialog";
                return IDCANCEL;
            }
            EXPECT_EQ(dlg->m_strContentsFile, contentsFile);
            QStringList shownLines;
            for (int i = 0; i < dlg->m_listContents->GetCount(); ++i)
                shownLines << dlg->m_listContents->GetText(i);
            EXPECT_EQ(shownLines, lines);
            return IDCANCEL;
        });
        EXPECT_FALSE(app.InitInstance());
    }

    TempDir volume;
    TempDir elsewhere;
    QString m_savedCwd;
};

TEST_F(FolderArgument, TheGivenFolderIsTheVolumeWithItsDescriptionFile)
{
    volume.write("AAREADME.TXT", "HALCYON SAMPLE VOLUME\n\nsecond paragraph\n");
    QDir::setCurrent(elsewhere.path());
    CommandLine commandLine({volume.path().toStdString()});
    Printed printed;
    EXPECT_EQ(commandLine.Apply(printed.out, printed.err), std::nullopt);
    EXPECT_EQ(printed.Out(), "");
    EXPECT_EQ(printed.Err(), "");
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(volume.path()).canonicalPath());
    EXPECT_EQ(qgetenv("PWD"), QFile::encodeName(QDir(volume.path()).canonicalPath()));
    StartAndExpect("D:/AAREADME.TXT", {"HALCYON SAMPLE VOLUME", "", "second paragraph"});
}

TEST_F(FolderArgument, ARelativeFolderWithoutDescriptionIsStillDriveD)
{
    QDir::setCurrent(QFileInfo(volume.path()).path());
    CommandLine commandLine({QFileInfo(volume.path()).fileName().toStdString()});
    Printed printed;
    EXPECT_EQ(commandLine.Apply(printed.out, printed.err), std::nullopt);
    StartAndExpect(QString(), {"*** No contents description file present ***", "", "",
                               "Volume is not PDS compliant and may not contain PDS labeled data.", "",
                               "If you continue you will be exploring drive D:"});
}

TEST_F(FolderArgument, NoArgumentLeavesTheCurrentFolder)
{
    QDir::setCurrent(volume.path());
    CommandLine commandLine(std::vector<std::string>{});
    Printed printed;
    EXPECT_EQ(commandLine.Apply(printed.out, printed.err), std::nullopt);
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(volume.path()).canonicalPath());
    EXPECT_EQ(printed.Err(), "");
}

TEST_F(FolderArgument, TheChosenFolderIsTheVolumeAsIfItHadBeenGiven)
{
    volume.write("AAREADME.TXT", "CHOSEN SAMPLE VOLUME\n\nfrom the menu\n");
    QDir::setCurrent(elsewhere.path());
    CommandLine commandLine({"--choose"});
    Printed printed;
    // Nothing is asked before Qt runs.
    EXPECT_EQ(commandLine.Apply(printed.out, printed.err), std::nullopt);
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(elsewhere.path()).canonicalPath());
    {
        ScriptedRunner runner;
        runner.ExpectFolderDialog([&](FolderDialogRequest& request) {
            EXPECT_EQ(request.title, "Vellora - Choose the Folder of a PDS Volume");
            if (platform::MediaMountPoints().isEmpty()) {
                EXPECT_EQ(request.startFolder, QDir::homePath());
            }
            request.chosenPath = volume.path();
            return true;
        });
        EXPECT_EQ(commandLine.ChooseFolder(printed.err), std::nullopt);
    }
    EXPECT_EQ(printed.Out(), "");
    EXPECT_EQ(printed.Err(), "");
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(volume.path()).canonicalPath());
    EXPECT_EQ(qgetenv("PWD"), QFile::encodeName(QDir(volume.path()).canonicalPath()));
    StartAndExpect("D:/AAREADME.TXT", {"CHOSEN SAMPLE VOLUME", "", "from the menu"});
}

TEST_F(FolderArgument, CancellingTheChooserEndsTheRunWithNothingReadOrWritten)
{
    FakeXdg xdg;
    QDir::setCurrent(elsewhere.path());
    CommandLine commandLine({"--choose"});
    Printed printed;
    ASSERT_EQ(commandLine.Apply(printed.out, printed.err), std::nullopt);
    {
        ScriptedRunner runner;
        runner.ExpectFolderDialog([](FolderDialogRequest&) { return false; });
        EXPECT_EQ(commandLine.ChooseFolder(printed.err), 0);
    }
    EXPECT_EQ(printed.Err(), "");
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(elsewhere.path()).canonicalPath());
    // No settings file, nor anything else in the user's settings folder.
    EXPECT_FALSE(QFileInfo::exists(xdg.path("config/Morvath/Vellora.conf")));
    EXPECT_TRUE(QDir(xdg.path("config")).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

TEST_F(FolderArgument, AChosenFolderThatCannotBeEnteredIsReportedInABoxAndOnTheErrorStream)
{
    QDir::setCurrent(elsewhere.path());
    const QString gone = volume.file("GONE");
    CommandLine commandLine({"--choose"});
    Printed printed;
    ASSERT_EQ(commandLine.Apply(printed.out, printed.err), std::nullopt);
    const QString error = "vellora: the folder \"" + gone + "\" does not exist.";
    {
        ScriptedRunner runner;
        runner.ExpectFolderDialog([&](FolderDialogRequest& request) {
            request.chosenPath = gone;
            return true;
        });
        runner.ExpectBox(IDOK);
        EXPECT_EQ(commandLine.ChooseFolder(printed.err), CommandLine::kUsageError);
        ASSERT_EQ(runner.Boxes().size(), 1u);
        EXPECT_EQ(runner.Boxes()[0].text, error);
        EXPECT_EQ(runner.Boxes()[0].kind, (MessageBoxKind{MessageButtons::Ok, MessageIcon::Exclamation}));
    }
    EXPECT_EQ(printed.Err(), (error + "\n").toStdString());
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(elsewhere.path()).canonicalPath());
}

TEST_F(FolderArgument, WithAFolderOrWithoutChooseNothingIsAsked)
{
    QDir::setCurrent(elsewhere.path());
    ScriptedRunner runner;  // any folder dialog fails the test
    Printed printed;
    CommandLine plain(std::vector<std::string>{});
    ASSERT_EQ(plain.Apply(printed.out, printed.err), std::nullopt);
    EXPECT_EQ(plain.ChooseFolder(printed.err), std::nullopt);
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(elsewhere.path()).canonicalPath());

    CommandLine given({"--choose", volume.path().toStdString()});
    ASSERT_EQ(given.Apply(printed.out, printed.err), std::nullopt);
    EXPECT_EQ(given.ChooseFolder(printed.err), std::nullopt);
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(volume.path()).canonicalPath());
    EXPECT_EQ(printed.Err(), "");
}

TEST(CommandLineReading, ChooseAsksOnlyWhenNoFolderIsGiven)
{
    EXPECT_TRUE(CommandLine({"--choose"}).ChoosesFolder());
    EXPECT_TRUE(CommandLine({"--choose", "--choose"}).ChoosesFolder());
    EXPECT_FALSE(CommandLine(std::vector<std::string>{}).ChoosesFolder());
    const CommandLine given({"--choose", "/some/folder"});
    EXPECT_EQ(given.GetAction(), CommandLine::Action::Start);
    EXPECT_FALSE(given.ChoosesFolder());
    EXPECT_EQ(given.Folder(), "/some/folder");
    EXPECT_FALSE(CommandLine({"/some/folder", "--choose"}).ChoosesFolder());
    // After "--" it is a folder's name like any other.
    const CommandLine named({"--", "--choose"});
    EXPECT_FALSE(named.ChoosesFolder());
    EXPECT_EQ(named.Folder(), "--choose");
    // --help, --version and errors still settle the matter.
    EXPECT_EQ(CommandLine({"--choose", "--help"}).GetAction(), CommandLine::Action::ShowHelp);
    EXPECT_EQ(CommandLine({"--choose", "--version"}).GetAction(), CommandLine::Action::ShowVersion);
    const CommandLine bad({"--choose", "--bogus"});
    EXPECT_EQ(bad.GetAction(), CommandLine::Action::Fail);
    EXPECT_FALSE(bad.ChoosesFolder());
}

TEST(CommandLineReading, HelpAndVersionWinWhenReachedAndDoubleDashEndsTheOptions)
{
    EXPECT_EQ(CommandLine({"--help"}).GetAction(), CommandLine::Action::ShowHelp);
    EXPECT_EQ(CommandLine({"/some/folder", "--version", "--bogus"}).GetAction(), CommandLine::Action::ShowVersion);
    EXPECT_EQ(CommandLine({"--bogus", "--help"}).GetAction(), CommandLine::Action::Fail);

    const CommandLine dashed({"--", "-named-like-an-option"});
    EXPECT_EQ(dashed.GetAction(), CommandLine::Action::Start);
    EXPECT_EQ(dashed.Folder(), "-named-like-an-option");
    EXPECT_EQ(CommandLine({"--", "--help"}).Folder(), "--help");

    // A control character in an argument cannot break the error's line.
    EXPECT_EQ(CommandLine({"a", "b\nc"}).Error(), "vellora: only one folder can be given, so \"b?c\" is one too many.");
    EXPECT_EQ(CommandLine({""}).Error(), "vellora: the folder \"\" does not exist.");
}

// The real program, with no display and a private home.
class ProgramArguments : public ::testing::Test {
protected:
    ProgramRun Run(const QStringList& arguments) const
    {
        return ProgramRun::Start(Program(), arguments, home.path(), work.path());
    }
    // Nothing at all was made in the private home: no settings file, no
    // cache, no runtime folder.
    void ExpectHomeUntouched() const { EXPECT_TRUE(QDir(home.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)); }

    TempDir home;
    TempDir work;
};

TEST_F(ProgramArguments, HelpAndVersionPrintWithoutADisplay)
{
    const ProgramRun help = Run({"--help"});
    EXPECT_TRUE(help.finished);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out,
              "Usage: vellora [FOLDER]\n"
              "       vellora --choose [FOLDER]\n"
              "       vellora -- FOLDER\n"
              "       vellora --help | --version\n"
              "Browses the PDS volume in FOLDER, or in the current folder when no folder is given.\n"
              "\n"
              "  --choose   without a FOLDER, first asks for the volume's folder in the desktop's folder dialog\n"
              "  --         ends the options: the next argument is the FOLDER, even one beginning with \"-\"\n"
              "  --help     prints this text\n"
              "  --version  prints the version\n");
    EXPECT_EQ(help.err, "");

    const ProgramRun version = Run({"--version"});
    EXPECT_TRUE(version.finished);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "vellora " VELLORA_VERSION "\n");
    EXPECT_EQ(version.err, "");
    ExpectHomeUntouched();
}

TEST_F(ProgramArguments, EachBadArgumentGivesItsErrorLineAndStatusTwo)
{
    const QString folder = work.mkdir("VOLUME");
    const QString other = work.mkdir("OTHER");
    const QString file = work.write("AAREADME.TXT", "not a folder\n");
    const QString missing = work.file("GONE");
    const struct {
        QStringList arguments;
        QByteArray error;
    } cases[] = {
        {{folder, other}, "vellora: only one folder can be given, so \"" + QFile::encodeName(other) + "\" is one too many.\n"},
        {{missing}, "vellora: the folder \"" + QFile::encodeName(missing) + "\" does not exist.\n"},
        {{"GONE/DEEPER"}, "vellora: the folder \"GONE/DEEPER\" does not exist.\n"},
        {{file}, "vellora: \"" + QFile::encodeName(file) + "\" is not a folder.\n"},
        {{"AAREADME.TXT/"}, "vellora: the folder \"AAREADME.TXT/\" does not exist.\n"},
        {{"--verbose"}, "vellora: \"--verbose\" is not an option; \"vellora --help\" shows the usage.\n"},
        {{"-platform", "offscreen"}, "vellora: \"-platform\" is not an option; \"vellora --help\" shows the usage.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const ProgramRun run = Run(c.arguments);
        // Exit status 2 by itself: a program that had tried to open a window
        // on the missing platform would have aborted.
        EXPECT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, c.error);
        EXPECT_EQ(run.out, "");
    }
    ExpectHomeUntouched();
}

}  // namespace
