#pragma once
// Dialog template 100: the About box.

#include "platform/gui/DialogTemplate.h"
#include "res/gui/Artwork.h"

namespace res {

inline constexpr unsigned IDD_ABOUTBOX = 100;
inline constexpr int IDC_ABOUT_VERSION = 1050;
inline constexpr int IDC_ABOUT_RIGHTS = 1052;

inline constexpr dlg::Control kAboutControls[] = {
    {dlg::IDC_STATIC, dlg::Kind::Picture, "", 11, 17, 21, 20, 0, IDR_MAINFRAME},
    {IDC_ABOUT_VERSION, dlg::Kind::Static, "vellor Version 1.0", 40, 10, 119, 8, dlg::NoWrap},
    {IDC_ABOUT_RIGHTS, dlg::Kind::Static, "Copyright (c) the Vellora developers", 40, 25, 119, 8, dlg::NoWrap},
    {1, dlg::Kind::DefPushButton, "OK", 178, 7, 32, 14},
};

inline constexpr dlg::Template kAboutTemplate{IDD_ABOUTBOX, "About Vellora", 217, 55, dlg::SystemMenu,
                                              kAboutControls, LoadPicture};

}  // namespace res
