#include "open/gui/CFindHelperDlg.h"

#include "app/gui/CProgressDlg.h"
#include "platform/DriveTable.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CTreeCtrl.h"
#include "res/StringTable.h"
#include "res/gui/FindHelperTemplate.h"
#include "volume/CFileItem.h"

#include <QDir>

CFindHelperDlg::CFindHelperDlg(QWidget* pParent) : CDialog(res::kFindHelperTemplate, pParent) {}

CFindHelperDlg::~CFindHelperDlg() = default;

void CFindHelperDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, res::IDC_FIND_TREE, m_tree);
    DDX_Text(dx, res::IDC_FIND_MESSAGE, m_strMessage);
}

std::unique_ptr<CProgressDlg> CFindHelperDlg::MakeProgressDialog() { return std::make_unique<CProgressDlg>(0); }

bool CFindHelperDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_folders.Attach(m_tree);
    if (!m_tree)
        return true;
    connect(m_tree, &CTreeCtrl::selChanged, this, &CFindHelperDlg::OnSelChangedTree);
    connect(m_tree, &CTreeCtrl::itemExpanding, this, [this](QTreeWidgetItem* item, bool) {
        OnItemExpandingTree(item);
    });

    const std::unique_ptr<CProgressDlg> progress = MakeProgressDialog();
    progress->Create(this);
    progress->SetMessageText(res::Text(res::TextId::PreparingFindHelper));

    // Every drive that can be made current is offered, in letter order;
    // testing them moves the current drive, which is put back afterwards.
    const QString currentDir = QDir::currentPath();
    const int currentDrive = platform::GetDrive();
    QTreeWidgetItem* currentItem = nullptr;
    for (int drive = 1; drive <= DriveTable::kDriveCount; ++drive) {
        if (platform::ChDrive(drive) != 0)
            continue;
        const QString name = QString(platform::DriveLetter(drive)) + u':';
        progress->SetMessageText(res::Text(res::TextId::TestingForDrive, name));
        progress->StepIt();
        QTreeWidgetItem* item = m_folders.AddTopLevel(name, name, true);
        if (drive == currentDrive)
            currentItem = item;
    }
    if (currentItem)
        m_tree->SelectItem(currentItem);
    platform::ChDrive(currentDrive);
    // A current folder outside every drive cannot be reached through its
    // drive: put it back as it was.
    if (QDir::currentPath() != currentDir)
        QDir::setCurrent(currentDir);

    progress->DestroyWindow();
    return true;
}

void CFindHelperDlg::OnSelChangedTree(QTreeWidgetItem* item)
{
    const CFileItem* record = m_folders.Record(item);
    m_strStartPath = record ? record->m_strPath : QString();
}

void CFindHelperDlg::OnItemExpandingTree(QTreeWidgetItem* item)
{
    if (m_folders.IsUnread(item))
        m_folders.ReadSubfolders(item);
}

void CFindHelperDlg::OnDestroy()
{
    CDialog::OnDestroy();
    FreeItemData(m_tree ? m_tree->GetRootItem() : nullptr);
    m_folders.Attach(nullptr);
    m_tree = nullptr;
}
