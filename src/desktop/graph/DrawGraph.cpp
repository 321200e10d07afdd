#include "graph/DrawGraph.h"

#include "graph/AxisPlan.h"
#include "graph/canvas/PictureBox.h"
#include "shell/Log1.h"
#include "ui/Accessible.h"
#include "ui/Colors.h"
#include "ui/Format.h"

#include <QAccessible>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <cmath>

using namespace graph;

namespace {

const QColor kBusyGreen(0, 255, 0);
const QColor kLimitGreen(0, 255, 100);

} // namespace

void DrawGraph(Log1& w) {
    DrawGraph(w, w.Picture1->canvas());
    // The labels repainted while drawing may have had the picture box painted half drawn; it
    // shows the finished picture once the drawing has returned.
    w.Picture1->update();
}

void DrawGraph(Log1& w, ImageCanvas& c) {
    AppState& st = w.st;
    const int n = DisplayedPoints(st.DisplayCount);

    // 1. Too few points for a graph. Whatever the picture shows belongs to an earlier record.
    if (n <= 2) {
        w.Label15->hide();
        EndBusy(w);
        c.Cls();
        w.Frame2->hide();
        w.Picture1->setAccessibleName(ui::PlainName(st.Text(45)));
        w.Picture1->setAccessibleDescription({});
        return;
    }

    // 2. Busy state.
    ui::SetBackColor(w.Label15, kBusyGreen);
    w.Label15->setText(st.Text(57));
    w.Label15->show();
    w.Label15->repaint();
    BeginBusy(w);
    w.mnuFuncWEN->setVisible(false);
    w.mnuFuncTREL->setVisible(false);
    c.Cls();
    if (st.Zoomed == 0) w.Command2->hide();
    w.Label40->setText(ui::PlainText(n));
    w.Label40->show();
    w.Label40->repaint();

    const PointSeries points = SeriesOf(st.DisplayTime, st.DisplayValue, n);
    const double t1 = points.firstTime();

    // 3 to 12. Value window, statistics, axes and label patterns.
    const GraphPlan plan = PlanGraph(st);
    const ValueAxis& va = plan.value;
    const TimeAxis& ta = plan.time;
    const int k = ta.labels;
    const int m = ta.intervals;

    // 13. Layout.
    c.setFontName(st.GraphFontName);
    c.setFontSize(st.GraphFontSize);
    c.setFontBold(false);
    const PlotFrame f = PlanLayout(c.ScaleWidth(), c.ScaleHeight());
    st.PlotLeft = f.left;
    st.PlotWidth = f.width;
    st.RightMargin = f.rightMargin;
    st.PlotTop = f.top;
    st.PlotHeight = f.height;
    st.BottomMargin = f.bottomMargin;
    const double left = f.left, right = f.left + f.width, top = f.top, b = f.bottomEdge();
    const double tick = f.tick();
    const double g = f.height / va.divisions;

    // 14. Frame.
    c.setDrawWidth(1);
    c.Line(left, top, left, b + tick);
    c.Line(left, b, right, b);
    c.Line(right, b + tick, right, top);
    c.Line(left, top, right, top);
    w.Label8->hide();

    // 15. Vertical grid; the ticks below the axis mark the labelled positions only.
    for (int j = 1; j < m; ++j) {
        const double x = left + j * f.width / m;
        const double t = (j % 2 == 0 || ta.row.subdivisions == 1) ? tick : 0;
        c.Line(x, top, x, b + t);
    }

    // 16. Time labels.
    for (int j = 0; j <= k; ++j) {
        c.setCurrentX(left + j * ta.row.subdivisions * f.width / m - 0.05 * f.width);
        c.setCurrentY(b + 0.06 * f.height);
        c.Print(ui::Format(ta.first + j * ta.labelDays, st.TimeLabelFormat));
    }

    // 17. Horizontal grid.
    for (int j = 1; j < va.divisions; ++j) c.Line(left, b - j * g, right, b - j * g);

    // 18. Value labels.
    for (int j = 0; j <= va.divisions; ++j) {
        c.setCurrentX(0.12 * f.width);
        c.setCurrentY(b - j * g - 0.02 * f.height);
        c.Print(ui::Format(va.bottom + j * va.step, va.labelFormat));
    }

    // 19. Unit caption.
    c.setCurrentX(0.1 * left);
    c.setCurrentY(top + 0.5 * f.height);
    c.Print(st.UnitName);

    // 20. Limit lines, only strictly inside the axis.
    const PlotMapping map(f, ta.first, ta.last, va.bottom, va.top);
    c.setDrawWidth(2);
    for (const double limit : {st.HighLimitValue.value(), st.LowLimitValue.value()}) {
        if (va.bottom < limit && limit < va.top) {
            const double y = map.y(limit);
            c.Line(left, y, right, y, kLimitGreen);
        }
    }
    c.setDrawWidth(1);

    // 21. The curve.
    const QColor curve = ui::PaletteColor(12);
    auto draw = [&c, &curve](const Segment& s) { c.Line(s.x1, s.y1, s.x2, s.y2, curve); };
    ColumnJoiner<decltype(draw)> joiner(draw);
    TraceCurve(points, map, top, b, [&joiner](const Segment& s) { joiner.add(s); });
    joiner.finish();

    // 22. Done state.
    w.Label15->clear();
    w.Label15->hide();
    w.Label15->repaint();
    EndBusy(w);

    // 23. Title.
    c.setFontSize(st.TitleFontSize);
    c.setFontBold(true);
    c.setCurrentX(left);
    c.setCurrentY(0.5 * top);
    c.Print(st.GraphTitle);

    // 24. Footer: the start time and the logger number.
    c.setFontSize(st.FooterFontSize);
    c.setFontBold(false);
    c.setCurrentX(left);
    c.setCurrentY(b + 0.63 * f.bottomMargin);
    c.Print(st.Text(58) + ui::Format(t1, st.DateTimeFormatShort) + QString(75, u' ') +
            QStringLiteral("Logger No:") + QString(5, u' ') +
            ui::Format(st.LoggerNumber, QStringLiteral("######")));

    // 25. Readouts.
    for (QWidget* label :
         std::initializer_list<QWidget*>{w.Frame2, w.Label33, w.Label32, w.Label27, w.Label24})
        label->show();
    const QString pattern = QStringLiteral("###0.0");
    const std::pair<QLabel*, double> readouts[] = {
        {w.Label29, st.StatMax}, {w.Label30, st.StatMin}, {w.Label31, st.StatAvg}};
    for (const auto& [label, value] : readouts) {
        label->setText(ui::Format(value, pattern));
        label->show();
        label->repaint();
    }

    // What a screen reader says of the graph: its title, then the readouts and the start.
    QStringList told;
    for (QLabel* label : {w.Label29, w.Label30, w.Label31, w.Label40})
        told << QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
    told << ui::PlainName(st.Text(58)) + QStringLiteral(": ") +
                ui::Format(t1, st.DateTimeFormatShort);
    w.Picture1->setAccessibleName(st.GraphTitle.isEmpty()
                                      ? ui::PlainName(st.Text(45))
                                      : ui::PlainName(st.Text(45)) + QStringLiteral(": ") +
                                            st.GraphTitle);
    w.Picture1->setAccessibleDescription(told.join(QStringLiteral(", ")));

    // 26. The file the record came from.
    if (st.DataFromFile) {
        w.Label18->setText(st.OpenFileName);
        w.Label18->show();
        w.Label18->repaint();
    } else {
        w.Label18->hide();
    }
}
