#pragma once
// The preset files of the PC on the system sheet: the file list ValueListEditor1, the name field
// FileEdit, saving the device image to a file (RzBmpButton120) and loading a file into the image
// and the processor (RzBmpButton119).

#include <QObject>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/link_engine.h"
#include "params/diagnostic_log.h"
#include "params/param_model.h"
#include "presets/preset_folders.h"
#include "presets/preset_messages.h"
#include "ui/state/window_writes.h"
#include "ui/system/prompts.h"
#include "ui/widgets/control_registry.h"
#include "ui/window/window_hooks.h"

class QAbstractButton;
class QFileSystemWatcher;
class QLineEdit;
class QTableWidget;

namespace zt {

class PresetFiles;

// Link action 6: an accepted preset file goes to the processor while the link is online.
class LinkUploader : public ImageUploader {
public:
    explicit LinkUploader(WindowWrites& writes) : writes_(writes) {}
    void UploadImage() override { writes_.StartUpload(); }

private:
    WindowWrites& writes_;
};

class PresetFileFlows : public PresetFileList {
public:
    struct Context {
        LinkEngine& link;
        WindowWrites& writes;
        ParamModel& model;
        DiagnosticLog& log;
        Prompts& prompts;
        // The preset folders, fixed once start-up has prepared them.
        std::function<const PresetFolders&()> folders;
        // The start-up complete flag of the main window.
        std::function<bool()> startUpComplete;
        // A file replaced the image while off line: show it on every page. Online, the refresh
        // after the upload does it.
        std::function<void()> showReplacedImage;
        // Asks the user for a preset file anywhere, starting in `folder`; empty when cancelled.
        std::function<QString(const QString& folder)> choosePresetFile;
    };

    PresetFileFlows(Context context, const ControlRegistry& registry);

    // Connects the handlers; `context` ends them.
    void Connect(QObject* context);

    // Fills the file list and puts the name of its current row into FileEdit.
    void ListPresetFiles() override;
    // The same, then makes the row of `name` current when the list has it.
    void ListPresetFiles(const std::string& name);

    // The folders changed on disk: the list follows, keeping the chosen row and the typed name.
    void FollowFolders();

    // A click on a row of the preset file list puts its name into the file name field.
    void OnListClick(int row);
    // Saves the device image as the preset file named in the field, asking before it
    // overwrites one.
    void SaveToPc();
    // Asks, then loads the preset file named in the field into the image (and, while online,
    // uploads it to the processor).
    void LoadFromPc();
    // "Open file…": loads a preset file kept anywhere, chosen in a file dialog.
    void OpenFile();

    // A preset file named on the command line, anywhere on the disk: read and checked into the
    // image off line (nothing is sent) and shown on every page; its name goes into FileEdit, so
    // that "Load File data" sends it once the link is online. A file that fails a check is
    // reported as any other and changes nothing. False when it was not loaded.
    bool OpenFile(const std::filesystem::path& file);

    const std::vector<std::string>& names() const { return names_; }
    // In place of the file dialog (tests).
    void SetPresetFileChooser(std::function<QString(const QString&)> choose) {
        context_.choosePresetFile = std::move(choose);
    }

private:
    bool Exists(const std::string& name) const;
    void WatchFolders();
    // Loads the file the user chose, as a load from the list does.
    void LoadFile(const std::function<bool(PresetFiles&)>& read);
    struct OpenedFile {
        std::string name;  // as FileEdit shows it
        std::filesystem::path path;
    };

    Context context_;
    LinkUploader uploader_;
    QTableWidget* list_;
    QLineEdit* fileEdit_;
    QAbstractButton* saveButton_;
    QAbstractButton* loadButton_;
    QAbstractButton* openButton_;
    QFileSystemWatcher* watcher_ = nullptr;
    std::vector<std::string> names_;
    std::optional<OpenedFile> opened_;
};

}  // namespace zt
