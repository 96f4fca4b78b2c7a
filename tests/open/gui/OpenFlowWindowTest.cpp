// The double-click on a file of the browser's list, driven as a user does
// it: the real browser window over a temporary volume, its dialogs and boxes
// answering the open flow's questions in order through the scripted runner,
// and every text checked as shown. The flow's every way is tested without a
// window (OpenFlowTest); these check that the window's answers are its real
// dialogs, and the window's own part: entering folders, nothing to act on.

#include "browser/CBrowserDlg.h"
#include "open/HelperFields.h"
#include "open/gui/CFindHelperDlg.h"
#include "open/gui/CViewerChoiceDlg.h"
#include "platform/Process.h"
#include "platform/WinTypes.h"
#include "platform/gui/CListBox.h"
#include "platform/gui/CListCtrl.h"
#include "platform/gui/CTreeCtrl.h"
#include "support/LoadedSession.h"
#include "support/QtPrinters.h"
#include "support/RecordFifo.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"
#include "support/VolumeTest.h"
#include "volume/CFileItem.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <unistd.h>

namespace {

const QByteArray kTable = "PDS_VERSION_ID = PDS3\nOBJECT = TABLE\n  ROWS = 3\nEND_OBJECT = TABLE\nEND\n";

// The scripted runner, with a look at the program's state whenever a box
// is shown.
class WatchingRunner : public ScriptedRunner {
public:
    int MessageBox(const QString& text, const QString& caption, MessageBoxKind kind) override
    {
        if (onBox)
            onBox();
        return ScriptedRunner::MessageBox(text, caption, kind);
    }
    std::function<void()> onBox;
};

class OpenFlowWindow : public VolumeTest {
protected:
    void TearDown() override
    {
        VolumeTest::TearDown();
        EXPECT_TRUE(platform::WaitForStartedPrograms(30000));
    }

    // Runs the browser window over the volume; act gets it initialised.
    void Run(const std::function<void(CBrowserDlg&)>& act, const QString& mask = QString())
    {
        LoadedSession session(programDir.path());
        CBrowserDlg browser(session);
        if (!mask.isEmpty())
            browser.Session().m_strFileMask = mask;
        runner.ExpectDialog([&](CDialog& shown) {
            EXPECT_EQ(&shown, &browser);
            browser.resize(800, 600);
            browser.show();
            act(browser);
            return IDOK;
        });
        browser.DoModal();
    }

    // A double-click on the list item shown with this name, with the mouse:
    // a click that selects it, then the double-click.
    static void DoubleClick(CBrowserDlg& browser, const QString& name)
    {
        CListCtrl* list = browser.m_listFiles;
        int index = -1;
        for (int i = 0; i < list->GetItemCount(); ++i) {
            if (list->GetItemText(i, 0) == name)
                index = i;
        }
        ASSERT_GE(index, 0) << "no item " << name.toStdString();
        QAbstractItemView* view = list->ActiveView();
        const QPoint at = view->visualRect(view->model()->index(index, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        ASSERT_EQ(browser.m_nChangedItem, index);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    // The child of item shown with this name; null when it has none.
    static HTREEITEM Child(CTreeCtrl* tree, HTREEITEM item, const QString& name)
    {
        item->setExpanded(true);
        for (HTREEITEM child = tree->GetChildItem(item); child; child = tree->GetNextSiblingItem(child)) {
            if (tree->GetItemText(child) == name)
                return child;
        }
        ADD_FAILURE() << "no folder " << name.toStdString();
        return nullptr;
    }

    static QString Recorder() { return QString::fromUtf8(VELLORA_RECORDER); }
    static CHelperEntry& Named(CBrowserDlg& browser, const QString& name)
    {
        for (const auto& entry : browser.Session().m_helperList) {
            if (entry->m_strName == name)
                return *entry;
        }
        ADD_FAILURE() << "no helper " << name.toStdString();
        return *browser.Session().m_helperList.front();
    }

    // Expects the viewer choice dialog; checks its lines and picks one.
    void ExpectChoice(const QStringList& lines, const QString& pick)
    {
        runner.ExpectDialog([lines, pick](CDialog& shown) {
            auto* choice = dynamic_cast<CViewerChoiceDlg*>(&shown);
            if (!choice) {
                ADD_FAILURE() << "not the viewer choice dialog";
                return IDCANCEL;
            }
            QStringList got;
            for (int i = 0; i < choice->m_lbViewers->GetCount(); ++i)
                got << choice->m_lbViewers->GetText(i);
            EXPECT_EQ(got, lines);
            EXPECT_EQ(choice->m_lbViewers->GetCurSel(), 0);
            choice->m_lbViewers->SetCurSel(static_cast<int>(got.indexOf(pick)));
            choice->GetDlgItemAs<QPushButton>(IDOK)->click();
            return choice->GetModalResult();
        });
    }
    // Expects the Find Helper dialog with this message; selects a folder of
    // D: by its display name and searches there.
    void ExpectFindHelper(const QString& message, const QString& folder, QString* startPath)
    {
        runner.ExpectDialog([message, folder, startPath](CDialog& shown) {
            auto* find = dynamic_cast<CFindHelperDlg*>(&shown);
            if (!find) {
                ADD_FAILURE() << "not the Find Helper dialog";
                return IDCANCEL;
            }
            EXPECT_EQ(find->m_strMessage, message);
            EXPECT_EQ(find->GetDlgItemText(1049), message);
            EXPECT_EQ(find->m_strStartPath, "D:");
            find->m_tree->SelectItem(Child(find->m_tree, find->m_tree->GetSelectedItem(), folder));
            *startPath = find->m_strStartPath;
            find->GetDlgItemAs<QPushButton>(IDOK)->click();
            return find->GetModalResult();
        });
    }
    // The text of the last box shown.
    QString LastBox() const { return runner.Boxes().empty() ? QString() : runner.Boxes().back().text; }

    TempDir records;
    WatchingRunner runner;
};

// The progress window of the search, when one is on the screen.
bool ProgressWindowShown()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->inherits("CProgressDlg") && window->isVisible())
            return true;
    }
    return false;
}

// ---------------------------------------------------------------------------

TEST_F(OpenFlowWindow, TableLabelWithTheBuiltInTableOffersSixHelpersSorted)
{
    const QString label = volume.write("DATA/TABLE.LBL", kTable);
    volume.write("DATA/A\\B.LBL", kTable);
    RecordFifo fifo(records.path());
    Run([&](CBrowserDlg& b) {
        b.m_treeFolders->SelectItem(Child(b.m_treeFolders, b.m_treeFolders->GetRootItem(), "Data"));
        // A name with a backslash is listed as it is (OpenFlowTest opens it).
        EXPECT_EQ(b.m_listFiles->GetItemText(0, 0), "A\\b.lbl");
        Named(b, "Tagwright - Label").m_strApplication = Recorder();
        ExpectChoice({"GRAFEL - Table", "Plainsight - Label", "Skyglass - Image", "SKYGLASS - Table",
                      "Skyglass - Time Series", "Tagwright - Label"},
                     "Tagwright - Label");
        DoubleClick(b, "Table.lbl");
        const std::vector<Recording> got = fifo.Read();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].argv, QStringList({Recorder(), label}));
        EXPECT_EQ(got[0].cwd, volume.file("DATA"));
    });
    EXPECT_TRUE(runner.Boxes().empty());
}

TEST_F(OpenFlowWindow, CancellingTheOpenFileDialogAddsNothing)
{
    volume.write("DATA.XYZ", "x");
    Run(
        [&](CBrowserDlg& b) {
            const auto before = Snapshot(b.Session().m_helperList);
            runner.ExpectBox(IDYES);
            runner.ExpectFileDialog([&](FileDialogRequest& request) {
                EXPECT_EQ(request.filter,
                          "Executables (*.exe, *.com, *.bat)|*.exe;*.com;*.bat|All Files (*.*)|*.*||");
                EXPECT_EQ(request.parent, &b);
                EXPECT_TRUE(request.title.isEmpty());
                return false;
            });
            DoubleClick(b, "Data.xyz");
            EXPECT_EQ(Snapshot(b.Session().m_helperList), before);
        },
        "*");
    EXPECT_EQ(LastBox(), "No helper application defined for files of the type: .xyz\nWould you like to pick an "
                         "application to view the file with?");
}

TEST_F(OpenFlowWindow, NotFoundEndsWithItsMessage)
{
    volume.write("T.LBL", kTable);
    volume.write("SOFTWARE/other.exe", "x");
    Run([&](CBrowserDlg& b) {
        const auto before = Snapshot(b.Session().m_helperList);
        QString start;
        ExpectChoice({"GRAFEL - Table", "Plainsight - Label", "Skyglass - Image", "SKYGLASS - Table",
                      "Skyglass - Time Series", "Tagwright - Label"},
                     "SKYGLASS - Table");
        ExpectFindHelper("Unable to start helper for \"TABLE\" type content.\nReason: File not found."
                         "\n\nThe name of the missing helper is: skyglass.exe",
                         "Software", &start);
        // The search's progress window stays up, the browser disabled,
        // until the flow has ended.
        bool disabledWithProgress = false;
        runner.onBox = [&] { disabledWithProgress = !b.isEnabled() && ProgressWindowShown(); };
        runner.ExpectBox(IDOK);
        DoubleClick(b, "T.lbl");
        EXPECT_EQ(start, "D:/Software");
        EXPECT_TRUE(disabledWithProgress);
        EXPECT_EQ(Snapshot(b.Session().m_helperList), before);
        EXPECT_TRUE(b.isEnabled());
        EXPECT_FALSE(ProgressWindowShown());
    });
    EXPECT_EQ(LastBox(), "Did not find helper 'skyglass.exe'\nAlong path: D:/Software\nContent type: TABLE\n\nUnable "
                         "to do anything else.");
}

TEST_F(OpenFlowWindow, FoldersAreEnteredThroughTheTree)
{
    volume.write("IMAGES/A.LBL", kTable);
    // A link to a folder is listed as a folder, but the tree never shows
    // links: the selected folder has no children to move to.
    TempDir target;
    ASSERT_EQ(::symlink(QFile::encodeName(target.path()).constData(),
                        QFile::encodeName(volume.file("IMAGES/LINKED")).constData()), 0);
    Run(
        [&](CBrowserDlg& b) {
            CTreeCtrl* tree = b.m_treeFolders;
            DoubleClick(b, "Images");
            EXPECT_EQ(tree->GetItemText(tree->GetSelectedItem()), "Images");
            EXPECT_EQ(b.m_strCurrentFolder, "D:/Images");
            EXPECT_EQ(QDir::current().canonicalPath(), QDir(volume.file("IMAGES")).canonicalPath());
            EXPECT_EQ(b.m_listFiles->GetItemText(0, 0), "A.lbl");
            runner.ExpectBox(IDOK);
            DoubleClick(b, "Linked");
            EXPECT_EQ(b.m_strCurrentFolder, "D:/Images");
        },
        "*");
    ASSERT_EQ(runner.Boxes().size(), 1u);
    EXPECT_EQ(runner.Boxes()[0].text, "Irregular error. Item has no children.");
}

TEST_F(OpenFlowWindow, NothingToActOnDoesNothing)
{
    volume.write("T.LBL", kTable);
    Run([&](CBrowserDlg& b) {
        // No item has changed yet.
        ASSERT_EQ(b.m_nChangedItem, -1);
        emit b.m_listFiles->dblClk();
    });
    EXPECT_TRUE(runner.Boxes().empty());
    EXPECT_EQ(runner.DialogCount(), 1);
}

}  // namespace
