#pragma once
// The picture in the main window's top left corner and the program's icon: a logger's display
// with a recorded curve between two limit lines.

#include <QPixmap>
#include <QSize>

QPixmap DrawLogo(const QSize& size);
