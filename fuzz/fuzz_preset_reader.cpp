// Feeds arbitrary file contents to the preset reader: whatever a preset folder holds must be
// rejected or loaded without harm, and only an accepted file may reach the image.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "params/diagnostic_log.h"
#include "params/param_address.h"
#include "presets/preset_format.h"
#include "presets/preset_scramble.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// A stored line that unscrambles must scramble back to its upper-case even-length prefix.
void CheckScrambleRoundTrip(const std::string& stored) {
    const auto plain = zt::UnscrambleLine(stored);
    if (!plain) return;
    std::string expected = stored.substr(0, stored.size() / 2 * 2);
    for (char& c : expected) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    Check(zt::ScrambleLine(*plain) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckScrambleRoundTrip(bytes.substr(0, bytes.find('\n')));

    std::istringstream file(bytes);
    zt::MemoryLog log;
    const zt::PresetContent content = zt::ReadPresetContent(file, log);

    zt::DeviceImage image;
    image.Set(0x1E14, 12345);
    const zt::DeviceImage before = image;
    zt::ApplyPresetContent(content, image);
    if (content.check != zt::PresetCheck::kAccepted) {
        Check(content.entries.empty());
        Check(image == before);
        return 0;
    }
    Check(log.lines().size() == content.entries.size());
    for (const zt::PresetEntry& entry : content.entries) {
        Check(zt::IsStoreAddress(entry.address));
    }
    return 0;
}
