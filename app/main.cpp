// zt461-editor: editor and remote control for the ZT461 audio processor.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ui/app/editor_app.h"
#include "ui/app/settings_side.h"
#include "ui/app/system_side.h"
#include "ui/window/command_line.h"
#include "ui/window/main_window.h"

namespace {

std::vector<std::string> Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

// --help and --version print and end at once, before any display is needed.
int Answer(const zt::EditorCommandLine& line) {
    if (line.action == zt::EditorCommandLine::Action::Help) {
        std::fputs(zt::EditorHelpText().c_str(), stdout);
        return 0;
    }
    if (line.action == zt::EditorCommandLine::Action::Version) {
        std::fputs(zt::EditorVersionText().c_str(), stdout);
        return 0;
    }
    std::fprintf(stderr, "zt461-editor: %s\nTry 'zt461-editor --help'.\n", line.error.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (zt::AsksForHelpOrVersion(Arguments(argc, argv))) {
        return Answer(zt::ParseEditorCommandLine(Arguments(argc, argv)));
    }
    QApplication app(argc, argv);
    // QApplication has taken its own options out of argv.
    const zt::EditorCommandLine line = zt::ParseEditorCommandLine(Arguments(argc, argv));
    if (line.action != zt::EditorCommandLine::Action::Run) return Answer(line);

    QApplication::setApplicationName(QString::fromLatin1(zt::kApplicationTitle));
    // No display name: Qt would append it to the title of every dialog and message box.
    zt::EditorApp editor;
    zt::SettingsSide settings(editor, zt::SettingsFile(zt::SettingsFile::DefaultPath()));
    if (!line.presetFile.empty()) {
        // Once the start-up sequence has run and the window is up.
        const std::filesystem::path file(line.presetFile);
        QObject::connect(&editor.window(), &zt::TForm1::firstShown, &editor.window(),
                         [&editor, file] {
                             QTimer::singleShot(0, &editor.window(), [&editor, file] {
                                 editor.system().presetFiles().OpenFile(file);
                             });
                         });
    }
    settings.ShowWindow();
    return app.exec();
}
