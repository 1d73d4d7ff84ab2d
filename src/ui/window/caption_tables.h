#pragma once
// The fixed caption pairs of the window: the bitmap buttons whose hint field holds a state and so
// cannot carry the other language, the link button, and the captions that change with the
// channel shown.

#include <span>

namespace zt {

struct CaptionPair {
    const char* control;  // objectName
    const char* chinese;  // UTF-8
    const char* english;
};

// Bitmap buttons captioned by the language switch.
std::span<const CaptionPair> FixedButtonCaptions();

// Channel-dependent captions of a tab (empty for the tabs that change none).
std::span<const CaptionPair> ChannelCaptions(int tab);

struct TextPair {
    const char* chinese;
    const char* english;
};

// The link button reads "Unlink" while the link searches, transfers or is online, "link"
// while it is off line.
inline constexpr TextPair kLinkedCaption{"断开", "Unlink"};
inline constexpr TextPair kUnlinkedCaption{"联机", "link"};

}  // namespace zt
