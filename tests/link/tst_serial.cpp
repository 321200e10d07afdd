// The serial port on a pseudo-terminal. Status records and whole banks through it, commands out
// of it, devices named for COM2 and COM3 and the open errors 68 and 70 run end to end in tests/e2e.
#include "link/serial/MSComm1.h"
#include "support/Pty.h"
#include "support/TestRegistry.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

QByteArray pattern(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = char((i * 31 + i / 256) & 0xFF);
    return bytes;
}

} // namespace

class SerialPortTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Pty> line_;
    std::unique_ptr<MSComm1> port_;

private slots:
    void init() {
        line_ = std::make_unique<Pty>();
        QVERIFY2(line_->isOpen(), qPrintable(line_->errorString()));
        qputenv("VESTO_COM1", line_->slavePath().toLocal8Bit());
        port_ = std::make_unique<MSComm1>();
    }
    void cleanup() {
        port_.reset();
        line_.reset();
        qunsetenv("VESTO_COM1");
    }

    void settingsReachTheLine() {
        QVERIFY(!port_->setSettings(QStringLiteral("4800,N,8")));
        QVERIFY(port_->setSettings(QStringLiteral("4800,N,8,2")));
        QCOMPARE(port_->setPortOpen(true), 0);
        Pty::LineMode line = line_->lineMode();
        QCOMPARE(QList<int>({line.baud, line.dataBits, line.parity, line.stopBits}),
                 QList<int>({4800, 8, 'N', 2}));
        // A pseudo-terminal keeps 8 data bits without parity: it stands for a device that
        // refuses a mode, and the previous mode must stay on the line and in the text.
        QVERIFY(!port_->setSettings(QStringLiteral("2400,E,7,1")));
        QCOMPARE(port_->settings(), QStringLiteral("4800,N,8,2"));
        QCOMPARE(line_->lineMode().baud, 4800);
        QCOMPARE(port_->setPortOpen(false), 0);
        QVERIFY(line_->lineMode().baud != 4800); // the line got its own mode back
    }

    // Bytes that come in one chunk across the threshold reach the handler in two steps, so a
    // handler that takes its bytes at the threshold loses none of them to a small buffer.
    void chunkAcrossThreshold() {
        port_->setInBufferSize(150);
        port_->setRThreshold(100);
        QByteArray got;
        bool overflow = false;
        connect(port_.get(), &MSComm1::OnComm, this, [&] {
            overflow |= port_->commEvent() == MSComm1::EvOverflow;
            if (port_->commEvent() == MSComm1::EvReceive) got += port_->input();
        });
        QCOMPARE(port_->setPortOpen(true), 0);
        const QByteArray sent = pattern(300);
        QVERIFY(line_->write(sent));
        QTRY_COMPARE(got.size(), 300);
        QCOMPARE(got, sent);
        QVERIFY(!overflow);
    }

    // A device that fails while open (an adapter pulled out) is let go at once, not at the next
    // look at its node.
    void failedDeviceLetGo() {
        QCOMPARE(port_->setPortOpen(true), 0);
        QSignalSpy lost(port_.get(), &MSComm1::DeviceLost);
        emit port_->findChild<QSerialPort*>()->errorOccurred(QSerialPort::ResourceError);
        QVERIFY(lost.wait(500) && !port_->portOpen());
    }

    // A node with nothing behind it fails to open with an input/output error (ttyS1 on a PC
    // without that port); a pseudo-terminal not yet unlocked does the same.
    void inputOutputErrorIsUnavailable() {
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        QVERIFY(master >= 0 && ::grantpt(master) == 0);
        qputenv("VESTO_COM2", ::ptsname(master));
        port_->setCommPort(2);
        QCOMPARE(port_->setPortOpen(true), int(MSComm1::DeviceUnavailable));
        qunsetenv("VESTO_COM2");
        ::close(master);
    }
};

VESTO_TEST(SerialPortTest)
#include "tst_serial.moc"
