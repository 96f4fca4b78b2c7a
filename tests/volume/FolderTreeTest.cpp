// The folder tree shared by the browser window and the Find Helper dialog,
// over a bare tree control: placeholders, reading on first expansion, the
// folder filter, and records that live exactly as long as their items.

#include "platform/gui/CTreeCtrl.h"
#include "support/QtPrinters.h"
#include "support/TreeRecords.h"
#include "support/VolumeTest.h"
#include "volume/CFileItem.h"
#include "volume/gui/FolderTree.h"

#include <QFile>
#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList Children(const CTreeCtrl&, HTREEITEM item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}

class SharedFolderTree : public VolumeTest {
protected:
    void SetUp() override
    {
        VolumeTest::SetUp();
        folders.Attach(tree.get());
    }

    std::unique_ptr<CTreeCtrl> tree = std::make_unique<CTreeCtrl>();
    FolderTree folders;
};

TEST_F(SharedFolderTree, ReadsPlainFoldersOnceUnderTheirDisplayNames)
{
    volume.mkdir("ZETA/INNER");
    volume.mkdir("alpha");
    volume.mkdir(".hidden");
    volume.write("FILE.LBL", "OBJECT = IMAGE\n");
    ASSERT_TRUE(QFile::link(volume.file("ZETA"), volume.file("LINKED")));

    HTREEITEM root = folders.AddTopLevel("D:", "D:", true);
    EXPECT_EQ(Children(*tree, root), QStringList{""});  // the placeholder shows the expander
    EXPECT_EQ(folders.Record(tree->GetChildItem(root)), nullptr);
    ASSERT_NE(folders.Record(root), nullptr);
    EXPECT_EQ(folders.Record(root)->m_strName, "");
    EXPECT_EQ(folders.Record(root)->m_strPath, "D:");
    EXPECT_EQ(tree->GetItemData(root), folders.Record(root));

    ASSERT_TRUE(folders.IsUnread(root));
    const QTreeWidgetItem* placeholder = root->child(0);
    folders.ReadSubfolders(root);
    EXPECT_EQ(Children(*tree, root), QStringList({"alpha", "Zeta"}));
    EXPECT_EQ(root->child(0), placeholder);  // its row went to the first subfolder
    EXPECT_EQ(folders.Record(root->child(0))->m_strPath, "D:/alpha");
    EXPECT_FALSE(folders.IsUnread(root));
    folders.ReadSubfolders(root->child(0));  // an empty folder: the placeholder goes
    EXPECT_FALSE(tree->ItemHasChildren(root->child(0)));

    HTREEITEM zeta = root->child(1);
    const CFileItem* record = folders.Record(zeta);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->m_strName, "Zeta");
    EXPECT_EQ(record->m_strPath, "D:/Zeta");
    EXPECT_EQ(record->m_nType, CFileItem::Folder);
    ASSERT_TRUE(folders.IsUnread(zeta));
    folders.ReadSubfolders(zeta);
    EXPECT_EQ(Children(*tree, zeta), QStringList{"Inner"});
    EXPECT_EQ(folders.Record(tree->GetChildItem(zeta))->m_strPath, "D:/Zeta/Inner");

    // A folder without placeholder is the window's to fill.
    HTREEITEM bare = folders.AddTopLevel("E:", "E:", false);
    EXPECT_FALSE(tree->ItemHasChildren(bare));
    EXPECT_FALSE(folders.IsUnread(bare));
}

TEST_F(SharedFolderTree, RecordsGoWithTheirItemsOrWhenFreed)
{
    volume.mkdir("A/B");
    volume.mkdir("C");
    HTREEITEM root = folders.AddTopLevel("D:", "D:", false);
    folders.ReadSubfolders(root);
    EXPECT_EQ(TreeRecords(tree.get()), 3);  // D:, A, C

    // Freeing from A frees A and its following sibling C, not the root;
    // the items stay, without records.
    HTREEITEM a = tree->GetChildItem(root);
    folders.FreeRecords(a);
    EXPECT_EQ(TreeRecords(tree.get()), 1);
    EXPECT_EQ(folders.Record(a), nullptr);
    EXPECT_EQ(tree->GetItemData(a), nullptr);
    EXPECT_EQ(Children(*tree, root), QStringList({"A", "C"}));
    folders.ReadSubfolders(a);  // a freed folder is not read
    EXPECT_EQ(Children(*tree, a), QStringList{""});

    // Items going take their records along; a tree that is gone has none.
    tree->DeleteAllItems();
    EXPECT_EQ(TreeRecords(tree.get()), 0);
    folders.AddTopLevel("D:", "D:", true);
    tree.reset();
    EXPECT_EQ(folders.AddTopLevel("D:", "D:", true), nullptr);
}

}  // namespace
