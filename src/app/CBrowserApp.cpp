#include "app/CBrowserApp.h"

#include "app/CVolumeContentsDlg.h"
#include "browser/CBrowserDlg.h"
#include "platform/DriveTable.h"
#include "platform/FileStatus.h"
#include "platform/ProgramDir.h"
#include "platform/WinTypes.h"
#include "res/StringTable.h"

QString ContentsFileName(QChar driveLetter) { return res::Text(res::TextId::ContentsFile, QString(driveLetter)); }

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

    CBrowserDlg browser;
    m_pMainWnd = &browser;
    browser.SetContentsFile(contentsFile);
    browser.DoModal();
    m_pMainWnd = nullptr;
    return false;
}
