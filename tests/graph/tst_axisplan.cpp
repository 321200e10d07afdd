#include "graph/AxisPlan.h"
#include "graph/canvas/Canvas.h"
#include "support/TestRegistry.h"

#include <QImage>
#include <QTest>
#include <random>

using namespace graph;

Q_DECLARE_METATYPE(graph::Segment)

namespace {

struct Points { // a record of plain vectors
    std::vector<double> t, v;
    PointSeries series() const { return {{PointRun{t.data(), v.data(), int(t.size())}}, 1}; }
};

const double kSec = 1.0 / 86400;

} // namespace

class AxisPlanTest : public QObject {
    Q_OBJECT
private slots:
    void valueAxis_data() {
        QTest::addColumn<bool>("zoomed");
        QTest::addColumn<QList<double>>("window"); // min, max, high, low, unit, probe scale
        QTest::addColumn<QList<double>>("axis");   // step, bottom, top, divisions, min, max
        QTest::addColumn<QString>("label");
        QTest::newRow("data at 5, limits 4 and 6")
            << false << QList<double>{5, 5, 6, 4, 4, 0} << QList<double>{0.5, 3.5, 7.0, 7, 5, 5}
            << "###0.0;-##0.0";
        QTest::newRow("0.5..3.2, limits 1 and 2")
            << false << QList<double>{0.5, 3.2, 2, 1, 4, 0}
            << QList<double>{0.5, 0, 4.0, 8, 0.5, 3.2} << "###0.0;-##0.0";
        QTest::newRow("0.3..1.0, bottom raised to 0")
            << false << QList<double>{0.3, 1.0, 0.8, 0.5, 4, 0}
            << QList<double>{0.2, 0, 1.6, 8, 0.3, 1.0} << "###0.0;-##0.0";
        QTest::newRow("negative values keep a negative bottom")
            << false << QList<double>{-3, -1, -1.5, -2.5, 4, 0}
            << QList<double>{0.5, -3.5, 0, 7, -3, -1} << "###0.0;-##0.0";
        QTest::newRow("zoomed 2..3 as given")
            << true << QList<double>{2, 3, 9, 0, 4, 0} << QList<double>{0.1, 2.0, 3.1, 11, 2, 3}
            << "###0.0;-##0.0";
        QTest::newRow("probe range clips the top, R0 kept")
            << false << QList<double>{100, 600, 300, 200, 10, 2}
            << QList<double>{50, 0, 600, 12, 100, 499.99999} << "####0;-###0";
        QTest::newRow("probe range lifts the minimum to 0")
            << false << QList<double>{-5, 20, 10, 0, 11, 0} << QList<double>{5, 0, 25, 5, 0, 20}
            << "####0;-###0";
        // Wholly above the range's top: the window becomes the top itself, one unit tall.
        QTest::newRow("zoom window above the probe range")
            << true << QList<double>{1200, 1500, 0, 0, 7, 1}
            << QList<double>{0.1, 999.4, 1000.5, 11, 999.99999, 999.99999} << "###0.0;-##0.0";
    }
    void valueAxis() {
        QFETCH(bool, zoomed);
        QFETCH(QList<double>, window);
        QFETCH(QList<double>, axis);
        QFETCH(QString, label);
        const ValueAxis a = PlanValueAxis({zoomed, window[0], window[1], window[2], window[3],
                                           HasProbeRange(window[4]), window[5]});
        QCOMPARE(a.step, axis[0]);
        QCOMPARE(a.bottom + 1, axis[1] + 1); // fuzzy around 0
        QCOMPARE(a.top + 1, axis[2] + 1);
        QCOMPARE(a.divisions, int(axis[3]));
        QCOMPARE(a.axisMin, axis[4]);
        QCOMPARE(a.axisMax, axis[5]);
        QCOMPARE(a.labelFormat, label);
    }

    void valueStep_data() {
        QTest::addColumn<double>("range");
        QTest::addColumn<double>("step");
        for (auto [r, s] : {std::pair{1.0, 0.1},
                            {1.2, 0.1},
                            {1.21, 0.2},
                            {2.4, 0.2},
                            {2.5, 0.5},
                            {6.0, 0.5},
                            {6.1, 1.0},
                            {10.0, 1.0},
                            {0.05, 0.005},
                            {12345.0, 2000.0}})
            QTest::addRow("R %g", r) << r << s;
    }
    void valueStep() {
        QFETCH(double, range);
        QFETCH(double, step);
        QCOMPARE(ValueStepFor(range), step);
    }

    void labelPatterns_data() {
        QTest::addColumn<double>("span");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("readout");
        const QString whole = "####0;-###0";
        QTest::newRow("1000.5") << 1000.5 << whole << "#####0.0;-###0.0";
        for (double d : {1000.0, 100.0, 99.5, 10.0})
            QTest::addRow("%g", d) << d << whole << "####0.0;-###0.0";
        for (double d : {9.99, 1.0})
            QTest::addRow("%g", d) << d << "###0.0;-##0.0"
                                   << "###0.00;-##0.00";
        for (double d : {0.999, 0.1})
            QTest::addRow("%g", d) << d << "##0.00;-#0.00"
                                   << "##0.000;-#0.000";
        QTest::newRow("0.0999") << 0.0999 << "#0.000;-0.000"
                                << "#0.0000;-0.0000";
    }
    void labelPatterns() {
        QFETCH(double, span);
        QFETCH(QString, label);
        QFETCH(QString, readout);
        QCOMPARE(ValueLabelPatterns(span).label, label);
        QCOMPARE(ValueLabelPatterns(span).readout, readout);
    }

    // Every boundary: the span on it takes the earlier row, the next span the later row.
    void timeLabelRows_data() {
        QTest::addColumn<double>("span");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<int>("subdivisions");
        QTest::addColumn<int>("pattern");
        using P = TimePattern;
        const struct {
            double upTo, seconds;
            int sub;
            P p;
        } rows[] = {{50, 10, 1, P::Seconds},         {75, 15, 1, P::Seconds},
                    {150, 30, 1, P::Seconds},        {300, 60, 2, P::Seconds},
                    {600, 120, 2, P::Minutes},       {1500, 300, 1, P::Minutes},
                    {3000, 600, 2, P::Minutes},      {4500, 900, 1, P::Minutes},
                    {9000, 1800, 2, P::Minutes},     {18000, 3600, 2, P::Hours},
                    {36000, 7200, 2, P::Hours},      {72000, 14400, 2, P::Hours},
                    {108000, 21600, 2, P::Hours},    {144000, 28800, 2, P::Hours},
                    {216000, 43200, 2, P::Hours},    {432000, 86400, 2, P::Date},
                    {864000, 172800, 2, P::Date},    {1728000, 345600, 2, P::Date},
                    {3024000, 604800, 1, P::Date},   {6048000, 1209600, 2, P::Date},
                    {12096000, 2419200, 2, P::Date}, {1e300, 4838400, 2, P::Date}};
        QTest::newRow("0 s") << 0.0 << 10.0 << 1 << int(P::Seconds);
        QTest::newRow("just under 50 s")
            << std::nextafter(50.0, 0.0) << 10.0 << 1 << int(P::Seconds);
        for (size_t i = 1; i + 1 < std::size(rows); ++i) {
            const double b = rows[i].upTo;
            QTest::addRow("%g s", b) << b << rows[i].seconds << rows[i].sub << int(rows[i].p);
            const auto& next = rows[i + 1];
            QTest::addRow("just over %g s", b)
                << std::nextafter(b, 1e301) << next.seconds << next.sub << int(next.p);
        }
    }
    void timeLabelRows() {
        QFETCH(double, span);
        QFETCH(double, seconds);
        QFETCH(int, subdivisions);
        QFETCH(int, pattern);
        const TimeLabelRow row = TimeLabelRowFor(span);
        QCOMPARE(row.seconds, seconds);
        QCOMPARE(row.subdivisions, subdivisions);
        QCOMPARE(int(row.pattern), pattern);
    }

    void timePatterns() {
        const QString s = "S", m = "M", h = "H";
        QCOMPARE(TimeLabelPattern(TimePattern::Minutes, "US", s, m, h), m);
        QCOMPARE(TimeLabelPattern(TimePattern::Hours, "Eur", s, m, h), h);
        QCOMPARE(TimeLabelPattern(TimePattern::Date, "US", s, m, h), QString("mm/dd"));
        QCOMPARE(TimeLabelPattern(TimePattern::Date, "Eur", s, m, h), QString("dd/mm"));
    }

    void timeAxis_data() {
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("last");
        QTest::addColumn<double>("firstLabel");
        QTest::addColumn<double>("lastLabel");
        QTest::addColumn<int>("intervals");
        const double day = 45000;
        QTest::newRow("three points 0.1 s apart")
            << day + 12.3 * kSec << day + 12.5 * kSec << day + 10 * kSec << day + 20 * kSec << 1;
        QTest::newRow("three days") << day + 0.2 << day + 3.1 << day << day + 4 << 8;
        // One time stamp on a whole label: the axis still spans one label interval.
        const double onLabel = 2 * (10.0 / 86400);
        QTest::newRow("k = 0") << onLabel << onLabel << onLabel << onLabel + 10 * kSec << 1;
        QTest::newRow("last before first") << day + 5 * kSec << day << day << day + 10 * kSec << 1;
    }
    void timeAxis() {
        QFETCH(double, first);
        QFETCH(double, last);
        QFETCH(double, firstLabel);
        QFETCH(double, lastLabel);
        QFETCH(int, intervals);
        const TimeAxis a = PlanTimeAxis(first, last);
        QVERIFY(qAbs(a.first - firstLabel) < 1e-3 * kSec);
        QVERIFY(qAbs(a.last - lastLabel) < 1e-3 * kSec);
        QCOMPARE(a.intervals, intervals);
    }

    void statistics_data() {
        QTest::addColumn<double>("unit");
        QTest::addColumn<double>("probeScale");
        QTest::addColumn<double>("max");
        QTest::newRow("no probe range") << 4.0 << 2.0 << 600.0;
        QTest::newRow("capped at 1000 / 2") << 10.0 << 2.0 << 500.0;
        QTest::newRow("capped at 1000 / 1.6") << 7.0 << 1.6 << 600.0; // 625 is above the max
        QTest::newRow("capped at 1000 / 4") << 11.0 << 4.0 << 250.0;
        QTest::newRow("no scale, no cap") << 10.0 << 0.0 << 600.0;
    }
    void statistics() {
        QFETCH(double, unit);
        QFETCH(double, probeScale);
        QFETCH(double, max);
        const Points p{{1, 2, 3, 4}, {200, 600, 100, 300}};
        const Statistics s = ComputeStatistics(p.series(), HasProbeRange(unit), probeScale);
        QCOMPARE(s.max, max);
        QCOMPARE(s.min, 100.0);
        QCOMPARE(s.avg, 300.0);
    }

    void seriesCrossesStorageBlocks() {
        auto time = std::make_unique<RecordArray<double>>();
        auto value = std::make_unique<RecordArray<double>>();
        for (int i = 1; i <= kRowsPerBlock + 2; ++i) time->point(i) = value->point(i) = i;
        const PointSeries s = SeriesOf(*time, *value, kRowsPerBlock + 2);
        QCOMPARE(s.size(), kRowsPerBlock + 2);
        QCOMPARE(s.lastTime(), double(kRowsPerBlock + 2));
        int expected = 1, wrong = 0;
        s.forEach([&](double t, double) { wrong += t != expected++; });
        QCOMPARE(wrong, 0);
    }

    void clipSegment_data() {
        QTest::addColumn<Segment>("given"); // top edge at y 10, bottom at y 110
        QTest::addColumn<bool>("drawn");
        QTest::addColumn<Segment>("clipped");
        const Segment none{0, 0, 0, 0};
        QTest::newRow("inside, on the edges")
            << Segment{0, 10, 5, 110} << true << Segment{0, 10, 5, 110};
        QTest::newRow("both above") << Segment{0, 0, 5, 9} << false << none;
        QTest::newRow("both below") << Segment{0, 111, 5, 200} << false << none;
        QTest::newRow("above to inside") << Segment{0, 0, 10, 20} << true << Segment{5, 10, 10, 20};
        QTest::newRow("inside to below")
            << Segment{0, 100, 10, 120} << true << Segment{0, 100, 5, 110};
        QTest::newRow("above to below")
            << Segment{0, 0, 24, 120} << true << Segment{2, 10, 22, 110};
        QTest::newRow("below to above")
            << Segment{24, 120, 0, 0} << true << Segment{22, 110, 2, 10};
        QTest::newRow("not a position") << Segment{0, qInf(), 5, 50} << false << none;
    }
    void clipSegment() {
        QFETCH(Segment, given);
        QFETCH(bool, drawn);
        QFETCH(Segment, clipped);
        QCOMPARE(ClipSegment(given, 10, 110), drawn);
        if (!drawn) return;
        QCOMPARE(QLineF(given.x1, given.y1, given.x2, given.y2),
                 QLineF(clipped.x1, clipped.y1, clipped.x2, clipped.y2));
    }

    // Readings 0.2 s apart are not joined; 0.1 s apart they are.
    void curveBreaksAtPauses() {
        const Points p{{0, 1, 3, 4, 5, 7}, {0, 1, 2, 3, 4, 5}};
        Points ticks = p;
        for (double& t : ticks.t) t = 45000 + t / 864000;
        const PlotMapping map(PlanLayout(100, 100), ticks.t.front(), ticks.t.back(), 0, 10);
        std::vector<double> starts;
        TraceCurve(ticks.series(), map, -1e9, 1e9,
                   [&](const Segment& s) { starts.push_back(s.x1); });
        QCOMPARE(starts.size(), size_t(3)); // 0-1, 3-4, 4-5
        QVERIFY(qAbs(starts[1] - map.x(ticks.t[2])) < 1e-6);
    }

    // Joined runs cover the pixels of the single pieces, up to the rounding of a line's ends.
    void joinedColumnsDrawTheSamePicture() {
        std::mt19937 rng(5);
        std::normal_distribution<double> noise(0, 1.5);
        std::vector<Segment> pieces;
        double y = 50;
        for (int i = 0; i < 20000; ++i) {
            const double x = 10 + i * 0.01, next = 50 + 30 * std::sin(i / 2000.0) + noise(rng);
            if (i % 97 != 0) pieces.push_back({x, y, x + 0.01, next}); // with some breaks
            y = next;
        }
        ImageCanvas single(240, 100), joined(240, 100);
        auto draw = [&joined](const Segment& s) { joined.Line(s.x1, s.y1, s.x2, s.y2, Qt::red); };
        ColumnJoiner<decltype(draw)> joiner(draw);
        for (const Segment& s : pieces) {
            single.Line(s.x1, s.y1, s.x2, s.y2, Qt::red);
            joiner.add(s);
        }
        joiner.finish();
        const QImage& a = single.Image();
        const QImage& b = joined.Image();
        auto ink = [](const QImage& im, int x, int y) {
            return im.rect().contains(x, y) && im.pixel(x, y) != qRgb(255, 255, 255);
        };
        int inked = 0, differ = 0, apart = 0;
        for (int py = 0; py < a.height(); ++py) {
            for (int px = 0; px < a.width(); ++px) {
                inked += ink(a, px, py);
                if (ink(a, px, py) == ink(b, px, py)) continue;
                ++differ;
                const QImage& other = ink(a, px, py) ? b : a;
                bool near = false;
                for (int d = 0; d < 9; ++d) near |= ink(other, px + d % 3 - 1, py + d / 3 - 1);
                apart += !near;
            }
        }
        QVERIFY(inked > 1000);
        QVERIFY2(differ * 100 < inked, qPrintable(QString::number(differ)));
        QCOMPARE(apart, 0);
    }
};

VESTO_TEST(AxisPlanTest)
#include "tst_axisplan.moc"
