#pragma once
// The pseudo-terminal through which zt461-sim is reached, and the link to its slave end that
// makes it a virtual serial port of the editor. POSIX only.

#include <string>

namespace zt {

class PtyLink {
public:
    PtyLink() = default;
    PtyLink(const PtyLink&) = delete;
    PtyLink& operator=(const PtyLink&) = delete;
    ~PtyLink();

    // Opens a pseudo-terminal in raw mode at 115200 baud, keeps its slave end open (so that the
    // master never sees a hang-up while no editor is attached), creates `folder` (mode 0700,
    // parents too) and puts the link `folder/name` to the slave there. The name is held by a
    // lock on the hidden file `folder/.name.lock` for as long as the link lives: a second
    // simulator of the same name is refused, and a link left by one that was killed (whose
    // lock the system released) is replaced, wherever it points.
    bool Create(const std::string& folder, const std::string& name, std::string& error);
    // Removes the link and closes both ends; safe to call twice.
    void Remove();

    int master() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }
    const std::string& linkPath() const { return linkPath_; }

private:
    bool HoldNameLock(const std::string& path, std::string& error);

    int master_ = -1;
    int lock_ = -1;
    std::string lockPath_;
    int slave_ = -1;
    std::string slavePath_;
    std::string linkPath_;
};

// Creates the folder and its missing parents; new folders get mode 0700.
bool MakePrivateFolder(const std::string& folder, std::string& error);

}  // namespace zt
