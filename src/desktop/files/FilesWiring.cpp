#include "files/FilesWiring.h"

#include "files/ExportCsv.h"
#include "files/OpenRecord.h"
#include "files/Recent.h"
#include "files/SaveRecord.h"
#include "shell/Log1.h"

#include <QAction>
#include <QMenu>

void WireFiles(Log1& w) {
    QObject::connect(w.mnuSaveTXT, &QAction::triggered, &w, [&w] { mnuSaveTXT_Click(w); });
    QObject::connect(w.mnuOpen, &QAction::triggered, &w, [&w] { mnuOpen_Click(w); });
    QObject::connect(w.mnuExportCSV, &QAction::triggered, &w, [&w] { mnuExportCSV_Click(w); });
    QObject::connect(w.recentMenu, &QMenu::aboutToShow, &w, [&w] { FillRecentMenu(w); });
    QObject::connect(w.mnuArchive, &QAction::triggered, &w, [&w] { mnuArchive_Click(w); });
    // A dropped file opens as a file chosen in Open does, after the same question.
    QObject::connect(&w, &Log1::fileDropped, &w, [&w](const QString& path) {
        if (MayReplaceRecord(w)) OpenRecordFile(w, path);
    });
}
