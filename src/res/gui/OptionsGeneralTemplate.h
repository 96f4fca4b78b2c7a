#pragma once
// Dialog template 151: the General page of the Options sheet.

#include "platform/gui/DialogTemplate.h"

namespace res {

inline constexpr unsigned IDD_OPTIONS_GENERAL = 151;
inline constexpr int IDC_FILE_MASK = 1010;
inline constexpr int IDC_TRANSLATE = 1035;
inline constexpr int IDC_SHOW_FULL_PATH = 1039;

inline constexpr dlg::Control kOptionsGeneralControls[] = {
    {IDC_FILE_MASK, dlg::Kind::Edit, "", 43, 21, 130, 14, dlg::Border},
    {dlg::IDC_STATIC, dlg::Kind::Static, "File Mask:", 7, 24, 33, 8, dlg::NoWrap},
    {dlg::IDC_STATIC, dlg::Kind::Static, "General options for Vellora.", 39, 7, 118, 12},
    // Shows the setting; the user cannot change it.
    {IDC_TRANSLATE, dlg::Kind::CheckBox, "Show translated names:", 7, 43, 107, 10, dlg::LeftText | dlg::Disabled},
    {IDC_SHOW_FULL_PATH, dlg::Kind::CheckBox, "Show full path in status area:", 7, 55, 107, 10, dlg::LeftText},
};

inline constexpr dlg::Template kOptionsGeneralTemplate{IDD_OPTIONS_GENERAL, "General", 186, 95, dlg::Child,
                                                       kOptionsGeneralControls};

}  // namespace res
