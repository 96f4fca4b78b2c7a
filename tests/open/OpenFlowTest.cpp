// The double-click on a file of the browser's list, driven as a user does
// it: the real browser window over a temporary volume, every box and dialog
// answered through the scripted runner, real helper programs (the recorder)
// where a start must succeed, and every text checked as shown.

#include "app/CBrowserApp.h"
#include "browser/CBrowserDlg.h"
#include "open/CFindHelperDlg.h"
#include "open/CViewerChoiceDlg.h"
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
#include <memory>
#include <sys/stat.h>

namespace {

const QByteArray kTable = "PDS_VERSION_ID = PDS3\nOBJECT = TABLE\n  ROWS = 3\nEND_OBJECT = TABLE\nEND\n";
const QByteArray kImage = "PDS_VERSION_ID = PDS3\nOBJECT = IMAGE\nEND_OBJECT = IMAGE\nEND\n";

// A helper list entry as the Helpers page shows its fields.
struct Fields {
    QString contentType, application, description, extension, name, message;
    bool operator==(const Fields&) const = default;
};
Fields FieldsOf(const CHelperEntry& e)
{
    return {e.m_strContentType, e.m_strApplication, e.m_strDescription, e.m_strExtension, e.m_strName,
            e.m_strMessage};
}
std::vector<Fields> Snapshot(const CHelperList& list)
{
    std::vector<Fields> fields;
    for (const auto& entry : list)
        fields.push_back(FieldsOf(*entry));
    return fields;
}

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

class OpenFlow : public VolumeTest {
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
    // Selects a folder of the browser's tree (path of display names below D:).
    static void SelectFolder(CBrowserDlg& browser, const QStringList& names)
    {
        CTreeCtrl* tree = browser.m_treeFolders;
        HTREEITEM item = tree->GetRootItem();
        for (const QString& name : names) {
            tree->Expand(item);
            HTREEITEM found = nullptr;
            for (HTREEITEM child = tree->GetChildItem(item); child; child = tree->GetNextSiblingItem(child)) {
                if (tree->GetItemText(child) == name)
                    found = child;
            }
            ASSERT_NE(found, nullptr) << name.toStdString();
            item = found;
        }
        tree->SelectItem(item);
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
    static CHelperEntry& Named(CBrowserDlg& browser, const QString& name)
    {
        for (const auto& entry : browser.Session().m_helperList) {
            if (entry->m_strName == name)
                return *entry;
        }
        ADD_FAILURE() << "no helper " << name.toStdString();
        return *browser.Session().m_helperList.front();
    }

    // Expects the viewer choice dialog; checks its lines and picks one
    // (empty: Cancel).
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
            if (pick.isEmpty()) {
                choice->GetDlgItemAs<QPushButton>(IDCANCEL)->click();
            } else {
                choice->m_lbViewers->SetCurSel(static_cast<int>(got.indexOf(pick)));
                choice->GetDlgItemAs<QPushButton>(IDOK)->click();
            }
            return choice->GetModalResult();
        });
    }
    // Expects the Find Helper dialog with this message; selects the folder
    // (display names below D:) and searches, or cancels when folders is
    // null.
    void ExpectFindHelper(const QString& message, const QStringList* folders, QString* startPath = nullptr)
    {
        const QStringList names = folders ? *folders : QStringList();
        const bool search = folders != nullptr;
        runner.ExpectDialog([message, names, search, startPath](CDialog& shown) {
            auto* find = dynamic_cast<CFindHelperDlg*>(&shown);
            if (!find) {
                ADD_FAILURE() << "not the Find Helper dialog";
                return IDCANCEL;
            }
            EXPECT_EQ(find->m_strMessage, message);
            EXPECT_EQ(find->GetDlgItemText(1049), message);
            EXPECT_EQ(find->m_strStartPath, "D:");
            if (!search) {
                find->GetDlgItemAs<QPushButton>(IDCANCEL)->click();
                return find->GetModalResult();
            }
            CTreeCtrl* tree = find->m_tree;
            HTREEITEM item = tree->GetSelectedItem();
            for (const QString& name : names) {
                item->setExpanded(true);
                HTREEITEM found = nullptr;
                for (HTREEITEM child = tree->GetChildItem(item); child; child = tree->GetNextSiblingItem(child)) {
                    if (tree->GetItemText(child) == name)
                        found = child;
                }
                if (!found) {
                    ADD_FAILURE() << "no folder " << name.toStdString();
                    return IDCANCEL;
                }
                item = found;
            }
            tree->SelectItem(item);
            if (startPath)
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
// Candidates and the choice.

TEST_F(OpenFlow, TableLabelWithTheBuiltInTableOffersSixHelpersSorted)
{
    const QString label = volume.write("DATA/TABLE.LBL", kTable);
    RecordFifo fifo(records.path());
    Run([&](CBrowserDlg& b) {
        SelectFolder(b, {"Data"});
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

TEST_F(OpenFlow, ImageLabelListsFiveAndOkAtOnceTakesTheFirstName)
{
    volume.write("IMG001.LBL", kImage);
    RecordFifo fifo(records.path());
    Run([&](CBrowserDlg& b) {
        // "GRAFEL - Table" is not offered: TABLE is not the content type and
        // it has no extension. The alphabetically first line is chosen.
        Named(b, "Plainsight - Label").m_strApplication = Recorder() + " --first %1";
        ExpectChoice({"Plainsight - Label", "Skyglass - Image", "SKYGLASS - Table", "Skyglass - Time Series",
                      "Tagwright - Label"},
                     "Plainsight - Label");
        DoubleClick(b, "Img001.lbl");
        const std::vector<Recording> got = fifo.Read();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].argv, QStringList({Recorder(), "--first", volume.file("IMG001.LBL")}));
    });
}

TEST_F(OpenFlow, NamesThatDifferOnlyInCaseEachOpenTheirOwnFile)
{
    const QString lower = volume.write("a.LBL", kImage);
    const QString upper = volume.write("A.LBL", "PDS_VERSION_ID = PDS3\nOBJECT = QUBE\nEND\n");
    if (QDir(volume.path()).entryList(QDir::Files).size() != 2)
        GTEST_SKIP() << "the file system does not tell case apart";
    RecordFifo fifo(records.path());
    Run([&](CBrowserDlg& b) {
        b.Session().m_helperList.clear();
        b.Session().m_helperList.push_back(
            std::make_unique<CHelperEntry>("IMAGE", Recorder() + " --image %1", "d", "", "Image", ""));
        b.Session().m_helperList.push_back(
            std::make_unique<CHelperEntry>("QUBE", Recorder() + " --qube %1", "d", "", "Qube", ""));
        DoubleClick(b, "a.lbl");
        std::vector<Recording> got = fifo.Read();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].argv, QStringList({Recorder(), "--image", lower}));
        DoubleClick(b, "A.lbl");
        got = fifo.Read();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].argv, QStringList({Recorder(), "--qube", upper}));
    });
    EXPECT_TRUE(runner.Boxes().empty());
}

TEST_F(OpenFlow, StarHelperServesAContentTypeWithoutHelper)
{
    volume.write("SPEC.LBL", "OBJECT = SPECTRUM\nEND\n");
    RecordFifo fifo(records.path());
    Run([&](CBrowserDlg& b) {
        // Only the catch-all is left: started at once, with the content type
        // as type name.
        b.Session().m_helperList.clear();
        b.Session().m_helperList.push_back(std::make_unique<CHelperEntry>("IMAGE", "C:\\img.exe", "d", "", "Image", ""));
        b.Session().m_helperList.push_back(std::make_unique<CHelperEntry>("*", Recorder(), "d", "", "*", ""));
        b.Session().m_helperList.push_back(std::make_unique<CHelperEntry>("*", "C:\\second.exe", "d", "", "* 2", ""));
        DoubleClick(b, "Spec.lbl");
        EXPECT_EQ(fifo.Read().size(), 1u);
    });
    EXPECT_TRUE(runner.Boxes().empty());
}

TEST_F(OpenFlow, TextFileWithOneHelperIsStartedDirectlyWithItsExtensionAsTypeName)
{
    volume.write("NOTES.TXT", "hello\n");
    Run(
        [&](CBrowserDlg& b) {
            b.Session().m_helperList.push_back(
                std::make_unique<CHelperEntry>("", "C:\\EDIT\\notepad.exe %1", "d", ".TXT", "Notepad", ""));
            const auto before = Snapshot(b.Session().m_helperList);
            ExpectFindHelper("Unable to start helper for \".txt\" type content.\nReason: File not found."
                             "\n\nThe name of the missing helper is: notepad.exe",
                             nullptr);
            DoubleClick(b, "Notes.txt");
            EXPECT_EQ(Snapshot(b.Session().m_helperList), before);
        },
        "*");
    EXPECT_TRUE(runner.Boxes().empty());
}

TEST_F(OpenFlow, SystemViewerJoinsByExtension)
{
    volume.write("NOTES.TXT", "hello\n");
    RecordFifo fifo(records.path());
    Run(
        [&](CBrowserDlg& b) {
            b.Session().m_helperList.push_back(
                std::make_unique<CHelperEntry>("", "C:\\EDIT\\notepad.exe", "d", ".txt", "Notepad", ""));
            b.Session().m_systemViewerList.push_back(std::make_unique<CHelperEntry>(
                "text/plain", '"' + Recorder() + "\" \"%1\"", "Text", ".TXT", "System viewer for: .txt", ""));
            b.Session().m_systemViewerList.push_back(std::make_unique<CHelperEntry>("", "C:\\x.exe", "Text", ".txt",
                                                                          "System viewer for: .txt (2)", ""));
            ExpectChoice({"Notepad", "System viewer for: .txt"}, "System viewer for: .txt");
            DoubleClick(b, "Notes.txt");
            const std::vector<Recording> got = fifo.Read();
            ASSERT_EQ(got.size(), 1u);
            EXPECT_EQ(got[0].argv, QStringList({Recorder(), volume.file("NOTES.TXT")}));
        },
        "*");
}

// ---------------------------------------------------------------------------
// Declining ends the flow without change.

TEST_F(OpenFlow, CancellingTheChoiceEndsTheFlow)
{
    volume.write("T.LBL", kTable);
    Run([&](CBrowserDlg& b) {
        const auto before = Snapshot(b.Session().m_helperList);
        ExpectChoice({"GRAFEL - Table", "Plainsight - Label", "Skyglass - Image", "SKYGLASS - Table",
                      "Skyglass - Time Series", "Tagwright - Label"},
                     QString());
        DoubleClick(b, "T.lbl");
        EXPECT_EQ(Snapshot(b.Session().m_helperList), before);
    });
    EXPECT_TRUE(runner.Boxes().empty());
}

TEST_F(OpenFlow, NameWithoutDotAndAnswerNo)
{
    volume.write("README", "text\n");
    Run(
        [&](CBrowserDlg& b) {
            const auto before = Snapshot(b.Session().m_helperList);
            runner.ExpectBox(IDNO);
            DoubleClick(b, "Readme");
            EXPECT_EQ(Snapshot(b.Session().m_helperList), before);
        },
        "*");
    ASSERT_EQ(runner.Boxes().size(), 1u);
    EXPECT_EQ(runner.Boxes()[0].text, "No helper application defined for files of the type: Readme\nWould you like "
                                      "to pick an application to view the file with?");
    EXPECT_EQ(runner.Boxes()[0].kind, (MessageBoxKind{MessageButtons::YesNo, MessageIcon::None}));
}

TEST_F(OpenFlow, CancellingTheOpenFileDialogAddsNothing)
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

TEST_F(OpenFlow, CancellingFindHelperEndsTheFlow)
{
    volume.write("T.LBL", kTable);
    Run([&](CBrowserDlg& b) {
        const auto before = Snapshot(b.Session().m_helperList);
        ExpectChoice({"GRAFEL - Table", "Plainsight - Label", "Skyglass - Image", "SKYGLASS - Table",
                      "Skyglass - Time Series", "Tagwright - Label"},
                     "GRAFEL - Table");
        ExpectFindHelper("Unable to start helper for \"TABLE\" type content.\nReason: File not found."
                         "\n\nThe name of the missing helper is: grafel.exe",
                         nullptr);
        DoubleClick(b, "T.lbl");
        EXPECT_EQ(Snapshot(b.Session().m_helperList), before);
        EXPECT_TRUE(b.isEnabled());
    });
    EXPECT_TRUE(runner.Boxes().empty());
}

// ---------------------------------------------------------------------------
// Picking a program.

TEST_F(OpenFlow, PickedProgramBecomesTheHelperOfItsExtension)
{
    const QString file = volume.write("DATA.XYZ", "x");
    RecordFifo fifo(records.path());
    Run(
        [&](CBrowserDlg& b) {
            const std::size_t count = b.Session().m_helperList.size();
            runner.ExpectBox(IDYES);
            runner.ExpectFileDialog([&](FileDialogRequest& request) {
                request.chosenPath = Recorder();
                return true;
            });
            DoubleClick(b, "Data.xyz");
            ASSERT_EQ(b.Session().m_helperList.size(), count + 1);
            const Fields added = FieldsOf(*b.Session().m_helperList.back());
            EXPECT_EQ(added, (Fields{".xyz", '"' + Recorder() + '"', ".xyz", ".xyz", ".xyz", ""}));
            std::vector<Recording> got = fifo.Read();
            ASSERT_EQ(got.size(), 1u);
            EXPECT_EQ(got[0].argv, QStringList({Recorder(), file}));

            // The second double-click asks nothing and adds nothing.
            DoubleClick(b, "Data.xyz");
            EXPECT_EQ(b.Session().m_helperList.size(), count + 1);
            got = fifo.Read();
            ASSERT_EQ(got.size(), 1u);
            EXPECT_EQ(got[0].argv, QStringList({Recorder(), file}));
        },
        "*");
    EXPECT_EQ(runner.Boxes().size(), 1u);
}

TEST_F(OpenFlow, PickedProgramThatFailsIsStillAddedOnce)
{
    volume.write("DATA.XYZ", "x");
    const QString notRunnable = CopyRecorder("PICK/viewer.bin", false);
    Run(
        [&](CBrowserDlg& b) {
            const std::size_t count = b.Session().m_helperList.size();
            runner.ExpectBox(IDYES);
            runner.ExpectFileDialog([&](FileDialogRequest& request) {
                request.chosenPath = notRunnable;
                return true;
            });
            ExpectFindHelper("Unable to start helper for \".xyz\" type content.\nReason: Access denied."
                             "\n\nThe name of the missing helper is: viewer.bin",
                             nullptr);
            DoubleClick(b, "Data.xyz");
            EXPECT_EQ(b.Session().m_helperList.size(), count + 1);
            EXPECT_EQ(b.Session().m_helperList.back()->m_strApplication, '"' + notRunnable + '"');
        },
        "*");
}

// ---------------------------------------------------------------------------
// The helper's note and an empty application.

TEST_F(OpenFlow, NoteWithABarShowsTwoLinesBeforeTheStart)
{
    volume.write("IMG.LBL", kImage);
    RecordFifo fifo(records.path());
    Run([&](CBrowserDlg& b) {
        b.Session().m_helperList.clear();
        b.Session().m_helperList.push_back(
            std::make_unique<CHelperEntry>("IMAGE", Recorder(), "d", "", "Viewer", "Please|wait"));
        runner.ExpectBox(IDOK);
        DoubleClick(b, "Img.lbl");
        EXPECT_EQ(fifo.Read().size(), 1u);
    });
    ASSERT_EQ(runner.Boxes().size(), 1u);
    EXPECT_EQ(runner.Boxes()[0].text, "Please\nwait");
    EXPECT_EQ(runner.Boxes()[0].kind, (MessageBoxKind{MessageButtons::Ok, MessageIcon::None}));
}

TEST_F(OpenFlow, EmptyApplicationShowsTheNoteAndDoesNothingElse)
{
    volume.write("IMG.LBL", kImage);
    Run([&](CBrowserDlg& b) {
        b.Session().m_helperList.clear();
        b.Session().m_helperList.push_back(std::make_unique<CHelperEntry>("IMAGE", "", "d", "", "Nothing", "a|b|c"));
        runner.ExpectBox(IDCANCEL);
        DoubleClick(b, "Img.lbl");
        // Without a note the flow ends silently.
        b.Session().m_helperList.front()->m_strMessage.clear();
        DoubleClick(b, "Img.lbl");
    });
    ASSERT_EQ(runner.Boxes().size(), 1u);
    EXPECT_EQ(runner.Boxes()[0].text, "a\nb\nc");
}

// ---------------------------------------------------------------------------
// The missing helper: search, write back, retry.

TEST_F(OpenFlow, FoundProgramGoesIntoTheFirstHelperOfTheTypeAndTheRetryCarriesTheArguments)
{
    const QString label = volume.write("DATA/T.LBL", kTable);
    const QString tool = CopyRecorder("SOFTWARE/BIN/TOOL.EXE");
    volume.mkdir("SOFTWARE/DOC");
    RecordFifo fifo(records.path());
    Run([&](CBrowserDlg& b) {
        SelectFolder(b, {"Data"});
        b.Session().m_helperList.clear();
        b.Session().m_helperList.push_back(std::make_unique<CHelperEntry>("TABLE", "C:\\old\\first.exe", "d", "", "First", ""));
        b.Session().m_helperList.push_back(std::make_unique<CHelperEntry>(
            "table", "\"C:\\Program Files\\Tools\\tool.exe\" -v \"%1\"", "d", ".LBL", "Chosen", ""));
        b.Session().m_helperList.push_back(std::make_unique<CHelperEntry>("TABLE", "C:\\third.exe", "d", "", "Third", ""));
        ExpectChoice({"Chosen", "First"}, "Chosen");
        const QStringList folders{"Software"};
        QString start;
        ExpectFindHelper("Unable to start helper for \"TABLE\" type content.\nReason: File not found."
                         "\n\nThe name of the missing helper is: tool.exe",
                         &folders, &start);
        DoubleClick(b, "T.lbl");
        EXPECT_EQ(start, "D:/Software");
        // The first entry of the type name gets the path alone; the chosen
        // one keeps its text.
        EXPECT_EQ(b.Session().m_helperList[0]->m_strApplication, "D:\\Software\\BIN\\TOOL.EXE");
        EXPECT_EQ(b.Session().m_helperList[1]->m_strApplication, "\"C:\\Program Files\\Tools\\tool.exe\" -v \"%1\"");
        EXPECT_EQ(b.Session().m_helperList[2]->m_strApplication, "C:\\third.exe");
        const std::vector<Recording> got = fifo.Read();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].argv, QStringList({tool, "-v", label}));
        // The browser is usable again once the flow has ended.
        EXPECT_TRUE(b.isEnabled());
    });
    EXPECT_TRUE(runner.Boxes().empty());
}

TEST_F(OpenFlow, FoundPathWithABlankIsQuoted)
{
    volume.write("T.LBL", kTable);
    const QString tool = CopyRecorder("My Tools/grafel.exe");
    RecordFifo fifo(records.path());
    Run([&](CBrowserDlg& b) {
        const QStringList folders{"My tools"};
        ExpectChoice({"GRAFEL - Table", "Plainsight - Label", "Skyglass - Image", "SKYGLASS - Table",
                      "Skyglass - Time Series", "Tagwright - Label"},
                     "GRAFEL - Table");
        ExpectFindHelper("Unable to start helper for \"TABLE\" type content.\nReason: File not found."
                         "\n\nThe name of the missing helper is: grafel.exe",
                         &folders);
        DoubleClick(b, "T.lbl");
        EXPECT_EQ(Named(b, "GRAFEL - Table").m_strApplication, "\"D:\\My tools\\grafel.exe\"");
        const std::vector<Recording> got = fifo.Read();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].argv, QStringList({tool, volume.file("T.LBL")}));
    });
}

TEST_F(OpenFlow, NotFoundEndsWithItsMessage)
{
    volume.write("T.LBL", kTable);
    volume.write("SOFTWARE/other.exe", "x");
    Run([&](CBrowserDlg& b) {
        const auto before = Snapshot(b.Session().m_helperList);
        const QStringList folders{"Software"};
        ExpectChoice({"GRAFEL - Table", "Plainsight - Label", "Skyglass - Image", "SKYGLASS - Table",
                      "Skyglass - Time Series", "Tagwright - Label"},
                     "SKYGLASS - Table");
        ExpectFindHelper("Unable to start helper for \"TABLE\" type content.\nReason: File not found."
                         "\n\nThe name of the missing helper is: skyglass.exe",
                         &folders);
        // The search's progress window stays up, the browser disabled,
        // until the flow has ended.
        bool disabledWithProgress = false;
        runner.onBox = [&] { disabledWithProgress = !b.isEnabled() && ProgressWindowShown(); };
        runner.ExpectBox(IDOK);
        DoubleClick(b, "T.lbl");
        EXPECT_TRUE(disabledWithProgress);
        EXPECT_EQ(Snapshot(b.Session().m_helperList), before);
        EXPECT_TRUE(b.isEnabled());
        EXPECT_FALSE(ProgressWindowShown());
    });
    EXPECT_EQ(LastBox(), "Did not find helper 'skyglass.exe'\nAlong path: D:/Software\nContent type: TABLE\n\nUnable "
                         "to do anything else.");
}

TEST_F(OpenFlow, SecondFailureIsReportedAndTheChangeStays)
{
    volume.write("T.LBL", kTable);
    CopyRecorder("SOFTWARE/grafel.exe", false);
    Run([&](CBrowserDlg& b) {
        const QStringList folders{"Software"};
        ExpectChoice({"GRAFEL - Table", "Plainsight - Label", "Skyglass - Image", "SKYGLASS - Table",
                      "Skyglass - Time Series", "Tagwright - Label"},
                     "GRAFEL - Table");
        ExpectFindHelper("Unable to start helper for \"TABLE\" type content.\nReason: File not found."
                         "\n\nThe name of the missing helper is: grafel.exe",
                         &folders);
        runner.ExpectBox(IDOK);
        DoubleClick(b, "T.lbl");
        EXPECT_EQ(Named(b, "GRAFEL - Table").m_strApplication, "D:\\Software\\grafel.exe");
    });
    EXPECT_EQ(LastBox(), "Once again unable to run the helper application.\nReason: Unable to start helper for "
                         "\"TABLE\" type content.\nReason: Access denied.");
}

TEST_F(OpenFlow, FoundSystemViewerProgramGoesIntoTheHelperListOnly)
{
    volume.write("NOTES.TXT", "x");
    const QString tool = CopyRecorder("BIN/textview");
    RecordFifo fifo(records.path());
    Run(
        [&](CBrowserDlg& b) {
            b.Session().m_systemViewerList.push_back(std::make_unique<CHelperEntry>(
                "text/plain", "/usr/nowhere/textview \"%1\"", "Text", ".txt", "System viewer for: .txt", ""));
            b.Session().m_helperList.push_back(std::make_unique<CHelperEntry>(".TXT", "old", ".txt", ".zzz", ".txt", ""));
            const QStringList folders{"Bin"};
            ExpectFindHelper("Unable to start helper for \".txt\" type content.\nReason: File not found."
                             "\n\nThe name of the missing helper is: textview",
                             &folders);
            DoubleClick(b, "Notes.txt");
            EXPECT_EQ(b.Session().m_systemViewerList.front()->m_strApplication, "/usr/nowhere/textview \"%1\"");
            EXPECT_EQ(b.Session().m_helperList.back()->m_strApplication, "D:\\Bin\\textview");
            const std::vector<Recording> got = fifo.Read();
            ASSERT_EQ(got.size(), 1u);
            EXPECT_EQ(got[0].argv, QStringList({tool, volume.file("NOTES.TXT")}));
        },
        "*");
}

// ---------------------------------------------------------------------------
// Programs, folders, labels without content type, nothing to act on.

TEST_F(OpenFlow, ProgramItemStartsDirectly)
{
    const QString viewer = CopyRecorder("RUN ME.EXE");
    CopyRecorder("BROKEN.EXE", false);
    RecordFifo fifo(records.path());
    Run(
        [&](CBrowserDlg& b) {
            const auto before = Snapshot(b.Session().m_helperList);
            DoubleClick(b, "Run me.exe");
            const std::vector<Recording> got = fifo.Read();
            ASSERT_EQ(got.size(), 1u);
            EXPECT_EQ(got[0].argv, QStringList({viewer}));
            runner.ExpectBox(IDOK);
            DoubleClick(b, "Broken.exe");
            EXPECT_EQ(Snapshot(b.Session().m_helperList), before);
        },
        "*");
    ASSERT_EQ(runner.Boxes().size(), 1u);
    EXPECT_EQ(runner.Boxes()[0].text, "Unable to run application.");
    EXPECT_EQ(runner.Boxes()[0].kind, (MessageBoxKind{MessageButtons::Ok, MessageIcon::None}));
}

TEST_F(OpenFlow, FolderItemMovesTheTree)
{
    volume.write("IMAGES/A.LBL", kImage);
    Run(
        [&](CBrowserDlg& b) {
            DoubleClick(b, "Images");
            CTreeCtrl* tree = b.m_treeFolders;
            EXPECT_EQ(tree->GetItemText(tree->GetSelectedItem()), "Images");
            EXPECT_EQ(b.m_strCurrentFolder, "D:/Images");
            EXPECT_EQ(QDir::current().canonicalPath(), QDir(volume.file("IMAGES")).canonicalPath());
            EXPECT_EQ(b.m_listFiles->GetItemText(0, 0), "A.lbl");
        },
        "*");
    EXPECT_TRUE(runner.Boxes().empty());
}

TEST_F(OpenFlow, FolderTheTreeDoesNotShowIsAnIrregularError)
{
    // A link to a folder is listed as a folder, but the tree never shows
    // links: the selected root has no children to move to.
    volume.write("ELSEWHERE.TXT", "x");
    TempDir target;
    ASSERT_EQ(::symlink(QFile::encodeName(target.path()).constData(),
                        QFile::encodeName(volume.file("LINKED")).constData()), 0);
    Run(
        [&](CBrowserDlg& b) {
            runner.ExpectBox(IDOK);
            DoubleClick(b, "Linked");
            CTreeCtrl* tree = b.m_treeFolders;
            EXPECT_EQ(tree->GetSelectedItem(), tree->GetRootItem());
        },
        "*");
    ASSERT_EQ(runner.Boxes().size(), 1u);
    EXPECT_EQ(runner.Boxes()[0].text, "Irregular error. Item has no children.");
}

TEST_F(OpenFlow, LabelWithoutContentType)
{
    volume.write("EMPTY.LBL", "PDS_VERSION_ID = PDS3\nEND\n");
    Run([&](CBrowserDlg& b) {
        runner.ExpectBox(IDOK);
        DoubleClick(b, "Empty.lbl");
    });
    ASSERT_EQ(runner.Boxes().size(), 1u);
    EXPECT_EQ(runner.Boxes()[0].text,
              "Unable to determine PDS content type\nfor file: D:/Empty.lbl\nFile may not be a PDS label.");
    EXPECT_EQ(runner.Boxes()[0].kind, (MessageBoxKind{MessageButtons::Ok, MessageIcon::None}));
}

TEST_F(OpenFlow, UnreadableLabelShowsTheReadersBoxFirst)
{
    ASSERT_EQ(::symlink("/nonexistent/gone.lbl", QFile::encodeName(volume.file("GONE.LBL")).constData()), 0);
    runner.ExpectBox(IDOK);  // while the list fills
    Run([&](CBrowserDlg& b) {
        runner.ExpectBox(IDOK);
        runner.ExpectBox(IDOK);
        DoubleClick(b, "Gone.lbl");
    });
    ASSERT_EQ(runner.Boxes().size(), 3u);
    EXPECT_EQ(runner.Boxes()[1].text, "Unable to open file: D:/Gone.lbl");
    EXPECT_EQ(runner.Boxes()[2].text,
              "Unable to determine PDS content type\nfor file: D:/Gone.lbl\nFile may not be a PDS label.");
}

TEST_F(OpenFlow, NothingToActOnDoesNothing)
{
    volume.write("T.LBL", kTable);
    Run([&](CBrowserDlg& b) {
        // No item has changed yet.
        ASSERT_EQ(b.m_nChangedItem, -1);
        emit b.m_listFiles->dblClk();
        // An index the list does not have.
        b.m_nChangedItem = 7;
        b.OnDblclkFileList();
    });
    EXPECT_TRUE(runner.Boxes().empty());
    EXPECT_EQ(runner.DialogCount(), 1);
}

// ---------------------------------------------------------------------------
// The helper file the program comes with.

// Copies a folder's files and folders, recursively, into target.
void CopyFolder(const QString& source, const QString& target)
{
    QDir().mkpath(target);
    const QDir from(source);
    for (const QFileInfo& entry : from.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString to = QDir(target).filePath(entry.fileName());
        if (entry.isDir())
            CopyFolder(entry.filePath(), to);
        else
            QFile::copy(entry.filePath(), to);
    }
}

TEST_F(OpenFlow, ShippedHelperFileOpensSampleProductsInTheViewer)
{
    // The sample volume, and the vellor.ini that lies beside the built
    // program, naming the built product viewer, with the recorder in its
    // place. Text files still go to xdg-open.
    CopyFolder(QStringLiteral(VELLORA_SOURCE_DIR "/sample/volume"), volume.path());
    QFile shipped(QFileInfo(QStringLiteral(VELLORA_PROGRAM)).dir().filePath("vellor.ini"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    QByteArray helpers = shipped.readAll();
    const QByteArray viewer = QFile::encodeName(QStringLiteral(VELLORA_VIEWER));
    ASSERT_TRUE(helpers.contains("Content Type=*\nApplication=" + viewer + "\n"));
    ASSERT_TRUE(helpers.contains("Application=/usr/bin/xdg-open\nDescription=Open a text file in the desktop's "
                                 "text viewer.\nExtension=.TXT\n"));
    helpers.replace(viewer, QFile::encodeName(Recorder()));
    programDir.write("vellor.ini", helpers);

    RecordFifo fifo(records.path());
    Run([&](CBrowserDlg& b) {
        SelectFolder(b, {"Data", "Images"});
        DoubleClick(b, "Img0001.lbl");
        std::vector<Recording> got = fifo.Read();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].argv, QStringList({Recorder(), volume.file("DATA/IMAGES/IMG0001.LBL")}));
        // The data file beside it goes to the viewer by its extension.
        DoubleClick(b, "Img0001.img");
        got = fifo.Read();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].argv, QStringList({Recorder(), volume.file("DATA/IMAGES/IMG0001.IMG")}));
    }, QStringLiteral("*.*"));
    EXPECT_TRUE(runner.Boxes().empty());
    EXPECT_EQ(runner.DialogCount(), 1);  // no choice: one helper for each
}

TEST_F(OpenFlow, ANameWithABackslashListsAndOpens)
{
    const QString label = volume.write("DATA/A\\B.LBL", kTable);
    RecordFifo fifo(records.path());
    Run([&](CBrowserDlg& b) {
        SelectFolder(b, {"Data"});
        b.Session().m_helperList.clear();
        b.Session().m_helperList.push_back(std::make_unique<CHelperEntry>("TABLE", Recorder(), "d", "", "T", ""));
        DoubleClick(b, "A\\b.lbl");
        const std::vector<Recording> got = fifo.Read();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].argv, QStringList({Recorder(), label}));
    });
    EXPECT_TRUE(runner.Boxes().empty());
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
        for (const Recording& record : fifo->ReadWritten())
            ran << record.argv.join(u' ');
        ran.sort();
        return ran;
    }
    void SetUp() override
    {
        OpenFlow::SetUp();
        fifo = std::make_unique<RecordFifo>(records.path());
    }
    std::unique_ptr<RecordFifo> fifo;
};

TEST_F(HostileVolume, HelperFileProgramsComeFromTheHost)
{
    volume.write("DATA/T.LBL", kTable);
    volume.write("DATA/NOTES.TXT", "x");
    const QString mirror = MirrorOnVolume(Recorder());
    const QString backslashed = QString(Recorder()).replace(u'/', u'\\');
    programDir.write("vellor.ini", QFile::encodeName("[Label]\nContent Type=*\nApplication=" + Recorder() +
                                                     "\n[Text]\nApplication=" + backslashed + "\nExtension=.TXT\n"));
    Run(
        [&](CBrowserDlg& b) {
            SelectFolder(b, {"Data"});
            DoubleClick(b, "T.lbl");
            DoubleClick(b, "Notes.txt");
        },
        "*");
    EXPECT_EQ(Ran(), QStringList({Recorder() + ' ' + volume.file("DATA/NOTES.TXT"),
                                  Recorder() + ' ' + volume.file("DATA/T.LBL")}))
        << "never " << mirror.toStdString();
    EXPECT_TRUE(runner.Boxes().empty());
}

TEST_F(HostileVolume, AFolderWhereTheHostProgramIsNamedDoesNotStopIt)
{
    volume.write("T.LBL", kTable);
    volume.mkdir(Recorder().mid(1).toUpper());
    programDir.write("vellor.ini", QFile::encodeName("[Label]\nContent Type=*\nApplication=" + Recorder() + "\n"));
    Run([&](CBrowserDlg& b) { DoubleClick(b, "T.lbl"); });
    EXPECT_EQ(Ran(), QStringList({Recorder() + ' ' + volume.file("T.LBL")}));
}

TEST_F(HostileVolume, BuiltInHelpersRunFromTheProgramFolder)
{
    volume.write("T.LBL", kTable);
    const QString grafel = programDir.file("grafel.exe");
    ASSERT_TRUE(QFile::copy(Recorder(), grafel));
    ::chmod(QFile::encodeName(grafel).constData(), 0755);
    MirrorOnVolume(grafel);
    Run([&](CBrowserDlg& b) {
        ExpectChoice({"GRAFEL - Table", "Plainsight - Label", "Skyglass - Image", "SKYGLASS - Table",
                      "Skyglass - Time Series", "Tagwright - Label"},
                     "GRAFEL - Table");
        DoubleClick(b, "T.lbl");
    });
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
    Run(
        [&](CBrowserDlg& b) {
            SelectFolder(b, {"Data"});
            // Not found, which offers the search as for any missing program.
            ExpectFindHelper("Unable to start helper for \".tab\" type content.\nReason: File not found."
                             "\n\nThe name of the missing helper is: xdg-open",
                             nullptr);
            DoubleClick(b, "T.tab");
            ExpectFindHelper("Unable to start helper for \".dat\" type content.\nReason: File not found."
                             "\n\nThe name of the missing helper is: viewer",
                             nullptr);
            DoubleClick(b, "X.dat");
        },
        "*");
    EXPECT_EQ(Ran(), QStringList());
    EXPECT_TRUE(runner.Boxes().empty());
}

TEST_F(HostileVolume, AProgramOnTheVolumeRunsWhenItsDriveIsNamed)
{
    volume.write("T.LBL", kTable);
    const QString tool = CopyRecorder("SOFTWARE/TOOL");
    programDir.write("vellor.ini", "[Label]\nContent Type=*\nApplication=D:\\SOFTWARE\\TOOL\n");
    Run([&](CBrowserDlg& b) { DoubleClick(b, "T.lbl"); });
    EXPECT_EQ(Ran(), QStringList({tool + ' ' + volume.file("T.LBL")}));
}

}  // namespace
