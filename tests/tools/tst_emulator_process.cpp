#include "support/TestRegistry.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
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
        process.start(VESTO_BINARY_DIR "/vesto-logger-emulator",
                      {"--speed", "fast", "--link", link});
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

    // A test program that crashes takes the logger it started with it.
    void endsWithACrashedTestProgram() {
        QProcess test;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VESTO_TEST_CRASH_WITH_LOGGER", "1");
        test.setProcessEnvironment(environment);
        test.start(QCoreApplication::applicationFilePath());
        QVERIFY(test.waitForFinished(20000) && test.exitStatus() == QProcess::CrashExit);
        const QByteArray logger = test.readAllStandardOutput().trimmed();
        QVERIFY2(logger.toLongLong() > 0, logger.constData());
        // Gone, or ended and not yet collected by whoever adopted it.
        const auto ended = [&logger] {
            QFile stat("/proc/" + logger + "/stat");
            return !stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z ");
        };
        QTRY_VERIFY(ended());
    }
};

VESTO_TEST(LoggerEmulatorProcessTest)
#include "tst_emulator_process.moc"
