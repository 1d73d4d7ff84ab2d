#pragma once
// The right column's flows wired into the composition root: device modes, preset files,
// passwords, the panel lock and the access code. It fills the window's preset file list and the
// editor's lock check.

#include <QObject>
#include <memory>

#include "ui/system/access_code.h"
#include "ui/system/compare_with_file.h"
#include "ui/system/mode_flows.h"
#include "ui/system/panel_lock.h"
#include "ui/system/password_flows.h"
#include "ui/system/preset_file_flows.h"
#include "ui/system/prompts.h"

namespace zt {

class EditorApp;

class SystemSide {
public:
    SystemSide(EditorApp& app, WindowMessages& messages);
    ~SystemSide();

    ModeFlows& modes() { return modes_; }
    PresetFileFlows& presetFiles() { return presetFiles_; }
    PasswordFlows& passwords() { return passwords_; }
    PanelLock& panelLock() { return panelLock_; }
    AccessCode& accessCode() { return accessCode_; }
    CompareWithFile& compareWithFile() { return compare_; }

private:
    EditorApp& app_;
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
