#include "graph/DrawGraph.h"
#include "graph/canvas/PictureBox.h"
#include "support/Fixtures.h"
#include "support/TestRegistry.h"
#include "ui/Colors.h"
#include "ui/Format.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {

const QRgb kBlack = qRgb(0, 0, 0), kWhite = qRgb(255, 255, 255);
const QRgb kCurve = qRgb(255, 0, 0), kLimit = qRgb(0, 255, 100);
// 3 s past a whole day, so the first reading is not on a label.
const double kStart = 45000 + 3.0 / 86400;

// The main window with a record in its display arrays.
struct Graph {
    ScopedWorkDir dir;
    MainWindowFixture fx;
    AppState& st = *fx.st;
    Graph() {
        fx.w->Load();
        st.LanguageIndex = 1;
    }
    ~Graph() { ui::SetPointer(ui::Pointer::Default); }
    // Readings at the given tenths of a second after kStart (0, 1, 2, ... when none given).
    void record(const QList<double>& values, QList<int> tenths = {}, double high = 0,
                double low = 0) {
        for (int i = 0; i < values.size(); ++i) {
            st.DisplayValue.point(i + 1) = values[i];
            st.DisplayTime.point(i + 1) = kStart + (tenths.isEmpty() ? i : tenths[i]) / 864000.0;
        }
        st.DisplayCount = values.size();
        st.HighLimitValue = high;
        st.LowLimitValue = low;
    }
    QImage draw() {
        fx.w->ProgressBar1->setValue(100);
        DrawGraph(*fx.w);
        return fx.w->Picture1->Image();
    }
    double bottom() const { return st.PlotTop + st.PlotHeight; }
    double y(double v) const {
        return bottom() - (v - st.AxisBottom) / (st.AxisTop - st.AxisBottom) * st.PlotHeight;
    }
    double x(int tenths) const {
        const double t = kStart + tenths / 864000.0;
        return st.PlotLeft +
               (t - st.FirstTimeLabel) / (st.LastTimeLabel - st.FirstTimeLabel) * st.PlotWidth;
    }
};

// Share of the points along a line that have the colour within one pixel.
double coverage(const QImage& im, QLineF line, QRgb colour) {
    const int steps = std::max(1, int(line.length()));
    int hits = 0;
    for (int i = 0; i <= steps; ++i) {
        const QPointF p = line.pointAt(double(i) / steps);
        bool hit = false;
        for (int d = 0; d < 9; ++d) {
            const QPoint q(int(p.x()) + d % 3 - 1, int(p.y()) + d / 3 - 1);
            hit |= im.rect().contains(q) && im.pixel(q) == colour;
        }
        hits += hit;
    }
    return double(hits) / (steps + 1);
}

// Columns of the pixels of a colour in rows [top, bottom].
QList<int> columnsOf(const QImage& im, QRgb colour, int top, int bottom) {
    QList<int> xs;
    for (int y = std::max(0, top); y <= std::min(im.height() - 1, bottom); ++y)
        for (int x = 0; x < im.width(); ++x)
            if (im.pixel(x, y) == colour) xs << x;
    return xs;
}

// Rightmost column with ink in rows [top, bottom], from `left` on; -1 when none.
int inkRight(const QImage& im, int left, int top, int bottom) {
    int right = -1;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x < im.width(); ++x)
            if (im.pixel(x, y) != kWhite) right = std::max(right, x);
    return right;
}

QList<double> alternating(int n) { // 4.6, 4.9, ...: between two grid lines of the axis 3.5..7
    QList<double> v;
    for (int i = 0; i < n; ++i) v << (i % 2 ? 4.9 : 4.6);
    return v;
}

} // namespace

class DrawGraphTest : public QObject {
    Q_OBJECT
private slots:
    void stateAndReadouts_data() {
        QTest::addColumn<bool>("fromFile");
        QTest::newRow("download") << false;
        QTest::newRow("file") << true;
    }
    void stateAndReadouts() {
        QFETCH(bool, fromFile);
        Graph g;
        g.st.LangText[57][1] = "Drawing";
        g.st.DataFromFile = fromFile;
        g.st.OpenFileName = "C:\\rec.txt";
        QStringList busyCaptions; // Label15 as shown while drawing
        g.fx.w->Label15->installEventFilter(this);
        captions = &busyCaptions;
        g.record(alternating(300), {}, 6, 4);
        const QImage image = g.draw();
        captions = nullptr;
        QVERIFY(busyCaptions.contains("Drawing"));
        Log1& w = *g.fx.w;
        QCOMPARE(ui::BackColor(w.Label15), QColor(0, 255, 0));
        QVERIFY(w.Label15->isHidden() && w.Label15->text().isEmpty());
        QCOMPARE(ui::CurrentPointer(), ui::Pointer::Default);
        for (QAction* menu : w.busyMenus()) QVERIFY(menu->isEnabled() || !menu->isVisible());
        QVERIFY(!w.mnuFuncWEN->isVisible() && !w.mnuFuncTREL->isVisible());
        QVERIFY(w.Command2->isHidden() && w.Label8->isHidden() && !w.Frame2->isHidden());
        QCOMPARE(w.Label29->text() + w.Label30->text() + w.Label31->text(), QString("4.94.64.8"));
        QCOMPARE(w.Label40->text(), QString("300"));
        QCOMPARE(w.Label18->isHidden(), !fromFile);
        if (fromFile) QCOMPARE(w.Label18->text(), g.st.OpenFileName);
        QCOMPARE(g.st.PlotLeft, 0.15 * image.width());
        QCOMPARE(g.st.PlotHeight, 0.70 * image.height());
        QCOMPARE(g.st.AxisBottom, 3.5);
        QCOMPARE(g.st.AxisTop, 7.0);
        QCOMPARE(g.st.ValueDivisions, 7);
        QCOMPARE(g.st.TimeLabelSeconds, 10.0);
        QCOMPARE(g.st.TimeLabelFormat, g.st.TimeFormatSec);
    }

    void frameGridAndLimits() {
        Graph g;
        g.record(alternating(300), {}, 6, 4); // 29.9 s: labels every 10 s from 0 s to 40 s
        const QImage im = g.draw();
        const double l = g.st.PlotLeft, r = l + g.st.PlotWidth, t = g.st.PlotTop, b = g.bottom();
        QVERIFY(qAbs((g.st.LastTimeLabel - g.st.FirstTimeLabel) * 86400 - 40) < 1e-3);
        for (const QLineF& edge :
             {QLineF(l, t, l, b), QLineF(l, b, r, b), QLineF(r, b, r, t), QLineF(l, t, r, t)})
            QVERIFY(coverage(im, edge, kBlack) > 0.95);
        const double g7 = g.st.PlotHeight / 7;
        for (int j = 1; j < 7; ++j) {
            if (j != 1 && j != 5) // the limits 4 and 6 lie on these two
                QVERIFY(coverage(im, QLineF(l, b - j * g7, r, b - j * g7), kBlack) > 0.95);
            QVERIFY(coverage(im, QLineF(l, b - (j + 0.5) * g7, r, b - (j + 0.5) * g7), kBlack) <
                    0.1);
        }
        for (int j = 1; j < 4; ++j) {
            const double x = l + j * g.st.PlotWidth / 4;
            QVERIFY(coverage(im, QLineF(x, t, x, b), kBlack) > 0.9);
            QVERIFY(coverage(im, QLineF(x + 20, t, x + 20, b), kBlack) < 0.2);
        }
        for (double limit : {6.0, 4.0})
            QVERIFY(coverage(im, QLineF(l, g.y(limit), r, g.y(limit)), kLimit) > 0.95);
        QVERIFY(coverage(im, QLineF(l, g.y(5), r, g.y(5)), kLimit) == 0);
        QVERIFY(!columnsOf(im, kCurve, int(g.y(4.9)) - 2, int(g.y(4.6)) + 2).isEmpty());
    }

    // A zoom window 3..6.5 gives the axis 3.0 to 7.0: a High limit of 7 is not drawn.
    void noLimitLineAtAxisTop() {
        Graph g;
        g.record({5, 5, 5}, {}, 7, 4);
        g.st.Zoomed = 1;
        g.st.AxisMin = 3;
        g.st.AxisMax = 6.5;
        const QImage im = g.draw();
        QCOMPARE(g.st.AxisTop, 7.0);
        const int top = int(g.st.PlotTop);
        QVERIFY(columnsOf(im, kLimit, top - 3, top + 3).isEmpty());
        QVERIFY(columnsOf(im, kLimit, int(g.y(4)) - 2, int(g.y(4)) + 2).size() > g.st.PlotWidth);
    }

    void pauseBreaksTheCurve_data() {
        QTest::addColumn<int>("pause"); // tenths of a second between the third and fourth reading
        QTest::addColumn<bool>("joined");
        QTest::newRow("0.1 s") << 1 << true;
        QTest::newRow("0.2 s") << 2 << false;
    }
    void pauseBreaksTheCurve() {
        QFETCH(int, pause);
        QFETCH(bool, joined);
        Graph g;
        g.record({1, 1, 1, 9, 9, 9}, {0, 1, 2, 2 + pause, 3 + pause, 4 + pause}, 10, 0);
        const QImage im = g.draw();
        const QList<int> between = columnsOf(im, kCurve, int(g.y(8)), int(g.y(2)));
        QCOMPARE(!between.isEmpty(), joined);
    }

    // From above the plot to below it: drawn between the two edge crossings of the segment.
    void segmentThroughThePlot() {
        Graph g;
        g.fx.w->Picture1->resize(1600, 900); // 0.1 s is 12 pixels wide
        g.record({6.4, 3.8, 3.8});
        g.st.Zoomed = 1;
        g.st.AxisMin = 4;
        g.st.AxisMax = 6;
        const QImage im = g.draw();
        const double t = g.st.PlotTop, b = g.bottom();
        const double y1 = g.y(6.4), y2 = g.y(3.8), x1 = g.x(0), x2 = g.x(1);
        const auto crossing = [&](double edge) { return x1 + (x2 - x1) * (y1 - edge) / (y1 - y2); };
        QVERIFY(columnsOf(im, kCurve, 0, int(t) - 2).isEmpty());
        QVERIFY(columnsOf(im, kCurve, int(b) + 2, im.height()).isEmpty());
        for (double edge : {t, b}) {
            const QList<int> xs = columnsOf(im, kCurve, int(edge) - 1, int(edge) + 1);
            QVERIFY(!xs.isEmpty());
            for (int x : xs)
                QVERIFY2(qAbs(x + 0.5 - crossing(edge)) < 2, qPrintable(QString::number(x)));
        }
    }

    void titleAndFooter_data() {
        QTest::addColumn<QString>("title");
        QTest::newRow("no title") << QString();
        QTest::newRow("title") << QString("Feeder 3, phase L1");
    }
    void titleAndFooter() {
        QFETCH(QString, title);
        Graph g;
        g.st.GraphTitle = title;
        g.st.LoggerNumber = 1234;
        g.st.LangText[58][1] = "Start: ";
        g.record(alternating(10), {}, 6, 4);
        const QImage im = g.draw();
        QFont font(g.st.GraphFontName);
        font.setPointSizeF(g.st.TitleFontSize);
        font.setBold(true);
        const double left = g.st.PlotLeft, footerTop = g.bottom() + 0.63 * g.st.BottomMargin;
        const int titleRight = inkRight(im, int(left), 0, int(g.st.PlotTop) - 2);
        if (title.isEmpty())
            QCOMPARE(titleRight, -1);
        else
            QVERIFY(qAbs(titleRight - left - QFontMetricsF(font, &im).horizontalAdvance(title)) <
                    4);
        font.setPointSizeF(g.st.FooterFontSize);
        font.setBold(false);
        const QString footer = "Start: " + ui::Format(kStart, g.st.DateTimeFormatShort) +
                               QString(75, ' ') + "Logger No:     1234";
        const int footerRight = inkRight(im, int(left), int(footerTop) + 1, im.height() - 1);
        QVERIFY(qAbs(footerRight - left - QFontMetricsF(font, &im).horizontalAdvance(footer)) < 4);
    }

    void fewerThanThreePointsClearThePicture() {
        Graph g;
        g.record(alternating(300), {}, 6, 4);
        g.draw();
        g.st.DisplayCount = 2;
        const QImage im = g.draw();
        QCOMPARE(inkRight(im, 0, 0, im.height() - 1), -1);
        QVERIFY(g.fx.w->Frame2->isHidden());
        QCOMPARE(ui::CurrentPointer(), ui::Pointer::Default);
        for (QAction* menu : g.fx.w->busyMenus()) QVERIFY(menu->isEnabled() || !menu->isVisible());
    }

    // Cases the axis rules leave open still give a picture with finite, ordered ends.
    void degenerateWindowsStillDraw_data() {
        QTest::addColumn<bool>("sameTime");
        QTest::newRow("every point at one time on a label") << true;
        QTest::newRow("zoom window above the probe range") << false;
    }
    void degenerateWindowsStillDraw() {
        QFETCH(bool, sameTime);
        Graph g;
        g.record({700, 800, 900});
        if (sameTime) {
            for (int i = 1; i <= 3; ++i) g.st.DisplayTime.point(i) = 2 * (10.0 / 86400);
        } else {
            g.st.Zoomed = 1;
            g.st.AxisMin = 1200;
            g.st.AxisMax = 1500;
            g.st.UnitCode = 10;
            g.st.ProbeScale = 1;
        }
        const QImage im = g.draw();
        QVERIFY(g.st.LastTimeLabel > g.st.FirstTimeLabel);
        QVERIFY(g.st.AxisTop > g.st.AxisBottom && std::isfinite(g.st.AxisTop));
        const double right = g.st.PlotLeft + g.st.PlotWidth;
        QVERIFY(coverage(im, QLineF(right, g.st.PlotTop, right, g.bottom()), kBlack) > 0.95);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (captions && event->type() == QEvent::Show)
            *captions << static_cast<QLabel*>(watched)->text();
        return false;
    }

private:
    QStringList* captions = nullptr;
};

VESTO_TEST(DrawGraphTest)
#include "tst_drawgraph.moc"
