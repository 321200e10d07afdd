// Faults on the line during a download. Whatever the line does, the program keeps running, the
// record in memory stays until a whole new one replaces it, the menus and the pointer come back,
// and the next download works.
#include "support/ProgramRun.h"
#include "support/TestRegistry.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <optional>

namespace {

enum Outcome { Kept, Replaced, Either };

// A console line for the logger, given while the program's commands are held back, so that it
// is in place before the next command reaches the logger.
void tellLogger(ProgramRun& run, const QString& line) {
    if (line.isEmpty()) return;
    run.logger.console(line);
    QTest::qWait(300);
}

} // namespace

class LineFaultTest : public QObject {
    Q_OBJECT
private slots:
    void faultDuringDownload_data() {
        QTest::addColumn<QString>("beforeStatus");   // once Download has been chosen
        QTest::addColumn<QString>("beforeTransfer"); // once the status record has come
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("received"); // bytes that came before the transfer stopped
        QTest::addColumn<QString>("mend"); // before the next download
        QTest::addColumn<int>("nextCount");
        // The logger holds 1800 readings (2400 bytes) when the download starts.
        QTest::newRow("line cut in the middle of a bank")
            << ""
            << "fault cut-at:1200" << int(Kept) << 1200 << "fault clear" << 1800;
        QTest::newRow("logger stops answering in a transfer and comes back")
            << ""
            << "fault stall-at:1800/1" << int(Kept) << 1800 << "" << 1800;
        QTest::newRow("logger restarted between status and transfer")
            << ""
            << "restart" << int(Kept) << 0 << "readings 600" << 600;
        QTest::newRow("fewer readings than the status announced")
            << ""
            << "readings 600" << int(Kept) << 800 << "" << 600;
        // A read that starts with noise is dropped whole; should a later piece of the same answer
        // start with the acknowledge byte, the transfer waits for bytes that never come.
        QTest::newRow("garbage before the acknowledge")
            << "fault garbage/2"
            << "fault garbage/1" << int(Either) << 0 << "" << 1800;
        QTest::newRow("status record cut short, the next one whole")
            << "fault short-status/1"
            << "" << int(Replaced) << 0 << "" << 1800;
        QTest::newRow("bytes one at a time") << "fault one-byte"
                                             << "" << int(Replaced) << 0 << "fault clear" << 1800;
    }
    void faultDuringDownload() {
        QFETCH(QString, beforeStatus);
        QFETCH(QString, beforeTransfer);
        QFETCH(int, outcome);
        QFETCH(int, received);
        QFETCH(QString, mend);
        QFETCH(int, nextCount);
        ProgramRun run({"--readings", "1200"});
        QVERIFY2(run.start(), qPrintable(run.error()));
        QVERIFY(run.waitOnline());
        QVERIFY(run.download());
        Log1& w = run.w();
        AppState& st = run.st();
        const QByteArray previous = RecordDigest(st);

        // The watchdog counts ten seconds a tick, the status refresh comes every ten seconds:
        // both faster than the clock. The refresh only runs while the test lets it.
        if (outcome != Replaced) w.Timer8->setInterval(700);
        w.Timer5->setInterval(1000);
        w.Timer5->stop();
        w.Timer2->stop();
        QTRY_COMPARE(int(st.LinkState), 0);
        w.Timer1->stop();
        run.logger.console("readings 1800");
        QTRY_COMPARE(run.logger.readings().size(), 1800);

        run.script.message("Discard the record?", ui::Ok);
        w.mnuDownload->trigger();
        QCOMPARE(st.DownloadRequested, qint16(1));
        // What the program tells while the download runs or fails.
        std::optional<PromptScript> told(std::in_place);
        tellLogger(run, beforeStatus);
        w.Timer1->start();
        w.Timer5->start(); // brings back a status exchange that never completed
        QTRY_VERIFY_WITH_TIMEOUT(st.LinkState == 2 && st.StatusFresh == 1, 20000);
        w.Timer5->stop();
        QCOMPARE(st.LoggerRecordCount.value(), 1800.0);
        tellLogger(run, beforeTransfer);
        w.Timer2->start();
        if (outcome == Kept) // the progress shown while nothing more comes
            QTRY_COMPARE_WITH_TIMEOUT(w.Label14->text(), QString::number(received / 24), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(st.DownloadRequested == 0 && st.Transferring == 0, 40000);

        const QStringList messages = told->messages();
        told.reset();
        if (outcome == Kept || (outcome == Either && RecordDigest(st) == previous)) {
            QCOMPARE(RecordDigest(st), previous);
            QVERIFY(w.RecordLoaded());
            QVERIFY(w.ProgressBar1->isHidden());
            const QString sent = outcome == Kept ? QString::number(received) : QString();
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages[0].contains(QStringLiteral("download was given up")) &&
                         messages[0].contains(sent + QStringLiteral(" of the 2400 bytes")) &&
                         messages[0].contains(QStringLiteral("record in memory has not changed")),
                     qPrintable(messages[0]));
        } else {
            const QString difference = run.compareWithLogger(1800);
            QVERIFY2(difference.isEmpty(), qPrintable(difference));
            QCOMPARE(messages, QStringList());
        }
        QVERIFY(!ui::IsHourglass());
        for (QAction* menu : w.busyMenus()) QVERIFY2(menu->isEnabled(), qPrintable(menu->text()));
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));

        // The status refresh finds the logger again; then a download brings what it holds.
        tellLogger(run, mend);
        w.Timer5->start();
        QVERIFY(run.waitOnline(30000));
        w.Timer5->stop();
        run.script.message("Discard the record?", ui::Ok);
        QVERIFY(run.download());
        const QString next = run.compareWithLogger(nextCount);
        QVERIFY2(next.isEmpty(), qPrintable(next));
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));
    }
};

VESTO_TEST(LineFaultTest)
#include "line_faults.moc"
