#include "support/TestRegistry.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The executable itself: the end-to-end tests talk to it on the pseudo-terminal it prints; here,
// the link that run.sh points the program at, and that it goes when the logger ends.
class LoggerEmulatorProcessTest : public QObject {
    Q_OBJECT

private slots:
    // run.sh ends the logger with a signal.
    void linkFollowsTheLogger() {
        QTemporaryDir dir;
        const QString link = dir.filePath("com1");
        QProcess process;
        process.start(VESTO_BINARY_DIR "/logger-emulator", {"--speed", "fast", "--link", link});
        QDeadlineTimer deadline(5000);
        while (!process.canReadLine() && !deadline.hasExpired()) process.waitForReadyRead(100);
        const QString line = QString::fromLocal8Bit(process.readLine()).trimmed();
        QVERIFY2(line.startsWith("PTY "), qPrintable(line));
        QCOMPARE(QFileInfo(link).symLinkTarget(), line.mid(4));
        process.terminate();
        QVERIFY(process.waitForFinished(5000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(!QFileInfo(link).isSymLink());
    }
};

VESTO_TEST(LoggerEmulatorProcessTest)
#include "tst_emulator_process.moc"
