#include "data/DataWiring.h"

#include "data/VoltageRange.h"
#include "shell/Log1.h"

#include <QAction>

void WireData(Log1& w) {
    QObject::connect(w.mnu250v, &QAction::triggered, &w,
                     [&w] { SelectVoltageRange(w, QStringLiteral("250 Volt")); });
    QObject::connect(w.mnu500v, &QAction::triggered, &w,
                     [&w] { SelectVoltageRange(w, QStringLiteral("500 Volt")); });
}
