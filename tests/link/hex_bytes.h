#pragma once
// Frames written the way the protocol's tables show them: "A5 5A 06 ...".

#include <string>

#include "link/frame_codec.h"

namespace zt {

inline Bytes FromHex(const std::string& text) {
    Bytes bytes;
    for (size_t i = 0; i < text.size(); i += 3) {
        bytes.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

}  // namespace zt
