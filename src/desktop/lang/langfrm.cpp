#include "lang/langfrm.h"

#include "shell/Log1.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

int DesktopLanguage(const QStringList& names, const QStringList& desktopLanguages) {
    for (const QString& tag : desktopLanguages) {
        const QLocale::Language language = QLocale(tag).language();
        if (language == QLocale::C || language == QLocale::AnyLanguage) continue;
        const QString known[] = {QLocale::languageToString(language),
                                 QLocale(language).nativeLanguageName(),
                                 QLocale(tag).nativeLanguageName()};
        for (qsizetype k = 0; k < names.size(); ++k) {
            const QString name = names[k].trimmed();
            if (name.isEmpty()) continue;
            bool same = name.compare(QLocale::languageToCode(language), Qt::CaseInsensitive) == 0;
            for (const QString& text : known)
                same = same || text.split(u' ').contains(name, Qt::CaseInsensitive);
            if (same) return int(k) + 1;
        }
    }
    return 0;
}

langfrm::langfrm(Log1& owner) : QDialog(&owner), st(owner.st) {
    setObjectName(QStringLiteral("langfrm"));
    setModal(true);
    setFixedSize(ui::TwipsToPixels(3975), ui::TwipsToPixels(2535));

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    ui::PlaceTwips(Frame1, 120, 120, 2415, 2295);
    for (int k = 1; k <= 8; ++k) {
        auto* option = new QRadioButton(Frame1);
        option->setObjectName(QStringLiteral("Option%1").arg(k));
        ui::PlaceTwips(option, 240, 240 * k, 2055, 255);
        options_[static_cast<size_t>(k - 1)] = option;
    }
    Option1 = options_[0];
    Option2 = options_[1];
    Option3 = options_[2];
    Option4 = options_[3];
    Option5 = options_[4];
    Option6 = options_[5];
    Option7 = options_[6];
    Option8 = options_[7];

    Command1 =
        ui::NewControl<QPushButton>(this, "Command1", QStringLiteral("OK"), 2760, 240, 1095, 375);
    Command1->setDefault(true);
    Command2 = ui::NewControl<QPushButton>(this, "Command2", QStringLiteral("Cancel"), 2760, 720,
                                           1095, 375);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

QRadioButton* langfrm::option(int k) const {
    return k >= 1 && k <= 8 ? options_[static_cast<size_t>(k - 1)] : nullptr;
}

void langfrm::showEvent(QShowEvent* event) {
    const double language = st.LanguageIndex;
    const bool chosen = language >= 1 && language <= kLanguages;
    SavedLanguage = static_cast<qint16>(chosen ? language : 0);
    setWindowTitle(st.Text(141));
    Frame1->setAccessibleName(st.Text(141));

    // Two options at least; beyond them one per language of the file. A file of one language
    // (or none) leaves all eight showing, the extra ones without a name.
    for (QRadioButton* option : options_) option->hide();
    for (int k = 1; k <= 8; ++k) {
        if (k >= 3 && st.LanguageCount == k - 1) break;
        options_[static_cast<size_t>(k - 1)]->setText(st.LangName[static_cast<size_t>(k)]);
        options_[static_cast<size_t>(k - 1)]->show();
    }

    // Radio buttons of one frame refuse to be all unchecked unless briefly set free.
    for (QRadioButton* option : options_) {
        option->setAutoExclusive(false);
        option->setChecked(false);
    }
    if (chosen && language == std::floor(language)) {
        options_[static_cast<size_t>(language) - 1]->setChecked(true);
    } else if (!chosen) {
        QStringList names;
        for (int k = 1; k <= std::min<int>(st.LanguageCount, 8); ++k)
            names << st.LangName[static_cast<size_t>(k)];
        if (const int k = DesktopLanguage(names, QLocale().uiLanguages()))
            options_[static_cast<size_t>(k - 1)]->setChecked(true);
    }
    for (QRadioButton* option : options_) option->setAutoExclusive(true);

    Command1->setText(st.Text(120));
    Command2->setText(st.Text(119));
    Command2->setVisible(chosen);
    QDialog::showEvent(event);
}

void langfrm::Command1_Click() {
    for (int k = 1; k <= 8; ++k) {
        if (options_[static_cast<size_t>(k - 1)]->isChecked()) st.LanguageIndex = k;
    }
    if (st.LanguageIndex >= 1 && st.LanguageIndex <= kLanguages) hide();
}

void langfrm::Command2_Click() {
    st.LanguageIndex = SavedLanguage;
    hide();
}

void langfrm::reject() {
    // Escape and the close box cancel only where Cancel is offered.
    if (!Command2->isHidden()) Command2_Click();
}
