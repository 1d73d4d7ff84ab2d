#pragma once
// Figures shared by the tests that run the editor program on a private X server.

#include "ui/window/main_window.h"

namespace zt::test {

// The title the editor's window carries, as the window tools search for it.
inline constexpr const char* kEditorTitle = kApplicationTitle;
// The editor program finds the simulator and downloads its memory within this time.
inline constexpr int kOnlineTimeoutMs = 45000;
// The EQ graph's markers are this many pixels square.
inline constexpr int kMarkerSize = 14;

}  // namespace zt::test
