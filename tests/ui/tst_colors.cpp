#include "support/TestRegistry.h"
#include "ui/Colors.h"

#include <QLabel>
#include <QTest>

class ColorsTest : public QObject {
    Q_OBJECT
private slots:
    void paletteEntries_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QColor>("expected");
        const QList<QColor> classic = {
            {0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
            {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
            {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
            {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
        };
        for (int i = 0; i < classic.size(); ++i) {
            QTest::addRow("entry %d", i) << i << classic.at(i);
        }
        QTest::newRow("below the table") << -1 << QColor();
        QTest::newRow("above the table") << 16 << QColor();
    }
    void paletteEntries() {
        QFETCH(int, entry);
        QFETCH(QColor, expected);
        QCOMPARE(ui::PaletteColor(entry), expected);
    }

    void bgrNumbers_data() {
        QTest::addColumn<uint>("bgr");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("teal") << 0xC0C000u << QColor(0, 192, 192);
        QTest::newRow("yellow") << 0xFFFFu << QColor(255, 255, 0);
        QTest::newRow("red is the low byte") << 0xFFu << QColor(255, 0, 0);
        QTest::newRow("blue is the high byte") << 0xFF0000u << QColor(0, 0, 255);
        QTest::newRow("mixed") << 0x123456u << QColor(0x56, 0x34, 0x12);
        QTest::newRow("black") << 0u << QColor(0, 0, 0);
    }
    void bgrNumbers() {
        QFETCH(uint, bgr);
        QFETCH(QColor, expected);
        QCOMPARE(ui::BgrColor(bgr), expected);
    }

    void backColourFillsALabel() {
        QLabel label(QStringLiteral("Transfer"));
        label.resize(80, 20);
        const QColor teal = ui::BgrColor(0xC0C000);
        ui::SetBackColor(&label, teal);
        QCOMPARE(ui::BackColor(&label), teal);
        const QImage shown = label.grab().toImage();
        QCOMPARE(QColor(shown.pixel(1, 1)), teal);
        QCOMPARE(QColor(shown.pixel(78, 18)), teal);
    }

    void foreColourIsTheTextColour() {
        QLabel label(QStringLiteral("IIII"));
        QFont font = label.font();
        font.setPixelSize(30);
        font.setBold(true);
        label.setFont(font);
        label.resize(100, 40);
        ui::SetForeColor(&label, QColor(255, 0, 0));
        ui::SetBackColor(&label, Qt::white);
        const QImage shown = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
        int red = 0;
        int dark = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QColor c(shown.pixel(x, y));
                red += c == QColor(255, 0, 0);
                dark += c.red() < 100;
            }
        }
        QVERIFY2(red > 40, qPrintable(QString::number(red)));
        QCOMPARE(dark, 0);
    }
};
VESTO_TEST(ColorsTest)
#include "tst_colors.moc"
