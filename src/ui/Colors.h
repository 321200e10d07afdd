#pragma once
// Colours the windows and the graph use.

#include <QColor>

class QWidget;

namespace ui {

// Entry 0..15 of the classic 16-colour palette (4 red, 12 light red, ...).
QColor PaletteColor(int entry);
// A colour written as the blue-green-red hexadecimal number of the design (&HC0C000 is teal).
QColor BgrColor(unsigned int bgr);

void SetBackColor(QWidget* widget, const QColor& color);
QColor BackColor(const QWidget* widget);
void SetForeColor(QWidget* widget, const QColor& color);

} // namespace ui
