#include "support/TestRegistry.h"
#include "ui/Format.h"
#include "ui/Number.h"

#include <QTest>

class NumberTest : public QObject {
    Q_OBJECT
private slots:
    void emptyActsAsZero() {
        Number n;
        QVERIFY(n.isEmpty());
        QCOMPARE(double(n + 5), 5.0);
        QVERIFY(n == 0);
        QCOMPARE(ui::Format(n, "###0.00"), QString());
    }
    void setNumberFormats() {
        Number n = 0.0;
        QVERIFY(!n.isEmpty());
        QCOMPARE(ui::Format(n, "###0.00"), QStringLiteral("0.00"));
        n += 2.5;
        QCOMPARE(n.value(), 2.5);
    }
};
VESTO_TEST(NumberTest)
#include "tst_placeholder.moc"
