#pragma once
// The Helpers page of the Options sheet: the browser window's helper list
// by name, the fields of the row with the caret, and the buttons that add,
// edit and delete a helper or bring back the default helpers.
//
// The page works on the browser's list itself. Add, Edit and Default change
// it at once, whatever button later closes the sheet; Delete only takes the
// row off the page, and the helper leaves the list when the sheet commits
// (OK or Apply). Cancel drops the deletions not yet committed.

#include "helpers/CHelperEntry.h"
#include "platform/gui/CPropertyPage.h"

class CListBox;
class QLineEdit;

class COptionsHelpers : public CPropertyPage {
    Q_OBJECT
public:
    Q_INVOKABLE COptionsHelpers();
    ~COptionsHelpers() override;

    // Button handlers. Add, Edit and Delete have disabled buttons; their
    // handlers work whenever they are called.
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnDefault();
    // Shows the fields of the helper in the caret row.
    void OnSelchangeHelpers();
    // Commit (OK and Apply): the deletions take effect.
    void OnOK() override;
    // Cancel: the deletions not yet committed are dropped.
    void OnCancel() override;

    QLineEdit* m_editExtension = nullptr;
    CListBox* m_lbHelpers = nullptr;
    QLineEdit* m_editDescription = nullptr;
    QLineEdit* m_editContentType = nullptr;
    QLineEdit* m_editApplication = nullptr;
    CHelperList* m_pHelperList = nullptr;         // the browser's, not owned
    CHelperList* m_pDefaultHelperList = nullptr;  // the browser's, not owned
    CHelperRefList m_pendingDeletes;              // deleted rows' helpers, not owned

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    bool OnCommand(int id) override;

private:
    // Adds a row for the helper at its sorted place, selected if select is.
    void AddRow(CHelperEntry* helper, bool select = false);
};
