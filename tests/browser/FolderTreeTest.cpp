// The folder tree: the root and its folders, lazy reading of each level,
// selection and expansion, the up button, stepping into a listed folder,
// and the records of the tree's items.

#include "VolumeFixture.h"

#include "app/gui/CProgressDlg.h"
#include "platform/DriveTable.h"
#include "platform/WinTypes.h"
#include "res/gui/ProgressTemplate.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QTest>

#include <fcntl.h>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Watches the progress windows the tree opens while it reads folders.
class ProgressWatcher : public QObject {
public:
    explicit ProgressWatcher(QWidget* owner) : m_owner(owner) { qApp->installEventFilter(this); }
    ~ProgressWatcher() override { qApp->removeEventFilter(this); }

    int shown = 0;
    int ownerDisabledWhileShown = 0;
    QStringList texts;
    QStringList captions;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* progress = qobject_cast<CProgressDlg*>(watched);
        if (progress && event->type() == QEvent::Show) {
            ++shown;
            if (m_owner && !m_owner->isEnabled())
                ++ownerDisabledWhileShown;
        } else if (progress && event->type() == QEvent::Hide && progress->IsWindowCreated()) {
            texts << progress->GetDlgItemText(res::IDC_PROGRESS_TEXT);
            captions << progress->windowTitle();
        }
        return false;
    }

private:
    QPointer<QWidget> m_owner;
};

class FolderTree : public VolumeFixture {};

TEST_F(FolderTree, TheRootHoldsThePlainFoldersInOrder)
{
    volume.mkdir("DOCUMENT");
    volume.mkdir("CATALOG");
    volume.mkdir("DATA/IMAGES");
    volume.mkdir(".HIDDEN");
    volume.write("AAREADME.TXT", "volume\n");
    TempDir elsewhere;
    // A link to a folder is not a plain folder: it is never shown.
    ASSERT_TRUE(QFile::link(elsewhere.path(), volume.file("EXTRAS")));
    Run([&](CBrowserDlg& b) {
        CTreeCtrl* tree = b.m_treeFolders;
        HTREEITEM root = tree->GetRootItem();
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(tree->topLevelItemCount(), 1);
        EXPECT_EQ(tree->GetItemText(root), "D:");
        const CFileItem* rootRecord = Record(tree, root);
        ASSERT_NE(rootRecord, nullptr);
        EXPECT_EQ(rootRecord->m_strName, "");
        EXPECT_EQ(rootRecord->m_strPath, "D:");
        EXPECT_EQ(rootRecord->m_nType, 1);
        EXPECT_EQ(tree->GetSelectedItem(), root);
        EXPECT_TRUE(root->isExpanded());

        EXPECT_EQ(Children(tree, root), (QStringList{"Catalog", "Data", "Document"}));
        for (HTREEITEM child = tree->GetChildItem(root); child; child = tree->GetNextSiblingItem(child)) {
            const CFileItem* record = Record(tree, child);
            ASSERT_NE(record, nullptr);
            EXPECT_EQ(record->m_strName, tree->GetItemText(child));
            EXPECT_EQ(record->m_strPath, "D:/" + tree->GetItemText(child));
            EXPECT_EQ(record->m_nType, 1);
            // Not read yet: one placeholder without a record, so each shows
            // its expand button.
            ASSERT_EQ(child->childCount(), 1);
            EXPECT_EQ(tree->GetItemText(child->child(0)), "");
            EXPECT_EQ(tree->GetItemData(child->child(0)), nullptr);
            EXPECT_TRUE(tree->ItemHasChildren(child));
        }
        // Root plus three folders.
        EXPECT_EQ(TreeRecords(tree), 4);
        EXPECT_EQ(b.m_strCurrentFolder, "D:");
        EXPECT_EQ(b.m_staticStatus->text(), "D:");
        EXPECT_EQ(Cwd(), Host("."));
    });
}

TEST_F(FolderTree, DisplayNamesAndTheChildSortIgnoreCase)
{
    for (const char* name : {"beta", "ALPHA", "cAtAlOg", "Delta", "_under", "9lives"})
        volume.mkdir(name);
    Run([&](CBrowserDlg& b) {
        EXPECT_EQ(Children(b.m_treeFolders, b.m_treeFolders->GetRootItem()),
                  (QStringList{"9lives", "_under", "Alpha", "beta", "catalog", "Delta"}));
    });
}

TEST_F(FolderTree, ExpandingAFolderReadsItOnceBehindTheProgressWindow)
{
    volume.mkdir("DATA/IMAGES/RAW");
    volume.mkdir("DATA/TABLES");
    volume.mkdir("DATA/.SVN");
    volume.write("DATA/IMG001.LBL", "OBJECT = IMAGE\n");
    Run([&](CBrowserDlg& b) {
        CTreeCtrl* tree = b.m_treeFolders;
        HTREEITEM data = Child(tree, tree->GetRootItem(), "Data");
        ASSERT_NE(data, nullptr);
        ProgressWatcher watcher(&b);
        tree->Expand(data);
        EXPECT_EQ(watcher.shown, 1);
        EXPECT_EQ(watcher.ownerDisabledWhileShown, 1);
        EXPECT_EQ(watcher.texts, QStringList{"Scanning system for drives."});
        EXPECT_EQ(watcher.captions, QStringList{"Scanning system"});
        EXPECT_TRUE(b.isEnabled());

        EXPECT_EQ(Children(tree, data), (QStringList{"Images", "Tables"}));
        HTREEITEM images = Child(tree, data, "Images");
        ASSERT_NE(images, nullptr);
        EXPECT_EQ(Record(tree, images)->m_strPath, "D:/Data/Images");
        EXPECT_EQ(Record(tree, Child(tree, data, "Tables"))->m_strPath, "D:/Data/Tables");
        EXPECT_TRUE(tree->ItemHasChildren(images));

        // Read once: expanding and collapsing again reads nothing.
        data->setExpanded(false);
        tree->Expand(data);
        EXPECT_EQ(watcher.shown, 1);
        EXPECT_EQ(Children(tree, data), (QStringList{"Images", "Tables"}));
    });
}

TEST_F(FolderTree, KeypadStarReadsAndOpensEverythingBelowBehindOneProgressWindow)
{
    volume.mkdir("DATA/IMAGES/RAW/DEEP");
    volume.mkdir("DATA/IMAGES/CAL");
    volume.mkdir("DATA/TABLES");
    volume.mkdir("INDEX/SUB");
    Run([&](CBrowserDlg& b) {
        CTreeCtrl* tree = b.m_treeFolders;
        HTREEITEM data = Child(tree, tree->GetRootItem(), "Data");
        ASSERT_NE(data, nullptr);
        tree->setCurrentItem(data);
        ProgressWatcher watcher(&b);
        QTest::keyClick(tree, Qt::Key_Asterisk, Qt::KeypadModifier);
        EXPECT_EQ(watcher.shown, 1);
        EXPECT_EQ(watcher.ownerDisabledWhileShown, 1);
        EXPECT_TRUE(b.isEnabled());
        EXPECT_EQ(b.m_strCurrentFolder, "D:/Data");

        // Every folder below is read and open; the empty ones have lost
        // their placeholders, so nothing is left to read.
        EXPECT_TRUE(data->isExpanded());
        HTREEITEM images = Child(tree, data, "Images");
        ASSERT_NE(images, nullptr);
        EXPECT_TRUE(images->isExpanded());
        EXPECT_EQ(Children(tree, images), (QStringList{"Cal", "Raw"}));
        HTREEITEM raw = Child(tree, images, "Raw");
        ASSERT_NE(raw, nullptr);
        EXPECT_TRUE(raw->isExpanded());
        HTREEITEM deep = Child(tree, raw, "Deep");
        ASSERT_NE(deep, nullptr);
        EXPECT_EQ(deep->childCount(), 0);
        EXPECT_EQ(Child(tree, images, "Cal")->childCount(), 0);
        EXPECT_EQ(Child(tree, data, "Tables")->childCount(), 0);
        EXPECT_EQ(Record(tree, deep)->m_strPath, "D:/Data/Images/Raw/Deep");
        // A folder beside it is left as it was: unread and closed.
        HTREEITEM index = Child(tree, tree->GetRootItem(), "Index");
        EXPECT_FALSE(index->isExpanded());
        EXPECT_EQ(Children(tree, index), QStringList{""});
        // Opening an item afterwards reads nothing again.
        images->setExpanded(false);
        tree->Expand(images);
        EXPECT_EQ(watcher.shown, 1);
    });
}

TEST_F(FolderTree, AFolderBeyondThePathLimitSaysSoInTheStatusLine)
{
    // Folders of 200-character names: the path limit of 4096 bytes falls
    // about twenty levels down.
    // Written folder by folder from open folders, as no path may be longer.
    const std::string name(200, 'n');
    int fd = ::open(QFile::encodeName(volume.mkdir("DEEP")).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int level = 0; level < 30 && fd >= 0; ++level) {
        ASSERT_EQ(::mkdirat(fd, name.c_str(), 0755), 0);
        const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = next;
    }
    ASSERT_GE(fd, 0);
    ::close(fd);
    Run([&](CBrowserDlg& b) {
        CTreeCtrl* tree = b.m_treeFolders;
        HTREEITEM deep = Child(tree, tree->GetRootItem(), "Deep");
        ASSERT_NE(deep, nullptr);
        tree->setCurrentItem(deep);
        QTest::keyClick(tree, Qt::Key_Asterisk, Qt::KeypadModifier);
        int levels = 0;
        for (HTREEITEM item = deep; item->childCount() > 0; item = item->child(0))
            ++levels;
        EXPECT_GT(levels, 10);
        EXPECT_LT(levels, 30);
        EXPECT_EQ(b.m_staticStatus->text(),
                  "A folder lies deeper than the longest path the system allows: its subfolders are not shown.");
    });
    // Taken down from the inside, as the temporary folder's own removal
    // cannot reach below the limit either.
    std::vector<int> levels{::open(QFile::encodeName(volume.file("DEEP")).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    for (int level = 0; level < 29 && levels.back() >= 0; ++level)
        levels.push_back(::openat(levels.back(), name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (auto it = levels.rbegin(); it != levels.rend(); ++it) {
        if (*it >= 0) {
            ::unlinkat(*it, name.c_str(), AT_REMOVEDIR);
            ::close(*it);
        }
    }
}

TEST_F(FolderTree, AFolderWithoutSubfoldersLosesItsExpandButton)
{
    volume.mkdir("CATALOG");
    volume.write("CATALOG/DATASET.CAT", "x");
    volume.mkdir("INDEX");
    Run([&](CBrowserDlg& b) {
        CTreeCtrl* tree = b.m_treeFolders;
        HTREEITEM catalog = Child(tree, tree->GetRootItem(), "Catalog");
        HTREEITEM index = Child(tree, tree->GetRootItem(), "Index");
        ASSERT_TRUE(catalog && index);
        EXPECT_TRUE(tree->ItemHasChildren(catalog));
        tree->SelectItem(catalog);
        EXPECT_FALSE(tree->ItemHasChildren(catalog));
        EXPECT_EQ(catalog->childCount(), 0);
        // The user opening it with the mouse does the same.
        index->setExpanded(true);
        EXPECT_FALSE(tree->ItemHasChildren(index));
        EXPECT_EQ(TreeRecords(tree), 3);
    });
}

TEST_F(FolderTree, SelectingAFolderMakesItCurrentAndListsIt)
{
    volume.write("DATA/IMAGES/IMG001.LBL", "OBJECT = IMAGE\n");
    volume.write("DATA/TABLE.LBL", "OBJECT = TABLE\n");
    Run([&](CBrowserDlg& b) {
        CTreeCtrl* tree = b.m_treeFolders;
        HTREEITEM data = Child(tree, tree->GetRootItem(), "Data");
        ASSERT_NE(data, nullptr);
        tree->SelectItem(data);
        EXPECT_EQ(b.m_strCurrentFolder, "D:/Data");
        EXPECT_EQ(b.m_staticStatus->text(), "D:/Data");
        EXPECT_EQ(Cwd(), Host("DATA"));
        EXPECT_EQ(Column(b.m_listFiles, 0), QStringList{"Table.lbl"});
        // Selecting reads the folder's subfolders without opening it.
        EXPECT_EQ(Children(tree, data), QStringList{"Images"});
        EXPECT_FALSE(data->isExpanded());

        HTREEITEM images = Child(tree, data, "Images");
        tree->SelectItem(images);
        EXPECT_EQ(b.m_strCurrentFolder, "D:/Data/Images");
        EXPECT_EQ(Cwd(), Host("DATA/IMAGES"));
        EXPECT_EQ(Column(b.m_listFiles, 0), QStringList{"Img001.lbl"});
        EXPECT_EQ(Record(b, 0)->m_strPath, "D:/Data/Images/Img001.lbl");
    });
}

TEST_F(FolderTree, ExpandingWithoutSelectingMovesOnlyTheCurrentFolder)
{
    volume.mkdir("DATA/IMAGES");
    volume.write("ROOT.LBL", "OBJECT = TABLE\n");
    volume.write("DATA/IMG.LBL", "OBJECT = IMAGE\n");
    Run([&](CBrowserDlg& b) {
        CTreeCtrl* tree = b.m_treeFolders;
        HTREEITEM data = Child(tree, tree->GetRootItem(), "Data");
        tree->Expand(data);
        EXPECT_EQ(b.m_strCurrentFolder, "D:/Data");
        EXPECT_EQ(Cwd(), Host("."));
        EXPECT_EQ(Column(b.m_listFiles, 0), QStringList{"Root.lbl"});
        EXPECT_EQ(b.m_staticStatus->text(), "D:");
        EXPECT_EQ(tree->GetSelectedItem(), tree->GetRootItem());
        // Closing it again does the same.
        b.m_strCurrentFolder = "D:";
        data->setExpanded(false);
        EXPECT_EQ(b.m_strCurrentFolder, "D:/Data");
    });
}

TEST_F(FolderTree, TheUpButtonGoesToTheParentFolder)
{
    volume.write("DATA/IMAGES/IMG001.LBL", "OBJECT = IMAGE\n");
    volume.write("DATA/TABLE.LBL", "OBJECT = TABLE\n");
    Run([&](CBrowserDlg& b) {
        CTreeCtrl* tree = b.m_treeFolders;
        HTREEITEM root = tree->GetRootItem();
        // At the root: nothing happens.
        b.m_btnUpDir->click();
        EXPECT_EQ(tree->GetSelectedItem(), root);
        EXPECT_EQ(b.m_strCurrentFolder, "D:");

        HTREEITEM data = Child(tree, root, "Data");
        tree->SelectItem(data);
        HTREEITEM images = Child(tree, data, "Images");
        tree->SelectItem(images);
        EXPECT_EQ(Column(b.m_listFiles, 0), QStringList{"Img001.lbl"});
        b.m_btnUpDir->click();
        EXPECT_EQ(tree->GetSelectedItem(), data);
        EXPECT_EQ(b.m_strCurrentFolder, "D:/Data");
        EXPECT_EQ(Cwd(), Host("DATA"));
        EXPECT_EQ(Column(b.m_listFiles, 0), QStringList{"Table.lbl"});
        b.m_btnUpDir->click();
        EXPECT_EQ(tree->GetSelectedItem(), root);
        EXPECT_EQ(b.m_strCurrentFolder, "D:");
        EXPECT_EQ(Cwd(), Host("."));

        // With nothing selected, nothing happens either.
        tree->setCurrentItem(nullptr);
        b.OnUpDir();
        EXPECT_EQ(b.m_strCurrentFolder, "D:");
    });
}

TEST_F(FolderTree, OpenSubfolderSelectsTheChildOfTheSameName)
{
    volume.mkdir("DATA/IMAGES");
    volume.write("DATA/IMAGES/IMG001.LBL", "OBJECT = IMAGE\n");
    TempDir elsewhere;
    ASSERT_TRUE(QFile::link(elsewhere.path(), volume.file("DATA/LINKED")));
    Run([&](CBrowserDlg& b) {
        CTreeCtrl* tree = b.m_treeFolders;
        HTREEITEM root = tree->GetRootItem();
        HTREEITEM data = Child(tree, root, "Data");
        // The names are compared exactly: another case finds nothing.
        b.OpenSubfolder(CFileItem("data", "D:/data", 1));
        EXPECT_EQ(tree->GetSelectedItem(), root);
        b.OpenSubfolder(CFileItem("Data", "D:/Data", 1));
        EXPECT_EQ(tree->GetSelectedItem(), data);
        EXPECT_EQ(b.m_strCurrentFolder, "D:/Data");
        EXPECT_EQ(Children(tree, data), QStringList{"Images"});

        // A listed link to a folder has no tree item: nothing happens.
        b.OpenSubfolder(CFileItem("Linked", "D:/Data/Linked", 1));
        EXPECT_EQ(tree->GetSelectedItem(), data);

        b.OpenSubfolder(CFileItem("Images", "D:/Data/Images", 1));
        HTREEITEM images = Child(tree, data, "Images");
        EXPECT_EQ(tree->GetSelectedItem(), images);
        EXPECT_EQ(Column(b.m_listFiles, 0), QStringList{"Img001.lbl"});

        // Images has no subfolders: the user is told, nothing changes.
        runner.ExpectBox(IDOK);
        b.OpenSubfolder(CFileItem("Raw", "D:/Data/Images/Raw", 1));
        ASSERT_EQ(runner.Boxes().size(), 1u);
        EXPECT_EQ(runner.Boxes()[0].text, "Irregular error. Item has no children.");
        EXPECT_EQ(runner.Boxes()[0].caption, "Vellora");
        EXPECT_EQ(runner.Boxes()[0].kind, (MessageBoxKind{MessageButtons::Ok, MessageIcon::Exclamation}));
        EXPECT_EQ(tree->GetSelectedItem(), images);
        EXPECT_EQ(b.m_strCurrentFolder, "D:/Data/Images");
    });
}

TEST_F(FolderTree, AFolderThatVanishedShowsNoChildrenAndAnEmptyList)
{
    volume.write("DATA/IMAGES/IMG001.LBL", "OBJECT = IMAGE\n");
    volume.write("DATA/TABLE.LBL", "OBJECT = TABLE\n");
    Run([&](CBrowserDlg& b) {
        CTreeCtrl* tree = b.m_treeFolders;
        HTREEITEM data = Child(tree, tree->GetRootItem(), "Data");
        ASSERT_TRUE(QDir(volume.file("DATA")).removeRecursively());
        tree->SelectItem(data);
        EXPECT_EQ(b.m_strCurrentFolder, "D:/Data");
        EXPECT_EQ(b.m_staticStatus->text(), "D:/Data");
        EXPECT_FALSE(tree->ItemHasChildren(data));
        EXPECT_EQ(b.m_listFiles->GetItemCount(), 0);
        EXPECT_EQ(Record(b, 0), nullptr);
        // Its parent can still be reached and listed.
        b.m_btnUpDir->click();
        EXPECT_EQ(Cwd(), Host("."));
    });
}

TEST_F(FolderTree, RecordsLiveExactlyAsLongAsTheTree)
{
    volume.mkdir("A/B/C");
    volume.mkdir("A/D");
    volume.mkdir("E");
    Run([&](CBrowserDlg& b) {
        CTreeCtrl* tree = b.m_treeFolders;
        HTREEITEM a = Child(tree, tree->GetRootItem(), "A");
        tree->SelectItem(a);
        tree->SelectItem(Child(tree, a, "B"));
        EXPECT_EQ(TreeRecords(tree), 6);  // D:, A, E, B, D, C

        // FreeTreeItems of an item frees it, its descendants and its
        // following siblings with theirs, but nothing before it.
        HTREEITEM e = Child(tree, tree->GetRootItem(), "E");
        b.FreeTreeItems(Child(tree, a, "D"));
        EXPECT_EQ(TreeRecords(tree), 5);
        b.FreeTreeItems(a);
        EXPECT_EQ(TreeRecords(tree), 1);  // only the root is left
        EXPECT_EQ(tree->GetItemData(e), nullptr);
        // The items stay; without records they do nothing.
        tree->SelectItem(e);
        EXPECT_EQ(b.m_strCurrentFolder, "D:/A/B");
    });
}

TEST_F(FolderTree, AWideFolderReadsInOrder)
{
    for (int i = 0; i < 300; ++i)
        volume.mkdir(QStringLiteral("MANY/SUB%1").arg(299 - i, 4, 10, QLatin1Char('0')));
    Run([&](CBrowserDlg& b) {
        CTreeCtrl* tree = b.m_treeFolders;
        HTREEITEM many = Child(tree, tree->GetRootItem(), "Many");
        tree->Expand(many);
        ASSERT_EQ(many->childCount(), 300);
        EXPECT_EQ(tree->GetItemText(many->child(0)), "Sub0000");
        EXPECT_EQ(tree->GetItemText(many->child(299)), "Sub0299");
        EXPECT_EQ(TreeRecords(tree), 302);
    });
}


TEST_F(FolderTree, TheTreeKeepsTheKeyboardFocusWhileItReadsAFolder)
{
    volume.mkdir("DATA/IMAGES");
    volume.mkdir("INDEX");
    Run([&](CBrowserDlg& b) {
        b.show();
        QApplication::setActiveWindow(&b);
        CTreeCtrl* tree = b.m_treeFolders;
        tree->setFocus();
        ASSERT_TRUE(tree->hasFocus());
        tree->SelectItem(Child(tree, tree->GetRootItem(), "Data"));
        EXPECT_TRUE(tree->hasFocus());
        // The arrow keys go on moving through the folders.
        QTest::keyClick(tree, Qt::Key_Down);
        EXPECT_EQ(b.m_strCurrentFolder, "D:/Index");
    });
}

TEST_F(FolderTree, OddFolderNamesNeverBreakTheBrowser)
{
    volume.write("STAR*/X.LBL", "OBJECT = IMAGE\n");
    volume.write("BACK\\SLASH/Y.LBL", "OBJECT = TABLE\n");
    volume.write("SP ACE/Z.LBL", "OBJECT = TABLE\n");
    Run([&](CBrowserDlg& b) {
        CTreeCtrl* tree = b.m_treeFolders;
        EXPECT_EQ(Children(tree, tree->GetRootItem()), (QStringList{"Back\\slash", "Sp ace", "Star*"}));
        tree->SelectItem(Child(tree, tree->GetRootItem(), "Star*"));
        EXPECT_EQ(Column(b.m_listFiles, 1), QStringList{"IMAGE"});
        tree->SelectItem(Child(tree, tree->GetRootItem(), "Sp ace"));
        EXPECT_EQ(Column(b.m_listFiles, 1), QStringList{"TABLE"});
        // A backslash in a name read from disk is part of the name.
        tree->SelectItem(Child(tree, tree->GetRootItem(), "Back\\slash"));
        EXPECT_EQ(b.m_strCurrentFolder, "D:/Back\\slash");
        EXPECT_EQ(Column(b.m_listFiles, 1), QStringList{"TABLE"});
    });
}

}  // namespace
