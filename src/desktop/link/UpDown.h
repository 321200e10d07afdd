#pragma once
// A pair of small arrow buttons, one above the other, that step a value shown beside them.

#include <QWidget>

class QToolButton;

class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    QToolButton* upButton;   // objectName "Up"
    QToolButton* downButton; // objectName "Down"

signals:
    void UpClick();
    void DownClick();
};
