#pragma once
// The graph's picture box on the main window: shows the retained picture of its ImageCanvas,
// reports mouse presses, moves and releases with the position in canvas units, and carries the
// zoom's rubber-band rectangle (Shape1). Child labels placed on it stay on top of the picture.

#include "graph/canvas/Canvas.h"

#include <QFrame>
#include <QWidget>

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    // The canvas, sized to the widget; whoever takes it is about to draw, so a repaint follows.
    ImageCanvas& canvas();
    // Clears the picture.
    void Cls();
    // Bitmap of everything drawn so far.
    QImage Image();

    // The rubber band, placed in canvas units.
    QFrame* Shape1() const { return shape_; }

signals:
    // button: 1 left, 2 right, 4 middle (the buttons held, for moves); shift: 1 Shift, 2 Ctrl,
    // 4 Alt; x, y in canvas units.
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ImageCanvas canvas_;
    QFrame* shape_;
};
