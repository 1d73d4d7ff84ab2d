#pragma once
// The layout tables of the sheets: containers (with the row style in which the catalogue's
// parameter rows are laid out) and the controls that belong to no parameter slot.

#include "ui/catalogue/catalogue_types.h"

namespace zt::sheets {

using catalogue::Items;
using catalogue::Place;
using catalogue::Text;

enum class ItemKind {
    Frame,          // a plain named region
    Group,          // a framed group box whose caption swaps with the language
    PageStack,      // an inner page container whose pages are chosen by buttons
    Sheet,          // a page of the PageStack named as parent
    Label,          // a text label that swaps with the language
    WarningLabel,   // the same, drawn as a warning
    Pane,           // a read-only value display
    ToolButton,     // a sub-page or path button (tag = its index)
    KeyButton,      // a bitmap button with a caption
    LampButton,     // a bitmap switch button labelled beside it
    PhaseTemplate,  // the hidden model of the phase buttons' pictures
    PlainEdit,
    PasswordEdit,
    Selector,
    Memo,
    FileList,
    PresetList,  // the two-column list of preset files
    StartMark,   // range markers of the system volume bars
    MaxMark,
};

// How parameter rows are laid out in a container: line n starts at top + n * rowHeight; a
// row is its caption label, the control and its value pane side by side, or with the caption
// on a line of its own above them.
struct RowStyle {
    int left = 0;
    int top = 0;
    int rowHeight = 24;
    int labelWidth = 0;
    int controlWidth = 0;
    int paneWidth = 0;
    int controlHeight = 20;
    bool labelAbove = false;
    int labelHeight = 16;
};

// Rows with the caption beside the control: left, top, row height, caption, control and pane
// widths, control height.
constexpr RowStyle Rows(int left, int top, int rowHeight, int labelWidth, int controlWidth,
                        int paneWidth, int controlHeight = 20) {
    RowStyle style;
    style.left = left;
    style.top = top;
    style.rowHeight = rowHeight;
    style.labelWidth = labelWidth;
    style.controlWidth = controlWidth;
    style.paneWidth = paneWidth;
    style.controlHeight = controlHeight;
    return style;
}

// Rows with the caption on a line of its own above control and pane.
constexpr RowStyle RowsCaptionAbove(int left, int top, int rowHeight, int labelHeight,
                                    int controlWidth, int paneWidth, int controlHeight) {
    RowStyle style = Rows(left, top, rowHeight, 0, controlWidth, paneWidth, controlHeight);
    style.labelAbove = true;
    style.labelHeight = labelHeight;
    return style;
}

struct SheetItem {
    ItemKind kind = ItemKind::Frame;
    const char* name = "";
    const char* parent = "";  // a sheet or an item named before
    Place place;
    Text text;
    int tag = 0;
    const char* hint = "";  // the state of bitmap buttons
    bool hidden = false;
    bool disabled = false;
    int maxLength = 0;
    Items items = Items::None;
    RowStyle style;
};

}  // namespace zt::sheets
