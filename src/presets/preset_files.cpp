#include "presets/preset_files.h"

#include <fstream>
#include <system_error>

#include "presets/preset_format.h"

namespace zt {
namespace {

// The temporary name must not look like a preset file to the file list ("*.Nddt*").
std::filesystem::path TemporaryFileFor(const std::filesystem::path& file) {
    std::filesystem::path temporary = file;
    temporary.replace_extension(".Ntmp");
    return temporary;
}

bool WriteWholeFile(const std::filesystem::path& file, std::string_view text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    out.close();
    return !out.fail();
}

}  // namespace

bool ReplaceFileContent(const std::filesystem::path& file, std::string_view text) {
    const std::filesystem::path temporary = TemporaryFileFor(file);
    std::error_code error;
    if (!WriteWholeFile(temporary, text)) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    std::filesystem::rename(temporary, file, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

void PresetFiles::Show(const BilingualText& text) {
    messages_.ShowBilingualMessage(text.chinese, text.english);
}

bool PresetFiles::WritePresetFile(std::string_view name) {
    if (!IsValidPresetName(name)) {
        Show(kInvalidFileNameText);
        return false;
    }
    if (!ReplaceFileContent(folders_.PresetFile(name), PresetFileText(image_))) {
        Show(kFileNotSavedText);
        return false;
    }
    return true;
}

bool PresetFiles::ReadPresetFile(std::string_view name) {
    if (!IsValidPresetName(name)) {
        Show(kInvalidFileNameText);
        return false;
    }
    const std::filesystem::path file = folders_.PresetFile(name);
    std::error_code error;
    std::ifstream in;
    if (std::filesystem::is_regular_file(file, error)) in.open(file, std::ios::binary);
    if (!in.is_open()) {
        Show(kFileNotFoundText);
        return false;
    }
    const PresetContent content = ReadPresetContent(in, log_);
    switch (content.check) {
        case PresetCheck::kAccepted:
            ApplyPresetContent(content, image_);
            uploader_.UploadImage();
            return true;
        case PresetCheck::kFormatError:
            Show(kFileFormatErrorText);
            return false;
        case PresetCheck::kCorrupted:
            Show(kFileCorruptedText);
            return false;
    }
    return false;
}

}  // namespace zt
