#include "ui/app/system_side.h"

#include <QFileDialog>

#include "ui/editing/editor.h"
#include "ui/undo/undo_controls.h"
#include "ui/window/main_window.h"
#include "ui/window/window_hooks.h"

namespace zt {
namespace {

PresetFileFlows::Context PresetContext(const SystemSide::Parts& parts, Prompts& prompts) {
    return {
        .link = parts.link,
        .writes = parts.writes,
        .model = parts.model,
        .log = parts.log,
        .prompts = prompts,
        .folders = parts.folders,
        .startUpComplete = [&window = parts.window] { return window.startUpComplete(); },
        .showReplacedImage = parts.showReplacedImage,
        .choosePresetFile =
            [&window = parts.window, &l = parts.language](const QString& folder) {
                return QFileDialog::getOpenFileName(
                    &window, l.Pick("打开预设文件", "Open preset file"), folder,
                    l.Pick("预设文件 (*.Nddt);;所有文件 (*)",
                           "Preset files (*.Nddt);;All files (*)"));
            },
    };
}

}  // namespace

SystemSide::SystemSide(const Parts& parts)
    : services_(parts.services),
      editor_(parts.editor),
      prompts_(parts.messages, parts.language),
      modes_(parts.link, parts.writes, parts.model, prompts_, parts.registry, parts.windowState),
      presetFiles_(PresetContext(parts, prompts_), parts.registry),
      passwords_(parts.link, parts.writes, prompts_, parts.registry),
      panelLock_(parts.link, parts.model, prompts_, parts.window, parts.windowState,
                 parts.showMusicPage),
      accessCode_(parts.window, parts.windowState),
      compare_({.link = parts.link,
                .model = parts.model,
                .prompts = prompts_,
                .folders = parts.folders,
                .showReplacedImage = parts.showReplacedImage},
               parts.registry),
      context_(std::make_unique<QObject>()) {
    modes_.Connect(context_.get());
    presetFiles_.Connect(context_.get());
    passwords_.Connect(context_.get());
    panelLock_.Connect(context_.get());
    accessCode_.Connect(context_.get());
    compare_.Connect(context_.get());
    services_.presetFiles = &presetFiles_;
    editor_.SetLockCheck(&panelLock_);
    // The undo arrows look disabled while the lock holds the window.
    panelLock_.SetOnLockChange([&undo = parts.undoControls] { undo.UpdateEnabled(); });
}

SystemSide::~SystemSide() {
    if (services_.presetFiles == &presetFiles_) services_.presetFiles = nullptr;
    editor_.SetLockCheck(nullptr);
}

}  // namespace zt
