#pragma once
// Starting helper programs without a shell.

#include <QString>
#include <QStringList>

namespace platform {

// Splits a command line into arguments by the Windows rules
// (CommandLineToArgvW: blanks and tabs separate, double quotes group,
// 2n backslashes before a quote give n backslashes and a grouping quote,
// 2n+1 give n backslashes and a literal quote, other backslashes are kept).
QStringList SplitCommandLine(const QString& commandLine);

// CreateProcessA: starts programPath (a drive or host path) detached, with
// the arguments split from commandLine; arguments that are drive paths are
// translated to host paths. Returns 0 on success, else the error code
// (ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, or the errno value).
int CreateProcess(const QString& programPath, const QString& commandLine);

// WinExec: the same arguments, the program looked up on PATH. Returns a
// value of 32 or more on success, less than 32 on failure.
unsigned WinExec(const QString& commandLine, int showCommand);

}  // namespace platform
