#pragma once
// The command line of zt461ctl: a command, its words, and the options that may stand anywhere.

#include <string>
#include <vector>

namespace zt::ctl {

struct CtlOptions {
    std::string command;             // "ports", "backup", ...; empty with --help or --version
    std::vector<std::string> words;  // the command's own words, ports and keys among them
    std::vector<std::string> ports;  // -p/--port, in the order given
    bool all = false;                // --all: every port of the port list
    bool virtualOnly = false;        // --virtual-only: only the virtual ports (simulators)
    std::string outputFolder = ".";  // -o/--output
    std::string file;                // -f/--file: get from a preset file
    std::string password;            // --password: the system password, for saving a mode
    bool json = false;
    int language = -1;  // --lang: 1 Chinese, 0 English, -1 from the environment
    bool help = false;
    bool version = false;
};

// False with a message in `error` on an unknown option or a missing value.
bool ParseCtlOptions(const std::vector<std::string>& args, CtlOptions& options, std::string& error);

// The language from LANGUAGE, LC_ALL, LC_MESSAGES and LANG, the first one set: Chinese for
// "zh...", English otherwise.
bool ChineseFromEnvironment();

std::string CtlHelpText();

}  // namespace zt::ctl
