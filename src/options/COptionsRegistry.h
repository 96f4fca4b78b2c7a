#pragma once
// The Registry page of the Options sheet: the system viewers, one row per
// file extension, with the file type name, content type and open command
// of the selected row. It only looks: the list is borrowed from the browser
// window and nothing on the page changes it.

#include "helpers/CHelperEntry.h"
#include "platform/gui/CPropertyPage.h"

class CListBox;
class QLineEdit;

class COptionsRegistry : public CPropertyPage {
    Q_OBJECT
public:
    Q_INVOKABLE COptionsRegistry();
    ~COptionsRegistry() override;

    // Shows the selected row's description, content type and application.
    void OnSelchangeExtensions();

    QLineEdit* m_editApplication = nullptr;
    QLineEdit* m_editDescription = nullptr;
    QLineEdit* m_editContentType = nullptr;
    CListBox* m_lbExtensions = nullptr;
    CHelperList* m_pSystemViewers = nullptr;  // shown when the page is built; not owned, may be null

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;

private:
    // Keeps texts that grew in the dialog's font clear of their neighbours.
    void FitLayout();
};
