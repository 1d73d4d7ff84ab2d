#include "ui/system/system_side.h"

#include <QFileDialog>

#include "ui/editing/editing_side.h"
#include "ui/window/editor_app.h"

namespace zt {
namespace {

PresetFileFlows::Context PresetContext(EditorApp& app, Prompts& prompts) {
    return {
        .link = app.link(),
        .writes = app.writes(),
        .model = app.model(),
        .log = app.log(),
        .prompts = prompts,
        .folders = [&app]() -> const PresetFolders& { return app.presetFolders(); },
        .startUpComplete = [&app] { return app.window().startUpComplete(); },
        .showReplacedImage = [&app] { app.ShowReplacedImage(); },
        .choosePresetFile =
            [&app](const QString& folder) {
                const Language& l = app.language();
                return QFileDialog::getOpenFileName(
                    &app.window(), l.Pick("打开预设文件", "Open preset file"), folder,
                    l.Pick("预设文件 (*.Nddt);;所有文件 (*)",
                           "Preset files (*.Nddt);;All files (*)"));
            },
    };
}

}  // namespace

SystemSide::SystemSide(EditorApp& app, WindowMessages& messages)
    : app_(app),
      prompts_(messages, app.language()),
      modes_(app.link(), app.writes(), app.model(), prompts_, app.registry()),
      presetFiles_(PresetContext(app, prompts_), app.registry()),
      passwords_(app.link(), app.writes(), prompts_, app.registry()),
      panelLock_(app.link(), app.model(), prompts_, app.window(), app.windowState(),
                 [&app] { app.pageSwitcher().OnTabClicked(kTabMusic); }),
      accessCode_(app.window()),
      compare_({.link = app.link(),
                .model = app.model(),
                .prompts = prompts_,
                .folders = [&app]() -> const PresetFolders& { return app.presetFolders(); },
                .showReplacedImage = [&app] { app.ShowReplacedImage(); }},
               app.registry()),
      context_(std::make_unique<QObject>()) {
    modes_.Connect(context_.get());
    presetFiles_.Connect(context_.get());
    passwords_.Connect(context_.get());
    panelLock_.Connect(context_.get());
    accessCode_.Connect(context_.get());
    compare_.Connect(context_.get());
    app.services().presetFiles = &presetFiles_;
    app.editing().editor().SetLockCheck(&panelLock_);
    // The undo arrows look disabled while the lock holds the window.
    panelLock_.SetOnLockChange([&app] { app.editing().undoControls().UpdateEnabled(); });
}

SystemSide::~SystemSide() {
    if (app_.services().presetFiles == &presetFiles_) app_.services().presetFiles = nullptr;
    app_.editing().editor().SetLockCheck(nullptr);
}

}  // namespace zt
