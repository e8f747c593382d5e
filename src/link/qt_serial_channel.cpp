#include "link/qt_serial_channel.h"

#include "link/port_names.h"

#include <QElapsedTimer>
#include <QSerialPort>

#ifdef _WIN32
#define NOMINMAX
#include <windows.h>
#else
#include <termios.h>
#endif

namespace kestrin {

namespace {

constexpr int kWriteTimeoutMs = 1000;
// What one tick may pull from the device: more than the largest read of a
// tick, and a bound on the work when a babbling device floods the line.
constexpr qint64 kPullLimit = 64 * 1024;

}  // namespace

QtSerialChannel::QtSerialChannel() : port_(std::make_unique<QSerialPort>()) {}

QtSerialChannel::~QtSerialChannel() { close(); }

bool QtSerialChannel::open(const std::string& device)
{
    close();
    lastError_.clear();
    port_->setPortName(QString::fromStdString(resolvePortDevice(device)));
    if (!port_->open(QIODevice::ReadWrite)) {
        lastError_ = port_->errorString().toStdString();
        port_->clearError();
        return false;
    }
    const bool configured = port_->setBaudRate(57600) && port_->setDataBits(QSerialPort::Data8) &&
                            port_->setParity(QSerialPort::NoParity) &&
                            port_->setStopBits(QSerialPort::OneStop) &&
                            port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        lastError_ = port_->errorString().toStdString();
        port_->close();
        port_->clearError();
        return false;
    }
    // Bytes that were waiting before we opened belong to nobody's frame.
    port_->clear(QSerialPort::AllDirections);
    return true;
}

void QtSerialChannel::close()
{
    if (!port_->isOpen())
        return;
    port_->clear(QSerialPort::AllDirections);
    port_->close();
    port_->clearError();
}

bool QtSerialChannel::isOpen() const { return port_->isOpen(); }

void QtSerialChannel::pullPending()
{
    // Without a running event loop QSerialPort never looks at the device by
    // itself; a zero wait makes it read what the driver holds right now.
    while (port_->bytesAvailable() < kPullLimit && port_->waitForReadyRead(0)) {
    }
    // A zero wait that found nothing reports a timeout; that is no fault.
    if (port_->error() == QSerialPort::TimeoutError)
        port_->clearError();
}

long QtSerialChannel::queuedBytes()
{
    if (!port_->isOpen())
        return -1;
    pullPending();
    if (port_->error() != QSerialPort::NoError) {
        // A device that went away (adapter unplugged) answers with an error;
        // the caller then sees no data and the connection watch takes over.
        port_->clearError();
        return -1;
    }
    return static_cast<long>(port_->bytesAvailable());
}

int QtSerialChannel::read(std::span<std::uint8_t> buffer)
{
    if (!port_->isOpen() || buffer.empty())
        return 0;
    const qint64 n = port_->read(reinterpret_cast<char*>(buffer.data()), static_cast<qint64>(buffer.size()));
    if (n < 0) {
        port_->clearError();
        return 0;
    }
    return static_cast<int>(n);
}

bool QtSerialChannel::write(std::span<const std::uint8_t> bytes)
{
    if (!port_->isOpen())
        return false;
    if (bytes.empty())
        return true;
    const qint64 n = port_->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    if (n != static_cast<qint64>(bytes.size())) {
        port_->clearError();
        return false;
    }
    QElapsedTimer timer;
    timer.start();
    while (port_->bytesToWrite() > 0) {
        const qint64 left = kWriteTimeoutMs - timer.elapsed();
        if (left <= 0 || !port_->waitForBytesWritten(static_cast<int>(left))) {
            port_->clearError();
            return false;
        }
    }
    // QSerialPort is done once the bytes are in the driver; the frame has
    // left only when the driver's transmit buffer is empty as well. On a
    // pseudo-terminal there is no transmit buffer and this returns at once.
#ifdef _WIN32
    FlushFileBuffers(reinterpret_cast<HANDLE>(port_->handle()));
#else
    ::tcdrain(static_cast<int>(port_->handle()));
#endif
    return true;
}

}  // namespace kestrin
