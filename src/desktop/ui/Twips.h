#pragma once
// Design positions are in twips; 15 twips make one pixel at 96 dpi.

#include <QLabel>
#include <QRect>
#include <QString>

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

// A control of a window's design (a label, button, option, frame...): created on parent with its
// design name, caption and position.
template <class Control>
Control* NewControl(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    int width, int height) {
    auto* control = new Control(caption, parent);
    control->setObjectName(QLatin1String(name));
    PlaceTwips(control, left, top, width, height);
    return control;
}

inline QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption, int left,
                        int top, int width, int height) {
    return NewControl<QLabel>(parent, name, caption, left, top, width, height);
}

} // namespace ui
