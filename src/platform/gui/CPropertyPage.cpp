#include "platform/gui/CPropertyPage.h"

#include "platform/gui/PropertyPageHost.h"

#include <QKeyEvent>

CPropertyPage::CPropertyPage(const dlg::Template& pageTemplate) : CDialog(pageTemplate, nullptr) {}

CPropertyPage::~CPropertyPage() = default;

QString CPropertyPage::GetCaption() const
{
    return Template().caption ? QString::fromUtf8(Template().caption) : QString();
}

void CPropertyPage::SetModified(bool bChanged)
{
    m_bModified = bChanged;
    if (m_pHost)
        m_pHost->PageChanged();
}

bool CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = false;
    else
        UpdateData(false);
    return true;
}

bool CPropertyPage::OnKillActive() { return UpdateData(true); }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

void CPropertyPage::keyPressEvent(QKeyEvent* event) { event->ignore(); }
