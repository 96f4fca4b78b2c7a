#pragma once
// What one run of the browser works on: the three helper lists and the
// three options. The application loads it once the user chooses to explore
// and hands it to the browser window, which shows it, lets the Options
// sheet and the open flow change it, and saves it when it is destroyed.

#include "helpers/CHelperEntry.h"

#include <QString>

class BrowserSession {
public:
    BrowserSession();
    BrowserSession(const BrowserSession&) = delete;
    BrowserSession& operator=(const BrowserSession&) = delete;

    // Fills, in this order: the default helper list from programDir's
    // vellor.ini or the built-in table, the three options from the per-user
    // store, the helper list as a copy of the defaults, and the system
    // viewer list from the desktop's file associations.
    void Load(const QString& programDir);
    // Writes the three options, then empties the system viewer list, the
    // helper list and the default helper list, in this order.
    void Save();

    // The program folder the session was loaded for (a host path, without
    // a trailing separator); empty before Load.
    const QString& ProgramDir() const { return m_strProgramDir; }

    CHelperList m_helperList;
    CHelperList m_defaultHelperList;
    CHelperList m_systemViewerList;
    QString m_strFileMask;
    int m_bTranslate = 1;
    int m_bShowFullPath = 1;

private:
    QString m_strProgramDir;
};
