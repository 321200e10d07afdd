#pragma once
// The picture in the main window's top left corner, in the About box and as the program's icon:
// a logger's display with a recorded curve between two limit lines.

#include <QPixmap>
#include <QSize>
#include <QWidget>

class QPainter;

// The logo filling the rectangle, drawn in the painter's own units.
void PaintLogo(QPainter& p, const QRectF& r);

// The logo as a picture of the size, with `ratio` device pixels per pixel.
QPixmap DrawLogo(const QSize& size, qreal ratio = 1);

// A box that shows the logo across its width, `logoHeight` pixels high at its top. It paints the
// drawing itself rather than a picture of it, so the logo is as sharp as the screen it is on.
class LogoBox : public QWidget {
public:
    LogoBox(QWidget* parent, int logoHeight);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int logoHeight_;
};
