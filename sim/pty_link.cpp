#include "sim/pty_link.h"

#include <fcntl.h>
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
    struct stat target {};
    struct stat entry {};
    if (lstat(link.c_str(), &entry) == 0) {
        if (!S_ISLNK(entry.st_mode) || stat(link.c_str(), &target) == 0) {
            error = link + " exists and is in use; choose another --name";
            Remove();
            return false;
        }
        unlink(link.c_str());  // left behind by a simulator that did not end cleanly
    }
    if (symlink(slavePath_.c_str(), link.c_str()) != 0) {
        error = Failure("symlink " + link);
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
    if (slave_ >= 0) close(slave_);
    if (master_ >= 0) close(master_);
    slave_ = master_ = -1;
}

}  // namespace zt
