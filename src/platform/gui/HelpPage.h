#pragma once
// The program's help page (an HTML file of ours), opened in the desktop's
// web browser.

#include <QString>

namespace platform {
// The page beside the program (a build tree), else in share/doc/vellora/ of
// the installed tree: ../../share/doc/vellora/ from the program folder
// lib/vellora/, or ../share/doc/vellora/ from a program in bin/. Empty when
// none exists.
QString FindHelpPage(const QString& programDir, const QString& pageName);
// Hands the page to the desktop's browser; false when that fails.
bool OpenHelpPage(const QString& hostPath);
}  // namespace platform
