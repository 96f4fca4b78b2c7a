#include "platform/CWinApp.h"

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

CWinApp* AfxGetApp() { return g_theApp; }
