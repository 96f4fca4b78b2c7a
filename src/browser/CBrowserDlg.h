#pragma once
// The browser window: the folder tree of the current drive, the file list
// of the selected folder, a status line and a column of buttons. It owns the
// program's settings and its three helper lists for the whole run.

#include "browser/CFileItemStore.h"
#include "helpers/CHelperEntry.h"
#include "platform/gui/CDialog.h"
#include "platform/gui/CImageList.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

class CFileItem;
class CListCtrl;
class CProgressDlg;
class CTreeCtrl;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidgetItem;

class CBrowserDlg : public CDialog {
    Q_OBJECT
public:
    // Command id of the About entry of the window menu.
    static constexpr unsigned IDM_ABOUTBOX = 0x0010;

    explicit CBrowserDlg(QWidget* parent = nullptr);
    ~CBrowserDlg() override;

    void SetContentsFile(const QString& path) { m_strContentsFile = path; }

    // Layout for a client area of cx x cy pixels (WM_SIZE); does nothing
    // until OnInitDialog has finished.
    void OnSize(unsigned nType, int cx, int cy);
    // Window menu commands: IDM_ABOUTBOX runs the About box.
    void OnSysCommand(unsigned nID);

    // Folder tree.
    void InitFolderTree(const QString& rootName);
    void ScanSubfolders(const QString& folderPath, QTreeWidgetItem* parent);
    void ExpandFolder(QTreeWidgetItem* item);
    void FreeTreeItems(QTreeWidgetItem* item);
    void OpenSubfolder(const CFileItem& listItem);
    // File list.
    void FillFileList();
    static int CompareFileItems(const CFileItem* record1, const CFileItem* record2, long sortParam);

    // Button handlers.
    void OnContent();
    void OnHelp();
    void OnOptions();
    void OnUpDir();
    void OnListView();
    void OnDetailsView();
    // Folder tree and file list notifications.
    void OnSelChangedFolderTree();
    void OnItemExpandingFolderTree(QTreeWidgetItem* item);
    void OnItemChangedFileList(int item, int subItem);
    void OnDeleteItemFileList(int item);
    void OnDblclkFileList();

    // Opening files: the search for a missing helper program below folder
    // (see open/SearchForFile.h); true with foundPath set when found.
    bool SearchForFile(QString folder, QString fileName, QString& foundPath, CProgressDlg* progress);

    // Records alive for the folder tree's and the file list's items.
    std::size_t LiveTreeRecords() const { return m_treeRecords.Count(); }
    std::size_t LiveListRecords() const { return m_listRecords.Count(); }

    // The window's menu (on Linux a context menu on the window's background
    // and pictures), holding "&About Vellora..." once initialised.
    QMenu* SystemMenu() const { return m_pSystemMenu; }

    // Controls, bound by the data exchange.
    QLabel* m_picLogo = nullptr;
    QLabel* m_picLogo2 = nullptr;
    QLabel* m_picBanner = nullptr;
    QPushButton* m_btnOptions = nullptr;
    QPushButton* m_btnExit = nullptr;
    QPushButton* m_btnHelp = nullptr;
    QPushButton* m_btnContent = nullptr;
    QPushButton* m_btnDetails = nullptr;
    QPushButton* m_btnList = nullptr;
    QPushButton* m_btnUpDir = nullptr;
    QLabel* m_staticStatus = nullptr;
    CListCtrl* m_listFiles = nullptr;
    CTreeCtrl* m_treeFolders = nullptr;
    QIcon m_hIcon;
    QPixmap m_bmpUpDir;
    QPixmap m_bmpDetails;
    QPixmap m_bmpList;

    bool m_bLayoutReady = false;
    int m_nChangedItem = -1;
    int m_nChangedSubItem = 0;
    QString m_strFileMask;
    int m_bTranslate = 1;
    int m_bShowFullPath = 1;
    QString m_strCurrentFolder;
    CHelperList m_helperList;
    CHelperList m_defaultHelperList;
    CHelperList m_systemViewerList;
    QString m_strContentsFile;
    CImageList m_imageList;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnDestroy() override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QString ProgramDir() const;
    void SetButtonImages();

    QMenu* m_pSystemMenu = nullptr;

    // Folder tree and file list.
    void InsertFileListColumns();
    void ConnectBrowsingControls();
    void DisconnectBrowsingControls();
    CFileItem* TreeRecord(QTreeWidgetItem* item) const;
    QString ContentTypeColumn(bool isFolder, const QString& extension, const CFileItem& record) const;
    QString SizeColumn(bool isFolder, std::uint32_t attributes, std::int64_t size, const QString& path) const;

    // The records of the tree's items, freed by FreeTreeItems at teardown,
    // and of the list's items, freed as each item goes.
    CFileItemStore m_treeRecords;
    CFileItemStore m_listRecords;
    std::vector<QMetaObject::Connection> m_browseConnections;
};
