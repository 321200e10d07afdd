#include "support/TestRegistry.h"
#include "ui/Parse.h"

#include <QTest>
#include <cfloat>

class ParseTest : public QObject {
    Q_OBJECT
private slots:
    void val_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        const auto row = [](const char* name, const QString& text, double expected) {
            QTest::newRow(name) << text << expected;
        };
        row("empty", "", 0);
        row("blanks only", "   ", 0);
        row("junk", "abc", 0);
        row("integer", "12", 12);
        row("blank between digits", " 1 2", 12);
        row("tab and line feed", "\t1\n2", 12);
        row("blanks everywhere", "  -  1 2 . 5 e 1", -125);
        row("carriage return stops", "\r12", 0);
        row("minus", "-5", -5);
        row("plus", "+5", 5);
        row("two signs", "+-5", 0);
        row("double minus", "--5", 0);
        row("comma stops", "12,5", 12);
        row("fraction", "12.5", 12.5);
        row("second point stops", "1.2.3", 1.2);
        row("leading point", ".5", 0.5);
        row("negative leading point", "-.5", -0.5);
        row("trailing point", "5.", 5);
        row("point alone", ".", 0);
        row("sign alone", "-", 0);
        row("leading zeros", "00120.5", 120.5);
        row("small", "0.000123", 0.000123);
        row("exponent e", "1e3", 1000);
        row("exponent E", "1E3", 1000);
        row("exponent d", "1d3", 1000);
        row("exponent D negative", "1D-2", 0.01);
        row("exponent plus", "2.5e+2", 250);
        row("exponent without digits", "1e", 1);
        row("exponent sign without digits", "1e+", 1);
        row("exponent then junk", "1ex", 1);
        row("no mantissa", "e5", 0);
        row("trailing text", "12abc", 12);
        // a tab is skipped like a blank, so a data line must be split before parsing
        row("tab joins fields", "38412.5\t12.", 38412.512);
        row("overflow", "1e400", DBL_MAX);
        row("negative overflow", "-1e400", -DBL_MAX);
        row("underflow", "1e-400", 0);
        row("endless exponent", "1e99999999999999999999", DBL_MAX);
        row("zero with huge exponent", "0e99999", 0);
        row("long mantissa scaled back", "1" + QString(400, u'0') + "e-400", 1);
        row("very long number", QString(100000, u'9'), DBL_MAX);
        row("very long fraction", "0." + QString(100000, u'0') + "1", 0);
        row("very long junk", QString(100000, u'x'), 0);
    }
    void val() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(ui::Val(text), expected);
    }
};
VESTO_TEST(ParseTest)
#include "tst_parse.moc"
