#pragma once
// The progress window of long scans: modeless, no buttons, cannot be closed
// by the user. While it exists it keeps its owner window disabled (when it
// found it enabled); each step lets pending events run and moves the bar
// on one tenth, starting over when it is full.
//
// A scan may step thousands of times a second, far faster than a screen
// shows frames. The text and the bar always hold the latest state, but the
// window is painted at most once per frame interval; the state left by the
// last step is painted at the next turn of the event loop after the
// interval (a posted refresh, no timer).

#include "platform/ProgressSink.h"
#include "platform/gui/CDialog.h"

#include <QElapsedTimer>
#include <QPointer>

class CProgressCtrl;

class CProgressDlg : public CDialog, public ProgressSink {
    Q_OBJECT
public:
    explicit CProgressDlg(unsigned nCaptionID = 0);
    ~CProgressDlg() override;

    // Creates the window above pParent; disables the owner (pParent's
    // window) when it is enabled. False when the window cannot be created.
    bool Create(QWidget* pParent) override;
    // Sets the text line (control 1005); painted at the next step.
    void SetMessageText(const QString& text) override;
    // Lets pending events run, then steps the bar; returns the position
    // before the step.
    unsigned StepIt() override;
    // Handles every pending event without waiting.
    void PumpMessages();
    // Enables the owner again if this dialog disabled it, then destroys the
    // window.
    bool DestroyWindow() override;

    // Enter and Esc do nothing: the dialog ends only when its caller ends it.
    void OnOK() override {}
    void OnCancel() override {}

    CProgressCtrl* m_progress = nullptr;
    unsigned m_nCaptionID;
    int m_nLower = 0;
    int m_nUpper = 10;
    int m_nStep = 1;
    QPointer<QWidget> m_pOwner;
    bool m_bOwnerDisabled = false;
    // Shortest time between two paints of the text and the bar.
    int m_nFrameMs = 16;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;

private:
    void ReenableOwner();
    // Before the text or the bar changes: lets it paint when a frame is
    // due, else holds its painting back until one is.
    void PaceUpdates();
    // Holds back or lets go the painting of the text and the bar.
    void HoldUpdates(bool hold);
    void PostRefresh();

    QElapsedTimer m_frameClock;
    bool m_bHeld = false;
    bool m_bRefreshPosted = false;
};
