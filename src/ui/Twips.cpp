#include "ui/Twips.h"

#include <QLabel>

namespace ui {

QRect TwipsRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(TwipsRect(left, top, width, height));
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                 int width, int height) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    PlaceTwips(label, left, top, width, height);
    return label;
}

} // namespace ui
