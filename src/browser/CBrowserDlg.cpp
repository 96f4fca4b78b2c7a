#include "browser/CBrowserDlg.h"

#include "app/CAboutDlg.h"
#include "app/CBrowserApp.h"
#include "app/CProgressDlg.h"
#include "app/CVolumeContentsDlg.h"
#include "browser/FileNames.h"
#include "helpers/HelperSettings.h"
#include "label/LabelReader.h"
#include "open/COpenWithHelper.h"
#include "open/SearchForFile.h"
#include "options/COptions.h"
#include "platform/DriveTable.h"
#include "platform/FileFinder.h"
#include "platform/FileStatus.h"
#include "platform/ModalRunner.h"
#include "platform/ProgramDir.h"
#include "platform/WinTypes.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CListCtrl.h"
#include "platform/gui/CTreeCtrl.h"
#include "platform/gui/HelpPage.h"
#include "res/StringTable.h"
#include "res/gui/Artwork.h"
#include "res/gui/BrowserTemplate.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>

#include <memory>
#include <vector>

CBrowserDlg::CBrowserDlg(QWidget* parent) : CDialog(res::kBrowserTemplate, parent)
{
    m_hIcon = res::LoadAppIcon();
    m_bLayoutReady = false;
    m_strContentsFile.clear();
    m_strFileMask = QStringLiteral("*.lbl");
    m_bTranslate = 1;
    m_helperList.clear();
    platform::ChDir(QStringLiteral("\\"));
    m_imageList.Create(res::LoadBitmap(res::IDB_FILE_TYPES, QSize(48, 16), devicePixelRatioF()), 16);

    // Settings and lists, in this order: the default helpers (vellor.ini or
    // the built-in table), the three options, the helper list as a copy of
    // the defaults, the system viewers.
    LoadBrowserSettings(ProgramDir(), m_defaultHelperList, m_helperList, m_systemViewerList, m_strFileMask,
                        m_bTranslate, m_bShowFullPath);
}

CBrowserDlg::~CBrowserDlg()
{
    // The controls may outlive this object's own members (they go with the
    // widget base): they must not call back into it any more.
    DisconnectBrowsingControls();
}

QString CBrowserDlg::ProgramDir() const
{
    if (const auto* app = dynamic_cast<const CBrowserApp*>(AfxGetApp()); app && !app->m_strProgramDir.isEmpty())
        return app->m_strProgramDir;
    return platform::ProgramDirectory();
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

    if (m_listFiles) {
        m_listFiles->SetImageList(m_imageList.Icons());
        InsertFileListColumns();
    }
    ConnectBrowsingControls();

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
    switch (id) {
    case res::ID_HELP:
        OnHelp();
        return true;
    case res::IDC_CONTENT:
        OnContent();
        return true;
    case res::IDC_OPTIONS:
        OnOptions();
        return true;
    case res::IDC_UPDIR:
        OnUpDir();
        return true;
    case res::IDC_LISTVIEW:
        OnListView();
        return true;
    case res::IDC_DETAILSVIEW:
        OnDetailsView();
        return true;
    default:
        return CDialog::OnCommand(id);
    }
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
    const QString page = platform::FindHelpPage(ProgramDir(), res::Text(res::TextId::HelpPageName));
    if (page.isEmpty() || !platform::OpenHelpPage(page))
        AfxMessageBox(res::Text(res::TextId::HelpPageMissing), MessageButtons::Ok, MessageIcon::Exclamation);
}

void CBrowserDlg::OnOptions()
{
    // The pages get the lists themselves and copies of the settings; the
    // Helpers page changes the helper list in place.
    COptions options;
    options.m_pageHelpers.m_pHelperList = &m_helperList;
    options.m_pageHelpers.m_pDefaultHelperList = &m_defaultHelperList;
    options.m_pageRegistry.SetSystemViewerList(&m_systemViewerList);
    options.m_pageGeneral.m_strFileMask = m_strFileMask;
    options.m_pageGeneral.m_bTranslate = m_bTranslate;
    options.m_pageGeneral.m_bShowFullPath = m_bShowFullPath;
    if (options.DoModal() != IDOK)
        return;
    // Only OK hands the settings back.
    m_strFileMask = options.m_pageGeneral.m_strFileMask;
    m_bTranslate = options.m_pageGeneral.m_bTranslate;
    m_bShowFullPath = options.m_pageGeneral.m_bShowFullPath;
    if (m_staticStatus)
        m_staticStatus->setVisible(m_bShowFullPath != 0);
    FillFileList();
}

void CBrowserDlg::OnDestroy()
{
    // The help page runs in the desktop's browser: nothing to release.
    if (m_treeFolders && m_treeFolders->GetRootItem())
        FreeTreeItems(m_treeFolders->GetRootItem());
    SaveBrowserSettings(m_strFileMask, m_bTranslate, m_bShowFullPath, m_systemViewerList, m_helperList,
                        m_defaultHelperList);
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
    if (!m_listFiles || m_nChangedItem < 0 || m_nChangedItem >= m_listFiles->GetItemCount())
        return;
    const void* data = m_listFiles->GetItemData(m_nChangedItem);
    if (!m_listRecords.Holds(data))
        return;
    // A copy: entering a folder rebuilds the list, and its records with it.
    const auto* record = static_cast<const CFileItem*>(data);
    const CFileItem item(record->m_strName, record->m_strPath, record->m_nType);
    COpenWithHelper(*this).Open(item);
}

// ---------------------------------------------------------------------------
// Folder tree and file list.

void CBrowserDlg::InsertFileListColumns()
{
    while (m_listFiles->GetColumnCount() > 0)
        m_listFiles->DeleteColumn(0);
    m_listFiles->InsertColumn(0, res::Text(res::TextId::ColumnFileName), Qt::AlignLeft, 120);
    m_listFiles->InsertColumn(1, res::Text(res::TextId::ColumnContentType), Qt::AlignLeft, 90);
    m_listFiles->InsertColumn(2, res::Text(res::TextId::ColumnSize), Qt::AlignRight, 60);
}

void CBrowserDlg::ConnectBrowsingControls()
{
    DisconnectBrowsingControls();
    if (m_treeFolders) {
        m_browseConnections.push_back(connect(m_treeFolders, &CTreeCtrl::selChanged, this,
                                              [this](QTreeWidgetItem*) { OnSelChangedFolderTree(); }));
        m_browseConnections.push_back(connect(m_treeFolders, &CTreeCtrl::itemExpanding, this,
                                              [this](QTreeWidgetItem* item, bool) { OnItemExpandingFolderTree(item); }));
    }
    if (m_listFiles) {
        m_browseConnections.push_back(
            connect(m_listFiles, &CListCtrl::itemChanged, this, &CBrowserDlg::OnItemChangedFileList));
        m_browseConnections.push_back(connect(m_listFiles, &CListCtrl::deleteItem, this,
                                              [this](int item, void*) { OnDeleteItemFileList(item); }));
        m_browseConnections.push_back(connect(m_listFiles, &CListCtrl::dblClk, this, &CBrowserDlg::OnDblclkFileList));
    }
}

void CBrowserDlg::DisconnectBrowsingControls()
{
    for (const QMetaObject::Connection& connection : m_browseConnections)
        disconnect(connection);
    m_browseConnections.clear();
}

CFileItem* CBrowserDlg::TreeRecord(QTreeWidgetItem* item) const
{
    if (!item || !m_treeFolders)
        return nullptr;
    void* data = m_treeFolders->GetItemData(item);
    // Only records the tree still owns count; freed ones are never read.
    return m_treeRecords.Holds(data) ? static_cast<CFileItem*>(data) : nullptr;
}

void CBrowserDlg::InitFolderTree(const QString& rootName)
{
    if (!m_treeFolders)
        return;
    // A tree built before gives its records back first.
    if (HTREEITEM oldRoot = m_treeFolders->GetRootItem())
        FreeTreeItems(oldRoot);
    m_treeFolders->DeleteAllItems();

    HTREEITEM root = m_treeFolders->InsertItem(rootName);
    m_treeFolders->SetItemData(root, m_treeRecords.Add(QString(), rootName, CFileItem::Folder));
    ScanSubfolders(rootName, root);
    m_treeFolders->SelectItem(root);  // reports the selection: working directory and file list
    m_treeFolders->Expand(root);      // reports the expansion: nothing left to read
    if (m_staticStatus)
        m_staticStatus->setText(rootName);
}

void CBrowserDlg::ScanSubfolders(const QString& folderPath, QTreeWidgetItem* parent)
{
    if (!m_treeFolders || !parent)
        return;
    // The progress window disables this one, which takes the keyboard
    // focus from the tree; it goes back when the window is enabled again.
    const QPointer<QWidget> focus = focusWidget();
    CProgressDlg progress;
    progress.Create(this);
    progress.SetMessageText(res::Text(res::TextId::ScanningForDrives));
    const auto finish = [&progress, &focus] {
        progress.DestroyWindow();
        if (focus && focus->isEnabled())
            focus->setFocus();
    };

    FileFinder finder;
    if (!finder.FindFirst(folderPath + QLatin1String("\\*"))) {
        finish();
        return;
    }
    // The new items are made first and added after the existing children
    // in one step, in the order the search returned them.
    std::vector<std::unique_ptr<QTreeWidgetItem>> children;
    do {
        const FindEntry& entry = finder.Entry();
        // Dot-names are hidden; only plain folders count, so links to
        // folders (and anything else with more bits) never show.
        if (entry.name.startsWith(u'.') || entry.attributes != FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const QString name = browser::DisplayName(entry.name);
        std::unique_ptr<QTreeWidgetItem> child = CTreeCtrl::NewItem(name);
        m_treeFolders->SetItemData(child.get(),
                                   m_treeRecords.Add(name, folderPath + u'/' + name, CFileItem::Folder));
        child->addChild(CTreeCtrl::NewItem(QString()).release());  // placeholder: not read yet
        children.push_back(std::move(child));
    } while (finder.FindNext());
    finder.Close();
    m_treeFolders->AppendItems(parent, std::move(children));
    m_treeFolders->SortChildren(parent);
    finish();
}

void CBrowserDlg::ExpandFolder(QTreeWidgetItem* item)
{
    const CFileItem* record = TreeRecord(item);
    if (!record)
        return;
    const QString path = record->m_strPath;
    m_strCurrentFolder = path;
    HTREEITEM first = m_treeFolders->GetChildItem(item);
    if (first && m_treeFolders->GetItemText(first).isEmpty() && !m_treeFolders->GetItemData(first)) {
        m_treeFolders->DeleteItem(first);
        ScanSubfolders(path, item);
    }
}

void CBrowserDlg::FreeTreeItems(QTreeWidgetItem* item)
{
    if (!item || !m_treeFolders)
        return;
    // The item, its descendants, and every following sibling with its
    // descendants. Walked by position with an explicit stack, so neither
    // wide folders nor deep trees cost more than one visit per item.
    QTreeWidgetItem* parent = item->parent() ? item->parent() : m_treeFolders->invisibleRootItem();
    std::vector<QTreeWidgetItem*> pending;
    for (int i = parent->childCount() - 1, first = parent->indexOfChild(item); i >= first && first >= 0; --i)
        pending.push_back(parent->child(i));
    while (!pending.empty()) {
        QTreeWidgetItem* current = pending.back();
        pending.pop_back();
        m_treeRecords.Free(m_treeFolders->GetItemData(current));
        m_treeFolders->SetItemData(current, nullptr);
        for (int i = current->childCount() - 1; i >= 0; --i)
            pending.push_back(current->child(i));
    }
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
        const CFileItem* record = TreeRecord(child);
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
    const CFileItem* record = TreeRecord(item);
    if (!record)
        return;
    m_strCurrentFolder = record->m_strPath;
    platform::ChDir(m_strCurrentFolder);  // a folder that cannot be entered still lists (empty)
    ExpandFolder(item);
    FillFileList();
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
    m_listFiles->DeleteAllItems();  // each item's record goes with it
    // The recorded item went with the list; an index into the new list
    // would name an unrelated file.
    m_nChangedItem = -1;
    m_nChangedSubItem = 0;
    if (m_staticStatus)
        m_staticStatus->setText(m_strCurrentFolder);

    FileFinder finder;
    if (!finder.FindFirst(m_strCurrentFolder + u'\\' + m_strFileMask))
        return;
    int next = 0;
    do {
        const FindEntry& entry = finder.Entry();
        if (entry.name.startsWith(u'.'))
            continue;
        const bool isFolder = (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const QString extension = browser::Extension(entry.name);
        const int type = browser::FileType(isFolder, extension);
        const QString name = browser::DisplayName(entry.name);
        const QString path = m_strCurrentFolder + u'/' + name;
        const int item = m_listFiles->InsertItem(next++, name, type);
        m_listFiles->SetItemData(item, m_listRecords.Add(name, path, type));
        m_listFiles->SetItemText(item, 1, ContentTypeColumn(isFolder, extension, path));
        m_listFiles->SetItemText(item, 2, SizeColumn(isFolder, entry.attributes, entry.size, path));
    } while (finder.FindNext());
    finder.Close();
    m_listFiles->SortItems([](void* a, void* b) {
        return CompareFileItems(static_cast<const CFileItem*>(a), static_cast<const CFileItem*>(b), 0);
    });
}

QString CBrowserDlg::ContentTypeColumn(bool isFolder, const QString& extension, const QString& path) const
{
    if (isFolder)
        return res::Text(res::TextId::FolderContentType);
    if (extension == QLatin1String(".lbl"))
        return GetLabelContentType(path);  // reports a label it cannot open, then gives ""
    return extension;
}

QString CBrowserDlg::SizeColumn(bool isFolder, std::uint32_t attributes, std::int64_t size, const QString& path) const
{
    if (isFolder)
        return {};
    // The listing gives the size of a link's target; a link whose target
    // is gone has no size to show.
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        FileStatus status;
        if (!platform::GetStatus(path, status))
            return {};
        size = status.size;
    }
    return browser::SizeText(size);
}

int CBrowserDlg::CompareFileItems(const CFileItem* record1, const CFileItem* record2, long)
{
    const auto folded = [](const CFileItem* record) {
        int c = record ? browser::FirstByte(record->m_strName) : 0;
        if (c >= 'a' && c <= 'z')
            c -= 32;
        return c;
    };
    return folded(record1) - folded(record2);
}

void CBrowserDlg::OnDeleteItemFileList(int item)
{
    if (m_listFiles)
        m_listRecords.Free(m_listFiles->GetItemData(item));
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

// ---------------------------------------------------------------------------
// Opening files.

bool CBrowserDlg::SearchForFile(QString folder, QString fileName, QString& foundPath, CProgressDlg* progress)
{
    return ::SearchForFile(std::move(folder), std::move(fileName), foundPath, progress);
}
