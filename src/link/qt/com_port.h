#pragma once
// ComPort: the link's serial port on QSerialPort, with the processor's fixed line settings
// (115200 baud, 8 data bits, no parity, 1 stop bit, DTR and RTS on, no flow control). Received
// bytes are handed over on the user-interface thread, one receive event at a time. A port that
// goes away while open (a USB adapter pulled, a simulator ended) is closed at once and reported,
// so that the link can end instead of reading errors forever.

#include <QObject>
#include <QSerialPort>
#include <functional>
#include <string>
#include <vector>

#include "link/qt/port_list.h"
#include "link/serial_port.h"

namespace zt {

class ComPort : public QObject, public SerialPort {
    Q_OBJECT

public:
    // The bytes of one receive event and the number of bytes the event found waiting.
    using Receiver = std::function<void(const Bytes& bytes, int count)>;

    explicit ComPort(QObject* parent = nullptr);
    ~ComPort() override;

    // The ports that may be opened, by the names the port list shows. Only these are opened, so
    // that nothing is ever written to a port that was left out of the list (the console).
    void SetPorts(std::vector<PortEntry> ports) { ports_ = std::move(ports); }
    const std::vector<PortEntry>& ports() const { return ports_; }

    // Opens the port shown under `name`; false (and the port closed) when it is not in the list,
    // missing, not this user's to open, or held by another program (which then keeps it
    // undisturbed). Modem lines that the device cannot switch (a pseudo-terminal has none) do
    // not make the open fail.
    bool Open(const std::string& name) override;
    PortFault openFault() const override { return fault_; }
    std::string openHolder() const override { return holder_; }
    void Close() override;
    bool IsOpen() const override;
    // Skipped while closed; errors of a write are not reported.
    void Write(const Bytes& bytes) override;

    // Lets what was written leave the port, then waits the given time: a gap on the line
    // between two frames. Receives nothing meanwhile.
    void Drain(int milliseconds);

    void SetReceiver(Receiver receiver) { receiver_ = std::move(receiver); }
    // Called once after a lost port was closed.
    void SetLostHandler(std::function<void()> lost) { lost_ = std::move(lost); }

    const std::string& openName() const { return openName_; }

private:
    void OnReadyRead();
    void OnError(QSerialPort::SerialPortError error);
    void CloseLostPort();

    QSerialPort port_;
    std::vector<PortEntry> ports_;
    std::string openName_;
    Receiver receiver_;
    std::function<void()> lost_;
    bool losing_ = false;
    PortFault fault_ = PortFault::None;
    std::string holder_;
};

}  // namespace zt
