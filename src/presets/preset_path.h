#pragma once
// A preset file read from any path (a backup folder, a file the user picked), checked as the
// window's own reader checks it, without touching an image.

#include <filesystem>
#include <optional>

#include "params/bilingual_text.h"
#include "params/param_address.h"
#include "presets/preset_format.h"

namespace zt {

// The accepted content, or nullopt with the reason in `error` ("File not find!", "File format
// error!", "Data file is corrupted!").
std::optional<PresetContent> ReadPresetPath(const std::filesystem::path& path,
                                            BilingualText& error);

// The image a preset file holds: its entries over an all-zero image.
std::optional<DeviceImage> ReadPresetImage(const std::filesystem::path& path, BilingualText& error);

}  // namespace zt
