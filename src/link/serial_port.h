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

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Opens the named port; false when it cannot be opened (the link then tries the next one).
    virtual bool Open(const std::string& name) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Writes are skipped while the port is closed.
    virtual void Write(const Bytes& bytes) = 0;
};

}  // namespace zt
