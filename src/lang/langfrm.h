#pragma once
// The language dialog: one option per language of the language file, OK and Cancel. It captions
// itself each time it is shown. While no language is chosen it has no Cancel and its OK does
// nothing until an option is selected, so the first start cannot go on without a language.

#include <QDialog>
#include <QtGlobal>
#include <array>

class Log1;
class QGroupBox;
class QPushButton;
class QRadioButton;
struct AppState;

class langfrm : public QDialog {
    Q_OBJECT
public:
    explicit langfrm(Log1& owner);

    QGroupBox* Frame1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QRadioButton* Option3;
    QRadioButton* Option4;
    QRadioButton* Option5;
    QRadioButton* Option6;
    QRadioButton* Option7;
    QRadioButton* Option8;
    QPushButton* Command1; // OK
    QPushButton* Command2; // Cancel

    // The language in use when the dialog was shown; Cancel goes back to it.
    qint16 SavedLanguage = 0;

    // Option k (1..8).
    QRadioButton* option(int k) const;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Command1_Click();
    void Command2_Click();

    AppState& st;
    std::array<QRadioButton*, 8> options_{};
};
