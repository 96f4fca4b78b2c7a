#pragma once
// The two ways a helper is started: the program named directly, and, when
// that fails for a reason other than a missing file or denied access, the
// whole command line handed to a starter that finds the program itself.
// Tests derive from it to watch or replace the attempts.

#include <QString>

class CHelperStarter {
public:
    virtual ~CHelperStarter() = default;
    // Starts programPath with commandLine; 0 or the platform's error code.
    virtual int CreateProcess(const QString& programPath, const QString& commandLine);
    // Starts the command line; 32 or more on success.
    virtual unsigned WinExec(const QString& commandLine);
};
