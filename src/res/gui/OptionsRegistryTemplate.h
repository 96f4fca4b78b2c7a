#pragma once
// Dialog template 108: the Registry page of the Options sheet.

#include "platform/gui/DialogTemplate.h"

namespace res {

inline constexpr unsigned IDD_OPTIONS_REGISTRY = 108;
inline constexpr int IDC_REG_EXTENSIONS = 1011;
inline constexpr int IDC_REG_DESCRIPTION = 1017;
inline constexpr int IDC_REG_CONTENT_TYPE = 1020;
inline constexpr int IDC_REG_APPLICATION = 1012;

// Why the page only looks, split over two texts exactly here.
inline constexpr const char* kRegistryNoticeFirst =
    "These are the viewers (or helper) applications available on your local system. This information is "
    "extracted from your system's  Registry. You can not edit anything in this dialog since making the wrong "
    "changes can";
inline constexpr const char* kRegistryNoticeSecond =
    "adversely affect your system and its configuration. If you want to add an alternate viewer for a "
    "particular file extension use the \"Other\" property sheet.";

inline constexpr dlg::Control kOptionsRegistryControls[] = {
    {IDC_REG_EXTENSIONS, dlg::Kind::ListBox, "", 7, 17, 58, 129, dlg::Sorted | dlg::Border},
    {IDC_REG_DESCRIPTION, dlg::Kind::Edit, "", 118, 7, 132, 15, dlg::ReadOnly | dlg::Border},
    {IDC_REG_CONTENT_TYPE, dlg::Kind::Edit, "", 118, 23, 132, 15, dlg::ReadOnly | dlg::Border},
    {IDC_REG_APPLICATION, dlg::Kind::Edit, "", 118, 39, 132, 14, dlg::ReadOnly | dlg::Border},
    {dlg::IDC_STATIC, dlg::Kind::Static, "File Extension:", 7, 7, 46, 8, dlg::NoWrap},
    {dlg::IDC_STATIC, dlg::Kind::Static, "Description:", 72, 10, 40, 8, dlg::NoWrap},
    {dlg::IDC_STATIC, dlg::Kind::Static, "Content type:", 72, 26, 43, 8, dlg::NoWrap},
    {dlg::IDC_STATIC, dlg::Kind::Static, "Application:", 72, 41, 38, 8, dlg::NoWrap},
    {dlg::IDC_STATIC, dlg::Kind::Static, kRegistryNoticeFirst, 98, 66, 143, 41},
    {dlg::IDC_STATIC, dlg::Kind::Static, kRegistryNoticeSecond, 98, 106, 146, 33},
};

inline constexpr dlg::Template kOptionsRegistryTemplate{IDD_OPTIONS_REGISTRY, "Registry", 257, 154, dlg::Child,
                                                        kOptionsRegistryControls};

}  // namespace res
