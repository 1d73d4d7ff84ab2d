#include "presets/preset_path.h"

#include <fstream>

#include "params/diagnostic_log.h"
#include "presets/preset_messages.h"

namespace zt {

std::optional<PresetContent> ReadPresetPath(const std::filesystem::path& path,
                                            BilingualText& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path)) {
        error = kFileNotFoundText;
        return std::nullopt;
    }
    MemoryLog log;
    PresetContent content = ReadPresetContent(in, log);
    switch (content.check) {
        case PresetCheck::kAccepted:
            return content;
        case PresetCheck::kFormatError:
            error = kFileFormatErrorText;
            return std::nullopt;
        case PresetCheck::kCorrupted:
            break;
    }
    error = kFileCorruptedText;
    return std::nullopt;
}

std::optional<DeviceImage> ReadPresetImage(const std::filesystem::path& path,
                                           BilingualText& error) {
    const std::optional<PresetContent> content = ReadPresetPath(path, error);
    if (!content) return std::nullopt;
    DeviceImage image;
    ApplyPresetContent(*content, image);
    return image;
}

}  // namespace zt
