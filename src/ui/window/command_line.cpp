#include "ui/window/command_line.h"

#include "zt_version.h"

namespace zt {
namespace {

bool IsHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

bool IsVersion(const std::string& arg) {
    return arg == "--version" || arg == "-v";
}

}  // namespace

bool AsksForHelpOrVersion(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") return false;
        if (IsHelp(arg) || IsVersion(arg)) return true;
    }
    return false;
}

EditorCommandLine ParseEditorCommandLine(const std::vector<std::string>& args) {
    EditorCommandLine line;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && IsHelp(arg)) {
            line.action = EditorCommandLine::Action::Help;
            return line;
        }
        if (!optionsEnded && IsVersion(arg)) {
            line.action = EditorCommandLine::Action::Version;
            return line;
        }
        if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            line.action = EditorCommandLine::Action::Error;
            line.error = "unknown option " + arg;
            return line;
        }
        if (arg.empty()) continue;  // an empty %f of a launcher names no file
        if (!line.presetFile.empty()) {
            line.action = EditorCommandLine::Action::Error;
            line.error = "only one preset file can be opened";
            return line;
        }
        line.presetFile = arg;
    }
    return line;
}

std::string EditorHelpText() {
    // Appended piece by piece: GCC 12 warns falsely about the bounds of a chain of + on strings.
    std::string text = "Usage: ";
    text += kEditorProgramName;
    text += R"( [options] [FILE.Nddt]

Editor and remote control for the ZT461 karaoke audio processor. The editor searches the serial
ports for the processor at start and downloads its settings.

FILE.Nddt, a preset file, is shown on every page off line after its checks; once the editor is
linked, "Load File data" on the "System setting" sheet sends it to the processor.

Options:
  -h, --help       show this text and end
  -v, --version    show the version and end

Qt's own options, such as -platform NAME or -style NAME, are accepted too.
Settings are kept in $XDG_CONFIG_HOME/zt461/zt461-editor.conf (~/.config when unset).
)";
    return text;
}

std::string EditorVersionText() {
    std::string text = kEditorProgramName;
    text += ' ';
    text += kEditorVersion;
    text += '\n';
    return text;
}

}  // namespace zt
