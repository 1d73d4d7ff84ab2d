#pragma once
// Where preset files live: the "Mode" folder beside the program, its "KMode" folder of preset
// files and the marker file "mod.dat". The base folder is chosen once at start-up (the
// program's folder, or the user's application data folder where the program's folder cannot
// be written) and the names stay for the run.

#include <filesystem>
#include <string>
#include <string_view>

namespace zt {

struct PresetFolders {
    std::filesystem::path applicationFolder;
    std::filesystem::path modeRoot;      // applicationFolder / "Mode"
    std::filesystem::path presetFolder;  // modeRoot / "KMode"
    std::filesystem::path markerFile;    // modeRoot / "mod.dat"

    // presetFolder / (name + ".Nddt"); the name must have passed IsValidPresetName.
    std::filesystem::path PresetFile(std::string_view name) const;
};

inline constexpr std::string_view kPresetExtension = ".Nddt";

PresetFolders MakePresetFolders(const std::filesystem::path& baseFolder);

// Start-up preparation. With the marker file present only the preset folder is made (its first
// line is read and not used); otherwise the mode root and then the preset folder. A folder that
// cannot be made, or exists already, is passed over silently. The marker file is never written.
void PrepareModeFolders(const PresetFolders& folders);

// A preset name becomes a file name in the preset folder, so it must stay there and be a name
// every file system takes: not empty, not "." or "..", no path separator, none of : * ? " < > |,
// no control character, no trailing dot or blank, and not longer than a file name may be.
bool IsValidPresetName(std::string_view name);

// UTF-8 text as a path, on every platform.
std::filesystem::path PathFromUtf8(std::string_view text);

}  // namespace zt
