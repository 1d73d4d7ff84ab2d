#pragma once
// A text in both languages; the window shows the one of the current language.

#include <string>

namespace zt {

struct BilingualText {
    std::string chinese;
    std::string english;
    bool operator==(const BilingualText&) const = default;
};

}  // namespace zt
