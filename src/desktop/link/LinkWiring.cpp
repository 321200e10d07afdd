#include "link/LinkWiring.h"

#include "graph/DrawGraph.h"
#include "link/CommandSequencer.h"
#include "link/Form1.h"
#include "link/LoggerLink.h"
#include "link/PortSelection.h"
#include "link/ReceiveHandler.h"
#include "link/ReferenceClock.h"
#include "link/StatusRecord.h"
#include "link/frmTimeset.h"
#include "link/serial/MSComm1.h"
#include "shell/Log1.h"
#include "shell/StringNumbers.h"
#include "ui/Colors.h"
#include "ui/Format.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace {

void ShowReadingStatus(Log1& w) {
    ui::SetBackColor(w.Label15, ui::BgrColor(0xC0C000));
    w.Label15->setText(w.st.Text(65));
    w.Label15->show();
    w.Label15->repaint();
}

void ShowTransferStarted(Log1& w) {
    const AppState& st = w.st;
    const QColor yellow = ui::BgrColor(0xFFFF);
    ui::SetBackColor(w.Label15, yellow);
    ui::SetBackColor(w.Label16, yellow);
    w.Label15->setText(st.Text(66));
    w.Label16->setText(st.Text(67));
    w.Label16->show();
    w.Label17->show();
    w.Label15->show();
    w.mnuSaveTXT->setEnabled(true);
    BeginBusy(w);
    w.mnuFuncWEN->setVisible(false);
    w.mnuFuncTREL->setVisible(false);
    w.mnuScale->setVisible(false);
}

void ShowLoggerLost(Log1& w) {
    const AppState& st = w.st;
    if (w.Frame1->title() != st.Text(90)) w.Frame1->setTitle(st.Text(90));
    for (QLabel* label : {w.Label22, w.Label23, w.Label2, w.Label5, w.Label4, w.Label21, w.Label26,
                          w.Label19, w.Label34, w.Label6, w.Label11, w.Label13})
        label->hide();
}

void ShowTransferAbandoned(Log1& w, const QString& message, bool recordKept) {
    EndBusy(w);
    for (QLabel* label :
         {w.Label14, w.Label15, w.Label16, w.Label17, w.Label19, w.Label21, w.Label13, w.Label34})
        label->hide();
    w.Label21->clear();
    w.ProgressBar1->setValue(recordKept ? 100 : 0);
    w.ProgressBar1->hide();
    ui::MsgBox(message, ui::Buttons::Ok, ui::Icon::Exclamation, w.st.Text(str::kMessageTitle));
}

} // namespace

void WireLink(Log1& w) {
    Log1* window = &w;
    LoggerLink* link = w.Link;
    // The window's own diagnostics and the progress of a download.
    QObject::connect(w.Timer3, &QTimer::timeout, window, [window] {
        const AppState& st = window->st;
        window->Label3->setText(QString::number(st.LinkState.value()));
        if (st.LinkSuspended != 1 && st.Transferring != 0 && st.DownloadBytes != 0)
            ShowTransferProgress(*window);
    });
    QObject::connect(w.Timer9, &QTimer::timeout, window, [window] {
        window->Label20->setText(QString::number(window->st.Transferring));
    });

    QObject::connect(link, &LoggerLink::statusAcknowledged, window,
                     [window] { ShowReadingStatus(*window); });
    QObject::connect(link, &LoggerLink::statusApplied, window,
                     [window](const StatusRecord& r) { ShowStatus(*window, r); });
    QObject::connect(link, &LoggerLink::transferStarted, window,
                     [window] { ShowTransferStarted(*window); });
    QObject::connect(link, &LoggerLink::recordPlaced, window,
                     [window] { ShowDownloadedRecord(*window); });
    QObject::connect(link, &LoggerLink::archived, window,
                     [window](const QString& path, const QString& failure, const QString& folder) {
                         ShowArchiveOutcome(*window, path, failure, folder);
                     });
    QObject::connect(link, &LoggerLink::loggerLost, window, [window] { ShowLoggerLost(*window); });
    QObject::connect(link, &LoggerLink::transferAbandoned, window,
                     [window](const QString& message, bool recordKept) {
                         ShowTransferAbandoned(*window, message, recordKept);
                     });

    QObject::connect(w.mnuDownload, &QAction::triggered, window,
                     [window] { mnuDownload_Click(*window); });
    QObject::connect(w.mnuPort, &QAction::triggered, window, [window] { mnuPort_Click(*window); });
    QObject::connect(w.mnuSetTime, &QAction::triggered, window,
                     [window] { mnuSetTime_Click(*window); });
    QObject::connect(w.mnuSetup, &QAction::triggered, window,
                     [window] { mnuSetup_Click(*window); });
}

void mnuDownload_Click(Log1& w) {
    AppState& st = w.st;
    if (st.LinkState == 1 || st.LoggerOnline == 0 || st.Transferring == 1) return;
    if (st.LoggerRecordCount == 0) {
        // The logger acknowledges and sends nothing; there is nothing to wait for.
        SendTransfer(*w.Link);
        return;
    }
    if (st.LinkSuspended == 1) return;
    if (w.ProgressBar1->value() != 0 && st.DataSaved != 1) {
        ui::Beep();
        if (ui::MsgBox(st.Text(73), ui::Buttons::OkCancel, ui::Icon::Critical, st.Text(74)) ==
            ui::Cancel)
            return;
    }
    if (st.ClockSet == 0) ui::RunModal(FormOf<frmTimeset>(w));
    RequestDownload(*w.Link);
    w.Command2->hide();
}

void mnuSetTime_Click(Log1& w) {
    AppState& st = w.st;
    if (st.LinkState == 1 || st.LinkState == 2) return;
    st.ClockFromMenu = 1;
    ui::RunModal(FormOf<frmTimeset>(w));
    if (st.LinkSuspended != 1) {
        UpdateTimeBase(st);
        ShowTimeBase(w);
    }
}

void ShowTimeBase(Log1& w) {
    const AppState& st = w.st;
    w.Label15->hide();
    EndBusy(w);
    w.Label2->setText(
        ui::Format(st.DownloadStart + st.DownloadShifts.at(0), st.DateTimeFormatLong));
    w.Label2->show();
    w.Label5->show();
    w.Label2->repaint();
    w.Label5->repaint();
}

void ShowStatus(Log1& w, const StatusRecord& r) {
    const AppState& st = w.st;
    w.mnuSetup->setVisible(r.loggerType == 80);
    ShowTimeBase(w);
    const double factor = LimitRangeFactor(st.VoltageRange);
    w.Frame1->setTitle(st.Text(151) + ui::Str(r.loggerNumber) + st.Text(152));
    w.Label22->setText(ui::Format(st.LoggerRecordCount, QStringLiteral("#,##0")));
    w.Label22->show();
    w.Label22->repaint();
    w.Label23->show();
    w.Label4->setText(QStringLiteral("High:"));
    w.Label6->setText(ui::PlainText(r.highRaw * factor));
    w.Label21->setText(QStringLiteral("Low:"));
    w.Label11->setText(ui::PlainText(r.lowRaw * factor));
    if (r.presentShown() == 0) {
        w.Label26->hide();
        w.Label19->hide();
    } else {
        w.Label26->setText(QStringLiteral("Present:"));
        w.Label19->setText(ui::PlainText(r.presentReading() * PresentRangeFactor(st.VoltageRange)));
        w.Label26->show();
        w.Label19->show();
    }
    w.Label34->setText(r.mode() == 1 ? QStringLiteral("Exception IN")
                                     : QStringLiteral("Exception OUT"));
    if (r.loggerType == 80) {
        for (QLabel* label : {w.Label4, w.Label6, w.Label21, w.Label11, w.Label34}) label->show();
    }
    if (st.CommPort >= 1 && st.CommPort <= 4)
        w.Label13->setText(QStringLiteral("COM %1").arg(st.CommPort));
    w.Label13->show();
    w.Label13->repaint();
}

void ShowTransferProgress(Log1& w) {
    const double progress = TransferPercent(*w.Link);
    w.ProgressBar1->show();
    w.ProgressBar1->setValue(std::clamp(static_cast<int>(progress), 0, 100));
    // The bar repaints itself at once on a new value; on X11 that repaint was seen not to reach
    // the screen during a download (the bar stayed empty until 100 %). A queued update does.
    w.ProgressBar1->update();
    w.Label14->setText(QString::number(static_cast<int>(progress)));
    w.Label14->show();
}

void ShowDownloadedRecord(Log1& w) {
    const AppState& st = w.st;
    w.Label14->setText(QStringLiteral("100"));
    w.ProgressBar1->setValue(100);
    w.Label14->repaint();
    w.ProgressBar1->repaint();
    w.Label40->setText(ui::PlainText(st.DisplayCount));
    w.Label40->show();
    w.Label40->repaint();
    DrawGraph(w);
    w.Command3->show();
    for (QAction* item : {w.mnuSaveTXT, w.mnuPGraph, w.mnuPData, w.mnuGClip})
        item->setEnabled(true);
    emit w.recordReplaced();
    // The graph reaches the screen before the archive is written.
    w.repaint();
}

void ShowArchiveOutcome(Log1& w, const QString& path, const QString& failure,
                        const QString& folder) {
    if (!path.isEmpty()) {
        w.Label41->hide();
        return;
    }
    // Once a run: a disk that is full now is full for the next download too, and the person has
    // heard it. A later archive that succeeds takes the line away again.
    if (failure.isEmpty() || w.st.ArchiveFailureShown == 1) return;
    w.st.ArchiveFailureShown = 1;
    w.Label41->setText(w.st.Text(str::kArchiveFailed).arg(failure));
    w.Label41->setToolTip(QDir::toNativeSeparators(folder));
    w.Label41->show();
    w.Label41->repaint();
}
