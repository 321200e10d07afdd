#pragma once
// How far a long piece of work has come (a report of many pages, say): a small window with a bar
// and Cancel, modal to the whole program so that nothing else starts meanwhile while every window
// still repaints. It appears only once the work has taken half a second.

#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

namespace ui {

class Progress {
public:
    Progress(QWidget* parent, const QString& label, const QString& cancel, int steps);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Steps done so far; the windows repaint. False once the person pressed Cancel.
    bool step(int done);

private:
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace ui
