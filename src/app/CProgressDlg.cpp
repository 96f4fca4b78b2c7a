#include "app/CProgressDlg.h"

#include "platform/CWinApp.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CProgressCtrl.h"
#include "res/StringTable.h"
#include "res/gui/ProgressTemplate.h"

#include <QApplication>

CProgressDlg::CProgressDlg(unsigned nCaptionID)
    : CDialog(res::kProgressTemplate), m_nCaptionID(nCaptionID != 0 ? nCaptionID : res::IDS_SCANNING)
{
}

CProgressDlg::~CProgressDlg()
{
    if (IsWindowCreated())
        DestroyWindow();
}

void CProgressDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, res::IDC_PROGRESS_BAR, m_progress);
}

bool CProgressDlg::Create(QWidget* pParent)
{
    if (IsWindowCreated())
        return false;
    // The owner is the top-level window of the parent; with no parent, the
    // program's main window, else the active window.
    QWidget* owner = pParent ? pParent->window() : nullptr;
    if (!owner && AfxGetApp())
        owner = AfxGetApp()->m_pMainWnd;
    if (!owner)
        owner = QApplication::activeWindow();
    m_pOwner = owner;
    if (owner && owner->isEnabled()) {
        owner->setEnabled(false);
        m_bOwnerDisabled = true;
    }
    if (!CDialog::Create(pParent)) {
        ReenableOwner();
        return false;
    }
    return true;
}

bool CProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_progress) {
        m_progress->SetRange(m_nLower, m_nUpper);
        m_progress->SetStep(m_nStep);
        m_progress->SetPos(m_nLower);
    }
    setWindowTitle(res::LoadString(m_nCaptionID));
    return true;
}

void CProgressDlg::SetMessageText(const QString& text)
{
    if (IsWindowCreated())
        SetDlgItemText(res::IDC_PROGRESS_TEXT, text);
}

unsigned CProgressDlg::StepIt()
{
    if (!IsWindowCreated() || !m_progress)
        return 0;
    PumpMessages();
    // Events handled while pumping may have destroyed the window.
    if (!IsWindowCreated() || !m_progress)
        return 0;
    return static_cast<unsigned>(m_progress->StepIt()) & 0xFFFFu;
}

void CProgressDlg::PumpMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

bool CProgressDlg::DestroyWindow()
{
    ReenableOwner();
    m_progress = nullptr;
    return CDialog::DestroyWindow();
}

void CProgressDlg::ReenableOwner()
{
    if (m_bOwnerDisabled && m_pOwner)
        m_pOwner->setEnabled(true);
    m_bOwnerDisabled = false;
}
