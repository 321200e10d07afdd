#pragma once
// Saving the record in memory, or the window the graph shows, as a text record file.

#include "files/StateRecord.h"

class Log1;

// "Save As .TXT": asks for the scope where there is a choice, then for the file name, asks
// before replacing a file, and writes it.
void mnuSaveTXT_Click(Log1& w);

// Writes SaveFileName according to SaveScope and records what has been saved. The file is
// replaced whole or not at all: when it cannot be written the user is told why, any earlier
// file of that name stays as it was, no save state changes, and the result is false.
bool WriteRecordFile(Log1& w);
