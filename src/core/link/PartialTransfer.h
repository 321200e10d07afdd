#pragma once
// A transfer that ends early (the watchdog, a line that went away) still brought whole blocks of
// the first banks. They are read here into readings in time order, apart from the record in
// memory, which keeps the previous download or file.

#include "files/RecordFile.h"
#include "ui/DateSerial.h"

#include <QByteArrayView>
#include <array>
#include <vector>

struct AppState;

struct ReceivedBanks {
    std::array<QByteArrayView, 4> banks; // entries 1..3: the bytes of each bank that came
    std::array<int, 4> bankBlockCounts{};
    std::array<int, 4> bankRecordCounts{};
    int blockCount = 0; // blocks of the whole transfer
    bool wrapped = false;
    int writePointer = 0;
    int currentBlockFlag = 0;
    int recordCount = 0; // readings of the whole record; time-order numbers above it are left out
    double downloadStart = 0;
    double rangeFactor = 1;
    ui::WallShifts shifts;
};

// The readings of every whole block received, oldest first, placed as a completed transfer
// places them.
std::vector<RecordPoint> ReadingsReceived(const ReceivedBanks& received);

// The banks and the transfer plan of the transfer under way; `current` holds the bytes of the
// bank still arriving.
ReceivedBanks ReceivedSoFar(const AppState& st, QByteArrayView current);
