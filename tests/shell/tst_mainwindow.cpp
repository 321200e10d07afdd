#include "graph/canvas/PictureBox.h"
#include "link/serial/MSComm1.h"
#include "shell/about2.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"
#include "ui/Pointer.h"
#include "ui/Twips.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// Records which procedures start-up, resizing and closing call, in order.
struct ProcedureLog {
    QStringList calls;
    void attach(Log1& w) {
        w.procedures.LoadLanguageAndSettings = [this] { calls << "LoadLanguageAndSettings"; };
        w.procedures.ShowLanguageDialog = [this] { calls << "ShowLanguageDialog"; };
        w.procedures.ApplyCaptions = [this] { calls << "ApplyCaptions"; };
        w.procedures.mnuUsa_Click = [this] { calls << "mnuUsa"; };
        w.procedures.mnuEur_Click = [this] { calls << "mnuEur"; };
        w.procedures.DrawGraph = [this] { calls << "DrawGraph"; };
        w.procedures.WriteSettingsFile = [this] { calls << "WriteSettingsFile"; };
    }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir = std::make_unique<ScopedWorkDir>();
        fx = std::make_unique<MainWindowFixture>();
        log = ProcedureLog();
        log.attach(*fx->w);
    }
    void cleanup() {
        fx.reset();
        dir.reset();
        ui::SetPointer(ui::Pointer::Default);
    }

    void controlsAtDesignPositions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<bool>("visible");
        auto row = [](const char* name, int l, int t, int w, int h, bool visible) {
            QTest::newRow(name) << QString::fromLatin1(name) << QRect(l, t, w, h) << visible;
        };
        row("Picture2", 240, 120, 1935, 615, true);
        row("Label28", 240, 480, 1695, 255, true);
        row("Label1", 240, 840, 1215, 255, true);
        row("Frame1", 2280, 0, 6615, 975, true);
        row("Label18", 0, 0, 2655, 255, false);
        row("Label8", 3120, 1800, 2895, 495, true);
        row("Label3", 1200, 2880, 1455, 375, false);
        row("Label20", 960, 1920, 1215, 255, false);
    }
    void controlsAtDesignPositions() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(bool, visible);
        fx->w->Load();
        auto* widget = fx->w->findChild<QWidget*>(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->geometry(),
                 ui::TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
        QCOMPARE(widget->isVisible(), visible);
    }

    void controlsExistWithStartVisibility_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("visible");
        for (const char* hidden :
             {"Frame2", "Label33", "Label32", "Label27", "Label24", "Label29", "Label30",
              "Label31", "Label40", "Command2", "Command3", "Label15", "Label14", "Label17",
              "Label16", "ProgressBar1", "Label25", "Label9", "Label10", "Label12", "Shape1",
              "Label22", "Label23", "Label4", "Label6", "Label21", "Label11", "Label26",
              "Label19", "Label34", "Label13", "Label5", "Label2"})
            QTest::newRow(hidden) << QString::fromLatin1(hidden) << false;
        for (const char* shown : {"Picture1", "Picture2", "Label28", "Label1", "Frame1", "Label8"})
            QTest::newRow(shown) << QString::fromLatin1(shown) << true;
    }
    void controlsExistWithStartVisibility() {
        QFETCH(QString, name);
        QFETCH(bool, visible);
        fx->w->Load();
        auto* widget = fx->w->findChild<QWidget*>(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->isVisible(), visible);
    }

    void statusLabelsLiveInFrame1() {
        fx->w->Load();
        for (const char* name : {"Label22", "Label23", "Label4", "Label6", "Label21", "Label11",
                                 "Label26", "Label19", "Label34", "Label13", "Label5", "Label2"}) {
            auto* label = fx->w->Frame1->findChild<QLabel*>(QLatin1String(name));
            QVERIFY2(label, name);
        }
        for (const char* name : {"Label33", "Label32", "Label27", "Label24", "Label29",
                                 "Label30", "Label31", "Label40"})
            QVERIFY2(fx->w->Frame2->findChild<QLabel*>(QLatin1String(name)), name);
        QVERIFY(fx->w->Label19->text().isEmpty());
        QVERIFY(fx->w->Label21->text().isEmpty());
    }

    void menus_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("visible");
        auto row = [](const char* name, const char* caption, bool visible) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption)
                                << visible;
        };
        row("mnuFile", "", true);
        row("mnuSaveTXT", "Save As .TXT", true);
        row("mnuOpen", "Open", true);
        row("mnuPGraph", "Print Graph", true);
        row("mnuPData", "Print Data", true);
        row("mnuGClip", "Graph to Clipboard", true);
        row("mnuLang", "Language", true);
        row("mnuvoltrange", "Voltage Range", true);
        row("mnu250v", "250 Volt", true);
        row("mnu500v", "500 Volt", true);
        row("mnuExit", "Exit", true);
        row("mnuSetTime", "&Time Set", true);
        row("mnuDownload", "&Download", true);
        row("mnuPort", "&Port", true);
        row("mnuFuncWEN", "Fu&nction", false);
        row("mnudegF", "degF", true);
        row("mnudegC", "degC", true);
        row("mnuvolt", "Volt", true);
        row("mnuOhm", "Ohm", true);
        row("mnuFuncTREL", "Fu&nction", false);
        row("func01", "", true);
        row("mnuSetup", "Setup", false);
        row("mnuScale", "&Scale", false);
        row("mnuDate", "Date Fr&mt", true);
        row("mnuUsa", "USA", true);
        row("mnuEur", "Europe", true);
        row("spacer1", "", true);
        row("spacer2", "", true);
        row("mnuHelp", "&Help", true);
        row("mnuHelpAbout", "About", true);
    }
    void menus() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, visible);
        fx->w->Load();
        auto* action = fx->w->findChild<QAction*>(name);
        QVERIFY2(action, qPrintable(name));
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->isVisible(), visible);
    }

    void menuBarOrder() {
        QStringList names;
        for (QAction* action : fx->w->menuBar()->actions()) names << action->objectName();
        QCOMPARE(names, QStringList({"mnuFile", "mnuSetTime", "mnuDownload", "mnuPort",
                                     "mnuFuncWEN", "mnuFuncTREL", "mnuSetup", "mnuScale",
                                     "mnuDate", "spacer1", "spacer2", "mnuHelp"}));
    }

    void recordCommandsDisabledAtStart() {
        fx->w->Load();
        for (QAction* item :
             {fx->w->mnuSaveTXT, fx->w->mnuPGraph, fx->w->mnuPData, fx->w->mnuGClip})
            QVERIFY(!item->isEnabled());
        QVERIFY(fx->w->mnuOpen->isEnabled());
    }

    void startupOrderAndValues() {
        // The settings reader could leave any baud rate and range text.
        fx->w->procedures.LoadLanguageAndSettings = [this] {
            log.calls << "LoadLanguageAndSettings";
            fx->st->BaudRate = 1200;
            fx->st->VoltageRange = QStringLiteral("300 Volt");
            fx->st->UsDateFormat = 0;
            fx->st->FahrenheitFlag = 1;
        };
        fx->w->Load();
        QCOMPARE(log.calls, QStringList({"LoadLanguageAndSettings", "ShowLanguageDialog",
                                         "ApplyCaptions", "mnuEur"}));
        QCOMPARE(double(fx->st->BaudRate), 4800.0);
        QCOMPARE(fx->w->MSComm1->settings(), QStringLiteral("4800,N,8,2"));
        QCOMPARE(fx->w->MSComm1->inputLen(), 0);
        QCOMPARE(fx->w->MSComm1->inBufferSize(), 32760);
        QCOMPARE(fx->st->VoltageRange, QStringLiteral("250 Volt"));
        QVERIFY(fx->w->mnu250v->isChecked());
        QVERIFY(!fx->w->mnu500v->isChecked());
        QCOMPARE(fx->w->Label1->text(), QStringLiteral("250 Volt"));
        QCOMPARE(fx->st->DateOrder, QStringLiteral("Eur"));
        QVERIFY(fx->w->mnudegF->isChecked());
        QVERIFY(!fx->w->mnudegC->isChecked());
        QCOMPARE(fx->st->LangText[120][0], QStringLiteral("OK"));
        QCOMPARE(double(fx->st->LinkStarted), 0.0);
        QVERIFY(fx->w->isVisible());
    }

    void startupWithChosenLanguageAndRange() {
        fx->w->procedures.LoadLanguageAndSettings = [this] {
            log.calls << "LoadLanguageAndSettings";
            fx->st->LanguageIndex = 3;
            fx->st->LangHelpFile[3] = QStringLiteral("help3.chm");
            fx->st->VoltageRange = QStringLiteral("500 Volt");
            fx->st->UsDateFormat = 1;
        };
        fx->w->Load();
        QCOMPARE(log.calls,
                 QStringList({"LoadLanguageAndSettings", "ApplyCaptions", "mnuUsa"}));
        QCOMPARE(fx->st->VoltageRange, QStringLiteral("500 Volt"));
        QVERIFY(fx->w->mnu500v->isChecked());
        QVERIFY(!fx->w->mnu250v->isChecked());
        QCOMPARE(fx->st->DateOrder, QStringLiteral("US"));
        QCOMPARE(fx->st->HelpFileName, QStringLiteral("help3.chm"));
        QVERIFY(!fx->w->mnudegF->isChecked());
        QVERIFY(fx->w->mnudegC->isChecked());
    }

    void timersStartOnlyAtTheEndOfStartup() {
        QList<QTimer*> timers;
        for (int i = 1; i <= 11; ++i) {
            auto* timer = fx->w->findChild<QTimer*>(QStringLiteral("Timer%1").arg(i));
            QVERIFY(timer);
            QVERIFY(!timer->isActive());
            timers << timer;
        }
        bool anyActiveDuringLoad = true;
        fx->w->procedures.ApplyCaptions = [&] {
            anyActiveDuringLoad = std::any_of(timers.begin(), timers.end(),
                                              [](QTimer* t) { return t->isActive(); });
        };
        fx->w->Load();
        QVERIFY(!anyActiveDuringLoad);
        const int intervals[] = {200, 200, 1000, 500, 10000, 200, 400, 10000, 2000, 2000, 1000};
        for (int i = 0; i < 11; ++i) {
            QVERIFY(timers[i]->isActive());
            QCOMPARE(timers[i]->interval(), intervals[i]);
        }
    }

    void busyStateTogglesMenusAndPointer() {
        fx->w->Load();
        BeginBusy(*fx->w);
        QVERIFY(ui::IsHourglass());
        for (QAction* menu : fx->w->busyMenus()) QVERIFY2(!menu->isEnabled(), qPrintable(menu->objectName()));
        QVERIFY(fx->w->mnuOpen->isEnabled()); // items inside the menus keep their own state
        BeginBusy(*fx->w); // does not nest: one EndBusy restores everything
        EndBusy(*fx->w);
        QVERIFY(!ui::IsHourglass());
        fx->w->mnuSetup->setVisible(true); // hidden items always read as disabled
        for (QAction* menu : fx->w->busyMenus()) QVERIFY(menu->isEnabled());
        QCOMPARE(fx->w->busyMenus().size(), 7);
    }

    void resizeRedrawsOnlyWithARecord() {
        fx->w->Load();
        log.calls.clear();
        fx->w->resize(800, 600);
        QVERIFY(!log.calls.contains("DrawGraph"));
        fx->w->ProgressBar1->setValue(100);
        fx->w->resize(900, 640);
        QCOMPARE(log.calls.count("DrawGraph"), 1);
        fx->w->ProgressBar1->setValue(99);
        fx->w->resize(700, 500);
        QCOMPARE(log.calls.count("DrawGraph"), 1);
    }

    void layoutRule() {
        fx->w->Load();
        fx->w->resize(900, 640);
        const double W = 900 * 15.0, H = 640 * 15.0;
        QCOMPARE(fx->w->Picture1->width(), ui::TwipsToPixels(0.95 * W));
        QCOMPARE(fx->w->Picture1->height(), ui::TwipsToPixels(0.62 * H));
        const int top = ui::TwipsToPixels(0.8 * H);
        QCOMPARE(fx->w->Command2->y(), top);
        QCOMPARE(fx->w->Command3->y(), top + 24);
        QCOMPARE(fx->w->Frame2->y(), top);
        QCOMPARE(fx->w->Label15->y(), top);
        QCOMPARE(fx->w->Label14->y(), top + 16);
        QCOMPARE(fx->w->Label16->y(), top + 16);
        QCOMPARE(fx->w->Label17->y(), top + 16);
        QCOMPARE(fx->w->ProgressBar1->y(), top + 32);
        // Nothing moves sideways.
        QCOMPARE(fx->w->Command2->x(), ui::TwipsToPixels(240));
        QCOMPARE(fx->w->ProgressBar1->x(), ui::TwipsToPixels(6240));
    }

    void closeRightAfterStartAsksNothing() {
        PromptScript script;
        fx->w->Load();
        QSignalSpy ended(fx->w.get(), &Log1::ended);
        QVERIFY(fx->w->close());
        QCOMPARE(ended.count(), 1);
        QVERIFY(log.calls.contains("WriteSettingsFile"));
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QVERIFY(script.seen().isEmpty());
        QVERIFY(!fx->w->Timer1->isActive());
    }

    void closeWithUnsavedRecord_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("cancel keeps the window") << int(ui::Cancel) << false;
        QTest::newRow("ok ends the program") << int(ui::Ok) << true;
    }
    void closeWithUnsavedRecord() {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        fx->st->LangText[143][1] = QStringLiteral("Data not saved. Exit anyway?");
        fx->st->LangText[74][1] = QStringLiteral("Unsaved data");
        fx->w->procedures.LoadLanguageAndSettings = [this] { fx->st->LanguageIndex = 1; };
        fx->w->Load();
        fx->w->ProgressBar1->setValue(100);
        fx->st->DataSaved = 0;
        PromptScript script;
        script.message(QStringLiteral("Data not saved"), ui::Answer(answer));
        QSignalSpy ended(fx->w.get(), &Log1::ended);
        log.calls.clear();
        QCOMPARE(fx->w->close(), closes);
        QVERIFY2(script.finished(), qPrintable(script.report()));
        const PromptScript::Seen& asked = script.seen().constFirst();
        QCOMPARE(asked.title, QStringLiteral("Unsaved data"));
        QCOMPARE(asked.buttons, ui::Buttons::OkCancel);
        QCOMPARE(asked.icon, ui::Icon::Critical);
        QCOMPARE(asked.defaultButton, 2);
        QCOMPARE(ended.count(), closes ? 1 : 0);
        QCOMPARE(log.calls.contains("WriteSettingsFile"), closes);
        QCOMPARE(fx->w->Timer1->isActive(), !closes);
    }

    void closeAfterSaveAsksNothing() {
        fx->w->Load();
        fx->w->ProgressBar1->setValue(100);
        fx->st->DataSaved = 1;
        PromptScript script;
        QVERIFY(fx->w->close());
        QVERIFY(script.seen().isEmpty());
    }

    void exitMenuRunsTheCloseRequest() {
        fx->w->Load();
        fx->w->ProgressBar1->setValue(40); // a transfer under way counts as unsaved data
        PromptScript script;
        script.message(QString(), ui::Cancel);
        fx->w->mnuExit->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QVERIFY(fx->w->isVisible());
    }

    void aboutBox() {
        fx->w->Load();
        QString notice;
        PromptScript script;
        script.modal(QStringLiteral("about2"), [&](QDialog& dialog) {
            auto& about = static_cast<about2&>(dialog);
            notice = about.Label8->text();
            QVERIFY(about.isVisible());
            about.Command1->click();
        });
        fx->w->mnuHelpAbout->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QVERIFY(!notice.isEmpty());
        QVERIFY(!FormOf<about2>(*fx->w).isVisible());
    }

private:
    std::unique_ptr<ScopedWorkDir> dir;
    std::unique_ptr<MainWindowFixture> fx;
    ProcedureLog log;
};

VESTO_TEST(MainWindowTest)
#include "tst_mainwindow.moc"
