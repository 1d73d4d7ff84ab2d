#pragma once
// The serial port as the link sees it. The real program wraps QSerialPort (115200 8N1, DTR and
// RTS on, no flow control); tests and the in-process simulator provide their own. Received bytes
// do not come through this interface: whoever owns the port hands them to the link engine on the
// user-interface thread.

#include <cstdint>
#include <string>
#include <vector>

namespace zt {

using Bytes = std::vector<uint8_t>;

// Why the last Open failed, as far as the system tells.
enum class PortFault {
    None,
    Missing,       // the device is gone
    NoPermission,  // this user may not open it (not in the group that owns serial ports)
    Busy,          // another program holds it
    Other,
};

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Opens the named port; false when it cannot be opened (the link then tries the next one).
    virtual bool Open(const std::string& name) = 0;
    // After a failed Open: the reason, when the port knows it.
    virtual PortFault openFault() const { return PortFault::None; }
    // After a failed Open for PortFault::Busy: the program holding the port, when known.
    virtual std::string openHolder() const { return {}; }
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Writes are skipped while the port is closed.
    virtual void Write(const Bytes& bytes) = 0;
};

}  // namespace zt
