#include "graph/canvas/PictureBox.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"
#include "ui/Pointer.h"
#include "ui/Twips.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class MainWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ScopedWorkDir> dir;
    std::unique_ptr<MainWindowFixture> fx;
    QStringList calls; // the procedures start-up, resizing and closing called, in order

private slots:
    void init() {
        dir = std::make_unique<ScopedWorkDir>();
        fx = std::make_unique<MainWindowFixture>();
        calls.clear();
        using P = Log1::Procedures;
        // clang-format off
        for (auto [procedure, name] : {std::pair{&P::LoadLanguageAndSettings, "LoadLanguageAndSettings"},
                 {&P::ShowLanguageDialog, "ShowLanguageDialog"}, {&P::ApplyCaptions, "ApplyCaptions"},
                 {&P::mnuUsa_Click, "mnuUsa"}, {&P::mnuEur_Click, "mnuEur"}, {&P::DrawGraph, "DrawGraph"},
                 {&P::WriteSettingsFile, "WriteSettingsFile"}})
            fx->w->procedures.*procedure = [this, name] { calls << name; };
        // clang-format on
    }
    void cleanup() {
        fx.reset();
        dir.reset();
        ui::SetPointer(ui::Pointer::Default);
    }

    // Numbers with no start value are empty, and an empty number counts as 0.
    void emptyNumbers() {
        auto st = std::make_unique<AppState>();
        QVERIFY(st->LoggerNumber.isEmpty() && st->DataSaved.isEmpty() &&
                st->LanguageIndex.isEmpty() && st->RecordCount.isEmpty());
        Number empty, sum;
        sum += 2.5;
        QVERIFY(empty + 5 == 5 && empty == 0 && !(empty < 0) && !(empty > 0));
        QVERIFY(!Number(0).isEmpty() && !sum.isEmpty() && sum == 2.5);
    }

    // Start-up calls its procedures in order (the language dialog while no language is chosen)
    // and starts the timers only at its end; the record commands wait for a record.
    void startUp() {
        Log1& w = *fx->w;
        QList<QTimer*> timers;
        for (int i = 1; i <= 11; ++i) timers << w.findChild<QTimer*>(QString("Timer%1").arg(i));
        bool idleDuringLoad = true;
        w.procedures.ApplyCaptions = [&] {
            calls << "ApplyCaptions";
            for (QTimer* t : timers) idleDuringLoad = idleDuringLoad && t && !t->isActive();
        };
        w.Load();
        QCOMPARE(calls, QStringList({"LoadLanguageAndSettings", "ShowLanguageDialog",
                                     "ApplyCaptions", "mnuEur"}));
        QVERIFY(idleDuringLoad && w.isVisible());
        for (QTimer* t : timers) QVERIFY(t->isActive());

        QVERIFY(!w.mnuSaveTXT->isEnabled() && !w.mnuPGraph->isEnabled() &&
                !w.mnuPData->isEnabled() && !w.mnuGClip->isEnabled() && w.mnuOpen->isEnabled());

        // The busy state does not nest: one EndBusy restores everything.
        BeginBusy(w);
        BeginBusy(w);
        QVERIFY(ui::IsHourglass() && w.busyMenus().size() == 7);
        for (QAction* menu : w.busyMenus()) QVERIFY(!menu->isEnabled());
        QVERIFY(w.mnuOpen->isEnabled()); // items inside the menus keep their own state
        EndBusy(w);
        QVERIFY(!ui::IsHourglass());
        w.mnuSetup->setVisible(true); // hidden items always read as disabled
        for (QAction* menu : w.busyMenus()) QVERIFY(menu->isEnabled());
    }

    // Only a loaded record (ProgressBar1 at 100) is redrawn; the plot takes 95% of the width
    // and 62% of the height.
    void resize() {
        Log1& w = *fx->w;
        w.Load();
        calls.clear();
        w.resize(800, 600);
        w.ProgressBar1->setValue(99);
        w.resize(700, 500);
        QVERIFY(calls.isEmpty());
        w.ProgressBar1->setValue(100);
        w.resize(900, 640);
        QCOMPARE(calls, QStringList("DrawGraph"));
        QCOMPARE(w.Picture1->size(),
                 QSize(ui::TwipsToPixels(0.95 * 900 * 15), ui::TwipsToPixels(0.62 * 640 * 15)));
    }

    // The window opens where it was left, maximised too; one left on no screen there is now
    // comes back centred.
    void placeKept() {
        const auto restart = [this](const QRect& left, bool maximized) {
            fx->w->setGeometry(left);
            if (maximized) fx->w->showMaximized();
            fx->w->close();
            fx = std::make_unique<MainWindowFixture>();
            fx->load();
            return fx->w->isMaximized() ? QRect() : fx->w->geometry();
        };
        fx->load();
        const QRect screen = fx->w->screen()->availableGeometry(), left(40, 30, 650, 470);
        QCOMPARE(restart(left, false), left);
        const QRect centred = left.translated(screen.center() - left.center());
        QCOMPARE(restart(left.translated(screen.width() + 200, 0), false), centred);
        QCOMPARE(restart(left, true), QRect());
    }

    // The unsaved-data question (string 143, title 74, Cancel the default) comes only with a
    // record loaded or under way (ProgressBar1 above 0) and not saved; -1: no question.
    void closeRequest_data() {
        QTest::addColumn<int>("progress");
        QTest::addColumn<double>("dataSaved");
        QTest::addColumn<int>("answer"); // Cancel keeps the window
        QTest::newRow("right after start asks nothing") << 0 << 0.0 << -1;
        QTest::newRow("unsaved record, Cancel keeps the window") << 100 << 0.0 << int(ui::Cancel);
        QTest::newRow("unsaved record, OK ends") << 100 << 0.0 << int(ui::Ok);
        QTest::newRow("saved record asks nothing") << 100 << 1.0 << -1;
        QTest::newRow("transfer under way, Cancel") << 40 << 0.0 << int(ui::Cancel);
    }
    void closeRequest() {
        QFETCH(int, progress);
        QFETCH(double, dataSaved);
        QFETCH(int, answer);
        const bool closes = answer != ui::Cancel;
        Log1& w = *fx->w;
        fx->st->LangText[143][1] = QStringLiteral("Data not saved. Exit anyway?");
        fx->st->LangText[74][1] = QStringLiteral("Unsaved data");
        w.procedures.LoadLanguageAndSettings = [this] { fx->st->LanguageIndex = 1; };
        w.Load();
        w.ProgressBar1->setValue(progress);
        fx->st->DataSaved = dataSaved;
        PromptScript script;
        if (answer >= 0) script.message("Data not saved", ui::Answer(answer));
        QSignalSpy ended(&w, &Log1::ended);
        calls.clear();
        QCOMPARE(w.close(), closes);
        QVERIFY2(script.finished(), qPrintable(script.report()));
        const PromptScript::Seen asked = script.seen().value(0);
        QVERIFY(answer < 0 ||
                (asked.title == "Unsaved data" && asked.defaultButton == 2 &&
                 asked.buttons == ui::Buttons::OkCancel && asked.icon == ui::Icon::Critical));
        QCOMPARE(ended.count(), closes ? 1 : 0);
        QCOMPARE(calls, closes ? QStringList("WriteSettingsFile") : QStringList());
        QCOMPARE(w.Timer1->isActive() && w.isVisible(), !closes);
    }
};

VESTO_TEST(MainWindowTest)
#include "tst_mainwindow.moc"
