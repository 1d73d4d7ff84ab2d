#pragma once
// The window's colours and fonts, shared by every self-drawn control so that the pages read as
// one instrument: white faces, grey frames and the orange accent of the tab strip.

#include <QColor>
#include <QFont>

namespace zt::look {

inline constexpr QRgb kAccent = 0xFFF39800;       // RGB(243, 152, 0): tabs, pressed buttons
inline constexpr QRgb kAccentDark = 0xFFD07F00;   // frame of pressed faces
inline constexpr QRgb kAccentLight = 0xFFFBDDA8;  // pressed face of a disabled button
inline constexpr QRgb kFace = 0xFFFFFFFF;         // released face
inline constexpr QRgb kFaceShade = 0xFFEDEDED;    // lower end of a released face
inline constexpr QRgb kFrame = 0xFFC4C4C4;        // frames of buttons, panes and groups
inline constexpr QRgb kGroupFrame = 0xFFD9D9D9;
inline constexpr QRgb kText = 0xFF3A3A3A;
inline constexpr QRgb kTextMuted = 0xFF8A8A8A;
inline constexpr QRgb kDisabledFace = 0xFFF1F1F1;
inline constexpr QRgb kDisabledText = 0xFFB0B0B0;
inline constexpr QRgb kPaneFace = 0xFFF5F6F7;
inline constexpr QRgb kGroove = 0xFFD5D5D5;

// Type labels: the chosen type reads grey on white, the others white on grey.
inline constexpr QRgb kTypeChosenFace = 0xFFFFFFFF;
inline constexpr QRgb kTypeChosenText = 0xFF808080;  // RGB(128, 128, 128)
inline constexpr QRgb kTypeOtherFace = 0xFF9A9A9A;
inline constexpr QRgb kTypeOtherText = 0xFFFFFFFF;

// Font sizes are in logical pixels so that the fixed layout of the pages holds at any scale.
inline constexpr int kSmallText = 11;
inline constexpr int kNormalText = 12;
inline constexpr int kLargeText = 13;

QFont Font(int pixelSize, bool bold = false);

}  // namespace zt::look
