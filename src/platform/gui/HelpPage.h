#pragma once
// The program's help page (an HTML file of ours), opened in the desktop's
// web browser.

#include <QString>

namespace platform {
// The page beside the program, or in ../share/doc/vellora/ from it; empty
// when neither exists.
QString FindHelpPage(const QString& programDir, const QString& pageName);
// Hands the page to the desktop's browser; false when that fails.
bool OpenHelpPage(const QString& hostPath);
}  // namespace platform
