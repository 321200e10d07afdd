#include "files/Recent.h"

#include "files/Archive.h"
#include "files/OpenRecord.h"
#include "shell/Log1.h"
#include "shell/StringNumbers.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QProgressBar>

void FillRecentMenu(Log1& w) {
    QMenu* menu = w.recentMenu;
    menu->clear();
    const std::vector<RecentRecord> list = ReadRecentRecords();
    if (list.empty()) menu->addAction(w.st.Text(str::kRecentNone))->setEnabled(false);
    int k = 0;
    for (const RecentRecord& r : list) {
        ++k;
        QString caption = RecentCaption(w.st, r);
        caption.replace(u'&', QStringLiteral("&&"));
        QAction* item = menu->addAction(QStringLiteral("&%1   ").arg(k) + caption);
        item->setObjectName(QStringLiteral("mnuRecent%1").arg(k));
        item->setToolTip(QDir::toNativeSeparators(r.path));
        QObject::connect(item, &QAction::triggered, &w,
                         [&w, path = r.path] { OpenRecentRecord(w, path); });
    }
}

void OpenRecentRecord(Log1& w, const QString& path) {
    AppState& st = w.st;
    if (!QFileInfo::exists(path)) {
        ui::MsgBox(st.Text(str::kRecentGone).arg(QDir::toNativeSeparators(path)), ui::Buttons::Ok,
                   ui::Icon::Information, st.Text(str::kMessageTitle));
        ForgetRecords({path});
        return;
    }
    if (MayReplaceRecord(w)) OpenRecordFile(w, path);
}

void mnuArchive_Click(Log1& w) {
    const QString folder = ArchiveFolder();
    QDir().mkpath(folder);
    if (!ui::OpenFolder(folder))
        ui::MsgBox(w.st.Text(str::kArchiveFolderNotShown).arg(QDir::toNativeSeparators(folder)),
                   ui::Buttons::Ok, ui::Icon::Information, w.st.Text(str::kMessageTitle));
}
