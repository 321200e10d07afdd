#include "graph/GraphPlan.h"

#include "shell/AppState.h"

#include <algorithm>

using namespace graph;

int DisplayedPoints(double count) {
    if (!(count > 0)) return 0;
    return count >= kMaxReadings ? kMaxReadings : static_cast<int>(count);
}

void DisplayWholeRecord(AppState& st) {
    const int count = std::clamp(static_cast<int>(st.RecordCount), 0, kMaxReadings);
    st.DisplayCount = count;
    for (int i = 1; i <= count; ++i) {
        st.DisplayValue.point(i) = st.RecordValue.point(i);
        st.DisplayTime.point(i) = st.RecordTime.point(i);
    }
}

GraphPlan PlanGraph(AppState& st) {
    const int n = DisplayedPoints(st.DisplayCount);
    const PointSeries points = SeriesOf(st.DisplayTime, st.DisplayValue, n);
    GraphPlan plan;
    if (n <= 2) return plan;
    const double t1 = points.firstTime();
    const double tN = points.lastTime();

    // Value window, clip, statistics, range, step, axis ends and label patterns.
    const bool zoomed = st.Zoomed == 1;
    ValueAxisInput in;
    in.zoomed = zoomed;
    if (zoomed) {
        in.axisMin = st.AxisMin;
        in.axisMax = st.AxisMax;
    } else {
        const Extent extent = ValueExtent(points);
        in.axisMin = extent.min;
        in.axisMax = extent.max;
    }
    in.highLimit = st.HighLimitValue;
    in.lowLimit = st.LowLimitValue;
    in.probeRange = HasProbeRange(st.UnitCode);
    in.probeScale = st.ProbeScale;
    const ValueAxis va = PlanValueAxis(in);
    st.AxisMin = va.axisMin;
    st.AxisMax = va.axisMax;

    const Statistics stats = ComputeStatistics(points, in.probeRange, in.probeScale);
    st.StatMin = stats.min;
    st.StatMax = stats.max;
    st.StatAvg = stats.avg;

    st.ValueStep = va.step;
    st.AxisBottom = va.bottom;
    st.AxisTop = va.top;
    st.ValueDivisions = va.divisions;
    st.ValueLabelFormat = va.labelFormat;
    st.ValueReadoutFormat = va.readoutFormat;

    // Time labels and time ends.
    const TimeAxis ta = PlanTimeAxis(t1, tN);
    st.TimeLabelSeconds = ta.row.seconds;
    st.TimeSubdivisions = ta.row.subdivisions;
    st.TimeLabelFormat = TimeLabelPattern(ta.row.pattern, st.DateOrder, st.TimeFormatSec,
                                          st.TimeFormatMin, st.TimeFormatHour);
    st.TimeLabelDays = ta.labelDays;
    st.FirstTimeLabel = ta.first;
    st.LastTimeLabel = ta.last;
    plan.planned = true;
    plan.value = va;
    plan.time = ta;
    return plan;
}
