#include "lang/Language.h"
#include "lang/LanguageFile.h"
#include "lang/langfrm.h"
#include "shell/SettingsFile.h"
#include "shell/about2.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/Pty.h"
#include "support/TestRegistry.h"
#include "ui/DateSerial.h"
#include "ui/Format.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

using TextOf = std::function<QString(int)>;

// Languages 1..count; string s of language l reads "l-s", menu captions with a keyboard letter.
QByteArray LanguageFile(int count) {
    QByteArray bytes = QByteArray::number(count) + ",152\r\n";
    for (int l = 1; l <= count; ++l) bytes += "\"Name " + QByteArray::number(l) + "\",";
    for (int l = 1; l <= count; ++l) bytes += "help" + QByteArray::number(l) + ".hlp,";
    for (int s = 1; s <= 152; ++s)
        for (int l = 1; l <= count; ++l)
            bytes += (s >= 20 && s <= 41 ? "\"&" : "\"") + QByteArray::number(l) + "-" +
                     QByteArray::number(s) + "\"\r\n";
    return bytes;
}
TextOf Generated(int l) {
    return [l](int s) { return QString(s >= 20 && s <= 41 ? "&%1-%2" : "%1-%2").arg(l).arg(s); };
}

QByteArray Settings(double language, double usDate) {
    SettingsData d;
    d.CommPort = 1;
    d.LanguageIndex = language;
    d.UsDateFormat = usDate;
    return FormatSettings(d);
}

QString CaptionOf(QObject* o) {
    if (auto* a = qobject_cast<QAction*>(o)) return a->text();
    if (auto* l = qobject_cast<QLabel*>(o)) return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(o)) return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(o)) return g->title();
    return qobject_cast<QWidget*>(o)->windowTitle();
}

// Every caption that the language sets, on the main window and in the About box.
void CheckCaptions(Log1& w, const TextOf& text) {
    const QList<std::pair<const char*, int>> main = {{"mnuFile", 20},
                                                     {"mnuSaveTXT", 21},
                                                     {"mnuOpen", 22},
                                                     {"mnuPGraph", 23},
                                                     {"mnuPData", 24},
                                                     {"mnuGClip", 25},
                                                     {"mnuLang", 141},
                                                     {"mnuExit", 30},
                                                     {"mnuSetTime", 31},
                                                     {"mnuDownload", 32},
                                                     {"mnuPort", 33},
                                                     {"mnuFuncWEN", 34},
                                                     {"mnudegF", 35},
                                                     {"mnudegC", 36},
                                                     {"mnuFuncTREL", 34},
                                                     {"mnuScale", 37},
                                                     {"mnuDate", 38},
                                                     {"mnuUsa", 39},
                                                     {"mnuEur", 40},
                                                     {"mnuHelp", 41},
                                                     {"mnuHelpAbout", 44},
                                                     {"Label5", 17},
                                                     {"Label23", 19},
                                                     {"Command2", 49},
                                                     {"Command3", 50},
                                                     {"Frame2", 45},
                                                     {"Label33", 46},
                                                     {"Label32", 47},
                                                     {"Label27", 48},
                                                     {"Label8", 68},
                                                     {"", 1},
                                                     {"Label28", 68},
                                                     {"Label24", 19}};
    for (auto [name, s] : main) {
        QObject* o = *name ? static_cast<QObject*>(w.findChild<QAction*>(name)) : &w;
        if (!o) o = w.centralWidget()->findChild<QWidget*>(name);
        QVERIFY2(o, name);
        QCOMPARE(CaptionOf(o), text(s));
    }
    auto* about = w.findChild<about2*>();
    QVERIFY(about && !about->isVisible());
    const QList<std::pair<const char*, int>> aboutRows = {
        {"", 44},      {"Label1", 1},  {"Label2", 2},  {"Label10", 3},
        {"Label3", 4}, {"Label4", 5},  {"Label5", 6},  {"Label6", 7},
        {"Label7", 8}, {"Label11", 9}, {"Label9", 11}, {"Command1", 120}};
    for (auto [name, s] : aboutRows) {
        QObject* o = *name ? about->findChild<QWidget*>(name) : about;
        QVERIFY2(o, name);
        QCOMPARE(CaptionOf(o), text(s));
    }
}

langfrm& Dialog(QDialog& d) {
    return static_cast<langfrm&>(d);
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Pty> line;
    std::unique_ptr<ScopedWorkDir> dir;

    std::unique_ptr<MainWindowFixture> Start(int languages, double language, double usDate = 1) {
        dir->write("loglango.txt", LanguageFile(languages));
        dir->write("loggerx.ini", Settings(language, usDate));
        auto fx = std::make_unique<MainWindowFixture>();
        fx->w->Load();
        return fx;
    }

private slots:
    void init() {
        line = std::make_unique<Pty>();
        QVERIFY(line->isOpen());
        for (int port = 1; port <= 4; ++port)
            qputenv(QByteArray("VESTO_COM") + QByteArray::number(port),
                    line->slavePath().toLocal8Bit());
        dir = std::make_unique<ScopedWorkDir>();
    }
    void cleanup() {
        dir.reset();
        line.reset();
    }

    void optionsShown_data() {
        QTest::addColumn<int>("languages");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("named");
        QTest::newRow("one language: all eight") << 1 << 8 << 1;
        QTest::newRow("two") << 2 << 2 << 2;
        QTest::newRow("five") << 5 << 5 << 5;
        QTest::newRow("eight") << 8 << 8 << 8;
    }
    void optionsShown() {
        QFETCH(int, languages);
        QFETCH(int, shown);
        QFETCH(int, named);
        PromptScript script;
        auto fx = Start(languages, 1);
        QStringList captions;
        bool checkedFirst = false, cancelShown = false;
        QString title;
        script.modal("langfrm", [&](QDialog& d) {
            for (int k = 1; k <= 8; ++k)
                if (Dialog(d).option(k)->isVisible()) captions << Dialog(d).option(k)->text();
            checkedFirst = Dialog(d).Option1->isChecked() && !Dialog(d).Option2->isChecked();
            cancelShown = Dialog(d).Command2->isVisible();
            title = d.windowTitle();
            Dialog(d).Command2->click();
        });
        fx->w->mnuLang->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(captions.size(), shown);
        for (int k = 1; k <= shown; ++k)
            QCOMPARE(captions[k - 1], k <= named ? QString("Name %1").arg(k) : QString());
        QVERIFY(checkedFirst && cancelShown);
        QCOMPARE(title, QString("1-141"));
    }

    void menuChoice_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("language");
        QTest::newRow("OK on the third") << 3 << true << 3;
        QTest::newRow("Cancel after choosing the third") << 3 << false << 1;
        QTest::newRow("OK on the one in use") << 1 << true << 1;
    }
    void menuChoice() {
        QFETCH(int, option);
        QFETCH(bool, ok);
        QFETCH(int, language);
        PromptScript script;
        auto fx = Start(3, 1);
        CheckCaptions(*fx->w, Generated(1));
        script.modal("langfrm", [&](QDialog& d) {
            Dialog(d).option(option)->click();
            (ok ? Dialog(d).Command1 : Dialog(d).Command2)->click();
        });
        fx->w->mnuLang->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(fx->st->LanguageIndex.value(), double(language));
        CheckCaptions(*fx->w, Generated(language));
        QCOMPARE(fx->st->HelpFileName, QString("help%1.hlp").arg(language));
        QCOMPARE(QKeySequence::mnemonic(fx->w->mnuDownload->text()),
                 QKeySequence(Qt::ALT | Qt::Key(Qt::Key_0 + language)));
    }

    // Without a settings file the dialog must be answered with a language; the user's own
    // language file wins over the one built into the program.
    void firstStart_data() {
        QTest::addColumn<bool>("ownFile");
        QTest::newRow("own language file") << true;
        QTest::newRow("built-in language file") << false;
    }
    void firstStart() {
        QFETCH(bool, ownFile);
        if (ownFile) dir->write("loglango.txt", LanguageFile(2));
        PromptScript script;
        bool cancelHidden = false, noneChecked = true, okIgnored = false, escapeIgnored = false;
        QString okCaption;
        script.modal("langfrm", [&](QDialog& d) {
            langfrm& f = Dialog(d);
            cancelHidden = f.Command2->isHidden();
            okCaption = f.Command1->text();
            for (int k = 1; k <= 8; ++k) noneChecked = noneChecked && !f.option(k)->isChecked();
            f.Command1->click();
            okIgnored = f.isVisible();
            QTest::keyClick(&f, Qt::Key_Escape);
            escapeIgnored = f.isVisible();
            f.Option2->click();
            f.Command1->click();
        });
        MainWindowFixture fx;
        fx.w->Load();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QVERIFY(cancelHidden && noneChecked && okIgnored && escapeIgnored);
        QCOMPARE(okCaption, QString("OK"));
        QCOMPARE(fx.st->LanguageIndex.value(), 2.0);
        if (ownFile) {
            CheckCaptions(*fx.w, Generated(2));
        } else {
            QFile file(VESTO_SOURCE_DIR "/share/loglango.txt");
            QVERIFY(file.open(QIODevice::ReadOnly));
            LanguageTable shipped;
            QCOMPARE(ParseLanguageFile(file.readAll(), shipped), LanguageFileStatus::Complete);
            CheckCaptions(*fx.w, [&](int s) { return shipped.Text[s][2]; });
            QCOMPARE(fx.w->mnuFile->text(), QString("&Datei"));
        }
    }

    void statusPanelCaption() {
        auto fx = Start(2, 2);
        fx->w->Frame1->setTitle("before");
        ApplyCaptions(*fx->w);
        QCOMPARE(fx->w->Frame1->title(), QString("before"));
        fx->st->LoggerOnline = 1;
        fx->st->StatusLoggerNumber = 1234;
        ApplyCaptions(*fx->w);
        QCOMPARE(fx->w->Frame1->title(), QString("2-151 12342-152"));
        QCOMPARE(fx->st->ShownLoggerNumber.value(), 1234.0);
    }

    void mediumSpanAxis_data() {
        QTest::addColumn<bool>("us");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("order");
        QTest::newRow("Europe") << false << "14:07"
                                << "EUR";
        QTest::newRow("USA") << true << "2:07 pm"
                             << "US";
    }
    void mediumSpanAxis() {
        QFETCH(bool, us);
        QFETCH(QString, label);
        QFETCH(QString, order);
        auto fx = Start(1, 1, us ? 0 : 1);
        (us ? fx->w->mnuUsa : fx->w->mnuEur)->trigger();
        const double t = ui::DateSerial(2024, 3, 5) + (14 * 60 + 7) / 1440.0;
        QCOMPARE(ui::Format(t, fx->st->TimeFormatMin), label);
        QCOMPARE(fx->st->DateOrder, order);
        QCOMPARE(fx->st->UsDateFormat.value(), us ? 1.0 : 0.0);
        QCOMPARE(fx->w->mnuUsa->isChecked(), us);
        QCOMPARE(fx->w->mnuEur->isChecked(), !us);
    }

    void checkedItemAgain_data() {
        QTest::addColumn<int>("online");
        QTest::addColumn<int>("linkState");
        QTest::addColumn<int>("beeps");
        QTest::newRow("logger answers") << 1 << 0 << 1;
        QTest::newRow("transfer running") << 1 << 2 << 0;
        QTest::newRow("no logger") << 0 << 0 << 0;
    }
    void checkedItemAgain() {
        QFETCH(int, online);
        QFETCH(int, linkState);
        QFETCH(int, beeps);
        auto fx = Start(1, 1, 0);
        int draws = 0;
        fx->w->procedures.DrawGraph = [&draws] { ++draws; };
        fx->st->LoggerOnline = qint16(online);
        fx->st->LinkState = linkState;
        const QString patterns = fx->st->DateTimeFormatLong + fx->st->TimeFormatHour;
        PromptScript script;
        fx->w->mnuEur->trigger();
        QCOMPARE(script.beeps(), beeps);
        QCOMPARE(draws, 1);
        QVERIFY(fx->w->mnuEur->isChecked() && !fx->w->mnuUsa->isChecked());
        QCOMPARE(fx->st->DateTimeFormatLong + fx->st->TimeFormatHour, patterns);
        QCOMPARE(fx->st->UsDateFormat.value(), 0.0);
        QCOMPARE(fx->st->LinkState.value(), double(linkState));
    }

    // What the user chose in one run is there at the next start: language and date order.
    void restartRestoresChoices() {
        {
            PromptScript script;
            script.modal("langfrm", [](QDialog& d) {
                Dialog(d).Option2->click();
                Dialog(d).Command1->click();
            });
            auto fx = Start(2, 1, 1);
            fx->w->mnuLang->trigger();
            fx->w->mnuEur->trigger();
            fx->w->close();
            QVERIFY2(script.finished(), qPrintable(script.report()));
        }
        MainWindowFixture fx;
        fx.w->Load();
        QVERIFY(fx.w->mnuEur->isChecked() && !fx.w->mnuUsa->isChecked());
        QCOMPARE(fx.st->DateOrder, QString("Eur"));
        QCOMPARE(fx.st->TimeFormatHour, QString("   hh"));
        QCOMPARE(fx.st->DateFormat, QString("d/m/yy"));
        CheckCaptions(*fx.w, Generated(2));
    }
};

VESTO_TEST(LanguageTest)
#include "tst_language.moc"
