#pragma once
// The decisions behind the graph, free of widgets: the value window and its axis, the time axis,
// the statistics, the plot rectangle, the mapping of a reading to the canvas and the clipping of
// the curve to the plot. DrawGraph draws what these decide; the zoom and the printout read the
// same results back from the shared state.

#include "shell/RecordArrays.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>

namespace graph {

// ---- The displayed points ---------------------------------------------------------------------

// Consecutive readings held contiguously (one storage block of the record arrays).
struct PointRun {
    const double* time = nullptr;
    const double* value = nullptr;
    int count = 0;
};

// Readings 1..N of a record as up to three runs, in order.
struct PointSeries {
    std::array<PointRun, kBlockCapacity> runs{};
    int runCount = 0;

    int size() const;
    double firstTime() const { return runs[0].time[0]; }
    double lastTime() const;

    // Calls f(time, value) for each reading in order.
    template <class F> void forEach(F&& f) const {
        for (int r = 0; r < runCount; ++r) {
            const PointRun& run = runs[static_cast<size_t>(r)];
            for (int i = 0; i < run.count; ++i) f(run.time[i], run.value[i]);
        }
    }
};

// The first `count` readings of a record's arrays; the count is limited to what the arrays hold.
PointSeries SeriesOf(const RecordArray<double>& time, const RecordArray<double>& value, int count);

// ---- Values -----------------------------------------------------------------------------------

// Units whose meaningful range ends at 1000 / probe scale (the rms current and voltage probes).
bool HasProbeRange(double unitCode);
// 1000 / probeScale; no end (+infinity) when the scale is not a positive number.
double ProbeRangeTop(double probeScale);

struct Extent {
    double min = 0;
    double max = 0;
};
Extent ValueExtent(const PointSeries& points);

struct Statistics {
    double min = 0;
    double max = 0;
    double avg = 0;
};
// Min, max and mean of the points; with a probe range the max is capped at its top.
Statistics ComputeStatistics(const PointSeries& points, bool probeRange, double probeScale);

struct ValueAxisInput {
    bool zoomed = false;
    // The value window: the zoom's when zoomed, else the data's extent.
    double axisMin = 0;
    double axisMax = 0;
    double highLimit = 0;
    double lowLimit = 0;
    bool probeRange = false;
    double probeScale = 0;
};

struct ValueAxis {
    double axisMin = 0, axisMax = 0; // the window after the probe-range clip
    double range = 0;                // R, the value range the step is chosen for
    double lo = 0, hi = 0;           // the values the axis must show
    double step = 0;
    double bottom = 0, top = 0;
    int divisions = 0;
    QString labelFormat, readoutFormat;
};

// With a probe range, a zoom window wholly above the range's top clips to an empty window; it
// is then taken as the range's top alone, which gives a one-unit window there. Any other window
// whose range comes out not positive (values that are not numbers) is planned with range 1.
ValueAxis PlanValueAxis(const ValueAxisInput& in);

// The grid step for a value range R > 0: 1, 2, 5 or 10 times 10^(floor(log10 R) - 1).
double ValueStepFor(double range);

struct ValuePatterns {
    QString label;
    QString readout; // one more decimal, for the cursor readout
};
ValuePatterns ValueLabelPatterns(double axisSpan);

// ---- Time -------------------------------------------------------------------------------------

enum class TimePattern { Seconds, Minutes, Hours, Date };

struct TimeLabelRow {
    double seconds = 0;   // between labels
    int subdivisions = 0; // grid intervals per labelled interval
    TimePattern pattern = TimePattern::Seconds;
};
// The label interval for a time span in seconds; a span on a row's boundary takes the earlier row.
TimeLabelRow TimeLabelRowFor(double spanSeconds);

// The pattern of a label row in the display formats in use ("US" order, or any other).
QString TimeLabelPattern(TimePattern pattern, const QString& dateOrder, const QString& seconds,
                         const QString& minutes, const QString& hours);

struct TimeAxis {
    TimeLabelRow row;
    double labelDays = 0;
    double first = 0;  // whole multiple of the label interval at or before the first point
    double last = 0;   // the first label time not before the last point
    int labels = 0;    // k: label intervals from first to last
    int intervals = 0; // M: vertical grid intervals
};
// When every point lies on `first` itself (one time stamp on a whole label interval) the axis
// spans one label interval from there, so it always has a width.
TimeAxis PlanTimeAxis(double firstTime, double lastTime);

// ---- The picture ------------------------------------------------------------------------------

struct PlotFrame {
    double left = 0, width = 0, top = 0, height = 0, rightMargin = 0, bottomMargin = 0;
    double bottomEdge() const { return top + height; }
    double tick() const { return 0.025 * height; }
};
PlotFrame PlanLayout(double scaleWidth, double scaleHeight);

// Canvas position of a reading.
class PlotMapping {
public:
    PlotMapping(const PlotFrame& frame, double firstTime, double lastTime, double axisBottom,
                double axisTop);
    double x(double time) const { return left_ + (time - first_) * xScale_; }
    double y(double value) const { return base_ - (value - bottom_) * yScale_; }

private:
    double left_, first_, xScale_, base_, bottom_, yScale_;
};

struct Segment {
    double x1, y1, x2, y2;
};

// Cuts a segment to the band top <= y <= bottom. Ends inside stay; an end above moves to where
// the segment crosses y = top, one below to where it crosses y = bottom, both crossings taken on
// the segment as given. False when nothing is left to draw (both ends on one outer side, or an
// end that is not a finite position).
inline bool ClipSegment(Segment& s, double top, double bottom) {
    if (!(std::isfinite(s.x1) && std::isfinite(s.y1) && std::isfinite(s.x2) && std::isfinite(s.y2)))
        return false;
    const bool above1 = s.y1<top, below1 = s.y1> bottom;
    const bool above2 = s.y2<top, below2 = s.y2> bottom;
    if (!(above1 || below1 || above2 || below2)) return true;
    if ((above1 && above2) || (below1 && below2)) return false;
    const Segment given = s;
    const auto crossing = [&given](double edge) {
        return given.x1 + (given.x2 - given.x1) * (given.y1 - edge) / (given.y1 - given.y2);
    };
    if (above1 || below1) {
        const double edge = above1 ? top : bottom;
        s.x1 = crossing(edge);
        s.y1 = edge;
    }
    if (above2 || below2) {
        const double edge = above2 ? top : bottom;
        s.x2 = crossing(edge);
        s.y2 = edge;
    }
    return true;
}

// Readings further apart than 0.15 s (the record counts tenths of a second) are not joined.
constexpr double kGapDays = 1.5 / 864000.0;

// Whether two neighbouring readings belong to one run. The difference of two day serials is
// rounded by up to 1e-11 day (5e-10 day in the year 9999), so a pause of exactly 1.5 periods
// would fall on either side of kGapDays by where in the record it lies; the comparison allows
// 1e-9 day (86 microseconds), far below the tenth of a second the logger counts.
constexpr bool Joined(double previousTime, double time) {
    // A step back in time (the hour that the clocks going back shows twice) is a pause too.
    return time - previousTime <= kGapDays + 1e-9 && time - previousTime >= -1e-9;
}

// Calls line(segment) for each piece of the curve: one per pair of neighbouring points that are
// at most kGapDays apart, clipped to the plot's top and bottom edges.
template <class Sink>
void TraceCurve(const PointSeries& points, const PlotMapping& map, double top, double bottom,
                Sink&& line) {
    bool started = false;
    double prevTime = 0, prevX = 0, prevY = 0;
    points.forEach([&](double time, double value) {
        const double x = map.x(time), y = map.y(value);
        if (started && Joined(prevTime, time)) {
            Segment s{prevX, prevY, x, y};
            if (ClipSegment(s, top, bottom)) line(s);
        }
        started = true;
        prevTime = time;
        prevX = x;
        prevY = y;
    });
}

// Joins the pieces of a dense curve that fall within one pixel column. A full record puts a
// hundred or more readings into each column of the picture, and the painter's cost is per line,
// not per pixel: consecutive connected pieces whose ends all lie in one column are drawn as one
// vertical line over the rows they span, which covers the same pixels (up to the rounding of a
// line's ends) at a fraction of the cost. Pieces that cross a column boundary pass unchanged.
// Positions are in device pixels.
template <class Sink> class ColumnJoiner {
public:
    explicit ColumnJoiner(Sink& sink) : sink_(sink) {}

    void add(const Segment& s) {
        const double column = std::floor(s.x1);
        if (column != std::floor(s.x2)) {
            finish();
            sink_(s);
            return;
        }
        if (pending_ && column == column_ && s.x1 == endX_ && s.y1 == endY_) {
            low_ = std::min(low_, s.y2);
            high_ = std::max(high_, s.y2);
        } else {
            finish();
            pending_ = true;
            column_ = column;
            low_ = std::min(s.y1, s.y2);
            high_ = std::max(s.y1, s.y2);
        }
        endX_ = s.x2;
        endY_ = s.y2;
    }

    // Draws the run in progress; call after the last piece.
    void finish() {
        if (!pending_) return;
        pending_ = false;
        const double x = column_ + 0.5;
        sink_(Segment{x, low_, x, high_});
    }

private:
    Sink& sink_;
    bool pending_ = false;
    double column_ = 0, low_ = 0, high_ = 0, endX_ = 0, endY_ = 0;
};

} // namespace graph
