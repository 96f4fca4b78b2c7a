#include "platform/CWinApp.h"

#include <QStandardPaths>

namespace {
CWinApp* g_theApp = nullptr;
}

CWinApp::CWinApp() { g_theApp = this; }

CWinApp::~CWinApp()
{
    if (g_theApp == this)
        g_theApp = nullptr;
}

void CWinApp::SetRegistryKey(const QString& company)
{
    m_pszRegistryKey = company;
    m_pszProfileName = m_pszAppName;
}

HKEY CWinApp::GetAppRegistryKey() const
{
    if (m_pszRegistryKey.isEmpty() || m_pszProfileName.isEmpty())
        return nullptr;
    HKEY software = nullptr;
    HKEY company = nullptr;
    HKEY application = nullptr;
    if (platform::RegOpenKeyEx(HKEY_CURRENT_USER, QStringLiteral("Software"), KEY_WRITE | KEY_READ, &software) ==
        ERROR_SUCCESS) {
        if (platform::RegCreateKeyEx(software, m_pszRegistryKey, KEY_WRITE | KEY_READ, &company) == ERROR_SUCCESS)
            platform::RegCreateKeyEx(company, m_pszProfileName, KEY_WRITE | KEY_READ, &application);
    }
    if (software)
        platform::RegCloseKey(software);
    if (company)
        platform::RegCloseKey(company);
    return application;
}

QString CWinApp::GetUserSettingsFolder() const
{
    if (m_pszRegistryKey.isEmpty())
        return {};
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + m_pszRegistryKey;
}

CWinApp* AfxGetApp() { return g_theApp; }
