#pragma once
// A picture box: shows the retained picture of its ImageCanvas, reports mouse presses, moves
// and releases with the position in canvas units, and carries a rubber-band rectangle (Shape1,
// the graph's zoom). Child labels placed on it stay on top of the picture.
//
// The canvas has the device pixel ratio of the screen the box is on, so what is drawn is as
// sharp as the rest of the window on a high-density screen, while every position, size and
// line width stays in the box's own (logical) pixels. When the box comes to a screen of another
// ratio its picture is cleared and ratioChanged asks its owner to draw it anew.

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
    // The screen's device pixel ratio changed (the window moved to another screen): the picture
    // was cleared and is to be drawn again. Raised from the event loop, never while painting.
    void ratioChanged();

    // button: 1 left, 2 right, 4 middle (the buttons held, for moves); shift: 1 Shift, 2 Ctrl,
    // 4 Alt; x, y in canvas units.
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    // A key pressed while the box has the focus (Qt::Key), with the shift code as above.
    void KeyDown(int key, int shift);

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Takes the screen's ratio; true when it differed, and the picture was cleared.
    bool followScreenRatio();

    ImageCanvas canvas_;
    QFrame* shape_;
};
