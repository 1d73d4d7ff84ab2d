#include "params/number_characters.h"

namespace zt {

std::string KeepNumberCharacters(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (const char c : text) {
        if (c == '-' || c == '.' || (c >= '0' && c <= '9')) kept.push_back(c);
    }
    return kept;
}

}  // namespace zt
