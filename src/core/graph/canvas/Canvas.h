#pragma once
// The drawing surface the graph is drawn on, on screen and on paper: lines in a draw width and
// colour, text with its top-left corner at the current position, a font, and the usable size in
// the surface's own units. Every position the graph uses is a fraction of ScaleWidth/ScaleHeight,
// so the unit itself never matters (pixels on screen, device dots on a printer).

#include <QColor>
#include <QFont>
#include <QString>
#include <memory>

class QImage;
class QPainter;
class QPaintDevice;
class QPagedPaintDevice;

class Canvas {
public:
    virtual ~Canvas();

    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;

    // A straight line in the current draw width; without a colour in the foreground colour.
    void Line(double x1, double y1, double x2, double y2);
    void Line(double x1, double y1, double x2, double y2, const QColor& color);

    // Line width in the canvas's units for the following lines.
    void setDrawWidth(int width);
    int drawWidth() const { return drawWidth_; }
    // Dashed or solid for the following lines.
    void setDashed(bool dashed) { dashed_ = dashed; }

    // A filled rectangle, without an outline.
    void FillRect(double x, double y, double width, double height, const QColor& color);

    void setFontName(const QString& name);
    void setFontSize(double points);
    void setFontBold(bool bold);
    const QFont& font() const { return font_; }

    void setCurrentX(double x) { currentX_ = x; }
    void setCurrentY(double y) { currentY_ = y; }
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }

    // Draws the text with its top-left corner at the current position; CurrentY then moves down
    // one line height and CurrentX stays, so texts printed one after another form a column.
    void Print(const QString& text);
    // What Print would take of the surface: the text's width, a line's height.
    double TextWidth(const QString& text);
    double TextHeight();

    void setForeColor(const QColor& color) { foreColor_ = color; }
    QColor foreColor() const { return foreColor_; }

    // Ends the painting that is in progress (the next drawing call starts it again). False when
    // that painting could not start or could not be completed on its device.
    bool finish();

protected:
    Canvas();
    virtual QPaintDevice* device() = 0;
    QPainter& painter();
    bool painting() const;

private:
    void applyPen(const QColor& color);

    std::unique_ptr<QPainter> painter_;
    QFont font_;
    QColor foreColor_ = Qt::black;
    QColor penColor_;
    int penWidth_ = -1;
    int drawWidth_ = 1;
    bool dashed_ = false, penDashed_ = false;
    double currentX_ = 0;
    double currentY_ = 0;
};

// Screen canvas: a retained image behind the picture box; what is drawn stays until Cls. The
// image has `ratio` device pixels for each unit of the canvas: the screen's device pixel ratio
// (2 on a high-density screen), or more for an image file finer than the screen. Positions,
// fonts and line widths stay in the canvas's units whatever the ratio, so a drawing looks the
// same on every screen, only sharper where the screen has more pixels.
class ImageCanvas : public Canvas {
public:
    ImageCanvas(int width, int height, const QColor& background = Qt::white, qreal ratio = 1);
    ~ImageCanvas() override;

    double ScaleWidth() const override;
    double ScaleHeight() const override;

    // Clears to the background colour; nothing of the previous picture remains.
    void Cls();
    // Changes the size; what was drawn stays at its place, new area is background.
    void resize(int width, int height);
    // Changes the device pixels per unit. The picture is cleared: it must be drawn anew at the
    // new resolution, not enlarged or shrunk.
    void setRatio(qreal ratio);
    qreal ratio() const { return ratio_; }
    // Everything drawn so far.
    const QImage& Image();
    QColor background() const { return background_; }

protected:
    QPaintDevice* device() override;

private:
    std::unique_ptr<QImage> image_;
    QColor background_;
    int width_;
    int height_;
    qreal ratio_;
};

// Page canvas: the pages of one document on a paged device (a PDF file, a printer); the units
// are the device's dots within its printable area.
class PageCanvas : public Canvas {
public:
    explicit PageCanvas(QPagedPaintDevice& pages);
    ~PageCanvas() override;

    double ScaleWidth() const override;
    double ScaleHeight() const override;

    // Starts a new page.
    bool NewPage();
    // Ends the document. Returns false when it could not be completed.
    virtual bool EndDoc();

protected:
    QPaintDevice* device() override;

private:
    QPagedPaintDevice& pages_;
};
