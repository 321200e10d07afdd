#pragma once
// The colours of the windows' controls.

#include "ui/Palette.h"

#include <QColor>

class QWidget;

namespace ui {

void SetBackColor(QWidget* widget, const QColor& color);
QColor BackColor(const QWidget* widget);
void SetForeColor(QWidget* widget, const QColor& color);

} // namespace ui
