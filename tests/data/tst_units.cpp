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
    void codesAndTexts() {
        const QStringList texts{"degF", "degC",  "kOhm",  "Volt",  "Amp",
                                "% RH", "A rms", "V rms", "V rms "};
        const int codes[] = {1, 2, 3, 4, 5, 6, 7, 10, 11};
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(UnitTextOfCode(codes[i]), texts[i]);
            QCOMPARE(UnitCodeOfText(texts[i]), std::optional<int>(codes[i]));
        }
        for (double code : {0.0, 8.0, 9.0, 12.0, 4.5}) QVERIFY(UnitTextOfCode(code).isEmpty());
        for (const char* text : {"", "V", "volt", "V rms  ", " V rms", "degf"})
            QCOMPARE(UnitCodeOfText(QString::fromLatin1(text)), std::nullopt);
    }

    void rangeMenuActsAsARadioPair() {
        ScopedWorkDir dir;
        MainWindowFixture fx;
        fx.load();
        fx.st->RecordValue(1, 1) = 100.0f;
        // The second click is on the item already checked: nothing may change.
        for (QAction* item : {fx.w->mnu500v, fx.w->mnu500v, fx.w->mnu250v, fx.w->mnu500v}) {
            item->trigger();
            const QString range = item->text();
            QCOMPARE(fx.st->VoltageRange, range);
            QCOMPARE(fx.w->Label1->text(), range);
            QCOMPARE(fx.w->mnu250v->isChecked(), item == fx.w->mnu250v);
            QCOMPARE(fx.w->mnu500v->isChecked(), item == fx.w->mnu500v);
        }
        QCOMPARE(fx.st->RecordValue(1, 1), 100.0f); // the record keeps its scale
        ui::SetPointer(ui::Pointer::Default);
    }
};

VESTO_TEST(UnitsTest)
#include "tst_units.moc"
