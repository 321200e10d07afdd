#include "lang/LangWiring.h"

#include "lang/Language.h"
#include "shell/Log1.h"

#include <QAction>

void WireLang(Log1& w) {
    w.procedures.LoadLanguageAndSettings = [&w] { LoadLanguageAndSettings(w); };
    w.procedures.ShowLanguageDialog = [&w] { ShowLanguageDialog(w); };
    w.procedures.ApplyCaptions = [&w] { ApplyCaptions(w); };
    w.procedures.mnuUsa_Click = [&w] { mnuUsa_Click(w); };
    w.procedures.mnuEur_Click = [&w] { mnuEur_Click(w); };
    QObject::connect(w.mnuLang, &QAction::triggered, &w, [&w] { mnuLang_Click(w); });
    QObject::connect(w.mnuUsa, &QAction::triggered, &w, [&w] { mnuUsa_Click(w); });
    QObject::connect(w.mnuEur, &QAction::triggered, &w, [&w] { mnuEur_Click(w); });
}
