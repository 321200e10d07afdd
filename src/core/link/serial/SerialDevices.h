#pragma once
// The serial devices this computer has: USB adapters (/dev/ttyUSB*, /dev/ttyACM*) and on-board
// ports. A USB adapter that udev gave a /dev/serial/by-id/ link is best remembered by that link:
// it names the adapter itself, so the choice survives plugging it into another socket, where
// /dev/ttyUSB0 may become /dev/ttyUSB1.

#include <QList>
#include <QString>
#include <functional>

struct SerialDevice {
    QString path;         // the device node, /dev/ttyUSB0
    QString stablePath;   // its /dev/serial/by-id/ link; empty when it has none
    QString description;  // "FT232R USB UART"
    QString manufacturer; // "FTDI"
    QString serialNumber; // "A10KXYZ"
    bool usb = false;     // an adapter on USB rather than a port on the board
    bool uart = true;     // an on-board port with a UART behind it (a ttyS node may have none)
};

// Where the list of devices comes from; tests hand the port dialog a list of their own.
using SerialDeviceSource = std::function<QList<SerialDevice>()>;

// The devices the system reports now (QSerialPortInfo, with the by-id links and, for on-board
// ports, whether a UART answers behind the node).
QList<SerialDevice> DetectSerialDevices();

// The devices worth offering: USB adapters first, then on-board ports with a UART, each group
// in the order of its paths; nodes with no UART behind them are left out.
QList<SerialDevice> OfferedDevices(QList<SerialDevice> devices);

// "/dev/ttyUSB0 - FT232R USB UART, FTDI, A10KXYZ": the node and what is known of it.
QString DeviceCaption(const SerialDevice& device);

// The path to remember for the device: its by-id link when it has one.
QString StoredPath(const SerialDevice& device);
