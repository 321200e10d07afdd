#pragma once
// The archive of downloads. A download lives only in memory until it is saved, and the logger's
// memory is no safe copy either: a restart with new limits erases it, and the ring overwrites
// its oldest readings once full. So every download that completes, and whatever whole blocks
// arrived of one that ended early, is written as a record file to the per-user data folder
// (~/.local/share/vesto-logger/archive/<logger number>/<date>T<time>[-partial].txt) right after
// the graph is shown. Nothing is asked, nothing changes in memory; the front end says when a
// file could not be written. The archive keeps at most a set number of bytes (1 GiB
// unless [archive] maxBytes in the program's own settings file says otherwise); the oldest files
// go first, but never one of the 20 newest.

#include "files/RecordFile.h"
#include "ui/Number.h"

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

struct AppState;

inline constexpr qint64 kDefaultArchiveBytes = qint64(1) << 30;
inline constexpr int kArchiveKeptNewest = 20;

// The folder the downloads are kept in.
QString ArchiveFolder();

// A download's file, relative to the archive folder: "1234/2026-12-06T14-03-22.txt", or with
// "-partial" before ".txt" for one that ended early. `time` is the download's day serial; a
// second download within the same second gets copy 2 ("...T14-03-22-2.txt"), and so on.
QString ArchiveFileName(const Number& loggerNumber, double time, bool partial, int copy = 1);

// What an archive file's name tells: the time of its download and whether it ended early.
struct ArchiveName {
    double time = 0;
    bool partial = false;
};
std::optional<ArchiveName> ParseArchiveName(const QString& fileName);

struct ArchivedFile {
    QString path;
    qint64 bytes = 0;
    double time = 0; // last written, day serial
};
// The files to delete, oldest first, so that the rest take at most maxBytes; the `keep` newest
// stay whatever their size.
std::vector<QString> ArchiveExcess(std::vector<ArchivedFile> files, qint64 maxBytes,
                                   int keep = kArchiveKeptNewest);

// Where a download was kept: the file written, or why it could not be, and the folder.
struct ArchiveOutcome {
    QString path;
    QString failure;
    QString folder;
};

// The record just downloaded, as Save As would write it whole; nothing for a record the arrays
// cannot hold.
std::optional<ArchiveOutcome> ArchiveDownload(const AppState& st);
// The readings that arrived of a download given up, with the header the completed download
// would have had. Nothing is written (and no path given) when no reading arrived.
ArchiveOutcome ArchivePartialDownload(const AppState& st, const std::vector<RecordPoint>& points);
