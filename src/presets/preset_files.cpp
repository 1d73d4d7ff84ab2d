#include "presets/preset_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <system_error>

#include "presets/preset_format.h"

namespace zt {
namespace {

// The temporary name must not look like a preset file to the file list.
std::filesystem::path TemporaryFileFor(const std::filesystem::path& file) {
    std::filesystem::path temporary = file;
    temporary.replace_extension(".Ntmp");
    return temporary;
}

bool WriteAll(int descriptor, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(descriptor, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Writes the text and forces it to the disk before the file is closed, so that a rename that
// follows never publishes a file whose content is still only in memory.
bool WriteDurably(const std::filesystem::path& file, std::string_view text) {
    const int descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0) return false;
    const bool written = WriteAll(descriptor, text) && ::fsync(descriptor) == 0;
    const bool closed = ::close(descriptor) == 0;
    return written && closed;
}

// Makes a rename in the folder durable. A file system that cannot sync a folder has nothing to
// lose here, so a failure is not an error.
void SyncFolder(const std::filesystem::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

}  // namespace

bool ReplaceFileContent(const std::filesystem::path& file, std::string_view text) {
    const std::filesystem::path temporary = TemporaryFileFor(file);
    std::error_code error;
    if (!WriteDurably(temporary, text)) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    // rename replaces the old file in one step: a reader, or a crash, sees the old file or the
    // new one, never a part of either.
    std::filesystem::rename(temporary, file, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    SyncFolder(file.parent_path());
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
    return ReadPresetFileAt(folders_.PresetFile(name));
}

bool PresetFiles::ReadPresetFileAt(const std::filesystem::path& file) {
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
