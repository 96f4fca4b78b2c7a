#pragma once
// Dialog template 102: the browser window.

#include "platform/gui/DialogTemplate.h"
#include "res/gui/Artwork.h"

namespace res {

inline constexpr unsigned IDD_BROWSER = 102;
inline constexpr int IDC_FOLDER_TREE = 1000;
inline constexpr int ID_HELP = 57670;
inline constexpr int IDC_CONTENT = 1013;
inline constexpr int IDC_OPTIONS = 1008;
inline constexpr int IDC_BROWSER_EXIT = 1;  // the window's OK
inline constexpr int IDC_LOGO = 1046;
inline constexpr int IDC_LOGO2 = 1048;
inline constexpr int IDC_BANNER = 1047;
inline constexpr int IDC_FILE_LIST = 1007;
inline constexpr int IDC_STATUS = 1039;
inline constexpr int IDC_UPDIR = 1042;
inline constexpr int IDC_LISTVIEW = 1041;
inline constexpr int IDC_DETAILSVIEW = 1043;

inline constexpr dlg::Control kBrowserControls[] = {
    {IDC_FOLDER_TREE, dlg::Kind::TreeView, "", 7, 18, 94, 192, dlg::Border},
    {ID_HELP, dlg::Kind::PushButton, "&Help", 298, 17, 50, 14},
    {IDC_CONTENT, dlg::Kind::PushButton, "Content", 298, 33, 50, 14},
    {IDC_OPTIONS, dlg::Kind::PushButton, "Options...", 298, 49, 50, 14},
    {IDC_BROWSER_EXIT, dlg::Kind::DefPushButton, "Exit", 298, 196, 50, 14},
    {dlg::IDC_STATIC, dlg::Kind::Static, "Folders", 7, 8, 24, 8, dlg::NoWrap},
    {dlg::IDC_STATIC, dlg::Kind::Static, "Files", 108, 7, 15, 8, dlg::NoWrap},
    {IDC_LOGO, dlg::Kind::Picture, "", 297, 74, 53, 52, dlg::Sunken, IDB_LOGO_PLANET},
    {IDC_LOGO2, dlg::Kind::Picture, "", 297, 144, 53, 42, dlg::Sunken, IDB_LOGO_DISC},
    {IDC_BANNER, dlg::Kind::Picture, "", 293, 128, 63, 14, dlg::Sunken, IDB_NAME_BANNER},
    {IDC_FILE_LIST, dlg::Kind::ListView, "", 108, 18, 180, 192, dlg::Border | dlg::MultiSel},
    {IDC_STATUS, dlg::Kind::Static, "", 7, 215, 349, 8, dlg::NoWrap},
    {IDC_UPDIR, dlg::Kind::PushButton, "DIR_UP", 129, 2, 16, 12, dlg::BitmapButton},
    {IDC_LISTVIEW, dlg::Kind::PushButton, "[", 148, 2, 16, 12, dlg::BitmapButton},
    {IDC_DETAILSVIEW, dlg::Kind::PushButton, "---", 164, 2, 16, 12, dlg::BitmapButton},
};

inline constexpr dlg::Template kBrowserTemplate{IDD_BROWSER, "Vellora", 360, 230,
                                                dlg::SystemMenu | dlg::Resizable | dlg::MinMaxBox,
                                                kBrowserControls, LoadPicture};

}  // namespace res
