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

platform::KeyPath CWinApp::GetAppRegistryKey() const
{
    if (m_pszRegistryKey.isEmpty() || m_pszProfileName.isEmpty())
        return {};
    const QStringList names = QStringList{QStringLiteral("Software")} +
                              m_pszRegistryKey.split(u'\\', Qt::SkipEmptyParts) +
                              m_pszProfileName.split(u'\\', Qt::SkipEmptyParts);
    platform::SettingsStore application;
    if (!application.Open(names, true))
        return {};
    return {platform::KeyPath::User, names};
}

QString CWinApp::GetUserSettingsFolder() const
{
    if (m_pszRegistryKey.isEmpty())
        return {};
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + m_pszRegistryKey;
}

CWinApp* AfxGetApp() { return g_theApp; }
