#include "link/serial/SerialDevices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>
#include <algorithm>

namespace {

// The by-id links udev makes, by the node they point to.
QHash<QString, QString> ByIdLinks() {
    QHash<QString, QString> links;
    const QDir dir(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo& link :
         dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        if (link.isSymLink()) links.insert(link.canonicalFilePath(), link.absoluteFilePath());
    return links;
}

// The kernel lists a UART type for every 8250-style port it knows of; 0 (unknown) means the
// node is there but no chip answers behind it, as for ttyS1..ttyS3 on most PCs.
bool HasUart(const QString& name) {
    QFile type(QStringLiteral("/sys/class/tty/%1/type").arg(name));
    if (!type.open(QIODevice::ReadOnly)) return true;
    return type.readAll().trimmed() != "0";
}

} // namespace

QList<SerialDevice> DetectSerialDevices() {
    const QHash<QString, QString> links = ByIdLinks();
    QList<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialDevice device;
        device.path = info.systemLocation();
        device.stablePath = links.value(QFileInfo(device.path).canonicalFilePath());
        device.description = info.description();
        device.manufacturer = info.manufacturer();
        device.serialNumber = info.serialNumber();
        device.usb = info.hasVendorIdentifier() || !device.stablePath.isEmpty();
        device.uart = device.usb || HasUart(info.portName());
        devices.append(device);
    }
    return devices;
}

QList<SerialDevice> OfferedDevices(QList<SerialDevice> devices) {
    devices.removeIf([](const SerialDevice& d) { return !d.usb && !d.uart; });
    std::stable_sort(devices.begin(), devices.end(),
                     [](const SerialDevice& a, const SerialDevice& b) {
                         if (a.usb != b.usb) return a.usb;
                         // ttyS2 before ttyS10: by length first, then by text.
                         if (a.path.size() != b.path.size()) return a.path.size() < b.path.size();
                         return a.path < b.path;
                     });
    return devices;
}

QString DeviceCaption(const SerialDevice& device) {
    QStringList known;
    for (const QString& part : {device.description, device.manufacturer, device.serialNumber})
        if (!part.trimmed().isEmpty()) known << part.trimmed();
    return known.isEmpty() ? device.path
                           : device.path + QStringLiteral(" - ") + known.join(QStringLiteral(", "));
}

QString StoredPath(const SerialDevice& device) {
    return device.stablePath.isEmpty() ? device.path : device.stablePath;
}
