#include "link/serial/MSComm1.h"

#include <QFileInfo>
#include <QSerialPort>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <utility>

namespace {

constexpr int LastPort = 16;

struct LineSettings {
    qint32 baud = 0;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QString text;
};

// "baud,parity,data bits,stop bits", blanks around each field allowed, parity letter in either
// case. One and a half stop bits are refused: the POSIX terminal interface cannot set them.
std::optional<LineSettings> parseSettings(const QString& text) {
    const QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() != 4) return std::nullopt;
    const QString baudText = fields.at(0).trimmed();
    const QString parityText = fields.at(1).trimmed().toUpper();
    const QString dataText = fields.at(2).trimmed();
    const QString stopText = fields.at(3).trimmed();

    LineSettings line;
    bool ok = false;
    const auto isDigits = [](const QString& s) {
        return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return c.isDigit(); });
    };
    if (!isDigits(baudText)) return std::nullopt;
    line.baud = baudText.toInt(&ok);
    if (!ok || line.baud <= 0) return std::nullopt;

    if (parityText == QLatin1String("N"))
        line.parity = QSerialPort::NoParity;
    else if (parityText == QLatin1String("E"))
        line.parity = QSerialPort::EvenParity;
    else if (parityText == QLatin1String("O"))
        line.parity = QSerialPort::OddParity;
    else if (parityText == QLatin1String("M"))
        line.parity = QSerialPort::MarkParity;
    else if (parityText == QLatin1String("S"))
        line.parity = QSerialPort::SpaceParity;
    else
        return std::nullopt;

    if (dataText.size() != 1 || dataText.at(0) < QLatin1Char('5') ||
        dataText.at(0) > QLatin1Char('8'))
        return std::nullopt;
    line.dataBits = static_cast<QSerialPort::DataBits>(dataText.at(0).digitValue());

    if (stopText == QLatin1String("1"))
        line.stopBits = QSerialPort::OneStop;
    else if (stopText == QLatin1String("2"))
        line.stopBits = QSerialPort::TwoStop;
    else
        return std::nullopt;

    line.text = QStringLiteral("%1,%2,%3,%4").arg(baudText, parityText, dataText, stopText);
    return line;
}

int openErrorNumber(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return MSComm1::DeviceUnavailable;
    // Another program holding the line shows up here too: the device is locked (lock file or
    // exclusive terminal mode), which the operating system reports as busy or as permission.
    case QSerialPort::PermissionError:
        return MSComm1::PermissionDenied;
    case QSerialPort::OpenError:
        return MSComm1::PortAlreadyOpen;
    // An input/output error at opening: the node is there but nothing answers behind it (an
    // on-board ttyS node without a UART, an adapter half unplugged). To the user that is a
    // device that is not there.
    case QSerialPort::ResourceError:
        return MSComm1::DeviceUnavailable;
    case QSerialPort::UnsupportedOperationError:
        return MSComm1::SettingsRejected;
    default:
        return MSComm1::HardwareUnavailable;
    }
}

} // namespace

MSComm1::MSComm1(QObject* parent)
    : QObject(parent), port_device_(new QSerialPort(this)), watch_(new QTimer(this)) {
    connect(port_device_, &QSerialPort::readyRead, this, &MSComm1::readAvailable);
    connect(port_device_, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError error) { onError(error); });
    watch_->setInterval(kReopenMs);
    watch_->setTimerType(Qt::VeryCoarseTimer);
    connect(watch_, &QTimer::timeout, this, &MSComm1::watch);
    applySettings();
}

MSComm1::~MSComm1() = default;

QString MSComm1::environmentDevice(int port) {
    if (port < 1 || port > LastPort) return {};
    const QByteArray variable = "VESTO_COM" + QByteArray::number(port);
    return qEnvironmentVariable(variable.constData());
}

QString MSComm1::defaultDevice(int port) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    if (port >= 1 && port <= 4) return QStringLiteral("/dev/ttyS%1").arg(port - 1);
    return {};
#endif
}

QString MSComm1::devicePath(int port) const {
    if (!named_.isEmpty()) return named_;
    if (port < 1 || port > LastPort) return {};
    if (const QString set = environmentDevice(port); !set.isEmpty()) return set;
    if (port <= 4 && !chosen_[port].isEmpty()) return chosen_[port];
    return defaultDevice(port);
}

void MSComm1::setChosenDevice(int port, const QString& path) {
    if (port >= 1 && port <= 4) chosen_[port] = path.trimmed();
}

QString MSComm1::chosenDevice(int port) const {
    return port >= 1 && port <= 4 ? chosen_[port] : QString();
}

void MSComm1::setInputLen(int length) {
    inputLen_ = qMax(0, length);
}

// A smaller size takes effect for bytes arriving from now on; what is waiting stays.
void MSComm1::setInBufferSize(int size) {
    inBufferSize_ = qMax(1, size);
}

bool MSComm1::setSettings(const QString& settings) {
    const auto parsed = parseSettings(settings);
    if (!parsed) return false;
    const QString previous = std::exchange(settings_, parsed->text);
    if (!applySettings()) {
        settings_ = previous;
        applySettings();
        return false;
    }
    return true;
}

int MSComm1::setCommPort(int port) {
    if (port < 1 || port > LastPort) return InvalidPort;
    if (port != port_ && portOpen()) return PortAlreadyOpen;
    if (port != port_) {
        // Another port chosen: the lost device of the old one is no longer waited for.
        lost_ = false;
        watch_->stop();
    }
    port_ = port;
    return NoError;
}

int MSComm1::setPortOpen(bool open) {
    lost_ = false;
    watch_->stop();
    if (!open) {
        if (port_device_->isOpen()) port_device_->close();
        buffer_.clear();
        return NoError;
    }
    if (port_device_->isOpen()) return PortAlreadyOpen;
    const QString path = devicePath(port_);
    if (path.isEmpty()) return DeviceUnavailable;
    const int error = openPath(path);
    if (error == NoError) {
        openedPath_ = path;
        watch_->start();
    }
    return error;
}

int MSComm1::openPath(const QString& path) {
    port_device_->setPortName(path);
    buffer_.clear();
    // The line settings stored on the device object are applied by open() itself.
    if (!port_device_->open(QIODevice::ReadWrite)) return openErrorNumber(port_device_->error());
    // Bytes that sat in the device before we took the line belong to nobody.
    port_device_->clear(QSerialPort::Input);
    return NoError;
}

// A device pulled out shows as a resource error (EIO, ENXIO) or as a read that returns nothing
// although the line said it was readable (a hang-up). Left open, such a device is reported
// readable again at once, for ever, which would keep a processor busy.
void MSComm1::onError(int error) {
    if (!port_device_->isOpen() || lost_) return;
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError) return;
    // Closed from the event loop, not inside the device's own error report.
    lost_ = true;
    QTimer::singleShot(0, this, [this] {
        if (lost_) loseDevice();
    });
}

void MSComm1::loseDevice() {
    lost_ = true;
    if (port_device_->isOpen()) port_device_->close();
    watch_->start();
    // What came before the device went is still there for the handler of the loss: a transfer
    // under way keeps it and counts it.
    emit DeviceLost();
    buffer_.clear();
}

void MSComm1::awaitDevice() {
    if (port_device_->isOpen()) return;
    openedPath_ = devicePath(port_);
    lost_ = !openedPath_.isEmpty();
    if (lost_) watch_->start();
}

void MSComm1::watch() {
    if (!lost_) {
        // A node removed while its descriptor still reads nothing is a device gone too.
        if (port_device_->isOpen() && !QFileInfo::exists(openedPath_)) loseDevice();
        return;
    }
    if (!QFileInfo::exists(openedPath_) || openPath(openedPath_) != NoError) return;
    lost_ = false;
    emit DeviceBack();
}

bool MSComm1::portOpen() const {
    return port_device_->isOpen();
}

// The dialogue lowers or raises the threshold right after reading part of an answer (the
// acknowledge byte, one bank), and the next part may already be waiting in full. No new bytes
// may follow to trigger the event, so the event is raised here instead: queued, so that the
// handler that changed the threshold finishes first, and checked again when it runs, so that a
// read in between cancels it.
void MSComm1::setRThreshold(int threshold) {
    threshold_ = qMax(0, threshold);
    if (threshold_ == 0 || buffer_.size() < threshold_ || receiveCheckQueued_) return;
    receiveCheckQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        receiveCheckQueued_ = false;
        raiseReceiveIfDue();
    });
}

QByteArray MSComm1::input() {
    if (inputLen_ > 0 && inputLen_ < buffer_.size()) {
        QByteArray head = buffer_.left(inputLen_);
        buffer_.remove(0, inputLen_);
        return head;
    }
    return std::exchange(buffer_, QByteArray());
}

void MSComm1::output(const QByteArray& bytes) {
    if (!port_device_->isOpen() || bytes.isEmpty()) return;
    port_device_->write(bytes);
    port_device_->flush();
}

// The operating system hands over received bytes in chunks of up to a few kilobytes. A chunk
// that does not fit the buffer is taken up to the threshold first, and the rest after the
// receive event, so that a handler that empties the buffer at its threshold makes room for the
// rest, as it would had the bytes come one by one. Only bytes that still find the buffer full
// are dropped.
void MSComm1::readAvailable() {
    const QByteArray incoming = port_device_->readAll();
    qsizetype taken = 0;
    while (taken < incoming.size()) {
        const qsizetype rest = incoming.size() - taken;
        qsizetype step = qMin(qMax<qsizetype>(0, inBufferSize_ - buffer_.size()), rest);
        if (step < rest && threshold_ > 0 && buffer_.size() < threshold_)
            step = qMin<qsizetype>(step, threshold_ - buffer_.size());
        if (step == 0) {
            lastEvent_ = EvOverflow;
            emit OnComm();
            return;
        }
        buffer_.append(incoming.constData() + taken, step);
        taken += step;
        raiseReceiveIfDue();
        // The handler may have closed the port; the rest of the chunk then belongs to nobody.
        if (!port_device_->isOpen()) return;
    }
}

void MSComm1::raiseReceiveIfDue() {
    if (threshold_ == 0 || buffer_.size() < threshold_) return;
    lastEvent_ = EvReceive;
    emit OnComm();
}

bool MSComm1::applySettings() {
    const auto line = parseSettings(settings_);
    if (!line) return false;
    return port_device_->setBaudRate(line->baud) && port_device_->setParity(line->parity) &&
           port_device_->setDataBits(line->dataBits) && port_device_->setStopBits(line->stopBits) &&
           port_device_->setFlowControl(QSerialPort::NoFlowControl);
}

// The meta-object code stays with this file, so a program or test that uses only the port does
// not have to link every other class of the library.
#include "moc_MSComm1.cpp"
