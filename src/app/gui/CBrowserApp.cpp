#include "app/gui/CBrowserApp.h"

#include "app/gui/CVolumeContentsDlg.h"
#include "platform/DriveTable.h"
#include "platform/FileStatus.h"
#include "platform/ProgramDir.h"
#include "platform/WinTypes.h"
#include "platform/gui/CDialog.h"
#include "res/StringTable.h"
#include "session/BrowserSession.h"

#include <utility>

QString ContentsFileName(QChar driveLetter) { return res::Text(res::TextId::ContentsFile, QString(driveLetter)); }

CBrowserApp::CBrowserApp(BrowserFactory makeBrowser) : m_makeBrowser(std::move(makeBrowser)) {}

CBrowserApp::~CBrowserApp() = default;

bool CBrowserApp::InitInstance()
{
    // Control containment and 3-D controls need no enabling with Qt.
    CVolumeContentsDlg dlg;

    const QChar letter = platform::DriveLetter(platform::GetDrive());
    const QString contentsFile = ContentsFileName(letter);
    FileStatus status;
    if (platform::GetStatus(contentsFile, status))
        dlg.SetContentsFile(contentsFile);
    else
        dlg.SetMessage(res::Text(res::TextId::ExploringDrive, QString(letter)));
    dlg.SetStartupMode(1);

    m_strProgramDir = platform::ProgramDirectory();
    // The settings key takes the application name current at this call.
    m_pszAppName = res::Text(res::TextId::AppName);
    SetRegistryKey(res::Text(res::TextId::RegistryCompany));

    if (dlg.DoModal() != IDOK)
        return false;

    // The window saves the session when it is destroyed.
    BrowserSession session;
    session.Load(m_strProgramDir);
    if (!m_makeBrowser)
        return false;
    const std::unique_ptr<CDialog> browser = m_makeBrowser(session, contentsFile);
    m_pMainWnd = browser.get();
    browser->DoModal();
    m_pMainWnd = nullptr;
    return false;
}
