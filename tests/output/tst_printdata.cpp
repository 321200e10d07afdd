#include "PrintFixture.h"
#include "output/PrintData.h"
#include "output/PrintOpt.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"
#include "ui/Format.h"

#include <QLabel>
#include <QPushButton>

class PrintDataTest : public QObject {
    Q_OBJECT
private slots:
    void pagination_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("pages");
        for (auto [count, pages] :
             {std::pair{1, 1}, {100, 1}, {101, 1}, {500, 1}, {501, 2}, {1000, 2}, {1001, 3}})
            QTest::addRow("%d", count) << count << pages;
    }
    // Row r of page p holds the readings 500 (p - 1) + r + 100 c, c = 0..4, up to N.
    void pagination() {
        QFETCH(int, count);
        QFETCH(int, pages);
        ListingInput in{count,
                        [](int i) {
                            return ListingPoint{kStart + i / 86400.0, double(i)};
                        },
                        "Feeder 3", "V", "mm/dd/yy hh:mm:ss am/pm"};
        QCOMPARE(ListingPageCount(count), pages);
        QVERIFY(ListingPage(in, pages + 1).isEmpty());
        QCOMPARE(ListingPage(in, 1).value(2).left(61),
                 QString(33, ' ') + "03/15/23 12:00:04 am  1.00 V");
        for (int p = 1; p <= pages; ++p) {
            const QStringList lines = ListingPage(in, p);
            QCOMPARE(lines[0], QString(11, ' ') + "Feeder 3" + QString(187, ' ') + "page  " +
                                   QString::number(p));
            QCOMPARE(lines[1], QString());
            const int first = 500 * (p - 1) + 1;
            QCOMPARE(lines.size(), 2 + std::min(100, count - first + 1));
            for (int r = 0; r + 2 < lines.size(); ++r) {
                QVERIFY(lines[r + 2].startsWith(QString(33, ' ')) && lines[r + 2][33] != ' ');
                const QStringList columns = lines[r + 2].mid(33).split(QString(5, ' '));
                for (int c = 0; c < 5; ++c) {
                    const int k = first + r + 100 * c;
                    if (k > count) {
                        QCOMPARE(columns.size(), c);
                        break;
                    }
                    QCOMPARE(columns[c], ui::Format(in.point(k).time, in.dateTimeFormat) +
                                             QString("  %1.00 V").arg(k));
                }
            }
        }
    }

    void printed_data() {
        QTest::addColumn<int>("scope"); // -1 not zoomed, else the button of the options dialog
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("entire record") << -1 << 1 << 501;
        QTest::newRow("zoomed, entire record") << 0 << 1 << 501;
        QTest::newRow("zoomed, displayed graph only") << 1 << 1201 << 1300;
    }
    // The values of each page, as the PDF shows them, are those of readings first..last.
    void printed() {
        NEED_POPPLER();
        QFETCH(int, scope);
        QFETCH(int, first);
        QFETCH(int, last);
        Printing p(501, [](int i) { return i; });
        if (scope >= 0) p.zoom(201, 300, 0, 1000, 1000);
        PromptScript script;
        if (scope >= 0)
            script.modal("PrintOpt", [scope](QDialog& d) {
                (scope ? static_cast<PrintOpt&>(d).Command2 : static_cast<PrintOpt&>(d).Command1)
                    ->click();
            });
        script.print(p.toPdf());
        p.w.mnuPData->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(script.seen().last().title, p.st.Text(79));
        QCOMPARE(p.st.PrintScope, qint16(scope == 1));
        QVERIFY(p.w.Label15->isHidden() && !ui::IsHourglass() && p.w.mnuFile->isEnabled());

        const QStringList pages = p.pages();
        QCOMPARE(pages.size(), (last - first) / 500 + 1);
        static const QRegularExpression value("(\\d+)\\.00 V");
        for (int k = 0; k < pages.size(); ++k) {
            QVERIFY(pages[k].simplified().startsWith(QString("Feeder 3 page %1 ").arg(k + 1)));
            QList<int> values;
            for (const auto& m : value.globalMatch(pages[k])) values << m.captured(1).toInt();
            std::sort(values.begin(), values.end());
            const int from = first + 500 * k, to = std::min(last, from + 499);
            QCOMPARE(values.size(), to - from + 1);
            QVERIFY(values.first() == from && values.last() == to);
        }
    }
};

VESTO_TEST(PrintDataTest)
#include "tst_printdata.moc"
