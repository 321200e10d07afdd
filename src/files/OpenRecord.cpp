#include "files/OpenRecord.h"

#include "data/UnitCodes.h"
#include "files/Recent.h"
#include "files/RecordFile.h"
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

// A record file holds at most 73620 short lines; anything past this is not worth reading.
constexpr qint64 kMostBytesRead = 64 << 20;

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

// Makes a parsed file the record in memory.
void TakeRecord(Log1& w, ParsedRecordFile& file) {
    AppState& st = w.st;
    const RecordFileHeader& h = file.header;
    w.Command2->hide();
    st.FileKind = h.fileKind;
    const int count = static_cast<int>(file.times.size());
    st.DisplayCount = count;
    st.GraphTitle = h.description[0];
    st.DescriptionLine2 = h.description[1];
    st.DescriptionLine3 = h.description[2];
    st.DescriptionLine4 = h.description[3];
    st.DescriptionLine5 = h.description[4];
    st.DescriptionLine6 = h.description[5];
    st.DescriptionLine7 = h.description[6];
    st.ProbeScale = h.probeScale == 0 ? Number(1) : h.probeScale;
    st.LoggerNumber = h.loggerNumber;
    st.UnitName = h.unitName;
    if (const std::optional<int> code = UnitCodeOfText(h.unitName)) st.UnitCode = *code;
    // The two rms functions always divide by the same scale, whatever the file says.
    if (st.UnitCode == 10) st.ProbeScale = 2;
    if (st.UnitCode == 11) st.ProbeScale = 1;
    st.HighLimitValue = h.highLimit;
    st.LowLimitValue = h.lowLimit;
    for (int i = 1; i <= count; ++i) {
        const double time = file.times[static_cast<size_t>(i - 1)];
        const double value = file.values[static_cast<size_t>(i - 1)];
        st.DisplayTime.point(i) = time;
        st.DisplayValue.point(i) = value;
        st.RecordValue.point(i) = static_cast<float>(value);
        st.RecordTime.point(i) = time;
    }
    st.ReopenPending = 0;

    w.Label16->setText(st.Text(62));
    ui::SetBackColor(w.Label16, kGreen);
    w.Label16->show();
    w.ProgressBar1->setValue(100);
    w.Command3->show();
    w.Label16->repaint();

    st.DataFromFile = 1;
    w.mnuFuncWEN->setVisible(false);
    w.mnuFuncTREL->setVisible(false);
    w.mnuScale->setVisible(false);
    st.DataSaved = 1;
    w.mnuSaveTXT->setEnabled(false);
    for (QAction* item : {w.mnuPGraph, w.mnuPData, w.mnuGClip}) item->setEnabled(true);
    w.Label5->hide();
    w.Label2->hide();

    st.Zoomed = 0;
    st.RecordCount = st.DisplayCount;
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

    QFile file(st.OpenFileName);
    if (!QFileInfo::exists(st.OpenFileName)) {
        FailRead(w, before, st.Text(55));
        return true;
    }
    if (QFileInfo(st.OpenFileName).isDir() || !file.open(QIODevice::ReadOnly)) {
        FailRead(w, before, st.Text(56));
        return true;
    }
    const QByteArray bytes = file.read(kMostBytesRead);
    const bool complete = file.error() == QFileDevice::NoError;
    file.close();
    if (!complete) {
        FailRead(w, before, st.Text(56));
        return true;
    }

    RecordFileResult result = ParseRecordFile(bytes);
    if (const auto* error = std::get_if<RecordFileError>(&result)) {
        if (error->kind == RecordFileError::Kind::NotRecordFile) {
            FailRead(w, before, st.Text(53));
        } else {
            FailRead(w, before,
                     QStringLiteral("%1\n\nis not a complete record file: line %2: %3.\n\nThe "
                                    "record in memory has not changed.")
                         .arg(QDir::toNativeSeparators(st.OpenFileName))
                         .arg(error->line)
                         .arg(error->what));
        }
        return true;
    }
    TakeRecord(w, std::get<ParsedRecordFile>(result));
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
