#pragma once
// Saving the record in memory, or the window the graph shows, as a text record file.

#include <functional>

struct AppState;
struct RecordFileHeader;
struct RecordPoint;
class Log1;

// The header lines of the record in memory.
RecordFileHeader RecordHeaderOf(const AppState& st);

// Reading i (1 = first) of the part the graph shows or of the whole record.
std::function<RecordPoint(int)> RecordPointsOf(const AppState& st, bool displayed);

// "Save As .TXT": asks for the scope where there is a choice, then for the file name, asks
// before replacing a file, and writes it.
void mnuSaveTXT_Click(Log1& w);

// Writes SaveFileName according to SaveScope and records what has been saved. The file is
// replaced whole or not at all: when it cannot be written the user is told why, any earlier
// file of that name stays as it was, no save state changes, and the result is false.
bool WriteRecordFile(Log1& w);
