#pragma once
// Dialog template 150: the New Helper dialog.

#include "platform/WinTypes.h"
#include "platform/gui/DialogTemplate.h"

namespace res {

inline constexpr unsigned IDD_NEW_HELPER = 150;
inline constexpr int IDC_NEW_NAME = 1030;
inline constexpr int IDC_NEW_CONTENT_TYPE = 1020;
inline constexpr int IDC_NEW_APPLICATION = 1012;
inline constexpr int IDC_NEW_DESCRIPTION = 1017;
inline constexpr int IDC_NEW_EXTENSION = 1011;
inline constexpr int IDC_NEW_BROWSE = 1023;
inline constexpr int IDC_NEW_EXTENSION_LABEL = 1031;
inline constexpr int IDC_NEW_NAME_LABEL = 1034;

inline constexpr dlg::Control kNewHelperControls[] = {
    {IDC_NEW_NAME, dlg::Kind::Edit, "", 58, 7, 139, 14, dlg::Border},
    {IDC_NEW_CONTENT_TYPE, dlg::Kind::Edit, "", 58, 26, 139, 14, dlg::Border},
    {IDC_NEW_APPLICATION, dlg::Kind::Edit, "", 58, 45, 139, 15, dlg::Border},
    {IDC_NEW_DESCRIPTION, dlg::Kind::Edit, "", 58, 64, 139, 14, dlg::Border},
    {IDC_NEW_EXTENSION, dlg::Kind::Edit, "", 58, 85, 139, 14, dlg::Border},
    {IDOK, dlg::Kind::DefPushButton, "OK", 7, 132, 50, 14},
    {IDCANCEL, dlg::Kind::PushButton, "Cancel", 180, 132, 50, 14},
    {IDC_NEW_BROWSE, dlg::Kind::PushButton, "&Browse", 198, 45, 34, 14},
    {dlg::IDC_STATIC, dlg::Kind::Static, "Application:", 7, 49, 44, 8, dlg::NoWrap},
    {dlg::IDC_STATIC, dlg::Kind::Static, "Description:", 7, 66, 38, 8, dlg::NoWrap},
    {dlg::IDC_STATIC, dlg::Kind::Static, "Content type:", 7, 31, 43, 8, dlg::NoWrap},
    {IDC_NEW_EXTENSION_LABEL, dlg::Kind::Static, "Extension:", 7, 88, 41, 8, dlg::NoWrap},
    {dlg::IDC_STATIC, dlg::Kind::Static,
     "All fields must be filled in. Selecting the \"Browse\" button will display a dialog for selecting an "
     "existing application.",
     7, 108, 223, 21},
    {IDC_NEW_NAME_LABEL, dlg::Kind::Static, "Name:", 7, 12, 43, 8, dlg::NoWrap},
};

inline constexpr dlg::Template kNewHelperTemplate{IDD_NEW_HELPER, "New Helper", 237, 153, dlg::SystemMenu,
                                                  kNewHelperControls};

}  // namespace res
