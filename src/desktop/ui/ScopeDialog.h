#pragma once
// The small dialog the save and print-listing commands ask first: the entire record, only the
// window the graph shows, or Cancel. Escape and the close box act as Cancel.

#include <QDialog>

#include <functional>

class QPushButton;

namespace ui {

class ScopeDialog : public QDialog {
    Q_OBJECT
public:
    enum Choice { EntireRecord = 0, DisplayedOnly = 1, Cancelled = -1 };

    ScopeDialog(QWidget* parent, const QString& name, const QString& title,
                std::function<void(Choice)> chosen);

    QPushButton* Command1; // "Entire Record"
    QPushButton* Command2; // "Displayed Graph Only"
    QPushButton* Command3; // "Cancel"

    void reject() override;
};

} // namespace ui
