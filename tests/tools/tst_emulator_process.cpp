#include "support/TestRegistry.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

// The executable itself: the end-to-end tests talk to it on its pseudo-terminal; here, the link
// that run.sh points the program at, and how the logger ends.
class LoggerEmulatorProcessTest : public QObject {
    Q_OBJECT

private slots:
    void linkFollowsTheLogger_data() {
        QTest::addColumn<bool>("quit"); // "quit" on the console, else terminated
        QTest::newRow("quit") << true;
        QTest::newRow("terminated") << false;
    }
    void linkFollowsTheLogger() {
        QFETCH(bool, quit);
        QTemporaryDir dir;
        const QString link = dir.filePath("com1");
        QProcess process;
        process.start(VESTO_BINARY_DIR "/logger-emulator", {"--speed", "fast", "--link", link});
        QDeadlineTimer deadline(5000);
        while (!process.canReadLine() && !deadline.hasExpired()) process.waitForReadyRead(100);
        const QString line = QString::fromLocal8Bit(process.readLine()).trimmed();
        QVERIFY2(line.startsWith("PTY "), qPrintable(line));
        QCOMPARE(QFileInfo(link).symLinkTarget(), line.mid(4));

        // A status request through the link is answered.
        const int fd = ::open(QFile::encodeName(link).constData(), O_RDWR | O_NOCTTY);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, "\0R", 2), 2);
        QByteArray status;
        char chunk[256];
        while (status.size() < 113 && !deadline.hasExpired()) {
            pollfd ready{fd, POLLIN, 0};
            if (::poll(&ready, 1, 20) > 0) status.append(chunk, ::read(fd, chunk, sizeof chunk));
        }
        ::close(fd);
        QCOMPARE(status.size(), 113);
        QCOMPARE(status.at(0), '\x04');

        if (quit)
            process.write("quit\n");
        else
            process.terminate();
        QVERIFY(process.waitForFinished(5000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(!QFileInfo(link).isSymLink());
    }
};

VESTO_TEST(LoggerEmulatorProcessTest)
#include "tst_emulator_process.moc"
