#include "GraphWindow.h"
#include "support/TestRegistry.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>

namespace {

const QRgb kBlack = qRgb(0, 0, 0), kWhite = qRgb(255, 255, 255);
const QRgb kCurve = qRgb(255, 0, 0), kLimit = qRgb(0, 255, 100);

// Pixels of the colour in the rectangle (left, top, right, bottom); for white, pixels of ink.
int count(const QImage& im, QRgb colour, double l, double t, double r, double b) {
    int n = 0;
    for (int y = std::max(0, int(t)); y <= std::min(im.height() - 1, int(b)); ++y)
        for (int x = std::max(0, int(l)); x <= std::min(im.width() - 1, int(r)); ++x)
            n += (im.pixel(x, y) == colour) != (colour == kWhite);
    return n;
}

// The drawn record's picture, measured by the plot the drawing left on the state.
struct Graph : GraphWindow {
    QImage im;
    double left() const { return st.PlotLeft; }
    double right() const { return st.PlotLeft + st.PlotWidth; }
    double bottom() const { return st.PlotTop + st.PlotHeight; }
    double y(double v) const {
        return bottom() - (v - st.AxisBottom) / (st.AxisTop - st.AxisBottom) * st.PlotHeight;
    }
    // Pixels of the colour along a horizontal or vertical line, one pixel either side.
    int alongRow(QRgb colour, double y) const {
        return count(im, colour, left(), y - 1, right(), y + 1);
    }
    int alongColumn(QRgb colour, double x) const {
        return count(im, colour, x - 1, st.PlotTop, x + 1, bottom());
    }
};

} // namespace

class DrawGraphTest : public QObject {
    Q_OBJECT
private slots:
    // 29.9 s of readings: labels every 10 s from 0 s to 40 s, values 3.5 to 7 in 7 steps; then a
    // record of two readings, which leaves a clear picture.
    void drawsTheRecordThenClears() {
        Graph g;
        g.st.DataFromFile = 1, g.st.OpenFileName = "rec.txt", g.st.GraphTitle = "Feeder 3";
        QList<double> values; // 4.6, 4.9, ...: between two grid lines of the axis 3.5..7
        for (int i = 0; i < 300; ++i) values << (i % 2 ? 4.9 : 4.6);
        g.im = g.draw(values, 6, 4);
        QVERIFY(!g.w.Frame2->isHidden());
        QCOMPARE(g.w.Label29->text() + g.w.Label30->text() + g.w.Label31->text() +
                     g.w.Label40->text() + g.w.Label18->text(),
                 "4.94.64.8300rec.txt");

        const double width = g.st.PlotWidth, height = g.st.PlotHeight;
        for (double y : {g.st.PlotTop, g.bottom()}) QVERIFY(g.alongRow(kBlack, y) > 0.95 * width);
        for (double x : {g.left(), g.right()}) QVERIFY(g.alongColumn(kBlack, x) > 0.95 * height);
        for (double v = 4; v < 7; v += 0.5) { // grid lines, except where the limits lie over them
            if (v != 4 && v != 6) QVERIFY(g.alongRow(kBlack, g.y(v)) > 0.95 * width);
            QVERIFY(g.alongRow(kBlack, g.y(v + 0.25)) < 0.1 * width);
        }
        for (int j = 1; j < 4; ++j) {
            QVERIFY(g.alongColumn(kBlack, g.left() + j * width / 4) > 0.9 * height);
            QVERIFY(g.alongColumn(kBlack, g.left() + (j + 0.5) * width / 4) < 0.2 * height);
        }
        for (double limit : {6.0, 4.0}) QVERIFY(g.alongRow(kLimit, g.y(limit)) > 0.95 * width);
        QCOMPARE(g.alongRow(kLimit, g.y(5)), 0);
        QVERIFY(count(g.im, kCurve, 0, g.y(4.9) - 2, 1e9, g.y(4.6) + 2) > 300);

        // The title above the plot, the footer below the time labels (its words are read from
        // the printed page in tests/output).
        QVERIFY(count(g.im, kWhite, g.left(), 0, 1e9, g.st.PlotTop - 6) > 0);
        QVERIFY(count(g.im, kWhite, g.left(), g.bottom() + 0.63 * g.st.BottomMargin + 1, 1e9, 1e9) >
                0);

        g.im = g.draw({5, 5});
        QCOMPARE(count(g.im, kWhite, 0, 0, 1e9, 1e9), 0);
        QVERIFY(g.w.Frame2->isHidden());
    }

    // A zoom window 3..6.5 gives the axis 3.0 to 7.0: a High limit of 7 is not drawn. A segment
    // from above the plot to below it is drawn between its two edge crossings.
    void zoomedLimitsAndClipping() {
        Graph g;
        g.w.Picture1->resize(1600, 900); // 0.1 s is 12 pixels wide
        g.st.Zoomed = 1, g.st.AxisMin = 3, g.st.AxisMax = 6.5;
        g.im = g.draw({11, -1, -1}, 7, 4);
        QCOMPARE(g.st.AxisTop, 7.0);
        QCOMPARE(count(g.im, kLimit, 0, g.st.PlotTop - 3, 1e9, g.st.PlotTop + 3), 0);
        QVERIFY(g.alongRow(kLimit, g.y(4)) > g.st.PlotWidth);
        const double x1 = g.left() + 0.3 * g.st.PlotWidth, x2 = x1 + g.st.PlotWidth / 100;
        const double y1 = g.y(11), y2 = g.y(-1);
        QCOMPARE(count(g.im, kCurve, 0, 0, 1e9, g.st.PlotTop - 2), 0);
        QCOMPARE(count(g.im, kCurve, 0, g.bottom() + 2, 1e9, 1e9), 0);
        for (double edge : {g.st.PlotTop, g.bottom()}) {
            const double x = x1 + (x2 - x1) * (y1 - edge) / (y1 - y2);
            const int near = count(g.im, kCurve, x - 2, edge - 1, x + 1, edge + 1);
            QVERIFY(near > 0 && near == count(g.im, kCurve, 0, edge - 1, 1e9, edge + 1));
        }
    }

    void pauseBreaksTheCurve() {
        for (double pause : {1, 2}) { // tenths of a second between the third and the fourth reading
            Graph g;
            g.im = g.draw({1, 1, 1, 9, 9, 9}, 10, 0, {0, 1, 2, 2 + pause, 3 + pause, 4 + pause});
            QCOMPARE(count(g.im, kCurve, 0, g.y(8), 1e9, g.y(2)) == 0, pause == 2);
        }
    }
};

VESTO_TEST(DrawGraphTest)
#include "tst_drawgraph.moc"
