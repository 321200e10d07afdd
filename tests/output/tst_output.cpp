#include "graph/DrawGraph.h"
#include "graph/canvas/PictureBox.h"
#include "output/PrintData.h"
#include "output/PrintOpt.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"
#include "ui/Colors.h"
#include "ui/Format.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#define NEED_POPPLER()                                                                             \
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())                                     \
    QSKIP("poppler-utils not "                                                                     \
          "installed")

namespace {

const double kStart = 45000 + 3.0 / 86400; // 03/15/23 12:00:03 am, between two time labels

double Reading(int i) { // 4.6 and 4.9 in turn, from reading 101 on 0.3 higher
    return (i % 2 ? 4.9 : 4.6) + (i > 100 ? 0.3 : 0);
}
double Index(int i) {
    return i;
}
ListingPoint SecondApart(int i) {
    return {kStart + i / 86400.0, double(i)};
}

// The main window with a record 0.1 s a reading, drawn, its menus enabled as by a download.
struct Printing {
    ScopedWorkDir dir;
    MainWindowFixture fx;
    AppState& st = *fx.st;
    Log1& w = *fx.w;
    const QString pdf = dir.file("out.pdf");

    Printing(int n, double (*value)(int), int zoomFirst = 0, double zoomMin = 0, double zoomMax = 0,
             double zoomOffset = 0) {
        fx.load();
        for (int i = 1; i <= n; ++i) {
            st.RecordTime.point(i) = st.DisplayTime.point(i) = kStart + (i - 1) / 864000.0;
            st.RecordValue.point(i) = float(value(i));
            st.DisplayValue.point(i) = value(i);
        }
        st.RecordCount = st.DisplayCount = n;
        if (zoomFirst > 0) { // the window of 100 readings the zoom leaves
            for (int i = 1; i <= 100; ++i) {
                st.DisplayTime.point(i) = st.RecordTime.point(zoomFirst + i - 1);
                st.DisplayValue.point(i) = zoomOffset + value(zoomFirst + i - 1);
            }
            st.DisplayCount = 100;
            st.Zoomed = 1, st.AxisMin = zoomMin, st.AxisMax = zoomMax;
        }
        st.GraphTitle = "Feeder 3", st.LoggerNumber = 1234;
        st.HighLimitValue = 6, st.LowLimitValue = 4;
        st.DescriptionLine2 = "second line", st.DescriptionLine7 = "seventh line";
        for (QAction* item : {w.mnuPGraph, w.mnuPData, w.mnuGClip}) item->setEnabled(true);
        w.ProgressBar1->setValue(100);
        DrawGraph(w);
    }
    ~Printing() { ui::SetPointer(ui::Pointer::Default); }

    // The print dialog's answer: an A4 PDF without margins, or a file that cannot be written.
    std::function<bool(QPrinter&)> toPdf(bool landscape = false, bool writable = true) {
        return [this, landscape, writable](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(writable ? pdf : dir.file("missing/out.pdf"));
            p.setPageSize(QPageSize(QPageSize::A4));
            p.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
            p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
            return true;
        };
    }
    QString tool(const QString& name, const QStringList& args) const {
        QProcess p;
        p.start(name, args);
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    QStringList pages() const { // the text of each page
        QStringList pages = tool("pdftotext", {"-layout", pdf, "-"}).split('\f');
        pages.removeLast(); // after the last page's form feed
        return pages;
    }
    // The top of the word printed at x (within 3 points), in points from the page's top.
    double wordTop(const QString& text, double x) const {
        static const QRegularExpression re(
            "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>([^<]*)</word>");
        for (const auto& m : re.globalMatch(tool("pdftotext", {"-bbox", pdf, "-"})))
            if (m.captured(3) == text && qAbs(m.captured(1).toDouble() - x) < 3)
                return m.captured(2).toDouble();
        return -100;
    }
};

} // namespace

class OutputTest : public QObject {
    Q_OBJECT
    QStringList shown; // Label15's caption and colour whenever it is shown

    bool eventFilter(QObject* o, QEvent* e) override {
        if (auto* l = qobject_cast<QLabel*>(o); l && e->type() == QEvent::Show)
            shown << l->text() + ' ' + ui::BackColor(l).name();
        return false;
    }

private slots:
    void graphPage_data() {
        QTest::addColumn<bool>("zoomed");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("stats"); // readout pattern; Max, Min, Avg, Points as printed
        QTest::newRow("portrait") << false << false << int(ui::Yes)
                                  << "###0.00;-##0.00 5.20 4.60 4.95 300";
        QTest::newRow("landscape, no description")
            << false << true << int(ui::No) << "###0.00;-##0.00 5.20 4.60 4.95 300";
        QTest::newRow("zoomed window") // every segment crosses the plot
            << true << false << int(ui::Yes) << "##0.000;-#0.000 5.200 4.900 5.050 100";
    }
    void graphPage() {
        NEED_POPPLER();
        QFETCH(bool, zoomed);
        QFETCH(bool, landscape);
        QFETCH(int, answer);
        QFETCH(QString, stats);
        Printing p(300, Reading, zoomed ? 101 : 0, 4.95, 5.15);
        const QStringList v = stats.split(' ');
        QCOMPARE(p.st.ValueReadoutFormat, v[0]);
        shown.clear();
        p.w.Label15->installEventFilter(this);
        PromptScript script;
        script.message(p.st.Text(82), ui::Answer(answer)).print(p.toPdf(landscape));
        p.w.mnuPGraph->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        const auto& q = script.seen();
        QVERIFY(q[0].title == p.st.Text(150) && q[0].icon == ui::Icon::Question &&
                q[0].buttons == ui::Buttons::YesNoCancel && q[1].title == p.st.Text(83));
        QCOMPARE(p.st.PrintGraphAnswer.value(), double(answer));
        QCOMPARE(shown, QStringList{p.st.Text(84) + " #00c0c0"});

        const QStringList pages = p.pages();
        QCOMPARE(pages.size(), 1);
        const QString text = pages[0].simplified();
        for (const QString& cell : QStringList{
                 "Max: " + v[1], "Min: " + v[2], "Avg: " + v[3], "Points: " + v[4],
                 "Logger No: 1234", "Feeder 3",
                 "Start: " + ui::Format(p.st.DisplayTime.point(1), p.st.DateTimeFormatShort)})
            QVERIFY2(text.contains(cell), qPrintable(cell));
        QCOMPARE(text.contains("second line") && text.contains("seventh line"), answer != ui::No);
        const double days = p.st.TimeLabelDays;
        for (double t = p.st.FirstTimeLabel; t < p.st.LastTimeLabel + days / 2; t += days)
            QVERIFY(text.contains(ui::Format(t, p.st.TimeLabelFormat)));

        // Positions in points: the page is the printable area, the plot 0.42 x W high.
        const double pw = landscape ? 841.89 : 595.28, ph = landscape ? 595.28 : 841.89;
        const double left = 0.2 * pw, top = 0.1 * ph, height = 0.42 * pw, bottom = top + height;
        for (int j : {0, p.st.ValueDivisions}) {
            const QString label =
                ui::Format(p.st.AxisBottom + j * p.st.ValueStep, p.st.ValueLabelFormat);
            const double y = bottom - j * height / p.st.ValueDivisions - 0.02 * height;
            QVERIFY2(qAbs(p.wordTop(label, 0.72 * left) - y) < 3, qPrintable(label));
        }
        QVERIFY(qAbs(p.wordTop("Max:", left + 0.35 * pw) - (bottom + 0.065 * ph)) < 3);
    }

    // Cancelling the print dialog, or a printer that fails, leaves the window as it was.
    void recovery_data() {
        QTest::addColumn<bool>("graph");
        QTest::addColumn<bool>("fails"); // the dialog was accepted, the printer failed
        for (bool graph : {true, false})
            for (bool fails : {false, true})
                QTest::addRow("%s %d", graph ? "graph" : "data", fails) << graph << fails;
    }
    void recovery() {
        QFETCH(bool, graph);
        QFETCH(bool, fails);
        Printing p(300, Reading);
        PromptScript script;
        if (graph) script.message("", ui::Yes);
        bool busy = false;
        script.print([&](QPrinter& printer) {
            busy = ui::IsHourglass() && !p.w.mnuFile->isEnabled() && !p.w.mnuScale->isVisible();
            return fails && p.toPdf(false, false)(printer);
        });
        if (fails) QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        (graph ? p.w.mnuPGraph : p.w.mnuPData)->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QVERIFY(busy && !QFile::exists(p.dir.file("missing/out.pdf")));
        QVERIFY(p.w.Label15->isHidden() && ui::CurrentPointer() == ui::Pointer::Default);
        for (QAction* menu : p.w.busyMenus()) QVERIFY(menu->isEnabled() || !menu->isVisible());
        QVERIFY(!p.w.mnuScale->isVisible() && !p.w.mnuFuncWEN->isVisible());
    }

    void clipboard() {
        Printing p(300, Reading);
        PromptScript script;
        p.w.mnuGClip->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        const QImage copied = QGuiApplication::clipboard()->image();
        ImageCanvas& c = p.w.Picture1->canvas();
        QCOMPARE(copied.size(), QSize(c.ScaleWidth(), c.ScaleHeight()));
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), p.w.Picture1->Image());
    }

    void listingPages_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("pages");
        for (auto [count, pages] :
             {std::pair{1, 1}, {100, 1}, {101, 1}, {500, 1}, {501, 2}, {1001, 3}})
            QTest::addRow("%d", count) << count << pages;
    }
    // Row r of page p holds the readings 500 (p - 1) + r + 100 c, c = 0..4, up to N.
    void listingPages() {
        QFETCH(int, count);
        QFETCH(int, pages);
        ListingInput in{count, SecondApart, "Feeder 3", "V", "mm/dd/yy hh:mm:ss am/pm"};
        QCOMPARE(ListingPageCount(count), pages);
        QVERIFY(ListingPage(in, pages + 1).isEmpty());
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
                QCOMPARE(columns.size(), std::min(5, (count - first - r) / 100 + 1));
                for (int c = 0; c < columns.size(); ++c) {
                    const int k = first + r + 100 * c;
                    QCOMPARE(columns[c], ui::Format(in.point(k).time, in.dateTimeFormat) +
                                             QString("  %1.00 V").arg(k));
                }
            }
        }
    }

    void printedListing_data() {
        QTest::addColumn<int>("scope"); // -1 not zoomed, else the button of the options dialog
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("entire record") << -1 << 1 << 501;
        QTest::newRow("zoomed, entire record") << 0 << 1 << 501;
        QTest::newRow("zoomed, displayed graph only") << 1 << 1201 << 1300;
        QTest::newRow("zoomed, cancelled") << 2 << 0 << -1;
    }
    // The values on each page of the PDF are those of readings first..last, 500 a page.
    void printedListing() {
        NEED_POPPLER();
        QFETCH(int, scope);
        QFETCH(int, first);
        QFETCH(int, last);
        Printing p(501, Index, scope >= 0 ? 201 : 0, 0, 1000, 1000);
        PromptScript script;
        if (scope >= 0)
            script.modal("PrintOpt", [scope](QDialog& d) {
                auto& o = static_cast<PrintOpt&>(d);
                QList<QPushButton*>{o.Command1, o.Command2, o.Command3}[scope]->click();
            });
        if (scope < 2) script.print(p.toPdf());
        p.w.mnuPData->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(p.st.PrintCancelled.value(), scope == 2 ? 1.0 : 0.0);
        if (scope == 2) return;
        QCOMPARE(script.seen().last().title, p.st.Text(79));
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
            QVERIFY(values.size() == to - from + 1 && values.first() == from &&
                    values.last() == to);
        }
    }
};

VESTO_TEST(OutputTest)
#include "tst_output.moc"
