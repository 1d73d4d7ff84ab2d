#pragma once
// The list of serial ports the link searches, filled once when the main window is shown: the
// system's serial ports in the platform's order, without the ports that serve as the system
// console (a search writes connect frames into every port it tries), followed by the virtual
// ports: the entries of the folder zt461/ports in the runtime folder, where a simulated
// processor puts a link to its pseudo-terminal.

#include <string>
#include <vector>

namespace zt {

struct PortEntry {
    std::string name;  // shown in the port list; the name the link opens the port by
    std::string path;  // what is actually opened
};

// Names of the console devices in the contents of /sys/class/tty/console/active ("tty0 ttyS0").
std::vector<std::string> ParseConsoleNames(const std::string& activeText);

// The port list from its inputs: `systemPorts` in the platform's order, leaving out those whose
// name or device file name is one of `consoleNames`; then every entry of `virtualFolder` in name
// order, shown by its file name and opened by its path, leaving out entries that lead nowhere
// (a link left by a simulator that ended badly), folders and hidden files.
std::vector<PortEntry> BuildPortList(const std::vector<PortEntry>& systemPorts,
                                     const std::vector<std::string>& consoleNames,
                                     const std::string& virtualFolder);

// The inputs on this machine.
std::vector<PortEntry> SystemSerialPorts();
std::vector<std::string> ConsolePortNames();
std::string VirtualPortFolder();

// BuildPortList over the inputs of this machine.
std::vector<PortEntry> ListPorts();

// Moves the entry shown under `name` to the front, keeping the order of the others; a name the
// list does not hold changes nothing.
void PutPortFirst(std::vector<PortEntry>& ports, const std::string& name);

// The entry shown under `name`, or none.
const PortEntry* FindPort(const std::vector<PortEntry>& ports, const std::string& name);

}  // namespace zt
