#pragma once
// Texts of the browser window.

namespace res {
// Tool tips and accessible names of the three picture buttons.
inline constexpr const char* kUpDirTip = "Up one folder";
inline constexpr const char* kListViewTip = "List view";
inline constexpr const char* kDetailsViewTip = "Details view";
// The help page, beside the program or in the shared documentation folder.
inline constexpr const char* kHelpPageName = "vellora.html";
inline constexpr const char* kHelpPageMissing = "The help page vellora.html could not be found.";
}  // namespace res
