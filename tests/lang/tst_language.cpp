#include "lang/LanguageFile.h"
#include "lang/langfrm.h"
#include "shell/StringNumbers.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/Pty.h"
#include "support/TestRegistry.h"
#include "ui/DateSerial.h"
#include "ui/Format.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

using TextOf = std::function<QString(int)>;

// String s of language l reads "l-s", menu captions with a keyboard letter.
TextOf Generated(int l) {
    return [l](int s) { return QString(s >= 20 && s <= 41 ? "&%1-%2" : "%1-%2").arg(l).arg(s); };
}

// Languages 1..count with strings 1..strings as Generated gives them; `counts` replaces the
// first line.
QByteArray LanguageFile(int count, int strings = kLanguageStrings, QByteArray counts = {}) {
    QByteArray bytes =
        counts.isEmpty() ? QByteArray::number(count) + "," + QByteArray::number(strings) : counts;
    for (int l = 1; l <= count; ++l) bytes += ",\"Name " + QByteArray::number(l) + "\"";
    for (int l = 1; l <= count; ++l) bytes += ",help" + QByteArray::number(l) + ".hlp";
    for (int s = 1; s <= strings; ++s)
        for (int l = 1; l <= count; ++l) bytes += "\r\n\"" + Generated(l)(s).toLatin1() + "\"";
    return bytes + "\r\n";
}

LanguageTable Shipped() {
    LanguageTable table;
    QFile file(VESTO_SOURCE_DIR "/share/loglango.txt");
    if (!file.open(QIODevice::ReadOnly) ||
        ParseLanguageFile(file.readAll(), table) != LanguageFileStatus::Complete)
        table.LanguageCount = -1;
    return table;
}

// Every caption the language sets, "control:string" ("-" is the window's title), first on the
// main window, then ("@dialog") in each dialog, captioned before it is ever opened.
void CheckCaptions(Log1& w, const TextOf& text) {
    // clang-format off
    const QStringList captions = QString(
        "mnuFile:20 mnuSaveTXT:21 mnuOpen:22 mnuPGraph:23 mnuPData:24 mnuGClip:25 mnuEvents:%5 "
        "mnuCurves:%8 mnuReport:%11 "
        "mnuExportCSV:%6 mnuSaveGraph:%7 mnuLang:141 "
        "mnuExit:30 mnuSetTime:31 mnuDownload:32 mnuPort:33 mnuFuncWEN:34 mnudegF:35 mnudegC:36 "
        "mnuFuncTREL:34 mnuScale:37 mnuDate:38 mnuUsa:39 mnuEur:40 mnuHelp:41 mnuHelpAbout:44 "
        "Label5:17 Label23:19 Command2:49 Command3:50 Frame2:45 Label33:46 Label32:47 Label27:48 "
        "Label8:68 -:1 Label28:68 Label24:19 @about2 -:44 Label1:1 Label2:2 Label10:3 Label3:4 "
        "Label4:5 Label5:6 Label6:7 Label7:8 Label11:9 Label9:11 Command1:120 @frmTimeset -:95 "
        "Label9:94 Label1:96 Label2:97 Label3:98 Label4:99 Label5:100 Label6:101 Command3:119 "
        "Command2:120 @frmPort -:92 Label1:91 Option5:142 Command1:120 Command2:119 @Describe -:13 "
        "Label1:12 Label9:13 Label2:14 Label3:15 Label4:16 Command1:120 Command2:119 @PrintOpt "
        "-:116 Command1:117 Command2:118 Command3:119 @SaveOpt -:121 Command1:117 Command2:118 "
        "Command3:119 @ExportOpt -:121 Command1:117 Command2:118 Command3:119 @frmEvents "
        "-:%1 Command1:%2 Command2:%3 Command3:%4 Command4:%8 @frmCurves -:%9 Command1:%10 "
        "Command2:%3 Command3:%4")
        .arg(str::kEventsTitle).arg(str::kExportButton).arg(str::kPrintButton)
        .arg(str::kCloseButton).arg(str::kMenuEvents).arg(str::kMenuExportCsv)
        .arg(str::kMenuSaveGraph).arg(str::kMenuCurves).arg(str::kCurvesTitle)
        .arg(str::kSaveAsButton).arg(str::kMenuReport).split(' ');
    // clang-format on
    QWidget* owner = &w;
    for (const QString& caption : captions) {
        if (caption.startsWith('@')) {
            owner = w.findChild<QDialog*>(caption.mid(1), Qt::FindDirectChildrenOnly);
            QVERIFY2(owner && !owner->isVisible(), qPrintable(caption));
            continue;
        }
        const QString name = caption.section(':', 0, 0);
        QObject* o = name == "-"   ? static_cast<QObject*>(owner)
                     : owner == &w ? w.findChild<QAction*>(name)
                                   : nullptr;
        if (!o) o = (owner == &w ? w.centralWidget() : owner)->findChild<QWidget*>(name);
        QVERIFY2(o, qPrintable(caption));
        const char* property = o == owner                 ? "windowTitle"
                               : o->inherits("QGroupBox") ? "title"
                                                          : "text";
        const QString expected = text(caption.section(':', 1).toInt());
        QVERIFY2(!expected.isEmpty(), qPrintable(caption)); // the shipped file has every caption
        QCOMPARE(o->property(property).toString(), expected);
    }
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Pty> line;
    std::unique_ptr<ScopedWorkDir> dir;

private slots:
    void init() {
        line = std::make_unique<Pty>();
        qputenv("VESTO_COM1", line->slavePath().toLocal8Bit());
        dir = std::make_unique<ScopedWorkDir>();
    }
    void cleanup() {
        dir.reset();
        line.reset();
    }

    // The file's counts limit what is read: strings beyond the last read are empty, more than
    // eight languages read nothing; counts may come as quoted text.
    void readFile() {
        using enum LanguageFileStatus;
        // The file, how it reads, the languages read (the table starts with none), and the strings
        // 1..lastText of the last language read.
        const std::tuple<QByteArray, LanguageFileStatus, int, int> cases[] = {
            {LanguageFile(8, kLanguageStrings), Complete, 8, kLanguageStrings},
            {LanguageFile(9, 5), TooManyLanguages, 0, 0},
            {LanguageFile(1, kLanguageStrings + 1), TooManyStrings, 0, 0},
            {LanguageFile(2, 20).chopped(10), EndedEarly, 2, 19},
            {LanguageFile(3, 4, "\" 3.9\",\"4\""), Complete, 3, 4}}; // counts as texts
        for (const auto& [bytes, status, count, lastText] : cases) {
            const int last = std::max(count, 1);
            LanguageTable table;
            table.Text[kLanguageStrings][last] = "kept";
            QCOMPARE(ParseLanguageFile(bytes, table), status);
            QCOMPARE(int(table.LanguageCount), count);
            for (int s = 1; s <= kLanguageStrings; ++s)
                QCOMPARE(table.Text[s][last], s <= lastText           ? Generated(last)(s)
                                              : s == kLanguageStrings ? QString("kept")
                                                                      : QString());
        }
    }

    // The Language menu: the options shown (eight while the file has one language), then OK
    // changes every caption at once, Cancel nothing.
    void menuCommand_data() {
        QTest::addColumn<int>("languages");
        QTest::addColumn<int>("shown");  // options the dialog shows
        QTest::addColumn<int>("choice"); // option clicked, then OK (or Cancel when negative)
        QTest::newRow("one language: eight options") << 1 << 8 << -5;
        QTest::newRow("two languages, OK") << 2 << 2 << 2;
        QTest::newRow("three, Cancel changes nothing") << 3 << 3 << -3;
        QTest::newRow("eight, OK") << 8 << 8 << 8;
    }
    void menuCommand() {
        QFETCH(int, languages);
        QFETCH(int, shown);
        QFETCH(int, choice);
        const int language = std::max(choice, 1);
        PromptScript script;
        dir->write("loglango.txt", LanguageFile(languages));
        auto fx = std::make_unique<MainWindowFixture>();
        fx->load(); // English (language 1) settings
        QStringList captions, expected;
        for (int k = 1; k <= shown; ++k)
            expected << (k <= languages ? QString("Name %1").arg(k) : "");
        script.modal("langfrm", [&](QDialog& d) {
            auto& f = static_cast<langfrm&>(d);
            for (int k = 1; k <= 8; ++k)
                if (f.option(k)->isVisible()) captions << f.option(k)->text();
            f.option(std::abs(choice))->click();
            (choice > 0 ? f.Command1 : f.Command2)->click();
        });
        fx->w->mnuLang->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(captions, expected);
        QCOMPARE(fx->st->LanguageIndex.value(), double(language));
        CheckCaptions(*fx->w, Generated(language));
    }

    // A first start in an empty folder asks for a language: no Cancel, Enter and Escape do
    // nothing until an option is chosen. The settings written at the close (in the per-user
    // folder, the working directory holding neither file) bring the choices back at the next
    // start. That a language file in the working directory wins shows in the menu command's
    // cases. The same with the default settings the installed program copies for a new user.
    void firstStartAndRestart() {
        const LanguageTable shipped = Shipped();
        const TextOf german = [&shipped](int s) { return shipped.Text[s][2]; };
        for (const bool installed : {false, true}) {
            dir.reset();
            dir = std::make_unique<ScopedWorkDir>();
            const QString settingsPath = dir->configPath() + "/vesto-logger/loggerx.ini";
            if (installed)
                QVERIFY(QDir().mkpath(dir->configPath() + "/vesto-logger") &&
                        QFile::copy(VESTO_SOURCE_DIR "/share/loggerx.ini", settingsPath));
            PromptScript script;
            // The installed program on a computer without its port: told so in the file's first
            // language before the language is asked.
            if (installed) {
                qputenv("VESTO_COM1", "/nonexistent/ttyS0");
                script.message(shipped.Text[59][1], ui::Ok);
                script.modal("frmPort", [](QDialog& d) { d.reject(); });
            }
            bool firstLook = false;
            // The desktop's language is selected when the file has it, and Enter takes it (the
            // suite runs this under LANG=de_DE.UTF-8 too); else (C, ja_JP) Enter and Escape do
            // nothing.
            const QString desktop = QLocale().language() == QLocale::German ? "Deutsch" : "";
            script.modal("langfrm", [&](QDialog& d) {
                auto& f = static_cast<langfrm&>(d);
                firstLook = f.Command2->isHidden() && f.Command1->text() == "OK";
                for (int k = 1; k <= 8; ++k)
                    firstLook =
                        firstLook && f.option(k)->isChecked() ==
                                         (!desktop.isEmpty() && f.option(k)->text() == desktop);
                QTest::keyClick(&f, Qt::Key_Return);
                QTest::keyClick(&f, Qt::Key_Escape);
                firstLook = firstLook && f.isVisible() == desktop.isEmpty();
                f.Option2->click();
                f.Command1->click();
            });
            {
                MainWindowFixture fx;
                fx.w->Load();
                QVERIFY2(script.finished() && firstLook, qPrintable(script.report()));
                CheckCaptions(*fx.w, german);
                fx.w->mnuEur->trigger();
                fx.w->close();
            }
            qputenv("VESTO_COM1", line->slavePath().toLocal8Bit());
            QVERIFY(!QFile::exists(dir->file("loggerx.ini")));
            QFile written(settingsPath);
            QVERIFY(written.open(QIODevice::ReadOnly));
            const QByteArray settings = written.readAll();
            QCOMPARE(settings.count("\r\n"), 82);
            QVERIFY(settings.contains("\"language =  2\"\r\n\"baud =  4800\""));
            // Empty probe values and eight empty unit texts.
            QVERIFY(settings.contains(",,,\r\n,,,,,,,\r\n"));
            QVERIFY(installed ||
                    settings.endsWith(",,,,,,,\r\n\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));
        }

        MainWindowFixture fx;
        fx.w->Load();
        CheckCaptions(*fx.w, german);
        QVERIFY(fx.w->mnuEur->isChecked() && !fx.w->mnuUsa->isChecked());
        // A medium-span time label in each order; the item already checked, chosen again, still
        // redraws.
        int draws = 0;
        fx.w->procedures.DrawGraph = [&draws] { ++draws; };
        const double t = ui::DateSerial(2024, 3, 5) + ui::TimeSerial(14, 7, 0);
        QCOMPARE(ui::Format(t, fx.st->TimeFormatMin), QString("14:07"));
        fx.w->mnuEur->trigger();
        QCOMPARE(draws, 1);
        QVERIFY(fx.w->mnuEur->isChecked() && fx.st->DateFormat == "d/m/yy");
        fx.w->mnuUsa->trigger();
        QCOMPARE(ui::Format(t, fx.st->TimeFormatMin), QString("2:07 pm"));
        QVERIFY(fx.w->mnuUsa->isChecked() && !fx.w->mnuEur->isChecked());
        QCOMPARE(fx.st->DateOrder + fx.st->DateFormat, QString("USm/d/yy"));
    }
};

VESTO_TEST(LanguageTest)
#include "tst_language.moc"
