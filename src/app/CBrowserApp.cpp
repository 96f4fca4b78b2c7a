#include "app/CBrowserApp.h"

#include "app/CVolumeContentsDlg.h"
#include "browser/CBrowserDlg.h"
#include "platform/DriveTable.h"
#include "platform/FileStatus.h"
#include "platform/ProgramDir.h"
#include "platform/WinTypes.h"
#include "res/AppStrings.h"

namespace {
QString WithDriveLetter(const char* format, QChar letter)
{
    return QString::fromLatin1(format).replace(QLatin1String("%c"), QString(letter));
}
}  // namespace

QString ContentsFileName(QChar driveLetter) { return WithDriveLetter(res::kContentsFileFormat, driveLetter); }

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
        dlg.SetMessage(WithDriveLetter(res::kExploringDriveFormat, letter));
    dlg.SetStartupMode(1);

    m_strProgramDir = platform::ProgramDirectory();
    // The settings key takes the application name current at this call.
    m_pszAppName = QString::fromLatin1(res::kAppName);
    SetRegistryKey(QString::fromLatin1(res::kRegistryCompany));

    if (dlg.DoModal() != IDOK)
        return false;

    CBrowserDlg browser;
    m_pMainWnd = &browser;
    browser.SetContentsFile(contentsFile);
    browser.DoModal();
    m_pMainWnd = nullptr;
    return false;
}
