#include "link/LoggerSearch.h"

#include "link/StatusRecord.h"
#include "link/serial/SerialDevices.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <unistd.h>

QString SameDevice(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

QStringList SearchOrder(const QStringList& optionPaths, const QList<SerialDevice>& offered,
                        QHash<QString, QString>* shownAs) {
    QStringList paths, seen;
    const auto add = [&](const QString& path, const QString& shown) {
        if (path.isEmpty() || seen.contains(SameDevice(path))) return;
        seen << SameDevice(path);
        paths << path;
        if (shownAs) shownAs->insert(path, shown);
    };
    for (const QString& path : optionPaths) add(path, path);
    for (const SerialDevice& device : offered) add(StoredPath(device), device.path);
    return paths;
}

LoggerSearch::LoggerSearch(QObject* parent) : QObject(parent) {
    deviceTime_.setSingleShot(true);
    connect(&deviceTime_, &QTimer::timeout, this, &LoggerSearch::next);
    connect(&askAgain_, &QTimer::timeout, this, &LoggerSearch::ask);
}

LoggerSearch::~LoggerSearch() {
    release();
}

void LoggerSearch::start(const QStringList& paths) {
    cancel();
    paths_ = paths;
    index_ = -1;
    running_ = true;
    next();
}

void LoggerSearch::cancel() {
    running_ = false;
    release();
}

void LoggerSearch::release() {
    deviceTime_.stop();
    askAgain_.stop();
    if (port_ != nullptr) {
        port_->disconnect(this);
        port_->close();
        port_->deleteLater();
        port_ = nullptr;
    }
    got_.clear();
}

void LoggerSearch::next() {
    release();
    while (running_ && ++index_ < paths_.size()) {
        const QString path = paths_.at(index_);
        emit trying(path);
        port_ = new QSerialPort(path, this);
        port_->setBaudRate(4800);
        port_->setDataBits(QSerialPort::Data8);
        port_->setParity(QSerialPort::NoParity);
        port_->setStopBits(QSerialPort::TwoStop);
        port_->setFlowControl(QSerialPort::NoFlowControl);
        if (port_->open(QIODevice::ReadWrite)) {
            port_->clear(QSerialPort::Input);
            connect(port_, &QSerialPort::readyRead, this, &LoggerSearch::received);
            // A device that fails while asked (pulled out) is passed over, from the event loop
            // and once however often it reports the failure: the device timer, which any
            // release stops, leads on to the next device.
            connect(port_, &QSerialPort::errorOccurred, this,
                    [this](QSerialPort::SerialPortError e) {
                        if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError)
                            deviceTime_.start(0);
                    });
            deviceTime_.start(kPerDeviceMs);
            askAgain_.start(kAskAgainMs);
            ask();
            return;
        }
        if (port_->error() == QSerialPort::PermissionError) {
            if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0)
                emit inUse(path);
            else
                emit notPermitted(path);
        }
        release();
    }
    if (!running_) return;
    running_ = false;
    emit nothingFound();
}

void LoggerSearch::ask() {
    if (port_ == nullptr || !got_.isEmpty()) return;
    port_->readAll();
    port_->write(QByteArray("\0R", 2));
}

void LoggerSearch::received() {
    got_ += port_->readAll();
    if (got_.isEmpty()) return;
    // Whatever came before the acknowledge is not the logger's answer to this command.
    if (got_.at(0) != kAcknowledge) {
        got_.clear();
        return;
    }
    askAgain_.stop();
    if (got_.size() < 1 + kStatusRecordBytes) return;
    const auto record = ParseStatusRecord(got_.mid(1, kStatusRecordBytes));
    if (!record) {
        got_.clear();
        askAgain_.start();
        return;
    }
    const QString path = paths_.at(index_);
    running_ = false;
    release();
    emit found(path, record->loggerNumber);
}
