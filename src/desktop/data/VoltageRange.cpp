#include "data/VoltageRange.h"

#include "shell/Log1.h"

#include <QAction>
#include <QLabel>

void SelectVoltageRange(Log1& w, const QString& range) {
    const bool low = range == QLatin1String("250 Volt");
    // Qt has already toggled the clicked item; a click on the checked one must not clear it.
    w.mnu250v->setChecked(low);
    w.mnu500v->setChecked(!low);
    w.st.VoltageRange = range;
    w.Label1->setText(w.st.VoltageRange);
    w.Label1->repaint();
}
