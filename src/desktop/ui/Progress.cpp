#include "ui/Progress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace ui {

Progress::Progress(QWidget* parent, const QString& label, const QString& cancel, int steps)
    : dialog_(std::make_unique<QProgressDialog>(label, cancel, 0, std::max(1, steps), parent)) {
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(500);
    dialog_->setAutoReset(false);
    dialog_->setValue(0);
}

Progress::~Progress() = default;

bool Progress::step(int done) {
    dialog_->setValue(std::min(done, dialog_->maximum()));
    QCoreApplication::processEvents();
    return !dialog_->wasCanceled();
}

} // namespace ui
