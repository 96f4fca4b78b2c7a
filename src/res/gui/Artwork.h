#pragma once
// The program's pictures: logos, banners, button images, the file-type
// icons and the program icon. All are drawn in code at the size and pixel
// ratio they are shown at, so they stay sharp at any scale.

#include <QIcon>
#include <QPixmap>

namespace res {

inline constexpr unsigned IDR_MAINFRAME = 128;   // program icon
inline constexpr unsigned IDB_LOGO_DISC = 135;   // volume disc logo
inline constexpr unsigned IDB_CONTENTS_BANNER = 139;  // "Vellora" over "Volume Contents"
inline constexpr unsigned IDB_LOGO_PLANET = 141; // ringed planet logo
inline constexpr unsigned IDB_NAME_BANNER = 142; // product name banner
inline constexpr unsigned IDB_LOGO_PROBE = 144;  // probe and orbit logo
inline constexpr unsigned IDB_FILE_TYPES = 154;  // strip of three 16-pixel icons
inline constexpr unsigned IDB_DETAILS = 161;     // details view button
inline constexpr unsigned IDB_LIST = 162;        // list view button
inline constexpr unsigned IDB_UPDIR = 1042;      // up one folder button

// The picture of a bitmap resource at a logical size; a null pixmap for an
// unknown id. For IDB_FILE_TYPES the size is ignored: the strip is 48 x 16.
// Button images use the palette's button text colour on a transparent
// ground, so they read in light and dark themes.
QPixmap LoadBitmap(unsigned id, QSize size, qreal devicePixelRatio);
// The program icon (IDR_MAINFRAME) in the usual sizes.
QIcon LoadAppIcon();
// The program icon's picture, side x side pixels; the desktop icons of the
// installed program are made from it.
QPixmap AppIconImage(int side);
// The pictures of the program's dialog templates: LoadBitmap's, and the
// program icon at its 32-pixel size for IDR_MAINFRAME (whatever the size
// asked for).
QPixmap LoadPicture(unsigned id, QSize size, double devicePixelRatio);

}  // namespace res
