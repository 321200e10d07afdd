#include "graph/canvas/Canvas.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLineF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QtMath>
#include <algorithm>

namespace {

// 96 dots per inch, so that a 9-point font is 12 pixels tall as on the usual screen.
constexpr int kScreenDotsPerMeter = 3780;

} // namespace

// ---------------------------------------------------------------------------------------------
// Canvas

Canvas::Canvas() : font_(QStringLiteral("Arial"), 9) {}

Canvas::~Canvas() = default;

QPainter& Canvas::painter() {
    if (!painter_) {
        // One painter stays open across calls: a full record is tens of thousands of Line calls,
        // and starting a painter for each would dominate the drawing time.
        painter_ = std::make_unique<QPainter>();
        penWidth_ = -1;
        QPaintDevice* target = device();
        if (painter_->begin(target)) {
            // Crisp one-pixel lines on screen; on paper the dots are small enough that smoothing
            // costs nothing in sharpness.
            const bool paper = target->devType() == QInternal::Printer;
            painter_->setRenderHint(QPainter::Antialiasing, paper);
            painter_->setRenderHint(QPainter::TextAntialiasing, true);
            painter_->setFont(font_);
        }
    }
    return *painter_;
}

bool Canvas::painting() const {
    return painter_ && painter_->isActive();
}

bool Canvas::finish() {
    if (!painter_) return true;
    const bool ok = painter_->isActive() && painter_->end();
    painter_.reset();
    return ok;
}

void Canvas::applyPen(const QColor& color) {
    if (penWidth_ == drawWidth_ && penColor_ == color && penDashed_ == dashed_) return;
    // Square caps: a line covers its end points, and a line from a point to itself (two equal
    // readings in a row) still leaves a dot. Dashes have flat ends, so they stay apart.
    painter_->setPen(QPen(color, drawWidth_, dashed_ ? Qt::DashLine : Qt::SolidLine,
                          dashed_ ? Qt::FlatCap : Qt::SquareCap, Qt::MiterJoin));
    penColor_ = color;
    penWidth_ = drawWidth_;
    penDashed_ = dashed_;
}

void Canvas::Line(double x1, double y1, double x2, double y2) {
    Line(x1, y1, x2, y2, foreColor_);
}

void Canvas::Line(double x1, double y1, double x2, double y2, const QColor& color) {
    QPainter& p = painter();
    if (!p.isActive()) return;
    applyPen(color);
    p.drawLine(QLineF(x1, y1, x2, y2));
}

void Canvas::FillRect(double x, double y, double width, double height, const QColor& color) {
    QPainter& p = painter();
    if (p.isActive()) p.fillRect(QRectF(x, y, width, height), color);
}

void Canvas::setDrawWidth(int width) {
    drawWidth_ = std::max(1, width);
}

void Canvas::setFontName(const QString& name) {
    font_.setFamily(name);
    if (painting()) painter_->setFont(font_);
}

void Canvas::setFontSize(double points) {
    if (points > 0) font_.setPointSizeF(points);
    if (painting()) painter_->setFont(font_);
}

void Canvas::setFontBold(bool bold) {
    font_.setBold(bold);
    if (painting()) painter_->setFont(font_);
}

void Canvas::Print(const QString& text) {
    QPainter& p = painter();
    if (!p.isActive()) return;
    applyPen(foreColor_);
    // The metrics of the font as the device resolves it: on a printer the same point size is
    // many more dots than on screen.
    const QFontMetricsF metrics(p.font(), p.device());
    p.drawText(QPointF(currentX_, currentY_ + metrics.ascent()), text);
    currentY_ += metrics.height();
}

double Canvas::TextWidth(const QString& text) {
    QPainter& p = painter();
    return p.isActive() ? QFontMetricsF(p.font(), p.device()).horizontalAdvance(text) : 0;
}

double Canvas::TextHeight() {
    QPainter& p = painter();
    return p.isActive() ? QFontMetricsF(p.font(), p.device()).height() : 0;
}

// ---------------------------------------------------------------------------------------------
// ImageCanvas

namespace {

std::unique_ptr<QImage> blankImage(int width, int height, const QColor& background, qreal ratio) {
    // A painter cannot start on an empty image; a collapsed window still gets one pixel. A
    // fraction of a device pixel at the edge gets a whole one.
    auto image =
        std::make_unique<QImage>(qCeil(width * ratio), qCeil(height * ratio), QImage::Format_RGB32);
    image->setDotsPerMeterX(kScreenDotsPerMeter);
    image->setDotsPerMeterY(kScreenDotsPerMeter);
    image->setDevicePixelRatio(ratio);
    image->fill(background);
    return image;
}

// A ratio the screen or the caller might give that is no ratio at all counts as 1.
qreal validRatio(qreal ratio) {
    return ratio > 0 ? ratio : 1;
}

} // namespace

ImageCanvas::ImageCanvas(int width, int height, const QColor& background, qreal ratio)
    : background_(background), width_(std::max(1, width)), height_(std::max(1, height)),
      ratio_(validRatio(ratio)) {
    image_ = blankImage(width_, height_, background_, ratio_);
}

ImageCanvas::~ImageCanvas() {
    finish();
}

double ImageCanvas::ScaleWidth() const {
    return width_;
}

double ImageCanvas::ScaleHeight() const {
    return height_;
}

QPaintDevice* ImageCanvas::device() {
    return image_.get();
}

void ImageCanvas::Cls() {
    finish();
    image_->fill(background_);
    setCurrentX(0);
    setCurrentY(0);
}

void ImageCanvas::resize(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == width_ && height == height_) return;
    finish();
    auto resized = blankImage(width, height, background_, ratio_);
    {
        QPainter copy(resized.get());
        copy.drawImage(0, 0, *image_);
    }
    image_ = std::move(resized);
    width_ = width;
    height_ = height;
}

void ImageCanvas::setRatio(qreal ratio) {
    ratio = validRatio(ratio);
    if (ratio == ratio_) return;
    finish();
    ratio_ = ratio;
    image_ = blankImage(width_, height_, background_, ratio_);
}

const QImage& ImageCanvas::Image() {
    finish();
    return *image_;
}

// ---------------------------------------------------------------------------------------------
// PageCanvas

PageCanvas::PageCanvas(QPagedPaintDevice& pages) : pages_(pages) {}

PageCanvas::~PageCanvas() {
    finish();
}

// The printable area in dots; the painter's origin is the area's top-left corner.
double PageCanvas::ScaleWidth() const {
    return pages_.width();
}

double PageCanvas::ScaleHeight() const {
    return pages_.height();
}

QPaintDevice* PageCanvas::device() {
    return &pages_;
}

bool PageCanvas::NewPage() {
    // Starting the document here when nothing was drawn yet leaves the first page blank, as
    // asked: the caller wanted the current page finished.
    if (!painter().isActive()) return false;
    return pages_.newPage();
}

bool PageCanvas::EndDoc() {
    return finish();
}
