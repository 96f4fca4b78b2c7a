#include "browser/CBrowserDlg.h"

#include "app/gui/CAboutDlg.h"
#include "app/gui/CProgressDlg.h"
#include "app/gui/CVolumeContentsDlg.h"
#include "open/COpenWithHelper.h"
#include "open/gui/DialogPrompts.h"
#include "options/COptions.h"
#include "platform/DriveTable.h"
#include "platform/ModalRunner.h"
#include "platform/WinTypes.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CListCtrl.h"
#include "platform/gui/HelpPage.h"
#include "res/StringTable.h"
#include "res/gui/Artwork.h"
#include "res/gui/BrowserTemplate.h"
#include "session/BrowserSession.h"
#include "volume/CFileItem.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>

#include <utility>
#include <vector>

CBrowserDlg::CBrowserDlg(BrowserSession& session, QWidget* parent)
    : CDialog(res::kBrowserTemplate, parent), m_session(session)
{
    m_hIcon = res::LoadAppIcon();
    platform::ChDir(QStringLiteral("\\"));
    m_imageList.Create(res::LoadBitmap(res::IDB_FILE_TYPES, QSize(48, 16), devicePixelRatioF()), 16);
}

CBrowserDlg::~CBrowserDlg()
{
    // The controls may outlive this object's own members (they go with the
    // widget base): they must not call back into it any more.
    DisconnectBrowsingControls();
}

std::unique_ptr<CDialog> CBrowserDlg::Make(BrowserSession& session, const QString& contentsFile)
{
    auto browser = std::make_unique<CBrowserDlg>(session);
    browser->SetContentsFile(contentsFile);
    return browser;
}

void CBrowserDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, res::IDC_LOGO, m_picLogo);
    DDX_Control(dx, res::IDC_LOGO2, m_picLogo2);
    DDX_Control(dx, res::IDC_BANNER, m_picBanner);
    DDX_Control(dx, res::IDC_OPTIONS, m_btnOptions);
    DDX_Control(dx, res::IDC_BROWSER_EXIT, m_btnExit);
    DDX_Control(dx, res::ID_HELP, m_btnHelp);
    DDX_Control(dx, res::IDC_CONTENT, m_btnContent);
    DDX_Control(dx, res::IDC_DETAILSVIEW, m_btnDetails);
    DDX_Control(dx, res::IDC_LISTVIEW, m_btnList);
    DDX_Control(dx, res::IDC_UPDIR, m_btnUpDir);
    DDX_Control(dx, res::IDC_STATUS, m_staticStatus);
    DDX_Control(dx, res::IDC_FILE_LIST, m_listFiles);
    DDX_Control(dx, res::IDC_FOLDER_TREE, m_treeFolders);
}

bool CBrowserDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // Linux window managers offer no application entries in the window
    // menu, so the About entry lives in the window's context menu.
    const QString about = res::LoadString(res::IDS_ABOUTBOX);
    if (!about.isEmpty()) {
        if (!m_pSystemMenu)
            m_pSystemMenu = new QMenu(this);
        m_pSystemMenu->clear();
        m_pSystemMenu->addSeparator();
        QAction* action = m_pSystemMenu->addAction(about);
        connect(action, &QAction::triggered, this, [this] { OnSysCommand(IDM_ABOUTBOX); });
    }

    setWindowIcon(m_hIcon);
    const QString rootName = QString(platform::DriveLetter(platform::GetDrive())) + u':';
    SetButtonImages();

    m_fileList.Attach(m_listFiles);
    if (m_listFiles) {
        m_listFiles->SetImageList(m_imageList.Icons());
        m_fileList.InsertColumns();
    }
    ConnectBrowsingControls();

    m_folders.Attach(m_treeFolders);
    InitFolderTree(rootName);
    m_bLayoutReady = true;
    return true;
}

void CBrowserDlg::SetButtonImages()
{
    struct Image {
        QPushButton* button;
        unsigned bitmap;
        QPixmap* keep;
        res::TextId tip;
    };
    const Image images[] = {
        {m_btnUpDir, res::IDB_UPDIR, &m_bmpUpDir, res::TextId::UpDirTip},
        {m_btnList, res::IDB_LIST, &m_bmpList, res::TextId::ListViewTip},
        {m_btnDetails, res::IDB_DETAILS, &m_bmpDetails, res::TextId::DetailsViewTip},
    };
    for (const Image& image : images) {
        if (!image.button)
            continue;
        const QSize area = image.button->size() - QSize(6, 4);
        const int side = std::max(8, std::min({area.width(), area.height(), 16}));
        *image.keep = res::LoadBitmap(image.bitmap, QSize(side, side), devicePixelRatioF());
        // A missing picture leaves the button without an image.
        if (!image.keep->isNull()) {
            image.button->setIcon(QIcon(*image.keep));
            image.button->setIconSize(QSize(side, side));
        }
        image.button->setToolTip(res::Text(image.tip));
        image.button->setAccessibleName(res::Text(image.tip));
    }
}

bool CBrowserDlg::OnCommand(int id)
{
    static constexpr std::pair<int, void (CBrowserDlg::*)()> kButtons[] = {
        {res::ID_HELP, &CBrowserDlg::OnHelp},          {res::IDC_CONTENT, &CBrowserDlg::OnContent},
        {res::IDC_OPTIONS, &CBrowserDlg::OnOptions},   {res::IDC_UPDIR, &CBrowserDlg::OnUpDir},
        {res::IDC_LISTVIEW, &CBrowserDlg::OnListView}, {res::IDC_DETAILSVIEW, &CBrowserDlg::OnDetailsView},
    };
    for (const auto& [button, handler] : kButtons) {
        if (id == button) {
            (this->*handler)();
            return true;
        }
    }
    return CDialog::OnCommand(id);
}

void CBrowserDlg::OnSysCommand(unsigned nID)
{
    if ((nID & 0xFFF0u) == IDM_ABOUTBOX) {
        CAboutDlg about(this);
        about.DoModal();
    }
}

void CBrowserDlg::contextMenuEvent(QContextMenuEvent* event)
{
    // Only the window's background and its pictures carry the menu; the
    // tree, the list and the buttons keep their own behaviour.
    QWidget* child = childAt(event->pos());
    const bool background = !child || child == m_picLogo || child == m_picLogo2 || child == m_picBanner ||
                            qobject_cast<QLabel*>(child);
    if (!m_pSystemMenu || !background) {
        event->ignore();
        return;
    }
    m_pSystemMenu->exec(event->globalPos());
    event->accept();
}

void CBrowserDlg::resizeEvent(QResizeEvent* event)
{
    CDialog::resizeEvent(event);
    OnSize(0, event->size().width(), event->size().height());
}

void CBrowserDlg::OnSize(unsigned, int cx, int cy)
{
    if (!m_bLayoutReady)
        return;
    auto alignRight = [this, cx](int id, int margin) {
        if (QWidget* control = GetDlgItem(id)) {
            const QRect r = control->geometry();
            control->move(cx - r.width() - margin, r.y());
        }
    };
    alignRight(res::IDC_OPTIONS, 14);
    alignRight(res::ID_HELP, 14);
    alignRight(res::IDC_CONTENT, 14);
    alignRight(res::IDC_BROWSER_EXIT, 14);
    alignRight(res::IDC_LOGO2, 10);
    alignRight(res::IDC_LOGO, 10);
    alignRight(res::IDC_BANNER, 3);

    QWidget* exitButton = GetDlgItem(res::IDC_BROWSER_EXIT);
    const int exitWidth = exitButton ? exitButton->width() : 0;
    if (QWidget* list = GetDlgItem(res::IDC_FILE_LIST)) {
        const QRect r = list->geometry();
        list->resize(cx - exitWidth - r.x() - 28, cy - 60);
    }
    if (QWidget* tree = GetDlgItem(res::IDC_FOLDER_TREE))
        tree->resize(tree->width(), cy - 60);
    if (QWidget* status = GetDlgItem(res::IDC_STATUS)) {
        const QRect r = status->geometry();
        status->setGeometry(r.x(), cy - 22, cx - 14, r.height());
    }
}

void CBrowserDlg::OnContent()
{
    CVolumeContentsDlg contents;
    contents.SetContentsFile(m_strContentsFile);
    contents.DoModal();
}

void CBrowserDlg::OnHelp()
{
    const QString page = platform::FindHelpPage(m_session.ProgramDir(), res::Text(res::TextId::HelpPageName));
    if (page.isEmpty() || !platform::OpenHelpPage(page))
        AfxMessageBox(res::Text(res::TextId::HelpPageMissing), MessageButtons::Ok, MessageIcon::Exclamation);
}

void CBrowserDlg::OnOptions()
{
    // The pages get the lists themselves and copies of the settings; the
    // Helpers page changes the helper list in place.
    COptions options;
    options.m_pageHelpers.m_pHelperList = &m_session.m_helperList;
    options.m_pageHelpers.m_pDefaultHelperList = &m_session.m_defaultHelperList;
    options.m_pageRegistry.m_pSystemViewers = &m_session.m_systemViewerList;
    options.m_pageGeneral.m_strFileMask = m_session.m_strFileMask;
    options.m_pageGeneral.m_bTranslate = m_session.m_bTranslate;
    options.m_pageGeneral.m_bShowFullPath = m_session.m_bShowFullPath;
    if (options.DoModal() != IDOK)
        return;
    // Only OK hands the settings back.
    m_session.m_strFileMask = options.m_pageGeneral.m_strFileMask;
    m_session.m_bTranslate = options.m_pageGeneral.m_bTranslate;
    m_session.m_bShowFullPath = options.m_pageGeneral.m_bShowFullPath;
    if (m_staticStatus)
        m_staticStatus->setVisible(m_session.m_bShowFullPath != 0);
    FillFileList();
}

void CBrowserDlg::OnDestroy()
{
    // The help page runs in the desktop's browser: nothing to release.
    if (m_treeFolders && m_treeFolders->GetRootItem())
        FreeTreeItems(m_treeFolders->GetRootItem());
    m_fileList.Clear();
    m_session.Save();
    m_bLayoutReady = false;
    CDialog::OnDestroy();
}

void CBrowserDlg::OnItemChangedFileList(int item, int subItem)
{
    m_nChangedItem = item;
    m_nChangedSubItem = subItem;
}

void CBrowserDlg::OnDblclkFileList()
{
    // The item of the latest change in the list; none yet (-1), an index
    // the list no longer has, or an item without a record: nothing to open.
    const CFileItem* record = m_fileList.Record(m_nChangedItem);
    if (!record)
        return;
    // A copy: entering a folder rebuilds the list, and its records with it.
    const CFileItem item(*record);
    DialogPrompts prompts(this);
    COpenWithHelper(*this, prompts).Open(item);
}

// ---------------------------------------------------------------------------
// Folder tree and file list.

void CBrowserDlg::ConnectBrowsingControls()
{
    DisconnectBrowsingControls();
    if (m_treeFolders) {
        m_browseConnections.push_back(connect(m_treeFolders, &CTreeCtrl::selChanged, this,
                                              [this](QTreeWidgetItem*) { OnSelChangedFolderTree(); }));
        m_browseConnections.push_back(connect(m_treeFolders, &CTreeCtrl::itemExpanding, this,
                                              [this](QTreeWidgetItem* item, bool) { OnItemExpandingFolderTree(item); }));
        m_browseConnections.push_back(connect(m_treeFolders, &CTreeCtrl::expandAllRequested, this,
                                              [this](QTreeWidgetItem* item) { ExpandAllFolders(item); }));
    }
    if (m_listFiles) {
        m_browseConnections.push_back(
            connect(m_listFiles, &CListCtrl::itemChanged, this, &CBrowserDlg::OnItemChangedFileList));
        m_browseConnections.push_back(connect(m_listFiles, &CListCtrl::dblClk, this, &CBrowserDlg::OnDblclkFileList));
    }
}

void CBrowserDlg::DisconnectBrowsingControls()
{
    for (const QMetaObject::Connection& connection : m_browseConnections)
        disconnect(connection);
    m_browseConnections.clear();
}

void CBrowserDlg::InitFolderTree(const QString& rootName)
{
    if (!m_treeFolders)
        return;
    m_treeFolders->DeleteAllItems();  // a tree built before goes with its records
    HTREEITEM root = m_folders.AddTopLevel(rootName, rootName, false);
    ScanSubfolders(root);
    m_treeFolders->SelectItem(root);  // reports the selection: working directory and file list
    m_treeFolders->Expand(root);      // reports the expansion: nothing left to read
    if (m_staticStatus)
        m_staticStatus->setText(rootName);
}

void CBrowserDlg::ScanSubfolders(QTreeWidgetItem* parent)
{
    if (!m_treeFolders || !parent)
        return;
    // The progress window disables this one, which takes the keyboard
    // focus from the tree; it goes back when the window is enabled again.
    const QPointer<QWidget> focus = focusWidget();
    CProgressDlg progress;
    progress.Create(this);
    progress.SetMessageText(res::Text(res::TextId::ScanningForDrives));
    const bool read = m_folders.ReadSubfolders(parent);
    progress.DestroyWindow();
    if (!read)
        ReportFolderTooDeep();
    if (focus && focus->isEnabled())
        focus->setFocus();
}

void CBrowserDlg::ExpandFolder(QTreeWidgetItem* item)
{
    const CFileItem* record = m_folders.Record(item);
    if (!record)
        return;
    m_strCurrentFolder = record->m_strPath;
    if (m_folders.IsUnread(item))
        ScanSubfolders(item);
}

void CBrowserDlg::ExpandAllFolders(QTreeWidgetItem* item)
{
    const CFileItem* record = m_folders.Record(item);
    if (!m_treeFolders || !record)
        return;
    m_strCurrentFolder = record->m_strPath;
    // One progress window for the whole walk, not one per folder: making
    // and removing a window costs more than reading a small folder, and it
    // lets the view lay the tree out between folders.
    const QPointer<QWidget> focus = focusWidget();
    CProgressDlg progress;
    progress.Create(this);
    progress.SetMessageText(res::Text(res::TextId::ScanningForDrives));
    std::vector<QTreeWidgetItem*> pending{item};
    bool tooDeep = false;
    while (!pending.empty()) {
        QTreeWidgetItem* current = pending.back();
        pending.pop_back();
        if (m_folders.IsUnread(current) && !m_folders.ReadSubfolders(current))
            tooDeep = true;
        for (int i = current->childCount() - 1; i >= 0; --i) {
            if (m_folders.Record(current->child(i)))
                pending.push_back(current->child(i));
        }
    }
    progress.DestroyWindow();
    m_treeFolders->ExpandAll(item);
    if (tooDeep)
        ReportFolderTooDeep();
    if (focus && focus->isEnabled())
        focus->setFocus();
}

void CBrowserDlg::ReportFolderTooDeep()
{
    // Said once, whatever number of folders lie beyond the limit.
    m_bFolderTooDeep = true;
    if (m_staticStatus)
        m_staticStatus->setText(res::Text(res::TextId::FolderTooDeep));
}

void CBrowserDlg::OpenSubfolder(const CFileItem& listItem)
{
    if (!m_treeFolders)
        return;
    HTREEITEM selected = m_treeFolders->GetSelectedItem();
    ExpandFolder(selected);
    if (!m_treeFolders->ItemHasChildren(selected)) {
        AfxMessageBox(res::Text(res::TextId::ItemHasNoChildren), MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    for (int i = 0; i < selected->childCount(); ++i) {
        HTREEITEM child = selected->child(i);
        const CFileItem* record = m_folders.Record(child);
        if (!record || record->m_strName != listItem.m_strName)
            continue;
        m_treeFolders->SelectItem(child);
        ExpandFolder(child);
        m_treeFolders->setFocus();
        return;
    }
}

void CBrowserDlg::OnSelChangedFolderTree()
{
    if (!m_treeFolders)
        return;
    HTREEITEM item = m_treeFolders->GetSelectedItem();
    const CFileItem* record = m_folders.Record(item);
    if (!record)
        return;
    platform::ChDir(record->m_strPath);  // a folder that cannot be entered still lists (empty)
    m_bFolderTooDeep = false;
    ExpandFolder(item);  // makes it the current folder
    FillFileList();
    if (m_bFolderTooDeep)
        ReportFolderTooDeep();  // the list's folder took the status line
}

void CBrowserDlg::OnItemExpandingFolderTree(QTreeWidgetItem* item) { ExpandFolder(item); }

void CBrowserDlg::OnUpDir()
{
    if (!m_treeFolders)
        return;
    HTREEITEM parent = m_treeFolders->GetParentItem(m_treeFolders->GetSelectedItem());
    if (!parent)
        return;
    m_treeFolders->SelectItem(parent);
    ExpandFolder(parent);
    m_treeFolders->setFocus();
}

void CBrowserDlg::FillFileList()
{
    if (!m_listFiles)
        return;
    // Filling the list replaces its rows and their records. The recorded
    // item goes with them; an index into the new list would name an
    // unrelated file.
    m_nChangedItem = -1;
    m_nChangedSubItem = 0;
    if (m_staticStatus)
        m_staticStatus->setText(m_strCurrentFolder);

    m_fileList.Fill(m_strCurrentFolder, m_session.m_strFileMask);
}

void CBrowserDlg::OnListView()
{
    if (!m_listFiles)
        return;
    // From report view to list view; the small-icon view of start-up stays.
    if (m_listFiles->GetStyle() & CListCtrl::LVS_REPORT)
        m_listFiles->ModifyStyle(0, CListCtrl::LVS_LIST);
}

void CBrowserDlg::OnDetailsView()
{
    if (!m_listFiles)
        return;
    // Small-icon or list view to report view, with the column headings.
    if (m_listFiles->GetStyle() & CListCtrl::LVS_TYPEMASK)
        m_listFiles->ModifyStyle(CListCtrl::LVS_SMALLICON, CListCtrl::LVS_REPORT);
}
