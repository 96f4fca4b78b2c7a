#pragma once
// The choice among several helpers that can open one file: their names in a
// sorted list box, the first line selected; OK, Enter or a double-click on a
// line returns that line's helper.

#include "helpers/CHelperEntry.h"
#include "platform/gui/CDialog.h"

class CListBox;

class CViewerChoiceDlg : public CDialog {
    Q_OBJECT
public:
    explicit CViewerChoiceDlg(QWidget* pParent = nullptr);
    ~CViewerChoiceDlg() override;

    // The candidates to offer; the list and its entries stay the caller's
    // and must outlive the modal run.
    void SetViewerList(const CHelperRefList* pViewers) { m_pViewers = pViewers; }
    // The helper chosen with OK; null until then, and when OK found no line.
    CHelperEntry* GetSelectedViewer() const { return m_pSelected; }

    // Takes the selected line's helper and ends with IDOK. With no line
    // selected (an empty list) there is nothing to return: the dialog ends
    // with IDCANCEL and no helper.
    void OnOK() override;

    CListBox* m_lbViewers = nullptr;
    const CHelperRefList* m_pViewers = nullptr;
    CHelperEntry* m_pSelected = nullptr;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;

private:
    void KeepListBelowText();
};
