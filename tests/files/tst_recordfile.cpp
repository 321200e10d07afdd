#include "files/RecordFile.h"
#include "support/TestRegistry.h"
#include "ui/Parse.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>
#include <cmath>
#include <vector>

namespace {

// A file as a person would write it by hand: lines joined with CR LF.
QByteArray Lines(std::initializer_list<const char*> lines) {
    QByteArray bytes;
    for (const char* line : lines) bytes += QByteArray(line) + "\r\n";
    return bytes;
}

// A valid two-reading file; `replace` swaps line n (1-based) for other text.
QByteArray ValidFile(int replaceLine = 0, const char* replacement = "") {
    QList<QByteArray> lines = {"\"loggerfile\"",
                               "\"exception recorder\"",
                               "2",
                               "\"Title\"",
                               "\"Tag\"",
                               "\"\"",
                               "\"\"",
                               "\"Location\"",
                               "\"\"",
                               "\"\"",
                               "1",
                               "12",
                               "\"Volt\"",
                               "250",
                               "-3.5",
                               "38412.5\t12.25",
                               "38412.6\t13."};
    if (replaceLine > 0) lines[replaceLine - 1] = replacement;
    return lines.join("\r\n") + "\r\n";
}

} // namespace

class RecordFileTest : public QObject {
    Q_OBJECT
    QLocale saved_;
private slots:
    void initTestCase() { saved_ = QLocale(); }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(saved_); }

    void dataLines_data() {
        QTest::addColumn<double>("time");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole value keeps its separator")
            << 38412.25 << 12.0 << false << "38412.25\t12.";
        QTest::newRow("half") << 38412.25 << 0.5 << false << "38412.25\t0.5";
        QTest::newRow("midnight") << 38412.0 << 1.0 << false << "38412.\t1.";
        QTest::newRow("eight decimals, rounded")
            << 38412.123456789 << 3.14159 << false << "38412.12345679\t3.14";
        QTest::newRow("value rounds up") << 38412.5 << 9.996 << false << "38412.5\t10.";
        QTest::newRow("negative") << 38412.5 << -3.25 << false << "38412.5\t-3.25";
        QTest::newRow("comma locale") << 38412.5 << 12.0 << true << "38412,5\t12,";
        QTest::newRow("comma locale, half") << 38412.0 << 0.5 << true << "38412,\t0,5";
    }
    void dataLines() {
        QFETCH(double, time);
        QFETCH(double, value);
        QFETCH(bool, comma);
        QFETCH(QString, expected);
        if (comma) QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(RecordDataLine(time, value), expected);
    }

    // The writer and the reader take short cuts for the data lines; their bytes and numbers must
    // be those of ui::Format and ui::Val, for the edge cases of rounding and for many readings.
    void dataLinesAsFormatAndValGiveThem_data() {
        QTest::addColumn<bool>("comma");
        QTest::newRow("period") << false;
        QTest::newRow("comma") << true;
    }
    void dataLinesAsFormatAndValGiveThem() {
        QFETCH(bool, comma);
        if (comma) QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        // clang-format off
        std::vector<RecordPoint> points = {
            {0, 0}, {0.5, -0.001}, {38412, 12}, {38412.000000005, 0.005},
            {38412.999999995, 9.995}, {99999.999999995, -9.995}, {1e-9, 2.675},
            {2958465.5, -0.125}, {-1.25, 1.005}, {38412.123456785, 255.75},
            {38412.12345678499, 1e20}, {2958465.99999999, -1e-20},
        };
        // clang-format on
        QRandomGenerator random(20050301);
        for (int i = 0; i < 3000; ++i) {
            const double day = 30000 + random.bounded(20000) + random.bounded(864000) / 864000.0;
            const double scale = std::pow(10.0, random.bounded(5));
            points.push_back({i % 2 ? day : day + random.generateDouble() * 1e-6,
                              std::round((random.generateDouble() - 0.2) * 600 * scale) / scale});
        }
        const int count = int(points.size());
        const QByteArray bytes = FormatRecordFile({}, count, [&](int i) { return points[i - 1]; });
        const QList<QByteArray> lines = bytes.split('\n');
        const RecordFileResult result = ParseRecordFile(bytes);
        QVERIFY(std::holds_alternative<ParsedRecordFile>(result));
        const ParsedRecordFile& read = std::get<ParsedRecordFile>(result);
        for (int i = 0; i < count; ++i) {
            const QString line = RecordDataLine(points[i].time, points[i].value);
            QCOMPARE(lines[kRecordFileHeaderLines + i], line.toLatin1() + "\r");
            const QStringList fields = QString(line).replace(u',', u'.').split(u'\t');
            QCOMPARE(read.times[size_t(i)], ui::Val(fields[0]));
            QCOMPARE(read.values[size_t(i)], ui::Val(fields[1]));
        }
    }

    void headerLinesExactly() {
        RecordFileHeader header;
        header.fileKind = QStringLiteral("ignored by the writer");
        header.description = {QStringLiteral("Title, with comma"),
                              QStringLiteral("Tag \"x\""),
                              {},
                              {},
                              {},
                              {},
                              QStringLiteral("last")};
        header.probeScale = 1;
        header.unitName = QStringLiteral("Volt");
        header.highLimit = 250.5;
        header.lowLimit = -3;
        const RecordPoint points[] = {{38412.5, 12}, {38412.0, 0.5}};
        const QByteArray bytes = FormatRecordFile(header, 2, [&](int i) { return points[i - 1]; });
        // Empty logger number: an empty line 12. The quote in the tag became a blank.
        QCOMPARE(bytes,
                 Lines({"\"loggerfile\"", "\"exception recorder\"", "2", "\"Title, with comma\"",
                        "\"Tag  x \"", "\"\"", "\"\"", "\"\"", "\"\"", "\"last\"", "1", "",
                        "\"Volt\"", "250.5", "-3", "38412.5\t12.", "38412.\t0.5"}));
    }

    void headerNumbersStayInvariant() {
        // Header numbers are read with a period whatever the locale, so they are written so.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(InvariantNumber(0.5), QStringLiteral("0.5"));
        QCOMPARE(InvariantNumber(12), QStringLiteral("12"));
        QCOMPARE(InvariantNumber(-1.25), QStringLiteral("-1.25"));
        QCOMPARE(InvariantNumber(Number()), QString());
    }

    void toleratedVariants_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<double>("time");
        QTest::addColumn<double>("value");
        QTest::newRow("decimal commas") << ValidFile(16, "38412,5\t12,25") << 38412.5 << 12.25;
        QTest::newRow("blanks around") << ValidFile(16, " 38412.5 \t 12.25 ") << 38412.5 << 12.25;

        QTest::newRow("LF line ends") << ValidFile().replace("\r\n", "\n") << 38412.5 << 12.25;
        QTest::newRow("CR line ends") << ValidFile().replace("\r\n", "\r") << 38412.5 << 12.25;
        QTest::newRow("no line end at the end") << ValidFile().chopped(2) << 38412.5 << 12.25;
        QTest::newRow("lines after the readings") << ValidFile() + "junk\r\n" << 38412.5 << 12.25;
        QTest::newRow("other file kind") << ValidFile(2, "\"anything at all\"") << 38412.5 << 12.25;
        QTest::newRow("bare first line") << ValidFile(1, "loggerfile") << 38412.5 << 12.25;
        QTest::newRow("count with trailing text") << ValidFile(3, "2 readings") << 38412.5 << 12.25;
    }
    void toleratedVariants() {
        QFETCH(QByteArray, bytes);
        QFETCH(double, time);
        QFETCH(double, value);
        const RecordFileResult result = ParseRecordFile(bytes);
        QVERIFY(std::holds_alternative<ParsedRecordFile>(result));
        const ParsedRecordFile& file = std::get<ParsedRecordFile>(result);
        QCOMPARE(file.times.size(), size_t(2));
        QCOMPARE(file.times[0], time);
        QCOMPARE(file.values[0], value);
    }

    void emptyHeaderNumbersStayEmpty() {
        const RecordFileResult result = ParseRecordFile(ValidFile(12, ""));
        QVERIFY(std::holds_alternative<ParsedRecordFile>(result));
        QVERIFY(std::get<ParsedRecordFile>(result).header.loggerNumber.isEmpty());
    }

    void refusedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("notRecordFile");
        QTest::addColumn<int>("line");
        QTest::newRow("empty file") << QByteArray() << true << 1;
        QTest::newRow("other first line") << ValidFile(1, "\"logger file\"") << true << 1;

        QTest::newRow("ends in the header")
            << Lines({"\"loggerfile\"", "\"x\"", "2", "\"t\""}) << false << 5;
        QTest::newRow("count zero") << ValidFile(3, "0") << false << 3;
        QTest::newRow("count not a number") << ValidFile(3, "many") << false << 3;
        QTest::newRow("count above three banks") << ValidFile(3, "73621") << false << 3;
        QTest::newRow("count not whole") << ValidFile(3, "1.5") << false << 3;
        QTest::newRow("unclosed quote") << ValidFile(4, "\"Title") << false << 4;
        QTest::newRow("text for the scale") << ValidFile(11, "\"one\"") << false << 11;
        QTest::newRow("word for a limit") << ValidFile(14, "high") << false << 14;
        QTest::newRow("data line without tab") << ValidFile(17, "38412.6 13") << false << 17;

        QTest::newRow("ends before its count") << ValidFile(3, "3") << false << 18;
        QTest::newRow("time not a date") << ValidFile(16, "1e300\t1") << false << 16;
        QTest::newRow("value beyond a single") << ValidFile(17, "38412.6\t1e39") << false << 17;
    }
    void refusedFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, notRecordFile);
        QFETCH(int, line);
        const RecordFileResult result = ParseRecordFile(bytes);
        QVERIFY(std::holds_alternative<RecordFileError>(result));
        const RecordFileError& error = std::get<RecordFileError>(result);
        QCOMPARE(error.kind == RecordFileError::Kind::NotRecordFile, notRecordFile);
        QCOMPARE(error.line, line);
        QVERIFY(!error.what.isEmpty());
    }

    void saveNames_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no extension") << "/d/report"
                                      << "/d/report.txt";
        QTest::newRow("TXT in capitals") << "/d/report.TXT"
                                         << "/d/report.TXT";
        QTest::newRow("other extension") << "/d/x.abc"
                                         << "/d/x.abc";
        QTest::newRow("long extension") << "/d/data.text"
                                        << "/d/data.text.txt";
        QTest::newRow("short name") << "/d.abc/a"
                                    << "/d.abc/a.txt";
    }
    void saveNames() {
        QFETCH(QString, chosen);
        QFETCH(QString, saved);
        QCOMPARE(RecordFileName(chosen), saved);
    }
};

VESTO_TEST(RecordFileTest)
#include "tst_recordfile.moc"
