#include "support/TestRegistry.h"
#include "ui/Format.h"

#include <QLocale>
#include <QTest>
#include <cmath>
#include <limits>

namespace {
struct Case {
    const char* pattern;
    double value;
    const char* expected;
};

// 2005-03-01 is serial 38412 and 2004-11-23 is 38314 (counted from 2005-01-01 = 38353 back
// through December's 31 and November's 30 days).
constexpr double kMar1 = 38412.0;
constexpr double kNov23 = 38314.0;
constexpr double At(int h, int m, int s) {
    return (h * 3600 + m * 60 + s) / 86400.0;
}

// The bytes the file writer's number writer appends after a byte already there.
QByteArray Latin1(const QString& pattern, double value) {
    QByteArray bytes("x");
    ui::Latin1NumberWriter(pattern).append(bytes, value);
    return bytes.mid(1);
}

void AddRows(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        QTest::addRow("%s | %.17g", c.pattern, c.value)
            << QString::fromUtf8(c.pattern) << c.value << QString::fromUtf8(c.expected);
    }
}
} // namespace

class FormatTest : public QObject {
    Q_OBJECT
    void addColumns() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
    }
    QLocale saved_;
private slots:
    void initTestCase() { saved_ = QLocale(); }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(saved_); }

    void numberPatterns_data() {
        addColumns();
        // clang-format off
        AddRows({
            {"####0;-###0", 5, "5"}, {"####0;-###0", 0, "0"}, {"####0;-###0", -5, "-5"},
            {"####0;-###0", 2.5, "3"}, {"####0;-###0", -2.5, "-3"}, {"####0;-###0", -0.4, "0"},
            {"####0;-###0", 1e9, "1000000000"}, {"####0;-###0", 1e20, "100000000000000000000"},
            {"#####0.0;-###0.0", 12.34, "12.3"}, {"#####0.0;-###0.0", -12.35, "-12.4"},
            {"#####0.0;-###0.0", 0, "0.0"}, {"#####0.0;-###0.0", -0.04, "0.0"},
            {"####0.0;-###0.0", 1234.56, "1234.6"}, {"####0.0;-###0.0", -0.96, "-1.0"},
            {"###0.0;-##0.0", 99.95, "100.0"}, {"###0.0;-##0.0", -7, "-7.0"},
            {"###0.00;-##0.00", 12.345, "12.35"}, {"###0.00;-##0.00", 2.675, "2.68"},
            {"###0.00;-##0.00", 1.005, "1.01"}, {"###0.00;-##0.00", -0.125, "-0.13"},
            {"###0.00;-##0.00", -0.004, "0.00"}, {"###0.00;-##0.00", 123456789.987, "123456789.99"},
            {"##0.00;-#0.00", 3.14159, "3.14"}, {"##0.00;-#0.00", -3.14159, "-3.14"},
            {"##0.00;-#0.00", 0.995, "1.00"},
            {"##0.000;-#0.000", 1.0005, "1.001"}, {"##0.000;-#0.000", -0.0005, "-0.001"},
            {"##0.000;-#0.000", 250, "250.000"},
            {"#0.000;-0.000", 0.1234, "0.123"}, {"#0.000;-0.000", -0.1235, "-0.124"},
            {"#0.000;-0.000", -0.0004, "0.000"},
            {"#0.0000;-0.0000", 1.23456, "1.2346"}, {"#0.0000;-0.0000", -1.5, "-1.5000"},
            {"#0.0000;-0.0000", 0.00005, "0.0001"},
            {"#,##0", 73620, "73,620"}, {"#,##0", 999, "999"}, {"#,##0", 1000, "1,000"},
            {"#,##0", 999.5, "1,000"}, {"#,##0", 1234567, "1,234,567"}, {"#,##0", -1234, "-1,234"},
            {"#,##0", 0, "0"}, {"#,##0", 1e9, "1,000,000,000"},
            {"###0.##", 12, "12."}, {"###0.##", 12.5, "12.5"}, {"###0.##", 12.345, "12.35"},
            {"###0.##", 0.5, "0.5"}, {"###0.##", 0, "0."}, {"###0.##", 0.001, "0."},
            {"###0.##", 9.999, "10."}, {"###0.##", -3.1, "-3.1"}, {"###0.##", -0.001, "0."},
            {"#####.########", 38412.5, "38412.5"}, {"#####.########", 0.5, ".5"},
            {"#####.########", 38412, "38412."}, {"#####.########", 0, "."},
            {"#####.########", 0.123456789, ".12345679"},
            {"#####.########", 38412 + 1 / 864000.0, "38412.00000116"},
            {"###0.0", 5, "5.0"}, {"###0.0", -5.25, "-5.3"}, {"###0.0", -0.01, "0.0"},
            {"##0.00", 1.5, "1.50"}, {"##0.00", -1.5, "-1.50"},
            {"######", 0, ""}, {"######", 0.4, ""}, {"######", 0.5, "1"}, {"######", 7, "7"},
            {"######", -7, "-7"}, {"######", 1234567, "1234567"},
            {"00", 5, "05"}, {"00", 0, "00"}, {"00", 123, "123"}, {"00", -5, "-05"},
            {"00", 9.5, "10"},
        });
        // clang-format on
    }
    void numberPatterns() {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(ui::Format(value, pattern), expected);
        QCOMPARE(ui::Format(Number(value), pattern), expected);
        QCOMPARE(ui::Format(Number(), pattern), QString());
        QCOMPARE(Latin1(pattern, value), expected.toLatin1());
    }

    void decimalComma_data() {
        addColumns();
        // clang-format off
        AddRows({
            {"###0.##", 12, "12,"}, {"###0.##", 12.5, "12,5"}, {"#####.########", 0.5, ",5"},
            {"#,##0", 73620, "73.620"}, {"#,##0", 1234567, "1.234.567"},
            {"###0.00;-##0.00", -1.5, "-1,50"}, {"#0.000;-0.000", 0.1235, "0,124"},
        });
        // clang-format on
    }
    void decimalComma() {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(ui::Format(value, pattern), expected);
        QCOMPARE(Latin1(pattern, value), expected.toLatin1());
    }

    void datePatterns_data() {
        addColumns();
        const double pm = kMar1 + At(13, 5, 9);
        const double am = kNov23 + At(9, 7, 3);
        // clang-format off
        AddRows({
            {"mm/dd/yy hh:mm:ss am/pm", pm, "03/01/05 01:05:09 pm"},
            {"mm/dd/yy hh:mm:ss am/pm", am, "11/23/04 09:07:03 am"},
            {"dd/mm/yy hh:mm:ss", pm, "01/03/05 13:05:09"}, {"dd/mm/yy hh:mm:ss", am, "23/11/04 09:07:03"},
            {"m/d/yy hh:mm:ss am/pm", pm, "3/1/05 01:05:09 pm"},
            {"d/m/yy hh:mm:ss", pm, "1/3/05 13:05:09"},
            {"m/d/yy", pm, "3/1/05"}, {"m/d/yy", am, "11/23/04"}, {"d/m/yy", pm, "1/3/05"},
            {"hh:mm:ss am/pm", pm, "01:05:09 pm"}, {"hh:mm:ss", pm, "13:05:09"},
            {"h:mm am/pm", pm, "1:05 pm"}, {"h:mm", pm, "13:05"}, {"h:mm", am, "9:07"},
            {"h am/pm", pm, "1 pm"}, {"h am/pm", am, "9 am"},
            {"   hh", pm, "   13"}, {"   hh", am, "   09"},
            {"mm/dd", pm, "03/01"}, {"mm/dd", am, "11/23"}, {"dd/mm", pm, "01/03"},
            // midnight and noon on a 12-hour clock
            {"hh:mm:ss am/pm", kMar1, "12:00:00 am"}, {"h am/pm", kMar1, "12 am"},
            {"hh:mm:ss", kMar1, "00:00:00"}, {"h:mm", kMar1, "0:00"},
            {"h:mm am/pm", kMar1 + At(0, 30, 0), "12:30 am"},
            {"hh:mm:ss am/pm", kMar1 + 0.5, "12:00:00 pm"}, {"h am/pm", kMar1 + 0.5, "12 pm"},
            {"h:mm am/pm", kMar1 + At(12, 30, 0), "12:30 pm"},
            {"hh:mm:ss am/pm", kMar1 + At(23, 59, 59), "11:59:59 pm"},
            // 23:59:59.6 on 31 December 2004 is midnight of the new year
            {"dd/mm/yy hh:mm:ss", 38352 + 86399.6 / 86400, "01/01/05 00:00:00"},
            {"dd/mm/yy hh:mm:ss", 38352 + 86399.4 / 86400, "31/12/04 23:59:59"},
            {"m/d/yy", 36526, "1/1/00"}, {"mm/dd/yy", 0, "12/30/99"},
            {"dd/mm/yy hh:mm:ss", -1.25, "29/12/99 06:00:00"},
            {"dd/mm/yyyy", pm, "01/03/2005"}, {"h AM/PM", pm, "1 PM"}, {"[hh]", am, "[09]"},
        });
        // clang-format on
    }
    void datePatterns() {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QVERIFY(ui::IsDatePattern(pattern));
        QCOMPARE(ui::Format(value, pattern), expected);
        QCOMPARE(ui::Format(Number(), pattern), QString());
    }

    void numberPatternsAreNotDates() {
        for (const char* p : {"####0;-###0", "#,##0", "###0.##", "#####.########", "00", "######"})
            QVERIFY2(!ui::IsDatePattern(QString::fromLatin1(p)), p);
    }

    void oddValuesDoNotBreak() {
        const double inf = std::numeric_limits<double>::infinity();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QCOMPARE(ui::Format(inf, "###0.00"), QStringLiteral("inf"));
        QCOMPARE(ui::Format(-inf, "###0.00"), QStringLiteral("-inf"));
        QCOMPARE(ui::Format(nan, "###0.00"), QStringLiteral("nan"));
        QCOMPARE(ui::Format(nan, "m/d/yy"), QStringLiteral("12/30/99"));
        QCOMPARE(ui::Format(1e300, "dd/mm/yy hh:mm:ss"), QStringLiteral("31/12/99 23:59:59"));
        QCOMPARE(ui::Format(1e300, "####0").size(), 301);
        QCOMPARE(Latin1("###0.00", -inf), QByteArray("-inf"));
        QCOMPARE(Latin1("###0.00", nan), QByteArray("nan"));
        QCOMPARE(Latin1("m/d/yy", nan), QByteArray("12/30/99"));
        QCOMPARE(Latin1("####0", 1e300), ui::Format(1e300, "####0").toLatin1());
    }

    void str_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("str");
        QTest::addColumn<QString>("plainComma");
        QTest::newRow("5") << 5.0 << " 5"
                           << "5";
        QTest::newRow("-5") << -5.0 << "-5"
                            << "-5";
        QTest::newRow("0") << 0.0 << " 0"
                           << "0";
        QTest::newRow("0.25") << 0.25 << " 0.25"
                              << "0,25";
        QTest::newRow("-0.25") << -0.25 << "-0.25"
                               << "-0,25";
        QTest::newRow("0.1+0.2") << 0.1 + 0.2 << " 0.3"
                                 << "0,3";
        QTest::newRow("1/3") << 1.0 / 3 << " 0.333333333333333"
                             << "0,333333333333333";
        QTest::newRow("2/3") << 2.0 / 3 << " 0.666666666666667"
                             << "0,666666666666667";
        QTest::newRow("73620") << 73620.0 << " 73620"
                               << "73620";
        QTest::newRow("1e14") << 1e14 << " 100000000000000"
                              << "100000000000000";
        QTest::newRow("1e15") << 1e15 << " 1E+15"
                              << "1E+15";
        QTest::newRow("1e-5") << 1e-5 << " 0.00001"
                              << "0,00001";
        QTest::newRow("-1.5e-7") << -1.5e-7 << "-1.5E-07"
                                 << "-1,5E-07";
        QTest::newRow("1e300") << 1e300 << " 1E+300"
                               << "1E+300";
    }
    void str() {
        QFETCH(double, value);
        QFETCH(QString, str);
        QFETCH(QString, plainComma);
        QCOMPARE(ui::Str(value), str);
        QString plain = plainComma;
        QCOMPARE(ui::PlainText(value), plain.replace(u',', u'.'));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(ui::Str(value), str);
        QCOMPARE(ui::PlainText(value), plainComma);
    }
};
VESTO_TEST(FormatTest)
#include "tst_format.moc"
