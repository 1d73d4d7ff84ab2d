#pragma once
// Saving the device image to a preset file and loading one back.

#include <string_view>
#include <utility>

#include "params/diagnostic_log.h"
#include "params/param_address.h"
#include "presets/preset_folders.h"
#include "presets/preset_messages.h"

namespace zt {

class PresetFiles {
public:
    PresetFiles(PresetFolders folders, DeviceImage& image, DiagnosticLog& log,
                PresetMessages& messages, ImageUploader& uploader)
        : folders_(std::move(folders)),
          image_(image),
          log_(log),
          messages_(messages),
          uploader_(uploader) {}

    // Writes the image to the preset file of the name, replacing an existing file. The new
    // file is written beside the old one and takes its place only when complete, so a failed
    // save leaves the old file as it was. Reports a failure and gives false.
    bool WritePresetFile(std::string_view name);

    // Reads and checks the preset file of the name. Only a file that passes every check
    // changes the image; then the link is asked to upload it. Reports a failure and gives
    // false.
    bool ReadPresetFile(std::string_view name);
    // The same for a preset file anywhere, named by its path (a file opened from outside the
    // preset folders).
    bool ReadPresetFileAt(const std::filesystem::path& file);

    const PresetFolders& folders() const { return folders_; }

private:
    // Every failure names the file (or the name typed) below the message.
    void Show(const BilingualText& text, const std::string& what, bool damaged = false);

    PresetFolders folders_;
    DeviceImage& image_;
    DiagnosticLog& log_;
    PresetMessages& messages_;
    ImageUploader& uploader_;
};

// Writes the text to the file through a temporary file in the same folder that is renamed
// over the target once written and flushed. Gives false, with the target untouched and no
// temporary file left, when any step fails.
bool ReplaceFileContent(const std::filesystem::path& file, std::string_view text);

}  // namespace zt
