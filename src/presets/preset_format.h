#pragma once
// The content of a preset file: two header lines, one entry line per saved slot of the device
// image, the record count and the checksum. Each line is masked with its own line index.

#include <array>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "params/diagnostic_log.h"
#include "params/param_address.h"

namespace zt {

// Pages 0..24 are saved; kPresetLastSlot[p] is the highest slot saved for page p.
inline constexpr int kPresetPageCount = 25;
inline constexpr std::array<int, kPresetPageCount> kPresetLastSlot{
    164, 60, 114, 114, 48, 45, 70, 70, 70, 70, 70, 70, 70,
    70,  70, 70,  70,  70, 70, 70, 70, 70, 70, 70, 48};

// The one slot saved from outside those pages (page 30, slot 20).
inline constexpr ParamAddress kPresetExtraAddress = 0x1E14;

// Header numbers as they are stored: the model and maker codes XOR 0x58.
inline constexpr int32_t kPresetHeaderMask = 0x58;
inline constexpr int32_t kPresetModelCode = 0xB1;
inline constexpr int32_t kPresetMakerCode = 0x01;

// Checksum of the running sum S of the entry values: ((S XOR 0xFFFF) + 1) rem 256, in 32-bit
// arithmetic with wrap-around; negative for a negative intermediate.
int32_t PresetChecksum(uint32_t valueSum);

// The plain (unscrambled) lines of a preset file holding the image.
std::vector<std::string> PresetPlainLines(const DeviceImage& image);

// The file's bytes: every plain line scrambled and followed by CR LF.
std::string PresetFileText(const DeviceImage& image);

enum class PresetCheck {
    kAccepted,
    kFormatError,  // not a preset file: bad hexadecimal, header numbers, too few lines
    kCorrupted,    // record count, checksum, an entry that is no number or lies outside the image
};

struct PresetEntry {
    ParamAddress address = 0;
    int32_t value = 0;
    bool operator==(const PresetEntry&) const = default;
};

struct PresetContent {
    PresetCheck check = PresetCheck::kFormatError;
    std::vector<PresetEntry> entries;  // in file order; empty unless accepted
};

// Reads and checks a whole preset file without touching any image. Once the header has passed,
// the diagnostic log is cleared and receives "A V" for each entry read, up to a failing one, so
// that it shows what the file held even when the checksum then fails.
PresetContent ReadPresetContent(std::istream& in, DiagnosticLog& log);
// The same for the file's bytes in memory.
PresetContent ReadPresetContent(std::string_view text, DiagnosticLog& log);

// Stores accepted entries into the image; later entries for the same address win.
void ApplyPresetContent(const PresetContent& content, DeviceImage& image);

}  // namespace zt
