#include "support/TestRegistry.h"
#include "ui/Colors.h"
#include "ui/DateSerial.h"

#include <QLabel>
#include <QTest>
#include <cmath>

class DateSerialTest : public QObject {
    Q_OBJECT
private slots:

    void calendarCarriesOver() {
        QCOMPARE(ui::DateSerial(2005, 3, 1), 38412.0);
        QCOMPARE(ui::DateSerial(2004, 13, 1), 38353.0); // month 13: next January
        QCOMPARE(ui::DateSerial(2005, 0, 1), 38322.0);  // month 0: last December
        QCOMPARE(ui::DateSerial(2005, 3, 0), 38411.0);  // day 0: the last of February
        QCOMPARE(ui::DateSerial(2004, 2, 30), 38047.0); // 30 February 2004 is 1 March
        QCOMPARE(ui::DateSerial(1899, 12, 29), -1.0);
        QCOMPARE(ui::TimeSerial(13, 5, 9), 47109.0 / 86400);
        QCOMPARE(ui::TimeSerial(0, 90, 0), 1.5 / 24);
    }

    // Every millisecond of a day survives the trip through a serial, also far from the epoch
    // where a serial carries fewer fraction bits.
    void roundTripToTheMillisecond() {
        QCOMPARE(ui::SerialFromDate(QDateTime()), 0.0);
        for (const QDate date : {QDate(1899, 12, 28), QDate(2005, 3, 1), QDate(9999, 12, 31)}) {
            for (int ms = 0; ms < 86400000; ms += 4999) {
                const QDateTime in(date, QTime::fromMSecsSinceStartOfDay(ms));
                QCOMPARE(ui::DateFromSerial(ui::SerialFromDate(in)), in);
            }
        }
    }

    // The program's clock is the system's unless a test replaces it (the clock tests do; the
    // end-to-end runs read the same clock, so they cannot see it wrong).
    void now() {
        QVERIFY(std::fabs(ui::Now() - ui::SerialFromDate(QDateTime::currentDateTime())) < 1e-3);
    }

    // Colour numbers have red in the low byte, as a label takes them during a transfer.
    void colours() {
        QLabel label;
        ui::SetBackColor(&label, ui::BgrColor(0x123456));
        QCOMPARE(ui::BackColor(&label), QColor(0x56, 0x34, 0x12));
    }
};
VESTO_TEST(DateSerialTest)
#include "tst_dateserial.moc"
