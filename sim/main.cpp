// zt461-sim: a simulated ZT461 processor on a pseudo-terminal, shown to the editor as a virtual
// serial port in the folder zt461/ports of the runtime folder.

#include <sys/signalfd.h>
#include <unistd.h>
#include <QStandardPaths>
#include <QString>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "sim/pty_link.h"
#include "sim/pty_server.h"
#include "sim/sim_options.h"
#include "sim/sim_processor.h"
#include "sim/sim_state_dump.h"

namespace {

std::string HexText(const zt::Bytes& bytes) {
    std::string text;
    char digits[4];
    for (uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, text.empty() ? "%02X" : " %02X", b);
        text += digits;
    }
    return text;
}

// Replaces a file in one step, so that a script never reads half of it.
void WriteFile(const std::string& path, const std::string& text) {
    if (path.empty()) return;
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << text;
    }
    std::rename(temporary.c_str(), path.c_str());
}

void WriteStatus(const std::string& path, const std::string& word) {
    WriteFile(path, word + "\n");
}

// Signals arrive through a descriptor that the serving loop polls: SIGUSR1 asks for a dump,
// SIGUSR2 clears every fault (the line is mended), the others stop the simulator.
int SignalDescriptor() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGUSR1);
    sigaddset(&set, SIGUSR2);
    sigprocmask(SIG_BLOCK, &set, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return signalfd(-1, &set, SFD_CLOEXEC);
}

std::string PortFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) return {};
    return (runtime + QStringLiteral("/zt461/ports")).toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    zt::SimOptions options;
    std::string error;
    if (!zt::ParseSimOptions({argv + 1, argv + argc}, options, error)) {
        std::cerr << "zt461-sim: " << error << "\nTry zt461-sim --help.\n";
        return 2;
    }
    if (options.help) {
        std::cout << zt::SimHelpText();
        return 0;
    }
    const int signalFd = SignalDescriptor();
    if (signalFd < 0) {
        std::perror("zt461-sim: signalfd");
        return 1;
    }
    const std::string folder = PortFolder();
    zt::PtyLink link;
    if (folder.empty() || !link.Create(folder, options.name, error)) {
        std::cerr << "zt461-sim: " << (folder.empty() ? "no runtime folder" : error) << "\n";
        return 1;
    }
    std::cout << "zt461-sim: port " << options.name << " is " << link.linkPath() << " -> "
              << link.slavePath() << std::endl;
    WriteStatus(options.statusFile, "waiting");

    zt::SimProcessor processor(options.faults);
    if (options.panelLock) processor.SetPanelLock(1);
    zt::ServeHooks hooks;
    if (options.verbose) {
        hooks.frame = [](const zt::SimFrame& f) {
            char head[32];
            std::snprintf(head, sizeof head, "%s %04X", f.command == 0xB7 ? "write" : "read ",
                          static_cast<unsigned>(f.address));
            std::cout << head << (f.checksumOk ? "" : " (bad checksum)") << ": " << HexText(f.data)
                      << std::endl;
        };
    }
    hooks.online = [&] {
        std::cout << "editor online" << std::endl;
        WriteStatus(options.statusFile, "online");
    };
    hooks.offline = [&] {
        std::cout << "editor offline" << std::endl;
        WriteStatus(options.statusFile, "offline");
    };
    hooks.signal = [&](int signal) {
        if (signal == SIGUSR2) {
            processor.SetFaults(zt::SimFaults{.seed = options.faults.seed});
            return false;
        }
        if (signal != SIGUSR1) return true;
        WriteFile(options.dumpFile, zt::DumpSimState(processor));
        return false;
    };

    const zt::ServeEnd end = zt::ServePty(link.master(), signalFd, processor, hooks);
    WriteFile(options.dumpFile, zt::DumpSimState(processor));
    // The last answers are on their way to the editor's side of the terminal; give them a
    // moment before the terminal goes.
    if (end == zt::ServeEnd::Vanished) usleep(200 * 1000);
    link.Remove();
    close(signalFd);
    switch (end) {
        case zt::ServeEnd::Vanished:
            std::cout << "zt461-sim: processor vanished" << std::endl;
            WriteStatus(options.statusFile, "vanished");
            return 0;
        case zt::ServeEnd::Stopped:
            std::cout << "zt461-sim: stopped" << std::endl;
            WriteStatus(options.statusFile, "stopped");
            return 0;
        case zt::ServeEnd::Failed:
            std::cerr << "zt461-sim: the pseudo-terminal failed" << std::endl;
            WriteStatus(options.statusFile, "failed");
            return 1;
    }
    return 1;
}
