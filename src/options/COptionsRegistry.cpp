#include "options/COptionsRegistry.h"

#include "platform/gui/CDataExchange.h"
#include "platform/gui/CListBox.h"
#include "res/gui/OptionsRegistryTemplate.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace {
// Shows a text from its beginning, as a Windows edit does.
void ShowText(QLineEdit* edit, const QString& text)
{
    if (!edit)
        return;
    edit->setText(text);
    edit->setCursorPosition(0);
}
}  // namespace

COptionsRegistry::COptionsRegistry() : CPropertyPage(res::kOptionsRegistryTemplate) {}

COptionsRegistry::~COptionsRegistry() = default;

void COptionsRegistry::DoDataExchange(CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, res::IDC_REG_APPLICATION, m_editApplication);
    DDX_Control(dx, res::IDC_REG_DESCRIPTION, m_editDescription);
    DDX_Control(dx, res::IDC_REG_CONTENT_TYPE, m_editContentType);
    DDX_Control(dx, res::IDC_REG_EXTENSIONS, m_lbExtensions);
}

bool COptionsRegistry::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (!m_lbExtensions)
        return true;
    connect(m_lbExtensions, &CListBox::selChange, this, &COptionsRegistry::OnSelchangeExtensions);
    if (!m_pSystemViewers)
        return true;
    {
        // The rows sort themselves by extension, whatever the list's order.
        const QSignalBlocker quiet(m_lbExtensions);
        for (const auto& viewer : *m_pSystemViewers) {
            const int row = m_lbExtensions->AddString(viewer->m_strExtension);
            m_lbExtensions->SetItemDataPtr(row, viewer.get());
        }
        m_lbExtensions->SetCurSel(0);
    }
    OnSelchangeExtensions();
    return true;
}

void COptionsRegistry::OnSelchangeExtensions()
{
    if (!m_lbExtensions)
        return;
    const int row = m_lbExtensions->GetCurSel();
    if (row == CListBox::LB_ERR)
        return;
    const auto* viewer = static_cast<const CHelperEntry*>(m_lbExtensions->GetItemDataPtr(row));
    if (!viewer)
        return;
    ShowText(m_editDescription, viewer->m_strDescription);
    ShowText(m_editContentType, viewer->m_strContentType);
    ShowText(m_editApplication, viewer->m_strApplication);
}
