#include "support/TestRegistry.h"
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
    }
};
VESTO_TEST(NumberTest)
#include "tst_placeholder.moc"
