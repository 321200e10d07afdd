#include "link/ClockFields.h"
#include "link/ReferenceClock.h"
#include "link/UpDown.h"
#include "link/frmTimeset.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"
#include "ui/DateSerial.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

Q_DECLARE_METATYPE(ClockFields)

namespace {

const char* const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};

QStringList texts(const frmTimeset& d) {
    return {d.Text1->text(), d.Text2->text(), d.Text3->text(),
            d.Text4->text(), d.Text5->text(), d.Text6->text()};
}

} // namespace

class ClockFieldsTest : public QObject {
    Q_OBJECT
private slots:
    void arrows_data() {
        QTest::addColumn<ClockFields>("before");
        QTest::addColumn<int>("field");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("tableYear");
        QTest::addColumn<ClockFields>("after");
        const ClockFields base{6, 15, 2023, 12, 30, 30};
        auto with = [](ClockFields f, int month, int day) {
            f.month = month;
            f.day = day;
            return f;
        };
        QTest::newRow("month down from 1")
            << with(base, 1, 15) << 1 << false << 2023 << with(base, 12, 15);
        QTest::newRow("month up from 12")
            << with(base, 12, 15) << 1 << true << 2023 << with(base, 1, 15);
        QTest::newRow("day down from 1 in April")
            << with(base, 4, 1) << 2 << false << 2023 << with(base, 4, 30);
        QTest::newRow("day up past April's end")
            << with(base, 4, 30) << 2 << true << 2023 << with(base, 4, 1);
        QTest::newRow("leap February has 29 days")
            << with(base, 2, 28) << 2 << true << 2024 << with(base, 2, 29);
        QTest::newRow("down from 1 to leap February's end")
            << with(base, 2, 1) << 2 << false << 2024 << with(base, 2, 29);
        QTest::newRow("common February has 28")
            << with(base, 2, 28) << 2 << true << 2023 << with(base, 2, 1);
        ClockFields f = base;
        f.year = 2024;
        QTest::newRow("year up") << base << 3 << true << 2023 << f;
        f = base;
        f.hour = 23;
        ClockFields g = base;
        g.hour = 0;
        QTest::newRow("hour down from 0") << g << 4 << false << 2023 << f;
        QTest::newRow("hour up from 23") << f << 4 << true << 2023 << g;
        f = base;
        f.minute = 59;
        g = base;
        g.minute = 0;
        QTest::newRow("minute up from 59") << f << 5 << true << 2023 << g;
        f = base;
        f.second = 0;
        g = base;
        g.second = 59;
        QTest::newRow("second down from 0") << f << 6 << false << 2023 << g;
    }
    void arrows() {
        QFETCH(ClockFields, before);
        QFETCH(int, field);
        QFETCH(bool, up);
        QFETCH(int, tableYear);
        QFETCH(ClockFields, after);
        StepClockField(before, static_cast<ClockField>(field), up, BuildMonthLengths(tableYear));
        QCOMPARE(before, after);
    }

    void tick_data() {
        QTest::addColumn<ClockFields>("before");
        QTest::addColumn<int>("tableYear");
        QTest::addColumn<ClockFields>("after");
        QTest::newRow("new year") << ClockFields{12, 31, 2023, 23, 59, 59} << 2023
                                  << ClockFields{1, 1, 2024, 0, 0, 0};
        QTest::newRow("into leap day")
            << ClockFields{2, 28, 2024, 23, 59, 59} << 2024 << ClockFields{2, 29, 2024, 0, 0, 0};
        QTest::newRow("no leap day")
            << ClockFields{2, 28, 2023, 23, 59, 59} << 2023 << ClockFields{3, 1, 2023, 0, 0, 0};
        QTest::newRow("end of April")
            << ClockFields{4, 30, 2023, 23, 59, 59} << 2023 << ClockFields{5, 1, 2023, 0, 0, 0};
        QTest::newRow("next hour")
            << ClockFields{7, 4, 2023, 12, 59, 59} << 2023 << ClockFields{7, 4, 2023, 13, 0, 0};
        QTest::newRow("day 31 moved to April becomes 30")
            << ClockFields{4, 31, 2023, 10, 0, 0} << 2023 << ClockFields{4, 30, 2023, 10, 0, 1};
        QTest::newRow("day 30 moved to February becomes 28")
            << ClockFields{2, 30, 2023, 10, 0, 0} << 2023 << ClockFields{2, 28, 2023, 10, 0, 1};
    }
    void tick() {
        QFETCH(ClockFields, before);
        QFETCH(int, tableYear);
        QFETCH(ClockFields, after);
        TickClock(before, BuildMonthLengths(tableYear));
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
        AppState& st = *fx->st;
        st.LanguageIndex = 1;
        for (int m = 0; m < 12; ++m) st.LangText[size_t(102 + m)][1] = QLatin1String(kMonths[m]);
        st.UsDateFormat = 1;
    }
    void cleanup() {
        fx.reset();
        dir.reset();
        ui::SetClockForTesting(nullptr);
    }

    void showsReferenceTimeAndRuns_data() {
        QTest::addColumn<int>("us");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("wordsAfter");
        QTest::newRow("US order") << 1 << "February  28,  2024"
                                  << "February  29,  2024";
        QTest::newRow("European order") << 0 << " 28 February  2024"
                                        << " 29 February  2024";
    }
    void showsReferenceTimeAndRuns() {
        QFETCH(int, us);
        QFETCH(QString, words);
        QFETCH(QString, wordsAfter);
        fx->st->UsDateFormat = us;
        frmTimeset& d = dialog();
        d.show();
        QCOMPARE(texts(d), (QStringList{"2", "28", "2024", "23", "59", "58"}));
        QCOMPARE(d.Label7->text(), words);
        QCOMPARE(d.Label8->text(), QStringLiteral(" 23:59:58"));
        QVERIFY(d.Timer1->isActive());
        QCOMPARE(d.Timer1->interval(), 1000);
        d.Timer1_Timer();
        d.Timer1_Timer();
        QCOMPARE(texts(d), (QStringList{"2", "29", "2024", "0", "0", "0"}));
        QCOMPARE(d.Label7->text(), wordsAfter);
        QCOMPARE(fx->st->ClockTimeText, QStringLiteral(" 0:00:00"));
        QCOMPARE(d.Label8->text(), QStringLiteral(" 0:00:00"));
    }

    void arrowsChangeOneFieldAndMonthTableStays() {
        frmTimeset& d = dialog();
        d.show();
        d.UpDown1->downButton->click(); // February -> January
        QCOMPARE(d.Text1->text(), QStringLiteral("1"));
        QCOMPARE(d.Label7->text(), QStringLiteral("February  28,  2024")); // until the next tick
        d.UpDown1->upButton->click();
        d.UpDown3->upButton->click(); // 2025, but the table was built for 2024
        d.UpDown2->upButton->click();
        QCOMPARE(texts(d), (QStringList{"2", "29", "2025", "23", "59", "58"}));
        d.UpDown2->upButton->click();
        QCOMPARE(d.Text2->text(), QStringLiteral("1"));
        d.UpDown4->downButton->click();
        d.UpDown5->upButton->click();
        d.UpDown6->downButton->click();
        QCOMPARE(texts(d), (QStringList{"2", "1", "2025", "22", "0", "57"}));
        d.Timer1_Timer();
        QCOMPARE(d.Label7->text(), QStringLiteral("February  1,  2025"));
        QCOMPARE(d.Label8->text(), QStringLiteral(" 22:00:58"));
        // Typed text is not read back.
        QVERIFY(d.Text3->isReadOnly());
    }

    void okKeepsOffsetAndReopenShowsReferenceTime() {
        AppState& st = *fx->st;
        frmTimeset& d = dialog();
        d.show();
        d.UpDown4->downButton->click(); // one hour behind the computer
        d.UpDown3->downButton->click(); // and one year
        d.Command2->click();
        QVERIFY(!d.isVisible());
        QCOMPARE(st.ClockSet, qint16(1));
        QCOMPARE(st.DownloadCancelled, qint16(0));
        QCOMPARE(st.ClockFromMenu, qint16(0));
        const double expected =
            ui::Now() - (ui::DateSerial(2023, 2, 28) + ui::TimeSerial(22, 59, 58));
        QVERIFY(qAbs(st.ClockOffset - expected) < 1e-9);
        pcTime = pcTime.addSecs(10);
        d.show();
        QCOMPARE(texts(d), (QStringList{"2", "28", "2023", "23", "0", "8"}));
    }

    void cancel_data() {
        QTest::addColumn<int>("fromMenu");
        QTest::addColumn<bool>("escape");
        QTest::addColumn<int>("cancelled");
        QTest::newRow("shown by a download") << 0 << false << 1;
        QTest::newRow("opened from the menu") << 1 << false << 0;
        QTest::newRow("Escape acts as Cancel") << 0 << true << 1;
    }
    void cancel() {
        QFETCH(int, fromMenu);
        QFETCH(bool, escape);
        QFETCH(int, cancelled);
        AppState& st = *fx->st;
        st.ClockFromMenu = qint16(fromMenu);
        st.ClockOffset = 0.25;
        frmTimeset& d = dialog();
        d.show();
        d.UpDown4->upButton->click();
        if (escape)
            QTest::keyClick(&d, Qt::Key_Escape);
        else
            d.Command3->click();
        QVERIFY(!d.isVisible());
        QCOMPARE(int(st.DownloadCancelled), cancelled);
        QCOMPARE(st.ClockFromMenu, qint16(0));
        QCOMPARE(st.ClockSet, qint16(0));
        QCOMPARE(st.ClockOffset.value(), 0.25);
    }

    void timeSetMenu_data() {
        QTest::addColumn<int>("linkState");
        QTest::addColumn<int>("suspended");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("timeBase");
        QTest::newRow("idle") << 0 << 0 << true << true;
        QTest::newRow("status exchange") << 1 << 0 << false << false;
        QTest::newRow("transfer") << 2 << 0 << false << false;
        QTest::newRow("no logger") << 0 << 1 << true << false;
    }
    void timeSetMenu() {
        QFETCH(int, linkState);
        QFETCH(int, suspended);
        QFETCH(bool, shown);
        QFETCH(bool, timeBase);
        AppState& st = *fx->st;
        st.LinkState = linkState;
        st.LinkSuspended = suspended;
        st.LoggerElapsed = 0.5;
        st.DateTimeFormatLong = QStringLiteral("mm/dd/yy hh:mm:ss");
        PromptScript script;
        int fromMenuSeen = -1;
        if (shown)
            script.modal("frmTimeset", [&](QDialog& d) {
                fromMenuSeen = st.ClockFromMenu;
                d.findChild<QPushButton*>("Command2")->click();
            });
        fx->w->mnuSetTime->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(st.ClockSet, qint16(shown ? 1 : 0));
        if (shown) QCOMPARE(fromMenuSeen, 1);
        QCOMPARE(fx->w->Label2->isVisibleTo(fx->w.get()), timeBase);
        if (timeBase) {
            // The offset is 0 (the time was confirmed as shown): the logger clock stood at zero
            // half a day before the computer's time.
            QVERIFY(qAbs(st.DownloadStart - (ui::Now() - 0.5)) < 1.0 / 86400);
            QCOMPARE(fx->w->Label2->text(), QStringLiteral("02/28/24 11:59:58"));
        }
    }
};

VESTO_TEST(ClockFieldsTest)
VESTO_TEST(ClockDialogTest)
#include "tst_clock.moc"
