#pragma once
// Dialog template 109: the progress window of long scans. No system menu,
// so no close box; visible as soon as it is created.

#include "platform/gui/DialogTemplate.h"

namespace res {

inline constexpr unsigned IDD_PROGRESS = 109;
inline constexpr int IDC_PROGRESS_BAR = 1003;
inline constexpr int IDC_PROGRESS_TEXT = 1005;

inline constexpr dlg::Control kProgressControls[] = {
    {IDC_PROGRESS_BAR, dlg::Kind::ProgressBar, "", 16, 34, 154, 13, dlg::Border},
    {IDC_PROGRESS_TEXT, dlg::Kind::Static, "", 13, 7, 158, 21, dlg::Center},
};

inline constexpr dlg::Template kProgressTemplate{IDD_PROGRESS, "Scanning System", 186, 66, dlg::Visible,
                                                 kProgressControls};

}  // namespace res
