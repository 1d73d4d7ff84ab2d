#pragma once
// Sizes of the main window's regions at design size (logical pixels). The window grows from
// here: the main area and the graph panel take the extra room, the right column keeps its width.

namespace zt {

inline constexpr int kClientWidth = 1204;
inline constexpr int kClientHeight = 609;
inline constexpr int kWindowBorder = 1;  // the window draws its own 1-pixel frame

inline constexpr int kTitleStripHeight = 25;
inline constexpr int kRightColumnWidth = 260;
inline constexpr int kMainAreaWidth = kClientWidth - kRightColumnWidth;  // 944

inline constexpr int kTabStripHeight = 30;
inline constexpr int kGraphPanelHeight = 322;
// The page container fills the space between the tab strip and the graph panel: 944 x 232.
inline constexpr int kPageAreaHeight =
    kClientHeight - kTitleStripHeight - kTabStripHeight - kGraphPanelHeight;

// The graph image at design size, inside the grey panel AdvPanel2.
inline constexpr int kGraphWidth = 883;
inline constexpr int kGraphHeight = 268;
inline constexpr int kGraphLeft = 44;
inline constexpr int kGraphTop = 6;

}  // namespace zt
