#include "sim/pty_link.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace zt {
namespace {

std::string Failure(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

bool MakeRaw(int fd, std::string& error) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        error = Failure("tcgetattr");
        return false;
    }
    cfmakeraw(&tio);
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    tio.c_cflag |= CLOCAL | CREAD;
    if (tcsetattr(fd, TCSANOW, &tio) != 0) {
        error = Failure("tcsetattr");
        return false;
    }
    return true;
}

}  // namespace

bool PtyLink::HoldNameLock(const std::string& path, std::string& error) {
    // The lock file may be removed by its last holder between our open and our lock; then the
    // lock is on a file nobody else will see, so open again until the lock is on the one there.
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            error = Failure("open " + path);
            return false;
        }
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool busy = errno == EWOULDBLOCK;
            error = busy ? "another simulator serves this name; choose another --name"
                         : Failure("flock " + path);
            close(fd);
            return false;
        }
        struct stat held {};
        struct stat there {};
        if (fstat(fd, &held) == 0 && stat(path.c_str(), &there) == 0 &&
            held.st_dev == there.st_dev && held.st_ino == there.st_ino) {
            lock_ = fd;
            lockPath_ = path;
            return true;
        }
        close(fd);
    }
    error = "cannot hold the lock " + path;
    return false;
}

bool MakePrivateFolder(const std::string& folder, std::string& error) {
    if (folder.empty()) {
        error = "no folder for the port link";
        return false;
    }
    for (size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos != folder.size() && folder[pos] != '/') continue;
        const std::string part = folder.substr(0, pos);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = Failure("mkdir " + part);
            return false;
        }
    }
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = "not a folder: " + folder;
        return false;
    }
    return true;
}

PtyLink::~PtyLink() {
    Remove();
}

bool PtyLink::Create(const std::string& folder, const std::string& name, std::string& error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error = Failure("posix_openpt");
        return false;
    }
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = Failure("grantpt/unlockpt");
        Remove();
        return false;
    }
    char path[256] = {};
    if (ptsname_r(master_, path, sizeof path) != 0) {
        error = Failure("ptsname");
        Remove();
        return false;
    }
    slavePath_ = path;
    slave_ = open(path, O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        error = Failure("open " + slavePath_);
        Remove();
        return false;
    }
    if (!MakeRaw(slave_, error) || !MakePrivateFolder(folder, error)) {
        Remove();
        return false;
    }
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);

    const std::string link = folder + "/" + name;
    if (!HoldNameLock(folder + "/." + name + ".lock", error)) {
        Remove();
        return false;
    }
    // Holding the name's lock, any link of that name is stale: left behind by a simulator that
    // was killed, which released its lock as it died. Its terminal number may belong to
    // another terminal by now, so whether the link leads somewhere says nothing.
    struct stat entry {};
    if (lstat(link.c_str(), &entry) == 0 && !S_ISLNK(entry.st_mode)) {
        error = link + " exists and is no port link; choose another --name";
        Remove();
        return false;
    }
    // The new link replaces the old one in one step: the editor never sees the name missing.
    const std::string fresh = folder + "/." + name + ".new";
    unlink(fresh.c_str());
    if (symlink(slavePath_.c_str(), fresh.c_str()) != 0 ||
        rename(fresh.c_str(), link.c_str()) != 0) {
        error = Failure("symlink " + link);
        unlink(fresh.c_str());
        Remove();
        return false;
    }
    linkPath_ = link;
    return true;
}

void PtyLink::Remove() {
    if (!linkPath_.empty()) {
        unlink(linkPath_.c_str());
        linkPath_.clear();
    }
    if (lock_ >= 0) {
        // Removed while still held, so that a simulator starting now finds it gone or locks
        // a fresh one.
        unlink(lockPath_.c_str());
        close(lock_);
        lock_ = -1;
        lockPath_.clear();
    }
    if (slave_ >= 0) close(slave_);
    if (master_ >= 0) close(master_);
    slave_ = master_ = -1;
}

}  // namespace zt
