#pragma once
// Dialog template 131: the Volume Contents dialog.

#include "platform/gui/DialogTemplate.h"
#include "res/gui/Artwork.h"

namespace res {

inline constexpr unsigned IDD_VOLUME_CONTENTS = 131;
inline constexpr int IDC_EXPLORE = 1;  // the dialog's OK
inline constexpr int IDC_CONTENTS_EXIT = 2;  // the dialog's Cancel
inline constexpr int IDC_DONE = 1014;
inline constexpr int IDC_CONTENTS_LIST = 1003;

inline constexpr dlg::Control kVolumeContentsControls[] = {
    {IDC_EXPLORE, dlg::Kind::DefPushButton, "Explore", 7, 173, 50, 14},
    {IDC_DONE, dlg::Kind::PushButton, "Done", 135, 173, 50, 14, dlg::Hidden},
    {IDC_CONTENTS_EXIT, dlg::Kind::PushButton, "Exit", 265, 173, 50, 14},
    {IDC_CONTENTS_LIST, dlg::Kind::ListBox, "", 7, 55, 308, 115, dlg::Border | dlg::HScroll},
    {dlg::IDC_STATIC, dlg::Kind::Picture, "", 7, 7, 53, 52, dlg::Sunken, IDB_LOGO_PROBE},
    {dlg::IDC_STATIC, dlg::Kind::Picture, "", 262, 7, 53, 42, dlg::Sunken, IDB_LOGO_DISC},
    {dlg::IDC_STATIC, dlg::Kind::Picture, "", 79, 7, 157, 42, dlg::Sunken, IDB_CONTENTS_BANNER},
};

inline constexpr dlg::Template kVolumeContentsTemplate{IDD_VOLUME_CONTENTS, "Vellora - Volume Contents", 322, 194,
                                                       dlg::SystemMenu, kVolumeContentsControls, LoadPicture};

}  // namespace res
