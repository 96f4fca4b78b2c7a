#pragma once
// One page of a property sheet: a dialog built from a child template. The
// sheet builds its controls the first time its tab is shown, asks it to
// read its controls back when the user leaves it (OnKillActive), and calls
// its commit (OnOK) on OK and Apply, or OnCancel on Cancel.

#include "platform/gui/CDialog.h"

class PropertyPageHost;

class CPropertyPage : public CDialog {
    Q_OBJECT
public:
    // The template must carry the dlg::Child style.
    explicit CPropertyPage(const dlg::Template& pageTemplate);
    ~CPropertyPage() override;

    // The tab text: the template's caption.
    QString GetCaption() const;
    // The sheet the page is on, set when the sheet adds it.
    void SetHost(PropertyPageHost* host) { m_pHost = host; }

    // Marks the page changed (enables the sheet's Apply button) or
    // unchanged.
    void SetModified(bool bChanged = true);
    bool IsModified() const { return m_bModified; }
    // The sheet's side of the state: a new run starts unmodified, with its
    // first activation to come; a commit clears the mark without telling
    // the sheet, which looks at every page afterwards.
    void BeginSheetRun()
    {
        m_bModified = false;
        m_bFirstSetActive = true;
    }
    void ClearModified() { m_bModified = false; }

    // The page's tab was chosen. The first time after its controls were
    // built does nothing more (OnInitDialog wrote the members into them);
    // later activations write the members into the controls again.
    virtual bool OnSetActive();
    // The user leaves the page (another tab, OK, Apply): reads the controls
    // back into the members; false keeps the user on the page.
    virtual bool OnKillActive();

    // OK or Apply: the page's commit; nothing by default. Never ends
    // anything: the sheet decides when it closes.
    void OnOK() override;
    // Cancel: nothing by default.
    void OnCancel() override;

protected:
    // Enter and Esc belong to the sheet around the page.
    void keyPressEvent(QKeyEvent* event) override;

private:
    PropertyPageHost* m_pHost = nullptr;
    bool m_bModified = false;
    bool m_bFirstSetActive = true;
};
