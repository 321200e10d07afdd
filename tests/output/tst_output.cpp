#include "graph/DrawGraph.h"
#include "graph/canvas/PictureBox.h"
#include "output/PrintData.h"
#include "output/PrintOpt.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"
#include "ui/Format.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

const double kStart = 45000 + 3.0 / 86400; // 03/15/23 12:00:03 am, between two time labels

// The main window with n readings 0.1 s apart (reading i holds value(i), by default i), drawn,
// its menus enabled as by a download; when zoomFirst is given, zoomed to the 100 readings from
// there with the value window min..max.
struct Printing {
    ScopedWorkDir dir;
    MainWindowFixture fx;
    AppState& st = *fx.st;
    Log1& w = *fx.w;
    const QString pdf = dir.file("out.pdf");
    PromptScript script;

    static double index(int i) { return i; }
    Printing(int n, int zoomFirst = 0, double min = 0, double max = 0,
             double (*value)(int) = index) {
        fx.load();
        st.RecordCount = n, st.DisplayCount = zoomFirst > 0 ? 100 : n;
        for (int i = 1; i <= n; ++i) {
            st.RecordTime.point(i) = kStart + (i - 1) / 864000.0;
            st.RecordValue.point(i) = float(value(i));
        }
        for (int i = 1, k = std::max(1, zoomFirst); i <= st.DisplayCount; ++i, ++k)
            st.DisplayTime.point(i) = st.RecordTime.point(k), st.DisplayValue.point(i) = value(k);
        if (zoomFirst > 0) st.Zoomed = 1, st.AxisMin = min, st.AxisMax = max;
        st.GraphTitle = "Feeder 3", st.LoggerNumber = 1234, st.DescriptionLine7 = "last line";
        for (QAction* item : {w.mnuPGraph, w.mnuPData, w.mnuGClip}) item->setEnabled(true);
        w.ProgressBar1->setValue(100);
        DrawGraph(w);
    }

    // Expects the print dialog, noting whether the window is busy then, and answers it: an A4 PDF
    // without margins, or Cancel.
    void expectPrint(bool accept, bool& busy, bool landscape = false) {
        script.print([=, this, &busy](QPrinter& p) {
            busy = ui::IsHourglass() && !w.mnuFile->isEnabled() && !w.mnuScale->isVisible();
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            p.setPageSize(QPageSize(QPageSize::A4));
            p.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
            p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
            return accept;
        });
    }
    // Every prompt came as expected and the window is back from the busy state.
    bool idle() const {
        bool idle = w.Label15->isHidden() && ui::CurrentPointer() == ui::Pointer::Default;
        for (QAction* menu : w.busyMenus()) idle &= menu->isEnabled() || !menu->isVisible();
        return idle && script.finished() && !w.mnuScale->isVisible();
    }
    QString text(const QString& option) const {
        QProcess p;
        p.start("pdftotext", {option, pdf, "-"});
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    QStringList pages() const { // the text of each page; a form feed ends each
        const QString all = text("-layout");
        return all.split('\f').mid(0, all.count('\f'));
    }
    // The top of the word printed at x (within 3 points), in points from the page's top.
    double wordTop(const QString& word, double x) const {
        static const QRegularExpression re(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)<)re");
        for (const auto& m : re.globalMatch(text("-bbox")))
            if (m.captured(3) == word && qAbs(m.captured(1).toDouble() - x) < 3)
                return m.captured(2).toDouble();
        return -100;
    }
};

} // namespace

class OutputTest : public QObject {
    Q_OBJECT

private slots:
    void graphPage_data() {
        QTest::addColumn<bool>("zoomed");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("stats"); // Max, Min, Avg, Points as printed; none: cancelled
        const QString whole = "5.20 4.60 4.95 300";
        QTest::newRow("portrait") << false << false << int(ui::Yes) << whole;
        QTest::newRow("landscape, no description") << false << true << int(ui::No) << whole;
        QTest::newRow("zoomed window") // every segment crosses the plot
            << true << false << int(ui::Yes) << "5.200 4.900 5.050 100";
        QTest::newRow("dialog cancelled, then copied") << false << false << int(ui::Yes) << "";
    }
    // The statistics in the readout pattern: two decimals for a span of 1 to 10 units.
    void graphPage() {
        QFETCH(bool, zoomed);
        QFETCH(bool, landscape);
        QFETCH(int, answer);
        QFETCH(QString, stats);
        // 4.6 and 4.9 in turn, from reading 101 on 0.3 higher
        const auto reading = [](int i) { return (i % 2 ? 4.9 : 4.6) + (i > 100 ? 0.3 : 0); };
        Printing p(300, zoomed ? 101 : 0, 4.95, 5.15, reading);
        bool busy = false, printed = !stats.isEmpty();
        p.script.message(p.st.Text(82), ui::Answer(answer));
        p.expectPrint(printed, busy, landscape);
        p.w.mnuPGraph->trigger();
        QVERIFY2(p.idle() && busy, qPrintable(p.script.report()));
        QCOMPARE(QFile::exists(p.pdf), printed);
        if (!printed) { // the clipboard holds the picture of the canvas
            p.w.mnuGClip->trigger();
            QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                     p.w.Picture1->Image());
            return;
        }

        const QStringList pages = p.pages(), v = stats.split(' ');
        QCOMPARE(pages.size(), 1);
        const QString text = pages[0].simplified();
        for (const QString& cell : QStringList{
                 "Max: " + v[0], "Min: " + v[1], "Avg: " + v[2], "Points: " + v[3],
                 "Logger No: 1234", "Feeder 3",
                 "Start: " + ui::Format(p.st.DisplayTime.point(1), p.st.DateTimeFormatShort)})
            QVERIFY2(text.contains(cell), qPrintable(cell));
        QCOMPARE(text.contains("last line"), answer != ui::No);
        for (double t : {p.st.FirstTimeLabel, p.st.LastTimeLabel})
            QVERIFY(text.contains(ui::Format(t, p.st.TimeLabelFormat)));

        // Positions in points: the page is the printable area, the plot 0.42 x W high.
        const double pw = landscape ? 841.89 : 595.28, ph = landscape ? 595.28 : 841.89;
        const double left = 0.2 * pw, top = 0.1 * ph, height = 0.42 * pw, bottom = top + height;
        for (int j : {0, p.st.ValueDivisions}) {
            const QString s =
                ui::Format(p.st.AxisBottom + j * p.st.ValueStep, p.st.ValueLabelFormat);
            const double y = bottom - j * height / p.st.ValueDivisions - 0.02 * height;
            QVERIFY2(qAbs(p.wordTop(s, 0.72 * left) - y) < 3, qPrintable(s));
        }
    }

    // Readings first..last, 500 a page: row r of page p holds the readings
    // first + 500 (p - 1) + r + 100 c, c = 0..4, up to last.
    void listing_data() {
        QTest::addColumn<int>("count");
        // The button of the options dialog when zoomed; -1 not zoomed, -2 not zoomed and the
        // print dialog cancelled.
        QTest::addColumn<int>("scope");
        QTest::addColumn<QList<int>>("readings"); // first and last printed
        for (int n : {1, 100, 101, 500, 501})
            QTest::addRow("%d points", n) << n << -1 << QList<int>{1, n};
        QTest::newRow("zoomed, displayed graph only") << 501 << 1 << QList<int>{201, 300};
        QTest::newRow("zoomed, options cancelled") << 501 << 2 << QList<int>{};
        QTest::newRow("dialog cancelled") << 501 << -2 << QList<int>{};
    }
    void listing() {
        QFETCH(int, count);
        QFETCH(int, scope);
        QFETCH(QList<int>, readings);
        Printing p(count, scope >= 0 ? 201 : 0, 0, 1000);
        bool busy = scope == 2;
        if (scope >= 0)
            p.script.modal("PrintOpt", [scope](QDialog& d) {
                auto& o = static_cast<PrintOpt&>(d);
                QList<QPushButton*>{o.Command1, o.Command2, o.Command3}[scope]->click();
            });
        if (scope < 2) p.expectPrint(scope != -2, busy);
        p.w.mnuPData->trigger();
        QVERIFY2(p.idle() && busy, qPrintable(p.script.report()));
        QCOMPARE(QFile::exists(p.pdf), !readings.isEmpty());
        if (readings.isEmpty()) return;
        const QStringList pages = p.pages();
        QCOMPARE(pages.size(), (readings[1] - readings[0]) / 500 + 1);
        static const QRegularExpression value("(\\d+)\\.00 V");
        for (int k = 0; k < pages.size(); ++k) {
            QVERIFY(pages[k].simplified().startsWith(QString("Feeder 3 page %1 ").arg(k + 1)));
            const int from = readings[0] + 500 * k, to = std::min(readings[1], from + 499);
            int row = 0;
            for (const QString& line : pages[k].split('\n')) {
                QList<int> got, expected;
                for (const auto& m : value.globalMatch(line)) got << m.captured(1).toInt();
                for (int i = from + row; i <= to && !got.isEmpty(); i += 100) expected << i;
                QCOMPARE(got, expected);
                row += !got.isEmpty();
            }
            QCOMPARE(row, std::min(100, to - from + 1));
        }
    }
};

VESTO_TEST(OutputTest)
#include "tst_output.moc"
