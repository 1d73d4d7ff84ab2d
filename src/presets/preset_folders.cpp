#include "presets/preset_folders.h"

#include <fstream>
#include <system_error>

namespace zt {
namespace {

// Longest file name (in bytes) that common file systems accept.
constexpr std::size_t kMaxFileNameBytes = 255;

bool IsRefusedCharacter(unsigned char c) {
    if (c < 0x20 || c == 0x7F) return true;
    switch (c) {
        case '/':
        case '\\':
        case ':':
        case '*':
        case '?':
        case '"':
        case '<':
        case '>':
        case '|':
            return true;
        default:
            return false;
    }
}

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::filesystem::path PresetFolders::PresetFile(std::string_view name) const {
    std::string fileName(name);
    fileName += kPresetExtension;
    return presetFolder / PathFromUtf8(fileName);
}

std::filesystem::path PresetFolders::FindPresetFile(std::string_view name) const {
    const std::filesystem::path own = PresetFile(name);
    std::error_code error;
    if (sharedPresetFolder.empty() || std::filesystem::is_regular_file(own, error)) return own;
    std::string fileName(name);
    fileName += kPresetExtension;
    const std::filesystem::path shared = sharedPresetFolder / PathFromUtf8(fileName);
    return std::filesystem::is_regular_file(shared, error) ? shared : own;
}

PresetFolders MakePresetFolders(const std::filesystem::path& baseFolder) {
    PresetFolders folders;
    // Without a trailing separator, so that the names below have exactly one.
    folders.applicationFolder = baseFolder.has_filename() ? baseFolder : baseFolder.parent_path();
    folders.modeRoot = folders.applicationFolder / "Mode";
    folders.presetFolder = folders.modeRoot / "KMode";
    folders.markerFile = folders.modeRoot / "mod.dat";
    return folders;
}

void PrepareModeFolders(const PresetFolders& folders) {
    std::error_code ignored;
    if (std::filesystem::is_regular_file(folders.markerFile, ignored)) {
        std::ifstream marker(folders.markerFile);
        std::string firstLine;
        std::getline(marker, firstLine);
    } else {
        std::filesystem::create_directory(folders.modeRoot, ignored);
    }
    std::filesystem::create_directory(folders.presetFolder, ignored);
}

bool IsValidPresetName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    if (name.size() + kPresetExtension.size() > kMaxFileNameBytes) return false;
    for (const char c : name) {
        if (IsRefusedCharacter(static_cast<unsigned char>(c))) return false;
    }
    const char last = name.back();
    return last != '.' && last != ' ';
}

}  // namespace zt
