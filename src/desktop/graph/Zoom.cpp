#include "graph/Zoom.h"

#include "graph/DrawGraph.h"
#include "graph/canvas/PictureBox.h"
#include "shell/Log1.h"
#include "ui/Colors.h"
#include "ui/Format.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const QColor kGreen(0, 255, 0);
const QColor kYellow(255, 255, 0);

QList<QLabel*> ReadoutLabels(Log1& w) {
    return {w.Label25, w.Label9, w.Label10, w.Label12};
}

void PlaceBand(QFrame* band, double left, double top, double width, double height) {
    band->setGeometry(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)),
                      static_cast<int>(std::lround(width)), static_cast<int>(std::lround(height)));
}

// A count the arrays can hold; anything else would come from a damaged state.
int Points(const Number& count) {
    return std::clamp(static_cast<int>(count), 0, kMaxReadings);
}

} // namespace

double TimeAtX(const AppState& st, double x) {
    return st.FirstTimeLabel +
           (x - st.PlotLeft) * (st.LastTimeLabel - st.FirstTimeLabel) / st.PlotWidth;
}

double ValueAtY(const AppState& st, double y) {
    const double bottom = st.PlotTop + st.PlotHeight;
    return st.AxisBottom + (bottom - y) * (st.AxisTop - st.AxisBottom) / st.PlotHeight;
}

bool InsidePlot(const AppState& st, double x, double y) {
    return st.PlotLeft < x && x < st.PlotLeft + st.PlotWidth && st.PlotTop < y &&
           y < st.PlotTop + st.PlotHeight;
}

ZoomSpan FindZoomSpan(const RecordArray<double>& times, int count, double from, double to) {
    ZoomSpan span{1, count};
    bool firstFound = false;
    for (int i = 1; i <= count; ++i) {
        const double t = times.point(i);
        if (!firstFound && t >= from) {
            span.first = i;
            firstFound = true;
        }
        if (t >= to) {
            span.last = i - 1;
            break;
        }
    }
    return span;
}

void Picture1_MouseDown(Log1& w, int, int, double x, double y) {
    AppState& st = w.st;
    if (!InsidePlot(st, x, y)) return;
    st.DragStartX = static_cast<float>(x);
    st.DragStartY = static_cast<float>(y);
    QFrame* band = w.Picture1->Shape1();
    PlaceBand(band, x, y, 0, 0);
    st.ZoomTimeFrom = TimeAtX(st, x);
    st.DragValueTop = ValueAtY(st, y);
    st.DragActive = 1;
    band->show();
}

void Picture1_MouseMove(Log1& w, int button, int, double x, double y) {
    AppState& st = w.st;
    if (st.DownloadRequested == 1 || !w.RecordLoaded()) return;
    if (button != 0) {
        PlaceBand(w.Picture1->Shape1(), std::min<double>(st.DragStartX, x),
                  std::min<double>(st.DragStartY, y), std::fabs(x - st.DragStartX),
                  std::fabs(y - st.DragStartY));
    }
    const QList<QLabel*> labels = ReadoutLabels(w);
    if (!InsidePlot(st, x, y)) {
        for (QLabel* label : labels) label->hide();
        return;
    }
    // The readout is the position under the pointer, not the nearest reading.
    const double t = TimeAtX(st, x);
    w.Label25->setText(ui::Format(t, st.DateFormat));
    w.Label9->setText(ui::Format(t, st.TimeFormatSec));
    w.Label10->setText(ui::Format(ValueAtY(st, y), st.ValueReadoutFormat));
    w.Label12->setText(st.UnitName);
    for (QLabel* label : labels) {
        label->show();
        label->repaint();
    }
}

void Picture1_MouseUp(Log1& w, int, int, double x, double y) {
    AppState& st = w.st;
    if (st.DragActive != 1) return;
    st.DragActive = 0;
    st.ZoomTimeTo = TimeAtX(st, x);
    st.DragValueBottom = ValueAtY(st, y);
    w.Picture1->Shape1()->hide();
    ZoomToDrag(w);
}

bool ZoomPossible(const AppState& st) {
    // A transfer, a drawing or a printout under way (the hourglass) must not have its record
    // changed under it.
    return st.Transferring != 1 && !ui::IsHourglass();
}

void ZoomToDrag(Log1& w) {
    AppState& st = w.st;
    // A click without movement has no span.
    if (st.ZoomTimeFrom == st.ZoomTimeTo || st.DragValueTop == st.DragValueBottom ||
        !ZoomPossible(st))
        return;
    ApplyZoom(w);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{w.Label14, w.Label16, w.Label17, w.ProgressBar1}) {
        widget->show();
        widget->repaint();
    }
}

void ApplyZoom(Log1& w) {
    AppState& st = w.st;
    if (!(st.ZoomTimeTo > st.ZoomTimeFrom)) std::swap(st.ZoomTimeFrom, st.ZoomTimeTo);
    if (!(st.DragValueTop > st.DragValueBottom)) std::swap(st.DragValueTop, st.DragValueBottom);
    // The value window is taken even when the span turns out too short: while zoomed, the next
    // drawing shows it.
    st.AxisMax = st.DragValueTop;
    st.AxisMin = st.DragValueBottom;

    const int count = Points(st.DisplayCount);
    const ZoomSpan span = FindZoomSpan(st.DisplayTime, count, st.ZoomTimeFrom, st.ZoomTimeTo);
    st.ZoomFirst = span.first;
    st.ZoomLast = span.last;
    if (span.last - span.first < 2) return;

    for (int i = 1; i <= count; ++i) {
        st.ZoomValueBuf.point(i) = st.DisplayValue.point(i);
        st.ZoomTimeBuf.point(i) = st.DisplayTime.point(i);
    }
    const int zoomedCount = span.last - span.first + 1;
    st.DisplayCount = zoomedCount;
    for (int i = 1; i <= zoomedCount; ++i) {
        st.DisplayValue.point(i) = st.ZoomValueBuf.point(span.first + i - 1);
        st.DisplayTime.point(i) = st.ZoomTimeBuf.point(span.first + i - 1);
    }

    w.Command2->show();
    st.Zoomed = 1;
    w.mnuSaveTXT->setEnabled(true);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{w.Label16, w.Label14, w.Label17, w.ProgressBar1})
        widget->hide();
    st.ViewSaved = 0;
    DrawGraph(w);
}

bool ZoomToSpan(Log1& w, double from, double to) {
    AppState& st = w.st;
    const ZoomSpan span = FindZoomSpan(st.RecordTime, Points(st.RecordCount), from, to);
    if (span.last - span.first < 2 || st.RecordTime.point(span.first) < from) return false;
    double low = st.RecordValue.point(span.first), high = low;
    for (int i = span.first; i <= span.last; ++i) {
        low = std::min<double>(low, st.RecordValue.point(i));
        high = std::max<double>(high, st.RecordValue.point(i));
    }
    // A flat stretch gets half a unit above and below, as the unzoomed graph widens its window.
    const double pad = high > low ? (high - low) / 10 : 0.5;
    DisplayWholeRecord(st);
    st.ZoomTimeFrom = from;
    st.ZoomTimeTo = to;
    st.DragValueTop = high + pad;
    st.DragValueBottom = low - pad;
    ZoomToDrag(w);
    return true;
}

void Picture1_KeyDown(Log1& w, int key) {
    AppState& st = w.st;
    const int count = Points(st.DisplayCount);
    if (!w.RecordLoaded() || count < 3 || !ZoomPossible(st)) return;
    const double first = st.DisplayTime.point(1), last = st.DisplayTime.point(count);
    const double quarter = (last - first) / 4;
    if (key == Qt::Key_Plus || key == Qt::Key_Equal) {
        ZoomToSpan(w, first + quarter, last - quarter);
    } else if ((key == Qt::Key_Left || key == Qt::Key_Right) && st.Zoomed == 1) {
        // Not past either end of the record.
        const double shift = std::clamp(key == Qt::Key_Left ? -2 * quarter : 2 * quarter,
                                        st.RecordTime.point(1) - first,
                                        st.RecordTime.point(Points(st.RecordCount)) - last);
        if (shift != 0) ZoomToSpan(w, first + shift, last + shift);
    } else if (key == Qt::Key_Minus && st.Zoomed == 1) {
        Unzoom(w);
    }
}

void Unzoom(Log1& w) {
    AppState& st = w.st;
    w.Command2->hide();
    DisplayWholeRecord(st);
    st.Zoomed = 0;
    if (st.DataSaved != 0) {
        w.Label16->setText(st.Text(62));
        ui::SetBackColor(w.Label16, kGreen);
        w.mnuSaveTXT->setEnabled(false);
    } else {
        w.Label16->setText(st.Text(67));
        ui::SetBackColor(w.Label16, kYellow);
        w.mnuSaveTXT->setEnabled(true);
    }
    w.Label16->show();
    st.ViewSaved = 0;
    DrawGraph(w);
    w.Label15->repaint();
    w.Label14->repaint();
    w.ProgressBar1->repaint();
}
