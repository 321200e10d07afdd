#include "files/RecordFile.h"
#include "support/TestRegistry.h"

#include <QLocale>
#include <QTest>
#include <vector>

namespace {
// A valid two-reading file, CR LF line ends; `replacement` stands in for line n (1-based).
QByteArray ValidFile(int n = 0, const char* replacement = "") {
    QList<QByteArray> lines =
        QByteArray("\"loggerfile\"|\"exception recorder\"|2|\"Title\"|\"Tag\"|"
                   "\"\"|\"\"|\"Location\"|\"\"|\"\"|1|12|\"Volt\"|250|-3.5|"
                   "38412.5\t12.25|38412.6\t13.")
            .split('|');
    if (n > 0) lines[n - 1] = replacement;
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

    // The header lines exactly: quoted texts (a double quote becomes a blank), bare numbers with a
    // period in any locale, an empty logger number as an empty line 12. The data lines take the
    // locale's separator: a whole value keeps it, 0.5 keeps its zero, midnight ends with it.
    void fileExactly() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        RecordFileHeader header;
        header.fileKind = QStringLiteral("ignored by the writer");
        header.description = {"Title, with comma", "Tag \"x\"", {}, {}, {}, {}, "last"};
        header.probeScale = 1;
        header.unitName = QStringLiteral("Volt");
        header.highLimit = 250.5;
        header.lowLimit = -3;
        const RecordPoint points[] = {{38412.25, 12}, {38412.0, 0.5}, {38412.123456789, -9.996}};
        QCOMPARE(
            FormatRecordFile(header, 3, [&](int i) { return points[i - 1]; }),
            QByteArray("\"loggerfile\"\r\n\"exception recorder\"\r\n3\r\n\"Title, with comma\"\r\n"
                       "\"Tag  x \"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"last\"\r\n1\r\n\r\n"
                       "\"Volt\"\r\n250.5\r\n-3\r\n38412,25\t12,\r\n38412,\t0,5\r\n"
                       "38412,12345679\t-10,\r\n"));
    }

    // Data lines split at the first tab, commas taken as decimal separators; line 2 may hold
    // any text, the count is read by the leading-number parse.
    void toleratedVariants_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("decimal commas") << ValidFile(16, "38412,5\t12,25");
        QTest::newRow("blanks around") << ValidFile(16, " 38412.5 \t 12.25 ");
        QTest::newRow("LF line ends") << ValidFile().replace("\r\n", "\n");
        QTest::newRow("CR line ends, none at the end")
            << ValidFile().replace("\r\n", "\r").chopped(1);
        QTest::newRow("lines after the readings") << ValidFile() + "junk\r\n";
        QTest::newRow("any text on line 2") << ValidFile(2, "\"anything at all\"");
        QTest::newRow("bare first line") << ValidFile(1, "loggerfile");
        QTest::newRow("count with trailing text") << ValidFile(3, "2 readings");
    }
    void toleratedVariants() {
        QFETCH(QByteArray, bytes);
        const RecordFileResult result = ParseRecordFile(bytes);
        QVERIFY(std::holds_alternative<ParsedRecordFile>(result));
        const ParsedRecordFile& file = std::get<ParsedRecordFile>(result);
        QCOMPARE(file.times.size(), size_t(2));
        QCOMPARE(file.times[0], 38412.5);
        QCOMPARE(file.values, std::vector<double>({12.25, 13}));
    }

    void saveNames() {
        for (auto [chosen, saved] : {std::pair{"/d/report", "/d/report.txt"},
                                     {"/d/report.TXT", "/d/report.TXT"},
                                     {"/d/x.abc", "/d/x.abc"},
                                     {"/d/data.text", "/d/data.text.txt"},
                                     {"/d.abc/a", "/d.abc/a.txt"}})
            QCOMPARE(RecordFileName(chosen), QString(saved));
    }
};

VESTO_TEST(RecordFileTest)
#include "tst_recordfile.moc"
