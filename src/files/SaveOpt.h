#pragma once
// "Save Options": whether the save command writes the entire record or only the window the graph
// shows. A choice that was already saved is greyed out each time the dialog is shown.

#include <QDialog>

class Log1;
class QPushButton;

class SaveOpt : public QDialog {
    Q_OBJECT
public:
    explicit SaveOpt(Log1& owner);

    QPushButton* Command1; // "Entire Record"
    QPushButton* Command2; // "Displayed Graph Only"
    QPushButton* Command3; // "Cancel"

    // Escape and the close box act as Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Log1& owner_;
};
