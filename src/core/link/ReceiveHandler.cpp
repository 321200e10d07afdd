#include "link/ReceiveHandler.h"

#include "data/DecodeRecordBlocks.h"
#include "files/Archive.h"
#include "link/LoggerLink.h"
#include "link/ReferenceClock.h"
#include "link/StatusRecord.h"
#include "link/serial/MSComm1.h"
#include "shell/AppState.h"

#include <algorithm>
#include <utility>

namespace {

// The bytes of a bank, of a state that may be changed or only read.
template <class State> auto& bankData(State& st, int bank) {
    switch (bank) {
    case 1:
        return st.BankData1;
    case 2:
        return st.BankData2;
    default:
        return st.BankData3;
    }
}

int planEntry(const std::array<Number, 4>& entries, int k) {
    return static_cast<int>(entries[static_cast<size_t>(std::clamp(k, 1, 3))].value());
}

int bankCountOf(const AppState& st) {
    return std::clamp(static_cast<int>(st.BankCount.value()), 0, 3);
}

// Everything read so far that has not been taken: what an earlier read left over, then the
// bytes waiting in the port.
QByteArray takeReceived(LoggerLink& w) {
    QByteArray bytes = std::exchange(w.st.ReceivedAhead, QByteArray());
    bytes += w.MSComm1->input();
    return bytes;
}

void statusRecord(LoggerLink& w, QByteArray bytes) {
    AppState& st = w.st;
    if (bytes.size() < kStatusRecordBytes) {
        // The rest of the record is still on its way.
        st.ReceivedAhead = std::move(bytes);
        w.MSComm1->setRThreshold(kStatusRecordBytes - static_cast<int>(st.ReceivedAhead.size()));
        return;
    }
    st.StatusPhase = 0;
    // A record that cannot be true is dropped whole; the next poll asks again.
    if (const auto record = ParseStatusRecord(bytes)) ApplyStatusRecord(w, *record);
}

void statusExchange(LoggerLink& w) {
    AppState& st = w.st;
    QByteArray bytes = takeReceived(w);
    if (st.StatusPhase == 1) {
        statusRecord(w, std::move(bytes));
        return;
    }
    if (bytes.isEmpty() || bytes.at(0) != kAcknowledge) return;
    st.StatusPhase = 1;
    st.PollMisses = 0;
    w.MSComm1->setRThreshold(kStatusRecordBytes);
    emit w.statusAcknowledged();
    st.TransferSeconds = 0;
    bytes.remove(0, 1);
    if (!bytes.isEmpty()) statusRecord(w, std::move(bytes));
}

// Takes every bank whose bytes have all come; waits for the rest of the next one. A bank that
// arrives in the same read as the one before it is split off by its announced size; the last
// bank takes every byte that came.
void takeBanks(LoggerLink& w) {
    AppState& st = w.st;
    const int banks = bankCountOf(st);
    while (st.BankReceiving <= banks) {
        const int bank = static_cast<int>(st.BankReceiving.value());
        const int size = planEntry(st.BankBytes, bank);
        if (st.ReceivedAhead.size() < size) {
            w.MSComm1->setRThreshold(size - static_cast<int>(st.ReceivedAhead.size()));
            return;
        }
        if (bank == banks) {
            bankData(st, bank) = std::exchange(st.ReceivedAhead, QByteArray());
        } else {
            bankData(st, bank) = st.ReceivedAhead.left(size);
            st.ReceivedAhead.remove(0, size);
        }
        st.BankReceiving += 1;
        emit w.bankReceived(bank, banks);
    }
    FinishTransfer(w);
    // The graph reaches the screen first; the archive is written before the user can act on it.
    if (!w.archiveDownloads) return;
    if (const std::optional<ArchiveOutcome> kept = ArchiveDownload(st))
        emit w.archived(kept->path, kept->failure, kept->folder);
}

void transferAcknowledge(LoggerLink& w, QByteArray bytes) {
    AppState& st = w.st;
    if (bytes.isEmpty() || bytes.at(0) != kAcknowledge) return;
    if (bankCountOf(st) == 0) {
        // The last status record found the memory empty: nothing will come, and the record in
        // memory stays as it is.
        st.LinkState = 0;
        st.StatusFresh = 0;
        st.DownloadRequested = 0;
        return;
    }
    st.BankReceiving = 1;
    st.TransferSeconds = 0;
    st.Transferring = 1;
    st.BankData1.clear();
    st.BankData2.clear();
    st.BankData3.clear();
    st.PollMisses = 0;
    st.DataSavedBeforeTransfer = st.DataSaved;
    st.DataSaved = 0;
    emit w.transferStarted();
    st.ReceivedAhead = bytes.mid(1);
    takeBanks(w);
}

void recordTransfer(LoggerLink& w) {
    AppState& st = w.st;
    if (st.Transferring == 0) {
        transferAcknowledge(w, takeReceived(w));
        return;
    }
    st.ReceivedAhead += w.MSComm1->input();
    takeBanks(w);
}

} // namespace

void MSComm1_OnComm(LoggerLink& w) {
    if (w.MSComm1->commEvent() != MSComm1::EvReceive) return;
    if (w.st.LinkState == 1)
        statusExchange(w);
    else if (w.st.LinkState == 2)
        recordTransfer(w);
}

void ApplyStatusRecord(LoggerLink& w, const StatusRecord& r) {
    AppState& st = w.st;
    const double factor = LimitRangeFactor(st.VoltageRange);
    const double high = r.highRaw * factor;
    const double low = r.lowRaw * factor;
    const int mode = r.mode();

    st.WrapCount = r.wrapCount;
    st.ClockByte0 = r.clockBytes[0];
    st.ClockByte1 = r.clockBytes[1];
    st.ClockByte2 = r.clockBytes[2];
    st.ClockByte3 = r.clockBytes[3];
    st.StatusLoggerNumber = r.loggerNumber;
    st.ShownLoggerNumber = r.loggerNumber;
    st.LoggerType = r.loggerType;
    st.StatusFlags = static_cast<qint16>(r.flags);
    st.CurrentBlockFlag = r.currentBlockFlag;
    st.StatusBits = r.statusBits();
    st.PresentShown = r.presentShown();

    st.BankCount = r.bankCount();
    st.BlockCount = r.blockCount();
    st.WritePointer = r.writePointer();
    st.LoggerElapsed = r.loggerElapsed();
    st.DownloadBytes = r.downloadBytes();
    UpdateTimeBase(st);

    if (st.LimitsConfirmed == 0) {
        if (high == factor * st.LimitHigh && low == factor * st.LimitLow && mode == st.LimitMode) {
            st.LimitsConfirmed = 1;
            st.RestartPending = 1;
        }
    } else {
        st.LimitHigh = high;
        st.LimitLow = low;
        st.LimitMode = mode;
    }

    st.StatusFresh = 1;
    st.LinkState = 0;
    st.LoggerRecordCount = r.loggerRecordCount();
    if (const auto plan = PlanTransfer(r.bankCount(), r.downloadBytes(), r.loggerRecordCount())) {
        for (size_t k = 1; k <= 3; ++k) {
            st.BankBytes[k] = plan->bankBytes[k];
            st.BankRecordCounts[k] = plan->bankRecordCounts[k];
        }
    }
    for (size_t k = 1; k <= 3; ++k) st.BankBlockCounts[k] = planEntry(st.BankBytes, int(k)) / 80;

    st.LoggerOnline = 1;
    emit w.statusApplied(r);
}

void FinishTransfer(LoggerLink& w) {
    AppState& st = w.st;
    st.BankReceiving = 0;
    st.DataFromFile = 0;
    st.StatusFresh = 0;
    st.LinkState = 0;
    st.PollMisses = 0;
    st.DisplayCount = st.LoggerRecordCount;
    st.RecordCount = st.LoggerRecordCount;
    st.LoggerNumber = st.StatusLoggerNumber;
    st.GraphTitle.clear();
    for (QString* line : {&st.DescriptionLine2, &st.DescriptionLine3, &st.DescriptionLine4,
                          &st.DescriptionLine5, &st.DescriptionLine6, &st.DescriptionLine7})
        line->clear();

    const int banks = bankCountOf(st);
    const bool wrapped = st.WrapCount > 0;
    const int writePointer = static_cast<int>(st.WritePointer.value());
    const int flag = st.CurrentBlockFlag > 0 ? 1 : 0;
    for (int bank = 1; bank <= banks; ++bank) {
        st.BankIndex = bank;
        st.DownloadBuffer = bankData(st, bank);
        DecodeRecordBlocks(st);
        // Never more readings than the bank's blocks brought.
        const int count = std::clamp(
            planEntry(st.BankRecordCounts, bank), 0,
            std::min<int>(kBankReadings, planEntry(st.BankBlockCounts, bank) * kReadingsPerBlock));
        for (int i = 1; i <= count; ++i) {
            const int n = TransferReadingNumber(bank, i, wrapped, writePointer, flag);
            const double value = st.BlockValue[i];
            const double time = st.BlockTime[i];
            st.RecordValue.point(n) = static_cast<float>(value);
            st.DisplayValue.point(n) = value;
            st.RecordTime.point(n) = time;
            st.DisplayTime.point(n) = time;
        }
    }
    st.BankData1.clear();
    st.BankData2.clear();
    st.BankData3.clear();
    st.ReceivedAhead.clear();

    if (st.CurrentBlockFlag == 1 && st.WrapCount > 1) {
        st.DisplayCount = kMemoryReadings - kReadingsPerBlock;
        st.RecordCount = kMemoryReadings - kReadingsPerBlock;
    }

    st.UnitCode = st.FunctionCode;
    st.ProbeScale = st.FunctionScale;
    st.UnitName = st.FunctionUnitName;
    st.HighLimitValue = st.LimitHigh;
    st.LowLimitValue = st.LimitLow;
    st.Transferring = 0;
    st.DownloadRequested = 0;
    emit w.recordPlaced();
}

qint64 BytesReceived(const LoggerLink& w) {
    const AppState& st = w.st;
    return st.BankData1.size() + st.BankData2.size() + st.BankData3.size() +
           st.ReceivedAhead.size() + w.MSComm1->inBufferCount();
}

qsizetype BankBytesTaken(const AppState& st, int bank) {
    return bankData(st, bank).size();
}

double TransferPercent(const LoggerLink& w) {
    const AppState& st = w.st;
    const qint64 waiting = w.MSComm1->inBufferCount() + st.ReceivedAhead.size();
    return TransferProgress(static_cast<int>(st.BankReceiving.value()), waiting, st.DownloadBytes);
}
