#include "graph/canvas/Canvas.h"
#include "graph/canvas/PictureBox.h"
#include "support/TestRegistry.h"
#include "ui/Colors.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0);

// Bounds of the pixels of the given colour, or of every pixel that is not white.
QRect inkOf(const QImage& image, std::optional<QRgb> colour = {}) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (colour ? image.pixel(x, y) == *colour : image.pixel(x, y) != kWhite)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QString run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class CanvasTest : public QObject {
    Q_OBJECT
private slots:
    // Lines cover their ends in their colour and width; text has its top-left corner at the
    // current position, in the foreground colour; Cls leaves nothing.
    void imageCanvas() {
        ImageCanvas canvas(200, 100);
        canvas.Line(10, 10, 30, 10);
        canvas.Line(10, 20, 30, 20, ui::PaletteColor(12));
        canvas.setDrawWidth(2);
        canvas.Line(10, 30, 30, 30); // the foreground colour again
        canvas.setDrawWidth(1);
        canvas.setForeColor(Qt::blue);
        canvas.setCurrentX(60.6);
        canvas.setCurrentY(40.4);
        canvas.Print(QStringLiteral("Max 230.5 V"));
        QCOMPARE(canvas.currentX(), 60.6);
        const QImage image = canvas.Image();
        QCOMPARE(inkOf(image.copy(0, 0, 50, 15)), QRect(10, 10, 21, 1));
        QCOMPARE(inkOf(image, qRgb(255, 0, 0)), QRect(10, 20, 21, 1));
        QCOMPARE(inkOf(image.copy(0, 25, 50, 10)), QRect(9, 4, 22, 2));
        QCOMPARE(image.pixel(20, 30), kBlack);

        const QFontMetricsF metrics(canvas.font(), &image);
        QCOMPARE(canvas.currentY(), 40.4 + metrics.height());
        const QImage right = image.copy(50, 0, 150, 100);
        const QRect text = inkOf(right).translated(50, 0);
        QVERIFY(!inkOf(right, qRgb(0, 0, 255)).isEmpty() && inkOf(right, kBlack).isEmpty());
        const QRectF line(60.6, 40.4, metrics.horizontalAdvance("Max 230.5 V"), metrics.height());
        QVERIFY(line.adjusted(-1, -1, 1, 1).contains(QRectF(text)));
        QVERIFY(text.left() <= 62 && text.top() <= 44 && text.width() > line.width() / 2);

        canvas.Cls();
        QVERIFY(inkOf(canvas.Image()).isEmpty());
        QCOMPARE(canvas.currentY(), 0.0);
    }

    // The picture is retained across a resize; a press passing over the rubber band reaches the
    // box, with the position in canvas units.
    void pictureBox() {
        QWidget window;
        window.resize(460, 300);
        auto* box = new PictureBox(&window);
        box->setGeometry(30, 40, 300, 200);
        QVERIFY(box->Shape1()->isHidden());
        box->canvas().Line(10, 10, 10, 10, Qt::red);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        box->resize(400, 250);
        QCOMPARE(box->canvas().ScaleWidth(), 400.0);
        const QImage image = box->Image();
        QCOMPARE(inkOf(image), QRect(10, 10, 1, 1));

        box->Shape1()->setGeometry(10, 10, 100, 80);
        box->Shape1()->show();
        QSignalSpy down(box, &PictureBox::MouseDown);
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, QPoint(30 + 50, 40 + 45));
        QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, QPoint(30 + 50, 40 + 45));
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.first(), (QList<QVariant>{1, 0, 50.0, 45.0}));
    }

    // On paper: text at its place and size, a line in palette red, in a PDF read back.
    void printerCanvas() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
            QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("poppler-utils is not installed");
        QTemporaryDir dir;
        const QString file = dir.filePath("out.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
        {
            PrinterCanvas canvas(printer);
            const double w = canvas.ScaleWidth(), h = canvas.ScaleHeight(); // the printable area
            canvas.setFontSize(12);
            canvas.setCurrentX(w * 0.6);
            canvas.setCurrentY(h * 0.7);
            canvas.Print(QStringLiteral("Hello 123"));
            canvas.setDrawWidth(24); // half a millimetre at 1200 dots per inch
            canvas.Line(w * 0.1, h * 0.5, w * 0.9, h * 0.5, ui::PaletteColor(4));
            QVERIFY(canvas.EndDoc());
        }
        const QRegularExpression word(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">Hello<)re");
        const auto m = word.match(run("pdftotext", {"-bbox", file, "-"}));
        const double left = m.captured(1).toDouble(), top = m.captured(2).toDouble();
        QVERIFY(qAbs(left - (area.left() + area.width() * 0.6)) < 2);
        QVERIFY(qAbs(top - (area.top() + area.height() * 0.7)) < 2);
        QVERIFY(m.captured(3).toDouble() - top > 10 && m.captured(3).toDouble() - top < 16);

        // 72 dots per inch: one rendered pixel per point.
        run("pdftoppm", {"-r", "72", "-aa", "no", "-aaVector", "no", "-singlefile", "-png", file,
                         dir.filePath("page")});
        const QImage page(dir.filePath("page.png"));
        const int y = qRound(area.top() + area.height() * 0.5);
        const auto at = [&](double x, int dy) {
            return page.pixel(qRound(area.left() + area.width() * x), y + dy);
        };
        QCOMPARE(at(0.5, 0), qRgb(128, 0, 0));
        QCOMPARE(at(0.5, -10), kWhite);
        QCOMPARE(at(0.05, 0), kWhite);
    }
};

VESTO_TEST(CanvasTest)
#include "tst_canvas.moc"
