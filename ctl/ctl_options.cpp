#include "ctl/ctl_options.h"

#include <cctype>
#include <cstdlib>

namespace zt::ctl {
namespace {

// An option with a value: "--port X", "--port=X", "-p X".
bool TakeValue(const std::vector<std::string>& args, size_t& i, const std::string& longName,
               const std::string& shortName, std::string& value, bool& matched,
               std::string& error) {
    const std::string& arg = args[i];
    const std::string prefix = longName + "=";
    if (arg.rfind(prefix, 0) == 0) {
        value = arg.substr(prefix.size());
        matched = true;
        return true;
    }
    if (arg != longName && (shortName.empty() || arg != shortName)) return true;
    matched = true;
    if (i + 1 >= args.size()) {
        error = longName + " needs a value";
        return false;
    }
    value = args[++i];
    return true;
}

}  // namespace

bool ParseCtlOptions(const std::vector<std::string>& args, CtlOptions& o, std::string& error) {
    bool wordsOnly = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (wordsOnly || arg.empty() || arg[0] != '-' || arg == "-") {
            if (o.command.empty()) {
                o.command = arg;
            } else {
                o.words.push_back(arg);
            }
            continue;
        }
        if (arg == "--") {
            wordsOnly = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            o.help = true;
            continue;
        }
        if (arg == "--version") {
            o.version = true;
            continue;
        }
        if (arg == "-a" || arg == "--all") {
            o.all = true;
            continue;
        }
        if (arg == "--virtual-only") {
            o.virtualOnly = true;
            continue;
        }
        if (arg == "--json") {
            o.json = true;
            continue;
        }
        bool matched = false;
        std::string port, language;
        if (!TakeValue(args, i, "--port", "-p", port, matched, error)) return false;
        if (matched) {
            o.ports.push_back(port);
            continue;
        }
        if (!TakeValue(args, i, "--output", "-o", o.outputFolder, matched, error)) return false;
        if (matched) continue;
        if (!TakeValue(args, i, "--file", "-f", o.file, matched, error)) return false;
        if (matched) continue;
        if (!TakeValue(args, i, "--password", "", o.password, matched, error)) return false;
        if (matched) continue;
        if (!TakeValue(args, i, "--lang", "", language, matched, error)) return false;
        if (matched) {
            if (language.rfind("zh", 0) == 0) {
                o.language = 1;
            } else if (language.rfind("en", 0) == 0) {
                o.language = 0;
            } else {
                error = "--lang takes zh or en";
                return false;
            }
            continue;
        }
        // A negative number is a value ("volume music -5" is refused later, with its reason).
        if (arg.size() > 1 && (std::isdigit(static_cast<unsigned char>(arg[1])) || arg[1] == '.')) {
            o.words.push_back(arg);
            continue;
        }
        error = "unknown option " + arg;
        return false;
    }
    return true;
}

bool ChineseFromEnvironment() {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return std::string(value).rfind("zh", 0) == 0;
    }
    return false;
}

std::string CtlHelpText() {
    return R"(Usage: zt461ctl [OPTIONS] COMMAND [ARGUMENTS]

Controls ZT461 processors from a terminal or a script, one or many at once.

Commands:
  ports                        list the serial and virtual ports, which of them answer, and
                               the device ID of each processor
  backup [PORT...|--all]       download each processor and save a preset file per processor
                               (PORT_DEVICEID_DATE.Nddt in -o DIR), verified by reading it back
  restore FILE [PORT...|--all] upload a preset file, read every page back and compare
  get KEY... [-p PORT|--all|-f FILE]
                               show parameters in the window's units
  set KEY=VALUE... [-p PORT|--all]
                               write parameters; VALUE in the window's units ("-3dB",
                               "1.00kHz", "PEQ", "on") or raw as raw:N. Every value is checked
                               before anything is sent.
  mode list [-p PORT|--all]    the 22 modes and the current one
  mode load N [-p PORT|--all]  load user mode N (1..16) or factory mode MF1..MF6
  mode save N NAME [-p PORT|--all] [--password PW]
                               save the current settings as user mode N (1..16); a processor
                               in user mode needs its system password
  volume music|mic|effect VALUE [-p PORT|--all]
                               set a main volume (0..84, at most the volume's maximum)
  diff A B                     compare two preset files or processors (ports) by name
  keys [PREFIX]                list the parameter keys with their names and ranges

Options:
  -p, --port PORT   a processor's port, as `ports` lists it (repeatable)
  -a, --all         every port of the port list, all at once
      --virtual-only  leave the system's serial ports out (simulators only)
  -o, --output DIR  folder for backup files (default: the current folder)
  -f, --file FILE   read values from a preset file instead of a processor
      --password PW the processor's system password (mode save in user mode)
      --json        machine-readable output on standard output
      --lang zh|en  language of names and messages (default: from LANG)
  -h, --help        this text
      --version     the program's version

Several processors run in parallel, one link each; a processor that fails does not stop the
others and is named in the summary with its cause.

Exit status: 0 every processor did what was asked (diff: no difference); 1 a processor failed
or a value did not land (diff: differences found); 2 bad command line or input, nothing sent.
)";
}

}  // namespace zt::ctl
