#pragma once
// The About box: product name, version and the maker's address from the language file, and one
// fixed line (Label8) that the About command writes just before showing the box.

#include <QDialog>

class Log1;
class QLabel;
class QPushButton;

class about2 : public QDialog {
    Q_OBJECT
public:
    explicit about2(Log1& owner);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label10;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label11;
    QLabel* Label9;
    QLabel* Label8;
    QPushButton* Command1;
};
