#pragma once
// A modal property sheet: a caption, one tab per page in the order the
// pages were added, and the OK, Cancel and Apply buttons below them.
//
// The sheet follows the Windows property sheet's rules:
// - a page's controls are built when its tab is first shown (the start page
//   at once), and stay until the sheet closes;
// - leaving a page (another tab, OK, Apply) reads its controls back into
//   its members (CPropertyPage::OnKillActive);
// - OK and Apply then call the commit (OnOK) of every page whose controls
//   exist, in page order; OK then closes with IDOK; Apply leaves the sheet
//   open and turns itself off again;
// - Cancel (and Esc, and the close box) reads nothing back, calls each
//   built page's OnCancel and closes with IDCANCEL;
// - Apply is enabled while any page is marked modified.
// The sheet runs through the modal runner like every dialog. Its frame is a
// template of its own holding the OK, Cancel and Apply (dlg::ID_APPLY_NOW)
// buttons, which the sheet places below the tabs.

#include "platform/gui/CDialog.h"
#include "platform/gui/PropertyPageHost.h"

#include <vector>

class CPropertyPage;
class QTabWidget;

class CPropertySheet : public CDialog, public PropertyPageHost {
    Q_OBJECT
public:
    // frame: the template of the sheet's buttons; iSelectPage is the page
    // shown when the sheet opens.
    CPropertySheet(const dlg::Template& frame, const QString& caption, QWidget* parent = nullptr,
                   int iSelectPage = 0);
    ~CPropertySheet() override;

    // Appends a page (not owned; it must outlive the sheet's runs).
    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;

    // Before the run: the page to open on. During the run: switches tabs as
    // the user would (the page left reads its controls back first). False
    // for an index out of range or when the page left refuses.
    bool SetActivePage(int index);
    bool SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }
    int GetActiveIndex() const;
    CPropertyPage* GetActivePage() const { return GetPage(GetActiveIndex()); }

    void SetTitle(const QString& caption);
    // The tab control while the sheet runs; null otherwise.
    QTabWidget* GetTabControl() const { return m_pTabs; }

    // A page changed its modified state.
    void PageChanged() override;

    // The sheet's buttons.
    void OnOK() override;
    void OnCancel() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnDestroy() override;

private:
    void OnTabChanged(int index);
    void ActivatePage(int index);
    bool ApplyPages(bool bClosing);
    void LayoutSheet(const QSize& pageSize);
    void OrderFocus(CPropertyPage* page);

    std::vector<CPropertyPage*> m_pages;
    std::vector<QWidget*> m_panes;
    QTabWidget* m_pTabs = nullptr;
    QString m_strCaption;
    int m_nStartPage = 0;
    int m_nActive = -1;
};
