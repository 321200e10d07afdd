#pragma once
// Everything the logger sends arrives here: the answer to a Status command (acknowledge byte,
// then the 112-byte status record) or to a Transfer command (acknowledge byte, then the stored
// readings bank by bank). At the end of a transfer the readings are decoded, put into time order
// in the record arrays and drawn.

struct StatusRecord;
class Log1;

// The serial port's receive event.
void MSComm1_OnComm(Log1& w);

// Takes a status record into the shared state and shows it in the status panel.
void ApplyStatusRecord(Log1& w, const StatusRecord& record);

// The last bank has come: decode every bank, place the readings in time order, draw the graph.
void FinishTransfer(Log1& w);

// The download progress bar and percentage, from the banks taken and the bytes waiting.
void ShowTransferProgress(Log1& w);
