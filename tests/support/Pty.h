#pragma once
// A pseudo-terminal pair that stands in for a serial line in tests: the code under test opens
// the slave device (slavePath()) as its port, the test plays the far end on the master. Both
// ends are raw, so every byte passes unchanged.
//
// The pair keeps its own descriptor on the slave open for its whole life, so the master never
// sees a hang-up while the port side closes and reopens the device.
//
// Reading and writing wait by pumping the Qt event loop, so a serial port driven by that loop in
// the same thread keeps sending and receiving meanwhile.

#include <QByteArray>
#include <QString>

class Pty {
public:
    // What the port side last put on the line; baud 0 when the speed is not a standard one.
    struct LineMode {
        int baud = 0;
        int dataBits = 0;
        char parity = 'N';
        int stopBits = 0;
    };

    Pty();
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    bool isOpen() const { return !slavePath_.isEmpty(); }
    QString errorString() const { return error_; }
    QString slavePath() const { return slavePath_; }

    // Sends every byte towards the port side; false when they could not all go within the time.
    bool write(const QByteArray& bytes, int timeoutMs = 10000);
    // Bytes from the port side: returns once `count` bytes came or the time is up, with what came.
    QByteArray read(qsizetype count, int timeoutMs = 10000);

    LineMode lineMode() const;

private:
    bool fail(const char* what);

    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    QString error_;
};
