#pragma once
// The recent records: the eight newest archived downloads and opened record files, newest
// first, kept in the program's own settings file ([recent]) from one run to the next. Each entry
// shows the logger number, the date and time (of the download for an archived one, of the last
// save for any other file) and the number of readings; a download that ended early is marked
// partial.

#include "ui/Number.h"

#include <QString>
#include <QStringList>
#include <vector>

struct AppState;

inline constexpr int kRecentRecords = 8;

struct RecentRecord {
    QString path;
    Number loggerNumber;
    double time = 0; // day serial
    int readings = 0;
    bool partial = false;
};

std::vector<RecentRecord> ReadRecentRecords();
// Puts the record first, in place of an entry for the same file.
void RememberRecord(const RecentRecord& record);
void ForgetRecords(const QStringList& paths);

// The entry of a record file read or written: time and partial mark from an archive file's
// name, else the file's last change.
RecentRecord RecentRecordOf(const QString& path, const Number& loggerNumber, int readings);

// The text of an entry in the language and date format in use.
QString RecentCaption(const AppState& st, const RecentRecord& record);
