#include "files/OpenRecord.h"

#include "files/Recent.h"
#include "files/RecordFile.h"
#include "files/StateRecord.h"
#include "graph/DrawGraph.h"
#include "shell/Log1.h"
#include "ui/Colors.h"
#include "ui/Pointer.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

const QColor kGreen(0, 255, 0);
const QString kFilter = QStringLiteral("txt files (*.txt)|*.txt");

// Pointer and menus as they were before the read: a failed read puts them back.
struct ReadState {
    ui::Pointer pointer;
    QList<bool> busyMenusEnabled;
    bool funcWenVisible;
    bool funcTrelVisible;
};

ReadState BeginRead(Log1& w) {
    ReadState before{
        ui::CurrentPointer(), {}, w.mnuFuncWEN->isVisible(), w.mnuFuncTREL->isVisible()};
    for (QAction* menu : w.busyMenus()) before.busyMenusEnabled << menu->isEnabled();
    BeginBusy(w);
    w.mnuFuncWEN->setVisible(false);
    w.mnuFuncTREL->setVisible(false);
    return before;
}

void FailRead(Log1& w, const ReadState& before, const QString& message) {
    ui::SetPointer(before.pointer);
    const QList<QAction*> menus = w.busyMenus();
    for (qsizetype i = 0; i < menus.size(); ++i) menus[i]->setEnabled(before.busyMenusEnabled[i]);
    w.mnuFuncWEN->setVisible(before.funcWenVisible);
    w.mnuFuncTREL->setVisible(before.funcTrelVisible);
    ui::MsgBox(message, ui::Buttons::Ok, ui::Icon::Information, w.st.Text(54));
    w.st.ReopenPending = 1;
}

// Makes a parsed file the record in memory, and shows it.
void TakeRecord(Log1& w, ParsedRecordFile& file) {
    AppState& st = w.st;
    w.Command2->hide();
    TakeRecordFile(st, file);

    w.Label16->setText(st.Text(62));
    ui::SetBackColor(w.Label16, kGreen);
    w.Label16->show();
    w.ProgressBar1->setValue(100);
    w.Command3->show();
    w.Label16->repaint();

    w.mnuFuncWEN->setVisible(false);
    w.mnuFuncTREL->setVisible(false);
    w.mnuScale->setVisible(false);
    w.mnuSaveTXT->setEnabled(false);
    for (QAction* item : {w.mnuPGraph, w.mnuPData, w.mnuGClip}) item->setEnabled(true);
    w.Label5->hide();
    w.Label2->hide();

    // The drawing ends the busy state the read began.
    DrawGraph(w);
    w.Label14->hide();
    w.Label17->hide();
    emit w.recordReplaced();
}

} // namespace

bool MayReplaceRecord(Log1& w) {
    const AppState& st = w.st;
    return st.DataSaved == 1 || w.ProgressBar1->value() == 0 ||
           ui::MsgBox(st.Text(76), ui::Buttons::OkCancel, ui::Icon::Critical, st.Text(74)) !=
               ui::Cancel;
}

void mnuOpen_Click(Log1& w) {
    AppState& st = w.st;
    // A failed read offers the Open dialog again without asking about unsaved readings; a new
    // Open command asks again, or a download made since would be replaced without a word.
    st.ReopenPending = 0;
    for (bool again = true; again;) {
        if (st.ReopenPending != 1 && !MayReplaceRecord(w)) return;
        const std::optional<QString> chosen =
            ui::FileDialog({ui::FileRequest::Mode::Open, QStringLiteral("Open"), kFilter, {}});
        if (!chosen) return;
        // The record in memory keeps its file name until another file has been read whole.
        const QString previous = st.OpenFileName;
        st.OpenFileName = *chosen;
        again = ReadRecordFile(w);
        if (again) st.OpenFileName = previous;
    }
    RememberRecord(
        RecentRecordOf(st.OpenFileName, st.LoggerNumber, static_cast<int>(st.RecordCount)));
}

bool ReadRecordFile(Log1& w) {
    AppState& st = w.st;
    const ReadState before = BeginRead(w);

    std::variant<ParsedRecordFile, QString> read = ReadRecordFileAt(st, st.OpenFileName);
    if (const auto* failure = std::get_if<QString>(&read)) {
        FailRead(w, before, *failure);
        return true;
    }
    TakeRecord(w, std::get<ParsedRecordFile>(read));
    return false;
}

bool OpenRecordFile(Log1& w, const QString& path) {
    AppState& st = w.st;
    const QString previous = st.OpenFileName;
    st.OpenFileName = path;
    if (ReadRecordFile(w)) {
        st.OpenFileName = previous;
        st.ReopenPending = 0;
        return false;
    }
    RememberRecord(RecentRecordOf(path, st.LoggerNumber, static_cast<int>(st.RecordCount)));
    return true;
}
