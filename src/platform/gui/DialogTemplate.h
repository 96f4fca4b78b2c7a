#pragma once
// The dialog template format: a dialog's caption, size and style and its
// controls, all positions in dialog units. The templates themselves are data
// in src/res/gui/, one header per dialog; CDialog builds the widgets.

#include <span>

class QPixmap;
class QSize;

namespace dlg {

// Id of controls that nobody addresses (labels, decorative pictures).
inline constexpr int IDC_STATIC = -1;
// Id of the Apply button of a property sheet's frame.
inline constexpr int ID_APPLY_NOW = 0x3021;

enum class Kind {
    PushButton,
    DefPushButton,  // the dialog's default button (Enter)
    Static,         // static text
    Picture,        // static picture showing a bitmap resource
    Edit,
    CheckBox,
    ListBox,        // CListBox
    ProgressBar,    // CProgressCtrl
    TreeView,       // CTreeCtrl
    ListView,       // CListCtrl
};

// Control style bits.
enum ControlStyle : unsigned {
    Hidden = 1u << 0,        // not visible when the dialog is built
    Disabled = 1u << 1,
    Sunken = 1u << 2,        // sunken frame (pictures, status texts)
    Center = 1u << 3,        // centred text
    ReadOnly = 1u << 4,      // edit
    LeftText = 1u << 5,      // check box with its text on the left
    Sorted = 1u << 6,        // list box keeps its lines sorted
    MultiSel = 1u << 7,      // list box: extended selection
    Border = 1u << 8,
    NoWrap = 1u << 9,        // static text on one line
    BitmapButton = 1u << 10, // push button showing the bitmap resource `image`
    HScroll = 1u << 11,      // list box: horizontal scroll bar
};

// Dialog style bits.
enum DialogStyle : unsigned {
    SystemMenu = 1u << 0,  // close box
    Resizable = 1u << 1,
    MinMaxBox = 1u << 2,
    Child = 1u << 3,       // property page: a child widget, not a window
    Visible = 1u << 4,     // shown as soon as a modeless Create builds it
};

struct Control {
    int id;
    Kind kind;
    const char* text;  // UTF-8; accessible name of bitmap buttons
    int x, y, cx, cy;  // dialog units
    unsigned style = 0;
    unsigned image = 0;  // bitmap or icon resource of pictures and bitmap buttons
};

// Where a template's pictures come from, as a Windows template's come from
// the module that holds it: the picture of a bitmap or icon resource for a
// control of a logical size at a device pixel ratio; a null pixmap for an id
// it does not know.
using PictureSource = QPixmap (*)(unsigned id, QSize size, double devicePixelRatio);

struct Template {
    unsigned id;
    const char* caption;  // UTF-8
    int cx, cy;           // client size in dialog units
    unsigned style;
    std::span<const Control> controls;
    PictureSource pictures = nullptr;  // none: pictures and bitmap buttons stay empty
};

}  // namespace dlg
