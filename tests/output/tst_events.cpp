#include "graph/GraphWindow.h"
#include "graph/Zoom.h"
#include "output/frmEvents.h"
#include "shell/StringNumbers.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"
#include "ui/Colors.h"
#include "ui/DateSerial.h"
#include "ui/Format.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

// An ISO 8601 local time with tenths as a day serial.
double SerialOf(const QString& iso) {
    return ui::SerialFromDate(QDateTime::fromString(iso, Qt::ISODateWithMs));
}

} // namespace

class EventsTest : public QObject {
    Q_OBJECT
private slots:
    // Hand-made records with High 10 and Low 0; each event's values computed here from its
    // readings. Sides: - between, H above High, L below Low, B both.
    void events_data() {
        QTest::addColumn<QList<double>>("ticks"); // tenths of a second after kStart
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<QList<int>>("runs"); // readings of each event
        QTest::addColumn<QString>("sides");
        QTest::newRow("no pause: one event")
            << QList<double>{0, 1, 2, 3, 4} << QList<double>{5, 7, 9, 7, 5} << QList<int>{5} << "-";
        // At 0.5 s into the record the difference of the two times rounds above 1.5 periods.
        QTest::newRow("a pause of exactly 1.5 periods")
            << QList<double>{4, 5, 6.5, 7.5} << QList<double>{5, 5, 5, 5} << QList<int>{4} << "-";
        QTest::newRow("a longer pause splits")
            << QList<double>{0, 1, 2.6, 3.6} << QList<double>{12, 11, -1, -2} << QList<int>{2, 2}
            << "HL";
        QTest::newRow("touching the limits is between")
            << QList<double>{0, 1, 2} << QList<double>{10, 0, 5} << QList<int>{3} << "-";
        QTest::newRow("crossing from below to above")
            << QList<double>{0, 1, 2, 3} << QList<double>{-1, 5, 11, 5} << QList<int>{4} << "B";
        QTest::newRow("a step back in time splits")
            << QList<double>{10, 11, 12, 1, 2} << QList<double>{5, 5, 5, 5, 5} << QList<int>{3, 2}
            << "--";
        QTest::newRow("one reading alone")
            << QList<double>{0, 10, 11, 12} << QList<double>{12, 5, 3, 5} << QList<int>{1, 3}
            << "H-";
    }
    void events() {
        QFETCH(QList<double>, ticks);
        QFETCH(QList<double>, values);
        QFETCH(QList<int>, runs);
        QFETCH(QString, sides);
        RecordArray<double> t;
        RecordArray<float> v;
        for (int i = 1; i <= ticks.size(); ++i)
            t.point(i) = kStart + ticks[i - 1] / 864000, v.point(i) = float(values[i - 1]);
        const std::vector<RecordEvent> found = FindEvents(t, v, ticks.size(), 10, 0);
        QCOMPARE(int(found.size()), runs.size());
        double recorded = 0;
        int longest = 0, lowest = 0, highest = 0;
        for (int k = 0, first = 1; k < runs.size(); first += runs[k++]) {
            const RecordEvent& e = found[size_t(k)];
            const int last = first + runs[k] - 1;
            double sum = 0, min = v.point(first), max = min, minTime = t.point(first);
            double maxTime = minTime;
            for (int i = first; i <= last; ++i) {
                sum += v.point(i);
                if (v.point(i) < min) min = v.point(i), minTime = t.point(i);
                if (v.point(i) > max) max = v.point(i), maxTime = t.point(i);
            }
            const double duration = t.point(last) - t.point(first) + 0.1 / 86400;
            QCOMPARE((QList<double>{double(e.number), double(e.first), double(e.count), e.start,
                                    e.end, e.duration, e.min, e.max, e.avg, e.minTime, e.maxTime}),
                     (QList<double>{double(k + 1), double(first), double(runs[k]), t.point(first),
                                    t.point(last), duration, min, max, sum / runs[k], minTime,
                                    maxTime}));
            QCOMPARE(QString("-HLB")[int(e.side)], sides[k]);
            recorded += duration;
            const RecordEvent &l = found[size_t(longest)], &lo = found[size_t(lowest)],
                              &hi = found[size_t(highest)];
            if (duration > l.duration) longest = k;
            if (min < lo.min) lowest = k;
            if (max > hi.max) highest = k;
        }
        const EventSummary s = SummarizeEvents(found);
        QCOMPARE(s.recorded, recorded);
        QCOMPARE((QList<int>{s.longest, s.lowest, s.highest}),
                 (QList<int>{longest, lowest, highest}));
    }

    // Three events of 10, 1 and 30 readings. A row zooms as the drag over its span with a tenth
    // of the duration on each side; from a zoom elsewhere it reaches the whole record; a single
    // reading is only reported. Copy, the scope question of the CSV export and Escape.
    void window() {
        GraphWindow g;
        AppState& st = g.st;
        Log1& w = g.w;
        QList<double> values, at;
        for (int i = 0; i < 41; ++i)
            values << (i < 11 ? 5 + i % 3 : 8 - (i > 25 && i < 32) * 6.5),
                at << (i < 10    ? i
                       : i == 10 ? 20
                                 : i + 19);
        g.draw(values, 10, 2, at);
        w.mnuEvents->trigger();
        auto* events = w.findChild<frmEvents*>();
        QVERIFY(events && events->isVisible());
        QCOMPARE(events->Label6->text(), "3");
        events->Grid1->sortByColumn(kColumnDuration, Qt::DescendingOrder);
        QCOMPARE(events->eventAt(0).number, 3);

        events->Grid1->setCurrentIndex(events->Grid1->model()->index(0, 0));
        QTest::keyClick(events->Grid1, Qt::Key_Return);
        const QList<double> zoomed{st.DisplayCount, st.DisplayTime.point(1), st.AxisMin,
                                   st.AxisMax};
        QCOMPARE(zoomed[0], 30.0);
        w.Command2->click();
        QCOMPARE(st.DisplayCount.value(), 41.0);
        const RecordEvent& e = events->eventAt(0);
        const double x1 = st.PlotLeft + (e.start - e.duration / 10 - st.FirstTimeLabel) /
                                            (st.LastTimeLabel - st.FirstTimeLabel) * st.PlotWidth;
        const double x2 =
            x1 + 1.2 * e.duration / (st.LastTimeLabel - st.FirstTimeLabel) * st.PlotWidth;
        const auto y = [&st](double v) {
            return st.PlotTop + st.PlotHeight -
                   (v - st.AxisBottom) / (st.AxisTop - st.AxisBottom) * st.PlotHeight;
        };
        Picture1_MouseDown(w, 1, 0, x1, y(e.max + 0.65));
        Picture1_MouseUp(w, 1, 0, x2, y(e.min - 0.65));
        const QList<double> dragged{st.DisplayCount, st.DisplayTime.point(1), st.AxisMin,
                                    st.AxisMax};
        for (int k = 0; k < 4; ++k) QVERIFY(qAbs(dragged[k] - zoomed[k]) < 1e-9);

        PromptScript script;
        script
            .modal("ExportOpt", [](QDialog& d) { d.findChild<QPushButton*>("Command2")->click(); })
            .saveFile(g.dir.file("window"));
        w.mnuExportCSV->trigger();
        const QList<QStringList> csv = ReadCsv(g.dir.read("window.csv"));
        QCOMPARE(csv.size(), 31);
        QVERIFY(qAbs(SerialOf(csv[1][0]) - st.DisplayTime.point(1)) < 0.05 / 86400);

        const QPoint row1 = events->Grid1->visualRect(events->Grid1->model()->index(1, 1)).center();
        QTest::mouseClick(events->Grid1->viewport(), Qt::LeftButton, {}, row1);
        QTest::mouseDClick(events->Grid1->viewport(), Qt::LeftButton, {}, row1);
        QCOMPARE(st.DisplayTime.point(1), st.RecordTime.point(1));
        QCOMPARE(st.DisplayCount.value(), 10.0);
        script.message(st.Text(str::kTooShortToZoom), ui::Ok);
        events->ZoomToRow(2);
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(st.DisplayCount.value(), 10.0);

        events->Grid1->selectRow(0);
        events->Grid1->selectionModel()->select(events->Grid1->model()->index(2, 0),
                                                QItemSelectionModel::Select |
                                                    QItemSelectionModel::Rows);
        QTest::keySequence(events->Grid1, QKeySequence::Copy);
        const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
        QCOMPARE(lines.size(), 4); // header, two rows, the last line's end
        QCOMPARE(lines[0].split('\t').mid(0, 2),
                 (QStringList{st.Text(str::kColumnNumber), "Start"}));
        QCOMPARE(lines[1].section('\t', 0, 0) + lines[2].section('\t', 0, 0), "32");
        // Sorted anew, the current row follows its event.
        events->Grid1->sortByColumn(kColumnNumber, Qt::AscendingOrder);
        QCOMPARE(events->eventAt(events->Grid1->currentIndex().row()).number, 3);
        QTest::keyClick(events, Qt::Key_Escape);
        QVERIFY(events->isHidden());
    }

    // End to end: a full record file opened with File > Open; its events as an independent pass
    // over the file finds them, exported and read back; the readings as CSV under a locale with
    // a decimal comma, with a unit holding a comma and a quote; the list printed; the graph as
    // PNG and as PDF.
    void fullRecordFromFile() {
        GraphWindow g;
        AppState& st = g.st;
        Log1& w = g.w;
        w.ProgressBar1->setValue(0);
        QByteArray file = "\"loggerfile\"\r\n\"exception recorder\"\r\n73620\r\n\"Feeder 3\"\r\n";
        file += QByteArray("\"\"\r\n").repeated(6) + "1\r\n1234\r\n\"V\"\r\n250\r\n200\r\n";
        quint32 seed = 7;
        const auto random = [&seed](int n) {
            return int((seed = seed * 1103515245u + 12345u) >> 16) % n;
        };
        for (int i = 0, tick = 0, left = 0; i < kMaxReadings; ++i, ++tick) {
            if (left-- == 0) left = random(150), tick += 1 + random(40) * (i > 0);
            const double volts = 230 + (left % 7) * 6.25 * (random(3) - 1) + random(60) * 0.25;
            file += QByteArray::number(kStart + tick / 864000.0, 'f', 8) + '\t' +
                    QByteArray::number(volts, 'f', 2) + "\r\n";
        }
        g.dir.write("full.txt", file);
        PromptScript script;
        script.openFile(g.dir.file("full.txt"));
        w.mnuOpen->trigger();
        w.mnuEvents->trigger();
        auto* events = w.findChild<frmEvents*>();
        QVERIFY2(script.finished() && events, qPrintable(script.report()));

        // The independent pass: a new event wherever two lines are more than 0.15 s apart.
        struct Run {
            int first, count;
            double start, end, min, max;
        };
        QList<Run> runs;
        double previous = 0;
        const QList<QByteArray> lines = file.split('\n').mid(15, kMaxReadings);
        for (int i = 0; i < lines.size(); ++i) {
            const double t = lines[i].split('\t')[0].toDouble(),
                         v = lines[i].split('\t')[1].toDouble();
            if (i == 0 || (t - previous) * 86400 > 0.15) runs << Run{i + 1, 0, t, t, v, v};
            Run& r = runs.last();
            r.count++, r.end = t, r.min = std::min(r.min, v), r.max = std::max(r.max, v);
            previous = t;
        }
        QVERIFY(runs.size() > 500);
        QCOMPARE(int(events->events().size()), runs.size());
        for (int k = 0; k < runs.size(); ++k) {
            const RecordEvent& e = events->events()[size_t(k)];
            const Run& r = runs[k];
            QCOMPARE((QList<double>{double(e.first), double(e.count), e.min, e.max}),
                     (QList<double>{double(r.first), double(r.count), r.min, r.max}));
            QVERIFY(qAbs(e.start - r.start) < 1e-9 && qAbs(e.end - r.end) < 1e-9);
        }

        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        st.UnitName = "V, \"rms\"";
        script.saveFile(g.dir.file("events")).saveFile(g.dir.file("readings"));
        events->Command1->click();
        w.mnuExportCSV->trigger();
        QLocale::setDefault(saved);
        QVERIFY2(script.finished(), qPrintable(script.report()));
        const QList<QStringList> listed = ReadCsv(g.dir.read("events.csv"));
        QCOMPARE(listed.size(), runs.size() + 1);
        QCOMPARE(listed[0][0] + listed[0][9], "eventlimits");
        for (int k = 0; k < runs.size(); ++k) {
            const QStringList& row = listed[k + 1];
            QVERIFY(qAbs(SerialOf(row[1]) - runs[k].start) < 0.05 / 86400);
            QCOMPARE((QList<double>{row[4].toDouble(), row[5].toDouble(), row[6].toDouble()}),
                     (QList<double>{double(runs[k].count), runs[k].min, runs[k].max}));
            QCOMPARE(row[8], st.UnitName);
        }
        const QList<QStringList> readings = ReadCsv(g.dir.read("readings.csv"));
        QCOMPARE(readings.size(), kMaxReadings + 1);
        QCOMPARE(readings[0], (QStringList{"time", "value", "unit"}));
        for (int i = 0; i < kMaxReadings; ++i) {
            const QStringList& row = readings[i + 1];
            QVERIFY2(row.size() == 3 && row[2] == st.UnitName, qPrintable(row.join('|')));
            QVERIFY(qAbs(SerialOf(row[0]) - lines[i].split('\t')[0].toDouble()) < 0.05 / 86400);
            QCOMPARE(row[1].toDouble(), lines[i].split('\t')[1].toDouble());
        }

        // The list on paper: its title and the page number on every page.
        script.print([&g](QPrinter& p) {
            p.setOutputFileName(g.dir.file("events.pdf"));
            return true;
        });
        events->Command2->click();
        const QStringList pages = PdfText(g.dir.file("events.pdf")).split('\f');
        QVERIFY(pages.size() > 3);
        for (int p = 0; p + 1 < pages.size(); ++p)
            QVERIFY(pages[p].contains("Events - Feeder 3") &&
                    pages[p].contains(QString("Page %1").arg(p + 1)));

        script.saveFile(g.dir.file("graph")).saveFile(g.dir.file("graph.pdf"));
        w.mnuSaveGraph->trigger();
        w.mnuSaveGraph->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        const QImage png(g.dir.file("graph.png"));
        QCOMPARE(png.size(), 2 * w.Picture1->size());
        int red = 0;
        for (int y = 0; y < png.height(); ++y)
            for (int x = 0; x < png.width(); ++x)
                red += png.pixelColor(x, y) == ui::PaletteColor(12);
        QVERIFY(red > png.width());
        const QString page = PdfText(g.dir.file("graph.pdf")).simplified();
        for (const QString& cell :
             QStringList{"Feeder 3", "Max: " + ui::Format(st.StatMax, st.ValueReadoutFormat),
                         "Points: 73620", "Logger No: 1234"})
            QVERIFY2(page.contains(cell), qPrintable(cell));
    }
};

VESTO_TEST(EventsTest)
#include "tst_events.moc"
