#include "options/COptionsRegistry.h"

#include "platform/gui/CDataExchange.h"
#include "platform/gui/CListBox.h"
#include "res/StringTable.h"
#include "res/gui/OptionsRegistryTemplate.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

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

void COptionsRegistry::FitLayout()
{
    // The second half of the notice starts below the first, however many
    // lines the first needs.
    QLabel* first = nullptr;
    QLabel* second = nullptr;
    const QList<QLabel*> labels = findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    for (QLabel* label : labels) {
        if (label->text() == res::Decode(res::kRegistryNoticeFirst))
            first = label;
        else if (label->text() == res::Decode(res::kRegistryNoticeSecond))
            second = label;
    }
    if (first && second && second->y() <= first->geometry().bottom())
        second->move(second->x(), first->geometry().bottom() + 1);

    // The three edits start right of the widest of the labels beside them,
    // keeping their right edge.
    QLineEdit* const edits[] = {m_editDescription, m_editContentType, m_editApplication};
    int labelsRight = 0;
    for (const QLineEdit* edit : edits) {
        if (!edit)
            continue;
        const QRect e = edit->geometry();
        for (const QLabel* label : labels) {
            const QRect l = label->geometry();
            if (l.left() < e.left() && l.top() <= e.bottom() && e.top() <= l.bottom())
                labelsRight = std::max(labelsRight, l.right());
        }
    }
    const int left = labelsRight + MapDialogRect(0, 0, 3, 0).width() + 1;
    for (QLineEdit* edit : edits) {
        if (edit && edit->x() < left) {
            QRect r = edit->geometry();
            r.setLeft(left);
            edit->setGeometry(r);
        }
    }
}

bool COptionsRegistry::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    FitLayout();
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
    SetDlgItemText(res::IDC_REG_DESCRIPTION, viewer->m_strDescription);
    SetDlgItemText(res::IDC_REG_CONTENT_TYPE, viewer->m_strContentType);
    SetDlgItemText(res::IDC_REG_APPLICATION, viewer->m_strApplication);
}
