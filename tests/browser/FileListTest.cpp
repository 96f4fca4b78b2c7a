// The file list: columns, kinds and images, content types read from the
// labels, size texts, the order of the items, item records, the recorded
// item and the two view buttons.

#include "VolumeFixture.h"

#include "platform/WinTypes.h"
#include "volume/FileNames.h"

#include <QAbstractItemView>
#include <QFile>
#include <QHeaderView>
#include <QMap>
#include <QTest>
#include <QTreeView>

#include <sys/stat.h>

namespace {

class FileList : public VolumeFixture {
protected:
    // Lays out the folder of the documented example: a.LBL, B.TXT, DATA.LBL.
    void ExampleFolder()
    {
        volume.write("a.LBL", "PDS_VERSION_ID = PDS3\r\nOBJECT = IMAGE\r\nEND_OBJECT = IMAGE\r\nEND\r\n");
        volume.write("B.TXT", QByteArray(1025, 'b'));
        volume.write("DATA.LBL", QByteArray("OBJECT = TABLE\n") + QByteArray(2048, ' '));
    }
};

TEST_F(FileList, ColumnsAndStartUpView)
{
    Run([&](CBrowserDlg& b) {
        CListCtrl* list = b.m_listFiles;
        ASSERT_EQ(list->GetColumnCount(), 3);
        auto* model = list->ActiveView()->model();
        EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "File name");
        EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "ContentType");
        EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), "Size");
        EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                      Qt::AlignHorizontal_Mask,
                  Qt::AlignLeft);
        EXPECT_EQ(model->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                      Qt::AlignHorizontal_Mask,
                  Qt::AlignRight);
        EXPECT_EQ(list->GetStyle() & CListCtrl::LVS_TYPEMASK, CListCtrl::LVS_SMALLICON);

        // The list button does nothing at start-up.
        b.m_btnList->click();
        EXPECT_EQ(list->GetStyle() & CListCtrl::LVS_TYPEMASK, CListCtrl::LVS_SMALLICON);
        // Details shows the headings; from then on the two buttons switch
        // between details and list, never back to small icons.
        b.m_btnDetails->click();
        EXPECT_EQ(list->GetStyle() & CListCtrl::LVS_TYPEMASK, CListCtrl::LVS_REPORT);
        auto* report = qobject_cast<QTreeView*>(list->ActiveView());
        ASSERT_NE(report, nullptr);
        EXPECT_FALSE(report->isHeaderHidden());
        EXPECT_EQ(report->header()->sectionSize(0), 120);
        EXPECT_EQ(report->header()->sectionSize(1), 90);
        EXPECT_EQ(report->header()->sectionSize(2), 60);
        b.m_btnList->click();
        EXPECT_EQ(list->GetStyle() & CListCtrl::LVS_TYPEMASK, CListCtrl::LVS_LIST);
        b.m_btnList->click();
        EXPECT_EQ(list->GetStyle() & CListCtrl::LVS_TYPEMASK, CListCtrl::LVS_LIST);
        b.m_btnDetails->click();
        EXPECT_EQ(list->GetStyle() & CListCtrl::LVS_TYPEMASK, CListCtrl::LVS_REPORT);
        b.m_btnDetails->click();
        EXPECT_EQ(list->GetStyle() & CListCtrl::LVS_TYPEMASK, CListCtrl::LVS_REPORT);
    });
}

TEST_F(FileList, LabelsUnderTheDefaultMask)
{
    ExampleFolder();
    Run([&](CBrowserDlg& b) {
        CListCtrl* list = b.m_listFiles;
        EXPECT_EQ(Column(list, 0), (QStringList{"a.lbl", "Data.lbl"}));
        EXPECT_EQ(Column(list, 1), (QStringList{"IMAGE", "TABLE"}));
        EXPECT_EQ(Column(list, 2), (QStringList{"1KB", "3KB"}));
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(list->GetItemImage(i), 2);
            const CFileItem* record = Record(b, i);
            ASSERT_NE(record, nullptr);
            EXPECT_EQ(record->m_strName, list->GetItemText(i, 0));
            EXPECT_EQ(record->m_strPath, "D:/" + list->GetItemText(i, 0));
            EXPECT_EQ(record->m_nType, 2);
        }
        EXPECT_EQ(Record(b, 2), nullptr);
        EXPECT_EQ(b.m_staticStatus->text(), "D:");
    });
}

TEST_F(FileList, EverythingUnderTheMaskStar)
{
    ExampleFolder();
    volume.mkdir("IMAGES");
    volume.write("README", QByteArray(5000, 'r'));
    volume.write("EMPTY.DAT", "");
    volume.write("RUN.EXE", "MZ");
    volume.write(".hidden.lbl", "OBJECT = IMAGE\n");
    volume.mkdir(".git");
    volume.mkdir("FOLDER.LBL");
    Run(
        [&](CBrowserDlg& b) {
            CListCtrl* list = b.m_listFiles;
            EXPECT_EQ(Column(list, 0), (QStringList{"a.lbl", "B.txt", "Data.lbl", "Empty.dat", "Folder.lbl",
                                                   "Images", "Readme", "Run.exe"}));
            EXPECT_EQ(Column(list, 1),
                      (QStringList{"IMAGE", ".txt", "TABLE", ".dat", "Folder", "Folder", "", ".exe"}));
            EXPECT_EQ(Column(list, 2), (QStringList{"1KB", "2KB", "3KB", "1KB", "", "", "5KB", "1KB"}));
            QList<int> images;
            QList<int> types;
            for (int i = 0; i < list->GetItemCount(); ++i) {
                images << list->GetItemImage(i);
                types << Record(b, i)->m_nType;
            }
            // A folder named like a label keeps the label's kind; a program
            // has an image index past the three images, so no icon.
            EXPECT_EQ(images, (QList<int>{2, 0, 2, 0, 2, 1, 0, 3}));
            EXPECT_EQ(types, images);
            EXPECT_TRUE(list->ActiveView()->model()->index(7, 0).data(Qt::DecorationRole).isNull());
            EXPECT_FALSE(list->ActiveView()->model()->index(5, 0).data(Qt::DecorationRole).isNull());
        },
        "*");
}

TEST_F(FileList, SizeTexts)
{
    struct Case {
        std::int64_t bytes;
        const char* text;
    };
    for (const Case& c : {Case{0, "1KB"}, Case{1, "1KB"}, Case{1024, "1KB"}, Case{1025, "2KB"},
                          Case{1048576, "1,024KB"}, Case{999 * 1024, "999KB"}, Case{1000 * 1024, "1,000KB"},
                          Case{1500000000, "1,464,844KB"}, Case{std::int64_t(3) << 30, "3,145,728KB"},
                          Case{std::int64_t(1) << 50, "1,099,511,627,776KB"}})
        EXPECT_EQ(volume::SizeText(c.bytes), c.text) << c.bytes;

    // Files of 2 GiB and more show their true size (sparse files).
    for (const auto& [name, size] : {std::pair{"BIG.IMG", std::int64_t(1500000000)},
                                     std::pair{"HUGE.IMG", std::int64_t(5) << 30}}) {
        QFile file(volume.file(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(size));
    }
    volume.write("ZERO.IMG", "");
    Run(
        [&](CBrowserDlg& b) {
            EXPECT_EQ(Column(b.m_listFiles, 0), (QStringList{"Big.img", "Huge.img", "Zero.img"}));
            EXPECT_EQ(Column(b.m_listFiles, 2), (QStringList{"1,464,844KB", "5,242,880KB", "1KB"}));
        },
        "*.img");
}

TEST_F(FileList, OrderByFoldedFirstByteThenByName)
{
    for (const char* name : {"b.lbl", "_x.lbl", "a2.lbl", "A.lbl"})
        volume.write(name, "OBJECT = IMAGE\n");
    Run([&](CBrowserDlg& b) {
        EXPECT_EQ(Column(b.m_listFiles, 0), (QStringList{"A.lbl", "a2.lbl", "b.lbl", "_x.lbl"}));
    });
}

TEST_F(FileList, OrderOfDigitsSignsAndNonAsciiNames)
{
    for (const char* name : {"zeta.lbl", "1st.lbl", "Ärger.lbl", "~t.lbl", "[b].lbl", "Beta.lbl", "alpha.lbl",
                             "émile.lbl"})
        volume.write(QString::fromUtf8(name), "OBJECT = IMAGE\n");
    Run([&](CBrowserDlg& b) {
        // Non-ASCII first characters count as negative bytes and come
        // first; "[" (0x5B) lies between the upper-case letters and "_".
        EXPECT_EQ(Column(b.m_listFiles, 0), (QStringList{QString::fromUtf8("Ärger.lbl"), QString::fromUtf8("émile.lbl"),
                                                        "1st.lbl", "alpha.lbl", "Beta.lbl", "zeta.lbl", "[b].lbl",
                                                        "~t.lbl"}));
    });
}

TEST_F(FileList, CompareFileItemsLooksAtTheFirstByteOnly)
{
    const auto compare = [](const char* a, const char* b) {
        const CFileItem ra(QString::fromUtf8(a), {}, 2);
        const CFileItem rb(QString::fromUtf8(b), {}, 2);
        return ::FileList::Compare(&ra, &rb);
    };
    EXPECT_EQ(compare("apple", "Azure"), 0);
    EXPECT_EQ(compare("a", "B"), 'A' - 'B');
    EXPECT_EQ(compare("_x", "z"), '_' - 'Z');
    EXPECT_EQ(compare("[", "a"), '[' - 'A');
    EXPECT_EQ(compare("{", "A"), '{' - 'A');  // only a-z are folded
    EXPECT_LT(compare("\xc3\xa9t\xc3\xa9", "0"), 0);
    EXPECT_EQ(compare("\xc3\xa9", "A"), -61 - 'A');  // 0xC3 as a signed byte
    EXPECT_EQ(compare("", "a"), -'A');
    EXPECT_EQ(::FileList::Compare(nullptr, nullptr), 0);

    EXPECT_EQ(volume::FirstByte("A"), 'A');
    EXPECT_EQ(volume::FirstByte(QString::fromUtf8("\xe2\x82\xac")), std::int8_t(0xE2));  // euro sign
    EXPECT_EQ(volume::FirstByte(QString::fromUtf8("\xf0\x9f\x98\x80")), std::int8_t(0xF0));
    EXPECT_EQ(volume::FirstByte(QString(QChar(0xDC00 + 0xB5))), std::int8_t(0xB5));  // raw Latin-1 byte
}

TEST_F(FileList, DisplayNamesAndExtensions)
{
    EXPECT_EQ(volume::DisplayName("DATA"), "Data");
    EXPECT_EQ(volume::DisplayName("cAtAlOg"), "catalog");
    EXPECT_EQ(volume::DisplayName("IMG001.LBL"), "Img001.lbl");
    EXPECT_EQ(volume::DisplayName(QString::fromUtf8("ÉCRAN.LBL")), QString::fromUtf8("Écran.lbl"));
    EXPECT_EQ(volume::DisplayName(""), "");
    EXPECT_EQ(volume::Extension("A.B.LBL"), ".lbl");
    EXPECT_EQ(volume::Extension("README"), "");
    EXPECT_EQ(volume::Extension("x."), ".");
    EXPECT_EQ(volume::FileType(false, ".lbl"), 2);
    EXPECT_EQ(volume::FileType(true, ".lbl"), 2);
    EXPECT_EQ(volume::FileType(true, ".bat"), 3);
    EXPECT_EQ(volume::FileType(false, ".com"), 3);
    EXPECT_EQ(volume::FileType(true, ".txt"), 1);
    EXPECT_EQ(volume::FileType(false, ""), 0);
}

TEST_F(FileList, UnreadableLabelsAreReportedOnceEachAndLeaveTheCellEmpty)
{
    volume.write("GOOD.LBL", "OBJECT = IMAGE\n");
    ASSERT_TRUE(QFile::link(volume.file("GONE.LBL"), volume.file("BAD.LBL")));
    ASSERT_EQ(::mkfifo(volume.file("PIPE.LBL").toLocal8Bit().constData(), 0644), 0);
    volume.write("NOOBJECT.LBL", "PDS_VERSION_ID = PDS3\nEND\n");
    runner.ExpectBox(IDOK).ExpectBox(IDOK);
    Run([&](CBrowserDlg& b) {
        CListCtrl* list = b.m_listFiles;
        EXPECT_EQ(Column(list, 0), (QStringList{"Bad.lbl", "Good.lbl", "Noobject.lbl", "Pipe.lbl"}));
        EXPECT_EQ(Column(list, 1), (QStringList{"", "IMAGE", "", ""}));
        // A link whose target is gone has no size to show.
        EXPECT_EQ(Column(list, 2), (QStringList{"", "1KB", "1KB", "1KB"}));
        QStringList texts;
        for (const ScriptedRunner::Box& box : runner.Boxes()) {
            texts << box.text;
            EXPECT_EQ(box.caption, "Vellora");
            EXPECT_EQ(box.kind, (MessageBoxKind{MessageButtons::Ok, MessageIcon::None}));
        }
        texts.sort();
        EXPECT_EQ(texts, (QStringList{"Unable to open file: D:/Bad.lbl", "Unable to open file: D:/Pipe.lbl"}));
    });
}

TEST_F(FileList, MissingFolderOrNothingMatchingGivesAnEmptyList)
{
    volume.write("DATA/README.TXT", "x");
    Run([&](CBrowserDlg& b) {
        EXPECT_EQ(b.m_listFiles->GetItemCount(), 0);
        b.m_strCurrentFolder = "D:/Nowhere";
        b.FillFileList();
        EXPECT_EQ(b.m_listFiles->GetItemCount(), 0);
        EXPECT_EQ(b.m_staticStatus->text(), "D:/Nowhere");
        b.m_strCurrentFolder = "Q:";
        b.FillFileList();
        EXPECT_EQ(b.m_listFiles->GetItemCount(), 0);
        EXPECT_EQ(b.m_staticStatus->text(), "Q:");
    });
}

TEST_F(FileList, RefillingReplacesTheRowsAndTheirRecords)
{
    for (int i = 0; i < 50; ++i)
        volume.write(QStringLiteral("IMG%1.LBL").arg(i, 3, 10, QLatin1Char('0')), "OBJECT = IMAGE\n");
    // One record per row, each the record of its own row, and none beyond.
    const auto expectRecords = [](const CBrowserDlg& b, int count) {
        ASSERT_EQ(b.m_listFiles->GetItemCount(), count);
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(Record(b, i)->m_strName, b.m_listFiles->GetItemText(i, 0));
        EXPECT_EQ(Record(b, count), nullptr);
    };
    Run([&](CBrowserDlg& b) {
        expectRecords(b, 50);
        b.FillFileList();
        b.FillFileList();
        expectRecords(b, 50);
        b.Session().m_strFileMask = "*.none";
        b.FillFileList();
        expectRecords(b, 0);
        b.Session().m_strFileMask = "*.lbl";
        b.FillFileList();
        expectRecords(b, 50);
    });
}

TEST_F(FileList, TheRecordedItemFollowsItemChanges)
{
    for (const char* name : {"A.LBL", "B.LBL", "C.LBL"})
        volume.write(name, "OBJECT = IMAGE\n");
    Run([&](CBrowserDlg& b) {
        CListCtrl* list = b.m_listFiles;
        // Before any item changed there is no recorded item, so a
        // double-click has no record to act on.
        EXPECT_EQ(b.m_nChangedItem, -1);
        EXPECT_EQ(Record(b, b.m_nChangedItem), nullptr);

        QAbstractItemView* view = list->ActiveView();
        b.resize(800, 600);
        b.show();
        const QRect second = view->visualRect(view->model()->index(1, 0));
        ASSERT_TRUE(second.isValid());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second.center());
        EXPECT_EQ(b.m_nChangedItem, 1);
        EXPECT_EQ(b.m_nChangedSubItem, 0);
        EXPECT_EQ(Record(b, b.m_nChangedItem)->m_strName, "B.lbl");
        list->SetItemSelected(2, true);
        EXPECT_EQ(b.m_nChangedItem, 2);

        // A rebuilt list holds other items: nothing is recorded any more.
        b.FillFileList();
        EXPECT_EQ(b.m_nChangedItem, -1);
    });
}

// Volumes as Linux shows them: upper case from a disc, lower case from a
// default ISO 9660 mount, and mixed case from mirrors. Display-name paths
// reach the files on all of them.
class LinuxVolume : public VolumeFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(LinuxVolume, ListsReadsAndOpensByDisplayNamePaths)
{
    const QString style = GetParam();
    const auto name = [&](const QString& upper) {
        if (style == "upper")
            return upper;
        if (style == "lower")
            return upper.toLower();
        // Mixed: each name in another case pattern.
        QString mixed = upper.toLower();
        mixed[0] = mixed[0].toUpper();
        if (mixed.size() > 2)
            mixed[mixed.size() - 1] = mixed[mixed.size() - 1].toUpper();
        return mixed;
    };
    const QString data = name("DATA");
    const QString images = name("IMAGES");
    volume.write(data + '/' + images + '/' + name("IMG001.LBL"), "OBJECT = IMAGE\r\n");
    volume.write(data + '/' + images + '/' + name("IMG001.IMG"), QByteArray(2048, 0));
    volume.write(data + '/' + name("INDEX.LBL"), "OBJECT = INDEX_TABLE\r\n");
    volume.write(name("AAREADME.TXT"), "volume\n");

    Run([&](CBrowserDlg& b) {
        CTreeCtrl* tree = b.m_treeFolders;
        const QString dataShown = volume::DisplayName(data);
        HTREEITEM dataItem = Child(tree, tree->GetRootItem(), dataShown);
        ASSERT_NE(dataItem, nullptr) << dataShown.toStdString();
        tree->SelectItem(dataItem);
        EXPECT_EQ(Cwd(), Host(data));
        EXPECT_EQ(Column(b.m_listFiles, 0), QStringList{volume::DisplayName(name("INDEX.LBL"))});
        EXPECT_EQ(Column(b.m_listFiles, 1), QStringList{"INDEX_TABLE"});

        HTREEITEM imagesItem = Child(tree, dataItem, volume::DisplayName(images));
        ASSERT_NE(imagesItem, nullptr);
        tree->SelectItem(imagesItem);
        EXPECT_EQ(Cwd(), Host(data + '/' + images));
        b.Session().m_strFileMask = "*";
        b.FillFileList();
        ASSERT_EQ(b.m_listFiles->GetItemCount(), 2);
        EXPECT_EQ(Column(b.m_listFiles, 1), (QStringList{".img", "IMAGE"}));
        EXPECT_EQ(Column(b.m_listFiles, 2), (QStringList{"2KB", "1KB"}));
        for (int i = 0; i < 2; ++i) {
            // The record's path, in display case, leads to the file on disk.
            const QString path = Record(b, i)->m_strPath;
            EXPECT_TRUE(path.startsWith("D:/" + dataShown + '/')) << path.toStdString();
            const QString host = drives.ToHostPath(path);
            EXPECT_TRUE(QFileInfo(host).isFile()) << host.toStdString();
            EXPECT_TRUE(host.startsWith(volume.path() + '/' + data + '/' + images + '/')) << host.toStdString();
        }
        // Stepping into a listed folder by its record.
        tree->SelectItem(dataItem);
        b.Session().m_strFileMask = "*";
        b.FillFileList();
        const QString imagesShown = volume::DisplayName(images);
        b.OpenSubfolder(CFileItem(imagesShown, "D:/" + dataShown + '/' + imagesShown, 1));
        EXPECT_EQ(tree->GetSelectedItem(), imagesItem);
        EXPECT_EQ(Cwd(), Host(data + '/' + images));
    });
}

INSTANTIATE_TEST_SUITE_P(Cases, LinuxVolume, ::testing::Values("upper", "lower", "mixed"));

TEST_F(FileList, NamesThatDifferOnlyInCaseBothList)
{
    volume.write("ONE.LBL", "OBJECT = IMAGE\n");
    volume.write("one.lbl", "OBJECT = TABLE\n");
    Run([&](CBrowserDlg& b) {
        EXPECT_EQ(b.m_listFiles->GetItemCount(), 2);
        QStringList names = Column(b.m_listFiles, 0);
        names.sort();
        EXPECT_EQ(names, (QStringList{"One.lbl", "one.lbl"}));
    });
}


// Where the file system tells case apart, each item reads its own file:
// a.LBL and A.LBL are two labels, and so are Ab.LBL and AB.LBL, which even
// show the same name and path.
TEST_F(FileList, NamesThatDifferOnlyInCaseEachReadTheirOwnFile)
{
    volume.write("a.LBL", "OBJECT = IMAGE\n");
    volume.write("A.LBL", "OBJECT = QUBE\n");
    volume.write("Ab.LBL", "OBJECT = TABLE\n");
    volume.write("AB.LBL", "OBJECT = SPECTRUM\n");
    if (QDir(volume.path()).entryList(QDir::Files).size() != 4)
        GTEST_SKIP() << "the file system does not tell case apart";
    Run([&](CBrowserDlg& b) {
        CListCtrl* list = b.m_listFiles;
        ASSERT_EQ(list->GetItemCount(), 4);
        QMap<QString, QString> typeOfDiskName;
        QStringList shown;
        for (int i = 0; i < list->GetItemCount(); ++i) {
            const CFileItem* record = Record(b, i);
            ASSERT_NE(record, nullptr);
            // The name, the path shown and the order stay those of the
            // display name.
            EXPECT_EQ(record->m_strName, list->GetItemText(i, 0));
            EXPECT_EQ(record->m_strPath, "D:/" + record->m_strName);
            EXPECT_EQ(drives.ToHostPath(record->DiskPath()), volume.file(record->m_strDiskName));
            typeOfDiskName[record->m_strDiskName] = list->GetItemText(i, 1);
            shown << list->GetItemText(i, 0);
        }
        EXPECT_EQ(typeOfDiskName, (QMap<QString, QString>{
                                      {"a.LBL", "IMAGE"}, {"A.LBL", "QUBE"}, {"Ab.LBL", "TABLE"}, {"AB.LBL", "SPECTRUM"}}));
        shown.sort();
        EXPECT_EQ(shown, (QStringList{"A.lbl", "Ab.lbl", "Ab.lbl", "a.lbl"}));
        EXPECT_EQ(b.m_staticStatus->text(), "D:");
    });
}

TEST_F(FileList, NonAsciiNamesListAndOpenByTheirDisplayNames)
{
    volume.write(QString::fromUtf8("ÉTÉ/DONNÉES.LBL"), "OBJECT = TABLE\n");
    volume.write(QString::fromUtf8("ÉTÉ/ΣΕΛΉΝΗ.LBL"), "OBJECT = IMAGE\n");
    volume.write(QString::fromUtf8("ÉTÉ/DİZİN.LBL"), "OBJECT = INDEX\n");
    Run([&](CBrowserDlg& b) {
        CTreeCtrl* tree = b.m_treeFolders;
        HTREEITEM summer = Child(tree, tree->GetRootItem(), QString::fromUtf8("Été"));
        ASSERT_NE(summer, nullptr);
        tree->SelectItem(summer);
        EXPECT_EQ(Cwd(), Host(QString::fromUtf8("ÉTÉ")));
        CListCtrl* list = b.m_listFiles;
        ASSERT_EQ(list->GetItemCount(), 3);
        QStringList types = Column(list, 1);
        types.sort();
        // Every label was found by its display-name path and read.
        EXPECT_EQ(types, (QStringList{"IMAGE", "INDEX", "TABLE"}));
    });
}


TEST_F(FileList, SwitchingViewsKeepsItemsOrderAndSelection)
{
    for (const char* name : {"C.LBL", "A.LBL", "B.LBL"})
        volume.write(name, "OBJECT = IMAGE\n");
    Run([&](CBrowserDlg& b) {
        CListCtrl* list = b.m_listFiles;
        list->SetItemSelected(1, true);
        list->SetItemSelected(2, true);
        QAbstractItemView* smallIcons = list->ActiveView();
        b.m_btnDetails->click();
        EXPECT_NE(list->ActiveView(), smallIcons);
        EXPECT_EQ(Column(list, 0), (QStringList{"A.lbl", "B.lbl", "C.lbl"}));
        EXPECT_FALSE(list->IsItemSelected(0));
        EXPECT_TRUE(list->IsItemSelected(1));
        EXPECT_TRUE(list->IsItemSelected(2));
        EXPECT_EQ(list->ActiveView()->selectionModel()->selectedRows().size(), 2);
        b.m_btnList->click();
        EXPECT_EQ(Column(list, 0), (QStringList{"A.lbl", "B.lbl", "C.lbl"}));
        EXPECT_TRUE(list->IsItemSelected(2));
        EXPECT_EQ(list->ActiveView()->selectionModel()->selectedRows().size(), 2);
    });
}

}  // namespace
