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

// String s of language l reads "l-s", menu captions with a keyboard letter.
TextOf Generated(int l) {
    return [l](int s) { return QString(s >= 20 && s <= 41 ? "&%1-%2" : "%1-%2").arg(l).arg(s); };
}

// Languages 1..count, each string as Generated gives it.
QByteArray LanguageFile(int count) {
    QByteArray bytes = QByteArray::number(count) + ",152\r\n";
    for (int l = 1; l <= count; ++l) bytes += "\"Name " + QByteArray::number(l) + "\",";
    for (int l = 1; l <= count; ++l) bytes += "help" + QByteArray::number(l) + ".hlp,";
    for (int s = 1; s <= 152; ++s)
        for (int l = 1; l <= count; ++l) bytes += "\"" + Generated(l)(s).toLatin1() + "\"\r\n";
    return bytes;
}

// Every caption that the language sets, on the main window and in the About box: "name string"
// pairs, "-" standing for the window's title.
void CheckCaptions(Log1& w, const TextOf& text) {
    const QStringList main =
        QString("mnuFile 20 mnuSaveTXT 21 mnuOpen 22 mnuPGraph 23 mnuPData 24 mnuGClip 25 "
                "mnuLang 141 mnuExit 30 mnuSetTime 31 mnuDownload 32 mnuPort 33 mnuFuncWEN 34 "
                "mnudegF 35 mnudegC 36 mnuFuncTREL 34 mnuScale 37 mnuDate 38 mnuUsa 39 "
                "mnuEur 40 mnuHelp 41 mnuHelpAbout 44 Label5 17 Label23 19 Command2 49 "
                "Command3 50 Frame2 45 Label33 46 Label32 47 Label27 48 Label8 68 - 1 "
                "Label28 68 Label24 19")
            .split(' ');
    for (int i = 0; i < main.size(); i += 2) {
        QObject* o = w.findChild<QAction*>(main[i]);
        if (!o) o = main[i] == "-" ? &w : w.centralWidget()->findChild<QWidget*>(main[i]);
        QVERIFY2(o, qPrintable(main[i]));
        const char* property = o == &w                    ? "windowTitle"
                               : o->inherits("QGroupBox") ? "title"
                                                          : "text";
        QCOMPARE(o->property(property).toString(), text(main[i + 1].toInt()));
    }
    auto* about = w.findChild<about2*>();
    QVERIFY(about && !about->isVisible()); // captioned before it is ever opened
    QCOMPARE(about->windowTitle(), text(44));
    const QList<QLabel*> lines = {about->Label1, about->Label2, about->Label10,
                                  about->Label3, about->Label4, about->Label5,
                                  about->Label6, about->Label7, about->Label11};
    for (int i = 0; i < lines.size(); ++i) QCOMPARE(lines[i]->text(), text(i + 1));
    QCOMPARE(about->Label9->text(), text(11));
    QCOMPARE(about->Command1->text(), text(120));
    // The other dialogs, captioned before they are ever opened: "dialog control string".
    const QStringList dialogs =
        QString("frmTimeset - 95 frmTimeset Label9 94 frmTimeset Label1 96 frmTimeset Label2 97 "
                "frmTimeset Label3 98 frmTimeset Label4 99 frmTimeset Label5 100 "
                "frmTimeset Label6 101 frmTimeset Command3 119 frmTimeset Command2 120 "
                "frmPort - 92 frmPort Label1 91 frmPort Option5 142 frmPort Command1 120 "
                "frmPort Command2 119 "
                "Describe - 13 Describe Label1 12 Describe Label9 13 Describe Label2 14 "
                "Describe Label3 15 Describe Label4 16 Describe Command1 120 "
                "Describe Command2 119 PrintOpt - 116 PrintOpt Command1 117 PrintOpt Command2 118 "
                "PrintOpt Command3 119 SaveOpt - 121 SaveOpt Command1 117 SaveOpt Command2 118 "
                "SaveOpt Command3 119")
            .split(' ');
    for (int i = 0; i < dialogs.size(); i += 3) {
        auto* dialog = w.findChild<QDialog*>(dialogs[i], Qt::FindDirectChildrenOnly);
        QVERIFY2(dialog && !dialog->isVisible(), qPrintable(dialogs[i]));
        QObject* o = dialogs[i + 1] == "-" ? static_cast<QObject*>(dialog)
                                           : dialog->findChild<QWidget*>(dialogs[i + 1]);
        QVERIFY2(o, qPrintable(dialogs[i] + ' ' + dialogs[i + 1]));
        QCOMPARE(o->property(o == dialog ? "windowTitle" : "text").toString(),
                 text(dialogs[i + 2].toInt()));
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
        SettingsData settings;
        settings.CommPort = 1;
        settings.LanguageIndex = language;
        settings.UsDateFormat = usDate;
        dir->write("loglango.txt", LanguageFile(languages));
        dir->write("loggerx.ini", FormatSettings(settings));
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

    void menuCommand_data() {
        QTest::addColumn<int>("languages");
        QTest::addColumn<int>("shown");  // options the dialog shows
        QTest::addColumn<int>("choice"); // option clicked, then OK (or Cancel when negative)
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("online"); // a logger answers: the status panel names it
        QTest::newRow("one language: eight options") << 1 << 8 << -5 << 1 << false;
        QTest::newRow("two languages, OK") << 2 << 2 << 2 << 2 << true;
        QTest::newRow("three, Cancel changes nothing") << 3 << 3 << -3 << 1 << true;
        QTest::newRow("eight, OK") << 8 << 8 << 8 << 8 << false;
    }
    void menuCommand() {
        QFETCH(int, languages);
        QFETCH(int, shown);
        QFETCH(int, choice);
        QFETCH(int, language);
        QFETCH(bool, online);
        PromptScript script;
        auto fx = Start(languages, 1);
        fx->w->Frame1->setTitle("before");
        fx->st->LoggerOnline = online;
        fx->st->StatusLoggerNumber = 1234;
        QStringList captions;
        bool ready = false;
        script.modal("langfrm", [&](QDialog& d) {
            langfrm& f = Dialog(d);
            for (int k = 1; k <= 8; ++k)
                if (f.option(k)->isVisible()) captions << f.option(k)->text();
            ready = f.Option1->isChecked() && !f.Option2->isChecked() && f.Command2->isVisible() &&
                    f.windowTitle() == "1-141" && f.Command2->text() == "1-119";
            f.option(std::abs(choice))->click();
            (choice > 0 ? f.Command1 : f.Command2)->click();
        });
        fx->w->mnuLang->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QVERIFY(ready);
        QCOMPARE(captions.size(), shown);
        for (int k = 1; k <= shown; ++k)
            QCOMPARE(captions[k - 1], k <= languages ? QString("Name %1").arg(k) : QString());
        QCOMPARE(fx->st->LanguageIndex.value(), double(language));
        CheckCaptions(*fx->w, Generated(language));
        QCOMPARE(fx->st->HelpFileName, QString("help%1.hlp").arg(language));
        QCOMPARE(fx->w->Frame1->title(),
                 online ? QString("%1-151 1234%1-152").arg(language) : QString("before"));
        QCOMPARE(QKeySequence::mnemonic(fx->w->mnuDownload->text()),
                 QKeySequence(Qt::ALT | Qt::Key(Qt::Key_0 + language)));
    }

    // A first start in a folder without a settings file asks for a language; the user's own
    // language file wins over the one built into the program. The choices of the run, written at
    // the close (beside the language file, or in the per-user folder when the working directory
    // holds neither file), are there at the next start.
    void firstStartAndRestart_data() {
        QTest::addColumn<bool>("ownFile");
        QTest::newRow("own language file") << true;
        QTest::newRow("built-in language file") << false;
    }
    void firstStartAndRestart() {
        QFETCH(bool, ownFile);
        TextOf german = Generated(2);
        LanguageTable shipped;
        QFile file(VESTO_SOURCE_DIR "/share/loglango.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(ParseLanguageFile(file.readAll(), shipped), LanguageFileStatus::Complete);
        if (ownFile)
            dir->write("loglango.txt", LanguageFile(2));
        else
            german = [&shipped](int s) { return shipped.Text[s][2]; };
        PromptScript script;
        bool firstLook = false, okIgnored = false, escapeIgnored = false;
        script.modal("langfrm", [&](QDialog& d) {
            langfrm& f = Dialog(d);
            firstLook = f.Command2->isHidden() && f.Command1->text() == "OK";
            for (int k = 1; k <= 8; ++k) firstLook = firstLook && !f.option(k)->isChecked();
            f.Command1->click();
            okIgnored = f.isVisible();
            QTest::keyClick(&f, Qt::Key_Escape);
            escapeIgnored = f.isVisible();
            f.Option2->click();
            f.Command1->click();
        });
        {
            MainWindowFixture fx;
            fx.w->Load();
            QVERIFY2(script.finished(), qPrintable(script.report()));
            QVERIFY(firstLook && okIgnored && escapeIgnored);
            CheckCaptions(*fx.w, german);
            fx.w->mnuEur->trigger();
            fx.w->close();
        }
        const QString userFile = dir->configPath() + "/vesto-logger/loggerx.ini";
        QCOMPARE(QFile::exists(userFile), !ownFile);
        QCOMPARE(QFile::exists(dir->file("loggerx.ini")), ownFile);
        QFile written(ownFile ? dir->file("loggerx.ini") : userFile);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray settings = written.readAll();
        QCOMPARE(settings.count("\r\n"), 82);
        QVERIFY(settings.contains("\"language =  2\"\r\n\"baud =  4800\""));
        QVERIFY(settings.contains(",,,\r\n,,,,,,,\r\n"));
        QVERIFY(settings.endsWith(",,,,,,,\r\n\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));

        MainWindowFixture fx;
        fx.w->Load();
        CheckCaptions(*fx.w, german);
        QVERIFY(fx.w->mnuEur->isChecked() && !fx.w->mnuUsa->isChecked());
        QCOMPARE(fx.st->DateOrder, QString("Eur"));
        QCOMPARE(fx.st->DateFormat, QString("d/m/yy"));
        QVERIFY2(script.finished(), qPrintable(script.report()));
    }

    void dateCommands_data() {
        QTest::addColumn<bool>("startUs");
        QTest::addColumn<bool>("us");
        QTest::addColumn<int>("online");
        QTest::addColumn<int>("linkState");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("axisLabel"); // a medium-span time label
        QTest::newRow("to Europe") << true << false << 0 << 0 << 0 << "14:07";
        QTest::newRow("to USA") << false << true << 0 << 0 << 0 << "2:07 pm";
        QTest::newRow("Europe again, logger answers") << false << false << 1 << 0 << 1 << "14:07";
        QTest::newRow("USA again, transfer runs") << true << true << 1 << 2 << 0 << "2:07 pm";
    }
    void dateCommands() {
        QFETCH(bool, startUs);
        QFETCH(bool, us);
        QFETCH(int, online);
        QFETCH(int, linkState);
        QFETCH(int, beeps);
        QFETCH(QString, axisLabel);
        auto fx = Start(1, 1, startUs ? 1 : 0);
        int draws = 0;
        fx->w->procedures.DrawGraph = [&draws] { ++draws; };
        fx->st->LoggerOnline = qint16(online);
        fx->st->LinkState = linkState;
        PromptScript script;
        (us ? fx->w->mnuUsa : fx->w->mnuEur)->trigger();
        QCOMPARE(script.beeps(), beeps);
        QCOMPARE(draws, 1);
        const double t = ui::DateSerial(2024, 3, 5) + ui::TimeSerial(14, 7, 0);
        QCOMPARE(ui::Format(t, fx->st->TimeFormatMin), axisLabel);
        QCOMPARE(fx->st->DateOrder, QString(us ? "US" : "EUR"));
        QCOMPARE(fx->st->UsDateFormat.value(), us ? 1.0 : 0.0);
        QCOMPARE(fx->st->LinkState.value(), double(linkState));
        QVERIFY(fx->w->mnuUsa->isChecked() == us && fx->w->mnuEur->isChecked() == !us);
    }
};

VESTO_TEST(LanguageTest)
#include "tst_language.moc"
