#include "graph/GraphWindow.h"
#include "output/EventTable.h"
#include "output/frmCurves.h"
#include "output/frmEvents.h"
#include "quality/Nominal.h"
#include "shell/StringNumbers.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"
#include "ui/DateSerial.h"
#include "ui/Format.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <cmath>

namespace {

// The curves as a reader of the two standards applies them, in per cent and seconds.
QString Itic(double seconds, double low, double high) {
    if (high > 100 && high > (seconds <= 0.5 ? 120 : 110)) return "prohibited";
    if (low < 100 && low < (seconds <= 0.5 ? 70 : seconds <= 10 ? 80 : 90)) return "no_damage";
    return "within";
}

QString Semi(double seconds, double low) {
    if (low >= 100) return "";
    if (seconds > 1) return "not_covered";
    return low >= (seconds <= 0.2 ? 50 : seconds <= 0.5 ? 70 : 80) ? "inside" : "outside";
}

QString Percent(double volts, double nominal) {
    return QString::number(std::round(volts / nominal * 1000) / 10, 'f', 1);
}

// A site record of sags and swells of known depth and length, High 245 and Low 215 V: readings
// 0.1 s apart within each event, 20 s between events. Its events' readings.
QList<QList<double>> SiteRecord(const GraphWindow& g) {
    const QList<QList<double>> runs{
        {161, 161, 161, 161, 161}, QList<double>(5, 160.7), QList<double>(6, 184),
        QList<double>(12, 250),    QList<double>(6, 253.3), {115, 115},
        QList<double>(11, 200),    {150, 150, 280, 280},    QList<double>(120, 200)};
    QByteArray file = "\"loggerfile\"\r\n\"exception recorder\"\r\n%1\r\n\"Site\"\r\n";
    file += QByteArray("\"\"\r\n").repeated(6) + "1\r\n1234\r\n\"V\"\r\n245\r\n215\r\n";
    int readings = 0;
    for (int k = 0; k < runs.size(); ++k)
        for (int i = 0; i < runs[k].size(); ++i, ++readings)
            file += QByteArray::number(kStart + (k * 200 + readings) / 864000.0, 'f', 8) + '\t' +
                    QByteArray::number(runs[k][i], 'f', 2) + "\r\n";
    g.dir.write("site.txt", file.replace("%1", QByteArray::number(readings)));
    return runs;
}

} // namespace

class CurvesTest : public QObject {
    Q_OBJECT
private slots:
    // A site record of sags and swells of known depth and length, opened as a file: the events
    // exported with their per cents of the nominal the limits suggest, regions and verdicts; the
    // chart names, selects and saves its marks; another nominal chosen and kept for the logger.
    void siteRecord() {
        GraphWindow g;
        Log1& w = g.w;
        w.ProgressBar1->setValue(0);
        const QList<QList<double>> runs = SiteRecord(g);
        PromptScript script;
        script.openFile(g.dir.file("site.txt")).saveFile(g.dir.file("site"));
        w.mnuOpen->trigger();
        w.mnuEvents->trigger();
        auto* events = w.findChild<frmEvents*>();
        QCOMPARE(events->Combo1->currentText(), "230 V");
        events->Command1->click();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        const QList<QStringList> csv = ReadCsv(g.dir.read("site.csv"));
        QCOMPARE(csv.size(), runs.size() + 1);
        QCOMPARE(csv[0].mid(10), (QStringList{"min_pct", "max_pct", "itic", "semi_f47"}));
        for (int k = 0; k < runs.size(); ++k) {
            const double seconds = runs[k].size() / 10.0;
            const double low = *std::min_element(runs[k].begin(), runs[k].end());
            const double high = *std::max_element(runs[k].begin(), runs[k].end());
            const QStringList expected{
                Percent(low, 230), Percent(high, 230),
                Itic(seconds, Percent(low, 230).toDouble(), Percent(high, 230).toDouble()),
                Semi(seconds, Percent(low, 230).toDouble())};
            QCOMPARE(csv[k + 1].mid(10), expected);
        }

        // The chart: two marks for the event that is both; pointing at the swell names it, a
        // click selects it in the list; the picture shows every region's colour.
        events->Command4->click();
        auto* curves = w.findChild<frmCurves*>();
        QVERIFY(curves && curves->isVisible());
        QCOMPARE(int(curves->marks().size()), runs.size() + 1);
        const ChartMark& swell = curves->marks()[8];
        QCOMPARE(swell.event, 7);
        const QPointF at(curves->map().x(swell.durationMs), curves->map().y(swell.tenths));
        QVERIFY(curves->MarkText(curves->MarkUnder(at)).contains("121.7 %"));
        QTest::mouseClick(curves->Picture1, Qt::LeftButton, {}, at.toPoint());
        QCOMPARE(events->eventAt(events->Grid1->currentIndex().row()).number, 8);
        script.saveFile(g.dir.file("chart"));
        curves->Command1->click();
        const QImage png(g.dir.file("chart.png"));
        QCOMPARE(png.size(), 2 * curves->Picture1->size());
        std::array<int, 3> colours{}; // in the plot, not counting the legend's swatches
        const QRect plot = curves->map().plot.toRect();
        for (int y = 2 * plot.top(); y < 2 * plot.bottom(); ++y)
            for (int x = 2 * plot.left(); x < 2 * plot.right(); ++x)
                for (int r = 0; r < 3; ++r)
                    colours[size_t(r)] +=
                        png.pixelColor(x, y) == RegionColor(static_cast<quality::IticRegion>(r));
        QVERIFY2(colours[0] > 100 && colours[1] > 100 && colours[2] > 100,
                 qPrintable(QString("%1 %2 %3").arg(colours[0]).arg(colours[1]).arg(colours[2])));

        // Another nominal typed: the list and chart follow, the logger keeps it; a voltage out
        // of reach is refused.
        script.message(g.st.Text(str::kBadNominal).arg("5000").left(10), ui::Ok);
        for (const char* typed : {"240", "5000"}) {
            events->Combo1->lineEdit()->setText(typed);
            emit events->Combo1->lineEdit()->editingFinished();
        }
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(quality::RememberedNominal(1234).value_or(0), 240.0);
        QCOMPARE(events->events()[0].judged->minTenths, int(std::round(161 / 240.0 * 1000)));
        QCOMPARE(curves->marks()[0].tenths, events->events()[0].judged->minTenths);

        // The chart on paper: its title and the record's curves.
        script.print([&g](QPrinter& p) {
            p.setOutputFileName(g.dir.file("chart.pdf"));
            return true;
        });
        curves->Command2->click();
        const QString page = PdfText(g.dir.file("chart.pdf")).simplified();
        QVERIFY2(page.contains("Site") && page.contains("ITIC") && page.contains("SEMI F47"),
                 qPrintable(page));
    }

    // The site report of that record as a PDF, read back: summary, graph, chart and events on
    // four pages, each with its header and footer; the summary's figures as counted here from
    // the readings; a row for every event.
    void report() {
        GraphWindow g;
        g.w.ProgressBar1->setValue(0);
        const QList<QList<double>> runs = SiteRecord(g);
        ui::SetClockForTesting(
            [] { return QDateTime(QDate(2026, 12, 6), QTime(14, 3), Qt::OffsetFromUTC, 3600); });
        PromptScript script;
        script.openFile(g.dir.file("site.txt"))
            .message(g.st.Text(str::kReportAsPdf), ui::Yes)
            .saveFile(g.dir.file("site"));
        g.w.mnuOpen->trigger();
        g.w.mnuReport->trigger();
        ui::SetClockForTesting({});
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QStringList pages = PdfText(g.dir.file("site.pdf")).split('\f');
        for (QString& page : pages) page = page.simplified();
        QCOMPARE(pages.size(), 5); // and the empty rest after the last page
        for (int p = 0; p < 4; ++p)
            for (const QString& part : {QString("Site Logger No: 1234 Page %1 of 4").arg(p + 1),
                                        QString("Vesto Logger 1.0.0 Report made 2026-12-06 "
                                                "14:03 +01:00")})
                QVERIFY2(pages[p].contains(part), qPrintable(pages[p]));

        int above = 0, below = 0, between = 0, sides[4] = {}, regions[3] = {};
        for (const QList<double>& run : runs) {
            bool high = false, low = false;
            for (const double v : run) {
                (v > 245 ? above : v < 215 ? below : between)++;
                high = high || v > 245, low = low || v < 215;
            }
            sides[high && low ? 3 : high ? 1 : low ? 2 : 0]++;
            const double least = *std::min_element(run.begin(), run.end());
            const double most = *std::max_element(run.begin(), run.end());
            const QString region = Itic(run.size() / 10.0, Percent(least, 230).toDouble(),
                                        Percent(most, 230).toDouble());
            regions[region == "within" ? 0 : region == "no_damage" ? 1 : 2]++;
        }
        const auto tenths = [](int readings) { return DurationText(readings / 864000.0); };
        const int sixth = 1 + runs[0].size() * 2 + runs[2].size() + runs[3].size() + runs[4].size();
        const QString lowest =
            ui::Format(g.st.RecordTime.point(sixth), WithTenths(g.st.DateTimeFormatLong));
        for (const QString& line :
             {QString("Points: %1").arg(above + below + between), QString("Events: 9"),
              QString("Events by side: above High %1, below Low %2, above and below %3, "
                      "between %4")
                  .arg(sides[1])
                  .arg(sides[2])
                  .arg(sides[3])
                  .arg(sides[0]),
              QString("ITIC: within %1, no-damage %2, prohibited %3")
                  .arg(regions[0])
                  .arg(regions[1])
                  .arg(regions[2]),
              "Time above High: " + tenths(above), "Time below Low: " + tenths(below),
              "Time between the limits: " + tenths(between),
              "Lowest: 115.00 V, " + lowest + ", No. 6", QString("Nominal voltage: 230 V")})
            QVERIFY2(pages[0].contains(line), qPrintable(line + " in " + pages[0]));
        QVERIFY(pages[1].contains("Max: 280.0") && pages[2].contains("ITIC"));
        for (int k = 1; k <= runs.size(); ++k)
            QVERIFY(pages[3].contains(QString(" %1 ").arg(k) +
                                      ui::Format(g.st.RecordTime.point(1), "mm/dd/yy")));
    }
};

VESTO_TEST(CurvesTest)
#include "tst_curves.moc"
