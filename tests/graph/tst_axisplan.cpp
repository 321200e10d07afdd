#include "graph/AxisPlan.h"
#include "graph/canvas/Canvas.h"
#include "support/TestRegistry.h"

#include <QTest>

#include <cmath>
#include <random>

using namespace graph;
using Doubles = QList<double>;

namespace {

const double kSec = 1.0 / 86400;

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
        QTest::newRow("zoomed 2..3 as given") << true << Doubles{2, 3, 9, 0, 4, 0} << Doubles{0.1, 2.0, 3.1, 11, 2, 3} << oneDecimal;
        QTest::newRow("probe range clips the top") << false << Doubles{100, 600, 300, 200, 10, 2} << Doubles{50, 0, 600, 12, 100, 499.99999} << whole;
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

    // The step goes up at 1.2, 2.4 and 6 times a power of ten, each threshold itself still
    // taking the smaller step and a range a thousandth of a unit above it the larger.
    void valueStep() {
        const QList<std::pair<double, double>> cases = {{1.2, 0.1}, {1.201, 0.2}, {1.21, 0.2},
                                                        {2.4, 0.2}, {2.401, 0.5}, {2.41, 0.5},
                                                        {6.0, 0.5}, {6.001, 1.0}, {6.1, 1.0}};
        for (const auto& [range, step] : cases) QCOMPARE(ValueStepFor(range), step);
    }

    // From a second to 280 days the time labels lie between two and five intervals apart, the
    // interval never shrinks as the span grows, and the labels show seconds below two-minute
    // intervals, minutes below hourly ones, hours below daily ones, else the date.
    void timeLabelRows() {
        using P = TimePattern;
        double previous = 0;
        for (double span = 1; span < 2.4e7; span *= 1.01) {
            const TimeLabelRow r = TimeLabelRowFor(span);
            const double intervals = span / r.seconds;
            const P pattern = r.seconds < 120     ? P::Seconds
                              : r.seconds < 3600  ? P::Minutes
                              : r.seconds < 86400 ? P::Hours
                                                  : P::Date;
            QVERIFY2((intervals >= 2 || r.seconds == 10) && intervals <= 5 &&
                         r.seconds >= previous && r.pattern == pattern,
                     qPrintable(QString::number(span)));
            previous = r.seconds;
        }
        QCOMPARE(TimeLabelRowFor(0).seconds, 10.0);
        QCOMPARE(TimeLabelPattern(TimePattern::Hours, "US", "s", "m", "h"), QString("h"));
        QCOMPARE(TimeLabelPattern(TimePattern::Date, "Eur", "s", "m", "h"), QString("dd/mm"));
    }

    // Three points spanning 0.2 s, three days, and one time stamp on a whole label (k = 0: the
    // axis still spans one label interval): first and last label, vertical grid intervals.
    void timeAxis() {
        const double day = 45000, onLabel = 2 * (10.0 / 86400);
        const Doubles cases[] = {
            {day + 12.3 * kSec, day + 12.5 * kSec, day + 10 * kSec, day + 20 * kSec, 1},
            {day + 0.2, day + 3.1, day, day + 4, 8},
            {onLabel, onLabel, onLabel, onLabel + 10 * kSec, 1}};
        for (const Doubles& c : cases) {
            const TimeAxis a = PlanTimeAxis(c[0], c[1]);
            QVERIFY(qAbs(a.first - c[2]) < 1e-3 * kSec && qAbs(a.last - c[3]) < 1e-3 * kSec);
            QCOMPARE(a.intervals, int(c[4]));
        }
    }

    // Readings 1..N hold 1..N across two storage blocks; the max is capped at 1000 / probe scale
    // for the units with a probe range only.
    void statistics() {
        const int n = kRowsPerBlock + 2;
        auto time = std::make_unique<RecordArray<double>>(),
             value = std::make_unique<RecordArray<double>>();
        for (int i = 1; i <= n; ++i) time->point(i) = value->point(i) = i;
        // Unit, probe scale and the max expected.
        const std::array<double, 3> cases[] = {
            {4, 2, n}, {10, 2, 500}, {7, 1.6, 625}, {11, 4, 250}, {10, 0, n}};
        for (const auto& [unit, scale, max] : cases) {
            const Statistics s =
                ComputeStatistics(SeriesOf(*time, *value, n), HasProbeRange(unit), scale);
            compareDoubles({s.min, s.max, s.avg}, {1, max, (n + 1) / 2.0});
        }
    }
    // A dense noisy curve with breaks, a hundred readings to a pixel column: joined, every
    // column covers the rows the single pieces cover, but for the rounding of a line's ends,
    // and far fewer lines are drawn.
    void joinedColumnsDrawTheSamePicture() {
        std::mt19937 rng(5);
        std::normal_distribution<double> noise(0, 1.5);
        ImageCanvas single(240, 100), joined(240, 100);
        int lines = 0;
        auto draw = [&](const Segment& s) { joined.Line(s.x1, s.y1, s.x2, s.y2), ++lines; };
        ColumnJoiner<decltype(draw)> joiner(draw);
        double x = 10, y = 50;
        for (int i = 0; i < 20000; ++i) {
            const double nextX = 10 + (i + 1) * 0.01,
                         nextY = 50 + 30 * std::sin(i / 2000.0) + noise(rng);
            if (i % 997 != 0) { // a gap in the record now and then
                single.Line(x, y, nextX, nextY);
                joiner.add(Segment{x, y, nextX, nextY});
            }
            x = nextX, y = nextY;
        }
        joiner.finish();
        QVERIFY(lines < 1000);
        const auto rows = [](const QImage& im, int column) {
            int top = -1, bottom = -1;
            for (int row = 0; row < im.height(); ++row)
                if (im.pixel(column, row) != qRgb(255, 255, 255)) (top < 0 ? top : bottom) = row;
            return std::pair{top, std::max(top, bottom)};
        };
        for (int column = 0; column < 240; ++column) {
            const auto [top, bottom] = rows(single.Image(), column);
            const auto [joinedTop, joinedBottom] = rows(joined.Image(), column);
            QVERIFY((top < 0) == (column < 10 || column > 210));
            QVERIFY2(qAbs(top - joinedTop) <= 1 && qAbs(bottom - joinedBottom) <= 1,
                     qPrintable(QString::number(column)));
        }
    }
};

VESTO_TEST(AxisPlanTest)
#include "tst_axisplan.moc"
