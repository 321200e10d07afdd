#include "link/serial/MSComm1.h"
#include "support/Pty.h"
#include "support/TestRegistry.h"

#include <QTest>
#include <memory>

namespace {

// Every byte value once, in a shuffled but fixed order, so that order mistakes show.
QByteArray allByteValues() {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i) bytes.append(char((i * 97 + 13) & 0xFF));
    return bytes;
}

QByteArray pattern(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = char((i * 31 + i / 256) & 0xFF);
    return bytes;
}

void setDevice(int port, const QByteArray& path) {
    const QByteArray name = "VESTO_COM" + QByteArray::number(port);
    if (path.isEmpty())
        qunsetenv(name.constData());
    else
        qputenv(name.constData(), path);
}

} // namespace

class SerialPortTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Pty> line_;
    std::unique_ptr<MSComm1> port_;
    QList<int> events_; // the kind of each receive event, as the handler saw it

    void openOnLine() {
        QCOMPARE(port_->setPortOpen(true), 0);
        QVERIFY(port_->portOpen());
    }

private slots:
    void init() {
        for (int n = 1; n <= 17; ++n) setDevice(n, {});
        line_ = std::make_unique<Pty>();
        QVERIFY2(line_->isOpen(), qPrintable(line_->errorString()));
        setDevice(1, line_->slavePath().toLocal8Bit());
        port_ = std::make_unique<MSComm1>();
        events_.clear();
        connect(port_.get(), &MSComm1::OnComm, this, [this] { events_ << port_->commEvent(); });
    }
    void cleanup() {
        port_.reset();
        line_.reset();
    }

    void devicePath_data() {
        QTest::addColumn<int>("port");
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QString>("path");
        QTest::newRow("COM1 default") << 1 << QByteArray() << "/dev/ttyS0";
        QTest::newRow("COM4 default") << 4 << QByteArray() << "/dev/ttyS3";
        QTest::newRow("COM2 overridden") << 2 << QByteArray("/dev/ttyUSB0") << "/dev/ttyUSB0";
        QTest::newRow("COM5 has no default") << 5 << QByteArray() << QString();
        QTest::newRow("COM16 overridden") << 16 << QByteArray("/dev/ttyACM1") << "/dev/ttyACM1";
        QTest::newRow("port 17 does not exist") << 17 << QByteArray("/dev/ttyS9") << QString();
    }
    void devicePath() {
        QFETCH(int, port);
        QFETCH(QByteArray, variable);
        QFETCH(QString, path);
        setDevice(port, variable);
        QCOMPARE(MSComm1::devicePath(port), path);
    }

    void portNumberRange_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("after");
        QTest::newRow("0 (no logger) refused") << 0 << 8002 << 1;
        QTest::newRow("negative refused") << -3 << 8002 << 1;
        QTest::newRow("17 refused") << 17 << 8002 << 1;
        QTest::newRow("COM4") << 4 << 0 << 4;
        QTest::newRow("16") << 16 << 0 << 16;
    }
    void portNumberRange() {
        QFETCH(int, number);
        QFETCH(int, result);
        QFETCH(int, after);
        QCOMPARE(port_->setCommPort(number), result);
        QCOMPARE(port_->commPort(), after);
    }

    void settingsText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("after");
        const QString kept = QStringLiteral("1200,N,8,2");
        QTest::newRow("logger line") << "4800,N,8,2" << true << "4800,N,8,2";
        QTest::newRow("lower-case parity") << "9600,e,7,1" << true << "9600,E,7,1";
        QTest::newRow("blanks around fields") << " 19200 , O , 5 , 1 " << true << "19200,O,5,1";
        QTest::newRow("mark parity") << "300,M,8,1" << true << "300,M,8,1";
        QTest::newRow("empty") << "" << false << kept;
        QTest::newRow("three fields") << "4800,N,8" << false << kept;
        QTest::newRow("five fields") << "4800,N,8,2,1" << false << kept;
        QTest::newRow("baud not a number") << "fast,N,8,2" << false << kept;
        QTest::newRow("negative baud") << "-4800,N,8,2" << false << kept;
        QTest::newRow("zero baud") << "0,N,8,2" << false << kept;
        QTest::newRow("fractional baud") << "4800.5,N,8,2" << false << kept;
        QTest::newRow("unknown parity") << "4800,X,8,2" << false << kept;
        QTest::newRow("9 data bits") << "4800,N,9,2" << false << kept;
        QTest::newRow("4 data bits") << "4800,N,4,2" << false << kept;
        QTest::newRow("3 stop bits") << "4800,N,8,3" << false << kept;
        QTest::newRow("1.5 stop bits") << "4800,N,8,1.5" << false << kept;
    }
    void settingsText() {
        QFETCH(QString, text);
        QFETCH(bool, taken);
        QFETCH(QString, after);
        QVERIFY(port_->setSettings(QStringLiteral("1200,N,8,2")));
        QCOMPARE(port_->setSettings(text), taken);
        QCOMPARE(port_->settings(), after);
    }

    void settingsReachTheLine() {
        QVERIFY(port_->setSettings(QStringLiteral("4800,N,8,2")));
        openOnLine();
        Pty::LineMode line = line_->lineMode();
        QCOMPARE(line.baud, 4800);
        QCOMPARE(line.dataBits, 8);
        QCOMPARE(line.parity, 'N');
        QCOMPARE(line.stopBits, 2);

        QVERIFY(port_->setSettings(QStringLiteral("1200,N,8,1")));
        line = line_->lineMode();
        QCOMPARE(line.baud, 1200);
        QCOMPARE(line.stopBits, 1);

        // A pseudo-terminal keeps 8 data bits without parity: it stands for a device that
        // refuses a mode, and the previous mode must stay on the line and in the text.
        QVERIFY(!port_->setSettings(QStringLiteral("2400,E,7,2")));
        QCOMPARE(port_->settings(), QStringLiteral("1200,N,8,1"));
        line = line_->lineMode();
        QCOMPARE(line.baud, 1200);
        QCOMPARE(line.stopBits, 1);

        QCOMPARE(port_->setPortOpen(false), 0);
        QVERIFY(line_->lineMode().baud != 1200); // the line got its own mode back
        openOnLine();
        QCOMPARE(line_->lineMode().baud, 1200);
        QCOMPARE(line_->lineMode().stopBits, 1);
    }

    void missingDevice_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("no such device file") << 2 << QByteArray("/nonexistent/ttyVESTO");
        QTest::newRow("port without a device") << 5 << QByteArray();
    }
    void missingDevice() {
        QFETCH(int, number);
        QFETCH(QByteArray, path);
        setDevice(number, path);
        QCOMPARE(port_->setCommPort(number), 0);
        QCOMPARE(port_->setPortOpen(true), 68);
        QVERIFY(!port_->portOpen());
    }

    void deviceInUse() {
        openOnLine();
        MSComm1 other;
        QCOMPARE(other.setPortOpen(true), 70);
        QVERIFY(!other.portOpen());
        QVERIFY(port_->portOpen());
        QCOMPARE(port_->setPortOpen(false), 0);
        QCOMPARE(other.setPortOpen(true), 0); // released on close
    }

    void openPortRefusesChanges() {
        openOnLine();
        QCOMPARE(port_->setPortOpen(true), 8005);
        QVERIFY(port_->portOpen());
        QCOMPARE(port_->setCommPort(2), 8005);
        QCOMPARE(port_->commPort(), 1);
        QCOMPARE(port_->setCommPort(1), 0);
    }

    void receiveEventAtThreshold_data() {
        QTest::addColumn<int>("threshold");
        QTest::addColumn<int>("before"); // bytes sent first, one short of the threshold or fewer
        QTest::newRow("acknowledge byte") << 1 << 0;
        QTest::newRow("status record") << 112 << 111;
        QTest::newRow("full bank") << 32720 << 30000;
    }
    void receiveEventAtThreshold() {
        QFETCH(int, threshold);
        QFETCH(int, before);
        const QByteArray bytes = pattern(threshold);
        port_->setInBufferSize(32760);
        port_->setRThreshold(threshold);
        openOnLine();
        if (before > 0) {
            QVERIFY(line_->write(bytes.left(before)));
            QTRY_COMPARE_WITH_TIMEOUT(port_->inBufferCount(), before, 20000);
            QVERIFY(events_.isEmpty());
        }
        QVERIFY(line_->write(bytes.mid(before)));
        QTRY_VERIFY_WITH_TIMEOUT(!events_.isEmpty(), 20000);
        QCOMPARE(events_.first(), int(MSComm1::EvReceive));
        QCOMPARE(port_->commEvent(), int(MSComm1::EvReceive));
        QCOMPARE(port_->input(), bytes);
    }

    void inputInArrivalOrder_data() {
        QTest::addColumn<int>("inputLen");
        QTest::newRow("everything") << 0;
        QTest::newRow("read length 100") << 100;
    }
    void inputInArrivalOrder() {
        QFETCH(int, inputLen);
        const QByteArray first = allByteValues();
        const QByteArray second = pattern(300);
        port_->setInputLen(inputLen);
        openOnLine();
        QVERIFY(line_->write(first));
        QVERIFY(line_->write(second));
        const QByteArray all = first + second;
        QTRY_COMPARE_WITH_TIMEOUT(port_->inBufferCount(), int(all.size()), 20000);
        QByteArray read;
        for (int reads = 0; port_->inBufferCount() > 0 && reads < 10; ++reads) {
            const QByteArray part = port_->input();
            if (inputLen > 0) QVERIFY(part.size() <= inputLen);
            read += part;
        }
        QCOMPARE(read, all);
        QCOMPARE(port_->inBufferCount(), 0);
        QVERIFY(port_->input().isEmpty());
        QVERIFY(events_.isEmpty()); // threshold 0 raises nothing
    }

    void outputSendsBytesUnchanged() {
        openOnLine();
        const QByteArray command = QByteArray("\0R", 2) + allByteValues() + QByteArray("\0", 1);
        port_->output(command);
        QCOMPARE(line_->read(command.size()), command);
    }

    void overflowDropsExcess() {
        port_->setInBufferSize(16);
        openOnLine();
        const QByteArray bytes = pattern(20);
        QVERIFY(line_->write(bytes));
        QTRY_VERIFY_WITH_TIMEOUT(events_.contains(int(MSComm1::EvOverflow)), 20000);
        QCOMPARE(port_->inBufferCount(), 16);
        QCOMPARE(port_->input(), bytes.left(16));
        // Room again once read.
        QVERIFY(line_->write("xyz"));
        QTRY_VERIFY_WITH_TIMEOUT(port_->inBufferCount() >= 3, 20000);
        QVERIFY(port_->input().endsWith("xyz"));
    }

    void thresholdSetOnWaitingBytes() {
        openOnLine();
        QVERIFY(line_->write("\x04\x01\x02\x03\x04"));
        QTRY_COMPARE_WITH_TIMEOUT(port_->inBufferCount(), 5, 20000);

        port_->setRThreshold(6);
        QCoreApplication::processEvents();
        QVERIFY(events_.isEmpty());

        port_->setRThreshold(5);
        port_->setRThreshold(4);
        QVERIFY(events_.isEmpty()); // not from inside the caller
        QTRY_COMPARE(events_, QList<int>{int(MSComm1::EvReceive)});
        QCoreApplication::processEvents();
        QCOMPARE(events_.size(), 1);

        // A read before the event loop runs takes the bytes, and with them the event.
        port_->setRThreshold(1);
        QCOMPARE(port_->input().size(), 5);
        QCoreApplication::processEvents();
        QCOMPARE(events_.size(), 1);
    }

    void closeEmptiesBuffer() {
        openOnLine();
        QVERIFY(line_->write("status"));
        QTRY_COMPARE_WITH_TIMEOUT(port_->inBufferCount(), 6, 20000);
        QCOMPARE(port_->setPortOpen(false), 0);
        QVERIFY(!port_->portOpen());
        QCOMPARE(port_->inBufferCount(), 0);
        openOnLine();
        QCOMPARE(port_->inBufferCount(), 0);
    }
};

VESTO_TEST(SerialPortTest)
#include "tst_serial.moc"
