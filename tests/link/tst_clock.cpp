#include "link/ClockFields.h"
#include "link/UpDown.h"
#include "link/frmTimeset.h"
#include "support/Fixtures.h"
#include "support/TestRegistry.h"
#include "ui/DateSerial.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

Q_DECLARE_METATYPE(ClockFields)

namespace {

QStringList texts(const frmTimeset& d) {
    return {d.Text1->text(), d.Text2->text(), d.Text3->text(),
            d.Text4->text(), d.Text5->text(), d.Text6->text()};
}

} // namespace

class ClockFieldsTest : public QObject {
    Q_OBJECT
private slots:
    // The arrows wrap within their field; the running clock carries. The month lengths come
    // from the year the table was built for.
    void steps_data() {
        QTest::addColumn<ClockFields>("before");
        QTest::addColumn<int>("field"); // 0: one tick of the running clock
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("tableYear");
        QTest::addColumn<ClockFields>("after");
        using F = ClockFields;
        // clang-format off
        QTest::newRow("tick: new year") << F{12, 31, 2023, 23, 59, 59} << 0 << true << 2023 << F{1, 1, 2024, 0, 0, 0};
        QTest::newRow("tick: into leap day") << F{2, 28, 2024, 23, 59, 59} << 0 << true << 2024 << F{2, 29, 2024, 0, 0, 0};
        QTest::newRow("tick: day 31 moved to April becomes 30") << F{4, 31, 2023, 10, 0, 0} << 0 << true << 2023 << F{4, 30, 2023, 10, 0, 1};
        QTest::newRow("month down from 1") << F{1, 15, 2023, 12, 0, 0} << 1 << false << 2023 << F{12, 15, 2023, 12, 0, 0};
        QTest::newRow("day down from 1 in April") << F{4, 1, 2023, 12, 0, 0} << 2 << false << 2023 << F{4, 30, 2023, 12, 0, 0};
        QTest::newRow("leap February has 29 days") << F{2, 28, 2024, 12, 0, 0} << 2 << true << 2024 << F{2, 29, 2024, 12, 0, 0};
        QTest::newRow("year changed, table stays") << F{2, 28, 2025, 12, 0, 0} << 2 << true << 2024 << F{2, 29, 2025, 12, 0, 0};
        QTest::newRow("common February has 28") << F{2, 28, 2023, 12, 0, 0} << 2 << true << 2023 << F{2, 1, 2023, 12, 0, 0};
        // clang-format on
    }
    void steps() {
        QFETCH(ClockFields, before);
        QFETCH(int, field);
        QFETCH(bool, up);
        QFETCH(int, tableYear);
        QFETCH(ClockFields, after);
        if (field == 0)
            TickClock(before, BuildMonthLengths(tableYear));
        else
            StepClockField(before, ClockField(field), up, BuildMonthLengths(tableYear));
        QCOMPARE(before, after);
    }
};

class ClockDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScopedWorkDir> dir;
    std::unique_ptr<MainWindowFixture> fx;
    QDateTime pcTime;

    frmTimeset& dialog() { return FormOf<frmTimeset>(*fx->w); }

private slots:
    void init() {
        dir = std::make_unique<ScopedWorkDir>();
        fx = std::make_unique<MainWindowFixture>();
        pcTime = QDateTime(QDate(2024, 2, 28), QTime(23, 59, 58));
        ui::SetClockForTesting([this] { return pcTime; });
    }
    void cleanup() {
        fx.reset();
        dir.reset();
        ui::SetClockForTesting(nullptr);
    }

    // OK keeps the time shown as an offset from the computer's clock, which the dialog shows
    // again next time; Cancel keeps the old offset and calls off the download that showed it.
    void closing_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("fromMenu");
        QTest::addColumn<QList<int>>("setCancelled"); // ClockSet, DownloadCancelled
        QTest::newRow("OK") << "Command2" << 1 << QList<int>{1, 0};
        QTest::newRow("Cancel, shown by a download") << "Command3" << 0 << QList<int>{0, 1};
        QTest::newRow("Cancel, opened from the menu") << "Command3" << 1 << QList<int>{0, 0};
        QTest::newRow("Escape acts as Cancel") << "" << 0 << QList<int>{0, 1};
    }
    void closing() {
        QFETCH(QString, button);
        QFETCH(int, fromMenu);
        QFETCH(QList<int>, setCancelled);
        AppState& st = *fx->st;
        st.ClockFromMenu = qint16(fromMenu);
        st.ClockOffset = 0.25;
        frmTimeset& d = dialog();
        d.show(); // running, at the computer's time less the stored offset
        QCOMPARE(texts(d), (QStringList{"2", "28", "2024", "17", "59", "58"}));
        QVERIFY(d.Timer1->isActive() && d.Timer1->interval() == 1000);
        d.UpDown4->downButton->click(); // one hour behind the computer
        d.UpDown3->downButton->click(); // and one year
        if (button.isEmpty())
            QTest::keyClick(&d, Qt::Key_Escape);
        else
            d.findChild<QPushButton*>(button)->click();
        QVERIFY(!d.isVisible());
        QCOMPARE(QList<int>({st.ClockSet, st.DownloadCancelled, st.ClockFromMenu}),
                 setCancelled + QList<int>{0});
        // A year of 365 days and an hour further back.
        const double offset = setCancelled[0] ? 0.25 + 365 + 1.0 / 24 : 0.25;
        QVERIFY(qAbs(st.ClockOffset - offset) < 1e-9);
        pcTime = pcTime.addSecs(10);
        d.show();
        QCOMPARE(d.Text3->text(), setCancelled[0] ? "2023" : "2024");
        QCOMPARE(d.Text6->text(), "8");
    }
};

VESTO_TEST(ClockFieldsTest)
VESTO_TEST(ClockDialogTest)
#include "tst_clock.moc"
