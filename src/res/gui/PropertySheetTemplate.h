#pragma once
// The frame of every property sheet: its three buttons. The sheet places
// them below the tab control once it knows the size of its largest page;
// the positions here only carry the buttons' size.

#include "platform/WinTypes.h"
#include "platform/gui/DialogTemplate.h"

namespace res {

inline constexpr int ID_APPLY_NOW = dlg::ID_APPLY_NOW;

inline constexpr dlg::Control kPropertySheetControls[] = {
    {IDOK, dlg::Kind::DefPushButton, "OK", 0, 0, 50, 14},
    {IDCANCEL, dlg::Kind::PushButton, "Cancel", 0, 0, 50, 14},
    {ID_APPLY_NOW, dlg::Kind::PushButton, "&Apply", 0, 0, 50, 14, dlg::Disabled},
};

inline constexpr dlg::Template kPropertySheetTemplate{0, nullptr, 0, 0, dlg::SystemMenu, kPropertySheetControls};

}  // namespace res
