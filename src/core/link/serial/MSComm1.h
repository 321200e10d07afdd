#pragma once
// The serial port the logger hangs on, with the operations the dialogue with the logger needs:
// receive threshold, input (everything waiting, emptying the buffer), output, bytes waiting, the
// kind of the last event, open state, port number and line settings.
//
// Port numbers 1..4 stand for COM1..COM4. Each maps to a device: the environment variables
// VESTO_COM1 .. VESTO_COM4 win (the virtual logger's pseudo-terminal, a test's pseudo-terminal);
// else the device the user chose for that port (a USB adapter such as /dev/ttyUSB0, or its
// /dev/serial/by-id/ link); else /dev/ttyS0 .. /dev/ttyS3.
//
// A device that goes away while open (a USB adapter pulled out: the line reports an error or
// hangs up, or its node disappears) is closed at once and DeviceLost raised; while the port
// stays chosen, the same path is tried again every two seconds (a link resolved anew each time)
// and DeviceBack raised once it opens. Nothing reads a dead device meanwhile.
//
// Ports 5..16 have no default device; they stand for a device only through VESTO_COM5 ..
// VESTO_COM16.
//
// Opening reports failures as numbers: 68 when the device does not exist or cannot be reached,
// 70 when permission is denied or the port is in use, another number for anything else.

#include <QByteArray>
#include <QObject>
#include <QString>

class QSerialPort;
class QTimer;

class MSComm1 : public QObject {
    Q_OBJECT
public:
    // Kinds of the last event (CommEvent).
    enum Event { EvSend = 1, EvReceive = 2, EvOverflow = 1006 };
    // Error numbers of opening and of the port number.
    enum Error {
        NoError = 0,
        DeviceUnavailable = 68,
        PermissionDenied = 70,
        InvalidPort = 8002,
        // Opening a port that is open, or changing the number of an open port.
        PortAlreadyOpen = 8005,
        // The device opened but cannot be used as a serial line (not a terminal, I/O error).
        HardwareUnavailable = 8010,
        // The device refused the line settings.
        SettingsRejected = 8015
    };

    explicit MSComm1(QObject* parent = nullptr);
    ~MSComm1() override;

    // Device path that a port number stands for now.
    QString devicePath(int port) const;
    // The device VESTO_COMn names for the port; empty when the variable is not set.
    static QString environmentDevice(int port);
    // The device /dev/ttyS(n-1) a port stands for when nothing else is said.
    static QString defaultDevice(int port);
    // The device the user chose for a port; an empty path goes back to the default. Takes effect
    // at the next opening.
    void setChosenDevice(int port, const QString& path);
    QString chosenDevice(int port) const;
    // A device named outright (the command-line tool's --port /dev/ttyUSB0): it wins over what
    // the port number stands for. Takes effect at the next opening; empty goes back.
    void setNamedDevice(const QString& path) { named_ = path; }

    // Read length: 0 means a read of the input returns every byte waiting.
    void setInputLen(int length);
    int inputLen() const { return inputLen_; }
    // Size of the input buffer; bytes arriving while it is full are dropped (overflow event).
    void setInBufferSize(int size);
    int inBufferSize() const { return inBufferSize_; }

    // "4800,N,8,2" style: baud, parity, data bits, stop bits. Returns false for a text it
    // cannot take; the previous settings then stay.
    bool setSettings(const QString& settings);
    QString settings() const { return settings_; }

    // Port number; a number outside 1..16 is refused with InvalidPort, and a change while the
    // port is open with PortAlreadyOpen; the number then stays.
    int setCommPort(int port);
    int commPort() const { return port_; }

    // Opens (true) or closes (false) the port; returns 0 or the error number. Opening an open
    // port gives PortAlreadyOpen; closing empties the input buffer. Either ends the wait for a
    // lost device to come back.
    int setPortOpen(bool open);
    bool portOpen() const;

    // Number of received bytes that raises the receive event; 0 raises none. Setting it at or
    // below the number already waiting raises the event once control returns to the event loop.
    void setRThreshold(int threshold);
    int rThreshold() const { return threshold_; }

    // Every byte received so far (or inputLen of them), in arrival order; empties what it returns.
    QByteArray input();
    // Sends the bytes unchanged, at once.
    void output(const QByteArray& bytes);
    // Bytes waiting in the input buffer.
    int inBufferCount() const { return static_cast<int>(buffer_.size()); }
    // Kind of the last event.
    int commEvent() const { return lastEvent_; }
    // The device went away while open and is being waited for.
    bool deviceLost() const { return lost_; }
    // Waits for the port's device as for one that went away: it is tried every two seconds and
    // DeviceBack raised once it opens.
    void awaitDevice();

    // How often a lost device is looked for, and an open one checked for its node.
    static constexpr int kReopenMs = 2000;

signals:
    // Raised when at least the receive threshold of bytes is waiting, and for other line events.
    void OnComm();
    // The open device went away; the port is closed.
    void DeviceLost();
    // The lost device opened again on the same path.
    void DeviceBack();

private:
    void readAvailable();
    void onError(int error);
    void loseDevice();
    void watch();
    int openPath(const QString& path);
    bool applySettings();
    void raiseReceiveIfDue();

    QSerialPort* port_device_;
    // Checks an open device's node, and looks for a lost one.
    QTimer* watch_;
    // The path as configured when the port was opened: a link stays a link.
    QString openedPath_;
    QString chosen_[5];
    QString named_;
    bool lost_ = false;
    QByteArray buffer_;
    QString settings_ = QStringLiteral("9600,N,8,1");
    int port_ = 1;
    int inputLen_ = 0;
    int inBufferSize_ = 1024;
    int threshold_ = 0;
    int lastEvent_ = 0;
    bool receiveCheckQueued_ = false;
};
