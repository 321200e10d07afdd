#pragma once
// "Set Date and Time": the user confirms or corrects the present time that dates the logger's
// readings. The computer clock is never changed; OK keeps the difference between the two.

#include "link/ClockFields.h"

#include <QDialog>
#include <QStringList>

class Log1;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class UpDown;

class frmTimeset : public QDialog {
    Q_OBJECT
public:
    explicit frmTimeset(Log1& owner);

    QLabel* Label9; // explanation
    QLabel* Label1; // "Month:"
    QLabel* Label2; // "Day:"
    QLabel* Label3; // "Year:"
    QLabel* Label4; // "Hour:"
    QLabel* Label5; // "Minutes:"
    QLabel* Label6; // "Seconds:"
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QLineEdit* Text4;
    QLineEdit* Text5;
    QLineEdit* Text6;
    UpDown* UpDown1;
    UpDown* UpDown2;
    UpDown* UpDown3;
    UpDown* UpDown4;
    UpDown* UpDown5;
    UpDown* UpDown6;
    QLabel* Label7;        // the date in words
    QLabel* Label8;        // the running time
    QPushButton* Command2; // OK
    QPushButton* Command3; // Cancel
    QTimer* Timer1;        // the running clock, once a second

    const MonthLengths& monthLengths() const { return monthLengths_; }

    void Command2_Click();
    void Command3_Click();
    // One second of the running clock.
    void Timer1_Timer();
    // Escape and the close box act as Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void activate();
    void arrow(ClockField field, bool up);
    void showField(ClockField field);
    void showAll();
    ClockFields fields() const;
    void setFields(const ClockFields& f);

    Log1& w_;
    MonthLengths monthLengths_{};
    QStringList monthNames_; // entries 0..11 for January..December
};
