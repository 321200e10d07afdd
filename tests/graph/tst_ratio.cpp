// The graph on a screen of any device pixel ratio: the suite runs this at the ratio of its
// offscreen screen (1), and again with QT_SCALE_FACTOR=2 as on a high-density screen, with a
// second screen of twice that ratio beside it.
#include "GraphWindow.h"
#include "files/RecordFile.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

class ScreenRatioTest : public QObject {
    Q_OBJECT
private slots:
    // The picture has the screen's pixels; a frame line of one pixel and a limit line of two
    // keep those widths in logical pixels; a drag over 1.8 s to 4.8 s saves readings 3 to 5, as
    // at every ratio.
    void sharpLinesSameZoom() {
        const qreal ratio = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
        GraphWindow g;
        AppState& st = g.st;
        QCOMPARE(g.w.Picture1->devicePixelRatioF(), ratio);
        QList<double> values, at;
        for (int i = 1; i <= 10; ++i) values << i, at << 10 * i - 5;
        const QImage im = g.draw(values, 8, 2, at);
        QCOMPARE(im.size(), g.w.Picture1->size() * ratio);

        // Device pixels of the colour in a column between the first two vertical grid lines,
        // within four logical pixels of y.
        const auto thickness = [&st](const QImage& im, QRgb colour, double y) {
            const qreal k = im.devicePixelRatio();
            const int x = int((st.PlotLeft + st.PlotWidth / 20) * k);
            int n = 0;
            for (int row = int((y - 4) * k); row <= int((y + 4) * k); ++row)
                n += im.pixel(x, row) == colour;
            return n;
        };
        const double high = st.PlotTop + st.PlotHeight -
                            (8 - st.AxisBottom) / (st.AxisTop - st.AxisBottom) * st.PlotHeight;
        QCOMPARE(thickness(im, qRgb(0, 0, 0), st.PlotTop), int(ratio));
        QCOMPARE(thickness(im, qRgb(0, 255, 100), high), int(2 * ratio));

        const auto point = [&st](double seconds, double value) {
            return QPoint(
                qRound(st.PlotLeft + (kStart + seconds / 86400 - st.FirstTimeLabel) /
                                         (st.LastTimeLabel - st.FirstTimeLabel) * st.PlotWidth),
                qRound(st.PlotTop + st.PlotHeight -
                       (value - st.AxisBottom) / (st.AxisTop - st.AxisBottom) * st.PlotHeight));
        };
        QTest::mousePress(g.w.Picture1, Qt::LeftButton, {}, point(1.8, 9.5));
        QTest::mouseMove(g.w.Picture1, point(4.8, 0.5));
        QTest::mouseRelease(g.w.Picture1, Qt::LeftButton, {}, point(4.8, 0.5));
        PromptScript script;
        script.modal("SaveOpt", [](QDialog& d) { d.findChild<QPushButton*>("Command2")->click(); })
            .saveFile(g.dir.file("zoom.txt"));
        g.w.mnuSaveTXT->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QFile file(g.dir.file("zoom.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n').mid(15);
        QStringList readings;
        for (int i = 3; i <= 5; ++i)
            readings << RecordDataLine(st.RecordTime.point(i), st.RecordValue.point(i)) + "\r";
        QCOMPARE(QString::fromLatin1(lines.join('\n')), readings.join('\n') + '\n');

        // Moved to a screen of twice the ratio (the second run has one), the graph is drawn
        // anew at that screen's resolution.
        const QList<QScreen*> screens = QGuiApplication::screens();
        QVERIFY(ratio == 1 || screens.size() == 2);
        if (screens.size() == 2) {
            QScreen* other = screens[0] == g.w.screen() ? screens[1] : screens[0];
            g.w.move(other->availableGeometry().topLeft() + QPoint(20, 20));
            QTRY_COMPARE(g.w.Picture1->devicePixelRatioF(), 2 * ratio);
            QTRY_COMPARE(thickness(g.w.Picture1->Image(), qRgb(0, 0, 0), st.PlotTop),
                         int(2 * ratio));
        }
    }
};

VESTO_TEST(ScreenRatioTest)
#include "tst_ratio.moc"
