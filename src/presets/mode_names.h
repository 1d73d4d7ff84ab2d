#pragma once
// Names of the processor's modes as the user types them. The processor keeps 20 bytes of a name
// and reports a byte at or above 0x80, or at or below 0x1D, as "?"; a name is therefore cut to
// 20 characters and refused when it holds a character that would not come back as typed.

#include <string>
#include <string_view>

#include "params/bilingual_text.h"

namespace zt {

inline constexpr int kModeNameCharacters = 20;

struct ModeNameCheck {
    // The typed name cut to 20 characters (never inside a character).
    std::string name;
    // The first character of `name` the processor cannot keep (UTF-8), empty when it keeps
    // them all. A byte that is not part of valid UTF-8 counts as one character.
    std::string refused;
    bool accepted() const { return refused.empty(); }
};

ModeNameCheck CheckModeName(std::string_view typed);

// The message that refuses a name because of `refused`.
BilingualText ModeNameRefusedText(std::string_view refused);

// What a saved mode sends to the processor: the index byte, a zero byte and the name.
std::string ModeSaveText(int index, std::string_view name);

// The name part of the mode list's item of mode `index`: the text after "n-" (modes 1 to 9),
// "nn-" (modes 10 to 16) or "MFn-" (the factory modes); empty when the item is shorter.
std::string ModeNamePart(std::string_view item, int index);

}  // namespace zt
