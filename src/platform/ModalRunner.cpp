#include "platform/ModalRunner.h"

#include "platform/CWinApp.h"
#include "platform/WinTypes.h"

int AfxMessageBox(const QString& text, MessageButtons buttons, MessageIcon icon)
{
    CModalRunner* runner = CModalRunner::Current();
    if (!runner)
        return buttons == MessageButtons::YesNo ? IDNO : IDCANCEL;
    const CWinApp* app = AfxGetApp();
    return runner->MessageBox(text, app ? app->m_pszAppName : QString(), {buttons, icon});
}
