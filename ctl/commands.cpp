#include "ctl/commands.h"

#include <algorithm>
#include <filesystem>

namespace zt::ctl {
namespace {

std::vector<PortEntry> PortList(const CtlOptions& o) {
    if (o.virtualOnly) return BuildPortList({}, ConsolePortNames(), VirtualPortFolder());
    return ListPorts();
}

bool IsConsole(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::canonical(path, ec);
    const std::string name = (ec ? std::filesystem::path(path) : real).filename().string();
    const std::vector<std::string> consoles = ConsolePortNames();
    return std::find(consoles.begin(), consoles.end(), name) != consoles.end();
}

}  // namespace

std::optional<std::vector<PortEntry>> ChoosePorts(const Context& c,
                                                  const std::vector<std::string>& named,
                                                  BilingualText& error) {
    const std::vector<PortEntry> list = PortList(c.options);
    if (c.options.all) {
        if (list.empty()) error = {"没有可用的端口", "no ports found"};
        if (list.empty()) return std::nullopt;
        return list;
    }
    std::vector<PortEntry> chosen;
    for (const std::string& name : named) {
        if (const PortEntry* entry = FindPort(list, name)) {
            chosen.push_back(*entry);
        } else if (name.find('/') != std::string::npos && std::filesystem::exists(name) &&
                   !IsConsole(name)) {
            chosen.push_back({name, name});
        } else {
            error = {"没有这个端口：" + name, "no such port: " + name};
            return std::nullopt;
        }
    }
    if (!chosen.empty()) return chosen;
    if (list.size() == 1) return list;
    error = list.empty() ? BilingualText{"没有可用的端口", "no ports found"}
                         : BilingualText{"请指定端口（-p PORT）或 --all",
                                         "name a port (-p PORT) or use --all"};
    return std::nullopt;
}

int RunCommand(const Context& c) {
    const std::string& command = c.options.command;
    if (command == "ports") return PortsCommand(c);
    if (command == "backup") return BackupCommand(c);
    if (command == "restore") return RestoreCommand(c);
    if (command == "get") return GetCommand(c);
    if (command == "set") return SetCommand(c);
    if (command == "mode") return ModeCommand(c);
    if (command == "volume") return VolumeCommand(c);
    if (command == "diff") return DiffCommand(c);
    if (command == "keys") return KeysCommand(c);
    return c.out.Refuse(command, {"未知命令：" + command + "（见 --help）",
                                  "unknown command " + command + " (see --help)"});
}

}  // namespace zt::ctl
