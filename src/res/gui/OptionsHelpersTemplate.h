#pragma once
// Dialog template 152: the Helpers page of the Options sheet.

#include "platform/gui/DialogTemplate.h"

namespace res {

inline constexpr unsigned IDD_OPTIONS_HELPERS = 152;
inline constexpr int IDC_HELPER_NAMES = 1030;
inline constexpr int IDC_HELPER_APPLICATION = 1012;
inline constexpr int IDC_HELPER_DESCRIPTION = 1017;
inline constexpr int IDC_HELPER_CONTENT_TYPE = 1020;
inline constexpr int IDC_HELPER_EXTENSION = 1011;
inline constexpr int IDC_HELPER_ADD = 1018;
inline constexpr int IDC_HELPER_EDIT = 1021;
inline constexpr int IDC_HELPER_DELETE = 1019;
inline constexpr int IDC_HELPER_DEFAULT = 1051;

inline constexpr dlg::Control kOptionsHelpersControls[] = {
    {IDC_HELPER_NAMES, dlg::Kind::ListBox, "", 12, 17, 90, 99, dlg::Sorted | dlg::MultiSel | dlg::Border},
    {IDC_HELPER_APPLICATION, dlg::Kind::Edit, "", 113, 17, 142, 15, dlg::ReadOnly | dlg::Border},
    {IDC_HELPER_DESCRIPTION, dlg::Kind::Edit, "", 114, 43, 141, 16, dlg::ReadOnly | dlg::Border},
    {IDC_HELPER_CONTENT_TYPE, dlg::Kind::Edit, "", 114, 70, 141, 16, dlg::ReadOnly | dlg::Border},
    {IDC_HELPER_EXTENSION, dlg::Kind::Edit, "", 114, 97, 141, 16, dlg::ReadOnly | dlg::Border},
    // Created disabled; their handlers work all the same.
    {IDC_HELPER_ADD, dlg::Kind::PushButton, "&Add", 71, 125, 36, 14, dlg::Disabled},
    {IDC_HELPER_EDIT, dlg::Kind::PushButton, "&Edit", 111, 125, 36, 14, dlg::Disabled},
    {IDC_HELPER_DELETE, dlg::Kind::PushButton, "&Delete", 151, 125, 36, 14, dlg::Disabled},
    {dlg::IDC_STATIC, dlg::Kind::Static, "Name:", 13, 7, 43, 8, dlg::NoWrap},
    {dlg::IDC_STATIC, dlg::Kind::Static, "Application:", 114, 7, 44, 8, dlg::NoWrap},
    {dlg::IDC_STATIC, dlg::Kind::Static, "Description:", 114, 34, 38, 8, dlg::NoWrap},
    {dlg::IDC_STATIC, dlg::Kind::Static, "Content Type:", 114, 60, 59, 8, dlg::NoWrap},
    {dlg::IDC_STATIC, dlg::Kind::Static, "Extension:", 114, 88, 38, 8, dlg::NoWrap},
    {IDC_HELPER_DEFAULT, dlg::Kind::PushButton, "Default", 223, 125, 32, 14},
};

inline constexpr dlg::Template kOptionsHelpersTemplate{IDD_OPTIONS_HELPERS, "Helpers", 262, 146, dlg::Child,
                                                       kOptionsHelpersControls};

}  // namespace res
