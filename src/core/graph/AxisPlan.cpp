#include "graph/AxisPlan.h"

#include <algorithm>
#include <limits>

namespace graph {

// ---- The displayed points ---------------------------------------------------------------------

int PointSeries::size() const {
    int n = 0;
    for (int r = 0; r < runCount; ++r) n += runs[static_cast<size_t>(r)].count;
    return n;
}

double PointSeries::lastTime() const {
    const PointRun& run = runs[static_cast<size_t>(runCount - 1)];
    return run.time[run.count - 1];
}

PointSeries SeriesOf(const RecordArray<double>& time, const RecordArray<double>& value, int count) {
    PointSeries series;
    int left = std::clamp(count, 0, kMaxReadings);
    for (int block = 1; left > 0; ++block) {
        const int rows = std::min(left, kRowsPerBlock);
        // Rows 1..24540 of a storage block lie side by side.
        series.runs[static_cast<size_t>(series.runCount++)] = {&time(block, 1), &value(block, 1),
                                                               rows};
        left -= rows;
    }
    return series;
}

// ---- Values -----------------------------------------------------------------------------------

bool HasProbeRange(double unitCode) {
    return unitCode == 7 || unitCode == 10 || unitCode == 11;
}

double ProbeRangeTop(double probeScale) {
    return probeScale > 0 ? 1000.0 / probeScale : std::numeric_limits<double>::infinity();
}

Extent ValueExtent(const PointSeries& points) {
    Extent e{points.runs[0].value[0], points.runs[0].value[0]};
    points.forEach([&e](double, double v) {
        if (v > e.max) e.max = v;
        if (v < e.min) e.min = v;
    });
    return e;
}

Statistics ComputeStatistics(const PointSeries& points, bool probeRange, double probeScale) {
    Statistics s{points.runs[0].value[0], points.runs[0].value[0], 0};
    double sum = 0;
    points.forEach([&s, &sum](double, double v) {
        if (v > s.max) s.max = v;
        if (v < s.min) s.min = v;
        sum += v;
    });
    s.avg = sum / points.size();
    if (probeRange) s.max = std::min(s.max, ProbeRangeTop(probeScale));
    return s;
}

double ValueStepFor(double range) {
    const double l = std::log10(range);
    const double whole = std::floor(l + 100) - 100;
    const double m = l - whole;
    double f = 1;
    if (m > std::log10(1.2)) {
        f = 2;
        if (m > std::log10(2.4)) {
            f = 5;
            if (m > std::log10(6.0)) f = 10;
        }
    }
    return f * std::pow(10.0, std::floor(l + 100) - 101);
}

ValuePatterns ValueLabelPatterns(double d) {
    if (d > 1000) return {QStringLiteral("####0;-###0"), QStringLiteral("#####0.0;-###0.0")};
    if (d >= 10) return {QStringLiteral("####0;-###0"), QStringLiteral("####0.0;-###0.0")};
    if (d >= 1) return {QStringLiteral("###0.0;-##0.0"), QStringLiteral("###0.00;-##0.00")};
    if (d >= 0.1) return {QStringLiteral("##0.00;-#0.00"), QStringLiteral("##0.000;-#0.000")};
    return {QStringLiteral("#0.000;-0.000"), QStringLiteral("#0.0000;-0.0000")};
}

ValueAxis PlanValueAxis(const ValueAxisInput& in) {
    ValueAxis a;
    a.axisMin = in.axisMin;
    a.axisMax = in.axisMax;

    // R0 widens the unzoomed window by half a unit each side of the data and the limits.
    double r0 = 0;
    if (!in.zoomed) r0 = (std::max(a.axisMax, in.highLimit) - std::min(a.axisMin, in.lowLimit)) + 1;

    if (in.probeRange) {
        const double top = ProbeRangeTop(in.probeScale) - 0.00001;
        if (a.axisMax > top) a.axisMax = top;
        if (a.axisMin < 0) a.axisMin = 0;
        if (a.axisMin > a.axisMax) a.axisMin = a.axisMax;
    }

    const double span = a.axisMax - a.axisMin;
    a.range = span == 0 ? 1 : span;
    if (r0 > span) a.range = r0;
    a.lo = a.axisMin;
    a.hi = a.axisMax;
    if (!in.zoomed) {
        a.range = r0;
        a.lo = std::min(in.lowLimit, a.axisMin);
        a.hi = std::max(in.highLimit, a.axisMax);
    }
    if (!(a.range > 0 && std::isfinite(a.range))) a.range = 1;

    a.step = ValueStepFor(a.range);
    const double mid = (a.lo + a.hi) / 2;
    // The offsets make the whole part act as the floor for windows down to -10000 steps, as the
    // axis ends have always been rounded.
    a.bottom = (std::floor((mid - a.range / 2) / a.step + 10000) - 10000) * a.step;
    if (a.bottom < 0 && a.lo >= 0) a.bottom = 0;
    a.top = (std::floor((mid + a.range / 2) / a.step + 10001) - 10000) * a.step;
    const double divisions = std::floor((a.top - a.bottom) / a.step + 0.5);
    a.divisions = divisions >= 1 && divisions <= 1000 ? static_cast<int>(divisions) : 1;

    const ValuePatterns patterns = ValueLabelPatterns(a.top - a.bottom);
    a.labelFormat = patterns.label;
    a.readoutFormat = patterns.readout;
    return a;
}

// ---- Time -------------------------------------------------------------------------------------

TimeLabelRow TimeLabelRowFor(double s) {
    struct Row {
        double upTo; // the row applies up to and including this span
        TimeLabelRow row;
    };
    using P = TimePattern;
    static constexpr Row kRows[] = {
        {75, {15, 1, P::Seconds}},        {150, {30, 1, P::Seconds}},
        {300, {60, 2, P::Seconds}},       {600, {120, 2, P::Minutes}},
        {1500, {300, 1, P::Minutes}},     {3000, {600, 2, P::Minutes}},
        {4500, {900, 1, P::Minutes}},     {9000, {1800, 2, P::Minutes}},
        {18000, {3600, 2, P::Hours}},     {36000, {7200, 2, P::Hours}},
        {72000, {14400, 2, P::Hours}},    {108000, {21600, 2, P::Hours}},
        {144000, {28800, 2, P::Hours}},   {216000, {43200, 2, P::Hours}},
        {432000, {86400, 2, P::Date}},    {864000, {172800, 2, P::Date}},
        {1728000, {345600, 2, P::Date}},  {3024000, {604800, 1, P::Date}},
        {6048000, {1209600, 2, P::Date}}, {12096000, {2419200, 2, P::Date}},
    };
    if (s < 50) return {10, 1, P::Seconds};
    for (const Row& r : kRows)
        if (s <= r.upTo) return r.row;
    return {4838400, 2, P::Date};
}

QString TimeLabelPattern(TimePattern pattern, const QString& dateOrder, const QString& seconds,
                         const QString& minutes, const QString& hours) {
    switch (pattern) {
    case TimePattern::Seconds:
        return seconds;
    case TimePattern::Minutes:
        return minutes;
    case TimePattern::Hours:
        return hours;
    case TimePattern::Date:
        break;
    }
    return dateOrder == QLatin1String("US") ? QStringLiteral("mm/dd") : QStringLiteral("dd/mm");
}

TimeAxis PlanTimeAxis(double firstTime, double lastTime) {
    // A damaged record could span ages; past this many labels the axis stops growing.
    constexpr int kMaxLabels = 100000;
    TimeAxis a;
    a.row = TimeLabelRowFor((lastTime - firstTime) * 86400);
    a.labelDays = a.row.seconds / 86400;
    a.first = std::floor(firstTime / a.labelDays) * a.labelDays;
    double t = a.first;
    int k = 0;
    while (t < lastTime && k < kMaxLabels) {
        t += a.labelDays;
        ++k;
    }
    if (k == 0) {
        k = 1;
        t = a.first + a.labelDays;
    }
    a.last = t;
    a.labels = k;
    a.intervals = a.row.subdivisions * k;
    return a;
}

// ---- The picture ------------------------------------------------------------------------------

PlotFrame PlanLayout(double scaleWidth, double scaleHeight) {
    PlotFrame f;
    f.left = 0.15 * scaleWidth;
    f.width = 0.75 * scaleWidth;
    f.rightMargin = scaleWidth - f.left - f.width;
    f.top = 0.15 * scaleHeight;
    f.height = 0.70 * scaleHeight;
    f.bottomMargin = scaleHeight - f.top - f.height;
    return f;
}

PlotMapping::PlotMapping(const PlotFrame& frame, double firstTime, double lastTime,
                         double axisBottom, double axisTop)
    : left_(frame.left), first_(firstTime), base_(frame.bottomEdge()), bottom_(axisBottom) {
    const double timeSpan = lastTime - firstTime;
    const double valueSpan = axisTop - axisBottom;
    // Both spans are positive by construction; the guards keep a damaged record finite.
    xScale_ = timeSpan > 0 ? frame.width / timeSpan : 0;
    yScale_ = valueSpan > 0 ? frame.height / valueSpan : 0;
}

} // namespace graph
