#pragma once
// "Graph Description": the title and six lines of notes that travel with the record, its files
// and its printouts. The boxes take any length while typing; OK keeps the title whole and the
// first 40 characters of each other line, and turns double quotes into blanks, because the record
// file writes each line between double quotes.

#include <QDialog>

class Log1;
class QLabel;
class QLineEdit;
class QPushButton;

class Describe : public QDialog {
    Q_OBJECT
public:
    explicit Describe(Log1& owner);

    QLabel* Label1; // "Graph Title:"
    QLineEdit* Text1;
    QLabel* Label9; // "Graph Description:"
    QLabel* Label2; // the explanation
    QLabel* Label3; // "Tag:"
    QLineEdit* Text2;
    QLabel* Label4; // "Location:"
    QLineEdit* Text5;
    QLineEdit* Text3;
    QLineEdit* Text6;
    QLineEdit* Text4;
    QLineEdit* Text7;
    QPushButton* Command1; // OK
    QPushButton* Command2; // Cancel

    // Escape and the close box act as Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ok();
    Log1& owner_;
};

// "Annotate" (Command3 of the main window): shows the description dialog and, when an OK
// changed the description, marks the record as changed.
void Annotate(Log1& w);

// Redraws the graph with the new title and marks the record unsaved.
void MarkDescriptionChanged(Log1& w);
