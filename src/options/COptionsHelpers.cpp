#include "options/COptionsHelpers.h"

#include "helpers/HelperLists.h"
#include "options/CNewHelperDlg.h"
#include "platform/ModalRunner.h"
#include "platform/WinTypes.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CListBox.h"
#include "res/StringTable.h"
#include "res/gui/OptionsHelpersTemplate.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>
#include <new>
#include <utility>

COptionsHelpers::COptionsHelpers() : CPropertyPage(res::kOptionsHelpersTemplate) {}

COptionsHelpers::~COptionsHelpers() = default;

void COptionsHelpers::DoDataExchange(CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, res::IDC_HELPER_EXTENSION, m_editExtension);
    DDX_Control(dx, res::IDC_HELPER_NAMES, m_lbHelpers);
    DDX_Control(dx, res::IDC_HELPER_DESCRIPTION, m_editDescription);
    DDX_Control(dx, res::IDC_HELPER_CONTENT_TYPE, m_editContentType);
    DDX_Control(dx, res::IDC_HELPER_APPLICATION, m_editApplication);
}

bool COptionsHelpers::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (!m_lbHelpers)
        return true;
    // Only the user's changes of the selection reach the handler; the
    // page's own additions and removals of rows leave the fields alone.
    connect(m_lbHelpers, &CListBox::selChange, this, &COptionsHelpers::OnSelchangeHelpers);
    if (!m_pHelperList)
        return true;
    for (const auto& helper : *m_pHelperList)
        AddRow(helper.get());
    return true;
}

void COptionsHelpers::AddRow(CHelperEntry* helper, bool select)
{
    const QSignalBlocker quiet(m_lbHelpers);
    const int row = m_lbHelpers->AddString(helper->m_strName);
    m_lbHelpers->SetItemDataPtr(row, helper);
    if (select)
        m_lbHelpers->SetSel(row, true);
}

bool COptionsHelpers::OnCommand(int id)
{
    static constexpr std::pair<int, void (COptionsHelpers::*)()> kButtons[] = {
        {res::IDC_HELPER_ADD, &COptionsHelpers::OnAdd},
        {res::IDC_HELPER_EDIT, &COptionsHelpers::OnEdit},
        {res::IDC_HELPER_DELETE, &COptionsHelpers::OnDelete},
        {res::IDC_HELPER_DEFAULT, &COptionsHelpers::OnDefault},
    };
    for (const auto& [button, handler] : kButtons) {
        if (id == button) {
            (this->*handler)();
            return true;
        }
    }
    return CPropertyPage::OnCommand(id);
}

void COptionsHelpers::OnSelchangeHelpers()
{
    if (!m_lbHelpers)
        return;
    // The caret row of this multiple-selection list.
    const int row = m_lbHelpers->GetCurSel();
    if (row == CListBox::LB_ERR)
        return;
    const auto* helper = static_cast<const CHelperEntry*>(m_lbHelpers->GetItemDataPtr(row));
    if (!helper)
        return;
    SetDlgItemText(res::IDC_HELPER_DESCRIPTION, helper->m_strDescription);
    SetDlgItemText(res::IDC_HELPER_CONTENT_TYPE, helper->m_strContentType);
    SetDlgItemText(res::IDC_HELPER_APPLICATION, helper->m_strApplication);
    SetDlgItemText(res::IDC_HELPER_EXTENSION, helper->m_strExtension);
}

void COptionsHelpers::OnAdd()
{
    if (!m_lbHelpers || !m_pHelperList)
        return;
    CNewHelperDlg dialog;
    if (dialog.DoModal() != IDOK)
        return;
    std::unique_ptr<CHelperEntry> helper;
    try {
        helper = std::make_unique<CHelperEntry>(dialog.m_strContentType, dialog.m_strApplication,
                                                dialog.m_strDescription, dialog.m_strExtension, dialog.m_strName,
                                                QString());
        m_pHelperList->reserve(m_pHelperList->size() + 1);
    } catch (const std::bad_alloc&) {
        AfxMessageBox(res::Text(res::TextId::HelperNoMemory), MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    // The open flow sees the new helper from now on.
    CHelperEntry* added = helper.get();
    m_pHelperList->push_back(std::move(helper));
    AddRow(added, true);
    OnSelchangeHelpers();
    SetModified(true);
}

void COptionsHelpers::OnEdit()
{
    if (!m_lbHelpers)
        return;
    const int row = m_lbHelpers->GetCurSel();
    if (row == CListBox::LB_ERR)
        return;
    auto* helper = static_cast<CHelperEntry*>(m_lbHelpers->GetItemDataPtr(row));
    if (!helper)
        return;
    CNewHelperDlg dialog;
    dialog.m_strName = helper->m_strName;
    dialog.m_strApplication = helper->m_strApplication;
    dialog.m_strContentType = helper->m_strContentType;
    dialog.m_strDescription = helper->m_strDescription;
    dialog.m_strExtension = helper->m_strExtension;
    if (dialog.DoModal() != IDOK)
        return;
    {
        const QSignalBlocker quiet(m_lbHelpers);
        m_lbHelpers->DeleteString(row);
    }
    // The helper changes in place: it keeps its place in the list and its
    // message.
    helper->m_strName = dialog.m_strName;
    helper->m_strApplication = dialog.m_strApplication;
    helper->m_strContentType = dialog.m_strContentType;
    helper->m_strDescription = dialog.m_strDescription;
    helper->m_strExtension = dialog.m_strExtension;
    AddRow(helper, true);
    OnSelchangeHelpers();
    SetModified(true);
}

void COptionsHelpers::OnDelete()
{
    if (!m_lbHelpers)
        return;
    const int row = m_lbHelpers->GetCurSel();
    if (row == CListBox::LB_ERR)
        return;
    // The helper stays in the list until the sheet commits.
    m_pendingDeletes.push_back(static_cast<CHelperEntry*>(m_lbHelpers->GetItemDataPtr(row)));
    {
        const QSignalBlocker quiet(m_lbHelpers);
        m_lbHelpers->DeleteString(row);
    }
    SetModified(true);
}

void COptionsHelpers::OnOK()
{
    if (m_pHelperList) {
        // Found by pointer; one that has left the list meanwhile is
        // skipped.
        std::erase_if(*m_pHelperList, [this](const auto& helper) {
            return std::find(m_pendingDeletes.begin(), m_pendingDeletes.end(), helper.get()) != m_pendingDeletes.end();
        });
    }
    m_pendingDeletes.clear();
    CPropertyPage::OnOK();
}

void COptionsHelpers::OnCancel()
{
    // Nothing was removed yet; a later run of the same sheet must not
    // commit what this one dropped.
    m_pendingDeletes.clear();
    CPropertyPage::OnCancel();
}

void COptionsHelpers::OnDefault()
{
    if (AfxMessageBox(res::Text(res::TextId::DefaultHelpersQuestion), MessageButtons::OkCancel,
                      MessageIcon::Exclamation) != IDOK)
        return;
    if (m_lbHelpers) {
        const QSignalBlocker quiet(m_lbHelpers);
        while (m_lbHelpers->GetCount() > 0)
            m_lbHelpers->DeleteString(0);
    }
    if (m_pHelperList)
        DeleteHelpers(*m_pHelperList);
    m_pendingDeletes.clear();
    SetModified(true);
    if (!m_pDefaultHelperList || !m_pHelperList)
        return;
    // New copies, each a helper of the helper list alone.
    for (const auto& defaultHelper : *m_pDefaultHelperList) {
        auto copy = std::make_unique<CHelperEntry>(defaultHelper.get());
        if (m_lbHelpers)
            AddRow(copy.get());
        m_pHelperList->push_back(std::move(copy));
    }
}
