#pragma once
// The application object base. Exactly one exists per run; it holds the
// program's identity (name, settings key) and its main window.

#include "platform/SettingsStore.h"

#include <QString>

class QWidget;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual bool InitInstance() { return false; }

    // Sets the company part of the per-user settings key; the application
    // part is the application name at the moment of the call.
    void SetRegistryKey(const QString& company);
    // The per-user key Software\<company>\<application>, any missing level
    // created. No key when no registry key was set or the key cannot be
    // opened.
    platform::KeyPath GetAppRegistryKey() const;
    // The user's own settings folder of the company, where the settings
    // store keeps its file ($XDG_CONFIG_HOME/<company>, ~/.config/<company>
    // when that is unset); empty when no registry key was set. It may not
    // exist.
    QString GetUserSettingsFolder() const;

    QString m_pszAppName;      // "Vellora"
    QString m_pszRegistryKey;  // "Morvath"
    QString m_pszProfileName;  // application name fixed by SetRegistryKey
    QWidget* m_pMainWnd = nullptr;
};

// The one application object (null before it is built and after it is gone).
CWinApp* AfxGetApp();
