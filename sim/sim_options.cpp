#include "sim/sim_options.h"

#include <charconv>
#include <functional>
#include <map>

namespace zt {
namespace {

bool ParseShare(const std::string& text, double& share) {
    try {
        size_t used = 0;
        share = std::stod(text, &used);
        return used == text.size() && share >= 0.0 && share <= 1.0;
    } catch (...) {
        return false;
    }
}

template <typename T>
bool ParseCount(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty() && value >= 0;
}

bool ValidName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

using Setter = std::function<bool(SimOptions&, const std::string&)>;

const std::map<std::string, Setter>& ValueFlags() {
    static const std::map<std::string, Setter> flags{
        {"--name",
         [](SimOptions& o, const std::string& v) { return ValidName(v) && (o.name = v, true); }},
        {"--status-file",
         [](SimOptions& o, const std::string& v) {
             return !v.empty() && (o.statusFile = v, true);
         }},
        {"--dump-file",
         [](SimOptions& o, const std::string& v) { return !v.empty() && (o.dumpFile = v, true); }},
        {"--drop-acks",
         [](SimOptions& o, const std::string& v) { return ParseShare(v, o.faults.dropAcks); }},
        {"--drop-replies",
         [](SimOptions& o, const std::string& v) { return ParseShare(v, o.faults.dropReplies); }},
        {"--corrupt-checksums",
         [](SimOptions& o, const std::string& v) {
             return ParseShare(v, o.faults.corruptChecksums);
         }},
        {"--lose-frames",
         [](SimOptions& o, const std::string& v) { return ParseShare(v, o.faults.loseFrames); }},
        {"--lose-writes",
         [](SimOptions& o, const std::string& v) { return ParseShare(v, o.faults.loseWrites); }},
        {"--garbage",
         [](SimOptions& o, const std::string& v) { return ParseShare(v, o.faults.garbage); }},
        {"--delay-ms",
         [](SimOptions& o, const std::string& v) { return ParseCount(v, o.faults.delayMs); }},
        {"--silent-after",
         [](SimOptions& o, const std::string& v) { return ParseCount(v, o.faults.silentAfter); }},
        {"--vanish-after",
         [](SimOptions& o, const std::string& v) { return ParseCount(v, o.faults.vanishAfter); }},
        {"--drop-keepalive-acks",
         [](SimOptions& o, const std::string& v) {
             return ParseCount(v, o.faults.dropKeepAliveAcks);
         }},
        {"--seed",
         [](SimOptions& o, const std::string& v) { return ParseCount(v, o.faults.seed); }},
    };
    return flags;
}

}  // namespace

bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options,
                     std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--verbose" || arg == "-v") {
            options.verbose = true;
            continue;
        }
        if (arg == "--panel-lock") {
            options.panelLock = true;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string flag = arg.substr(0, equals);
        const auto setter = ValueFlags().find(flag);
        if (setter == ValueFlags().end()) {
            error = "unknown option: " + arg;
            return false;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = "missing value for " + flag;
            return false;
        }
        if (!setter->second(options, value)) {
            error = "bad value for " + flag + ": " + value;
            return false;
        }
    }
    return true;
}

std::string SimHelpText() {
    return R"(Usage: zt461-sim [options]

Simulates a ZT461 processor on a pseudo-terminal. The terminal appears to the editor as the
virtual serial port NAME: a link in the folder zt461/ports of the runtime folder
($XDG_RUNTIME_DIR, else /tmp/runtime-<user>), removed again when the simulator ends (also on
Ctrl+C and SIGTERM).

Options:
  --name=NAME              name of the port in the editor's port list (default ZT461-SIM)
  --status-file=PATH       keep PATH holding "waiting", then "online" each time the editor has
                           finished a download or upload and sent its first keep-alive, and
                           "offline" after a disconnect
  --dump-file=PATH         write what the processor holds (memory, mode names, passwords) to
                           PATH on SIGUSR1 and when the simulator ends
  --panel-lock             start with the panel key lock on (the editor locks its window
                           after the download until the panel lock password is typed)
  --verbose, -v            print every frame received
  --help, -h               show this text

Faults (shares are probabilities from 0 to 1, drawn with the seed):
  --drop-acks=P            leave this share of acknowledgements (EE BB) unsent
  --drop-replies=P         leave this share of reply frames unsent
  --delay-ms=N             send every answer N milliseconds late
  --corrupt-checksums=P    send this share of reply frames with a wrong checksum
  --garbage=P              put a burst of noise before this share of answers
  --silent-after=N         answer N frames, then stay silent (the port stays)
  --vanish-after=N         answer N frames, then take the port away and end
  --lose-frames=P          never receive this share of the editor's frames (noise on the way in)
  --lose-writes=P          never receive this share of the editor's parameter writes only
  --drop-keepalive-acks=N  leave the acknowledgements of the first N keep-alives unsent
  --seed=N                 seed of the fault dice (default 1)

Signals: SIGUSR1 writes the dump file, SIGUSR2 clears every fault (a silent processor answers
again), SIGINT, SIGTERM and SIGHUP end the simulator.

Every line "editor online" on the standard output marks the same moment as "online" in the
status file.
)";
}

}  // namespace zt
