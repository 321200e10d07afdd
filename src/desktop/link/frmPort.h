#pragma once
// "PORT SELECTION": which serial port the logger hangs on, or no logger at all. Beside each COM
// option, the device it stands for: one of the detected serial devices or a path typed in. The
// Search button asks every device in turn and selects the one the logger answers on.

#include "link/serial/SerialDevices.h"

#include <QDialog>

class LoggerSearch;
class Log1;
class QComboBox;
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
    QComboBox* Combo1;     // the device COM 1 stands for
    QComboBox* Combo2;
    QComboBox* Combo3;
    QComboBox* Combo4;
    QPushButton* Command1; // OK
    QPushButton* Command2; // "Cancel"
    QPushButton* Command3; // "Search"
    QLabel* Label2;        // what the search is doing or found

    // The serial devices offered in the drop-downs.
    SerialDeviceSource listDevices = DetectSerialDevices;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // Escape and the close box act as Cancel.
    void reject() override;

    // The path a COM option's drop-down stands for: the chosen device's stored path, or what
    // was typed.
    QString comboPath(int port) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void selectPort(int port);
    QList<SerialDevice> offeredDevices() const;
    void fillDevices();
    void setComboPath(int port, const QString& path);
    void storeChoices();
    void stopSearch();
    void searchFound(const QString& path, int loggerNumber);
    void showSearch(const QString& line);

    Log1& w_;
    LoggerSearch* search_;
    QComboBox* combos_[4];
    // What each tried path is shown as (a by-id link as its device node).
    QHash<QString, QString> shownAs_;
    QStringList searchLines_;
    // The search let go of the program's port; Cancel takes it again.
    bool reopenOnCancel_ = false;
};
