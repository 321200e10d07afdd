#include "quality/Nominal.h"
#include "quality/Tolerance.h"
#include "shell/AppState.h"
#include "support/Fixtures.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace quality;

class ToleranceTest : public QObject {
    Q_OBJECT
private slots:
    // Each edge of each curve: a point on it (within, inside), just beyond it, and a step on.
    // Durations in milliseconds, the lowest and highest reading in tenths of a per cent.
    void curves_data() {
        QTest::addColumn<int>("ms");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QString>("expected"); // ITIC region, then the SEMI F47 verdict
        const auto row = [](const char* name, int ms, int low, int high, const char* expected) {
            QTest::newRow(name) << ms << low << high << QString(expected);
        };
        row("ITIC lower 70 % at 0.5 s", 500, 700, 1000, "within inside");
        row("69.9 % at 0.5 s", 500, 699, 1000, "no-damage outside");
        row("70 % at 0.1 s", 100, 700, 1000, "within inside");
        row("ITIC lower 80 % at 0.6 s", 600, 800, 1000, "within inside");
        row("79.9 % at 0.6 s", 600, 799, 1000, "no-damage outside");
        row("80 % at 10 s", 10000, 800, 1000, "within not-covered");
        row("80 % at 10.1 s: 90 % beyond", 10100, 800, 1000, "no-damage not-covered");
        row("ITIC lower 90 % at 10.1 s", 10100, 900, 1000, "within not-covered");
        row("ITIC upper 120 % at 0.5 s", 500, 1000, 1200, "within none");
        row("120.1 % at 0.5 s", 500, 1000, 1201, "prohibited none");
        row("ITIC upper 110 % at 0.6 s", 600, 1000, 1100, "within none");
        row("110.1 % at 0.6 s", 600, 1000, 1101, "prohibited none");
        row("SEMI F47 50 % at 0.2 s", 200, 500, 1000, "no-damage inside");
        row("49.9 % at 0.2 s", 200, 499, 1000, "no-damage outside");
        row("SEMI F47 70 % at 0.3 s", 300, 700, 1000, "within inside");
        row("SEMI F47 80 % at 1 s", 1000, 800, 1000, "within inside");
        row("79.9 % at 1 s", 1000, 799, 1000, "no-damage outside");
        row("a 1.1 s sag", 1100, 950, 1000, "within not-covered");
        row("both: the worse region", 300, 650, 1250, "prohibited outside");
        row("both, within", 2000, 850, 1050, "within not-covered");
        row("on the nominal", 100, 1000, 1000, "within none");
    }
    void curves() {
        QFETCH(int, ms);
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(QString, expected);
        const char* regions[] = {"within", "no-damage", "prohibited"};
        const char* verdicts[] = {"none", "inside", "outside", "not-covered"};
        const Judgement j = Judge(ms, low, high);
        QCOMPARE(QString("%1 %2").arg(regions[int(j.itic)], verdicts[int(j.semi)]), expected);
    }

    // The per cents and durations the judgement is made on are those the list shows.
    void rounding() {
        QCOMPARE(PercentTenths(161, 230), 700); // 70.0 % to the tenth, not 69.999...
        QCOMPARE(PercentTenths(160.7, 230), 699);
        QCOMPARE(DurationMs(46000.25 + 5 / 864000.0 - 46000.25), 500); // five readings
    }

    // The usual supply voltage nearest the middle of the limits, the lower of two as near.
    void defaultNominal() {
        const QList<std::array<double, 3>> cases{{250, 210, 230}, {200, 50, 127}, {132, 108, 120},
                                                 {125, 110, 115}, {0, 0, 100},    {1000, 900, 600},
                                                 {480, 400, 440}};
        for (const auto& [high, low, nominal] : cases)
            QVERIFY2(DefaultNominal(high, low) == nominal, qPrintable(QString::number(high)));
    }

    // A choice is kept per logger number in the settings file and found by a later run; a
    // record in another unit has no nominal.
    void rememberedPerLogger() {
        ScopedWorkDir dir;
        for (const bool later : {false, true}) { // a later run has nothing chosen in it yet
            auto st = std::make_unique<AppState>();
            st->UnitName = "V", st->LoggerNumber = 1234;
            st->HighLimitValue = 250, st->LowLimitValue = 210;
            if (!later) QVERIFY(ChooseNominal(*st, 220));
            QCOMPARE(RecordNominal(*st).value_or(0), 220.0);
            st->LoggerNumber = 99;
            QCOMPARE(RecordNominal(*st).value_or(0), 230.0);
            st->UnitName = "degC";
            QVERIFY(!RecordNominal(*st));
        }
    }
};

VESTO_TEST(ToleranceTest)
#include "tst_quality.moc"
