#include "shell/Logo.h"

#include "ui/Accessible.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

void PaintLogo(QPainter& p, const QRectF& area) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = area.adjusted(1, 1, -1, -1);
    const double radius = std::min(r.width(), r.height()) * 0.18;
    p.setPen(QPen(QColor(20, 40, 80), 1.5));
    p.setBrush(QColor(30, 60, 110));
    p.drawRoundedRect(r, radius, radius);

    const QRectF screen =
        r.adjusted(r.height() * 0.15, r.height() * 0.15, -r.height() * 0.15, -r.height() * 0.15);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 245, 230));
    p.drawRect(screen);

    // Limit lines and a curve that leaves the band now and then.
    const double high = screen.top() + screen.height() * 0.3;
    const double low = screen.top() + screen.height() * 0.75;
    p.setPen(QPen(QColor(0, 200, 90), 1));
    p.drawLine(QPointF(screen.left(), high), QPointF(screen.right(), high));
    p.drawLine(QPointF(screen.left(), low), QPointF(screen.right(), low));
    QPainterPath curve;
    const int steps = 60;
    for (int i = 0; i <= steps; ++i) {
        const double f = double(i) / steps;
        const double wave = std::sin(f * 6.0 * M_PI) * 0.28 + std::sin(f * 17.0) * 0.08;
        const QPointF point(screen.left() + f * screen.width(),
                            screen.center().y() - wave * screen.height());
        if (i == 0)
            curve.moveTo(point);
        else
            curve.lineTo(point);
    }
    p.setPen(QPen(QColor(220, 30, 30), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.restore();
}

QPixmap DrawLogo(const QSize& size, qreal ratio) {
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    PaintLogo(p, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

LogoBox::LogoBox(QWidget* parent, int logoHeight) : QWidget(parent), logoHeight_(logoHeight) {
    ui::SetRole(this, QAccessible::Graphic);
}

void LogoBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintLogo(p, QRectF(0, 0, width(), std::min(height(), logoHeight_)));
}
