// The dialogue with a logger that answers, then stops answering, then answers again.
#include "support/ProgramRun.h"
#include "support/TestRegistry.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>

class PollingTest : public QObject {
    Q_OBJECT
private slots:
    void pollsLostAfterTwentyAndFoundAgain() {
        ProgramRun run({"--readings", "1200", "--number", "4321", "--high", "180", "--low", "40",
                        "--mode", "2", "--present", "700", "--clock", "36000"});
        QCOMPARE(run.start(), QString());
        // Milliseconds on the logger's clock at which the program started.
        const double loadedAtMs = (run.loadedAt - run.loggerStartedFrom) * 86400000.0;
        Log1& w = run.w();
        const QStringList shown = {w.Frame1->title(), w.Label22->text(), w.Label6->text(),
                                   w.Label11->text(), w.Label34->text(), w.Label19->text(),
                                   w.Label13->text()};
        QCOMPARE(shown.join('|'), "Logger 4321 online|1,200|180|40|Exception OUT|175|COM 1");
        // The status panel's values and their captions.
        const QList<QLabel*> panel = {w.Label22, w.Label23, w.Label2,  w.Label5,
                                      w.Label4,  w.Label21, w.Label26, w.Label19,
                                      w.Label34, w.Label6,  w.Label11, w.Label13};
        for (QLabel* label : panel) QVERIFY2(label->isVisible(), qPrintable(label->objectName()));
        // The logger's clock stood at one hour when it started: its zero lies an hour earlier.
        const double hour = 1.0 / 24, second = 1.0 / 86400;
        QVERIFY(run.st().DownloadStart > run.loggerStartedFrom - hour - second);
        QVERIFY(run.st().DownloadStart < run.loggerStartedTo - hour + second);

        QTRY_VERIFY_WITH_TIMEOUT(run.logger.commands(QByteArray("\0R", 2)).size() >= 2, 30000);
        const auto polls = run.logger.commands(QByteArray("\0R", 2));
        // The first about two seconds after start-up, then every ten seconds from start-up.
        const double first = polls[0].ms - loadedAtMs, next = polls[1].ms - loadedAtMs;
        QVERIFY2(first >= 1500 && first < 8000, qPrintable(QString::number(first)));
        QVERIFY2(next >= 9000 && next < 20000, qPrintable(QString::number(next)));

        run.logger.console("fault no-answer");
        const int before = int(run.logger.commands(QByteArray("\0R", 2)).size());
        QTRY_COMPARE_WITH_TIMEOUT(run.st().LoggerOnline, qint16(0), 30000);
        QCOMPARE(w.Frame1->title(), QStringLiteral("No logger"));
        for (QLabel* label : panel) QVERIFY2(label->isHidden(), qPrintable(label->objectName()));
        QTRY_VERIFY(run.logger.commands(QByteArray("\0R", 2)).size() >= before + 19);
        // Polling goes on and finds the logger once it answers again.
        run.logger.console("fault clear");
        QVERIFY(run.waitOnline());
        QVERIFY(w.Label22->isVisible());
        QCOMPARE(w.Frame1->title(), QStringLiteral("Logger 4321 online"));
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));
    }
};

VESTO_TEST(PollingTest)
#include "polling.moc"
