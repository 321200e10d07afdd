#include "output/GraphPage.h"

#include "graph/AxisPlan.h"
#include "graph/GraphPlan.h"
#include "graph/canvas/Canvas.h"
#include "shell/AppState.h"
#include "ui/Format.h"
#include "ui/Palette.h"

#include <algorithm>
#include <cmath>

using namespace graph;

namespace {

const QColor kBlack(0, 0, 0);

void PrintAt(Canvas& c, double x, double y, const QString& text) {
    c.setCurrentX(x);
    c.setCurrentY(y);
    c.Print(text);
}

// A line 300 dpi laser dots wide on this device.
constexpr double kLayoutDotsPerInch = 300;

} // namespace

int PaperLineWidth(int width, int dotsPerInch) {
    const double dots = std::round(width * dotsPerInch / kLayoutDotsPerInch);
    return dots >= 1 ? static_cast<int>(std::min(dots, 1000.0)) : 1;
}

GraphPage PlanGraphPage(double scaleWidth, double scaleHeight) {
    GraphPage p;
    p.left = 0.2 * scaleWidth;
    p.width = 0.7 * scaleWidth;
    p.top = 0.1 * scaleHeight;
    p.height = 0.6 * p.width;
    return p;
}

TimeAxisEnd FindTimeAxisEnd(double firstLabel, double labelDays, double lastTime) {
    // The same limit as on screen: a damaged record could span ages.
    constexpr int kMaxLabels = 100000;
    TimeAxisEnd end;
    if (!(labelDays > 0)) {
        // No drawing has set the axis (too few points): one empty interval.
        end.last = firstLabel;
        return end;
    }
    double t = firstLabel;
    int k = 0;
    while (t < lastTime && k < kMaxLabels) {
        t += labelDays;
        ++k;
    }
    if (k == 0) {
        // Every point on the first label: one interval from there, as on screen.
        k = 1;
        t = firstLabel + labelDays;
    }
    end.labels = k;
    end.last = t;
    return end;
}

void DrawGraphPage(const AppState& st, PageCanvas& c, int dotsPerInch, bool withDescription) {
    const auto width = [dotsPerInch](int w) { return PaperLineWidth(w, dotsPerInch); };
    const int n = DisplayedPoints(st.DisplayCount);
    const double firstTime = n > 0 ? st.DisplayTime.point(1) : st.FirstTimeLabel;
    const double lastTime = n > 0 ? st.DisplayTime.point(n) : st.FirstTimeLabel;

    // 6. Font and page.
    c.setFontBold(false);
    c.setFontName(st.PrintFontName);
    c.setFontSize(st.PrintFontSize);
    const double pageWidth = c.ScaleWidth(), pageHeight = c.ScaleHeight();
    const GraphPage p = PlanGraphPage(pageWidth, pageHeight);
    const double left = p.left, right = p.left + p.width, top = p.top, bottom = p.bottom();
    const double tick = 0.025 * p.height;

    // 7. Frame.
    c.setDrawWidth(width(4));
    c.Line(left, top, left, bottom + tick, kBlack);
    c.Line(left, bottom, right, bottom, kBlack);
    c.Line(right, bottom + tick, right, top, kBlack);
    c.Line(left, top, right, top, kBlack);

    // 8. Vertical grid, with ticks below the axis at the labelled positions.
    const TimeAxisEnd end = FindTimeAxisEnd(st.FirstTimeLabel, st.TimeLabelDays, lastTime);
    const int subdivisions = std::max(1, st.TimeSubdivisions);
    const int m = subdivisions * end.labels;
    const int divisions = std::max(1, st.ValueDivisions);
    const double g = p.height / divisions;
    c.setDrawWidth(width(1));
    for (int j = 1; j < m; ++j) {
        const double x = left + j * p.width / m;
        c.Line(x, top, x, bottom + ((j % 2 == 0 || subdivisions == 1) ? tick : 0), kBlack);
    }

    // 9. Time labels.
    for (int j = 0; j <= end.labels; ++j)
        PrintAt(c, left + j * subdivisions * p.width / m - 0.04 * p.width, bottom + 0.06 * p.height,
                ui::Format(st.FirstTimeLabel + j * st.TimeLabelDays, st.TimeLabelFormat));

    // 10. Horizontal grid.
    for (int j = 1; j < divisions; ++j) c.Line(left, bottom - j * g, right, bottom - j * g, kBlack);

    // 11. Value labels.
    for (int j = 0; j <= divisions; ++j)
        PrintAt(c, 0.72 * left, bottom - j * g - 0.02 * p.height,
                ui::Format(st.AxisBottom + j * st.ValueStep, st.ValueLabelFormat));

    // 12. Unit caption.
    PrintAt(c, 0.45 * left, top + 0.5 * p.height, st.UnitName);

    // 13. Limit lines, only strictly inside the axis.
    PlotFrame frame;
    frame.left = left;
    frame.width = p.width;
    frame.top = top;
    frame.height = p.height;
    const PlotMapping map(frame, st.FirstTimeLabel, end.last, st.AxisBottom, st.AxisTop);
    c.setDrawWidth(width(8));
    for (const double limit : {st.HighLimitValue.value(), st.LowLimitValue.value()}) {
        if (st.AxisBottom < limit && limit < st.AxisTop) {
            const double y = map.y(limit);
            c.Line(left, y, right, y, kBlack);
        }
    }

    // 14. The curve, broken at pauses and cut to the plot's top and bottom as on screen. Even
    // at 1200 dots an inch a full record puts about ten readings into each dot column of the
    // plot, and a printer pays per line: joining the pieces within a column, as the screen
    // does, changes nothing a printer can show and makes the page several times quicker.
    c.setDrawWidth(width(4));
    const QColor red = ui::PaletteColor(4);
    const PointSeries points = SeriesOf(st.DisplayTime, st.DisplayValue, n);
    auto line = [&c, &red](const Segment& s) { c.Line(s.x1, s.y1, s.x2, s.y2, red); };
    ColumnJoiner<decltype(line)> joiner(line);
    TraceCurve(points, map, top, bottom, [&joiner](const Segment& s) { joiner.add(s); });
    joiner.finish();
    c.setDrawWidth(width(1));

    // 15. Title.
    c.setFontBold(true);
    c.setFontSize(st.PrintTitleFontSize);
    PrintAt(c, left, 0.6 * top, st.GraphTitle);

    // 16. Information block: three rows of two columns under the time labels.
    c.setFontBold(false);
    c.setFontSize(st.PrintFontSize);
    const double middle = left + 0.5 * p.width;
    const QString& readout = st.ValueReadoutFormat;
    const QString count = QStringLiteral("######");
    const QString start = n > 0 ? ui::Format(firstTime, st.DateTimeFormatShort) : QString();
    const double rows[] = {bottom + 0.065 * pageHeight, bottom + 0.085 * pageHeight,
                           bottom + 0.105 * pageHeight};
    PrintAt(c, left, rows[0], st.Text(58) + start);
    PrintAt(c, middle, rows[0], st.Text(145) + ui::Format(st.StatMax, readout));
    PrintAt(c, left, rows[1], st.Text(146) + ui::Format(st.LoggerNumber, count));
    PrintAt(c, middle, rows[1], st.Text(147) + ui::Format(st.StatMin, readout));
    PrintAt(c, left, rows[2], st.Text(149) + ui::Format(st.DisplayCount, count));
    PrintAt(c, middle, rows[2], st.Text(148) + ui::Format(st.StatAvg, readout));

    // 17. The graph description.
    if (withDescription) {
        const double lines[] = {bottom + 0.15 * pageHeight, bottom + 0.17 * pageHeight,
                                bottom + 0.19 * pageHeight};
        const QString* leftColumn[] = {&st.DescriptionLine2, &st.DescriptionLine3,
                                       &st.DescriptionLine4};
        const QString* rightColumn[] = {&st.DescriptionLine5, &st.DescriptionLine6,
                                        &st.DescriptionLine7};
        for (int r = 0; r < 3; ++r) {
            PrintAt(c, left, lines[r], *leftColumn[r]);
            PrintAt(c, middle, lines[r], *rightColumn[r]);
        }
    }
}
