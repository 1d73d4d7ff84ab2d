#include "presets/preset_file_names.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "presets/preset_folders.h"

namespace zt {
namespace {

char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The name of a preset file, or nothing for any other file name.
std::optional<std::string> PresetNameOf(const std::string& fileName) {
    if (fileName.size() <= kPresetExtension.size()) return std::nullopt;
    const size_t stem = fileName.size() - kPresetExtension.size();
    if (std::string_view(fileName).substr(stem) != kPresetExtension) return std::nullopt;
    std::string name = fileName.substr(0, stem);
    if (!IsValidPresetName(name)) return std::nullopt;
    return name;
}

void AddPresetFiles(const std::filesystem::path& folder, std::vector<std::string>& files) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::error_code kindError;
        if (!entries->is_regular_file(kindError)) continue;
        std::string file = entries->path().filename().string();
        if (PresetNameOf(file)) files.push_back(std::move(file));
    }
}

std::vector<std::string> NamesInOrder(std::vector<std::string> files) {
    // In the order of the whole file names, as a file lister gives them: "Live-2.Nddt" comes
    // before "Live.Nddt".
    std::sort(files.begin(), files.end(), PresetFileNameLess);
    files.erase(std::unique(files.begin(), files.end()), files.end());
    std::vector<std::string> names;
    names.reserve(files.size());
    for (const std::string& file : files) {
        names.push_back(file.substr(0, file.size() - kPresetExtension.size()));
    }
    return names;
}

}  // namespace

bool PresetFileNameLess(std::string_view a, std::string_view b) {
    const auto folded = [](char x, char y) { return FoldCase(x) < FoldCase(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded)) return false;
    return a < b;
}

std::vector<std::string> ListPresetNames(const std::filesystem::path& folder) {
    std::vector<std::string> files;
    AddPresetFiles(folder, files);
    return NamesInOrder(std::move(files));
}

std::vector<std::string> ListPresetNames(const PresetFolders& folders) {
    std::vector<std::string> files;
    AddPresetFiles(folders.presetFolder, files);
    if (!folders.sharedPresetFolder.empty()) AddPresetFiles(folders.sharedPresetFolder, files);
    return NamesInOrder(std::move(files));
}

}  // namespace zt
