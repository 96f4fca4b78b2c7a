// The double-click flow without a window: COpenWithHelper over a small
// context (a session loaded for a program folder, the subfolders entered)
// and a temporary volume as D:, its questions answered from a script, real
// helper programs (the recorder) where a start must succeed, and every text
// checked as shown.

#include "open/COpenWithHelper.h"
#include "open/HelperFields.h"
#include "open/OpenContext.h"
#include "open/ScriptedPrompts.h"
#include "platform/Process.h"
#include "support/LoadedSession.h"
#include "support/QtPrinters.h"
#include "support/RecordFifo.h"
#include "support/TempDir.h"
#include "support/VolumeTest.h"
#include "volume/CFileItem.h"
#include "volume/FileNames.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kTable = "PDS_VERSION_ID = PDS3\nOBJECT = TABLE\n  ROWS = 3\nEND_OBJECT = TABLE\nEND\n";
const QByteArray kImage = "PDS_VERSION_ID = PDS3\nOBJECT = IMAGE\nEND_OBJECT = IMAGE\nEND\n";
// The built-in helpers a table label offers, in the order of the table.
const QStringList kTableHelpers{"GRAFEL - Table",     "SKYGLASS - Table",  "Skyglass - Time Series",
                                "Plainsight - Label", "Tagwright - Label", "Skyglass - Image"};

std::unique_ptr<CHelperEntry> Helper(const QString& contentType, const QString& application, const QString& extension,
                                     const QString& name, const QString& note = {})
{
    return std::make_unique<CHelperEntry>(contentType, application, "d", extension, name, note);
}

class OpenFlow : public VolumeTest, public OpenContext {
protected:
    void TearDown() override
    {
        VolumeTest::TearDown();
        EXPECT_TRUE(platform::WaitForStartedPrograms(30000));
    }

    // The session the application loads for the program folder, loaded at
    // first use (after the test wrote the folder's vellor.ini).
    BrowserSession& Session() override
    {
        if (!m_session)
            m_session = std::make_unique<LoadedSession>(programDir.path());
        return *m_session;
    }
    void OpenSubfolder(const CFileItem& folder) override { entered << folder.m_strName + ' ' + folder.m_strPath; }
    CHelperList& Helpers() { return Session().m_helperList; }

    // A double-click on the file (not a folder) the list shows in folder
    // ("D:/Data") for the name on disk, with the record the list makes.
    void Open(const QString& folder, const QString& diskName)
    {
        const QString name = volume::DisplayName(diskName);
        const int type = volume::FileType(false, volume::Extension(name));
        COpenWithHelper(*this, prompts).Open(CFileItem(name, folder + u'/' + name, type, diskName));
    }

    static QString Recorder() { return QString::fromUtf8(VELLORA_RECORDER); }
    // A copy of the recorder in the volume, runnable or not.
    QString CopyRecorder(const QString& relative, bool runnable = true) const
    {
        const QString target = volume.file(relative);
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(Recorder(), target);
        ::chmod(QFile::encodeName(target).constData(), runnable ? 0755 : 0644);
        return target;
    }
    CHelperEntry& Named(const QString& name)
    {
        for (const auto& entry : Helpers()) {
            if (entry->m_strName == name)
                return *entry;
        }
        ADD_FAILURE() << "no helper " << name.toStdString();
        return *Helpers().front();
    }
    // Expects the Find Helper question for a missing program.
    void ExpectSearch(const QString& type, const QString& reason, const QString& program, std::optional<QString> start)
    {
        prompts.ExpectSearch("Unable to start helper for \"" + type + "\" type content.\nReason: " + reason +
                                 "\n\nThe name of the missing helper is: " + program,
                             std::move(start));
    }

    TempDir records;
    ScriptedPrompts prompts;
    QStringList entered;
    std::unique_ptr<BrowserSession> m_session;
};

// ---------------------------------------------------------------------------
// Candidates and the choice.

TEST_F(OpenFlow, AFolderIsEnteredThroughTheContext)
{
    COpenWithHelper(*this, prompts).Open(CFileItem("Images", "D:/Data/Images", CFileItem::Folder));
    EXPECT_EQ(entered, QStringList{"Images D:/Data/Images"});
}

TEST_F(OpenFlow, ImageLabelOffersFiveAndStartsTheChosenOne)
{
    volume.write("IMG001.LBL", kImage);
    RecordFifo fifo(records.path());
    // "GRAFEL - Table" is not offered: TABLE is not the content type and it
    // has no extension.
    Named("Plainsight - Label").m_strApplication = Recorder() + " --first %1";
    prompts.ExpectChoice(
        {"Skyglass - Image", "SKYGLASS - Table", "Skyglass - Time Series", "Plainsight - Label", "Tagwright - Label"},
        "Plainsight - Label");
    Open("D:", "IMG001.LBL");
    const std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({Recorder(), "--first", volume.file("IMG001.LBL")}));
}

TEST_F(OpenFlow, NamesThatDifferOnlyInCaseEachOpenTheirOwnFile)
{
    const QString lower = volume.write("a.LBL", kImage);
    const QString upper = volume.write("A.LBL", "PDS_VERSION_ID = PDS3\nOBJECT = QUBE\nEND\n");
    if (QDir(volume.path()).entryList(QDir::Files).size() != 2)
        GTEST_SKIP() << "the file system does not tell case apart";
    RecordFifo fifo(records.path());
    Helpers().clear();
    Helpers().push_back(Helper("IMAGE", Recorder() + " --image %1", "", "Image"));
    Helpers().push_back(Helper("QUBE", Recorder() + " --qube %1", "", "Qube"));
    Open("D:", "a.LBL");
    std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({Recorder(), "--image", lower}));
    Open("D:", "A.LBL");
    got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({Recorder(), "--qube", upper}));
}

TEST_F(OpenFlow, StarHelperServesAContentTypeWithoutHelper)
{
    volume.write("SPEC.LBL", "OBJECT = SPECTRUM\nEND\n");
    RecordFifo fifo(records.path());
    // Only the catch-all is left: started at once, with the content type as
    // type name.
    Helpers().clear();
    Helpers().push_back(Helper("IMAGE", "C:\\img.exe", "", "Image"));
    Helpers().push_back(Helper("*", Recorder(), "", "*"));
    Helpers().push_back(Helper("*", "C:\\second.exe", "", "* 2"));
    Open("D:", "SPEC.LBL");
    EXPECT_EQ(fifo.Read().size(), 1u);
}

TEST_F(OpenFlow, TextFileWithOneHelperIsStartedDirectlyWithItsExtensionAsTypeName)
{
    volume.write("NOTES.TXT", "hello\n");
    Helpers().push_back(Helper("", "C:\\EDIT\\notepad.exe %1", ".TXT", "Notepad"));
    const auto before = Snapshot(Helpers());
    ExpectSearch(".txt", "File not found.", "notepad.exe", std::nullopt);
    Open("D:", "NOTES.TXT");
    EXPECT_EQ(Snapshot(Helpers()), before);
}

TEST_F(OpenFlow, SystemViewerJoinsByExtension)
{
    volume.write("NOTES.TXT", "hello\n");
    RecordFifo fifo(records.path());
    Helpers().push_back(Helper("", "C:\\EDIT\\notepad.exe", ".txt", "Notepad"));
    Session().m_systemViewerList.push_back(
        Helper("text/plain", '"' + Recorder() + "\" \"%1\"", ".TXT", "System viewer for: .txt"));
    Session().m_systemViewerList.push_back(Helper("", "C:\\x.exe", ".txt", "System viewer for: .txt (2)"));
    prompts.ExpectChoice({"Notepad", "System viewer for: .txt"}, "System viewer for: .txt");
    Open("D:", "NOTES.TXT");
    const std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({Recorder(), volume.file("NOTES.TXT")}));
}

// ---------------------------------------------------------------------------
// Declining ends the flow without change.

TEST_F(OpenFlow, DecliningEndsTheFlowWithoutChange)
{
    volume.write("T.LBL", kTable);
    volume.write("README", "text\n");
    const auto before = Snapshot(Helpers());
    prompts.ExpectChoice(kTableHelpers, QString());
    Open("D:", "T.LBL");
    prompts.ExpectBox(
        "No helper application defined for files of the type: Readme\nWould you like to pick an "
        "application to view the file with?",
        IDNO, MessageButtons::YesNo);
    Open("D:", "README");
    prompts.ExpectChoice(kTableHelpers, "GRAFEL - Table");
    ExpectSearch("TABLE", "File not found.", "grafel.exe", std::nullopt);
    Open("D:", "T.LBL");
    EXPECT_EQ(Snapshot(Helpers()), before);
}

// ---------------------------------------------------------------------------
// Picking a program.

TEST_F(OpenFlow, PickedProgramBecomesTheHelperOfItsExtension)
{
    const QString file = volume.write("DATA.XYZ", "x");
    RecordFifo fifo(records.path());
    const std::size_t count = Helpers().size();
    prompts.ExpectBox(
        "No helper application defined for files of the type: .xyz\nWould you like to pick an "
        "application to view the file with?",
        IDYES, MessageButtons::YesNo);
    prompts.ExpectProgram(Recorder());
    Open("D:", "DATA.XYZ");
    ASSERT_EQ(Helpers().size(), count + 1);
    EXPECT_EQ(FieldsOf(*Helpers().back()), (Fields{".xyz", '"' + Recorder() + '"', ".xyz", ".xyz", ".xyz", ""}));
    std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({Recorder(), file}));

    // The second double-click asks nothing and adds nothing.
    Open("D:", "DATA.XYZ");
    EXPECT_EQ(Helpers().size(), count + 1);
    got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({Recorder(), file}));
}

TEST_F(OpenFlow, PickedProgramThatFailsIsStillAddedOnce)
{
    volume.write("DATA.XYZ", "x");
    const QString notRunnable = CopyRecorder("PICK/viewer.bin", false);
    const std::size_t count = Helpers().size();
    prompts.ExpectBox(
        "No helper application defined for files of the type: .xyz\nWould you like to pick an "
        "application to view the file with?",
        IDYES, MessageButtons::YesNo);
    prompts.ExpectProgram(notRunnable);
    ExpectSearch(".xyz", "Access denied.", "viewer.bin", std::nullopt);
    Open("D:", "DATA.XYZ");
    EXPECT_EQ(Helpers().size(), count + 1);
    EXPECT_EQ(Helpers().back()->m_strApplication, '"' + notRunnable + '"');
}

// ---------------------------------------------------------------------------
// The helper's note and an empty application.

TEST_F(OpenFlow, NoteWithABarShowsItsLinesBeforeTheStartAndAnEmptyApplicationNothingElse)
{
    volume.write("IMG.LBL", kImage);
    volume.write("IMG.QUB", "x");
    RecordFifo fifo(records.path());
    Helpers().clear();
    Helpers().push_back(Helper("IMAGE", Recorder(), "", "Viewer", "Please|wait"));
    Helpers().push_back(Helper("", "", ".QUB", "Nothing", "a|b|c"));
    prompts.ExpectBox("Please\nwait");
    Open("D:", "IMG.LBL");
    EXPECT_EQ(fifo.Read().size(), 1u);
    prompts.ExpectBox("a\nb\nc", IDCANCEL);
    Open("D:", "IMG.QUB");
    // Without a note the flow ends silently.
    Helpers().back()->m_strMessage.clear();
    Open("D:", "IMG.QUB");
}

// ---------------------------------------------------------------------------
// The missing helper: search, write back, retry.

TEST_F(OpenFlow, FoundProgramGoesIntoTheFirstHelperOfTheTypeAndTheRetryCarriesTheArguments)
{
    const QString label = volume.write("DATA/T.LBL", kTable);
    const QString tool = CopyRecorder("SOFTWARE/BIN/TOOL.EXE");
    volume.mkdir("SOFTWARE/DOC");
    RecordFifo fifo(records.path());
    Helpers().clear();
    Helpers().push_back(Helper("TABLE", "C:\\old\\first.exe", "", "First"));
    Helpers().push_back(Helper("table", "\"C:\\Program Files\\Tools\\tool.exe\" -v \"%1\"", ".LBL", "Chosen"));
    Helpers().push_back(Helper("TABLE", "C:\\third.exe", "", "Third"));
    prompts.ExpectChoice({"First", "Chosen"}, "Chosen");
    ExpectSearch("TABLE", "File not found.", "tool.exe", "D:/Software");
    Open("D:/Data", "T.LBL");
    // The first entry of the type name gets the path alone; the chosen one
    // keeps its text.
    EXPECT_EQ(Helpers()[0]->m_strApplication, "D:\\Software\\BIN\\TOOL.EXE");
    EXPECT_EQ(Helpers()[1]->m_strApplication, "\"C:\\Program Files\\Tools\\tool.exe\" -v \"%1\"");
    EXPECT_EQ(Helpers()[2]->m_strApplication, "C:\\third.exe");
    const std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({tool, "-v", label}));
}

TEST_F(OpenFlow, FoundPathWithABlankIsQuoted)
{
    volume.write("T.LBL", kTable);
    const QString tool = CopyRecorder("My Tools/grafel.exe");
    RecordFifo fifo(records.path());
    prompts.ExpectChoice(kTableHelpers, "GRAFEL - Table");
    ExpectSearch("TABLE", "File not found.", "grafel.exe", "D:/My tools");
    Open("D:", "T.LBL");
    EXPECT_EQ(Named("GRAFEL - Table").m_strApplication, "\"D:\\My tools\\grafel.exe\"");
    const std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({tool, volume.file("T.LBL")}));
}

TEST_F(OpenFlow, SecondFailureIsReportedAndTheChangeStays)
{
    volume.write("T.LBL", kTable);
    CopyRecorder("SOFTWARE/grafel.exe", false);
    prompts.ExpectChoice(kTableHelpers, "GRAFEL - Table");
    ExpectSearch("TABLE", "File not found.", "grafel.exe", "D:/Software");
    prompts.ExpectBox(
        "Once again unable to run the helper application.\nReason: Unable to start helper for "
        "\"TABLE\" type content.\nReason: Access denied.");
    Open("D:", "T.LBL");
    EXPECT_EQ(Named("GRAFEL - Table").m_strApplication, "D:\\Software\\grafel.exe");
}

TEST_F(OpenFlow, FoundSystemViewerProgramGoesIntoTheHelperListOnly)
{
    volume.write("NOTES.TXT", "x");
    const QString tool = CopyRecorder("BIN/textview");
    RecordFifo fifo(records.path());
    Session().m_systemViewerList.push_back(
        Helper("text/plain", "/usr/nowhere/textview \"%1\"", ".txt", "System viewer for: .txt"));
    Helpers().push_back(Helper(".TXT", "old", ".zzz", ".txt"));
    ExpectSearch(".txt", "File not found.", "textview", "D:/Bin");
    Open("D:", "NOTES.TXT");
    EXPECT_EQ(Session().m_systemViewerList.front()->m_strApplication, "/usr/nowhere/textview \"%1\"");
    EXPECT_EQ(Helpers().back()->m_strApplication, "D:\\Bin\\textview");
    const std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({tool, volume.file("NOTES.TXT")}));
}

// ---------------------------------------------------------------------------
// Programs, labels without content type.

TEST_F(OpenFlow, ProgramItemStartsDirectly)
{
    const QString viewer = CopyRecorder("RUN ME.EXE");
    CopyRecorder("BROKEN.EXE", false);
    RecordFifo fifo(records.path());
    const auto before = Snapshot(Helpers());
    Open("D:", "RUN ME.EXE");
    const std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({viewer}));
    prompts.ExpectBox("Unable to run application.");
    Open("D:", "BROKEN.EXE");
    EXPECT_EQ(Snapshot(Helpers()), before);
}

TEST_F(OpenFlow, LabelWithoutContentTypeAndUnreadableLabel)
{
    volume.write("EMPTY.LBL", "PDS_VERSION_ID = PDS3\nEND\n");
    prompts.ExpectBox("Unable to determine PDS content type\nfor file: D:/Empty.lbl\nFile may not be a PDS label.");
    Open("D:", "EMPTY.LBL");
    // The reader's box comes first.
    ASSERT_EQ(::symlink("/nonexistent/gone.lbl", QFile::encodeName(volume.file("GONE.LBL")).constData()), 0);
    prompts.ExpectBox("Unable to open file: D:/Gone.lbl");
    prompts.ExpectBox("Unable to determine PDS content type\nfor file: D:/Gone.lbl\nFile may not be a PDS label.");
    Open("D:", "GONE.LBL");
}

TEST_F(OpenFlow, ANameWithABackslashOpens)
{
    const QString label = volume.write("DATA/A\\B.LBL", kTable);
    RecordFifo fifo(records.path());
    Helpers().clear();
    Helpers().push_back(Helper("TABLE", Recorder(), "", "T"));
    Open("D:/Data", "A\\B.LBL");
    const std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({Recorder(), label}));
}

// ---------------------------------------------------------------------------
// The helper file the program comes with.

TEST_F(OpenFlow, ShippedHelperFileOpensSampleProductsInTheViewer)
{
    // The sample volume as D:, and the vellor.ini that lies beside the
    // built program, naming the built product viewer, with the recorder in
    // its place. Text files still go to xdg-open.
    const QDir sample(QStringLiteral(VELLORA_SOURCE_DIR "/sample/volume"));
    drives.SetDrive(4, sample.path());
    QFile shipped(QFileInfo(QStringLiteral(VELLORA_PROGRAM)).dir().filePath("vellor.ini"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    QByteArray helpers = shipped.readAll();
    const QByteArray viewer = QFile::encodeName(QStringLiteral(VELLORA_VIEWER));
    ASSERT_TRUE(helpers.contains("Content Type=*\nApplication=" + viewer + "\n"));
    ASSERT_TRUE(helpers.contains("Application=/usr/bin/xdg-open\nDescription=Open a text file in the desktop's "
                                 "text viewer.\nExtension=.TXT\n"));
    helpers.replace(viewer, QFile::encodeName(Recorder()));
    programDir.write("vellor.ini", helpers);

    // No choice: one helper for each.
    RecordFifo fifo(records.path());
    Open("D:/Data/Images", "IMG0001.LBL");
    std::vector<Recording> got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({Recorder(), sample.filePath("DATA/IMAGES/IMG0001.LBL")}));
    // The data file beside it goes to the viewer by its extension.
    Open("D:/Data/Images", "IMG0001.IMG");
    got = fifo.Read();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].argv, QStringList({Recorder(), sample.filePath("DATA/IMAGES/IMG0001.IMG")}));
}

// ---------------------------------------------------------------------------
// A hostile volume: files named like the programs the helpers name. The
// helpers' programs are the recorder, and so are the volume's files, so
// the records show which of them ran.

class HostileVolume : public OpenFlow {
protected:
    // The recorder's host path laid out on the volume in upper case, as a
    // volume holds USR/BIN/XDG-OPEN beside a helper of /usr/bin/xdg-open.
    QString MirrorOnVolume(const QString& hostPath) const { return CopyRecorder(hostPath.mid(1).toUpper()); }
    // What ran, as "program arguments...", once every start has ended;
    // sorted, since the programs run side by side.
    QStringList Ran()
    {
        EXPECT_TRUE(platform::WaitForStartedPrograms(30000));
        QStringList ran;
        for (const Recording& record : fifo.ReadWritten())
            ran << record.argv.join(u' ');
        ran.sort();
        return ran;
    }
    RecordFifo fifo{records.path()};
};

TEST_F(HostileVolume, HelperFileProgramsComeFromTheHost)
{
    volume.write("DATA/T.LBL", kTable);
    volume.write("DATA/NOTES.TXT", "x");
    const QString mirror = MirrorOnVolume(Recorder());
    const QString backslashed = QString(Recorder()).replace(u'/', u'\\');
    programDir.write("vellor.ini", QFile::encodeName("[Label]\nContent Type=*\nApplication=" + Recorder() +
                                                     "\n[Text]\nApplication=" + backslashed + "\nExtension=.TXT\n"));
    QDir::setCurrent(volume.file("DATA"));
    Open("D:/Data", "T.LBL");
    Open("D:/Data", "NOTES.TXT");
    EXPECT_EQ(Ran(), QStringList({Recorder() + ' ' + volume.file("DATA/NOTES.TXT"),
                                  Recorder() + ' ' + volume.file("DATA/T.LBL")}))
        << "never " << mirror.toStdString();
}

TEST_F(HostileVolume, AFolderWhereTheHostProgramIsNamedDoesNotStopIt)
{
    volume.write("T.LBL", kTable);
    volume.mkdir(Recorder().mid(1).toUpper());
    programDir.write("vellor.ini", QFile::encodeName("[Label]\nContent Type=*\nApplication=" + Recorder() + "\n"));
    Open("D:", "T.LBL");
    EXPECT_EQ(Ran(), QStringList({Recorder() + ' ' + volume.file("T.LBL")}));
}

TEST_F(HostileVolume, BuiltInHelpersRunFromTheProgramFolder)
{
    volume.write("T.LBL", kTable);
    const QString grafel = programDir.file("grafel.exe");
    ASSERT_TRUE(QFile::copy(Recorder(), grafel));
    ::chmod(QFile::encodeName(grafel).constData(), 0755);
    MirrorOnVolume(grafel);
    prompts.ExpectChoice(kTableHelpers, "GRAFEL - Table");
    Open("D:", "T.LBL");
    EXPECT_EQ(Ran(), QStringList({grafel + ' ' + volume.file("T.LBL")}));
}

TEST_F(HostileVolume, BareNamesAreNotLookedUpInTheBrowsedFolder)
{
    volume.write("DATA/T.TAB", "1,2\n");
    volume.write("DATA/X.DAT", "x");
    CopyRecorder("DATA/XDG-OPEN");
    CopyRecorder("DATA/VIEWER");
    programDir.write("vellor.ini", "[Table]\nApplication=xdg-open\nExtension=.TAB\n"
                                   "[Data]\nApplication=viewer %1\nExtension=.DAT\n");
    QDir::setCurrent(volume.file("DATA"));
    // Not found, which offers the search as for any missing program.
    ExpectSearch(".tab", "File not found.", "xdg-open", std::nullopt);
    Open("D:/Data", "T.TAB");
    ExpectSearch(".dat", "File not found.", "viewer", std::nullopt);
    Open("D:/Data", "X.DAT");
    EXPECT_EQ(Ran(), QStringList());
}

TEST_F(HostileVolume, AProgramOnTheVolumeRunsWhenItsDriveIsNamed)
{
    volume.write("T.LBL", kTable);
    const QString tool = CopyRecorder("SOFTWARE/TOOL");
    programDir.write("vellor.ini", "[Label]\nContent Type=*\nApplication=D:\\SOFTWARE\\TOOL\n");
    Open("D:", "T.LBL");
    EXPECT_EQ(Ran(), QStringList({tool + ' ' + volume.file("T.LBL")}));
}

}  // namespace
