#pragma once
// Design positions are in twips; 15 twips make one pixel at 96 dpi.

#include <QRect>

class QLabel;
class QString;
class QWidget;

namespace ui {

constexpr int TwipsToPixels(double twips) {
    return static_cast<int>(twips / 15.0 + 0.5);
}
constexpr double PixelsToTwips(double pixels) {
    return pixels * 15.0;
}

// Places a widget at a design position (left, top, width, height in twips).
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);
QRect TwipsRect(int left, int top, int width, int height);

// A label of a window's design: created on parent with its design name, caption and position.
QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                 int width, int height);

} // namespace ui
