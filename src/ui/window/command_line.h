#pragma once
// The editor's command line: one optional preset file to open, --help and --version. Qt's own
// options (-platform, -style, ...) are taken out by the application object before the file is
// looked for; --help and --version are answered before a display is needed.

#include <string>
#include <vector>

namespace zt {

struct EditorCommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string presetFile;  // empty: none
    std::string error;       // for Action::Error
};

// True when the arguments (without the program name) ask for --help or --version, which are
// answered without starting the window.
bool AsksForHelpOrVersion(const std::vector<std::string>& args);

// Parses the arguments after the program name. "--" ends the options; a name starting with "-"
// after it is a file. More than one file, or an unknown option, is an error.
EditorCommandLine ParseEditorCommandLine(const std::vector<std::string>& args);

std::string EditorHelpText();
std::string EditorVersionText();

}  // namespace zt
