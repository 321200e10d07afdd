#include "GraphWindow.h"
#include "graph/Zoom.h"
#include "support/TestRegistry.h"
#include "ui/Colors.h"
#include "ui/Format.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cmath>

class ZoomTest : public QObject {
    Q_OBJECT
    std::unique_ptr<GraphWindow> g;

    // Canvas position of a time (seconds after kStart) and a value, by the last drawing's mapping.
    QPoint at(double seconds, double value) const {
        const AppState& st = g->st;
        const double x = st.PlotLeft + (kStart + seconds / 86400 - st.FirstTimeLabel) /
                                           (st.LastTimeLabel - st.FirstTimeLabel) * st.PlotWidth;
        const double y = st.PlotTop + st.PlotHeight -
                         (value - st.AxisBottom) / (st.AxisTop - st.AxisBottom) * st.PlotHeight;
        return {int(std::lround(x)), int(std::lround(y))};
    }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(g->w.Picture1, Qt::LeftButton, {}, from);
        QTest::mouseMove(g->w.Picture1, to);
        QTest::mouseRelease(g->w.Picture1, Qt::LeftButton, {}, to);
    }

private slots:
    // A downloaded record of ten readings: reading i holds i, half a second past second i - 1.
    void init() {
        g = std::make_unique<GraphWindow>();
        g->st.UnitName = QStringLiteral("Volt");
        g->w.mnuSaveTXT->setEnabled(false);
        g->draw({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 10, 0, {5, 15, 25, 35, 45, 55, 65, 75, 85, 95});
    }
    void cleanup() { g.reset(); } // before the next window takes the line

    // At the screen's device pixel ratio (the suite runs these tests again with QT_SCALE_FACTOR=2
    // as on a high-density screen, where every drag takes the same readings): the picture has the
    // screen's pixels, and the frame's line of one pixel is as many device pixels wide.
    void screenRatio() {
        const qreal k = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
        const QImage im = g->w.Picture1->Image();
        QCOMPARE(im.size(), g->w.Picture1->size() * k);
        int dark = 0;
        for (int y = int((g->st.PlotTop - 4) * k); y <= int((g->st.PlotTop + 4) * k); ++y)
            dark += im.pixel(int((g->st.PlotLeft + 3) * k), y) == qRgb(0, 0, 0);
        QCOMPARE(dark, int(k));
    }

    // From the keyboard: + the middle half of 0.5 s to 9.5 s (readings 4 to 7), Right half that
    // span on (6 to 8), - the whole record.
    void keys() {
        for (const auto& [key, first, count] : {std::tuple{Qt::Key_Plus, 4, 4.0},
                                                {Qt::Key_Right, 6, 3.0},
                                                {Qt::Key_Minus, 1, 10.0}}) {
            QTest::keyClick(g->w.Picture1, key);
            QCOMPARE(g->st.DisplayCount.value(), count);
            QCOMPARE(g->st.DisplayTime.point(1), g->st.RecordTime.point(first));
        }
    }

    // Drags by mouse, in seconds after kStart and values, over the index scan: the first point
    // at or after the left edge to the last before the right one. A drag during a transfer is
    // ignored. The value window is taken when the zoom was tried, even when it was refused.
    void drags_data() {
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<QList<int>>("expect"); // count, first index, zoomed, window taken
        const QPointF topLeft(1.8, 9.5), bottomRight(4.8, 0.5), topRight(4.8, 9.5),
            bottomLeft(1.8, 0.5);
        const QList<int> three{3, 3, 1, 1}, none{10, 1, 0, 0};
        QTest::newRow("three points") << topLeft << bottomRight << three;
        QTest::newRow("right to left") << topRight << bottomLeft << three;
        QTest::newRow("bottom to top") << bottomLeft << topRight << three;
        QTest::newRow("two points") << topLeft << QPointF(3.8, 0.5) << QList<int>{10, 1, 0, 1};
        QTest::newRow("after the last point")
            << QPointF(9.6, 6) << QPointF(9.9, 4) << QList<int>{10, 1, 1, 1};
        QTest::newRow("press left of the plot") << QPointF(-4, 9.5) << bottomRight << none;
        QTest::newRow("during a transfer") << topLeft << bottomRight << none;
    }
    void drags() {
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        QFETCH(QList<int>, expect);
        const int count = expect[0], first = expect[1], zoomed = expect[2], window = expect[3];
        AppState& st = g->st;
        Log1& w = g->w;
        st.Transferring = qint16(QByteArray(QTest::currentDataTag()) == "during a transfer");
        const QPoint a = at(from.x(), from.y()), b = at(to.x(), to.y());
        const double top = window ? ValueAtY(st, std::min(a.y(), b.y())) : st.AxisMax.value();
        const double bottom = window ? ValueAtY(st, std::max(a.y(), b.y())) : st.AxisMin.value();
        QFrame* band = w.Picture1->Shape1();
        QTest::mousePress(w.Picture1, Qt::LeftButton, {}, a);
        QTest::mouseMove(w.Picture1, b);
        QCOMPARE(band->isHidden(), from.x() < 0);
        if (from.x() > 0)
            QCOMPARE(band->geometry(), QRect(std::min(a.x(), b.x()), std::min(a.y(), b.y()),
                                             std::abs(a.x() - b.x()), std::abs(a.y() - b.y())));
        QTest::mouseRelease(w.Picture1, Qt::LeftButton, {}, b);
        QVERIFY(band->isHidden());
        QCOMPARE(st.DisplayCount.value(), double(count));
        QCOMPARE(st.DisplayTime.point(1), st.RecordTime.point(first));
        QCOMPARE(st.DisplayValue.point(count), double(first + count - 1));
        QCOMPARE(QList<bool>({st.Zoomed == 1, !w.Command2->isHidden(), w.mnuSaveTXT->isEnabled()}),
                 QList<bool>(3, zoomed == 1));
        QCOMPARE((QList<double>{st.AxisMax, st.AxisMin}), (QList<double>{top, bottom}));
    }

    // The pointer over the plot shows its date, time, value and unit; outside it, nothing. With
    // European dates the day (15 March) comes first.
    void readoutHidesOutsideThePlot() {
        AppState& st = g->st;
        Log1& w = g->w;
        w.mnuEur->trigger();
        const auto hover = [&w](QPoint p) {
            QTest::mouseMove(w.windowHandle(), w.Picture1->mapTo(&w, p));
            QStringList shown;
            for (QLabel* label : {w.Label25, w.Label9, w.Label10, w.Label12})
                shown << (label->isHidden() ? "-" : label->text());
            return shown.join(' ');
        };
        const QPoint inside = at(3, 4);
        QCOMPARE(hover(inside), "15/3/23 00:00:06 " +
                                    ui::Format(ValueAtY(st, inside.y()), st.ValueReadoutFormat) +
                                    " Volt");
        QCOMPARE(hover(QPoint(int(st.PlotLeft) - 2, inside.y())), "- - - -");
    }

    void nestedZoomsAndUnzoom_data() {
        QTest::addColumn<bool>("saved");
        QTest::newRow("saved") << true;
        QTest::newRow("not saved") << false;
    }
    void nestedZoomsAndUnzoom() {
        QFETCH(bool, saved);
        AppState& st = g->st;
        Log1& w = g->w;
        st.DataSaved = saved;
        drag(at(1.8, 9.5), at(7.8, 0.5));
        QCOMPARE(st.DisplayCount.value(), 6.0);
        st.ViewSaved = 1;
        // The second drag is mapped by the zoomed drawing and cuts the zoomed window.
        drag(at(3.2, 9.5), at(5.8, 0.5));
        QCOMPARE(st.DisplayCount.value(), 3.0);
        QCOMPARE(st.DisplayTime.point(1), st.RecordTime.point(4));
        QCOMPARE(st.ViewSaved, qint16(0));
        // Over one point of the zoomed window, between the values 4 and 5: refused, but its
        // window shows on the next drawing while zoomed.
        drag(at(4.2, 5.0), at(4.8, 4.0));
        QCOMPARE(st.DisplayCount.value(), 3.0);
        const double top = st.AxisMax, bottom = st.AxisMin;
        QVERIFY(top - bottom < 1.1);
        w.procedures.DrawGraph();
        QVERIFY(st.AxisBottom <= bottom && st.AxisTop > top);
        QVERIFY(st.AxisTop - st.AxisBottom <= top - bottom + 2 * st.ValueStep + 1e-9);

        w.Command2->click();
        QCOMPARE(st.DisplayCount.value(), 10.0);
        QCOMPARE(st.DisplayTime.point(10), st.RecordTime.point(10));
        QCOMPARE(st.AxisMax.value(), 10.0); // the whole record's window again
        QVERIFY(w.Command2->isHidden() && !w.Label16->isHidden());
        QCOMPARE(w.Label16->text(), st.Text(saved ? 62 : 67));
        QCOMPARE(ui::BackColor(w.Label16), saved ? QColor(0, 255, 0) : QColor(255, 255, 0));
        QCOMPARE(w.mnuSaveTXT->isEnabled(), !saved);
    }
};

VESTO_TEST(ZoomTest)
#include "tst_zoom.moc"
