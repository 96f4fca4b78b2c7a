#include "browser/CBrowserDlg.h"

#include "app/CAboutDlg.h"
#include "app/CBrowserApp.h"
#include "app/CVolumeContentsDlg.h"
#include "helpers/HelperLists.h"
#include "platform/DriveTable.h"
#include "platform/ModalRunner.h"
#include "platform/ProgramDir.h"
#include "platform/WinTypes.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CListCtrl.h"
#include "platform/gui/CTreeCtrl.h"
#include "platform/gui/HelpPage.h"
#include "res/BrowserStrings.h"
#include "res/StringTable.h"
#include "res/gui/Artwork.h"
#include "res/gui/BrowserTemplate.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>

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

    // Settings and lists, in this order.
    LoadDefaultHelperList();
    LoadOptions();
    CopyHelpers(m_defaultHelperList, m_helperList);
    LoadSystemViewerList();
}

CBrowserDlg::~CBrowserDlg() = default;

QString CBrowserDlg::ProgramDir() const
{
    if (const auto* app = dynamic_cast<const CBrowserApp*>(AfxGetApp()); app && !app->m_strProgramDir.isEmpty())
        return app->m_strProgramDir;
    return platform::ProgramDirectory();
}

void CBrowserDlg::LoadDefaultHelperList()
{
    // The built-in table; vellor.ini beside the program replaces it once
    // the helper file is read here.
    AddDefaultHelpers(ProgramDir(), m_defaultHelperList);
}

void CBrowserDlg::LoadOptions()
{
    // The three settings keep their defaults until the settings store is
    // read here.
}

void CBrowserDlg::LoadSystemViewerList()
{
    // Filled by the system viewer scan.
}

void CBrowserDlg::SaveOptions()
{
    // The settings store is written here.
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
        // The columns of the file list are inserted here with the list.
    }

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
        const char* tip;
    };
    const Image images[] = {
        {m_btnUpDir, res::IDB_UPDIR, &m_bmpUpDir, res::kUpDirTip},
        {m_btnList, res::IDB_LIST, &m_bmpList, res::kListViewTip},
        {m_btnDetails, res::IDB_DETAILS, &m_bmpDetails, res::kDetailsViewTip},
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
        image.button->setToolTip(QString::fromLatin1(image.tip));
        image.button->setAccessibleName(QString::fromLatin1(image.tip));
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
    const QString page = platform::FindHelpPage(ProgramDir(), QString::fromLatin1(res::kHelpPageName));
    if (page.isEmpty() || !platform::OpenHelpPage(page))
        AfxMessageBox(QString::fromLatin1(res::kHelpPageMissing), MB_OK | MB_ICONEXCLAMATION);
}

void CBrowserDlg::OnDestroy()
{
    // The help page runs in the desktop's browser: nothing to release.
    if (m_treeFolders && m_treeFolders->GetRootItem())
        FreeTreeItems(m_treeFolders->GetRootItem());
    SaveOptions();
    DeleteHelpers(m_systemViewerList);
    DeleteHelpers(m_helperList);
    DeleteHelpers(m_defaultHelperList);
    m_bLayoutReady = false;
    CDialog::OnDestroy();
}

// Folder tree and file list: filled in by their own implementation.
void CBrowserDlg::InitFolderTree(const QString& rootName)
{
    m_strCurrentFolder = rootName;
    if (m_staticStatus)
        m_staticStatus->setText(rootName);
}

void CBrowserDlg::ScanSubfolders(const QString&, QTreeWidgetItem*) {}
void CBrowserDlg::ExpandFolder(QTreeWidgetItem*) {}
void CBrowserDlg::FreeTreeItems(QTreeWidgetItem*) {}
void CBrowserDlg::OpenSubfolder(const CFileItem&) {}
void CBrowserDlg::FillFileList() {}
int CBrowserDlg::CompareFileItems(const CFileItem*, const CFileItem*, long) { return 0; }
void CBrowserDlg::OnOptions() {}
void CBrowserDlg::OnUpDir() {}
void CBrowserDlg::OnListView() {}
void CBrowserDlg::OnDetailsView() {}
void CBrowserDlg::OnSelChangedFolderTree() {}
void CBrowserDlg::OnItemExpandingFolderTree(QTreeWidgetItem*) {}
void CBrowserDlg::OnItemChangedFileList(int item, int subItem)
{
    m_nChangedItem = item;
    m_nChangedSubItem = subItem;
}
void CBrowserDlg::OnDeleteItemFileList(int) {}
void CBrowserDlg::OnDblclkFileList() {}
