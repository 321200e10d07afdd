#include "link/serial/MSComm1.h"
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

// Fields as text, or [text] when quoted, joined with "|".
QString FieldsOf(const QByteArray& bytes) {
    records::FieldReader reader(bytes);
    QStringList out;
    while (const auto f = reader.next()) out << (f->quoted ? "[" + f->text + "]" : f->text);
    return out.join(u'|');
}

QByteArray Lines(const QByteArray& bytes, int from, int to) {
    return bytes.split('\n').mid(from - 1, to - from + 1).join('\n');
}

SettingsData Sample() {
    SettingsData d;
    d.CommPort = 3;
    d.LanguageIndex = 1;
    d.BaudRate = 1200;
    d.FahrenheitFlag = 1;
    d.UsDateFormat = 0;
    d.VoltageRange = "500 Volt";
    d.ProbeTableA[1] = TextOrNumber::fromNumber(-0.25);
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

private slots:
    void init() {
        line = std::make_unique<Pty>();
        QVERIFY(line->isOpen());
        for (int port = 1; port <= 4; ++port)
            qputenv(QByteArray("VESTO_COM") + QByteArray::number(port),
                    line->slavePath().toLocal8Bit());
    }
    void cleanup() { line.reset(); }

    void recordSyntax_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fields");
        QTest::newRow("across lines") << QByteArray("1,\"a\"\r\n2\r\n") << "1|[a]|2";
        QTest::newRow("empty between commas") << QByteArray(",,\r\n") << "||";
        QTest::newRow("blank lines give nothing") << QByteArray("a\r\n\r\n  \nb") << "a|b";
        QTest::newRow("after the closing quote dropped") << QByteArray("\"x\"yz,1") << "[x]|1";
        QTest::newRow("blanks before, not after") << QByteArray("  a b  ,\t\"c \"") << "a b|[c ]";
        QTest::newRow("LF and CR line ends") << QByteArray("a\nb\rc\r\n") << "a|b|c";
        QTest::newRow("quoted over a line end") << QByteArray("\"a,\r\nb\",c") << "[a,\r\nb]|c";
        QTest::newRow("unclosed quote") << QByteArray("\"abc\r\n") << "[abc\r\n]";
        QTest::newRow("UTF-8") << QByteArray("\"K\xc3\xa4lte\"") << "[Kälte]";
        QTest::newRow("not UTF-8: Latin-1") << QByteArray("\"K\xe4lte\"") << "[Kälte]";
    }
    void recordSyntax() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fields);
        QCOMPARE(FieldsOf(bytes), fields);
    }

    void roundTripIsByteIdentical() {
        const QByteArray bytes = FormatSettings(Sample());
        QCOMPARE(bytes.count("\r\n"), 82);
        QCOMPARE(bytes.count('\n'), 82);
        QCOMPARE(Lines(bytes, 2, 3), QByteArray("\"comm port =  3\"\r\n\"language =  1\"\r"));
        QCOMPARE(Lines(bytes, 9, 9), QByteArray("-0.25,,,\r"));
        QCOMPARE(Lines(bytes, 19, 19), QByteArray(",,,1E-07\r"));
        SettingsData back;
        QVERIFY(ParseSettings(bytes, back));
        QCOMPARE(back.BaudRate.value(), 1200.0);
        QVERIFY(back.ProbeTableB[5] == TextOrNumber::fromText("12"));
        QCOMPARE(back.ProbeRowsA[4][15].number, 123456789.125);
        QVERIFY(back.ProbeTableC[5].kind == TextOrNumber::Kind::Empty);
        QCOMPARE(back.UnitTexts, Sample().UnitTexts);
        QCOMPARE(FormatSettings(back), bytes);

        QFile shipped(VESTO_SOURCE_DIR "/share/loggerx.ini");
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        const QByteArray defaults = shipped.readAll();
        QVERIFY(ParseSettings(defaults, back));
        QCOMPARE(FormatSettings(back), defaults);
        QCOMPARE(back.LanguageIndex.value() + back.UsDateFormat + back.CommPort, 3.0);
    }

    // Each case starts the program on the sample file with one change.
    void startUp_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<int>("linesKept");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("range");
        QTest::addColumn<double>("language");
        QTest::newRow("COM3") << QByteArray() << QByteArray() << 82 << 3 << "500 Volt" << 1.0;
        QTest::newRow("12 is port 2")
            << QByteArray("port =  3") << QByteArray("port = 12") << 82 << 2 << "500 Volt" << 1.0;
        QTest::newRow("port 0 rejected: COM1")
            << QByteArray("port =  3") << QByteArray("port =  0") << 82 << 1 << "500 Volt" << 1.0;
        QTest::newRow("other range text")
            << QByteArray("500 Volt") << QByteArray("300 Volt") << 82 << 3 << "250 Volt" << 1.0;
        // The settings of lines 2..6 are never taken (so the language is asked); line 7 is.
        QTest::newRow("ends in the probe section")
            << QByteArray() << QByteArray() << 30 << 1 << "500 Volt" << 4.0;
    }
    void startUp() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(int, linesKept);
        QFETCH(int, port);
        QFETCH(QString, range);
        QFETCH(double, language);
        ScopedWorkDir dir;
        dir.write("loglango.txt", "4,1,a,b,c,d,,,,,A,B,C,D");
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
        MainWindowFixture fx;
        fx.w->Load();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(fx.st->CommPort, qint16(port));
        QCOMPARE(fx.st->VoltageRange, range);
        QCOMPARE(fx.st->LanguageIndex.value(), language);
        QCOMPARE(fx.st->BaudRate.value(), 4800.0);
        QCOMPARE(fx.w->MSComm1->settings(), QString("4800,N,8,2"));
        if (port != 1) { // the stored port itself, not the fallback
            QVERIFY(fx.w->MSComm1->portOpen() && fx.w->MSComm1->commPort() == port);
            QCOMPARE(fx.st->PortReady.value(), 1.0);
        }
    }

    void unavailablePortIsReported() {
        ScopedWorkDir dir;
        dir.write("loglango.txt", "1,59,E,e.hlp" + QByteArray(54, ',') + "Title,,,,,Port gone");
        dir.write("loggerx.ini", FormatSettings(Sample()));
        qputenv("VESTO_COM3", dir.file("no-such-device").toLocal8Bit());
        PromptScript script;
        script.message("Port gone", ui::Ok);
        MainWindowFixture fx;
        fx.w->Load();
        const auto& seen = script.seen();
        QVERIFY(!seen.isEmpty());
        QCOMPARE(seen[0].title, QString("Title"));
        QCOMPARE(seen[0].icon, ui::Icon::Information);
        QCOMPARE(fx.st->PortReady.value(), 0.0);
        QCOMPARE(fx.st->CommPort, qint16(3));
        for (int i = 1; i < seen.size(); ++i) QCOMPARE(seen[i].text, QString("frmPort"));
    }

    void unwritableFileIsReportedAndTheProgramEnds() {
        ScopedWorkDir dir;
        dir.write("loggerx.ini", FormatSettings(Sample()));
        PromptScript script;
        MainWindowFixture fx;
        fx.w->Load();
        QFile::remove(dir.file("loggerx.ini"));
        QVERIFY(QDir(dir.path()).mkdir("loggerx.ini")); // a folder cannot be replaced by a file
        script.message("loggerx.ini", ui::Ok);
        QSignalSpy ended(fx.w.get(), &Log1::ended);
        fx.w->close();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(script.seen()[0].icon, ui::Icon::Exclamation);
    }
};

VESTO_TEST(SettingsFileTest)
#include "tst_settingsfile.moc"
