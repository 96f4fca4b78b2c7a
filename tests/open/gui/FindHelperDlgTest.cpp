// The Find Helper dialog: the message, the drives that can be made current
// in letter order with the current one selected, folders read on first
// expansion, display names and paths, and the item paths freed at the end.

#include "open/gui/CFindHelperDlg.h"
#include "open/gui/RecordingProgress.h"
#include "platform/WinTypes.h"
#include "platform/gui/CTreeCtrl.h"
#include "res/gui/FindHelperTemplate.h"
#include "support/QtPrinters.h"
#include "support/ScopedDrives.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"
#include "support/TreeRecords.h"
#include "volume/CFileItem.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include <functional>
#include <unistd.h>

namespace {

// The dialog with its drive-test progress window watched.
class WatchedFindHelperDlg : public CFindHelperDlg {
public:
    QStringList texts;
    int steps = 0;
    bool disabledAtEveryStep = true;

protected:
    std::unique_ptr<CProgressDlg> MakeProgressDialog() override
    {
        auto progress = std::make_unique<RecordingProgress>();
        progress->onText = [this](const QString& text) { texts << text; };
        progress->onStep = [this] {
            ++steps;
            disabledAtEveryStep = disabledAtEveryStep && !isEnabled();
        };
        return progress;
    }
};

class FindHelper : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedCwd = QDir::currentPath();
        drives.Clear();
        drives.SetDrive(3, driveC.path());
        drives.SetDrive(4, driveD.path());
        drives.SetDrive(7, driveD.path() + "/no-such-folder");  // G: cannot be made current
        drives.SetDrive(26, driveZ.path());
        driveD.mkdir("WORK/HERE");
        QDir::setCurrent(driveD.file("WORK/HERE"));
    }
    void TearDown() override { QDir::setCurrent(m_savedCwd); }

    int Run(WatchedFindHelperDlg& dialog, const std::function<int(WatchedFindHelperDlg&)>& act)
    {
        runner.ExpectDialog([&dialog, act](CDialog& shown) {
            EXPECT_EQ(&shown, &dialog);
            return act(dialog);
        });
        return dialog.DoModal();
    }
    static QStringList Children(CTreeCtrl* tree, QTreeWidgetItem* item)
    {
        QStringList names;
        for (HTREEITEM child = tree->GetChildItem(item); child; child = tree->GetNextSiblingItem(child))
            names << tree->GetItemText(child);
        return names;
    }
    static QString PathOf(CTreeCtrl* tree, QTreeWidgetItem* item)
    {
        const auto* record = static_cast<const CFileItem*>(tree->GetItemData(item));
        return record ? record->m_strPath : QString("(null)");
    }
    static QTreeWidgetItem* Child(QTreeWidgetItem* item, const QString& text)
    {
        for (int i = 0; item && i < item->childCount(); ++i) {
            if (item->child(i)->text(0) == text)
                return item->child(i);
        }
        return nullptr;
    }

    ScopedDrives drives;
    TempDir driveC;
    TempDir driveD;
    TempDir driveZ;
    ScriptedRunner runner;
    QString m_savedCwd;
};

TEST_F(FindHelper, TemplateAndMessage)
{
    WatchedFindHelperDlg dialog;
    EXPECT_TRUE(dialog.m_strStartPath.isEmpty());
    EXPECT_TRUE(dialog.m_strMessage.isEmpty());
    dialog.m_strMessage = "Unable to start helper for \"TABLE\" type content.\nReason: File not found."
                          "\n\nThe name of the missing helper is: grafel.exe";
    Run(dialog, [](WatchedFindHelperDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "Find Helper");
        EXPECT_EQ(dlg.Template().id, 163u);
        EXPECT_EQ(dlg.GetDlgItemText(1049), dlg.m_strMessage);
        bool guidance = false;
        for (QLabel* label : dlg.findChildren<QLabel*>())
            guidance = guidance ||
                       label->text() ==
                           "Please select a starting point to search for the missing application. If you using "
                           "Vellora from a CD-ROM helper applications are typically in the \"SOFTWARE\" directory. "
                           "You may want to start the search there to reduce the search area.";
        EXPECT_TRUE(guidance);
        EXPECT_EQ(dlg.m_tree, dlg.GetDlgItem(1050));
        auto* search = dlg.GetDlgItemAs<QPushButton>(IDOK);
        auto* cancel = dlg.GetDlgItemAs<QPushButton>(IDCANCEL);
        EXPECT_TRUE(search && search->text() == "Search" && search->isDefault());
        EXPECT_TRUE(cancel && cancel->text() == "Cancel");
        EXPECT_TRUE(dlg.isEnabled());
        return IDCANCEL;
    });
}

TEST_F(FindHelper, DrivesInLetterOrderWithTheCurrentOneSelected)
{
    WatchedFindHelperDlg dialog;
    const int result = Run(dialog, [&](WatchedFindHelperDlg& dlg) {
        CTreeCtrl* tree = dlg.m_tree;
        EXPECT_EQ(Children(tree, nullptr), QStringList({"C:", "D:", "Z:"}));
        for (HTREEITEM drive = tree->GetRootItem(); drive; drive = tree->GetNextSiblingItem(drive)) {
            EXPECT_EQ(PathOf(tree, drive), tree->GetItemText(drive));
            // One placeholder: an empty item without data shows the expander.
            EXPECT_EQ(Children(tree, drive), QStringList({""}));
            EXPECT_EQ(tree->GetItemData(tree->GetChildItem(drive)), nullptr);
        }
        EXPECT_EQ(tree->GetItemText(tree->GetSelectedItem()), "D:");
        EXPECT_EQ(dlg.m_strStartPath, "D:");
        EXPECT_EQ(TreeRecords(dlg.m_tree), 3);
        dlg.GetDlgItemAs<QPushButton>(IDOK)->click();
        return dlg.GetModalResult();
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_strStartPath, "D:");
    // One step per drive made current, with its text after the first one.
    EXPECT_EQ(dialog.texts, QStringList({"Helper application not found. Preparing dialog.\nScanning system for drives.",
                                         "Testing for drive C:", "Testing for drive D:", "Testing for drive Z:"}));
    EXPECT_EQ(dialog.steps, 3);
    EXPECT_TRUE(dialog.disabledAtEveryStep);
    // The current drive and folder are as before.
    EXPECT_EQ(QDir::currentPath(), driveD.file("WORK/HERE"));
    EXPECT_EQ(drives.GetDrive(), 4);
}

TEST_F(FindHelper, FoldersAreReadOnFirstExpansionOnly)
{
    driveC.mkdir("SOFTWARE/BIN");
    driveC.mkdir("data");
    driveC.mkdir("Zeta/Deeper");
    driveC.mkdir(".hidden");
    driveC.write("file.exe", "x");
    driveC.mkdir("target");
    ASSERT_EQ(::symlink(QFile::encodeName(driveC.file("target")).constData(),
                        QFile::encodeName(driveC.file("linked")).constData()), 0);
    ASSERT_EQ(::symlink(QFile::encodeName(driveC.path()).constData(),
                        QFile::encodeName(driveC.file("target/loop")).constData()), 0);

    WatchedFindHelperDlg dialog;
    Run(dialog, [&](WatchedFindHelperDlg& dlg) {
        CTreeCtrl* tree = dlg.m_tree;
        HTREEITEM c = tree->GetRootItem();
        c->setExpanded(true);  // as the user opens it
        EXPECT_EQ(Children(tree, c), QStringList({"data", "Software", "target", "Zeta"}));
        EXPECT_EQ(PathOf(tree, Child(c, "Software")), "C:/Software");
        EXPECT_EQ(PathOf(tree, Child(c, "data")), "C:/data");
        EXPECT_EQ(Children(tree, Child(c, "Software")), QStringList({""}));

        HTREEITEM software = Child(c, "Software");
        tree->Expand(software);
        EXPECT_EQ(Children(tree, software), QStringList({"Bin"}));
        EXPECT_EQ(PathOf(tree, Child(software, "Bin")), "C:/Software/Bin");

        // A folder without subfolders loses its expander; a link to a folder
        // never appears, so no loop can be followed.
        HTREEITEM target = Child(c, "target");
        target->setExpanded(true);
        EXPECT_FALSE(tree->ItemHasChildren(target));
        EXPECT_EQ(target->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless);

        // Collapsing and expanding again does not read the folder again.
        driveC.mkdir("SOFTWARE/LATER");
        software->setExpanded(false);
        software->setExpanded(true);
        EXPECT_EQ(Children(tree, software), QStringList({"Bin"}));

        // Selecting a folder makes it the start of the search.
        tree->SelectItem(Child(software, "Bin"));
        EXPECT_EQ(dlg.m_strStartPath, "C:/Software/Bin");
        EXPECT_EQ(TreeRecords(dlg.m_tree), 3 + 4 + 1);
        dlg.GetDlgItemAs<QPushButton>(IDOK)->click();
        return dlg.GetModalResult();
    });
    EXPECT_EQ(dialog.m_strStartPath, "C:/Software/Bin");
}

TEST_F(FindHelper, FolderThatCannotBeListedShowsNoChildren)
{
    // A drive whose folder goes away after the dialog has started.
    TempDir gone;
    const QString folder = gone.mkdir("drive");
    drives.SetDrive(5, folder);
    WatchedFindHelperDlg dialog;
    Run(dialog, [&](WatchedFindHelperDlg& dlg) {
        CTreeCtrl* tree = dlg.m_tree;
        EXPECT_EQ(Children(tree, nullptr), QStringList({"C:", "D:", "E:", "Z:"}));
        EXPECT_TRUE(QDir(folder).removeRecursively());
        HTREEITEM e = Child(tree->invisibleRootItem(), "E:");
        e->setExpanded(true);
        EXPECT_FALSE(tree->ItemHasChildren(e));
        return IDCANCEL;
    });
    EXPECT_EQ(QDir::currentPath(), driveD.file("WORK/HERE"));
}

TEST_F(FindHelper, CurrentFolderOutsideEveryDriveSelectsNothing)
{
    TempDir outside;
    QDir::setCurrent(outside.path());
    WatchedFindHelperDlg dialog;
    Run(dialog, [&](WatchedFindHelperDlg& dlg) {
        EXPECT_EQ(dlg.m_tree->topLevelItemCount(), 3);
        EXPECT_EQ(dlg.m_tree->GetSelectedItem(), nullptr);
        EXPECT_TRUE(dlg.m_strStartPath.isEmpty());
        dlg.GetDlgItemAs<QPushButton>(IDOK)->click();
        return dlg.GetModalResult();
    });
    EXPECT_TRUE(dialog.m_strStartPath.isEmpty());
    // Testing the drives does not leave the program on one of them.
    EXPECT_EQ(QDir::currentPath(), outside.path());
}

TEST_F(FindHelper, RunsAgainWithAFreshTree)
{
    WatchedFindHelperDlg dialog;
    for (int run = 0; run < 2; ++run) {
        Run(dialog, [&](WatchedFindHelperDlg& dlg) {
            EXPECT_EQ(dlg.m_tree->topLevelItemCount(), 3);
            EXPECT_EQ(TreeRecords(dlg.m_tree), 3);
            return IDCANCEL;
        });
    }
}

TEST_F(FindHelper, FreeItemDataReleasesSiblingsAndDescendants)
{
    driveC.mkdir("A/B");
    WatchedFindHelperDlg dialog;
    Run(dialog, [&](WatchedFindHelperDlg& dlg) {
        CTreeCtrl* tree = dlg.m_tree;
        HTREEITEM c = tree->GetRootItem();
        c->setExpanded(true);
        Child(c, "A")->setExpanded(true);
        EXPECT_EQ(TreeRecords(dlg.m_tree), 5);
        // From D: on: D: and Z: only.
        dlg.FreeItemData(tree->GetNextSiblingItem(c));
        EXPECT_EQ(TreeRecords(dlg.m_tree), 3);
        EXPECT_EQ(tree->GetItemData(tree->GetNextSiblingItem(c)), nullptr);
        dlg.FreeItemData(nullptr);
        EXPECT_EQ(TreeRecords(dlg.m_tree), 3);
        dlg.FreeItemData(c);
        EXPECT_EQ(TreeRecords(dlg.m_tree), 0);
        return IDCANCEL;
    });
}

}  // namespace
