// Faults on the line during a download. Whatever the line does, the program keeps running, the
// record in memory stays until a whole new one replaces it, the menus and the pointer come back,
// and the next download works.
#include "support/ProgramRun.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <optional>

namespace {
enum Outcome { Kept, Replaced, Either };
} // namespace

class LineFaultTest : public QObject {
    Q_OBJECT
private slots:
    void faultDuringDownload_data() {
        // Console lines for the logger: once Download has been chosen, once the status record
        // has come, and before the next download.
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("received"); // bytes that came before the transfer stopped
        // The logger holds 1800 readings (2400 bytes) when the download starts.
        QTest::newRow("line cut in the middle of a bank")
            << QStringList{"", "fault cut-at:1200", "fault clear"} << int(Kept) << 1200;
        QTest::newRow("logger stops answering in a transfer and comes back")
            << QStringList{"", "fault stall-at:1800/1", ""} << int(Kept) << 1800;
        QTest::newRow("logger restarted between status and transfer")
            << QStringList{"", "restart", "readings 600"} << int(Kept) << 0;
        QTest::newRow("fewer readings than the status announced")
            << QStringList{"", "readings 600", ""} << int(Kept) << 800;
        // A read that starts with noise is dropped whole; should a later piece of the same answer
        // start with the acknowledge byte, the transfer waits for bytes that never come.
        QTest::newRow("garbage before the acknowledge")
            << QStringList{"fault garbage/2", "fault garbage/1", ""} << int(Either) << 0;
        QTest::newRow("status record cut short, the next one whole")
            << QStringList{"fault short-status/1", "", ""} << int(Replaced) << 0;
        QTest::newRow("bytes one at a time")
            << QStringList{"fault one-byte", "", "fault clear"} << int(Replaced) << 0;
    }
    void faultDuringDownload() {
        QFETCH(QStringList, faults);
        QFETCH(int, outcome);
        QFETCH(int, received);
        ProgramRun run({"--readings", "1200"});
        QCOMPARE(run.start(), QString());
        QVERIFY(run.download());
        Log1& w = run.w();
        AppState& st = run.st();
        const QByteArray previous = RecordDigest(st);
        // A console line given while the program's commands are held back, so that it is in
        // place before the next command reaches the logger.
        const auto tellLogger = [&run](const QString& line) {
            if (!line.isEmpty()) run.logger.console(line);
            QTest::qWait(300);
        };

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
        tellLogger(faults[0]);
        w.Timer1->start();
        w.Timer5->start(); // brings back a status exchange that never completed
        QTRY_VERIFY_WITH_TIMEOUT(st.LinkState == 2 && st.StatusFresh == 1, 20000);
        w.Timer5->stop();
        QCOMPARE(st.LoggerRecordCount.value(), 1800.0);
        tellLogger(faults[1]);
        w.Timer2->start();
        if (outcome == Kept) // the progress shown while nothing more comes
            QTRY_COMPARE_WITH_TIMEOUT(w.Label14->text(), QString::number(received / 24), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(st.DownloadRequested == 0 && st.Transferring == 0, 40000);

        const QStringList messages = told->messages();
        told.reset();
        if (outcome == Kept || (outcome == Either && RecordDigest(st) == previous)) {
            QCOMPARE(RecordDigest(st), previous);
            QVERIFY(w.RecordLoaded() && w.ProgressBar1->isHidden());
            const QString sent = outcome == Kept ? QString::number(received) : QString();
            const QString text = messages.join('\n');
            QVERIFY2(messages.size() == 1 && text.contains("download was given up") &&
                         text.contains(sent + " of the 2400 bytes") &&
                         text.contains("record in memory has not changed"),
                     qPrintable(text));
            // The whole blocks that came are kept apart, as a partial download.
            const QStringList partial = run.archive().filter("-partial.txt");
            int readings = 0;
            if (outcome == Kept) QCOMPARE(partial.size(), received >= 80 ? 1 : 0);
            if (!partial.isEmpty())
                QCOMPARE(run.compareFileWithLogger(partial[0], &readings), QString());
            if (outcome == Kept) QCOMPARE(readings, received / 80 * 60);
        } else {
            QCOMPARE(run.compareWithLogger(1800), QString());
            QCOMPARE(messages, QStringList());
        }
        QVERIFY(run.idle());
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));

        // The status refresh finds the logger again; then a download brings what it holds.
        tellLogger(faults[2]);
        w.Timer5->start();
        QVERIFY(run.waitOnline(30000));
        w.Timer5->stop();
        run.script.message("Discard the record?", ui::Ok);
        QVERIFY(run.download());
        QCOMPARE(run.compareWithLogger(int(run.logger.readings().size())), QString());
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));
    }
};

VESTO_TEST(LineFaultTest)
#include "line_faults.moc"
