#include "open/CFindHelperDlg.h"

#include "app/CProgressDlg.h"
#include "browser/FileNames.h"
#include "platform/DriveTable.h"
#include "platform/FileFinder.h"
#include "platform/WinTypes.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CTreeCtrl.h"
#include "res/StringTable.h"
#include "res/gui/FindHelperTemplate.h"

#include <QDir>

#include <utility>
#include <vector>

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
        QTreeWidgetItem* item = InsertFolderItem(name, name, nullptr);
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

QTreeWidgetItem* CFindHelperDlg::InsertFolderItem(const QString& text, const QString& path, QTreeWidgetItem* parent)
{
    QTreeWidgetItem* item = m_tree->InsertItem(text, parent);
    auto owned = std::make_unique<QString>(path);
    QString* data = owned.get();
    m_itemPaths.emplace(data, std::move(owned));
    m_tree->SetItemData(item, data);
    m_tree->InsertItem(QString(), item);  // placeholder: the expander shows before the folder is read
    return item;
}

const QString* CFindHelperDlg::ItemPath(QTreeWidgetItem* item) const
{
    const void* data = m_tree ? m_tree->GetItemData(item) : nullptr;
    const auto owned = data ? m_itemPaths.find(data) : m_itemPaths.end();
    return owned != m_itemPaths.end() ? owned->second.get() : nullptr;
}

void CFindHelperDlg::OnSelChangedTree(QTreeWidgetItem* item)
{
    const QString* path = ItemPath(item);
    m_strStartPath = path ? *path : QString();
}

void CFindHelperDlg::OnItemExpandingTree(QTreeWidgetItem* item)
{
    if (!m_tree || !m_tree->ItemHasChildren(item))
        return;
    QTreeWidgetItem* first = m_tree->GetChildItem(item);
    if (!m_tree->GetItemText(first).isEmpty())
        return;  // read before
    m_tree->DeleteItem(first);
    if (const QString* path = ItemPath(item))
        AddSubfolders(*path, item);
}

void CFindHelperDlg::AddSubfolders(const QString& folderPath, QTreeWidgetItem* item)
{
    FileFinder finder;
    if (finder.FindFirst(folderPath + QStringLiteral("\\*"))) {
        do {
            const FindEntry& entry = finder.Entry();
            if (entry.name.startsWith(u'.'))
                continue;
            // Plain folders only: links and folders with further attributes
            // are left out.
            if (entry.attributes != FILE_ATTRIBUTE_DIRECTORY)
                continue;
            const QString shown = browser::DisplayName(entry.name);
            InsertFolderItem(shown, folderPath + u'/' + shown, item);
        } while (finder.FindNext());
        finder.Close();
    }
    m_tree->SortChildren(item);
}

void CFindHelperDlg::FreeItemData(QTreeWidgetItem* item)
{
    if (!m_tree || !item)
        return;
    // Walks without recursion: a pending list of (parent, first index).
    QTreeWidgetItem* parent = item->parent() ? item->parent() : m_tree->invisibleRootItem();
    std::vector<std::pair<QTreeWidgetItem*, int>> pending{{parent, parent->indexOfChild(item)}};
    while (!pending.empty()) {
        auto [owner, first] = pending.back();
        pending.pop_back();
        for (int i = std::max(first, 0); i < owner->childCount(); ++i) {
            QTreeWidgetItem* child = owner->child(i);
            if (const void* data = m_tree->GetItemData(child)) {
                m_itemPaths.erase(data);
                m_tree->SetItemData(child, nullptr);
            }
            if (child->childCount() > 0)
                pending.emplace_back(child, 0);
        }
    }
}

void CFindHelperDlg::OnDestroy()
{
    CDialog::OnDestroy();
    if (m_tree)
        FreeItemData(m_tree->GetRootItem());
    m_itemPaths.clear();
    m_tree = nullptr;
}
