#include "link/qt/port_access.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace zt {
namespace {

constexpr const char* kLockFolders[] = {"/run/lock", "/var/lock"};

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string ProgramName(long pid) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name.empty() ? "process " + std::to_string(pid)
                        : name + " (" + std::to_string(pid) + ")";
}

bool Alive(long pid) {
    return pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// A lock file holds its process number as text (or, from old programs, as a binary int).
long LockFilePid(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (content.empty()) return 0;
    char* end = nullptr;
    const long text = std::strtol(content.c_str(), &end, 10);
    if (end != content.c_str()) return text;
    int binary = 0;
    if (content.size() == sizeof binary) std::memcpy(&binary, content.data(), sizeof binary);
    return binary;
}

bool IsPseudoTerminal(const std::string& device) {
    return device.rfind("/dev/pts/", 0) == 0;
}

// Another open description holds an exclusive flock on the device. Opening for the check
// neither changes the line settings nor the modem lines.
bool FlockHeld(const std::string& device) {
    const int fd = open(device.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);  // also drops the lock just taken
    return held;
}

}  // namespace

std::string LockFileHolder(const std::string& device, const std::string& lockFolder) {
    const std::string base = device.substr(device.rfind('/') + 1);
    // Qt names the lock after the device's path below /dev with '/' turned into '_'.
    std::string belowDev = device.rfind("/dev/", 0) == 0 ? device.substr(5) : base;
    for (char& c : belowDev) c = c == '/' ? '_' : c;
    for (const std::string& name : {base, belowDev}) {
        const long pid = LockFilePid(lockFolder + "/LCK.." + name);
        if (pid != getpid() && Alive(pid)) return ProgramName(pid);
    }
    return {};
}

std::string DescriptorHolder(const std::string& device) {
    if (IsPseudoTerminal(device)) return {};
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return {};
    std::string holder;
    const long self = getpid();
    while (dirent* entry = readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (*end != '\0' || pid <= 0 || pid == self) continue;
        const std::string fdFolder = "/proc/" + std::string(entry->d_name) + "/fd";
        DIR* fds = opendir(fdFolder.c_str());
        if (fds == nullptr) continue;  // another user's process: not ours to see
        while (dirent* fd = readdir(fds)) {
            char target[PATH_MAX];
            const std::string link = fdFolder + "/" + fd->d_name;
            const ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
            if (n > 0 && device == std::string(target, static_cast<size_t>(n))) {
                holder = ProgramName(pid);
                break;
            }
        }
        closedir(fds);
        if (!holder.empty()) break;
    }
    closedir(proc);
    return holder;
}

PortAccess ProbePortAccess(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return {PortFault::Missing, {}};
    if (access(path.c_str(), R_OK | W_OK) != 0) {
        return {errno == EACCES || errno == EPERM ? PortFault::NoPermission : PortFault::Other, {}};
    }
    const std::string device = RealPath(path);
    for (const char* folder : kLockFolders) {
        std::string holder = LockFileHolder(device, folder);
        if (!holder.empty()) return {PortFault::Busy, holder};
    }
    if (FlockHeld(device)) return {PortFault::Busy, {}};
    std::string holder = DescriptorHolder(device);
    if (!holder.empty()) return {PortFault::Busy, holder};
    return {};
}

bool LockOpenPort(int descriptor) {
    return flock(descriptor, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

}  // namespace zt
