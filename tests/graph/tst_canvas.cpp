#include "graph/canvas/Canvas.h"
#include "support/TestRegistry.h"
#include "ui/Colors.h"

#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Bounds of the pixels of the colour.
QRect inkOf(const QImage& image, QRgb colour) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

class CanvasTest : public QObject {
    Q_OBJECT
private slots:
    // On paper: a line in palette red where asked, in a PDF rendered at 72 dots per inch, one
    // pixel per point. Lines, colours and text on the screen canvas show in the graph's pictures
    // (tst_drawgraph), text on paper in the printed graph's (tests/output).
    void printerCanvas() {
        if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("poppler-utils is not installed");
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(dir.filePath("out.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
        {
            PrinterCanvas canvas(printer);
            const double w = canvas.ScaleWidth(), h = canvas.ScaleHeight(); // the printable area
            canvas.setDrawWidth(24); // half a millimetre at 1200 dots per inch
            canvas.Line(w * 0.1, h * 0.5, w * 0.9, h * 0.5, ui::PaletteColor(4));
            QVERIFY(canvas.EndDoc());
        }
        QProcess::execute("pdftoppm", {"-r", "72", "-aa", "no", "-aaVector", "no", "-singlefile",
                                       "-png", dir.filePath("out.pdf"), dir.filePath("page")});
        const QRect red = inkOf(QImage(dir.filePath("page.png")), qRgb(128, 0, 0));
        const QRectF expected(area.left() + area.width() * 0.1, area.top() + area.height() * 0.5,
                              area.width() * 0.8, 0);
        QVERIFY(qAbs(red.left() - expected.left()) < 2 && qAbs(red.right() - expected.right()) < 2);
        QVERIFY(qAbs(red.center().y() - expected.top()) < 2 && red.height() <= 3);
    }
};

VESTO_TEST(CanvasTest)
#include "tst_canvas.moc"
