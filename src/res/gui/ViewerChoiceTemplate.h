#pragma once
// Dialog template 153: the choice among several viewers for one file.

#include "platform/gui/DialogTemplate.h"

namespace res {

inline constexpr unsigned IDD_VIEWER_CHOICE = 153;
inline constexpr int IDC_VIEWER_LIST = 1029;

inline constexpr dlg::Control kViewerChoiceControls[] = {
    {dlg::IDC_STATIC, dlg::Kind::Static,
     "There is more than one viewer available for the file you have selected. Please select which viewer "
     "you would like to use, then press \"OK\" to proceed.",
     7, 7, 172, 26},
    {IDC_VIEWER_LIST, dlg::Kind::ListBox, "", 7, 35, 172, 73, dlg::Sorted | dlg::Border},
    {1, dlg::Kind::DefPushButton, "OK", 7, 117, 50, 14},
    {2, dlg::Kind::PushButton, "Cancel", 129, 117, 50, 14},
};

inline constexpr dlg::Template kViewerChoiceTemplate{IDD_VIEWER_CHOICE, "Available Viewers", 186, 138,
                                                     dlg::SystemMenu, kViewerChoiceControls};

}  // namespace res
