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
    ScopedWorkDir dir;
    std::unique_ptr<MainWindowFixture> fx;
    Log1* w = nullptr;
    AppState* st = nullptr;

private slots:
    // A downloaded record of ten readings, drawn.
    void init() {
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
        st->HighLimitValue = 10, st->LowLimitValue = 0, st->UnitName = QStringLiteral("Volt");
        w->ProgressBar1->setValue(100);
        w->mnuSaveTXT->setEnabled(false);
        DrawGraph(*w);
    }
    void cleanup() {
        fx.reset();
        ui::SetPointer(ui::Pointer::Default);
    }

    void indexSpan_data() {
        QTest::addColumn<QList<double>>("times");
        QTest::addColumn<QList<double>>("window"); // from, to
        QTest::addColumn<QList<int>>("span");      // first, last
        const QList<double> ten = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("three inside") << ten << QList<double>{2.5, 5.5} << QList<int>{3, 5};
        QTest::newRow("two inside") << ten << QList<double>{2.5, 4.5} << QList<int>{3, 4};
        QTest::newRow("ends on points") << ten << QList<double>{3, 5} << QList<int>{3, 4};
        QTest::newRow("after the last") << ten << QList<double>{11, 12} << QList<int>{1, 10};
        QTest::newRow("repeated times")
            << QList<double>{1, 2, 2, 2, 3} << QList<double>{2, 2.5} << QList<int>{2, 4};
    }
    void indexSpan() {
        QFETCH(QList<double>, times);
        QFETCH(QList<double>, window);
        QFETCH(QList<int>, span);
        RecordArray<double> array;
        for (int i = 1; i <= times.size(); ++i) array.point(i) = times[i - 1];
        const ZoomSpan got = FindZoomSpan(array, int(times.size()), window[0], window[1]);
        QCOMPARE((QList<int>{got.first, got.last}), span);
    }

    // Drags by mouse, in seconds after noon and values; blocked: 1 during a transfer, 2 under the
    // hourglass. The value window is taken when the zoom was tried, even when it was refused.
    void drags_data() {
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<int>("blocked");
        QTest::addColumn<QList<int>>("expect"); // count, first index, zoomed, window taken
        const QPointF topLeft(1.8, 9.5), bottomRight(4.8, 0.5);
        const QPointF topRight(4.8, 9.5), bottomLeft(1.8, 0.5);
        const QList<int> three{3, 3, 1, 1}, none{10, 1, 0, 0};
        QTest::newRow("three points") << topLeft << bottomRight << 0 << three;
        QTest::newRow("right to left") << topRight << bottomLeft << 0 << three;
        QTest::newRow("bottom to top") << bottomLeft << topRight << 0 << three;
        QTest::newRow("both mirrored") << bottomRight << topLeft << 0 << three;
        QTest::newRow("two points") << topLeft << QPointF(3.8, 0.5) << 0 << QList<int>{10, 1, 0, 1};
        QTest::newRow("after the last point")
            << QPointF(9.6, 6) << QPointF(9.9, 4) << 0 << QList<int>{10, 1, 1, 1};
        QTest::newRow("click without movement") << topLeft << topLeft << 0 << none;
        QTest::newRow("press left of the plot") << QPointF(-0.5, 9.5) << bottomRight << 0 << none;
        QTest::newRow("during a transfer") << topLeft << bottomRight << 1 << none;
        QTest::newRow("under the hourglass") << topLeft << bottomRight << 2 << none;
    }
    void drags() {
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        QFETCH(int, blocked);
        QFETCH(QList<int>, expect);
        const int count = expect[0], first = expect[1];
        const bool zoomed = expect[2], window = expect[3];
        st->Transferring = qint16(blocked == 1);
        if (blocked == 2) ui::SetPointer(ui::Pointer::Hourglass);
        const QPoint a = At(*st, from.x(), from.y()), b = At(*st, to.x(), to.y());
        const double top = window ? ValueAtY(*st, std::min(a.y(), b.y())) : st->AxisMax.value();
        const double bottom = window ? ValueAtY(*st, std::max(a.y(), b.y())) : st->AxisMin.value();
        QFrame* band = w->Picture1->Shape1();
        QTest::mousePress(w->Picture1, Qt::LeftButton, {}, a);
        QTest::mouseMove(w->Picture1, b);
        QCOMPARE(band->isHidden(), from.x() < 0);
        if (from.x() > 0)
            QCOMPARE(band->geometry(), QRect(std::min(a.x(), b.x()), std::min(a.y(), b.y()),
                                             std::abs(a.x() - b.x()), std::abs(a.y() - b.y())));
        QTest::mouseRelease(w->Picture1, Qt::LeftButton, {}, b);

        QCOMPARE(st->DisplayCount.value(), double(count));
        QCOMPARE(st->DisplayTime.point(1), TimeOf(first));
        QCOMPARE(st->DisplayValue.point(count), double(first + count - 1));
        QCOMPARE(st->Zoomed, qint16(zoomed));
        QCOMPARE(w->Command2->isHidden(), !zoomed);
        QCOMPARE(w->mnuSaveTXT->isEnabled(), zoomed);
        QCOMPARE((QList<double>{st->AxisMax, st->AxisMin}), (QList<double>{top, bottom}));
        QVERIFY(band->isHidden());
    }

    void readoutHidesOutsideThePlot() {
        const QPoint inside = At(*st, 3, 4);
        Hover(w->Picture1, inside);
        const double t = TimeAtX(*st, inside.x());
        QCOMPARE(w->Label25->text() + ' ' + w->Label9->text(),
                 ui::Format(t, st->DateFormat) + ' ' + ui::Format(t, st->TimeFormatSec));
        QCOMPARE(w->Label10->text() + ' ' + w->Label12->text(),
                 ui::Format(ValueAtY(*st, inside.y()), st->ValueReadoutFormat) + " Volt");
        const QList<QLabel*> labels = {w->Label25, w->Label9, w->Label10, w->Label12};
        for (QLabel* label : labels) QVERIFY(!label->isHidden());
        Hover(w->Picture1, QPoint(int(st->PlotLeft) - 2, inside.y()));
        for (QLabel* label : labels) QVERIFY(label->isHidden());
    }

    void nestedZoomsAndUnzoom_data() {
        QTest::addColumn<bool>("saved");
        QTest::newRow("saved") << true;
        QTest::newRow("not saved") << false;
    }
    void nestedZoomsAndUnzoom() {
        QFETCH(bool, saved);
        st->DataSaved = saved;
        Drag(w->Picture1, At(*st, 1.8, 9.5), At(*st, 7.8, 0.5));
        QCOMPARE(st->DisplayCount.value(), 6.0);
        st->ViewSaved = 1;
        // The second drag is mapped by the zoomed drawing and cuts the zoomed window.
        Drag(w->Picture1, At(*st, 3.2, 9.5), At(*st, 5.8, 0.5));
        QCOMPARE(st->DisplayCount.value(), 3.0);
        QCOMPARE(st->DisplayTime.point(1), TimeOf(4));
        QCOMPARE(st->ViewSaved, qint16(0));
        // Over one point of the zoomed window, between the values 4 and 5: refused, but its
        // window shows on the next drawing while zoomed.
        Drag(w->Picture1, At(*st, 4.2, 5.0), At(*st, 4.8, 4.0));
        QCOMPARE(st->DisplayCount.value(), 3.0);
        const double top = st->AxisMax, bottom = st->AxisMin;
        QVERIFY(top - bottom < 1.1);
        w->procedures.DrawGraph();
        QVERIFY(st->AxisBottom <= bottom && st->AxisTop > top);
        QVERIFY(st->AxisTop - st->AxisBottom <= top - bottom + 2 * st->ValueStep + 1e-9);

        w->Command2->click();
        QCOMPARE(st->DisplayCount.value(), 10.0);
        QCOMPARE(st->DisplayTime.point(10), TimeOf(10));
        QVERIFY(w->Command2->isHidden());
        QCOMPARE(w->Label16->text(), saved ? "saved" : "not saved");
        QCOMPARE(ui::BackColor(w->Label16), saved ? QColor(0, 255, 0) : QColor(255, 255, 0));
        QVERIFY(!w->Label16->isHidden());
        QCOMPARE(w->mnuSaveTXT->isEnabled(), !saved);
        QCOMPARE(st->AxisMax.value(), 10.0); // the whole record's window again
    }
};

VESTO_TEST(ZoomTest)
#include "tst_zoom.moc"
