#pragma once
// "Exception Logger Setup": new High and Low limits and a recording mode for a logger of type
// 80. The dialog never talks to the logger itself: OK stores the wanted values in raw steps and
// clears LimitsConfirmed; the command timers then send them until a status record reports them
// and restart the logger, which erases its readings.
//
// The dialog does not block the main window; the periodic status refresh pauses while it is
// open.

#include <QDialog>

class Log1;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class Form1 : public QDialog {
    Q_OBJECT
public:
    explicit Form1(Log1& owner);

    QLabel* Label1; // "High:"
    QLineEdit* Text1;
    QLabel* Label2; // "Low:"
    QLineEdit* Text2;
    QGroupBox* Frame1;     // "Mode"
    QRadioButton* Option1; // "IN", mode 1
    QRadioButton* Option2; // "OUT", mode 2
    QLabel* Label3;        // what the chosen mode records
    QPushButton* Command1; // "OK"
    QPushButton* Command2; // "Cancel"

    void Option1_Click();
    void Option2_Click();
    void Command1_Click();
    void Command2_Click();
    // Escape and the close box act as Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The load and activate steps: the present limits become the ones Cancel restores and fill
    // the fields.
    void activate();

    Log1& w_;
    // The saved limits are the wanted ones in raw steps (sent, not yet reported back by the
    // logger), not the logger's in display units.
    bool savedInSteps_ = false;
    // From the first OK until the dialog closes, activation leaves the fields and the saved
    // limits alone: the limits then hold what was typed (stored before any check), and each
    // message box of OK hands the activation back to the dialog when it closes.
    bool holdFields_ = false;
    // The dialog last lost activation to another program, not to a window of this one.
    bool leftProgram_ = false;
};

// The Setup menu item: shows the dialog, or brings it to the front when it is open.
void mnuSetup_Click(Log1& w);
