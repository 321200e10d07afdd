#include "link/CommandSequencer.h"

#include "files/Archive.h"
#include "link/PartialTransfer.h"
#include "link/ReceiveHandler.h"
#include "link/StatusRecord.h"
#include "link/frmTimeset.h"
#include "link/serial/MSComm1.h"
#include "shell/Log1.h"
#include "shell/StringNumbers.h"
#include "ui/Pointer.h"
#include "ui/Prompts.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

constexpr int kPollsBeforeLost = 20;

void send(Log1& w, const QByteArray& command) {
    DiscardInput(w);
    w.MSComm1->output(command);
}

} // namespace

void DiscardInput(Log1& w) {
    w.MSComm1->input();
    w.st.ReceivedAhead.clear();
}

void SendStatus(Log1& w) {
    send(w, QByteArray("\0R", 2));
}

void SendTransfer(Log1& w) {
    send(w, QByteArray("\0T", 2));
}

void SendLimits(Log1& w) {
    send(w, LimitsCommand(w.st.LimitLow, w.st.LimitHigh, w.st.LimitMode));
}

void SendRestart(Log1& w) {
    send(w, QByteArray("\0B", 2));
}

void Timer1_Timer(Log1& w) {
    AppState& st = w.st;
    if (st.LinkSuspended == 1 || st.LinkState != 1 || st.StatusPhase == 1 || st.PortReady == 0)
        return;
    w.MSComm1->setRThreshold(1);
    st.PollMisses = static_cast<qint16>(st.PollMisses + 1);
    if (st.PollMisses >= kPollsBeforeLost) {
        LoggerLost(w);
        return;
    }
    SendStatus(w);
}

void Timer2_Timer(Log1& w) {
    AppState& st = w.st;
    if (st.LinkSuspended == 1 || st.LinkState != 2 || st.DownloadRequested == 0 ||
        st.PortReady == 0 || st.Transferring == 1)
        return;
    w.MSComm1->setRThreshold(1);
    SendTransfer(w);
}

void Timer3_Timer(Log1& w) {
    AppState& st = w.st;
    w.Label3->setText(QString::number(st.LinkState.value()));
    if (st.LinkSuspended != 1 && st.Transferring != 0 && st.DownloadBytes != 0)
        ShowTransferProgress(w);
}

void Timer4_Timer(Log1& w) {
    AppState& st = w.st;
    if (st.LinkSuspended == 1 || st.DownloadRequested == 0) return;
    st.LinkState = st.StatusFresh == 1 ? 2 : 1;
}

void Timer5_Timer(Log1& w) {
    AppState& st = w.st;
    if (st.SetupOpen == 1 || st.LimitsConfirmed == 0 || st.Transferring == 1 ||
        st.LinkSuspended == 1)
        return;
    st.StatusPhase = 0;
    if (st.LinkState == 0) st.LinkState = 1;
}

void Timer7_Timer(Log1& w) {
    AppState& st = w.st;
    if (st.LinkState == 1 || st.LinkSuspended == 1 || st.LimitsConfirmed == 1 ||
        st.PortReady == 0 || st.Transferring == 1)
        return;
    SendLimits(w);
    st.LinkState = 1;
}

void Timer8_Timer(Log1& w) {
    AppState& st = w.st;
    if (st.Transferring == 0 || st.LinkSuspended == 1) return;
    const int limit = WatchdogLimitSeconds(st.LoggerRecordCount);
    st.TransferSeconds += 10;
    if (st.TransferSeconds >= limit) AbandonTransfer(w);
}

void Timer9_Timer(Log1& w) {
    w.Label20->setText(QString::number(w.st.Transferring));
}

void Timer10_Timer(Log1& w) {
    AppState& st = w.st;
    if (st.LinkStarted == 1 || st.Transferring == 1 || st.LinkSuspended == 1 || st.LinkState != 0)
        return;
    st.LinkStarted = 1;
    st.LinkState = 1;
}

void Timer11_Timer(Log1& w) {
    AppState& st = w.st;
    if (st.LinkState != 0 || st.RestartPending == 0) return;
    SendRestart(w);
    st.RestartPending = 0;
    st.LinkState = 1;
}

void mnuDownload_Click(Log1& w) {
    AppState& st = w.st;
    if (st.LinkState == 1 || st.LoggerOnline == 0 || st.Transferring == 1) return;
    if (st.LoggerRecordCount == 0) {
        // The logger acknowledges and sends nothing; there is nothing to wait for.
        SendTransfer(w);
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
    st.Transferring = 0;
    st.LinkState = 0;
    st.StatusFresh = 0;
    st.DownloadRequested = st.DownloadCancelled == 1 ? 0 : 1;
    if (st.DownloadRequested == 1) st.DataFromFile = 0;
    st.DownloadCancelled = 0;
    w.Command2->hide();
}

void LoggerLost(Log1& w) {
    AppState& st = w.st;
    if (w.Frame1->title() != st.Text(90)) w.Frame1->setTitle(st.Text(90));
    for (QLabel* label : {w.Label22, w.Label23, w.Label2, w.Label5, w.Label4, w.Label21, w.Label26,
                          w.Label19, w.Label34, w.Label6, w.Label11, w.Label13})
        label->hide();
    st.LoggerOnline = 0;
    st.PollMisses = 0;
}

void AbandonTransfer(Log1& w, bool lineLost) {
    AppState& st = w.st;
    st.ReceivedAhead += w.MSComm1->input();
    const qint64 received =
        st.BankData1.size() + st.BankData2.size() + st.BankData3.size() + st.ReceivedAhead.size();
    // What arrived is kept in the archive; the record in memory stays as it was.
    const std::vector<RecordPoint> arrived = ReadingsReceived(ReceivedSoFar(st, st.ReceivedAhead));
    const int seconds = static_cast<int>(st.TransferSeconds.value());
    // A record downloaded or read before this transfer is still whole in memory.
    const bool recordKept = !st.RecordCount.isEmpty();
    EndBusy(w);
    for (QLabel* label :
         {w.Label14, w.Label15, w.Label16, w.Label17, w.Label19, w.Label21, w.Label13, w.Label34})
        label->hide();
    w.Label21->clear();
    st.LoggerOnline = 0;
    st.LinkState = 0;
    w.ProgressBar1->setValue(recordKept ? 100 : 0);
    w.ProgressBar1->hide();
    st.TransferSeconds = 0;
    st.Transferring = 0;
    st.StatusFresh = 0;
    st.DownloadRequested = 0;
    st.BankData1.clear();
    st.BankData2.clear();
    st.BankData3.clear();
    st.ReceivedAhead.clear();
    if (recordKept) st.DataSaved = st.DataSavedBeforeTransfer;
    const QString archived = ArchivePartialDownload(w, arrived);
    const QString keptText = st.Text(str::kPartialKept);
    const QString kept = archived.isEmpty() || keptText.isEmpty()
                             ? QString()
                             : keptText.arg(arrived.size()).arg(QDir::toNativeSeparators(archived));
    const QString what =
        lineLost ? st.Text(recordKept ? str::kLineLostKept : str::kLineLost)
                       .arg(received)
                       .arg(st.DownloadBytes)
                 : QStringLiteral("The download was given up after %1 seconds: the logger had "
                                  "sent %2 of the %3 bytes it announced.%4")
                       .arg(seconds)
                       .arg(received)
                       .arg(st.DownloadBytes)
                       .arg(recordKept ? QStringLiteral(" The record in memory has not changed.")
                                       : QString());
    ui::MsgBox(what + kept, ui::Buttons::Ok, ui::Icon::Exclamation, st.Text(str::kMessageTitle));
}

void PortLost(Log1& w) {
    AppState& st = w.st;
    st.StatusPhase = 0;
    LoggerLost(w);
    if (st.Transferring == 1) {
        AbandonTransfer(w, true);
        return;
    }
    // A download asked for but not begun is not begun later, when the device is back.
    st.DownloadRequested = 0;
    st.StatusFresh = 0;
    st.ReceivedAhead.clear();
}

void PortBack(Log1& w) {
    AppState& st = w.st;
    // The logger is asked for its status at once, not at the next periodic refresh.
    st.PollMisses = 0;
    st.StatusPhase = 0;
    if (st.Transferring != 1) st.LinkState = 1;
}
