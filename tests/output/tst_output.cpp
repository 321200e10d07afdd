#include "graph/DrawGraph.h"
#include "graph/canvas/PictureBox.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"
#include "ui/Format.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTest>

namespace {

const double kStart = 45000 + 3.0 / 86400; // 03/15/23 12:00:03 am, between two time labels

// The main window with n readings 0.1 s apart (reading i holds value(i)), drawn, its menus
// enabled as by a download; when zoomFirst is given, zoomed to the 100 readings from there with
// the value window 4.95..5.15.
struct Printing {
    ScopedWorkDir dir;
    MainWindowFixture fx;
    AppState& st = *fx.st;
    Log1& w = *fx.w;
    const QString pdf = dir.file("out.pdf");
    PromptScript script;

    Printing(int n, int zoomFirst, double (*value)(int)) {
        fx.load();
        st.RecordCount = n, st.DisplayCount = zoomFirst > 0 ? 100 : n;
        for (int i = 1; i <= n; ++i)
            st.RecordTime.point(i) = kStart + (i - 1) / 864000.0,
            st.RecordValue.point(i) = value(i);
        for (int i = 1, k = std::max(1, zoomFirst); i <= st.DisplayCount; ++i, ++k)
            st.DisplayTime.point(i) = st.RecordTime.point(k), st.DisplayValue.point(i) = value(k);
        if (zoomFirst > 0) st.Zoomed = 1, st.AxisMin = 4.95, st.AxisMax = 5.15;
        st.GraphTitle = "Feeder 3", st.LoggerNumber = 1234, st.DescriptionLine7 = "last line";
        for (QAction* item : {w.mnuPGraph, w.mnuPData, w.mnuGClip}) item->setEnabled(true);
        w.ProgressBar1->setValue(100);
        DrawGraph(w);
    }
    // Runs a print command whose print dialog is answered with an A4 PDF without margins, or
    // cancelled: true when the window was busy at the dialog, is idle again, every prompt came
    // as expected and the PDF exists only when printed.
    bool print(QAction* command, bool accept, bool landscape = false) {
        bool busy = false;
        script.print([&](QPrinter& p) {
            busy = ui::IsHourglass() && !w.mnuFile->isEnabled() && !w.mnuScale->isVisible();
            p.setOutputFileName(pdf);
            p.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                        landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                        QMarginsF(), QPageLayout::Point));
            return accept;
        });
        command->trigger();
        bool idle = w.Label15->isHidden() && !ui::IsHourglass();
        for (QAction* menu : w.busyMenus()) idle &= menu->isEnabled() || !menu->isVisible();
        return busy && idle && script.finished() && !w.mnuScale->isVisible() &&
               QFile::exists(pdf) == accept;
    }
    // The top of the word printed at x (within 3 points), in points from the page's top.
    double wordTop(const QString& word, double x) const {
        const QRegularExpression re(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>)re" +
                                    QRegularExpression::escape(word) + '<');
        for (const auto& m : re.globalMatch(PdfText(pdf, "-bbox")))
            if (qAbs(m.captured(1).toDouble() - x) < 3) return m.captured(2).toDouble();
        return -100;
    }
};

} // namespace

class OutputTest : public QObject {
    Q_OBJECT

private slots:
    void graphPage_data() {
        QTest::addColumn<bool>("zoomed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("stats"); // Max, Min, Avg, Points as printed; none: cancelled
        QTest::newRow("landscape, no description") << false << int(ui::No) << "5.20 4.60 4.95 300";
        QTest::newRow("zoomed window") // every segment crosses the plot
            << true << int(ui::Yes) << "5.200 4.900 5.050 100";
        QTest::newRow("dialog cancelled, then copied") << false << int(ui::Yes) << "";
    }
    // The statistics in the readout pattern: two decimals for a span of 1 to 10 units. The start
    // (15 March) in US order, and zoomed in European order.
    void graphPage() {
        QFETCH(bool, zoomed);
        QFETCH(int, answer);
        QFETCH(QString, stats);
        const bool landscape = QByteArray(QTest::currentDataTag()).startsWith("landscape");
        // 4.6 and 4.9 in turn, from reading 101 on 0.3 higher
        Printing p(300, zoomed ? 101 : 0,
                   [](int i) { return (i % 2 ? 4.9 : 4.6) + (i > 100 ? 0.3 : 0); });
        if (zoomed) p.w.mnuEur->trigger();
        p.script.message(p.st.Text(82), ui::Answer(answer));
        QVERIFY2(p.print(p.w.mnuPGraph, !stats.isEmpty(), landscape),
                 qPrintable(p.script.report()));
        if (stats.isEmpty()) { // the clipboard holds the picture of the canvas
            p.w.mnuGClip->trigger();
            QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                     p.w.Picture1->Image());
            return;
        }
        const QString page = PdfText(p.pdf).simplified();
        const QStringList v = stats.split(' ');
        for (const QString& cell :
             QStringList{"Max: " + v[0], "Min: " + v[1], "Avg: " + v[2], "Points: " + v[3],
                         "Logger No: 1234", "Feeder 3",
                         zoomed ? "Start: 15/3/23 00:00:13" : "Start: 3/15/23 12:00:03 am",
                         ui::Format(p.st.FirstTimeLabel, p.st.TimeLabelFormat),
                         ui::Format(p.st.LastTimeLabel, p.st.TimeLabelFormat)})
            QVERIFY2(page.contains(cell), qPrintable(cell));
        QCOMPARE(page.contains("last line"), answer != ui::No);
        // In points, the page being the printable area: the plot starts 0.1 x H from the top and
        // is 0.42 x W high; the bottom label's top lies 0.02 x its height above the bottom.
        const double pw = landscape ? 841.89 : 595.28, ph = landscape ? 595.28 : 841.89;
        const QString bottom = ui::Format(p.st.AxisBottom, p.st.ValueLabelFormat);
        QVERIFY(qAbs(p.wordTop(bottom, 0.72 * 0.2 * pw) - (0.1 * ph + 0.98 * 0.42 * pw)) < 3);
    }

    // Readings first..last, 500 a page: row r of page p holds the readings
    // first + 500 (p - 1) + r + 100 c, c = 0..4, up to last; -layout keeps them in rows. Each
    // with its date and time (15 March), zoomed in European order.
    void listing_data() {
        QTest::addColumn<int>("count");
        // The button of the options dialog when zoomed; -1 not zoomed. A cancelled print dialog
        // is a graph page case.
        QTest::addColumn<int>("scope");
        QTest::addColumn<QList<int>>("readings"); // first and last printed
        for (int n : {1, 100, 101, 500, 501})
            QTest::addRow("%d points", n) << n << -1 << QList<int>{1, n};
        QTest::newRow("zoomed, displayed graph only") << 501 << 1 << QList<int>{201, 300};
    }
    void listing() {
        QFETCH(int, count);
        QFETCH(int, scope);
        QFETCH(QList<int>, readings);
        Printing p(count, scope >= 0 ? 201 : 0, [](int i) { return double(i); });
        if (scope >= 0) p.w.mnuEur->trigger();
        if (scope >= 0)
            p.script.modal("PrintOpt", [scope](QDialog& d) {
                QMetaObject::invokeMethod(
                    d.findChild<QObject*>(QString("Command%1").arg(scope + 1)), "click");
            });
        QVERIFY2(p.print(p.w.mnuPData, true), qPrintable(p.script.report()));
        const QStringList pages = PdfText(p.pdf).split('\f');
        QCOMPARE(pages.size() - 1, (readings[1] - readings[0]) / 500 + 1); // a form feed ends each
        QVERIFY(pages[0].simplified().contains(scope >= 0 ? "15/03/23 00:00:23 201.00 V"
                                                          : "03/15/23 12:00:03 am 1.00 V"));
        static const QRegularExpression value("(\\d+)\\.00 V");
        for (int k = 0; k + 1 < pages.size(); ++k) {
            QVERIFY(pages[k].simplified().startsWith(QString("Feeder 3 page %1 ").arg(k + 1)));
            const int from = readings[0] + 500 * k, to = std::min(readings[1], from + 499);
            QList<int> got, expected;
            for (const auto& m : value.globalMatch(pages[k])) got << m.captured(1).toInt();
            for (int row = 0; row < 100; ++row)
                for (int i = from + row; i <= to; i += 100) expected << i;
            QCOMPARE(got, expected);
        }
    }
};

VESTO_TEST(OutputTest)
#include "tst_output.moc"
