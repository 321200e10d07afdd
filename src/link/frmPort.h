#pragma once
// "PORT SELECTION": which serial port the logger hangs on, or no logger at all.

#include <QDialog>

class Log1;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class frmPort : public QDialog {
    Q_OBJECT
public:
    explicit frmPort(Log1& owner);

    QLabel* Label1;
    QGroupBox* Frame1;
    QRadioButton* Option1; // "COM 1"
    QRadioButton* Option2;
    QRadioButton* Option3;
    QRadioButton* Option4;
    QRadioButton* Option5; // "No Logger"
    QPushButton* Command1; // OK
    QPushButton* Command2; // "Cancel"

    void Command1_Click();
    void Command2_Click();
    // Escape and the close box act as Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void selectPort(int port);
    Log1& w_;
};
