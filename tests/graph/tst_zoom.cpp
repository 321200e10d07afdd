#include "graph/DrawGraph.h"
#include "graph/Zoom.h"
#include "graph/canvas/PictureBox.h"
#include "support/Fixtures.h"
#include "support/TestRegistry.h"
#include "ui/Colors.h"
#include "ui/Format.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <cmath>

namespace {

constexpr double kNoon = 38412.5;
constexpr double kSecond = 1.0 / 86400;

// Reading i of the test record: half a second past each whole second, value i.
double TimeOf(int i) {
    return kNoon + (i - 0.5) * kSecond;
}

// Canvas position of a time (seconds after noon) and a value, by the last drawing's mapping.
QPoint At(const AppState& st, double seconds, double value) {
    const double t = kNoon + seconds * kSecond;
    const double x = st.PlotLeft + (t - st.FirstTimeLabel) /
                                       (st.LastTimeLabel - st.FirstTimeLabel) * st.PlotWidth;
    const double y = st.PlotTop + st.PlotHeight -
                     (value - st.AxisBottom) / (st.AxisTop - st.AxisBottom) * st.PlotHeight;
    return {int(std::lround(x)), int(std::lround(y))};
}

void Drag(PictureBox* picture, QPoint from, QPoint to) {
    QTest::mousePress(picture, Qt::LeftButton, {}, from);
    QTest::mouseMove(picture, (from + to) / 2);
    QTest::mouseMove(picture, to);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, to);
}

// A pointer move with no button held, straight to the picture box.
void Hover(PictureBox* picture, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, picture->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(picture, &move);
}

} // namespace

class ZoomTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ScopedWorkDir> dir;
    std::unique_ptr<MainWindowFixture> fx;
    Log1* w = nullptr;
    AppState* st = nullptr;

private slots:
    // A downloaded record of ten readings, drawn.
    void init() {
        dir = std::make_unique<ScopedWorkDir>();
        fx = std::make_unique<MainWindowFixture>();
        w = fx->w.get();
        st = fx->st.get();
        st->LanguageIndex = 1;
        st->LangText[62][1] = QStringLiteral("saved");
        st->LangText[67][1] = QStringLiteral("not saved");
        for (int i = 1; i <= 10; ++i) {
            st->RecordTime.point(i) = st->DisplayTime.point(i) = TimeOf(i);
            st->RecordValue.point(i) = float(i);
            st->DisplayValue.point(i) = i;
        }
        st->RecordCount = st->DisplayCount = 10;
        st->HighLimitValue = 10;
        st->LowLimitValue = 0;
        st->UnitName = QStringLiteral("Volt");
        w->ProgressBar1->setValue(100);
        w->mnuSaveTXT->setEnabled(false);
        DrawGraph(*w);
    }
    void cleanup() {
        fx.reset();
        dir.reset();
        ui::SetPointer(ui::Pointer::Default);
    }

    void indexSpan_data() {
        QTest::addColumn<QList<double>>("times");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        const QList<double> ten = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("three inside") << ten << 2.5 << 5.5 << 3 << 5;
        QTest::newRow("two inside") << ten << 2.5 << 4.5 << 3 << 4;
        QTest::newRow("ends on points") << ten << 3.0 << 5.0 << 3 << 4;
        QTest::newRow("after the last") << ten << 11.0 << 12.0 << 1 << 10;
        QTest::newRow("before the first") << ten << 0.0 << 0.5 << 1 << 0;
        QTest::newRow("over the end") << ten << 8.5 << 20.0 << 9 << 10;
        QTest::newRow("everything") << ten << 0.0 << 20.0 << 1 << 10;
        QTest::newRow("repeated times") << QList<double>{1, 2, 2, 2, 3} << 2.0 << 2.5 << 2 << 4;
    }
    void indexSpan() {
        QFETCH(QList<double>, times);
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(int, first);
        QFETCH(int, last);
        RecordArray<double> array;
        for (int i = 1; i <= times.size(); ++i) array.point(i) = times[i - 1];
        const ZoomSpan span = FindZoomSpan(array, int(times.size()), from, to);
        QCOMPARE(span.first, first);
        QCOMPARE(span.last, last);
    }

    void insideIsStrict() {
        AppState plot;
        plot.PlotLeft = 100;
        plot.PlotWidth = 400;
        plot.PlotTop = 50;
        plot.PlotHeight = 200;
        QVERIFY(InsidePlot(plot, 101, 51) && InsidePlot(plot, 499, 249));
        for (auto [x, y] : {std::pair{100.0, 150.0}, {500.0, 150.0}, {300.0, 50.0}, {300.0, 250.0}})
            QVERIFY(!InsidePlot(plot, x, y));
        plot.FirstTimeLabel = 38412;
        plot.LastTimeLabel = 38413;
        plot.AxisBottom = -5;
        plot.AxisTop = 15;
        QCOMPARE(TimeAtX(plot, 300), 38412.5);
        QCOMPARE(ValueAtY(plot, 250), -5.0);
        QCOMPARE(ValueAtY(plot, 100), 10.0);
    }

    void drags_data() {
        QTest::addColumn<QPointF>("from"); // seconds after noon, value
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("firstIndex");
        QTest::addColumn<bool>("zoomed");
        const QPointF topLeft(1.8, 9.5), bottomRight(4.8, 0.5);
        const QPointF topRight(4.8, 9.5), bottomLeft(1.8, 0.5);
        QTest::newRow("three points") << topLeft << bottomRight << 3 << 3 << true;
        QTest::newRow("right to left") << topRight << bottomLeft << 3 << 3 << true;
        QTest::newRow("bottom to top") << bottomLeft << topRight << 3 << 3 << true;
        QTest::newRow("both mirrored") << bottomRight << topLeft << 3 << 3 << true;
        QTest::newRow("two points") << topLeft << QPointF(3.8, 0.5) << 10 << 1 << false;
        QTest::newRow("after the last point")
            << QPointF(9.6, 6) << QPointF(9.9, 4) << 10 << 1 << true;
    }
    void drags() {
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        QFETCH(int, count);
        QFETCH(int, firstIndex);
        QFETCH(bool, zoomed);
        const QPoint a = At(*st, from.x(), from.y());
        const QPoint b = At(*st, to.x(), to.y());
        // The window the drag covers, whichever way it was dragged.
        const double top = ValueAtY(*st, std::min(a.y(), b.y()));
        const double bottom = ValueAtY(*st, std::max(a.y(), b.y()));
        Drag(w->Picture1, a, b);

        QCOMPARE(st->DisplayCount.value(), double(count));
        QCOMPARE(st->DisplayTime.point(1), TimeOf(firstIndex));
        QCOMPARE(st->DisplayValue.point(count), double(firstIndex + count - 1));
        QCOMPARE(st->Zoomed, qint16(zoomed));
        QCOMPARE(w->Command2->isHidden(), !zoomed);
        QCOMPARE(w->mnuSaveTXT->isEnabled(), zoomed);
        // A refused zoom still takes the value window.
        QCOMPARE(st->AxisMax.value(), top);
        QCOMPARE(st->AxisMin.value(), bottom);
        QVERIFY(w->Picture1->Shape1()->isHidden());
        QCOMPARE(st->DragActive, qint16(0));
    }

    void bandFollowsTheDrag() {
        const QPoint a = At(*st, 4.8, 9.5);
        const QPoint b = At(*st, 1.8, 0.5);
        QTest::mousePress(w->Picture1, Qt::LeftButton, {}, a);
        QTest::mouseMove(w->Picture1, b);
        QVERIFY(!w->Picture1->Shape1()->isHidden());
        QCOMPARE(w->Picture1->Shape1()->geometry(),
                 QRect(QPoint(b.x(), a.y()), QSize(a.x() - b.x(), b.y() - a.y())));
        QTest::mouseRelease(w->Picture1, Qt::LeftButton, {}, b);
    }

    void releaseWithoutZoom_data() {
        QTest::addColumn<int>("transferring");
        QTest::addColumn<bool>("hourglass");
        QTest::addColumn<bool>("moved");
        QTest::newRow("click without movement") << 0 << false << false;
        QTest::newRow("during a transfer") << 1 << false << true;
        QTest::newRow("while busy") << 0 << true << true;
    }
    void releaseWithoutZoom() {
        QFETCH(int, transferring);
        QFETCH(bool, hourglass);
        QFETCH(bool, moved);
        st->Transferring = qint16(transferring);
        if (hourglass) ui::SetPointer(ui::Pointer::Hourglass);
        const QPoint a = At(*st, 1.8, 9.5);
        Drag(w->Picture1, a, moved ? At(*st, 6.8, 0.5) : a);
        QCOMPARE(st->DisplayCount.value(), 10.0);
        QCOMPARE(st->Zoomed, qint16(0));
        QVERIFY(w->Picture1->Shape1()->isHidden());
    }

    void readoutHidesOutsideThePlot() {
        const QPoint inside = At(*st, 3, 4);
        Hover(w->Picture1, inside);
        const double t = TimeAtX(*st, inside.x());
        QCOMPARE(w->Label25->text(), ui::Format(t, st->DateFormat));
        QCOMPARE(w->Label9->text(), ui::Format(t, st->TimeFormatSec));
        QCOMPARE(w->Label10->text(), ui::Format(ValueAtY(*st, inside.y()), st->ValueReadoutFormat));
        QCOMPARE(w->Label12->text(), QStringLiteral("Volt"));
        const QList<QLabel*> labels = {w->Label25, w->Label9, w->Label10, w->Label12};
        for (QLabel* label : labels) QVERIFY(!label->isHidden());
        Hover(w->Picture1, QPoint(int(st->PlotLeft) - 2, inside.y()));
        for (QLabel* label : labels) QVERIFY(label->isHidden());
    }

    void refusedWindowShowsOnRedraw() {
        Drag(w->Picture1, At(*st, 1.8, 9.5), At(*st, 4.8, 0.5));
        QCOMPARE(st->DisplayCount.value(), 3.0);
        // Over one point of the zoomed window, between the values 2 and 3.
        Drag(w->Picture1, At(*st, 2.2, 3.0), At(*st, 2.8, 2.0));
        QCOMPARE(st->DisplayCount.value(), 3.0);
        const double top = st->AxisMax, bottom = st->AxisMin;
        QVERIFY(top - bottom < 1.1);
        w->procedures.DrawGraph();
        QVERIFY(st->AxisBottom <= bottom && st->AxisTop > top);
        QVERIFY(st->AxisTop - st->AxisBottom <= top - bottom + 2 * st->ValueStep + 1e-9);
    }

    void nestedZoomsAndUnzoom_data() {
        QTest::addColumn<double>("dataSaved");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("saved") << 1.0 << "saved" << QColor(0, 255, 0);
        QTest::newRow("not saved") << 0.0 << "not saved" << QColor(255, 255, 0);
    }
    void nestedZoomsAndUnzoom() {
        QFETCH(double, dataSaved);
        QFETCH(QString, caption);
        QFETCH(QColor, colour);
        st->DataSaved = dataSaved;
        Drag(w->Picture1, At(*st, 1.8, 9.5), At(*st, 7.8, 0.5));
        QCOMPARE(st->DisplayCount.value(), 6.0);
        st->ViewSaved = 1;
        // The second drag is mapped by the zoomed drawing and cuts the zoomed window.
        Drag(w->Picture1, At(*st, 3.2, 9.5), At(*st, 5.8, 0.5));
        QCOMPARE(st->DisplayCount.value(), 3.0);
        QCOMPARE(st->DisplayTime.point(1), TimeOf(4));
        QCOMPARE(st->ViewSaved, qint16(0));

        w->Command2->click();
        QCOMPARE(st->DisplayCount.value(), 10.0);
        QCOMPARE(st->DisplayTime.point(10), TimeOf(10));
        QCOMPARE(st->Zoomed, qint16(0));
        QVERIFY(w->Command2->isHidden());
        QCOMPARE(w->Label16->text(), caption);
        QCOMPARE(ui::BackColor(w->Label16), colour);
        QVERIFY(!w->Label16->isHidden());
        QCOMPARE(w->mnuSaveTXT->isEnabled(), dataSaved == 0);
        QCOMPARE(st->AxisMax.value(), 10.0); // the whole record's window again
    }
};

VESTO_TEST(ZoomTest)
#include "tst_zoom.moc"
