#include "lang/LanguageFile.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QKeySequence>
#include <QSet>
#include <QTest>

namespace {

// A file of `languages` languages and `strings` strings, one line per string: "<l>:<s>".
QByteArray MakeFile(int languages, int strings, const char* counts = nullptr) {
    QByteArray bytes = counts ? QByteArray(counts)
                              : QByteArray::number(languages) + "," + QByteArray::number(strings);
    QByteArrayList names, helps;
    for (int l = 1; l <= languages; ++l) {
        names << "\"Lang " + QByteArray::number(l) + "\"";
        helps << "help" + QByteArray::number(l) + ".hlp";
    }
    bytes += "\r\n" + names.join(',') + "\r\n" + helps.join(',') + "\r\n";
    for (int s = 1; s <= strings; ++s) {
        QByteArrayList texts;
        for (int l = 1; l <= languages; ++l)
            texts << "\"" + QByteArray::number(l) + ":" + QByteArray::number(s) + "\"";
        bytes += texts.join(',') + "\r\n";
    }
    return bytes;
}

} // namespace

class LanguageFileTest : public QObject {
    Q_OBJECT
private slots:
    void read_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("count");    // LanguageCount afterwards (it starts at 0)
        QTest::addColumn<int>("lastName"); // last language with a name
        QTest::addColumn<int>("lastText"); // string 1..lastText of the last language read
        const int complete = int(LanguageFileStatus::Complete);
        QTest::newRow("one language") << MakeFile(1, 152) << complete << 1 << 1 << 152;
        QTest::newRow("two languages") << MakeFile(2, 30) << complete << 2 << 2 << 30;
        QTest::newRow("eight languages") << MakeFile(8, 200) << complete << 8 << 8 << 200;
        QTest::newRow("nine languages")
            << MakeFile(9, 5) << int(LanguageFileStatus::TooManyLanguages) << 0 << 0 << 0;
        QTest::newRow("201 strings")
            << MakeFile(2, 201) << int(LanguageFileStatus::TooManyStrings) << 0 << 0 << 0;
        // The last line loses its second text: string 20 of language 1 was still read.
        QTest::newRow("ends early")
            << MakeFile(2, 20).chopped(9) << int(LanguageFileStatus::EndedEarly) << 2 << 2 << 19;
        QTest::newRow("counts as text, fraction dropped")
            << MakeFile(3, 4, "\" 3.9\",\"4\"") << complete << 3 << 3 << 4;
    }
    void read() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, status);
        QFETCH(int, count);
        QFETCH(int, lastName);
        QFETCH(int, lastText);
        const int last = std::max(lastName, 1);
        LanguageTable table;
        table.Text[200][last] = "kept";
        QCOMPARE(int(ParseLanguageFile(bytes, table)), status);
        QCOMPARE(int(table.LanguageCount), count);
        for (int l = 1; l <= 8; ++l) {
            QCOMPARE(table.LangName[l], l <= lastName ? QString("Lang %1").arg(l) : QString());
            QCOMPARE(table.LangHelpFile[l],
                     l <= lastName ? QString("help%1.hlp").arg(l) : QString());
        }
        for (int s = 1; s <= 200; ++s) {
            const QString expected = s <= lastText ? QString("%1:%2").arg(last).arg(s)
                                     : s == 200    ? QString("kept")
                                                   : QString();
            QCOMPARE(table.Text[s][last], expected);
        }
    }

    void layoutDoesNotMatter() {
        LanguageTable lines, oneLine;
        QByteArray bytes = MakeFile(3, 10);
        QCOMPARE(ParseLanguageFile(bytes, lines), LanguageFileStatus::Complete);
        bytes.replace("\r\n", ",");
        bytes.replace(",\"", "\r\n \"");
        QCOMPARE(ParseLanguageFile(bytes, oneLine), LanguageFileStatus::Complete);
        QVERIFY(lines.Text == oneLine.Text && lines.LangName == oneLine.LangName);
    }

    // Every string number the program shows is there in each shipped language, and the
    // keyboard letters of one menu differ from each other.
    void shippedFile() {
        QFile file(VESTO_SOURCE_DIR "/share/loglango.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        LanguageTable table;
        QCOMPARE(ParseLanguageFile(file.readAll(), table), LanguageFileStatus::Complete);
        QCOMPARE(int(table.LanguageCount), 4);
        QList<int> shown;
        for (auto [from, to] : {std::pair{1, 9},
                                {11, 25},
                                {30, 41},
                                {44, 50},
                                {53, 59},
                                {62, 68},
                                {73, 74},
                                {76, 76},
                                {79, 79},
                                {82, 84},
                                {90, 92},
                                {94, 113},
                                {116, 121},
                                {141, 152}})
            for (int s = from; s <= to; ++s) shown << s;
        const QList<QList<int>> menus = {
            {20, 31, 32, 33, 34, 37, 38, 41}, {21, 22, 23, 24, 25, 30}, {39, 40}};
        for (int l = 1; l <= 4; ++l) {
            QVERIFY(!table.LangName[l].isEmpty());
            for (int s : shown)
                QVERIFY2(!table.Text[s][l].isEmpty(), qPrintable(QString("%1/%2").arg(s).arg(l)));
            for (const QList<int>& menu : menus) {
                QSet<int> keys;
                for (int s : menu) {
                    const QKeySequence key = QKeySequence::mnemonic(table.Text[s][l]);
                    QVERIFY2(!key.isEmpty() && !keys.contains(key[0].toCombined()),
                             qPrintable(table.Text[s][l]));
                    keys << key[0].toCombined();
                }
            }
        }
        QCOMPARE(table.Text[20][1], QString("&File"));
        QCOMPARE(table.Text[94][1], QString("The program needs the correct present time to "
                                            "calculate timing for logger downloads.  Your system "
                                            "clock will not change."));
        QCOMPARE(table.Text[111][2], QString("Oktober"));
        QCOMPARE(table.LangName[3], QString("Français"));
    }
};

VESTO_TEST(LanguageFileTest)
#include "tst_languagefile.moc"
