#include "output/OutputWiring.h"

#include "output/GraphImage.h"
#include "output/PrintData.h"
#include "output/PrintGraph.h"
#include "output/ReportCommand.h"
#include "output/frmCurves.h"
#include "output/frmEvents.h"
#include "shell/Log1.h"

#include <QAction>

void WireOutput(Log1& w) {
    QObject::connect(w.mnuPGraph, &QAction::triggered, &w, [&w] { mnuPGraph_Click(w); });
    QObject::connect(w.mnuPData, &QAction::triggered, &w, [&w] { mnuPData_Click(w); });
    QObject::connect(w.mnuGClip, &QAction::triggered, &w, [&w] { mnuGClip_Click(w); });
    QObject::connect(w.mnuEvents, &QAction::triggered, &w, [&w] { mnuEvents_Click(w); });
    QObject::connect(w.mnuCurves, &QAction::triggered, &w, [&w] { mnuCurves_Click(w); });
    QObject::connect(w.mnuReport, &QAction::triggered, &w, [&w] { mnuReport_Click(w); });
    QObject::connect(w.mnuSaveGraph, &QAction::triggered, &w, [&w] { mnuSaveGraph_Click(w); });
}
