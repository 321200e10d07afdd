#pragma once
// "Print Options": whether the data listing prints the entire record or only the window the
// graph shows. Asked only while the graph is zoomed.

#include <QDialog>

class Log1;
class QPushButton;

class PrintOpt : public QDialog {
    Q_OBJECT
public:
    explicit PrintOpt(Log1& owner);

    QPushButton* Command1; // "Entire Record"
    QPushButton* Command2; // "Displayed Graph Only"
    QPushButton* Command3; // "Cancel"

    // Escape and the close box act as Cancel.
    void reject() override;

private:
    Log1& owner_;
};
