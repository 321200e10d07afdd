#pragma once
// The colours of the classic 16-colour palette and of the design's colour numbers.

#include <QColor>

namespace ui {

// Entry 0..15 of the classic 16-colour palette (4 red, 12 light red, ...).
QColor PaletteColor(int entry);
// A colour written as the blue-green-red hexadecimal number of the design (&HC0C000 is teal).
QColor BgrColor(unsigned int bgr);

} // namespace ui
