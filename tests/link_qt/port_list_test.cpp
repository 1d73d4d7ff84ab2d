// The port list: system ports without the console, then the virtual ports of the runtime
// folder in name order, shown by name and opened by path.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "link/qt/port_list.h"

namespace zt {
namespace {

struct VirtualFolder {
    VirtualFolder() {
        path = dir.path().toStdString() + "/ports";
        QDir().mkpath(QString::fromStdString(path));
        // A file that stands in for a terminal, so that links to it lead somewhere.
        target = dir.path().toStdString() + "/pts-stand-in";
        QFile file(QString::fromStdString(target));
        file.open(QIODevice::WriteOnly);
    }
    void Link(const std::string& name, const std::string& to) {
        QFile::link(QString::fromStdString(to), QString::fromStdString(path + "/" + name));
    }
    QTemporaryDir dir;
    std::string path;
    std::string target;
};

std::vector<std::string> Names(const std::vector<PortEntry>& ports) {
    std::vector<std::string> names;
    for (const PortEntry& p : ports) names.push_back(p.name);
    return names;
}

TEST(PortListTest, LeavesOutTheConsole) {
    const std::vector<PortEntry> system{{"ttyS0", "/dev/ttyS0"},
                                        {"ttyUSB0", "/dev/ttyUSB0"},
                                        {"ttyS1", "/dev/ttyS1"},
                                        {"ttyACM0", "/dev/ttyACM0"}};
    struct Case {
        std::string active;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases{
        {"ttyS0", {"ttyUSB0", "ttyS1", "ttyACM0"}},
        {"tty0 ttyS0\n", {"ttyUSB0", "ttyS1", "ttyACM0"}},
        {"ttyS1,115200n8 ttyUSB0", {"ttyS0", "ttyACM0"}},
        {"tty0", {"ttyS0", "ttyUSB0", "ttyS1", "ttyACM0"}},
        {"", {"ttyS0", "ttyUSB0", "ttyS1", "ttyACM0"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Names(BuildPortList(system, ParseConsoleNames(c.active), "")), c.expected)
            << c.active;
    }
    // A console known only by its device file.
    EXPECT_TRUE(BuildPortList({{"COM1", "/dev/ttyS0"}}, {"ttyS0"}, "").empty());
}

TEST(PortListTest, AddsVirtualPortsInNameOrderAfterTheSystemPorts) {
    VirtualFolder folder;
    folder.Link("ZT461-SIM", folder.target);
    folder.Link("A-second", folder.target);
    folder.Link("stale", folder.dir.path().toStdString() + "/gone");  // leads nowhere
    folder.Link(".hidden", folder.target);
    QDir().mkpath(QString::fromStdString(folder.path + "/subfolder"));

    const auto ports = BuildPortList({{"ttyUSB0", "/dev/ttyUSB0"}}, {"ttyS0"}, folder.path);
    EXPECT_EQ(Names(ports), (std::vector<std::string>{"ttyUSB0", "A-second", "ZT461-SIM"}));
    ASSERT_EQ(ports.size(), 3u);
    EXPECT_EQ(ports[2].path, folder.path + "/ZT461-SIM");  // opened by its path, not its target
    const PortEntry* found = FindPort(ports, "ZT461-SIM");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->path, ports[2].path);
    EXPECT_EQ(FindPort(ports, "stale"), nullptr);
}

TEST(PortListTest, MissingVirtualFolderGivesSystemPortsOnly) {
    EXPECT_EQ(Names(BuildPortList({{"ttyUSB0", "/dev/ttyUSB0"}}, {}, "/nonexistent/zt461/ports")),
              (std::vector<std::string>{"ttyUSB0"}));
}

TEST(PortListTest, VirtualFolderLivesInTheRuntimeFolder) {
    QTemporaryDir runtime;
    const bool wasSet = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    EXPECT_EQ(VirtualPortFolder(), runtime.path().toStdString() + "/zt461/ports");
    if (wasSet) {
        qputenv("XDG_RUNTIME_DIR", saved);
    } else {
        qunsetenv("XDG_RUNTIME_DIR");
    }
}

// This machine's own list never offers its console to a search.
TEST(PortListTest, ListOfThisMachineHasNoConsole) {
    const std::vector<std::string> consoles = ConsolePortNames();
    for (const PortEntry& port : ListPorts()) {
        for (const std::string& console : consoles) {
            EXPECT_NE(port.name, console);
            EXPECT_NE(port.path, "/dev/" + console);
        }
    }
}

}  // namespace
}  // namespace zt

namespace zt {
namespace {

TEST(PortListTest, ThePortThatAnsweredLastGoesFirst) {
    const std::vector<PortEntry> ports{{"ttyS1", "/dev/ttyS1"},
                                       {"ttyUSB0", "/dev/ttyUSB0"},
                                       {"ZT461-SIM", "/run/zt461/ZT461-SIM"}};
    struct Case {
        std::string preferred;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"ZT461-SIM", {"ZT461-SIM", "ttyS1", "ttyUSB0"}},
        {"ttyUSB0", {"ttyUSB0", "ttyS1", "ZT461-SIM"}},
        {"ttyS1", {"ttyS1", "ttyUSB0", "ZT461-SIM"}},
        {"gone", {"ttyS1", "ttyUSB0", "ZT461-SIM"}},
        {"", {"ttyS1", "ttyUSB0", "ZT461-SIM"}},
    };
    for (const Case& c : cases) {
        std::vector<PortEntry> list = ports;
        PutPortFirst(list, c.preferred);
        EXPECT_EQ(Names(list), c.expected) << c.preferred;
    }
}

}  // namespace
}  // namespace zt
