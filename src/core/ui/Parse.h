#pragma once
// The leading-number parse used for every number read from text (record files, settings, typed
// values). Blanks, tabs and line feeds are ignored anywhere; then an optional sign, digits, one
// period, digits and an optional exponent (E or D, optional sign, digits) are taken from the
// start, stopping at the first character that cannot continue the number. No number gives 0.

#include <QString>

namespace ui {

double Val(const QString& text);

} // namespace ui
