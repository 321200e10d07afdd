#include "ui/Pointer.h"

#include <QApplication>
#include <QCursor>

namespace ui {
namespace {
Pointer current = Pointer::Default;
}

void SetPointer(Pointer pointer) {
    if (pointer == current) return;
    current = pointer;
    // At most one override cursor is ever on the stack, so Default always restores the normal
    // pointer whatever was called before.
    if (pointer == Pointer::Hourglass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

Pointer CurrentPointer() {
    return current;
}

} // namespace ui
