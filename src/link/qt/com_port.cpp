#include "link/qt/com_port.h"

#include <QThread>

#include <QTimer>
#include "link/qt/port_access.h"

#ifdef Q_OS_UNIX
#include <termios.h>
#endif

namespace zt {
namespace {

// The rights were checked before the open, so a permission error here is a lock: Qt's lock file
// or a device opened exclusively by its holder.
PortFault FaultOf(QSerialPort::SerialPortError error) {
    switch (error) {
        case QSerialPort::PermissionError:
            return PortFault::Busy;
        case QSerialPort::DeviceNotFoundError:
            return PortFault::Missing;
        default:
            return PortFault::Other;
    }
}

}  // namespace

ComPort::ComPort(QObject* parent) : QObject(parent) {
    connect(&port_, &QSerialPort::readyRead, this, &ComPort::OnReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &ComPort::OnError);
}

ComPort::~ComPort() {
    // No callbacks while the port is taken down.
    receiver_ = nullptr;
    lost_ = nullptr;
    if (port_.isOpen()) port_.close();
}

bool ComPort::Open(const std::string& name) {
    if (port_.isOpen()) Close();
    holder_.clear();
    fault_ = PortFault::Missing;
    const PortEntry* entry = FindPort(ports_, name);
    if (entry == nullptr) return false;
    const PortAccess access = ProbePortAccess(entry->path);
    fault_ = access.fault;
    holder_ = access.holder;
    if (fault_ != PortFault::None) return false;
    port_.setPortName(QString::fromStdString(entry->path));
    port_.setBaudRate(QSerialPort::Baud115200);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    losing_ = false;
    if (!port_.open(QIODevice::ReadWrite)) {
        fault_ = FaultOf(port_.error());
        port_.clearError();
        return false;
    }
    // Taken while the port is open, so that a second editor (or picocom) sees it busy.
    if (!LockOpenPort(static_cast<int>(port_.handle()))) {
        port_.close();
        port_.clearError();
        fault_ = PortFault::Busy;
        return false;
    }
    // A pseudo-terminal refuses both with UnsupportedOperationError; the port works all the same.
    port_.setDataTerminalReady(true);
    port_.setRequestToSend(true);
    // Whatever waited in the input before this open (an answer to a previous session) belongs
    // to no request of this one.
    port_.clear(QSerialPort::Input);
    port_.clearError();
    openName_ = name;
    return true;
}

void ComPort::Close() {
    losing_ = false;
    openName_.clear();
    if (port_.isOpen()) port_.close();
    port_.clearError();
}

bool ComPort::IsOpen() const {
    return port_.isOpen() && !losing_;
}

void ComPort::Write(const Bytes& bytes) {
    if (!IsOpen() || bytes.empty()) return;
    port_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

void ComPort::Drain(int milliseconds) {
    if (IsOpen()) {
        // flush() hands the buffered bytes to the device without waiting for replies (unlike
        // waitForBytesWritten, which may raise readyRead in the middle of a timer tick).
        port_.flush();
#ifdef Q_OS_UNIX
        tcdrain(static_cast<int>(port_.handle()));
#endif
    }
    if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void ComPort::OnReadyRead() {
    if (!IsOpen()) return;
    const QByteArray data = port_.readAll();
    if (data.isEmpty()) return;
    const Bytes bytes(data.begin(), data.end());
    if (receiver_) receiver_(bytes, static_cast<int>(bytes.size()));
}

void ComPort::OnError(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError) return;
    if (!port_.isOpen() || losing_) return;
    // The device is gone: the port reports the error on every turn of the event loop. It is
    // closed on the next turn rather than inside the port's own notification.
    losing_ = true;
    QTimer::singleShot(0, this, &ComPort::CloseLostPort);
}

void ComPort::CloseLostPort() {
    if (!losing_) return;  // closed or reopened meanwhile
    Close();
    if (lost_) lost_();
}

}  // namespace zt
