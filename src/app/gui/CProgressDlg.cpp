#include "app/gui/CProgressDlg.h"

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
    if (!IsWindowCreated())
        return;
    PaceUpdates();
    SetDlgItemText(res::IDC_PROGRESS_TEXT, text);
}

unsigned CProgressDlg::StepIt()
{
    if (!IsWindowCreated() || !m_progress)
        return 0;
    PaceUpdates();
    PumpMessages();
    // Events handled while pumping may have destroyed the window.
    if (!IsWindowCreated() || !m_progress)
        return 0;
    return static_cast<unsigned>(m_progress->StepIt()) & 0xFFFFu;
}

void CProgressDlg::PaceUpdates()
{
    if (!m_frameClock.isValid() || m_frameClock.elapsed() >= m_nFrameMs) {
        HoldUpdates(false);
        m_frameClock.restart();
    } else {
        HoldUpdates(true);
        PostRefresh();
    }
}

void CProgressDlg::HoldUpdates(bool hold)
{
    if (m_bHeld == hold)
        return;
    m_bHeld = hold;
    // Enabling a control's updates schedules its paint with the latest state.
    for (QWidget* control : {GetDlgItem(res::IDC_PROGRESS_TEXT), GetDlgItem(res::IDC_PROGRESS_BAR)}) {
        if (control)
            control->setUpdatesEnabled(!hold);
    }
}

void CProgressDlg::PostRefresh()
{
    if (m_bRefreshPosted)
        return;
    m_bRefreshPosted = true;
    // Runs at the next turn of the event loop: a step's pump, or whatever
    // loop runs after the scan. Held painting is let go once a frame is due.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_bRefreshPosted = false;
            // Painting is held only while the frame clock runs, so this
            // lets it go or posts the refresh again.
            if (m_bHeld && IsWindowCreated())
                PaceUpdates();
        },
        Qt::QueuedConnection);
}

void CProgressDlg::PumpMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

bool CProgressDlg::DestroyWindow()
{
    ReenableOwner();
    HoldUpdates(false);
    m_frameClock.invalidate();
    m_progress = nullptr;
    return CDialog::DestroyWindow();
}

void CProgressDlg::ReenableOwner()
{
    if (m_bOwnerDisabled && m_pOwner)
        m_pOwner->setEnabled(true);
    m_bOwnerDisabled = false;
}
