#include "support/TestRegistry.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

const QString Emulator = QStringLiteral(VESTO_BINARY_DIR "/logger-emulator");

// Starts the virtual logger and waits for its "PTY <path>" line; empty path on failure.
QString startEmulator(QProcess& process, const QStringList& arguments) {
    process.start(Emulator, arguments);
    if (!process.waitForStarted(5000)) return {};
    QDeadlineTimer deadline(5000);
    while (!process.canReadLine() && !deadline.hasExpired()) process.waitForReadyRead(100);
    const QString line = QString::fromLocal8Bit(process.readLine()).trimmed();
    return line.startsWith(QLatin1String("PTY ")) ? line.mid(4) : QString();
}

int openRaw(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios mode{};
    if (fd >= 0 && ::tcgetattr(fd, &mode) == 0) {
        ::cfmakeraw(&mode);
        ::tcsetattr(fd, TCSANOW, &mode);
    }
    return fd;
}

QByteArray readBytes(int fd, qsizetype count, int timeoutMs) {
    QByteArray got;
    QDeadlineTimer deadline(timeoutMs);
    char chunk[4096];
    while (got.size() < count && !deadline.hasExpired()) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, 20) <= 0) continue;
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0) got.append(chunk, n);
    }
    return got;
}

quint8 at(const QByteArray& data, qsizetype i) {
    return quint8(data.at(i));
}

} // namespace

class LoggerEmulatorProcessTest : public QObject {
    Q_OBJECT

private slots:
    // The real executable on its pseudo-terminal: a status request and a transfer, the readings
    // compared with the record file, the log of commands, and a clean exit on "quit".
    void statusAndTransfer() {
        QVERIFY2(QFileInfo::exists(Emulator), qPrintable(Emulator));
        QTemporaryDir dir;
        const QString link = dir.filePath("com1");
        QProcess process;
        const QString path =
            startEmulator(process, {"--speed", "fast", "--readings", "600", "--number", "4321",
                                    "--high", "180", "--record", dir.filePath("record"), "--log",
                                    dir.filePath("log"), "--link", link});
        QVERIFY2(!path.isEmpty(), process.readAllStandardError().constData());
        QCOMPARE(QFileInfo(link).symLinkTarget(), path);
        const int fd = openRaw(link);
        QVERIFY(fd >= 0);

        QCOMPARE(::write(fd, "\0R", 2), 2);
        const QByteArray status = readBytes(fd, 113, 5000);
        QCOMPARE(status.size(), 113);
        QCOMPARE(at(status, 0), 0x04);
        QCOMPARE(at(status, 28) + 256 * at(status, 29), 4321);
        QCOMPARE(at(status, 36), 180);
        QCOMPARE(at(status, 68), 10); // 600 readings: 10 blocks before the current one

        QCOMPARE(::write(fd, "zz\0T", 4), 4); // noise before the command is skipped
        const QByteArray transfer = readBytes(fd, 801, 5000);
        QCOMPARE(transfer.size(), 801);
        QCOMPARE(at(transfer, 0), 0x04);
        QCOMPARE(readBytes(fd, 1, 200), QByteArray()); // nothing after the last block

        QFile recordFile(dir.filePath("record"));
        QVERIFY(recordFile.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = recordFile.readAll().split('\n');
        QCOMPARE(lines.size(), 601); // the last line ends with a newline
        for (int b = 0; b < 10; ++b) {
            const QByteArray block = transfer.mid(1 + 80 * b, 80);
            const quint32 tick =
                at(block, 0) | at(block, 1) << 8 | at(block, 2) << 16 | quint32(at(block, 3)) << 24;
            for (int g = 0; g < 15; ++g) {
                const auto c = [&](int k) { return int(at(block, 4 + 5 * g + k - 1)); };
                const int codes[4] = {(c(2) & 3) * 256 + c(1), c(2) / 4 + (c(3) & 15) * 64,
                                      c(3) / 16 + (c(4) & 63) * 16, c(4) / 64 + c(5) * 4};
                for (int k = 0; k < 4; ++k) {
                    const int n = b * 60 + g * 4 + k + 1;
                    const QByteArray expected = QByteArray::number(n) + '\t' +
                                                QByteArray::number(tick + g * 4 + k) + '\t' +
                                                QByteArray::number(codes[k]);
                    QCOMPARE(lines[n - 1], expected);
                }
            }
        }

        QFile logFile(dir.filePath("log"));
        QVERIFY(logFile.open(QIODevice::ReadOnly));
        const QList<QByteArray> logged = logFile.readAll().trimmed().split('\n');
        QCOMPARE(logged.size(), 2);
        QVERIFY(logged[0].endsWith("\t00 52"));
        QVERIFY(logged[1].endsWith("\t00 54"));

        ::close(fd);
        process.write("quit\n");
        QVERIFY(process.waitForFinished(5000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    void terminateRemovesLink() {
        QTemporaryDir dir;
        const QString link = dir.filePath("com2");
        QProcess process;
        QVERIFY(!startEmulator(process, {"--link", link}).isEmpty());
        QVERIFY(QFileInfo(link).isSymLink());
        process.terminate();
        QVERIFY(process.waitForFinished(5000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(!QFileInfo(link).isSymLink());
    }
};

VESTO_TEST(LoggerEmulatorProcessTest)
#include "tst_emulator_process.moc"
