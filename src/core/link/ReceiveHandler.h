#pragma once
// Everything the logger sends arrives here: the answer to a Status command (acknowledge byte,
// then the 112-byte status record) or to a Transfer command (acknowledge byte, then the stored
// readings bank by bank). At the end of a transfer the readings are decoded, put into time order
// in the record arrays and kept in the archive.

#include <QtGlobal>

struct AppState;
struct StatusRecord;
class LoggerLink;

// The serial port's receive event.
void MSComm1_OnComm(LoggerLink& link);

// Takes a status record into the shared state, the time base with it.
void ApplyStatusRecord(LoggerLink& link, const StatusRecord& record);

// The last bank has come: decode every bank and place the readings in time order.
void FinishTransfer(LoggerLink& link);

// How far a transfer has come, in per cent, from the banks taken and the bytes waiting.
double TransferPercent(const LoggerLink& link);
// The bytes of the transfer so far: the banks taken, what was read ahead and what waits in the
// port.
qint64 BytesReceived(const LoggerLink& link);
// The bytes of bank 1..3 taken so far.
qsizetype BankBytesTaken(const AppState& st, int bank);
