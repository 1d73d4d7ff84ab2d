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
    // The preset folder beside the program when this run cannot write there and keeps its own
    // files elsewhere (empty otherwise): its presets are listed and loaded, never written.
    std::filesystem::path sharedPresetFolder;

    // presetFolder / (name + ".Nddt"); the name must have passed IsValidPresetName. Saves go
    // here.
    std::filesystem::path PresetFile(std::string_view name) const;
    // The file a load of the name reads: the writable folder's when it has one, else the shared
    // folder's when that has one, else (a name of no file) the writable folder's.
    std::filesystem::path FindPresetFile(std::string_view name) const;
    // True when saves go to a folder other than the one beside the program.
    bool SavesElsewhere() const { return !sharedPresetFolder.empty(); }
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

// UTF-8 text as a path, on every platform, and back.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace zt
