#include "shell/AppState.h"
#include "support/TestRegistry.h"

#include <QTest>

class StateTest : public QObject {
    Q_OBJECT
private slots:
    void startValues() {
        auto st = std::make_unique<AppState>();
        // Values the program relies on before any start-up step has run.
        QCOMPARE(double(st->LimitsConfirmed), 1.0);
        QCOMPARE(double(st->RestartPending), 0.0);
        QCOMPARE(double(st->FunctionCode), 1.0);
        QCOMPARE(double(st->FunctionScale), 1.0);
        QCOMPARE(double(st->BaudRate), 4800.0);
        QCOMPARE(st->UnitName, QStringLiteral("V"));
        QCOMPARE(st->FunctionUnitName, QStringLiteral("V"));
        QCOMPARE(st->DateOrder, QStringLiteral("US"));
        QCOMPARE(st->DateTimeFormatLong, QStringLiteral("mm/dd/yy hh:mm:ss am/pm"));
        QCOMPARE(st->GraphFontName, QStringLiteral("Arial"));
        QCOMPARE(double(st->GraphFontSize), 9.0);
        QCOMPARE(double(st->TitleFontSize), 12.0);
        QCOMPARE(double(st->FooterFontSize), 8.0);
        QCOMPARE(double(st->PrintFontSize), 10.0);
        QCOMPARE(double(st->PrintTitleFontSize), 14.0);
        QCOMPARE(st->Zoomed, qint16(0));
        QCOMPARE(st->ClockSet, qint16(0));
        // Numbers with no start value are empty, not zero.
        QVERIFY(st->LoggerNumber.isEmpty());
        QVERIFY(st->DataSaved.isEmpty());
        QVERIFY(st->LanguageIndex.isEmpty());
        QVERIFY(st->HighLimitValue.isEmpty());
        QVERIFY(st->RecordCount.isEmpty());
        QVERIFY(st->GraphTitle.isEmpty());
        // Language 0 is empty until start-up gives string 120 its "OK".
        QVERIFY(st->LangText[120][0].isEmpty());
    }

    void emptyNumberRules() {
        Number empty;
        QVERIFY(empty.isEmpty());
        QCOMPARE(double(empty + 5), 5.0);
        QVERIFY(empty == 0);
        QVERIFY(!(empty < 0) && !(empty > 0));
        Number sum = empty;
        sum += 2.5;
        QVERIFY(!sum.isEmpty());
        QCOMPARE(double(sum), 2.5);
        Number zero = 0;
        QVERIFY(!zero.isEmpty());
        QVERIFY(zero == empty);
    }

    void blockAndRow_data() {
        QTest::addColumn<int>("reading");
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("row");
        QTest::newRow("first") << 1 << 1 << 1;
        QTest::newRow("end of bank 1") << 24540 << 1 << 24540;
        QTest::newRow("start of bank 2") << 24541 << 2 << 1;
        QTest::newRow("end of bank 2") << 49080 << 2 << 24540;
        QTest::newRow("start of bank 3") << 49081 << 3 << 1;
        QTest::newRow("last") << 73620 << 3 << 24540;
    }
    void blockAndRow() {
        QFETCH(int, reading);
        QFETCH(int, block);
        QFETCH(int, row);
        const BlockRow br = BlockRowOf(reading);
        QCOMPARE(br.block, block);
        QCOMPARE(br.row, row);
        // point(i) and (block, row) name the same storage.
        RecordArray<double> values;
        values.point(reading) = 42.5;
        QCOMPARE(values(block, row), 42.5);
    }

    void pointsDoNotOverlap() {
        // Every reading of a full record has storage of its own.
        RecordArray<float> values;
        for (int i = 1; i <= kMaxReadings; ++i) values.point(i) = float(i);
        for (int i = 1; i <= kMaxReadings; ++i)
            if (values.point(i) != float(i)) QFAIL(qPrintable(QString::number(i)));
        QCOMPARE(kMaxReadings, 73620);
    }

    void languageText() {
        auto st = std::make_unique<AppState>();
        st->LangText[57][2] = QStringLiteral("Drawing");
        st->LanguageIndex = 2;
        QCOMPARE(st->Text(57), QStringLiteral("Drawing"));
        QCOMPARE(st->Text(201), QString());
        st->LanguageIndex = 9;
        QCOMPARE(st->Text(57), QString());
        st->LanguageIndex = Number();
        st->LangText[120][0] = QStringLiteral("OK");
        QCOMPARE(st->Text(120), QStringLiteral("OK"));
    }
};

VESTO_TEST(StateTest)
#include "tst_state.moc"
