// A bad line and the user's choices of port: the program keeps its record and its footing.
#include "link/PortSelection.h"
#include "link/frmPort.h"
#include "link/serial/MSComm1.h"
#include "support/ProgramRun.h"
#include "support/Pty.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

// The port dialog answered with one option and OK; Cancel too when the dialog stays after the
// message expected.
void choosePort(ProgramRun& run, int option, const QString& message = {}) {
    run.script.modal("frmPort", [option](QDialog& d) {
        OptionOf(d, option)->click();
        d.findChild<QPushButton*>("Command1")->click();
        if (d.isVisible()) d.findChild<QPushButton*>("Command2")->click();
    });
    if (!message.isEmpty()) run.script.message(message, ui::Ok);
    ShowPortDialog(run.w());
}

} // namespace

class FaultTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        qunsetenv("VESTO_COM2");
        qunsetenv("VESTO_COM3");
        qunsetenv("VESTO_COM4");
    }

    void wrongAcknowledgeIgnored() {
        ProgramRun run({"--readings", "600", "--fault", "bad-ack/3"});
        QCOMPARE(run.start(), QString());
        // Three polls got a wrong acknowledge; the fourth was answered.
        QVERIFY(run.logger.commands(QByteArray("\0R", 2)).size() >= 4);
        const qsizetype before = run.logger.commands().size();
        run.logger.console("fault bad-ack/2");
        QVERIFY(run.download());
        QVERIFY(run.logger.commands().size() - before >= 4);
        QCOMPARE(run.compareWithLogger(600), QString());
    }

    void downloadDuringStatusExchangeIgnored() {
        // A slow line keeps each status exchange going for about half a second.
        ProgramRun run({"--readings", "600", "--speed", "200"});
        QCOMPARE(run.start(), QString());
        run.w().Timer5->setInterval(2000);
        QTRY_COMPARE_WITH_TIMEOUT(int(run.st().LinkState), 1, 20000);
        run.w().mnuDownload->trigger(); // no clock dialog, nothing requested
        QCOMPARE(run.st().DownloadRequested, qint16(0));
        QTRY_COMPARE_WITH_TIMEOUT(int(run.st().LinkState), 0, 20000);
        QTest::qWait(1000);
        QVERIFY(run.logger.commands(QByteArray("\0T", 2)).isEmpty());
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));
    }

    void portChoices() {
        ProgramRun run({"--readings", "600"});
        QCOMPARE(run.start(), QString());
        Log1& w = run.w();
        AppState& st = run.st();
        w.Timer5->setInterval(1000);
        // The Port menu does nothing while the logger answers.
        w.mnuPort->trigger();
        QCOMPARE(run.script.seen().size(), 0);

        // "No Logger": the line falls silent and the port is let go.
        choosePort(run, 5);
        QVERIFY(int(st.LinkSuspended) == 1 && st.CommPort == 1 && !w.MSComm1->portOpen());
        qsizetype heard = run.logger.commands().size();
        QTest::qWait(2500);
        QCOMPARE(run.logger.commands().size(), heard);

        // 68: a port that does not exist; the dialog closes without a word.
        qputenv("VESTO_COM2", "/nonexistent/ttyVESTO");
        choosePort(run, 2);
        QVERIFY(int(st.PortReady) == 0 && !w.MSComm1->portOpen());

        // 70: a port another program holds; the dialog stays after the message.
        Pty other;
        qputenv("VESTO_COM3", other.slavePath().toLocal8Bit());
        MSComm1 holder;
        holder.setCommPort(3);
        QCOMPARE(holder.setPortOpen(true), 0);
        choosePort(run, 3, QStringLiteral("COM 3 is not available."));
        QCOMPARE(int(st.PortReady), 0);
        QTest::qWait(1000);
        QCOMPARE(run.logger.commands().size(), heard);

        // Back on COM1 the dialogue starts again at once.
        choosePort(run, 1);
        QCOMPARE(int(st.LinkSuspended), 0);
        QCOMPARE(int(st.PortReady), 1);
        QTRY_VERIFY(run.logger.commands().size() > heard);
        QVERIFY(run.waitOnline());
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));
    }

    // Search asks COM 1 to COM 4 in turn: a silent line, one another program holds, one that
    // sends only noise, and the logger on COM 4, which it selects; Cancel stops a search at once.
    void searchFindsTheLogger() {
        QTemporaryDir links;
        const QString logger = links.filePath("logger");
        Pty silent, held, noisy;
        ProgramRun run({"--readings", "600", "--number", "4321", "--link", logger});
        run.ownFiles = true;
        run.com1 = silent.slavePath();
        qputenv("VESTO_COM2", held.slavePath().toLocal8Bit());
        qputenv("VESTO_COM3", noisy.slavePath().toLocal8Bit());
        qputenv("VESTO_COM4", logger.toLocal8Bit());
        QCOMPARE(run.start(false), QString());
        MSComm1 holder;
        holder.setCommPort(2);
        QCOMPARE(holder.setPortOpen(true), 0);
        QTimer noise;
        connect(&noise, &QTimer::timeout, [&noisy] { noisy.write("\x55\xAA\x00\x52", 0); });
        noise.start(50);
        frmPort& form = FormOf<frmPort>(run.w());
        form.listDevices = [] { return QList<SerialDevice>(); };

        run.script.modal("frmPort", [&](QDialog&) {
            form.Command3->click();
            QTRY_VERIFY_WITH_TIMEOUT(form.Command3->isEnabled(), 10000);
            QVERIFY(OptionOf(form, 4)->isChecked());
            QCOMPARE(form.Label2->text(),
                     QStringLiteral("%1 is in use by another program and was skipped.\n"
                                    "Logger No. 4321 found on %2")
                         .arg(held.slavePath(), logger));
            form.Command1->click();
        });
        ShowPortDialog(run.w());
        QVERIFY(run.waitOnline());
        QCOMPARE(run.st().CommPort, qint16(4));

        run.script.modal("frmPort", [&](QDialog& d) {
            form.Command3->click();
            QTRY_VERIFY(form.Label2->text().contains(silent.slavePath()));
            form.Command2->click();
            QVERIFY(d.isHidden());
            // The device under question is let go at once, and the program's own port taken again.
            MSComm1 probe;
            QCOMPARE(probe.setPortOpen(true), 0);
            QVERIFY(run.w().MSComm1->portOpen());
        });
        ShowPortDialog(run.w());
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));
        qunsetenv("VESTO_COM4");
    }
};

VESTO_TEST(FaultTest)
#include "faults.moc"
