#include "link/serial/MSComm1.h"
#include "shell/FileLocations.h"
#include "shell/RecordSyntax.h"
#include "shell/SettingsFile.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/Pty.h"
#include "support/TestRegistry.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

SettingsData Sample() {
    SettingsData d;
    d.CommPort = 3, d.LanguageIndex = 1, d.BaudRate = 1200, d.VoltageRange = "500 Volt";
    d.FahrenheitFlag = 1, d.UsDateFormat = 0;
    d.ProbeTableB[5] = TextOrNumber::fromText("12");
    d.ProbeTableD[11] = TextOrNumber::fromNumber(1e-7);
    d.ProbeRowsA[4][15] = TextOrNumber::fromNumber(123456789.125);
    d.ProbeRowsB[7][30] = TextOrNumber::fromText("probe, type K");
    d.UnitTexts = {"mV", "", "V rms ", "°C", "A", "Ohm", "kW", "Hz"};
    return d;
}

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Pty> line;

    static QByteArray Lines(const QByteArray& bytes, int from, int to) {
        return bytes.split('\n').mid(from - 1, to - from + 1).join('\n');
    }

private slots:
    void init() {
        line = std::make_unique<Pty>();
        QVERIFY(line->isOpen());
        for (int port = 1; port <= 4; ++port)
            qputenv(QByteArray("VESTO_COM") + QByteArray::number(port),
                    line->slavePath().toLocal8Bit());
    }
    void cleanup() { line.reset(); }

    // The record syntax both files share: fields as text, or [text] when quoted.
    void recordSyntax() {
        const std::pair<QByteArray, QString> cases[] = {
            {"1,\"a\"\r\n2\r\n,,", "1|[a]|2|||"},
            {"  a b  ,\t\"c \"\r\n\r\n", "a b|[c ]"},
            {"\"a,\r\nb\",\"abc\r\n", "[a,\r\nb]|[abc\r\n]"},
            {"\"K\xc3\xa4lte\"", "[Kälte]"},
            {"\"K\xe4lte\"", "[Kälte]"}}; // not UTF-8: Latin-1
        for (const auto& [bytes, fields] : cases) {
            records::FieldReader reader(bytes);
            QStringList out;
            while (const auto f = reader.next()) out << (f->quoted ? "[" + f->text + "]" : f->text);
            QCOMPARE(out.join(u'|'), fields);
        }
    }

    void roundTripIsByteIdentical() {
        const QByteArray bytes = FormatSettings(Sample());
        QVERIFY(bytes.count("\r\n") == 82 && bytes.count('\n') == 82);
        SettingsData back;
        QVERIFY(ParseSettings(bytes, back));
        QVERIFY(back.ProbeTableB[5] == TextOrNumber::fromText("12") &&
                back.ProbeRowsA[4][15].number == 123456789.125);
        QCOMPARE(back.UnitTexts, Sample().UnitTexts);
        QCOMPARE(FormatSettings(back), bytes);
        // The file installed as the default reads and writes back the same.
        QFile shipped(VESTO_SOURCE_DIR "/share/loggerx.ini");
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        const QByteArray defaults = shipped.readAll();
        QVERIFY(ParseSettings(defaults, back) && FormatSettings(back) == defaults);
    }

    // Each case starts the program on the sample file (COM3, 1200 baud, 500 V) with one change;
    // whatever the file holds, the line runs at 4800 baud.
    void startUp_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<int>("linesKept");
        QTest::addColumn<bool>("missing"); // COM3 names no device: message, then the port dialog
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* from, const char* to, int lines,
                            bool missing, const char* expected) {
            QTest::newRow(name) << QByteArray(from) << QByteArray(to) << lines << missing
                                << QString(expected);
        };
        // clang-format off
        row("COM3", "", "", 82, false, "COM3 open, 500 Volt, language 1");
        row("12 is port 2", "port =  3", "port = 12", 82, false, "COM2 open, 500 Volt, language 1");
        row("port 0 rejected: COM1", "port =  3", "port =  0", 82, false, "COM1 open, 500 Volt, language 1");
        row("other range text", "500 Volt", "300 Volt", 82, false, "COM3 open, 250 Volt, language 1");
        // The settings of lines 2..6 are never taken (so the language is asked); line 7 is.
        row("ends in the probe section", "", "", 30, false, "COM1 open, 500 Volt, language 4");
        row("device missing", "", "", 82, true, "COM3 closed, 500 Volt, language 1");
        // clang-format on
    }
    void startUp() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(int, linesKept);
        QFETCH(bool, missing);
        QFETCH(QString, expected);
        ScopedWorkDir dir;
        // Four languages; strings 54 and 59 (the missing port's title and text) in each.
        dir.write("loglango.txt", "4,59,a,b,c,d,,,,," + QByteArray(4 * 53, ',') + "T,T,T,T," +
                                      QByteArray(4 * 4, ',') + "Gone,Gone,Gone,Gone");
        QByteArray bytes = FormatSettings(Sample());
        if (!from.isEmpty()) bytes.replace(from, to);
        dir.write("loggerx.ini", Lines(bytes, 1, linesKept));
        PromptScript script;
        if (linesKept < 82) {
            script.message("loggerx.ini is damaged", ui::Ok);
            script.modal("langfrm", [](QDialog& d) {
                d.findChild<QAbstractButton*>("Option4")->click();
                d.findChild<QAbstractButton*>("Command1")->click();
            });
        }
        if (missing) {
            qputenv("VESTO_COM3", dir.file("no-such-device").toLocal8Bit());
            script.message("Gone", ui::Ok).modal("frmPort", [](QDialog& d) {
                d.findChild<QAbstractButton*>("Command2")->click();
            });
        }
        MainWindowFixture fx;
        fx.w->Load();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        if (missing) QCOMPARE(script.seen()[0].title, QString("T"));
        const bool open = fx.w->MSComm1->portOpen() && fx.w->MSComm1->commPort() == fx.st->CommPort;
        QCOMPARE(QString("COM%1 %2, %3, language %4")
                     .arg(fx.st->CommPort)
                     .arg(open && fx.st->PortReady == 1 ? "open" : "closed", fx.st->VoltageRange)
                     .arg(fx.st->LanguageIndex.value()),
                 expected);
        QVERIFY(fx.st->BaudRate == 4800 && fx.w->MSComm1->settings() == "4800,N,8,2");
    }

    void unwritableFileIsReportedAndTheProgramEnds() {
        ScopedWorkDir dir;
        dir.write("loggerx.ini", FormatSettings(Sample()));
        PromptScript script;
        MainWindowFixture fx;
        fx.w->Load();
        // A folder cannot be replaced by a file.
        QVERIFY(QFile::remove(dir.file("loggerx.ini")) && QDir(dir.path()).mkdir("loggerx.ini"));
        script.message("loggerx.ini", ui::Ok);
        QSignalSpy ended(fx.w.get(), &Log1::ended);
        fx.w->close();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(ended.count(), 1);
    }

    // Files present beforehand (w, l: loggerx.ini, loglango.txt in the working folder; u: the
    // per-user settings; i: both installed), each holding its letter; then the settings and
    // language paths used and what the settings file holds.
    void fileLocations() {
        for (auto [present, expected] :
             {std::pair{"", "user/loggerx.ini,,"},            // a build tree, nothing installed
              {"i", "user/loggerx.ini,share/loglango.txt,i"}, // the first start installed
              {"ui", "user/loggerx.ini,share/loglango.txt,u"},
              {"wui", "work/loggerx.ini,share/loglango.txt,w"},
              {"lui", "work/loggerx.ini,work/loglango.txt,"}}) {
            ScopedWorkDir dir;
            const QDir root(dir.path());
            root.mkpath("work");
            for (const QString path :
                 {"w:work/loggerx.ini", "l:work/loglango.txt", "u:user/loggerx.ini",
                  "i:share/loggerx.ini", "i:share/loglango.txt"}) {
                if (QString(present).contains(path[0]) &&
                    root.mkpath(QFileInfo(path.mid(2)).path()))
                    dir.write(path.mid(2), path.left(1).toLatin1());
            }
            const FileFolders folders{dir.file("work"), dir.file("user"), dir.file("share")};
            const QString settings = root.relativeFilePath(SettingsFilePath(folders));
            const QString language = LanguageFilePath(folders);
            QCOMPARE(
                QStringList({settings, language.isEmpty() ? "" : root.relativeFilePath(language),
                             dir.read(settings)})
                    .join(','),
                QString(expected));
        }
    }
};

VESTO_TEST(SettingsFileTest)
#include "tst_settingsfile.moc"
