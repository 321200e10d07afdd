#include "link/CommandSequencer.h"

#include "files/Archive.h"
#include "link/LoggerLink.h"
#include "link/PartialTransfer.h"
#include "link/ReceiveHandler.h"
#include "link/StatusRecord.h"
#include "link/serial/MSComm1.h"
#include "shell/AppState.h"
#include "shell/StringNumbers.h"

#include <QDir>

namespace {

constexpr int kPollsBeforeLost = 20;

void send(LoggerLink& w, const QByteArray& command) {
    DiscardInput(w);
    w.MSComm1->output(command);
}

} // namespace

void DiscardInput(LoggerLink& w) {
    w.MSComm1->input();
    w.st.ReceivedAhead.clear();
}

void SendStatus(LoggerLink& w) {
    send(w, QByteArray("\0R", 2));
}

void SendTransfer(LoggerLink& w) {
    send(w, QByteArray("\0T", 2));
}

void SendLimits(LoggerLink& w) {
    send(w, LimitsCommand(w.st.LimitLow, w.st.LimitHigh, w.st.LimitMode));
}

void SendRestart(LoggerLink& w) {
    send(w, QByteArray("\0B", 2));
}

void Timer1_Timer(LoggerLink& w) {
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

void Timer2_Timer(LoggerLink& w) {
    AppState& st = w.st;
    if (st.LinkSuspended == 1 || st.LinkState != 2 || st.DownloadRequested == 0 ||
        st.PortReady == 0 || st.Transferring == 1)
        return;
    w.MSComm1->setRThreshold(1);
    SendTransfer(w);
}

void Timer4_Timer(LoggerLink& w) {
    AppState& st = w.st;
    if (st.LinkSuspended == 1 || st.DownloadRequested == 0) return;
    st.LinkState = st.StatusFresh == 1 ? 2 : 1;
}

void Timer5_Timer(LoggerLink& w) {
    AppState& st = w.st;
    if (st.SetupOpen == 1 || st.LimitsConfirmed == 0 || st.Transferring == 1 ||
        st.LinkSuspended == 1)
        return;
    st.StatusPhase = 0;
    if (st.LinkState == 0) st.LinkState = 1;
}

void Timer7_Timer(LoggerLink& w) {
    AppState& st = w.st;
    if (st.LinkState == 1 || st.LinkSuspended == 1 || st.LimitsConfirmed == 1 ||
        st.PortReady == 0 || st.Transferring == 1)
        return;
    SendLimits(w);
    st.LinkState = 1;
}

void Timer8_Timer(LoggerLink& w) {
    AppState& st = w.st;
    if (st.Transferring == 0 || st.LinkSuspended == 1) return;
    const int limit = WatchdogLimitSeconds(st.LoggerRecordCount);
    st.TransferSeconds += 10;
    if (st.TransferSeconds >= limit) AbandonTransfer(w);
}

void Timer10_Timer(LoggerLink& w) {
    AppState& st = w.st;
    if (st.LinkStarted == 1 || st.Transferring == 1 || st.LinkSuspended == 1 || st.LinkState != 0)
        return;
    st.LinkStarted = 1;
    st.LinkState = 1;
}

void Timer11_Timer(LoggerLink& w) {
    AppState& st = w.st;
    if (st.LinkState != 0 || st.RestartPending == 0) return;
    SendRestart(w);
    st.RestartPending = 0;
    st.LinkState = 1;
}

void RequestDownload(LoggerLink& w) {
    AppState& st = w.st;
    st.Transferring = 0;
    st.LinkState = 0;
    st.StatusFresh = 0;
    st.DownloadRequested = st.DownloadCancelled == 1 ? 0 : 1;
    if (st.DownloadRequested == 1) st.DataFromFile = 0;
    st.DownloadCancelled = 0;
}

void LoggerLost(LoggerLink& w) {
    AppState& st = w.st;
    st.LoggerOnline = 0;
    st.PollMisses = 0;
    emit w.loggerLost();
}

void AbandonTransfer(LoggerLink& w, TransferEnd end) {
    AppState& st = w.st;
    st.ReceivedAhead += w.MSComm1->input();
    const qint64 received = BytesReceived(w);
    // What arrived is kept in the archive; the record in memory stays as it was.
    const std::vector<RecordPoint> arrived = ReadingsReceived(ReceivedSoFar(st, st.ReceivedAhead));
    const int seconds = static_cast<int>(st.TransferSeconds.value());
    // A record downloaded or read before this transfer is still whole in memory.
    const bool recordKept = !st.RecordCount.isEmpty();
    st.LoggerOnline = 0;
    st.LinkState = 0;
    st.TransferSeconds = 0;
    st.Transferring = 0;
    st.StatusFresh = 0;
    st.DownloadRequested = 0;
    st.BankData1.clear();
    st.BankData2.clear();
    st.BankData3.clear();
    st.ReceivedAhead.clear();
    if (recordKept) st.DataSaved = st.DataSavedBeforeTransfer;
    const ArchiveOutcome outcome = ArchivePartialDownload(st, arrived);
    emit w.archived(outcome.path, outcome.failure, outcome.folder);
    const QString& archived = outcome.path;
    const QString keptText = st.Text(str::kPartialKept);
    const QString kept = archived.isEmpty() || keptText.isEmpty()
                             ? QString()
                             : keptText.arg(arrived.size()).arg(QDir::toNativeSeparators(archived));
    const QString what =
        end == TransferEnd::LineLost ? st.Text(recordKept ? str::kLineLostKept : str::kLineLost)
                                           .arg(received)
                                           .arg(st.DownloadBytes)
        : end == TransferEnd::Stopped
            ? st.Text(str::kDownloadStopped).arg(received).arg(st.DownloadBytes)
            : QStringLiteral("The download was given up after %1 seconds: the logger had "
                             "sent %2 of the %3 bytes it announced.%4")
                  .arg(seconds)
                  .arg(received)
                  .arg(st.DownloadBytes)
                  .arg(recordKept ? QStringLiteral(" The record in memory has not changed.")
                                  : QString());
    emit w.transferAbandoned(what + kept, recordKept);
}

void PortLost(LoggerLink& w) {
    AppState& st = w.st;
    st.StatusPhase = 0;
    LoggerLost(w);
    if (st.Transferring == 1) {
        AbandonTransfer(w, TransferEnd::LineLost);
        return;
    }
    // A download asked for but not begun is not begun later, when the device is back.
    st.DownloadRequested = 0;
    st.StatusFresh = 0;
    st.ReceivedAhead.clear();
}

void PortBack(LoggerLink& w) {
    AppState& st = w.st;
    // The logger is asked for its status at once, not at the next periodic refresh.
    st.PollMisses = 0;
    st.StatusPhase = 0;
    if (st.Transferring != 1) st.LinkState = 1;
}
