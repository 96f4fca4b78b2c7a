#pragma once
// Starting helper programs without a shell.

#include <QString>
#include <QStringList>

namespace platform {

// Splits a command line into arguments by the Windows rules
// (CommandLineToArgvW: blanks and tabs separate, double quotes group,
// 2n backslashes before a quote give n backslashes and a grouping quote,
// 2n+1 give n backslashes and a literal quote, other backslashes are kept;
// in a run of quotes every third one is a literal quote).
// The first argument is the program name and follows simpler rules, as
// there: it runs up to the next quote when it starts with one, else up to
// the first blank or tab, backslashes and quotes inside it taken as they
// stand (so a line starting with a blank has an empty program name).
// An empty line gives no arguments.
QStringList SplitCommandLine(const QString& commandLine);

// CreateProcessA: starts programPath detached, with the arguments split
// from commandLine. The program is found only where its path says: a path
// with a drive ("D:\SOFTWARE\x") on that drive; a path without a drive
// that starts with "/" or "\" is that host file, with "\" read as "/"
// (never a file of that name on the current drive); a bare name or a path
// relative to the current folder is not found, since the current folder
// lies on the volume. Arguments that are drive paths are translated to
// host paths, and the first one is replaced by the program's host path.
// The program gets its own session, standard input from /dev/null, and
// the program's environment and current folder; nobody waits for it, and
// it is reaped when it ends. Returns 0 on success, else the error code
// (ERROR_FILE_NOT_FOUND for ENOENT/ENOTDIR, a drive that does not exist or
// a program path that names no place, ERROR_ACCESS_DENIED for
// EACCES/EPERM, otherwise the errno value, ENOEXEC included).
int CreateProcess(const QString& programPath, const QString& commandLine);

// WinExec: the same arguments; a first argument with a drive or a separator
// is found as CreateProcess finds its program, one without is looked up in
// the absolute folders of PATH by the execvp rules (empty and relative
// entries, which would name the current folder, are passed over; no shell
// is ever tried for a file that is not a program). Returns a value of 32
// or more on success, less than 32 on failure: ERROR_FILE_NOT_FOUND,
// ERROR_ACCESS_DENIED, ERROR_BAD_FORMAT, another errno below 32, or 0.
unsigned WinExec(const QString& commandLine, int showCommand);

// Waits until every program started so far has ended and been reaped;
// false when that has not happened within timeoutMs. For tests.
bool WaitForStartedPrograms(int timeoutMs);

}  // namespace platform
