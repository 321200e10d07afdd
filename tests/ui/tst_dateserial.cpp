#include "support/TestRegistry.h"
#include "ui/DateSerial.h"

#include <QTest>
#include <cmath>
#include <limits>

class DateSerialTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ui::SetClockForTesting(nullptr); }

    void parts_data() {
        QTest::addColumn<double>("serial");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");
        QTest::newRow("epoch") << 0.0 << QDate(1899, 12, 30) << QTime(0, 0);
        QTest::newRow("1") << 1.0 << QDate(1899, 12, 31) << QTime(0, 0);
        QTest::newRow("2") << 2.0 << QDate(1900, 1, 1) << QTime(0, 0);
        QTest::newRow("60") << 60.0 << QDate(1900, 2, 28) << QTime(0, 0);
        QTest::newRow("61") << 61.0 << QDate(1900, 3, 1) << QTime(0, 0);
        QTest::newRow("noon") << 38412.5 << QDate(2005, 3, 1) << QTime(12, 0);
        QTest::newRow("1970") << 25569.0 << QDate(1970, 1, 1) << QTime(0, 0);
        QTest::newRow("leap day") << 36585.75 << QDate(2000, 2, 29) << QTime(18, 0);
        QTest::newRow("after leap day") << 36586.0 << QDate(2000, 3, 1) << QTime(0, 0);
        QTest::newRow("last") << 2958465.0 << QDate(9999, 12, 31) << QTime(0, 0);
        QTest::newRow("before epoch") << -1.25 << QDate(1899, 12, 29) << QTime(6, 0);
        QTest::newRow("epoch day negative") << -0.5 << QDate(1899, 12, 30) << QTime(12, 0);
        QTest::newRow("round down")
            << 38412 + 45296.4 / 86400 << QDate(2005, 3, 1) << QTime(12, 34, 56);
        QTest::newRow("round up") << 38412 + 45296.6 / 86400 << QDate(2005, 3, 1)
                                  << QTime(12, 34, 57);
        QTest::newRow("year rollover")
            << 38352 + 86399.6 / 86400 << QDate(2005, 1, 1) << QTime(0, 0);
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << QDate(1899, 12, 30)
                             << QTime(0, 0);
        QTest::newRow("huge") << 1e300 << QDate(9999, 12, 31) << QTime(23, 59, 59);
        QTest::newRow("huge negative") << -1e300 << QDate(100, 1, 1) << QTime(0, 0);
    }
    void parts() {
        QFETCH(double, serial);
        QFETCH(QDate, date);
        QFETCH(QTime, time);
        const ui::DateParts p = ui::PartsFromSerial(serial);
        QCOMPARE(QDate(p.year, p.month, p.day), date);
        QCOMPARE(QTime(p.hour, p.minute, p.second), time);
        // DateFromSerial keeps the milliseconds; rounded to the second it names the same moment
        const QDateTime dt = ui::DateFromSerial(serial).addMSecs(500);
        QCOMPARE(dt.date(), date);
        QCOMPARE(QTime(dt.time().hour(), dt.time().minute(), dt.time().second()), time);
    }

    void dateSerial_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<double>("serial");
        QTest::newRow("epoch") << 1899 << 12 << 30 << 0.0;
        QTest::newRow("1900-01-01") << 1900 << 1 << 1 << 2.0;
        QTest::newRow("1900-03-01") << 1900 << 3 << 1 << 61.0;
        QTest::newRow("2005-03-01") << 2005 << 3 << 1 << 38412.0;
        QTest::newRow("leap day") << 2000 << 2 << 29 << 36585.0;
        QTest::newRow("month 13") << 2004 << 13 << 1 << 38353.0;
        QTest::newRow("month 25") << 2004 << 25 << 1 << 38718.0;
        QTest::newRow("day 0") << 2005 << 3 << 0 << 38411.0;
        QTest::newRow("month 0") << 2005 << 0 << 1 << 38322.0;
        QTest::newRow("month -1") << 2005 << -1 << 1 << 38292.0;
        QTest::newRow("day 32") << 2005 << 1 << 32 << 38384.0;
        QTest::newRow("30 February leap year") << 2004 << 2 << 30 << 38047.0;
        QTest::newRow("before epoch") << 1899 << 12 << 29 << -1.0;
    }
    void dateSerial() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(double, serial);
        QCOMPARE(ui::DateSerial(year, month, day), serial);
    }

    void timeSerial() {
        QCOMPARE(ui::TimeSerial(12, 0, 0), 0.5);
        QCOMPARE(ui::TimeSerial(6, 0, 0), 0.25);
        QCOMPARE(ui::TimeSerial(24, 0, 0), 1.0);
        QCOMPARE(ui::TimeSerial(0, 90, 0), 1.5 / 24);
        QCOMPARE(ui::TimeSerial(13, 5, 9), 47109.0 / 86400);
    }

    void serialFromDate() {
        QCOMPARE(ui::SerialFromDate(QDateTime(QDate(2005, 3, 1), QTime(12, 0))), 38412.5);
        QCOMPARE(ui::SerialFromDate(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
        QCOMPARE(ui::SerialFromDate(QDateTime(QDate(1899, 12, 30), QTime(18, 0))), 0.75);
        QCOMPARE(ui::SerialFromDate(QDateTime(QDate(2005, 3, 1), QTime(13, 5, 9, 123))),
                 38412 + 47109.123 / 86400);
        QCOMPARE(ui::SerialFromDate(QDateTime()), 0.0);
    }

    // Every millisecond of a day must survive the trip through a serial, also far from the
    // epoch where a serial carries fewer fraction bits.
    void roundTripToTheMillisecond() {
        for (const QDate date : {QDate(1899, 12, 30), QDate(1899, 12, 28), QDate(2005, 3, 1),
                                 QDate(2099, 12, 31), QDate(9999, 12, 31)}) {
            for (int ms = 0; ms < 86400000; ms += 4999) {
                const QDateTime in(date, QTime::fromMSecsSinceStartOfDay(ms));
                const QDateTime out = ui::DateFromSerial(ui::SerialFromDate(in));
                QCOMPARE(out.date(), date);
                QCOMPARE(out.time(), in.time());
            }
        }
    }

    void replaceableClock() {
        ui::SetClockForTesting([] { return QDateTime(QDate(2005, 3, 1), QTime(12, 0)); });
        QCOMPARE(ui::Now(), 38412.5);
        ui::SetClockForTesting(nullptr);
        const double real = ui::SerialFromDate(QDateTime::currentDateTime());
        QVERIFY(std::fabs(ui::Now() - real) < 60.0 / 86400);
    }
};
VESTO_TEST(DateSerialTest)
#include "tst_dateserial.moc"
