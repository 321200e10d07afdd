#include "ui/Colors.h"

#include <QPalette>
#include <QWidget>

namespace ui {

void SetBackColor(QWidget* widget, const QColor& color) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, color);
    widget->setPalette(pal);
    // A label paints no background of its own unless asked to.
    widget->setAutoFillBackground(true);
}

QColor BackColor(const QWidget* widget) {
    return widget->palette().color(QPalette::Window);
}

void SetForeColor(QWidget* widget, const QColor& color) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, color);
    pal.setColor(QPalette::Text, color);
    widget->setPalette(pal);
}

} // namespace ui
