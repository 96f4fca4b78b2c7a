// The open flow over the small context a window gives it, with no browser
// window at all: folders go back to the context, helpers come from its
// session, and what the user picks is added to that session, with the
// context's window as the parent of the flow's dialogs.

#include "open/COpenWithHelper.h"
#include "open/OpenContext.h"
#include "platform/Process.h"
#include "platform/WinTypes.h"
#include "session/BrowserSession.h"
#include "support/QtPrinters.h"
#include "support/RecordFifo.h"
#include "support/ScopedDrives.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"
#include "volume/CFileItem.h"

#include <QDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

class FakeContext : public OpenContext {
public:
    BrowserSession& Session() override { return session; }
    void OpenSubfolder(const CFileItem& folder) override { entered << folder.m_strName + " " + folder.m_strPath; }
    QWidget* Window() override { return &window; }

    BrowserSession session;
    QStringList entered;
    QWidget window;
};

class OpenContextFlow : public ::testing::Test {
protected:
    void SetUp() override { drives.SetDrive(4, volume.path()); }
    void TearDown() override { EXPECT_TRUE(platform::WaitForStartedPrograms(30000)); }

    static QString Recorder() { return QString::fromUtf8(VELLORA_RECORDER); }

    ScopedDrives drives;
    TempDir volume;
    TempDir records;
    ScriptedRunner runner;
    FakeContext context;
};

TEST_F(OpenContextFlow, AFolderIsEnteredThroughTheContext)
{
    COpenWithHelper(context).Open(CFileItem("Images", "D:/Data/Images", CFileItem::Folder));
    EXPECT_EQ(context.entered, QStringList{"Images D:/Data/Images"});
    EXPECT_TRUE(runner.Boxes().empty());
    EXPECT_EQ(runner.DialogCount(), 0);
}

TEST_F(OpenContextFlow, HelpersComeFromAndGoToTheContextsSession)
{
    const QString label = volume.write("IMG.LBL", "OBJECT = IMAGE\nEND\n");
    volume.write("NOTES.XYZ", "x");
    RecordFifo fifo(records.path());
    context.session.m_helperList.push_back(
        std::make_unique<CHelperEntry>("IMAGE", '"' + Recorder() + "\" %1", "", "", "Image", ""));
    COpenWithHelper(context).Open(CFileItem("Img.lbl", "D:/Img.lbl", CFileItem::Label));
    std::vector<Recording> started = fifo.Read();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].argv.value(1), label);

    // No helper for the extension: the program picked (its dialog above the
    // context's window) serves it from now on.
    runner.ExpectBox(IDYES);
    runner.ExpectFileDialog([&](FileDialogRequest& request) {
        EXPECT_EQ(request.parent, &context.window);
        request.chosenPath = Recorder();
        return true;
    });
    COpenWithHelper(context).Open(CFileItem("Notes.xyz", "D:/Notes.xyz", CFileItem::Other));
    ASSERT_EQ(context.session.m_helperList.size(), 2u);
    EXPECT_EQ(context.session.m_helperList.back()->m_strExtension, ".xyz");
    EXPECT_EQ(context.session.m_helperList.back()->m_strApplication, '"' + Recorder() + '"');
    started = fifo.Read();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].argv.value(1), volume.file("NOTES.XYZ"));
}

}  // namespace
