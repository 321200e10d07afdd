#include "shell/AppState.h"
#include "support/TestRegistry.h"

#include <QTest>

class StateTest : public QObject {
    Q_OBJECT
private slots:
    void startValues() {
        auto st = std::make_unique<AppState>();
        // Values the program relies on before any start-up step has run.
        const QList<double> numbers = {
            st->LimitsConfirmed, st->FunctionCode,   st->FunctionScale,
            st->BaudRate,        st->GraphFontSize,  st->TitleFontSize,
            st->RestartPending,  double(st->Zoomed), double(st->ClockSet)};
        QCOMPARE(numbers, QList<double>({1, 1, 1, 4800, 9, 12, 0, 0, 0}));
        QCOMPARE(QStringList({st->UnitName, st->DateOrder, st->DateTimeFormatLong}),
                 QStringList({"V", "US", "mm/dd/yy hh:mm:ss am/pm"}));
        // Numbers with no start value are empty, not zero.
        QVERIFY(st->LoggerNumber.isEmpty() && st->DataSaved.isEmpty() &&
                st->LanguageIndex.isEmpty() && st->RecordCount.isEmpty());
    }

    void emptyNumberRules() {
        Number empty;
        QCOMPARE(double(empty + 5), 5.0);
        QVERIFY(empty == 0 && !(empty < 0) && !(empty > 0));
        Number sum = empty;
        sum += 2.5;
        QVERIFY(!sum.isEmpty() && sum == 2.5);
        QVERIFY(!Number(0).isEmpty());
    }

    // Three banks of 24540 readings: point(i) and (block, row) name the same storage.
    void blockAndRow_data() {
        QTest::addColumn<int>("reading");
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("row");
        for (auto [reading, block, row] : {std::tuple{1, 1, 1},
                                           {24540, 1, 24540},
                                           {24541, 2, 1},
                                           {49080, 2, 24540},
                                           {49081, 3, 1},
                                           {73620, 3, 24540}})
            QTest::addRow("%d", reading) << reading << block << row;
    }
    void blockAndRow() {
        QFETCH(int, reading);
        QFETCH(int, block);
        QFETCH(int, row);
        const BlockRow br = BlockRowOf(reading);
        QCOMPARE(QPoint(br.block, br.row), QPoint(block, row));
        RecordArray<double> values;
        values.point(reading) = 42.5;
        QCOMPARE(values(block, row), 42.5);
    }
};

VESTO_TEST(StateTest)
#include "tst_state.moc"
