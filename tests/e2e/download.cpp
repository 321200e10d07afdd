// Downloads from the virtual logger: every reading compared with what the logger holds.
#include "graph/canvas/PictureBox.h"
#include "support/ProgramRun.h"
#include "support/TestRegistry.h"
#include "ui/DateSerial.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <ctime>

class DownloadTest : public QObject {
    Q_OBJECT
private slots:
    void download_data() {
        QTest::addColumn<QString>("logger");
        QTest::addColumn<int>("count");
        QTest::newRow("one bank") << "--readings 1200" << 1200;
        // The first bank just filled: the status record announces a second bank of no bytes.
        QTest::newRow("one full bank") << "--readings 24540" << 24540;
        QTest::newRow("two banks") << "--readings 30000 --pattern ramp" << 30000;
        QTest::newRow("wrapped, current block newest")
            << "--wrapped --write-block 419 --current-block-flag 1" << 73620;
        QTest::newRow("wrapped, current block oldest")
            << "--wrapped --write-block 419 --current-block-flag 0" << 73620;
        QTest::newRow("wrapped twice: the current block left out")
            << "--wrap-count 2 --write-block 1000 --current-block-flag 1" << 73560;
    }
    void download() {
        QFETCH(QString, logger);
        QFETCH(int, count);
        ProgramRun run(logger.split(' '));
        QCOMPARE(run.start(), QString());
        QVERIFY(run.download());
        QCOMPARE(run.compareWithLogger(count), QString());
        // Kept in the archive, once and whole, as the program reads it back.
        const QStringList archived = run.archive();
        QCOMPARE(archived.size(), 1);
        QVERIFY2(archived[0].contains(QRegularExpression("/1234/[-0-9T]{19}\\.txt$")),
                 qPrintable(archived[0]));
        int readings = 0;
        QCOMPARE(run.compareFileWithLogger(archived[0], &readings), QString());
        QCOMPARE(readings, count);
        Log1& w = run.w();
        QCOMPARE(w.Label40->text(), QString::number(count));
        QVERIFY(!w.Label40->isHidden() && w.Command3->isVisible() && w.mnuSaveTXT->isEnabled() &&
                w.mnuPGraph->isEnabled() && int(run.st().LinkState) == 0);
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));
    }

    // A logger that ran across a change of the clocks (Berlin: 29 March 2026 02:00 CET became
    // 03:00 CEST, 25 October 03:00 CEST became 02:00 CET), downloaded 90 s after it: every
    // reading at the wall time of its instant, an hour apart on the two sides; in June, with no
    // change, the plain sum of the time base.
    void acrossDaylightSaving_data() {
        QTest::addColumn<QDateTime>("change"); // UTC
        QTest::addColumn<QList<int>>("hours"); // wall hour of the first and the last reading
        QTest::newRow("forward") << QDateTime(QDate(2026, 3, 29), QTime(1, 0), Qt::UTC)
                                 << QList<int>{1, 3};
        QTest::newRow("back") << QDateTime(QDate(2026, 10, 25), QTime(1, 0), Qt::UTC)
                              << QList<int>{2, 2};
        QTest::newRow("no change")
            << QDateTime(QDate(2026, 6, 1), QTime(1, 30), Qt::UTC) << QList<int>{3, 3};
    }
    void acrossDaylightSaving() {
        QFETCH(QDateTime, change);
        QFETCH(QList<int>, hours);
        const QByteArray zone = qgetenv("TZ");
        qputenv("TZ", "Europe/Berlin");
        tzset();
        QElapsedTimer running;
        running.start();
        // The readings (ramp: no pauses) end 30 s before the logger's clock, which starts at
        // 150 s: they run from 60 s before the change to 60 s after it.
        const qint64 present = change.toMSecsSinceEpoch() + 90000;
        ui::SetClockForTesting(
            [&] { return QDateTime::fromMSecsSinceEpoch(present + running.elapsed()); });
        {
            ProgramRun run({"--readings", "1200", "--pattern", "ramp", "--clock", "1500"});
            QCOMPARE(run.start(), QString());
            QVERIFY(run.download());
            const AppState& st = run.st();
            QCOMPARE(st.DownloadShifts.none(), hours[0] == hours[1] && hours[0] == 3);
            const int presentOffset = QDateTime::fromMSecsSinceEpoch(present).offsetFromUtc();
            const qint64 zero = QDateTime(ui::DateFromSerial(st.DownloadStart).date(),
                                          ui::DateFromSerial(st.DownloadStart).time(),
                                          Qt::OffsetFromUTC, presentOffset)
                                    .toMSecsSinceEpoch();
            const QList<LoggerEmulator::Reading> held = run.logger.readings();
            for (int n = 1; n <= 1200; ++n) {
                const double wall = ui::SerialFromDate(
                    QDateTime::fromMSecsSinceEpoch(zero + held[n - 1].ticks * 100));
                QVERIFY2(std::abs(st.RecordTime.point(n) - wall) < 0.01 / 86400,
                         qPrintable(QString::number(n)));
            }
            QCOMPARE((QList<int>{ui::PartsFromSerial(st.RecordTime.point(1)).hour,
                                 ui::PartsFromSerial(st.RecordTime.point(1200)).hour}),
                     hours);
            if (hours[0] == 3) QCOMPARE(run.compareWithLogger(1200), QString());
        }
        ui::SetClockForTesting({});
        zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
        tzset();
    }

    void emptyLoggerGetsOneTransfer() {
        ProgramRun run({"--readings", "0"});
        QCOMPARE(run.start(), QString());
        Log1& w = run.w();
        QCOMPARE(w.Label22->text(), QStringLiteral("0"));
        const QImage before = w.Picture1->Image();
        w.mnuDownload->trigger(); // no clock dialog: nothing will come
        QTRY_COMPARE(run.logger.commands(QByteArray("\0T", 2)).size(), 1);
        QTest::qWait(1500);
        QCOMPARE(run.logger.commands(QByteArray("\0T", 2)).size(), 1);
        QVERIFY(run.st().DownloadRequested == 0 && run.st().RecordCount.isEmpty());
        QVERIFY(w.ProgressBar1->value() == 0 && !w.Command3->isVisible());
        QCOMPARE(w.Picture1->Image(), before);
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));
    }
};

VESTO_TEST(DownloadTest)
#include "download.moc"
