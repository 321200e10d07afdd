#include "lang/LanguageFile.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QKeySequence>
#include <QSet>
#include <QTest>

Q_DECLARE_METATYPE(LanguageFileStatus)

namespace {

// `languages` languages of `strings` strings each, one line per string; string s of language l
// reads "l:s".
QByteArray MakeFile(int languages, int strings, QByteArray counts = {}) {
    if (counts.isEmpty())
        counts = QByteArray::number(languages) + "," + QByteArray::number(strings);
    QByteArray names, helps, texts;
    for (int l = 1; l <= languages; ++l) {
        names += QString(",\"Lang %1\"").arg(l).toLatin1();
        helps += QString(",help%1.hlp").arg(l).toLatin1();
    }
    for (int s = 1; s <= strings; ++s)
        for (int l = 1; l <= languages; ++l)
            texts += QString(l == 1 ? "\r\n\"%1:%2\"" : ",\"%1:%2\"").arg(l).arg(s).toLatin1();
    return counts + "\r\n" + names.mid(1) + "\r\n" + helps.mid(1) + texts + "\r\n";
}

} // namespace

class LanguageFileTest : public QObject {
    Q_OBJECT
private slots:
    void read_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<LanguageFileStatus>("status");
        QTest::addColumn<int>("count");    // languages read (the table starts with none)
        QTest::addColumn<int>("lastText"); // strings 1..lastText of the last language were read
        const auto complete = LanguageFileStatus::Complete;
        QTest::newRow("one language") << MakeFile(1, 152) << complete << 1 << 152;
        QTest::newRow("two languages") << MakeFile(2, 30) << complete << 2 << 30;
        QTest::newRow("eight languages") << MakeFile(8, 200) << complete << 8 << 200;
        QTest::newRow("nine") << MakeFile(9, 5) << LanguageFileStatus::TooManyLanguages << 0 << 0;
        QTest::newRow("201 strings")
            << MakeFile(2, 201) << LanguageFileStatus::TooManyStrings << 0 << 0;
        // The last line lost its second text.
        QTest::newRow("ends early")
            << MakeFile(2, 20).chopped(9) << LanguageFileStatus::EndedEarly << 2 << 19;
        QTest::newRow("counts as texts") << MakeFile(3, 4, "\" 3.9\",\"4\"") << complete << 3 << 4;
    }
    void read() {
        QFETCH(QByteArray, bytes);
        QFETCH(LanguageFileStatus, status);
        QFETCH(int, count);
        QFETCH(int, lastText);
        const int last = std::max(count, 1);
        LanguageTable table;
        table.Text[200][last] = "kept";
        QCOMPARE(ParseLanguageFile(bytes, table), status);
        QCOMPARE(int(table.LanguageCount), count);
        for (int l = 1; l <= 8; ++l) {
            QCOMPARE(table.LangName[l], l <= count ? QString("Lang %1").arg(l) : QString());
            QCOMPARE(table.LangHelpFile[l], l <= count ? QString("help%1.hlp").arg(l) : QString());
        }
        for (int s = 1; s <= 200; ++s)
            QCOMPARE(table.Text[s][last], s <= lastText ? QString("%1:%2").arg(last).arg(s)
                                          : s == 200    ? QString("kept")
                                                        : QString());
    }

    // Every string number the program shows is there in each shipped language, and within one
    // menu no two items share a keyboard letter.
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
        for (int l = 1; l <= 4; ++l) {
            for (int s : shown)
                QVERIFY2(!table.Text[s][l].isEmpty(), qPrintable(QString::number(s)));
            for (const QList<int>& menu : QList<QList<int>>{
                     {20, 31, 32, 33, 34, 37, 38, 41}, {21, 22, 23, 24, 25, 30}, {39, 40}}) {
                QSet<int> keys;
                for (int s : menu) keys << QKeySequence::mnemonic(table.Text[s][l])[0].toCombined();
                QVERIFY(keys.size() == menu.size() && !keys.contains(0));
            }
        }
        QCOMPARE(table.Text[94][1], QString("The program needs the correct present time to "
                                            "calculate timing for logger downloads.  Your system "
                                            "clock will not change."));
        QCOMPARE(table.Text[111][2], QString("Oktober"));
        QCOMPARE(table.LangName[3], QString("Français"));
    }
};

VESTO_TEST(LanguageFileTest)
#include "tst_languagefile.moc"
