#include "open/gui/CViewerChoiceDlg.h"

#include "platform/WinTypes.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CListBox.h"
#include "res/gui/ViewerChoiceTemplate.h"

#include <QLabel>

#include <algorithm>

CViewerChoiceDlg::CViewerChoiceDlg(QWidget* pParent) : CDialog(res::kViewerChoiceTemplate, pParent) {}

CViewerChoiceDlg::~CViewerChoiceDlg() = default;

void CViewerChoiceDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, res::IDC_VIEWER_LIST, m_lbViewers);
}

bool CViewerChoiceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_lbViewers)
        return true;
    KeepListBelowText();
    if (m_pViewers) {
        for (CHelperEntry* entry : *m_pViewers) {
            if (!entry)
                continue;
            const int line = m_lbViewers->AddString(entry->m_strName);
            m_lbViewers->SetItemDataPtr(line, entry);
        }
    }
    m_lbViewers->SetCurSel(0);
    // A double-click on a line chooses it, as OK does.
    connect(m_lbViewers, &CListBox::dblClk, this, [this] { OnOK(); });
    m_lbViewers->setFocus();
    return true;
}

void CViewerChoiceDlg::KeepListBelowText()
{
    // The explanation grows downwards when the dialog's font needs more
    // lines than the template gave it; the list then starts below its last
    // line and keeps its bottom edge.
    int textBottom = -1;
    for (const QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        textBottom = std::max(textBottom, label->geometry().bottom());
    QRect list = m_lbViewers->geometry();
    const int top = textBottom + 1 + MapDialogRect(0, 0, 0, 2).height();
    if (textBottom < 0 || list.top() >= top)
        return;
    list.setTop(std::min(top, list.bottom() - MapDialogRect(0, 0, 0, 16).height()));
    m_lbViewers->setGeometry(list);
}

void CViewerChoiceDlg::OnOK()
{
    const int line = m_lbViewers ? m_lbViewers->GetCurSel() : CListBox::LB_ERR;
    if (line == CListBox::LB_ERR) {
        m_pSelected = nullptr;
        EndDialog(IDCANCEL);
        return;
    }
    m_pSelected = static_cast<CHelperEntry*>(m_lbViewers->GetItemDataPtr(line));
    CDialog::OnOK();
}
