// The dialogue with a logger that answers, then stops answering, then answers again.
#include "support/ProgramRun.h"
#include "support/TestRegistry.h"
#include "ui/DateSerial.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>

class PollingTest : public QObject {
    Q_OBJECT
private slots:
    void firstStatusAfterStartThenEveryTenSeconds() {
        ProgramRun run({"--readings", "1200", "--number", "4321", "--high", "180", "--low", "40",
                        "--mode", "2", "--present", "700", "--clock", "36000"});
        QVERIFY2(run.start(), qPrintable(run.error()));
        // Milliseconds on the logger's clock at which the program started.
        const double loadedAtMs = (ui::Now() - run.loggerStartedFrom) * 86400000.0;
        QVERIFY(run.waitOnline());

        Log1& w = run.w();
        QCOMPARE(w.Frame1->title(), QStringLiteral("Logger 4321 online"));
        QCOMPARE(w.Label22->text(), QStringLiteral("1,200"));
        QCOMPARE(w.Label6->text(), QStringLiteral("180"));
        QCOMPARE(w.Label11->text(), QStringLiteral("40"));
        QCOMPARE(w.Label34->text(), QStringLiteral("Exception OUT"));
        QCOMPARE(w.Label19->text(), QStringLiteral("175"));
        QCOMPARE(w.Label13->text(), QStringLiteral("COM 1"));
        for (QLabel* label : {w.Label22, w.Label23, w.Label4, w.Label6, w.Label21, w.Label11,
                              w.Label26, w.Label19, w.Label34, w.Label13, w.Label5, w.Label2})
            QVERIFY2(label->isVisible(), qPrintable(label->objectName()));
        // The logger's clock stood at one hour when it started: its zero lies an hour earlier.
        const double hour = 1.0 / 24, second = 1.0 / 86400;
        QVERIFY(run.st().DownloadStart > run.loggerStartedFrom - hour - second);
        QVERIFY(run.st().DownloadStart < run.loggerStartedTo - hour + second);

        QTRY_VERIFY_WITH_TIMEOUT(run.logger.commands(QByteArray("\0R", 2)).size() >= 2, 30000);
        const auto polls = run.logger.commands(QByteArray("\0R", 2));
        const double first = polls[0].ms - loadedAtMs;
        // Then every ten seconds from start-up.
        const double next = polls[1].ms - loadedAtMs;
        QVERIFY2(first >= 1500 && first < 8000, qPrintable(QString::number(first)));
        QVERIFY2(next >= 9000 && next < 20000, qPrintable(QString::number(next)));
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));
    }

    void lostAfterTwentyPollsAndFoundAgain() {
        ProgramRun run({"--readings", "600"});
        QVERIFY2(run.start(), qPrintable(run.error()));
        QVERIFY(run.waitOnline());
        Log1& w = run.w();
        run.logger.console("fault no-answer");
        const int before = int(run.logger.commands(QByteArray("\0R", 2)).size());
        QTRY_COMPARE_WITH_TIMEOUT(run.st().LoggerOnline, qint16(0), 30000);
        QCOMPARE(w.Frame1->title(), QStringLiteral("No logger"));
        for (QLabel* label : {w.Label22, w.Label23, w.Label2, w.Label5, w.Label4, w.Label21,
                              w.Label26, w.Label19, w.Label34, w.Label6, w.Label11, w.Label13})
            QVERIFY2(label->isHidden(), qPrintable(label->objectName()));
        QTRY_VERIFY(run.logger.commands(QByteArray("\0R", 2)).size() >= before + 19);
        // Polling goes on and finds the logger once it answers again.
        run.logger.console("fault clear");
        QVERIFY(run.waitOnline());
        QVERIFY(w.Label22->isVisible());
        QCOMPARE(w.Frame1->title(), QStringLiteral("Logger 1234 online"));
    }
};

VESTO_TEST(PollingTest)
#include "polling.moc"
