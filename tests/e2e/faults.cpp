// A bad line and the user's choices of port: the program keeps its record and its footing.
#include "link/PortSelection.h"
#include "link/serial/MSComm1.h"
#include "support/ProgramRun.h"
#include "support/Pty.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

// The port dialog answered with one option and OK; Cancel too when the dialog stays after the
// message expected.
void choosePort(ProgramRun& run, int option, const QString& message = {}) {
    run.script.modal("frmPort", [option](QDialog& d) {
        d.findChild<QRadioButton*>(QStringLiteral("Option%1").arg(option))->click();
        d.findChild<QPushButton*>("Command1")->click();
        if (d.isVisible()) d.findChild<QPushButton*>("Command2")->click();
    });
    if (!message.isEmpty()) run.script.message(message, ui::Ok);
    ShowPortDialog(run.w());
}

qsizetype commandCount(const ProgramRun& run) {
    return run.logger.commands().size();
}

} // namespace

class FaultTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        qunsetenv("VESTO_COM2");
        qunsetenv("VESTO_COM3");
    }

    void wrongAcknowledgeIgnored() {
        ProgramRun run({"--readings", "600", "--fault", "bad-ack/3"});
        QVERIFY2(run.start(), qPrintable(run.error()));
        QVERIFY(run.waitOnline());
        // Three polls got a wrong acknowledge; the fourth was answered.
        QVERIFY(run.logger.commands(QByteArray("\0R", 2)).size() >= 4);
        const qsizetype before = commandCount(run);
        run.logger.console("fault bad-ack/2");
        QVERIFY(run.download());
        QVERIFY(commandCount(run) - before >= 4);
        const QString difference = run.compareWithLogger(600);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void downloadDuringStatusExchangeIgnored() {
        // A slow line keeps each status exchange going for about half a second.
        ProgramRun run({"--readings", "600", "--speed", "200"});
        QVERIFY2(run.start(), qPrintable(run.error()));
        QVERIFY(run.waitOnline());
        Log1& w = run.w();
        w.Timer5->setInterval(2000);
        QTRY_COMPARE_WITH_TIMEOUT(int(run.st().LinkState), 1, 20000);
        w.mnuDownload->trigger(); // no clock dialog, nothing requested
        QCOMPARE(run.st().DownloadRequested, qint16(0));
        QTRY_COMPARE_WITH_TIMEOUT(int(run.st().LinkState), 0, 20000);
        QTest::qWait(1000);
        QVERIFY(run.logger.commands(QByteArray("\0T", 2)).isEmpty());
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));
    }

    void portChoices() {
        ProgramRun run({"--readings", "600"});
        QVERIFY2(run.start(), qPrintable(run.error()));
        QVERIFY(run.waitOnline());
        Log1& w = run.w();
        AppState& st = run.st();
        w.Timer5->setInterval(1000);
        // The Port menu does nothing while the logger answers.
        w.mnuPort->trigger();
        QCOMPARE(run.script.seen().size(), 0);

        // "No Logger": the line falls silent and the port is let go.
        choosePort(run, 5);
        QCOMPARE(int(st.LinkSuspended), 1);
        QCOMPARE(int(st.CommPort), 1);
        QVERIFY(!w.MSComm1->portOpen());
        qsizetype heard = commandCount(run);
        QTest::qWait(2500);
        QCOMPARE(commandCount(run), heard);

        // 68: a port that does not exist; the dialog closes without a word.
        qputenv("VESTO_COM2", "/nonexistent/ttyVESTO");
        choosePort(run, 2);
        QCOMPARE(int(st.PortReady), 0);
        QVERIFY(!w.MSComm1->portOpen());

        // 70: a port another program holds; the dialog stays after the message.
        Pty other;
        qputenv("VESTO_COM3", other.slavePath().toLocal8Bit());
        MSComm1 holder;
        holder.setCommPort(3);
        QCOMPARE(holder.setPortOpen(true), 0);
        choosePort(run, 3, QStringLiteral("COM 3 is not available."));
        QCOMPARE(int(st.PortReady), 0);
        QCOMPARE(run.script.seen().last().kind, QStringLiteral("message"));
        QTest::qWait(1000);
        QCOMPARE(commandCount(run), heard);

        // Back on COM1 the dialogue starts again at once.
        choosePort(run, 1);
        QCOMPARE(int(st.LinkSuspended), 0);
        QCOMPARE(int(st.PortReady), 1);
        QTRY_VERIFY(commandCount(run) > heard);
        QVERIFY(run.waitOnline());
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));
    }
};

VESTO_TEST(FaultTest)
#include "faults.moc"
