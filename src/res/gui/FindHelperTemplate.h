#pragma once
// Dialog template 163: the Find Helper dialog, where the user picks the
// drive or folder below which a missing helper program is searched.

#include "platform/gui/DialogTemplate.h"

namespace res {

inline constexpr unsigned IDD_FIND_HELPER = 163;
inline constexpr int IDC_FIND_MESSAGE = 1049;
inline constexpr int IDC_FIND_TREE = 1050;

inline constexpr dlg::Control kFindHelperControls[] = {
    {IDC_FIND_MESSAGE, dlg::Kind::Static, "Message", 7, 7, 223, 39},
    {dlg::IDC_STATIC, dlg::Kind::Static,
     "Please select a starting point to search for the missing application. If you using Vellora from a CD-ROM "
     "helper applications are typically in the \"SOFTWARE\" directory. You may want to start the search there to "
     "reduce the search area.",
     7, 47, 223, 34},
    {IDC_FIND_TREE, dlg::Kind::TreeView, "", 7, 84, 223, 90, dlg::Border},
    {1, dlg::Kind::DefPushButton, "Search", 7, 180, 50, 14},
    {2, dlg::Kind::PushButton, "Cancel", 180, 180, 50, 14},
};

inline constexpr dlg::Template kFindHelperTemplate{IDD_FIND_HELPER, "Find Helper", 237, 201, dlg::SystemMenu,
                                                   kFindHelperControls};

}  // namespace res
