#pragma once
// The Find Helper dialog: why a helper could not be started and what its
// program is called, and a tree of the drives and their folders (read when
// first opened) in which the user picks where to search for it.

#include "platform/gui/CDialog.h"
#include "volume/gui/FolderTree.h"

#include <QString>

#include <memory>

class CProgressDlg;
class CTreeCtrl;
class QTreeWidgetItem;

class CFindHelperDlg : public CDialog {
    Q_OBJECT
public:
    explicit CFindHelperDlg(QWidget* pParent = nullptr);
    ~CFindHelperDlg() override;

    // Path of the selected drive or folder ("C:", "D:/Software"): where the
    // search starts. Read after OK.
    QString m_strStartPath;
    CTreeCtrl* m_tree = nullptr;
    // The text of the message control; set before the dialog runs.
    QString m_strMessage;

    // Notifications of the tree (control 1050).
    void OnSelChangedTree(QTreeWidgetItem* item);
    void OnItemExpandingTree(QTreeWidgetItem* item);

    // Releases the records of item, its descendants and its following
    // siblings.
    void FreeItemData(QTreeWidgetItem* item) { m_folders.FreeRecords(item); }

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnDestroy() override;
    // The progress window of the drive test; tests watch it.
    virtual std::unique_ptr<CProgressDlg> MakeProgressDialog();

private:
    // The drives and their folders, read on first expansion.
    FolderTree m_folders;
};
