#pragma once
// The language dialog: one option per language of the language file, OK and Cancel. It captions
// itself each time it is shown. While no language is chosen it has no Cancel and its OK does
// nothing until an option is selected, so the first start cannot go on without a language; the
// desktop's language is selected then when the file has it, so Enter takes it.

#include <QDialog>
#include <QStringList>
#include <QtGlobal>
#include <array>

class Log1;
class QGroupBox;
class QPushButton;
class QRadioButton;
struct AppState;

// The language among `names` (as the language file names them, language k at k - 1) that the
// first of the desktop's languages (BCP 47 tags, most wanted first: "de-DE") that the file has
// stands for: its name in English ("German") or in itself ("Deutsch", "español", a word of
// "American English" or "español de España") or its code ("de"), in any case. 0 when none.
int DesktopLanguage(const QStringList& names, const QStringList& desktopLanguages);

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
