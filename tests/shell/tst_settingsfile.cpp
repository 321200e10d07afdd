#include "link/serial/MSComm1.h"
#include "shell/RecordSyntax.h"
#include "shell/SettingsFile.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/Pty.h"
#include "support/TestRegistry.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

// Fields as "text" or [text] (quoted), joined with "|".
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
    d.LanguageIndex = 2;
    d.BaudRate = 1200;
    d.FahrenheitFlag = 1;
    d.UsDateFormat = 0;
    d.VoltageRange = "500 Volt";
    d.ProbeTableA[1] = TextOrNumber::fromNumber(-0.25);
    d.ProbeTableD[11] = TextOrNumber::fromNumber(1e-7);
    d.ProbeTableB[5] = TextOrNumber::fromText("12");
    d.ProbeRowsA[0][0] = TextOrNumber::fromNumber(3);
    d.ProbeRowsB[7][30] = TextOrNumber::fromText("probe, type K");
    d.ProbeRowsA[4][15] = TextOrNumber::fromNumber(123456789.125);
    d.UnitTexts = {"mV", "", "V rms ", "°C", "A", "Ohm", "kW", "Hz"};
    return d;
}

void CompareSettings(const SettingsData& a, const SettingsData& b) {
    QCOMPARE(a.CommPort, b.CommPort);
    for (auto [x, y] : {std::pair{a.LanguageIndex, b.LanguageIndex},
                        {a.BaudRate, b.BaudRate},
                        {a.FahrenheitFlag, b.FahrenheitFlag},
                        {a.UsDateFormat, b.UsDateFormat}})
        QCOMPARE(x.value(), y.value());
    QCOMPARE(a.VoltageRange, b.VoltageRange);
    QVERIFY(a.ProbeTableA == b.ProbeTableA && a.ProbeTableB == b.ProbeTableB);
    QVERIFY(a.ProbeTableC == b.ProbeTableC && a.ProbeTableD == b.ProbeTableD);
    QVERIFY(a.ProbeRowsA == b.ProbeRowsA && a.ProbeRowsB == b.ProbeRowsB);
    QCOMPARE(a.UnitTexts, b.UnitTexts);
}

void SetPortDevice(int port, const QString& path) {
    qputenv(QByteArray("VESTO_COM") + QByteArray::number(port), path.toLocal8Bit());
}

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Pty> line;

private slots:
    void init() {
        line = std::make_unique<Pty>();
        QVERIFY(line->isOpen());
        for (int port = 1; port <= 4; ++port) SetPortDevice(port, line->slavePath());
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
        QTest::newRow("quoted text over a line end")
            << QByteArray("\"a,\r\nb\",c") << "[a,\r\nb]|c";
        QTest::newRow("unclosed quote to the end") << QByteArray("\"abc\r\n") << "[abc\r\n]";
        QTest::newRow("comma then end") << QByteArray("a,") << "a|";
        QTest::newRow("UTF-8") << QByteArray("\"K\xc3\xa4lte\"") << "[Kälte]";
        QTest::newRow("not UTF-8: Latin-1") << QByteArray("\"K\xe4lte\"") << "[Kälte]";
    }
    void recordSyntax() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fields);
        QCOMPARE(FieldsOf(bytes), fields);
    }

    void probeValues_data() {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("number");
        const int empty = 0, number = 1, text = 2;
        QTest::newRow("number") << QByteArray("-1.5") << number << -1.5;
        QTest::newRow("exponent") << QByteArray("2.5E-05") << number << 2.5e-5;
        QTest::newRow("plus sign") << QByteArray("+3") << number << 3.0;
        QTest::newRow("nothing") << QByteArray("") << empty << 0.0;
        QTest::newRow("quoted number is text") << QByteArray("\"12\"") << text << 0.0;
        QTest::newRow("trailing letters") << QByteArray("12abc") << text << 0.0;
        QTest::newRow("beyond a double") << QByteArray("1E400") << text << 0.0;
        QTest::newRow("inf") << QByteArray("inf") << text << 0.0;
    }
    void probeValues() {
        QFETCH(QByteArray, field);
        QFETCH(int, kind);
        QFETCH(double, number);
        SettingsData d = Sample();
        QByteArray bytes = FormatSettings(d);
        bytes.replace("-0.25,", field + ",");
        QVERIFY(ParseSettings(bytes, d));
        QCOMPARE(int(d.ProbeTableA[1].kind), kind);
        QCOMPARE(d.ProbeTableA[1].number, number);
    }

    void roundTripIsByteIdentical() {
        const QByteArray bytes = FormatSettings(Sample());
        QCOMPARE(bytes.count("\r\n"), 82);
        QCOMPARE(bytes.count('\n'), 82);
        QCOMPARE(Lines(bytes, 2, 3), QByteArray("\"comm port =  3\"\r\n\"language =  2\"\r"));
        QCOMPARE(Lines(bytes, 9, 9), QByteArray("-0.25,,,\r"));
        QCOMPARE(Lines(bytes, 19, 19), QByteArray(",,,1E-07\r"));
        QCOMPARE(Lines(bytes, 82, 82), QByteArray("\"mV\",\"\",\"V rms \",\"\xc2\xb0"
                                                  "C\",\"A\",\"Ohm\",\"kW\",\"Hz\"\r"));
        SettingsData back;
        QVERIFY(ParseSettings(bytes, back));
        CompareSettings(back, Sample());
        QCOMPARE(FormatSettings(back), bytes);
    }

    void signedFormOfNegativeAndEmptyNumbers() {
        SettingsData d;
        d.CommPort = -2;
        const QByteArray bytes = FormatSettings(d);
        QCOMPARE(Lines(bytes, 1, 4),
                 QByteArray("\"[PORT etc]\"\r\n\"comm port = -2\"\r\n\"language =  0\"\r\n"
                            "\"baud =  0\"\r"));
    }

    void shippedDefaultReadsBack() {
        QFile file(VESTO_SOURCE_DIR "/share/loggerx.ini");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        SettingsData d;
        QVERIFY(ParseSettings(bytes, d));
        QCOMPARE(d.CommPort, qint16(1));
        QCOMPARE(d.LanguageIndex.value(), 1.0);
        QCOMPARE(d.BaudRate.value(), 4800.0);
        QCOMPARE(d.UsDateFormat.value(), 1.0);
        QCOMPARE(d.VoltageRange, QString("250 Volt"));
        QVERIFY(!d.FahrenheitFlag.isEmpty() && d.FahrenheitFlag == 0);
        QCOMPARE(FormatSettings(d), bytes);
    }

    // Each case starts the program on a settings file made from the sample by one change.
    void startUp_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<int>("linesKept");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("portOpen");
        QTest::addColumn<QString>("range");
        QTest::addColumn<double>("language");
        QTest::newRow("COM3") << QByteArray() << QByteArray() << 82 << 3 << true << "500 Volt"
                              << 2.0;
        QTest::newRow("12 is port 2") << QByteArray("port =  3") << QByteArray("port = 12") << 82
                                      << 2 << true << "500 Volt" << 2.0;
        QTest::newRow("port 0 rejected: COM1") << QByteArray("port =  3") << QByteArray("port =  0")
                                               << 82 << 1 << false << "500 Volt" << 2.0;
        QTest::newRow("other range text") << QByteArray("500 Volt") << QByteArray("300 Volt") << 82
                                          << 3 << true << "250 Volt" << 2.0;
        QTest::newRow("empty range text")
            << QByteArray("500 Volt") << QByteArray() << 82 << 3 << true << "250 Volt" << 2.0;
        // The settings of lines 2..6 are never taken; the range of line 7 is.
        QTest::newRow("ends in the probe section")
            << QByteArray() << QByteArray() << 30 << 1 << false << "500 Volt" << 4.0;
    }
    void startUp() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(int, linesKept);
        QFETCH(int, port);
        QFETCH(bool, portOpen);
        QFETCH(QString, range);
        QFETCH(double, language);
        ScopedWorkDir dir;
        dir.write("loglango.txt", "4,1,a,b,c,d,,,,,A,B,C,D");
        QByteArray bytes = FormatSettings(Sample());
        if (!from.isEmpty()) bytes.replace(from, to);
        dir.write("loggerx.ini", Lines(bytes, 1, linesKept));
        PromptScript script;
        if (linesKept < 82)
            script.modal("langfrm", [](QDialog& d) {
                d.findChild<QAbstractButton*>("Option4")->click();
                d.findChild<QAbstractButton*>("Command1")->click();
            });
        MainWindowFixture fx;
        fx.w->Load();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(fx.st->CommPort, qint16(port));
        QCOMPARE(fx.st->VoltageRange, range);
        QCOMPARE(fx.st->LanguageIndex.value(), language);
        QCOMPARE(fx.st->BaudRate.value(), 4800.0);
        QCOMPARE(fx.w->MSComm1->settings(), QString("4800,N,8,2"));
        if (portOpen) {
            QCOMPARE(fx.w->MSComm1->commPort(), port);
            QVERIFY(fx.w->MSComm1->portOpen());
            QCOMPARE(fx.st->PortReady.value(), 1.0);
        }
    }

    void unavailablePortIsReported() {
        ScopedWorkDir dir;
        dir.write("loglango.txt", "1,59,E,e.hlp" + QByteArray(54, ',') + "Title,,,,,Port gone");
        SettingsData settings = Sample();
        settings.LanguageIndex = 1;
        dir.write("loggerx.ini", FormatSettings(settings));
        SetPortDevice(3, dir.file("no-such-device"));
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
        // What follows is the port dialog, if anything.
        for (int i = 1; i < seen.size(); ++i) QCOMPARE(seen[i].text, QString("frmPort"));
    }

    void firstStartThenCloseWritesACompleteFile() {
        ScopedWorkDir dir;
        PromptScript script;
        script.modal("langfrm", [](QDialog& d) {
            d.findChild<QAbstractButton*>("Option1")->click();
            d.findChild<QAbstractButton*>("Command1")->click();
        });
        MainWindowFixture fx;
        fx.w->Load();
        fx.w->close();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        const QByteArray bytes = dir.read("loggerx.ini");
        QCOMPARE(bytes.count("\r\n"), 82);
        QCOMPARE(Lines(bytes, 2, 2), QByteArray("\"comm port =  1\"\r"));
        QCOMPARE(Lines(bytes, 7, 7), QByteArray("\"250 Volt\"\r"));
        QCOMPARE(Lines(bytes, 9, 19), QByteArray(",,,\r\n").repeated(11).chopped(1));
        QCOMPARE(Lines(bytes, 20, 81), QByteArray(",,,,,,,\r\n").repeated(62).chopped(1));
        QCOMPARE(Lines(bytes, 82, 83), QByteArray("\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));
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
