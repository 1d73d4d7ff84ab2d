#pragma once
// The right column's flows wired in the composition root: device modes, preset files,
// passwords, the panel lock and the access code. It fills the window's preset file list and the
// editor's lock check.

#include <QObject>
#include <functional>
#include <memory>

#include "ui/system/access_code.h"
#include "ui/system/compare_with_file.h"
#include "ui/system/mode_flows.h"
#include "ui/system/panel_lock.h"
#include "ui/system/password_flows.h"
#include "ui/system/preset_file_flows.h"
#include "ui/system/prompts.h"

namespace zt {

class DiagnosticLog;
class Editor;
class UndoControls;
struct WindowServices;

class SystemSide {
public:
    // What the flows work with; every part outlives the side.
    struct Parts {
        LinkEngine& link;
        WindowWrites& writes;
        ParamModel& model;
        DiagnosticLog& log;
        ControlRegistry& registry;
        TForm1& window;
        WindowState& windowState;
        const Language& language;
        WindowMessages& messages;
        WindowServices& services;  // the preset file list it fills
        Editor& editor;            // its lock check
        UndoControls& undoControls;
        // The preset folders, fixed once start-up has prepared them.
        std::function<const PresetFolders&()> folders;
        // A preset file replaced the image while off line: every page shows it.
        std::function<void()> showReplacedImage;
        // The music page, where the window goes when it locks.
        std::function<void()> showMusicPage;
    };

    explicit SystemSide(const Parts& parts);
    ~SystemSide();

    ModeFlows& modes() { return modes_; }
    PresetFileFlows& presetFiles() { return presetFiles_; }
    PasswordFlows& passwords() { return passwords_; }
    PanelLock& panelLock() { return panelLock_; }
    AccessCode& accessCode() { return accessCode_; }
    CompareWithFile& compareWithFile() { return compare_; }

private:
    WindowServices& services_;
    Editor& editor_;
    Prompts prompts_;
    ModeFlows modes_;
    PresetFileFlows presetFiles_;
    PasswordFlows passwords_;
    PanelLock panelLock_;
    AccessCode accessCode_;
    CompareWithFile compare_;
    // Receiver of every connection, so that the handlers end with this side.
    std::unique_ptr<QObject> context_;
};

}  // namespace zt
