#include "lang/Language.h"

#include "shell/DatePatterns.h"
#include "shell/Log1.h"
#include "ui/Prompts.h"

#include <QAction>

namespace {

// Both commands run every step even when their item already carries the check mark, so choosing
// it again beeps and redraws the graph.
void ChooseDateOrder(Log1& w, bool us) {
    if (us)
        SetUsDatePatterns(w.st);
    else
        SetEuropeanDatePatterns(w.st);
    AttentionBeep(w);
    if (w.procedures.DrawGraph) w.procedures.DrawGraph();
    w.st.UsDateFormat = us ? 1 : 0;
    w.mnuUsa->setChecked(us);
    w.mnuEur->setChecked(!us);
    emit w.datePatternsChanged();
}

} // namespace

void AttentionBeep(Log1& w) {
    if (w.st.LoggerOnline != 0 && w.st.LinkState != 2) ui::Beep();
}

void mnuUsa_Click(Log1& w) {
    ChooseDateOrder(w, true);
}

void mnuEur_Click(Log1& w) {
    ChooseDateOrder(w, false);
}
