#pragma once
// The browser window: the folder tree of the current drive, the file list
// of the selected folder, a status line and a column of buttons. It shows
// the session it is given (helper lists and options), lets the Options
// sheet and the open flow change it, and saves it when it is destroyed.

#include "browser/FileList.h"
#include "open/OpenContext.h"
#include "platform/gui/CDialog.h"
#include "platform/gui/CImageList.h"
#include "volume/gui/FolderTree.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <memory>
#include <vector>

class BrowserSession;
class CFileItem;
class CListCtrl;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidgetItem;

class CBrowserDlg : public CDialog, public OpenContext {
    Q_OBJECT
public:
    // Command id of the About entry of the window menu.
    static constexpr unsigned IDM_ABOUTBOX = 0x0010;

    explicit CBrowserDlg(BrowserSession& session, QWidget* parent = nullptr);
    ~CBrowserDlg() override;

    // The window over a loaded session, with the volume's description file
    // for the Content button (the application's browser factory).
    static std::unique_ptr<CDialog> Make(BrowserSession& session, const QString& contentsFile);

    void SetContentsFile(const QString& path) { m_strContentsFile = path; }

    // Layout for a client area of cx x cy pixels (WM_SIZE); does nothing
    // until OnInitDialog has finished.
    void OnSize(unsigned nType, int cx, int cy);
    // Window menu commands: IDM_ABOUTBOX runs the About box.
    void OnSysCommand(unsigned nID);

    // Folder tree.
    void FreeTreeItems(QTreeWidgetItem* item) { m_folders.FreeRecords(item); }
    // File list.
    void FillFileList();
    void OnUpDir();
    void OnDblclkFileList();

    // What the open flow works with.
    BrowserSession& Session() override { return m_session; }
    void OpenSubfolder(const CFileItem& listItem) override;

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
    FileList m_fileList;  // the rows of m_listFiles with their records
    CTreeCtrl* m_treeFolders = nullptr;
    QIcon m_hIcon;
    QPixmap m_bmpUpDir;
    QPixmap m_bmpDetails;
    QPixmap m_bmpList;

    // What the window shows.
    bool m_bLayoutReady = false;
    int m_nChangedItem = -1;
    int m_nChangedSubItem = 0;
    QString m_strCurrentFolder;
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
    void SetButtonImages();

    // Button handlers.
    void OnContent();
    void OnHelp();
    void OnOptions();
    void OnListView();
    void OnDetailsView();

    // Folder tree.
    void InitFolderTree(const QString& rootName);
    void ScanSubfolders(QTreeWidgetItem* parent);
    void ExpandFolder(QTreeWidgetItem* item);
    // Keypad "*": reads every unread folder below item, under one progress
    // window, then opens them all.
    void ExpandAllFolders(QTreeWidgetItem* item);
    // A folder could not be read for the length of its path: the status
    // line says so.
    void ReportFolderTooDeep();
    void OnSelChangedFolderTree();
    void OnItemExpandingFolderTree(QTreeWidgetItem* item);

    // File list.
    void OnItemChangedFileList(int item, int subItem);

    void ConnectBrowsingControls();
    void DisconnectBrowsingControls();

    BrowserSession& m_session;
    QMenu* m_pSystemMenu = nullptr;
    // The folder tree, whose items own their records.
    FolderTree m_folders;
    std::vector<QMetaObject::Connection> m_browseConnections;
    bool m_bFolderTooDeep = false;  // the last folder read lay beyond the path limit
};
