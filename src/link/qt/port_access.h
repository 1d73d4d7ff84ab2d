#pragma once
// What the system tells about a serial device before the link opens it: whether this user may
// open it at all, and whether another program holds it. A held port is never opened a second
// time: two programs on one line garble each other's frames.
//
// Linux shows a holder in three ways: a UUCP lock file "LCK..<device>" in /run/lock (written by
// Qt's serial ports, minicom and the like) naming its process, an exclusive flock() on the
// device (picocom, the editor itself while linked), and, for a real adapter, the holder's open
// descriptor under /proc.

#include <string>

#include "link/serial_port.h"

namespace zt {

struct PortAccess {
    PortFault fault = PortFault::None;
    std::string holder;  // the holding program's name, when known
};

// Checks the device at `path` (links followed) without changing anything on the line.
PortAccess ProbePortAccess(const std::string& path);

// The program holding `device` (a path after links) through a lock file in `lockFolder`, or
// through an open descriptor of another process (not for pseudo-terminals, whose other side
// always holds them); empty when none does.
std::string LockFileHolder(const std::string& device, const std::string& lockFolder);
std::string DescriptorHolder(const std::string& device);

// Takes an exclusive flock() on an open descriptor of the port; false when another open
// description holds one.
bool LockOpenPort(int descriptor);

}  // namespace zt
