#include "data/DecodeRecordBlocks.h"
#include "data/UnitCodes.h"
#include "support/Fixtures.h"
#include "support/TestRegistry.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QLabel>
#include <QTest>

class UnitsTest : public QObject {
    Q_OBJECT
private slots:
    void codesAndTexts_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("1") << 1 << "degF";
        QTest::newRow("2") << 2 << "degC";
        QTest::newRow("3") << 3 << "kOhm";
        QTest::newRow("4") << 4 << "Volt";
        QTest::newRow("5") << 5 << "Amp";
        QTest::newRow("6") << 6 << "% RH";
        QTest::newRow("7") << 7 << "A rms";
        QTest::newRow("10") << 10 << "V rms";
        QTest::newRow("11 ends in a blank") << 11 << "V rms ";
    }
    void codesAndTexts() {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(UnitTextOfCode(code), text);
        QCOMPARE(UnitCodeOfText(text), std::optional<int>(code));
    }

    void unknownCodesAndTexts() {
        for (double code : {0.0, 8.0, 9.0, 12.0, 4.5, -1.0})
            QVERIFY(UnitTextOfCode(code).isEmpty());
        for (const char* text : {"", "V", "volt", "V rms  ", " V rms", "degf", "% rh"})
            QCOMPARE(UnitCodeOfText(QString::fromLatin1(text)), std::nullopt);
    }

    void rangeMenuActsAsARadioPair() {
        ScopedWorkDir dir;
        MainWindowFixture fx;
        fx.w->Load();
        QCOMPARE(fx.st->VoltageRange, QStringLiteral("250 Volt"));
        fx.st->RecordValue(1, 1) = 100.0f;

        struct Step {
            QAction* item;
            const char* range;
        };
        // The second 500 V click is on the item already checked: nothing may change.
        for (const Step& step : {Step{fx.w->mnu500v, "500 Volt"}, Step{fx.w->mnu500v, "500 Volt"},
                                 Step{fx.w->mnu250v, "250 Volt"}}) {
            step.item->trigger();
            const bool low = QLatin1String(step.range) == QLatin1String("250 Volt");
            QCOMPARE(fx.st->VoltageRange, QString::fromLatin1(step.range));
            QCOMPARE(fx.w->Label1->text(), QString::fromLatin1(step.range));
            QCOMPARE(fx.w->mnu250v->isChecked(), low);
            QCOMPARE(fx.w->mnu500v->isChecked(), !low);
        }
        // The record in memory keeps its scale; the next decode takes the new one.
        QCOMPARE(fx.st->RecordValue(1, 1), 100.0f);
        fx.w->mnu500v->trigger();
        fx.st->DownloadBuffer = QByteArray(80, char(0xFF));
        fx.st->BankIndex = 1;
        fx.st->BankBlockCounts[1] = 1;
        fx.st->BlockCount = 1;
        DecodeRecordBlocks(*fx.st);
        QCOMPARE(fx.st->BlockValue[1], 511.5);
        QCOMPARE(fx.st->RecordValue(1, 1), 100.0f);
        QVERIFY(!fx.w->mnuScale->isVisible());
        ui::SetPointer(ui::Pointer::Default);
    }
};

VESTO_TEST(UnitsTest)
#include "tst_units.moc"
