#pragma once
// The record in memory and the text record file: the file's header and readings of the state,
// and a file read whole and taken into the state as File > Open takes it.

#include "files/RecordFile.h"

#include <QString>
#include <functional>
#include <variant>

struct AppState;

// The header lines of the record in memory.
RecordFileHeader RecordHeaderOf(const AppState& st);

// Reading i (1 = first) of the part the graph shows or of the whole record.
std::function<RecordPoint(int)> RecordPointsOf(const AppState& st, bool displayed);

// The file read and checked whole; what is wrong with it, for the person who chose it, when it
// is missing, unreadable, no record file or not a complete one.
std::variant<ParsedRecordFile, QString> ReadRecordFileAt(const AppState& st, const QString& path);

// Makes a file read whole the record in memory: readings, description, unit, limits, logger
// number; displayed whole, read from a file, saved.
void TakeRecordFile(AppState& st, const ParsedRecordFile& file);
