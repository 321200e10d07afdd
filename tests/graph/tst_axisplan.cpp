#include "graph/AxisPlan.h"
#include "graph/canvas/Canvas.h"
#include "support/TestRegistry.h"

#include <QImage>
#include <QTest>
#include <random>

using namespace graph;
using Doubles = QList<double>;

Q_DECLARE_METATYPE(graph::Segment)

namespace {

const double kSec = 1.0 / 86400;

PointSeries seriesOf(const std::vector<double>& t, const std::vector<double>& v) {
    return {{PointRun{t.data(), v.data(), int(t.size())}}, 1};
}

// Element by element, within QCOMPARE's tolerance for doubles; an element of 0 must be 0.
void compareDoubles(const Doubles& actual, const Doubles& expected) {
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < actual.size(); ++i) QCOMPARE(actual[i], expected[i]);
}

} // namespace

class AxisPlanTest : public QObject {
    Q_OBJECT
private slots:
    void valueAxis_data() {
        QTest::addColumn<bool>("zoomed");
        QTest::addColumn<Doubles>("window"); // min, max, high, low, unit, probe scale
        QTest::addColumn<Doubles>("axis");   // step, bottom, top, divisions, min, max
        QTest::addColumn<QString>("label");
        const QString oneDecimal = "###0.0;-##0.0", whole = "####0;-###0";
        // clang-format off
        QTest::newRow("data at 5, limits 4 and 6") << false << Doubles{5, 5, 6, 4, 4, 0} << Doubles{0.5, 3.5, 7.0, 7, 5, 5} << oneDecimal;
        QTest::newRow("0.5..3.2, limits 1 and 2") << false << Doubles{0.5, 3.2, 2, 1, 4, 0} << Doubles{0.5, 0, 4.0, 8, 0.5, 3.2} << oneDecimal;
        QTest::newRow("0.3..1.0, bottom raised to 0") << false << Doubles{0.3, 1.0, 0.8, 0.5, 4, 0} << Doubles{0.2, 0, 1.6, 8, 0.3, 1.0} << oneDecimal;
        QTest::newRow("negative data, bottom stays") << false << Doubles{-3, -1, -1.5, -2.5, 4, 0} << Doubles{0.5, -3.5, 0, 7, -3, -1} << oneDecimal;
        QTest::newRow("zoomed 2..3 as given") << true << Doubles{2, 3, 9, 0, 4, 0} << Doubles{0.1, 2.0, 3.1, 11, 2, 3} << oneDecimal;
        QTest::newRow("probe range clips the top") << false << Doubles{100, 600, 300, 200, 10, 2} << Doubles{50, 0, 600, 12, 100, 499.99999} << whole;
        QTest::newRow("probe range lifts the min to 0") << false << Doubles{-5, 20, 10, 0, 11, 0} << Doubles{5, 0, 25, 5, 0, 20} << whole;
        // Wholly above the range's top: the window becomes the top itself, one unit tall.
        QTest::newRow("zoomed above the probe range") << true << Doubles{1200, 1500, 0, 0, 7, 1} << Doubles{0.1, 999.4, 1000.5, 11, 999.99999, 999.99999} << oneDecimal;
        // clang-format on
    }
    void valueAxis() {
        QFETCH(bool, zoomed);
        QFETCH(Doubles, window);
        QFETCH(Doubles, axis);
        QFETCH(QString, label);
        const ValueAxis a = PlanValueAxis({zoomed, window[0], window[1], window[2], window[3],
                                           HasProbeRange(window[4]), window[5]});
        // Shifted by one so that an end at 0 compares with the same tolerance as the others.
        compareDoubles({a.step, a.bottom + 1, a.top + 1, double(a.divisions), a.axisMin, a.axisMax},
                       {axis[0], axis[1] + 1, axis[2] + 1, axis[3], axis[4], axis[5]});
        QCOMPARE(a.labelFormat, label);
    }

    void valueStep() {
        const double range[] = {1, 1.2, 1.21, 2.4, 2.5, 6, 6.1, 10, 0.05, 12345};
        const double step[] = {0.1, 0.1, 0.2, 0.2, 0.5, 0.5, 1, 1, 0.005, 2000};
        for (size_t i = 0; i < std::size(range); ++i) QCOMPARE(ValueStepFor(range[i]), step[i]);
    }

    void labelPatterns() {
        const double span[] = {1000.5, 1000, 100, 99.5, 10, 9.99, 1, 0.999, 0.1, 0.0999};
        const char* expected[] = {"####0;-###0 #####0.0;-###0.0", "####0;-###0 ####0.0;-###0.0",
                                  "###0.0;-##0.0 ###0.00;-##0.00", "##0.00;-#0.00 ##0.000;-#0.000",
                                  "#0.000;-0.000 #0.0000;-0.0000"};
        const int row[] = {0, 1, 1, 1, 1, 2, 2, 3, 3, 4};
        for (size_t i = 0; i < std::size(span); ++i) {
            const ValuePatterns p = ValueLabelPatterns(span[i]);
            QCOMPARE(p.label + ' ' + p.readout, QString(expected[row[i]]));
        }
    }

    // Every boundary: the span on it takes the earlier row, the next span the later row.
    void timeLabelRows() {
        using P = TimePattern;
        // clang-format off
        const struct { double upTo, seconds; int sub; P p; } rows[] = {
            {50, 10, 1, P::Seconds}, {75, 15, 1, P::Seconds}, {150, 30, 1, P::Seconds}, {300, 60, 2, P::Seconds},
            {600, 120, 2, P::Minutes}, {1500, 300, 1, P::Minutes}, {3000, 600, 2, P::Minutes},
            {4500, 900, 1, P::Minutes}, {9000, 1800, 2, P::Minutes}, {18000, 3600, 2, P::Hours},
            {36000, 7200, 2, P::Hours}, {72000, 14400, 2, P::Hours}, {108000, 21600, 2, P::Hours},
            {144000, 28800, 2, P::Hours}, {216000, 43200, 2, P::Hours}, {432000, 86400, 2, P::Date},
            {864000, 172800, 2, P::Date}, {1728000, 345600, 2, P::Date}, {3024000, 604800, 1, P::Date},
            {6048000, 1209600, 2, P::Date}, {12096000, 2419200, 2, P::Date}, {1e300, 4838400, 2, P::Date}};
        // clang-format on
        for (size_t i = 0; i + 1 < std::size(rows); ++i) {
            // Row 0 ends below 50 s, and 50 s itself starts row 1; every other row includes its
            // upper end.
            const double b = rows[i].upTo, on = i == 0 ? std::nextafter(b, 0.0) : b;
            const double over = i == 0 ? b : std::nextafter(b, 1e301);
            for (const auto& [span, r] : {std::pair{on, rows[i]}, {over, rows[i + 1]}}) {
                const TimeLabelRow got = TimeLabelRowFor(span);
                QVERIFY2(got.seconds == r.seconds && got.subdivisions == r.sub &&
                             got.pattern == r.p,
                         qPrintable(QString::number(span, 'g', 17)));
            }
        }
        QCOMPARE(TimeLabelRowFor(0).seconds, 10.0);
        QCOMPARE(TimeLabelPattern(TimePattern::Hours, "US", "s", "m", "h"), QString("h"));
        QCOMPARE(TimeLabelPattern(TimePattern::Date, "US", "s", "m", "h"), QString("mm/dd"));
        QCOMPARE(TimeLabelPattern(TimePattern::Date, "Eur", "s", "m", "h"), QString("dd/mm"));
    }

    void timeAxis_data() {
        QTest::addColumn<Doubles>("times"); // first, last point; expected first, last label
        QTest::addColumn<int>("intervals");
        const double day = 45000, onLabel = 2 * (10.0 / 86400);
        // clang-format off
        QTest::newRow("three points 0.1 s apart") << Doubles{day + 12.3 * kSec, day + 12.5 * kSec, day + 10 * kSec, day + 20 * kSec} << 1;
        QTest::newRow("three days") << Doubles{day + 0.2, day + 3.1, day, day + 4} << 8;
        // One time stamp on a whole label: the axis still spans one label interval.
        QTest::newRow("k = 0") << Doubles{onLabel, onLabel, onLabel, onLabel + 10 * kSec} << 1;
        QTest::newRow("last before first") << Doubles{day + 5 * kSec, day, day, day + 10 * kSec} << 1;
        // clang-format on
    }
    void timeAxis() {
        QFETCH(Doubles, times);
        QFETCH(int, intervals);
        const TimeAxis a = PlanTimeAxis(times[0], times[1]);
        QVERIFY(qAbs(a.first - times[2]) < 1e-3 * kSec && qAbs(a.last - times[3]) < 1e-3 * kSec);
        QCOMPARE(a.intervals, intervals);
    }

    // The max is capped at 1000 / probe scale for the units with a probe range only.
    void statistics() {
        const std::vector<double> t{1, 2, 3, 4}, v{200, 600, 100, 300};
        const double unit[] = {4, 10, 7, 11, 10}, scale[] = {2, 2, 1.6, 4, 0};
        const double max[] = {600, 500, 600, 250, 600};
        for (int i = 0; i < 5; ++i) {
            const Statistics s =
                ComputeStatistics(seriesOf(t, v), HasProbeRange(unit[i]), scale[i]);
            compareDoubles({s.min, s.max, s.avg}, {100, max[i], 300});
        }
    }

    void seriesCrossesStorageBlocks() {
        auto time = std::make_unique<RecordArray<double>>(),
             value = std::make_unique<RecordArray<double>>();
        for (int i = 1; i <= kRowsPerBlock + 2; ++i) time->point(i) = value->point(i) = i;
        int expected = 1, wrong = 0;
        SeriesOf(*time, *value, kRowsPerBlock + 2).forEach([&](double t, double) {
            wrong += t != expected++;
        });
        QCOMPARE(expected - 1 + wrong, kRowsPerBlock + 2);
    }

    void clipSegment_data() {
        QTest::addColumn<Segment>("given"); // top edge at y 10, bottom at y 110
        QTest::addColumn<bool>("drawn");
        QTest::addColumn<Segment>("clipped");
        // clang-format off
        QTest::newRow("inside, on the edges") << Segment{0, 10, 5, 110} << true << Segment{0, 10, 5, 110};
        QTest::newRow("both above") << Segment{0, 0, 5, 9} << false << Segment{};
        QTest::newRow("both below") << Segment{0, 111, 5, 200} << false << Segment{};
        QTest::newRow("above to inside") << Segment{0, 0, 10, 20} << true << Segment{5, 10, 10, 20};
        QTest::newRow("inside to below") << Segment{0, 100, 10, 120} << true << Segment{0, 100, 5, 110};
        QTest::newRow("above to below") << Segment{0, 0, 24, 120} << true << Segment{2, 10, 22, 110};
        QTest::newRow("below to above") << Segment{24, 120, 0, 0} << true << Segment{22, 110, 2, 10};
        QTest::newRow("not a position") << Segment{0, qInf(), 5, 50} << false << Segment{};
        // clang-format on
    }
    void clipSegment() {
        QFETCH(Segment, given);
        QFETCH(bool, drawn);
        QFETCH(Segment, clipped);
        QCOMPARE(ClipSegment(given, 10, 110), drawn);
        if (drawn)
            QCOMPARE(QLineF(given.x1, given.y1, given.x2, given.y2),
                     QLineF(clipped.x1, clipped.y1, clipped.x2, clipped.y2));
    }

    // Joined runs cover the pixels of the single pieces, up to the rounding of a line's ends.
    void joinedColumnsDrawTheSamePicture() {
        std::mt19937 rng(5);
        std::normal_distribution<double> noise(0, 1.5);
        ImageCanvas single(240, 100), joined(240, 100);
        auto draw = [&joined](const Segment& s) { joined.Line(s.x1, s.y1, s.x2, s.y2, Qt::red); };
        ColumnJoiner<decltype(draw)> joiner(draw);
        for (int i = 0; i < 20000; ++i) {
            const double x = 10 + i * 0.01, y = 50 + 30 * std::sin(i / 2000.0);
            const Segment s{x, y + noise(rng), x + 0.01, y + noise(rng)};
            if (i % 97 == 0) continue; // breaks in the curve
            single.Line(s.x1, s.y1, s.x2, s.y2, Qt::red);
            joiner.add(s);
        }
        joiner.finish();
        const QImage &a = single.Image(), &b = joined.Image();
        auto ink = [](const QImage& im, int x, int y) {
            return im.rect().contains(x, y) && im.pixel(x, y) != qRgb(255, 255, 255);
        };
        int inked = 0, differ = 0, apart = 0;
        for (int i = 0; i < a.width() * a.height(); ++i) {
            const int x = i % a.width(), y = i / a.width();
            inked += ink(a, x, y);
            if (ink(a, x, y) == ink(b, x, y)) continue;
            ++differ;
            bool near = false;
            for (int d = 0; d < 9; ++d)
                near |= ink(ink(a, x, y) ? b : a, x + d % 3 - 1, y + d / 3 - 1);
            apart += !near;
        }
        QVERIFY(inked > 1000);
        QVERIFY2(differ * 100 < inked, qPrintable(QString::number(differ)));
        QCOMPARE(apart, 0);
    }
};

VESTO_TEST(AxisPlanTest)
#include "tst_axisplan.moc"
