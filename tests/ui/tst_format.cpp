#include "support/TestRegistry.h"
#include "ui/Format.h"
#include "ui/Parse.h"

#include <QLocale>
#include <QTest>
#include <cfloat>
#include <limits>

namespace {
struct Case {
    const char* pattern;
    double value;
    const char* expected;
    bool comma = false; // formatted in a locale with a decimal comma
};

// 2005-03-01 is serial 38412 and 2004-11-23 is 38314 (counted from 2005-01-01 = 38353 back
// through December's 31 and November's 30 days).
constexpr double kMar1 = 38412.0, kNov23 = 38314.0;
constexpr double kPm = kMar1 + (13 * 3600 + 5 * 60 + 9) / 86400.0; // 13:05:09
constexpr double kAm = kNov23 + (9 * 3600 + 7 * 60 + 3) / 86400.0; // 09:07:03
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

// The bytes the file writer's writer gives for one value.
QByteArray Latin1(const QString& pattern, double value) {
    QByteArray bytes("x");
    ui::Latin1Writer(pattern).append(bytes, value);
    return bytes.mid(1);
}

void AddRows(std::initializer_list<Case> cases) {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("comma");
    for (const Case& c : cases)
        QTest::addRow("%s | %.17g%s", c.pattern, c.value, c.comma ? " | comma" : "")
            << QString::fromUtf8(c.pattern) << c.value << QString::fromUtf8(c.expected) << c.comma;
}
} // namespace

class FormatTest : public QObject {
    Q_OBJECT
    QLocale saved_;
private slots:
    void initTestCase() { saved_ = QLocale(); }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(saved_); }

    // Every number and date pattern: positive, negative, zero, rounding half away from zero,
    // large; the negative section replaces the sign, so a negative that rounds to zero shows none.
    void patterns_data() {
        // clang-format off
        AddRows({
            {"####0;-###0", 5, "5"}, {"####0;-###0", -2.5, "-3"}, {"####0;-###0", -0.4, "0"},
            {"####0;-###0", 1e20, "100000000000000000000"},
            {"#####0.0;-###0.0", 12.34, "12.3"}, {"#####0.0;-###0.0", -12.35, "-12.4"},
            {"####0.0;-###0.0", 1234.56, "1234.6"}, {"####0.0;-###0.0", -0.96, "-1.0"},
            {"###0.0;-##0.0", 99.95, "100.0"}, {"###0.0;-##0.0", 0, "0.0"},
            {"###0.00;-##0.00", 2.675, "2.68"}, {"###0.00;-##0.00", 1.005, "1.01"},
            {"###0.00;-##0.00", -0.004, "0.00"}, {"###0.00;-##0.00", 123456789.987, "123456789.99"},
            {"##0.00;-#0.00", 0.995, "1.00"}, {"##0.00;-#0.00", -3.14159, "-3.14"},
            {"##0.000;-#0.000", 1.0005, "1.001"}, {"##0.000;-#0.000", -0.0005, "-0.001"},
            {"#0.000;-0.000", 0.1234, "0.123"}, {"#0.000;-0.000", -0.0004, "0.000"},
            {"#0.0000;-0.0000", 0.00005, "0.0001"}, {"#0.0000;-0.0000", -1.5, "-1.5000"},
            {"#,##0", 999.5, "1,000"}, {"#,##0", -1234, "-1,234"}, {"#,##0", 0, "0"},
            {"#,##0", 1e9, "1,000,000,000"},
            {"###0.##", 12, "12."}, {"###0.##", 12.345, "12.35"}, {"###0.##", 0.5, "0.5"},
            {"###0.##", 0.001, "0."}, {"###0.##", 9.999, "10."}, {"###0.##", -0.001, "0."},
            {"#####.########", 0.5, ".5"}, {"#####.########", 38412, "38412."},
            {"#####.########", 0, "."}, {"#####.########", 38412 + 1 / 864000.0, "38412.00000116"},
            {"###0.0", -5.25, "-5.3"}, {"###0.0", -0.01, "0.0"}, {"##0.00", -1.5, "-1.50"},
            {"######", 0.4, ""}, {"######", 0.5, "1"}, {"######", -7, "-7"},
            {"00", 5, "05"}, {"00", 0, "00"}, {"00", 123, "123"}, {"00", -5, "-05"},
            {"###0.00", kInf, "inf"}, {"###0.00", -kInf, "-inf"}, {"###0.00", kNan, "nan"},
            {"###0.##", 12, "12,", true}, {"###0.##", 12.5, "12,5", true},
            {"#####.########", 0.5, ",5", true}, {"#,##0", 1234567, "1.234.567", true},
            {"###0.00;-##0.00", -1.5, "-1,50", true},
            {"mm/dd/yy hh:mm:ss am/pm", kPm, "03/01/05 01:05:09 pm"},
            {"mm/dd/yy hh:mm:ss am/pm", kAm, "11/23/04 09:07:03 am"},
            {"dd/mm/yy hh:mm:ss", kPm, "01/03/05 13:05:09"},
            {"m/d/yy hh:mm:ss am/pm", kPm, "3/1/05 01:05:09 pm"},
            {"d/m/yy hh:mm:ss", kPm, "1/3/05 13:05:09"},
            {"m/d/yy", kAm, "11/23/04"}, {"d/m/yy", kPm, "1/3/05"},
            {"hh:mm:ss am/pm", kPm, "01:05:09 pm"}, {"hh:mm:ss", kPm, "13:05:09"},
            {"h:mm am/pm", kPm, "1:05 pm"}, {"h:mm", kAm, "9:07"}, {"h am/pm", kAm, "9 am"},
            {"   hh", kAm, "   09"}, {"mm/dd", kAm, "11/23"}, {"dd/mm", kPm, "01/03"},
            // midnight and noon on a 12-hour clock
            {"hh:mm:ss am/pm", kMar1, "12:00:00 am"}, {"h:mm", kMar1, "0:00"},
            {"h am/pm", kMar1 + 0.5, "12 pm"},
            // 23:59:59.6 on 31 December 2004 rounds to midnight of the new year
            {"dd/mm/yy hh:mm:ss", 38352 + 86399.6 / 86400, "01/01/05 00:00:00"},
            {"dd/mm/yy hh:mm:ss", -1.25, "29/12/99 06:00:00"}, {"m/d/yy", kNan, "12/30/99"},
            // a leap day; a serial past the calendar's end stops at its last second
            {"d/m/yy", 36585.75, "29/2/00"}, {"yyyy-mm-ddThh:mm:ss.0", 1e300, "9999-12-31T23:59:59.0"},
            // tenths of a second, rounded to the nearest: 13:05:09.26 and 23:59:59.96
            {"yyyy-mm-ddThh:mm:ss.0", kPm + 0.26 / 86400, "2005-03-01T13:05:09.3"},
            {"mm/dd/yy hh:mm:ss.0 am/pm", 38352 + 86399.96 / 86400, "01/01/05 12:00:00.0 am"},
        });
        // clang-format on
    }
    void patterns() {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QFETCH(bool, comma);
        if (comma) QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(ui::Format(value, pattern), expected);
        QCOMPARE(ui::Format(Number(value), pattern), expected);
        QCOMPARE(ui::Format(Number(), pattern), QString());
        QCOMPARE(Latin1(pattern, value), expected.toLatin1());
    }

    // Str keeps a blank for the sign and a period in every locale; PlainText has no sign
    // position and takes the locale's separator (here a comma).
    void str() {
        // clang-format off
        const struct {
            double value;
            const char *str, *plainComma;
        } cases[] = {
            {5, " 5", "5"}, {-0.25, "-0.25", "-0,25"}, {0, " 0", "0"}, {0.1 + 0.2, " 0.3", "0,3"},
            {2.0 / 3, " 0.666666666666667", "0,666666666666667"}, {1e15, " 1E+15", "1E+15"},
            {1e14, " 100000000000000", "100000000000000"}, {-1.5e-7, "-1.5E-07", "-1,5E-07"}};
        // clang-format on
        for (const auto& c : cases) {
            QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
            QCOMPARE(ui::PlainText(c.value), QString(c.plainComma).replace(u',', u'.'));
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
            QCOMPARE(ui::Str(c.value), QString(c.str));
            QCOMPARE(ui::PlainText(c.value), QString(c.plainComma));
        }
        QByteArray period; // a writer for another locale than the user's
        ui::Latin1Writer("0.0#", QLocale::c()).append(period, 1234.5);
        QCOMPARE(period, QByteArray("1234.5"));
    }

    // The leading-number parse: blanks, tabs and line feeds skipped anywhere, sign, digits, one
    // period, an exponent with E or D; the first other character ends it; no number is 0.
    void val() {
        // clang-format off
        const std::pair<QString, double> cases[] = {
            {"", 0}, {"  abc", 0}, {"  -  1 2 . 5 e 1", -125}, {"\t1\n2", 12}, {"\r12", 0},
            {"+5", 5}, {"+-5", 0}, {"12,5", 12}, {"1.2.3", 1.2}, {"-.5", -0.5}, {".", 0},
            {"-", 0}, {"1E3", 1000}, {"1d3", 1000}, {"1D-2", 0.01}, {"2.5e+2", 250}, {"1e+", 1},
            {"e5", 0}, {"12abc", 12}, {"1e400", DBL_MAX}, {"-1e400", -DBL_MAX}, {"1e-400", 0},
            {"0e99999", 0}, {"1" + QString(400, u'0') + "e-400", 1},
            {QString(100000, u'9'), DBL_MAX},
            // a tab is skipped like a blank, so a data line must be split before parsing
            {"38412.5\t12.", 38412.512},
        };
        // clang-format on
        for (const auto& [text, expected] : cases)
            QVERIFY2(ui::Val(text) == expected, qPrintable(text.left(20)));
    }
};
VESTO_TEST(FormatTest)
#include "tst_format.moc"
