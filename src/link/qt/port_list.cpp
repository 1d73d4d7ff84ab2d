#include "link/qt/port_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStandardPaths>
#include <algorithm>
#include <sstream>

namespace zt {
namespace {

constexpr char kConsoleFile[] = "/sys/class/tty/console/active";
constexpr char kPortFolder[] = "/zt461/ports";

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsConsole(const PortEntry& port, const std::vector<std::string>& consoleNames) {
    const std::string device = FileNameOf(port.path);
    return std::any_of(consoleNames.begin(), consoleNames.end(),
                       [&](const std::string& c) { return c == port.name || c == device; });
}

std::vector<PortEntry> VirtualPorts(const std::string& folder) {
    std::vector<PortEntry> ports;
    if (folder.empty()) return ports;
    // System: links that lead nowhere are listed too, and then left out below by name.
    const QFileInfoList entries =
        QDir(QString::fromStdString(folder))
            .entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (!entry.exists() || entry.isDir()) continue;
        ports.push_back({entry.fileName().toStdString(), entry.absoluteFilePath().toStdString()});
    }
    std::sort(ports.begin(), ports.end(),
              [](const PortEntry& a, const PortEntry& b) { return a.name < b.name; });
    return ports;
}

}  // namespace

std::vector<std::string> ParseConsoleNames(const std::string& activeText) {
    std::vector<std::string> names;
    std::istringstream words(activeText);
    std::string word;
    while (words >> word) {
        // A console may carry its line settings: "ttyS0,115200n8".
        names.push_back(word.substr(0, word.find(',')));
    }
    return names;
}

std::vector<PortEntry> BuildPortList(const std::vector<PortEntry>& systemPorts,
                                     const std::vector<std::string>& consoleNames,
                                     const std::string& virtualFolder) {
    std::vector<PortEntry> ports;
    for (const PortEntry& port : systemPorts) {
        if (!IsConsole(port, consoleNames)) ports.push_back(port);
    }
    for (PortEntry& port : VirtualPorts(virtualFolder)) ports.push_back(std::move(port));
    return ports;
}

std::vector<PortEntry> SystemSerialPorts() {
    std::vector<PortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        ports.push_back({info.portName().toStdString(), info.systemLocation().toStdString()});
    }
    return ports;
}

std::vector<std::string> ConsolePortNames() {
    QFile file(QString::fromLatin1(kConsoleFile));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return ParseConsoleNames(file.readAll().toStdString());
}

std::string VirtualPortFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) return {};
    return (runtime + QString::fromLatin1(kPortFolder)).toStdString();
}

std::vector<PortEntry> ListPorts() {
    return BuildPortList(SystemSerialPorts(), ConsolePortNames(), VirtualPortFolder());
}

void PutPortFirst(std::vector<PortEntry>& ports, const std::string& name) {
    const auto it = std::find_if(ports.begin(), ports.end(),
                                 [&](const PortEntry& p) { return p.name == name; });
    if (it != ports.end()) std::rotate(ports.begin(), it, it + 1);
}

const PortEntry* FindPort(const std::vector<PortEntry>& ports, const std::string& name) {
    const auto it = std::find_if(ports.begin(), ports.end(),
                                 [&](const PortEntry& p) { return p.name == name; });
    return it == ports.end() ? nullptr : &*it;
}

}  // namespace zt
