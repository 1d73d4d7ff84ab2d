#pragma once
// The names of the preset files in the preset folder, for the file list of the system sheet.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "presets/preset_folders.h"

namespace zt {

// The names (extension stripped) of the ordinary files in the folder that the editor can load
// back: "<name>.Nddt" with a valid preset name. In the order of PresetFileNameLess on the file
// names. A folder that cannot be read gives what could be read.
std::vector<std::string> ListPresetNames(const std::filesystem::path& folder);

// The names of both preset folders of the run (the writable one and the shared one beside the
// program), each name once, in the same order.
std::vector<std::string> ListPresetNames(const PresetFolders& folders);

// Order of the preset files, by their whole file names (extension included): case-insensitive
// for ASCII letters, then byte order.
bool PresetFileNameLess(std::string_view a, std::string_view b);

}  // namespace zt
