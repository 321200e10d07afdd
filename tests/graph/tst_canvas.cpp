#include "graph/canvas/Canvas.h"
#include "graph/canvas/PictureBox.h"
#include "support/TestRegistry.h"
#include "ui/Colors.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Ink {
    QRect bounds; // of every pixel that is not the background
    int count = 0;
};

Ink inkOf(const QImage& image, QRgb background = qRgb(255, 255, 255)) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == background) continue;
            ++ink.count;
            ink.bounds |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

int countColour(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    }
    return n;
}

// Height in pixels of the ink of a capital H printed at (10, 10) in the given size.
int capitalHeight(ImageCanvas& canvas, double points) {
    canvas.setFontSize(points);
    canvas.setCurrentX(10);
    canvas.setCurrentY(10);
    canvas.Print(QStringLiteral("H"));
    return inkOf(canvas.Image()).bounds.height();
}

} // namespace

class CanvasTest : public QObject {
    Q_OBJECT
private slots:
    void linesCoverTheirPixels_data() {
        QTest::addColumn<QLineF>("line");
        QTest::addColumn<int>("width");
        QTest::addColumn<QRect>("covered");
        // Square caps add half the width at each end; the covered pixels are those whose centres
        // lie inside the stroke.
        QTest::newRow("horizontal, width 1") << QLineF(10, 10, 20, 10) << 1 << QRect(10, 10, 11, 1);
        QTest::newRow("drawn right to left") << QLineF(20, 10, 10, 10) << 1 << QRect(10, 10, 11, 1);
        QTest::newRow("vertical, width 1") << QLineF(10, 10, 10, 20) << 1 << QRect(10, 10, 1, 11);
        QTest::newRow("fractional ends")
            << QLineF(10.4, 10.4, 20.4, 10.4) << 1 << QRect(10, 10, 11, 1);
        QTest::newRow("point, width 1") << QLineF(10, 10, 10, 10) << 1 << QRect(10, 10, 1, 1);
        QTest::newRow("horizontal, width 2") << QLineF(10, 10, 20, 10) << 2 << QRect(9, 9, 12, 2);
        QTest::newRow("vertical, width 2") << QLineF(10, 10, 10, 20) << 2 << QRect(9, 9, 2, 12);
        QTest::newRow("point, width 2") << QLineF(10, 10, 10, 10) << 2 << QRect(9, 9, 2, 2);
    }
    void linesCoverTheirPixels() {
        QFETCH(QLineF, line);
        QFETCH(int, width);
        QFETCH(QRect, covered);
        ImageCanvas canvas(40, 40);
        canvas.setDrawWidth(width);
        canvas.Line(line.x1(), line.y1(), line.x2(), line.y2(), Qt::red);
        const QImage& image = canvas.Image();
        const Ink ink = inkOf(image);
        QCOMPARE(ink.bounds, covered);
        QCOMPARE(ink.count, covered.width() * covered.height());
        QCOMPARE(countColour(image, qRgb(255, 0, 0)), ink.count);
    }

    void diagonalLineRunsEndToEnd() {
        ImageCanvas canvas(40, 40);
        canvas.Line(10, 10, 20, 20);
        const QImage& image = canvas.Image();
        for (int i = 10; i <= 20; ++i) QCOMPARE(image.pixel(i, i), qRgb(0, 0, 0));
        QCOMPARE(inkOf(image).count, 11);
    }

    void lineColours() {
        ImageCanvas canvas(40, 40);
        canvas.Line(0, 1, 39, 1);
        canvas.Line(0, 3, 39, 3, ui::PaletteColor(12));
        // The pen must go back to the foreground colour within the same painting.
        canvas.Line(0, 5, 39, 5);
        canvas.setForeColor(Qt::blue);
        canvas.Line(0, 7, 39, 7);
        const QImage& image = canvas.Image();
        QCOMPARE(image.pixel(20, 1), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(20, 3), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(20, 5), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(20, 7), qRgb(0, 0, 255));
    }

    void drawWidthChangesWithinOnePainting() {
        ImageCanvas canvas(40, 40);
        canvas.Line(5, 10, 30, 10);
        canvas.setDrawWidth(2);
        canvas.Line(5, 20, 30, 20);
        canvas.setDrawWidth(1);
        canvas.Line(5, 30, 30, 30);
        const QImage& image = canvas.Image();
        auto thickness = [&](int y0, int y1) {
            int rows = 0;
            for (int y = y0; y <= y1; ++y) rows += image.pixel(15, y) != qRgb(255, 255, 255);
            return rows;
        };
        QCOMPARE(thickness(5, 15), 1);
        QCOMPARE(thickness(15, 25), 2);
        QCOMPARE(thickness(25, 35), 1);
    }

    void textHasItsTopLeftAtTheCurrentPosition_data() {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<QString>("text");
        QTest::newRow("near the corner") << QPointF(4, 3) << QStringLiteral("Hello");
        QTest::newRow("inside") << QPointF(60, 45) << QStringLiteral("Max 230.5 V");
        QTest::newRow("fractional") << QPointF(30.6, 20.4) << QStringLiteral("12:00:00");
    }
    void textHasItsTopLeftAtTheCurrentPosition() {
        QFETCH(QPointF, at);
        QFETCH(QString, text);
        ImageCanvas canvas(200, 100);
        canvas.setCurrentX(at.x());
        canvas.setCurrentY(at.y());
        canvas.Print(text);
        const Ink ink = inkOf(canvas.Image());
        QVERIFY(ink.count > 20);
        // 9-point text is 12 pixels tall: the capitals' tops lie about 2 pixels below the top of
        // the line, the descenders end within the line height.
        const QFontMetricsF metrics(canvas.font());
        const QRectF line(at, QSizeF(metrics.horizontalAdvance(text), metrics.height()));
        QVERIFY(line.adjusted(-1, -1, 1, 1).contains(QRectF(ink.bounds)));
        QVERIFY(ink.bounds.left() <= at.x() + 2);
        QVERIFY(ink.bounds.top() <= at.y() + 4);
        QVERIFY(ink.bounds.width() > line.width() / 2);
    }

    void printMovesDownOneLineAndKeepsX() {
        ImageCanvas canvas(200, 100);
        canvas.setCurrentX(25);
        canvas.setCurrentY(10);
        canvas.Print(QStringLiteral("First"));
        QCOMPARE(canvas.currentX(), 25.0);
        const double step = canvas.currentY() - 10;
        QVERIFY2(step >= 12 && step <= 16, qPrintable(QString::number(step)));
        const QRect first = inkOf(canvas.Image()).bounds;
        canvas.Print(QStringLiteral("First"));
        const QRect both = inkOf(canvas.Image()).bounds;
        QCOMPARE(both.left(), first.left());
        QCOMPARE(both.top(), first.top());
        QCOMPARE(both.bottom() - first.bottom(), qRound(step));
    }

    void fontSizeIsInPoints() {
        // At 96 dots per inch a capital is about 0.72 of the 12 (9 pt) or 24 (18 pt) pixel height.
        ImageCanvas small(100, 60);
        QVERIFY(qAbs(capitalHeight(small, 9) - 9) <= 1);
        ImageCanvas large(100, 60);
        QVERIFY(qAbs(capitalHeight(large, 18) - 17) <= 1);
    }

    void fontChangesApplyWithinOnePaintingAndAfterARestart() {
        ImageCanvas canvas(200, 100);
        canvas.setCurrentX(10);
        canvas.setCurrentY(10);
        canvas.Print(QStringLiteral("H"));
        canvas.setFontSize(18);
        canvas.setCurrentX(60);
        canvas.setCurrentY(10);
        canvas.Print(QStringLiteral("H"));
        const QImage first = canvas.Image();
        canvas.setCurrentX(120);
        canvas.setCurrentY(10);
        canvas.Print(QStringLiteral("H"));
        const QImage second = canvas.Image();
        const int small = inkOf(first.copy(0, 0, 50, 100)).bounds.height();
        const int large = inkOf(first.copy(50, 0, 60, 100)).bounds.height();
        const int again = inkOf(second.copy(110, 0, 90, 100)).bounds.height();
        QVERIFY2(large >= 2 * small - 2, qPrintable(QStringLiteral("%1 %2").arg(small).arg(large)));
        QCOMPARE(again, large);
    }

    void textUsesTheForegroundColour() {
        ImageCanvas canvas(200, 60);
        canvas.setForeColor(Qt::red);
        canvas.setFontSize(20);
        canvas.setFontBold(true);
        canvas.setCurrentX(10);
        canvas.setCurrentY(10);
        canvas.Print(QStringLiteral("HIL"));
        const QImage& image = canvas.Image();
        QVERIFY(countColour(image, qRgb(255, 0, 0)) > 50);
        QCOMPARE(countColour(image, qRgb(0, 0, 0)), 0);
    }

    void clsClearsToTheBackground() {
        const QColor teal = ui::BgrColor(0xC0C000);
        ImageCanvas canvas(50, 30, teal);
        QCOMPARE(inkOf(canvas.Image(), teal.rgb()).count, 0);
        canvas.Line(0, 0, 49, 29);
        canvas.setCurrentX(5);
        canvas.setCurrentY(5);
        canvas.Print(QStringLiteral("x"));
        QVERIFY(inkOf(canvas.Image(), teal.rgb()).count > 0);
        canvas.Cls();
        QCOMPARE(inkOf(canvas.Image(), teal.rgb()).count, 0);
        QCOMPARE(canvas.currentX(), 0.0);
        QCOMPARE(canvas.currentY(), 0.0);
    }

    void resizeKeepsWhatWasDrawn() {
        ImageCanvas canvas(40, 30);
        canvas.Line(5, 5, 5, 5, Qt::red);
        canvas.Line(35, 25, 35, 25, Qt::blue);
        canvas.resize(80, 60);
        QCOMPARE(canvas.ScaleWidth(), 80.0);
        QCOMPARE(canvas.ScaleHeight(), 60.0);
        QImage image = canvas.Image();
        QCOMPARE(image.size(), QSize(80, 60));
        QCOMPARE(image.pixel(5, 5), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(35, 25), qRgb(0, 0, 255));
        QCOMPARE(inkOf(image).count, 2);

        // What falls outside a smaller size is gone when it grows again.
        canvas.resize(20, 20);
        canvas.resize(40, 30);
        image = canvas.Image();
        QCOMPARE(image.pixel(5, 5), qRgb(255, 0, 0));
        QCOMPARE(inkOf(image).count, 1);
    }
};

class PictureBoxTest : public QObject {
    Q_OBJECT
private slots:
    void startsWhiteWithAHiddenBand() {
        PictureBox box;
        box.resize(120, 80);
        QFrame* shape = box.findChild<QFrame*>(QStringLiteral("Shape1"));
        QVERIFY(shape);
        QCOMPARE(shape, box.Shape1());
        QVERIFY(shape->isHidden());
        QVERIFY(box.hasMouseTracking());
        const QImage shown = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(120, 80));
        QCOMPARE(inkOf(shown).count, 0);
    }

    void canvasFollowsTheWidgetSize() {
        PictureBox box;
        box.resize(300, 200);
        QCOMPARE(box.canvas().ScaleWidth(), 300.0);
        QCOMPARE(box.canvas().ScaleHeight(), 200.0);
        box.canvas().Line(10, 10, 10, 10, Qt::red);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.resize(400, 250);
        QCoreApplication::processEvents();
        QCOMPARE(box.canvas().ScaleWidth(), 400.0);
        const QImage image = box.Image();
        QCOMPARE(image.size(), QSize(400, 250));
        QCOMPARE(image.pixel(10, 10), qRgb(255, 0, 0));
    }

    void showsThePictureUnderItsLabels() {
        QWidget window;
        window.resize(220, 160);
        auto* box = new PictureBox(&window);
        box->setGeometry(10, 20, 200, 120);
        box->canvas().Line(0, 50, 199, 50, ui::PaletteColor(12));
        auto* label = new QLabel(box);
        label->setGeometry(100, 40, 50, 20);
        ui::SetBackColor(label, ui::BgrColor(0xFFFF));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.pixel(20, 50), qRgb(255, 0, 0));
        QCOMPARE(shown.pixel(120, 50), qRgb(255, 255, 0));
        QCOMPARE(shown.pixel(20, 80), qRgb(255, 255, 255));
    }

    void bandIsADottedOutline() {
        PictureBox box;
        box.resize(120, 80);
        box.Shape1()->setGeometry(20, 10, 60, 40);
        box.Shape1()->show();
        const QImage shown = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
        int top = 0;
        int left = 0;
        for (int x = 20; x < 80; ++x) top += shown.pixel(x, 10) != qRgb(255, 255, 255);
        for (int y = 10; y < 50; ++y) left += shown.pixel(20, y) != qRgb(255, 255, 255);
        // Dotted: clearly there, but with gaps.
        QVERIFY2(top >= 15 && top < 60, qPrintable(QString::number(top)));
        QVERIFY2(left >= 10 && left < 40, qPrintable(QString::number(left)));
        QCOMPARE(inkOf(shown.copy(22, 12, 56, 36)).count, 0);
        QCOMPARE(inkOf(shown.copy(0, 0, 18, 80)).count, 0);
    }

    void mouseButtonsAndShiftState_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("buttonCode");
        QTest::addColumn<int>("shiftCode");
        QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers() << QPoint(30, 40) << 1
                              << 0;
        QTest::newRow("right with shift")
            << Qt::RightButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << QPoint(1, 1) << 2
            << 1;
        QTest::newRow("middle with ctrl and alt")
            << Qt::MiddleButton << (Qt::ControlModifier | Qt::AltModifier) << QPoint(199, 99) << 4
            << 6;
        QTest::newRow("left with all three")
            << Qt::LeftButton << (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)
            << QPoint(150, 7) << 1 << 7;
    }
    void mouseButtonsAndShiftState() {
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QPoint, at);
        QFETCH(int, buttonCode);
        QFETCH(int, shiftCode);
        PictureBox box;
        box.resize(200, 100);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QSignalSpy down(&box, &PictureBox::MouseDown);
        QSignalSpy up(&box, &PictureBox::MouseUp);
        QTest::mousePress(&box, button, modifiers, at);
        QTest::mouseRelease(&box, button, modifiers, at);
        QCOMPARE(down.count(), 1);
        QCOMPARE(up.count(), 1);
        for (const QSignalSpy* spy : {&down, &up}) {
            const QList<QVariant> args = spy->first();
            QCOMPARE(args.at(0).toInt(), buttonCode);
            QCOMPARE(args.at(1).toInt(), shiftCode);
            QCOMPARE(args.at(2).toDouble(), double(at.x()));
            QCOMPARE(args.at(3).toDouble(), double(at.y()));
        }
    }

    void movesReportTheButtonsHeld_data() {
        QTest::addColumn<Qt::MouseButtons>("held");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("buttonCode");
        QTest::addColumn<int>("shiftCode");
        QTest::newRow("none") << Qt::MouseButtons() << Qt::KeyboardModifiers() << 0 << 0;
        QTest::newRow("left") << Qt::MouseButtons(Qt::LeftButton) << Qt::KeyboardModifiers() << 1
                              << 0;
        QTest::newRow("right with shift") << Qt::MouseButtons(Qt::RightButton)
                                          << Qt::KeyboardModifiers(Qt::ShiftModifier) << 2 << 1;
        QTest::newRow("left and middle with ctrl")
            << (Qt::LeftButton | Qt::MiddleButton) << Qt::KeyboardModifiers(Qt::ControlModifier)
            << 5 << 2;
        QTest::newRow("all three with alt") << (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton)
                                            << Qt::KeyboardModifiers(Qt::AltModifier) << 7 << 4;
    }
    void movesReportTheButtonsHeld() {
        QFETCH(Qt::MouseButtons, held);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, buttonCode);
        QFETCH(int, shiftCode);
        PictureBox box;
        box.resize(200, 100);
        QSignalSpy move(&box, &PictureBox::MouseMove);
        const QPointF at(80.5, 30.25);
        QMouseEvent event(QEvent::MouseMove, at, box.mapToGlobal(at), Qt::NoButton, held,
                          modifiers);
        QApplication::sendEvent(&box, &event);
        QCOMPARE(move.count(), 1);
        const QList<QVariant> expected = {buttonCode, shiftCode, 80.5, 30.25};
        QCOMPARE(move.first(), expected);
    }

    void dragOverTheBandStillReachesTheBox() {
        QWidget window;
        window.resize(260, 180);
        auto* box = new PictureBox(&window);
        box->setGeometry(30, 40, 200, 120);
        box->Shape1()->setGeometry(10, 10, 100, 80);
        box->Shape1()->show();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy down(box, &PictureBox::MouseDown);
        QSignalSpy up(box, &PictureBox::MouseUp);
        // Through the window, so the widget under the pointer is looked up as for a real click.
        QWindow* handle = window.windowHandle();
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(30 + 50, 40 + 40));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(30 + 60, 40 + 45));
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.first().at(2).toDouble(), 50.0);
        QCOMPARE(down.first().at(3).toDouble(), 40.0);
        QCOMPARE(up.count(), 1);
        QCOMPARE(up.first().at(2).toDouble(), 60.0);
        QCOMPARE(up.first().at(3).toDouble(), 45.0);
    }
};

namespace {

struct PdfWord {
    QString text;
    QRectF box; // in points from the page's top-left corner
};

QString run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QList<PdfWord> wordsOf(const QString& pdf, QSizeF* pageSize) {
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, "-"});
    const QRegularExpression page(
        QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)")re"));
    const auto pageMatch = page.match(html);
    if (pageMatch.hasMatch() && pageSize) {
        *pageSize = QSizeF(pageMatch.captured(1).toDouble(), pageMatch.captured(2).toDouble());
    }
    const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words << PdfWord{m.captured(5),
                         QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))};
    }
    return words;
}

void preparePdf(QPrinter& printer, const QString& file) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
}

} // namespace

class PrinterCanvasTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        QVERIFY(dir_.isValid());
    }

    void textLandsAtItsPlaceAndSize() {
        const QString file = dir_.filePath(QStringLiteral("text.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        preparePdf(printer, file);
        const double dotsToPoints = 72.0 / printer.resolution();
        const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
        {
            PrinterCanvas canvas(printer);
            // The printable area, in printer dots.
            QVERIFY(qAbs(canvas.ScaleWidth() * dotsToPoints - area.width()) < 1);
            QVERIFY(qAbs(canvas.ScaleHeight() * dotsToPoints - area.height()) < 1);
            canvas.setFontName(QStringLiteral("Arial"));
            canvas.setFontSize(12);
            canvas.setCurrentX(canvas.ScaleWidth() * 0.6);
            canvas.setCurrentY(canvas.ScaleHeight() * 0.7);
            canvas.Print(QStringLiteral("Hello 123"));
            QVERIFY(canvas.EndDoc());
        }
        const QString layout = run(QStringLiteral("pdftotext"), {"-layout", file, "-"});
        QVERIFY2(layout.contains(QStringLiteral("Hello 123")), qPrintable(layout));

        QSizeF page;
        const QList<PdfWord> words = wordsOf(file, &page);
        QCOMPARE(words.size(), 2);
        const PdfWord& hello = words.at(0);
        QCOMPARE(hello.text, QStringLiteral("Hello"));
        QCOMPARE(words.at(1).text, QStringLiteral("123"));
        // Lower right quarter of an A4 page (595 x 842 points).
        QVERIFY(qAbs(page.width() - 595) < 2 && qAbs(page.height() - 842) < 2);
        QVERIFY(hello.box.left() > page.width() / 2 && hello.box.top() > page.height() / 2);
        // Its top-left corner where it was put, 12 points tall.
        const QPointF expected(area.left() + area.width() * 0.6, area.top() + area.height() * 0.7);
        QVERIFY2(qAbs(hello.box.left() - expected.x()) < 2 &&
                     qAbs(hello.box.top() - expected.y()) < 2,
                 qPrintable(QStringLiteral("word at %1,%2, expected %3,%4")
                                .arg(hello.box.left())
                                .arg(hello.box.top())
                                .arg(expected.x())
                                .arg(expected.y())));
        QVERIFY2(hello.box.height() > 10 && hello.box.height() < 16,
                 qPrintable(QString::number(hello.box.height())));
        QVERIFY(words.at(1).box.left() > hello.box.right());
    }

    void colouredLineOnPaper() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
            QSKIP("pdftoppm (poppler-utils) is not installed");
        }
        const QString file = dir_.filePath(QStringLiteral("line.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        preparePdf(printer, file);
        const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
        {
            PrinterCanvas canvas(printer);
            canvas.setDrawWidth(24); // half a millimetre at 1200 dots per inch
            canvas.Line(canvas.ScaleWidth() * 0.1, canvas.ScaleHeight() * 0.5,
                        canvas.ScaleWidth() * 0.9, canvas.ScaleHeight() * 0.5, ui::PaletteColor(4));
            QVERIFY(canvas.EndDoc());
        }
        // 72 dots per inch: one rendered pixel per point.
        const QString prefix = dir_.filePath(QStringLiteral("line"));
        run(QStringLiteral("pdftoppm"),
            {"-r", "72", "-aa", "no", "-aaVector", "no", "-singlefile", "-png", file, prefix});
        const QImage page(prefix + QStringLiteral(".png"));
        QVERIFY(!page.isNull());
        const int y = qRound(area.top() + area.height() * 0.5);
        const QRgb red = qRgb(128, 0, 0);
        QCOMPARE(page.pixel(qRound(area.left() + area.width() * 0.5), y), red);
        QCOMPARE(page.pixel(qRound(area.left() + area.width() * 0.2), y), red);
        QCOMPARE(page.pixel(qRound(area.left() + area.width() * 0.5), y - 10), qRgb(255, 255, 255));
        QCOMPARE(page.pixel(qRound(area.left() + area.width() * 0.05), y), qRgb(255, 255, 255));
    }

    void aFullRecordOnTwoPages() {
        const QString file = dir_.filePath(QStringLiteral("many.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        preparePdf(printer, file);
        {
            PrinterCanvas canvas(printer);
            const int points = 73620;
            const double w = canvas.ScaleWidth();
            const double h = canvas.ScaleHeight();
            for (int i = 1; i < points; ++i) {
                canvas.Line(w * (i - 1) / points, h * (0.3 + 0.1 * ((i - 1) % 7) / 7.0),
                            w * i / points, h * (0.3 + 0.1 * (i % 7) / 7.0), ui::PaletteColor(4));
            }
            canvas.setCurrentX(w * 0.1);
            canvas.setCurrentY(h * 0.1);
            canvas.Print(QStringLiteral("First"));
            QVERIFY(canvas.NewPage());
            canvas.setCurrentX(w * 0.1);
            canvas.setCurrentY(h * 0.1);
            canvas.Print(QStringLiteral("Second"));
            QVERIFY(canvas.EndDoc());
        }
        const QString pageOne = run("pdftotext", {"-f", "1", "-l", "1", file, "-"});
        const QString pageTwo = run("pdftotext", {"-f", "2", "-l", "2", file, "-"});
        QVERIFY(pageOne.contains(QStringLiteral("First")) && !pageOne.contains("Second"));
        QVERIFY(pageTwo.contains(QStringLiteral("Second")) && !pageTwo.contains("First"));
        const QString info = run(QStringLiteral("pdfinfo"), {file});
        if (!info.isEmpty()) {
            QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))),
                     qPrintable(info));
        }
    }

    void endDocReportsAFailedDocument() {
        QPrinter printer(QPrinter::HighResolution);
        preparePdf(printer, dir_.filePath(QStringLiteral("missing/folder/out.pdf")));
        PrinterCanvas canvas(printer);
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        canvas.Line(0, 0, 100, 100);
        canvas.setCurrentX(10);
        canvas.Print(QStringLiteral("lost"));
        QVERIFY(!canvas.NewPage());
        QVERIFY(!canvas.EndDoc());
    }
};

VESTO_TEST(CanvasTest)
VESTO_TEST(PictureBoxTest)
VESTO_TEST(PrinterCanvasTest)
#include "tst_canvas.moc"
