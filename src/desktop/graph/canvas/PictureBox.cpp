#include "graph/canvas/PictureBox.h"

#include "ui/Accessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QResizeEvent>

namespace {

// The zoom rectangle: a dotted outline only, so the graph under it stays readable, and no
// mouse handling of its own, so a drag that passes over it keeps reaching the picture box.
class RubberBand : public QFrame {
public:
    explicit RubberBand(QWidget* parent) : QFrame(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setAutoFillBackground(false);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (width() < 1 || height() < 1) return;
        QPainter p(this);
        p.setPen(QPen(Qt::black, 1, Qt::DotLine, Qt::SquareCap));
        p.drawRect(0, 0, width() - 1, height() - 1);
    }
};

int buttonCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton) code |= 1;
    if (buttons & Qt::RightButton) code |= 2;
    if (buttons & Qt::MiddleButton) code |= 4;
    return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier) code |= 1;
    if (modifiers & Qt::ControlModifier) code |= 2;
    if (modifiers & Qt::AltModifier) code |= 4;
    return code;
}

} // namespace

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent), canvas_(width(), height(), Qt::white), shape_(new RubberBand(this)) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    setMouseTracking(true);
    // Reached by Tab or a click, so that a screen reader tells what the picture shows and its
    // owner hears the keys.
    setFocusPolicy(Qt::StrongFocus);
    ui::SetRole(this, QAccessible::Chart);
    shape_->setObjectName(QStringLiteral("Shape1"));
    shape_->hide();
}

PictureBox::~PictureBox() = default;

ImageCanvas& PictureBox::canvas() {
    // A hidden widget gets its resize event only when shown; the size is known before that.
    canvas_.resize(width(), height());
    followScreenRatio();
    update();
    return canvas_;
}

bool PictureBox::followScreenRatio() {
    const qreal ratio = devicePixelRatioF();
    if (ratio == canvas_.ratio()) return false;
    canvas_.setRatio(ratio);
    return true;
}

void PictureBox::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void PictureBox::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

bool PictureBox::event(QEvent* event) {
    // The window moved to another screen (or its screen changed its ratio).
    if (event->type() == QEvent::ScreenChangeInternal && followScreenRatio())
        QMetaObject::invokeMethod(this, &PictureBox::ratioChanged, Qt::QueuedConnection);
    return QWidget::event(event);
}

void PictureBox::Cls() {
    canvas().Cls();
}

QImage PictureBox::Image() {
    return canvas().Image();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    // Whatever way the ratio reached the box, it is noticed here at the latest.
    if (followScreenRatio())
        QMetaObject::invokeMethod(this, &PictureBox::ratioChanged, Qt::QueuedConnection);
    QPainter p(this);
    const QImage& image = canvas_.Image();
    // The part to paint, in the image's device pixels: drawn one to one.
    const QRectF area = event->rect();
    const qreal k = image.devicePixelRatio();
    p.drawImage(area, image, QRectF(area.topLeft() * k, area.size() * k));
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    canvas_.resize(event->size().width(), event->size().height());
    QWidget::resizeEvent(event);
}

// The canvas's units are the widget's logical pixels, so the pointer position is already in
// canvas units, whatever the screen's ratio.
void PictureBox::mousePressEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    emit MouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), pos.x(), pos.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    emit MouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()), pos.x(), pos.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    emit MouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), pos.x(), pos.y());
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(event->key(), shiftCode(event->modifiers()));
    QWidget::keyPressEvent(event);
}

// The meta-object is compiled here, so linking the picture box does not pull in the meta-objects
// of every other class in the library.
#include "moc_PictureBox.cpp"
