#include "files/Archive.h"

#include "files/RecentList.h"
#include "files/StateRecord.h"
#include "shell/AppState.h"
#include "shell/FileLocations.h"
#include "ui/DateSerial.h"
#include "ui/ReplaceFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace {

const QString kLimitKey = QStringLiteral("archive/maxBytes");

// The limit from the program's own settings file. The line is written there with its default
// the first time, so whoever wants another limit finds it.
qint64 ArchiveLimit() {
    QSettings file(ProgramSettingsPath(), QSettings::IniFormat);
    const QVariant value = file.value(kLimitKey);
    if (!value.isValid()) {
        file.setValue(kLimitKey, kDefaultArchiveBytes);
        return kDefaultArchiveBytes;
    }
    bool ok = false;
    const qint64 limit = value.toLongLong(&ok);
    return ok && limit >= 0 ? limit : kDefaultArchiveBytes;
}

void PruneArchive(const QString& folder) {
    std::vector<ArchivedFile> files;
    QDirIterator it(folder, {QStringLiteral("*.txt")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        files.push_back({info.filePath(), info.size(), ui::SerialFromDate(info.lastModified())});
    }
    QStringList gone;
    for (const QString& path : ArchiveExcess(std::move(files), ArchiveLimit())) {
        if (!QFile::remove(path)) continue;
        gone << path;
        // A logger's folder goes with its last file.
        if (QFileInfo(path).absolutePath() != QDir(folder).absolutePath())
            QDir().rmdir(QFileInfo(path).absolutePath());
    }
    if (!gone.isEmpty()) ForgetRecords(gone);
}

ArchiveOutcome Keep(const QByteArray& bytes, const Number& logger, int readings, bool partial) {
    const QDir folder(ArchiveFolder());
    const double now = ui::Now();
    QString path = folder.filePath(ArchiveFileName(logger, now, partial));
    // Two downloads of one logger within the same second keep both.
    for (int copy = 2; QFileInfo::exists(path); ++copy)
        path = folder.filePath(ArchiveFileName(logger, now, partial, copy));
    const QString failure = QDir().mkpath(QFileInfo(path).absolutePath())
                                ? ui::ReplaceFile(path, bytes)
                                : QStringLiteral("the folder cannot be created");
    if (!failure.isEmpty()) return {{}, failure, folder.path()};
    PruneArchive(folder.path());
    RememberRecord({path, logger, now, readings, partial});
    return {path, {}, folder.path()};
}

} // namespace

QString ArchiveFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("archive"));
}

QString ArchiveFileName(const Number& loggerNumber, double time, bool partial, int copy) {
    const ui::DateParts t = ui::PartsFromSerial(time);
    return QString::asprintf("%lld/%04d-%02d-%02dT%02d-%02d-%02d",
                             static_cast<long long>(loggerNumber.value()), t.year, t.month, t.day,
                             t.hour, t.minute, t.second) +
           (copy > 1 ? QStringLiteral("-%1").arg(copy) : QString()) +
           (partial ? QStringLiteral("-partial.txt") : QStringLiteral(".txt"));
}

std::optional<ArchiveName> ParseArchiveName(const QString& fileName) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(\d{4})-(\d\d)-(\d\d)T(\d\d)-(\d\d)-(\d\d)(?:-\d+)?(-partial)?\.txt$)"));
    const QRegularExpressionMatch m = pattern.match(fileName);
    if (!m.hasMatch()) return std::nullopt;
    const auto part = [&m](int n) { return m.captured(n).toInt(); };
    return ArchiveName{ui::DateSerial(part(1), part(2), part(3)) +
                           ui::TimeSerial(part(4), part(5), part(6)),
                       m.hasCaptured(7)};
}

std::vector<QString> ArchiveExcess(std::vector<ArchivedFile> files, qint64 maxBytes, int keep) {
    std::sort(files.begin(), files.end(), [](const ArchivedFile& a, const ArchivedFile& b) {
        return a.time != b.time ? a.time > b.time : a.path > b.path;
    });
    qint64 total = 0;
    for (const ArchivedFile& f : files) total += f.bytes;
    std::vector<QString> excess;
    for (size_t i = files.size(); i > size_t(std::max(keep, 0)) && total > maxBytes; --i) {
        excess.push_back(files[i - 1].path);
        total -= files[i - 1].bytes;
    }
    return excess;
}

std::optional<ArchiveOutcome> ArchiveDownload(const AppState& st) {
    const int count = static_cast<int>(st.RecordCount);
    if (count < 1 || count > kMaxReadings) return std::nullopt;
    return Keep(FormatRecordFile(RecordHeaderOf(st), count, RecordPointsOf(st, false)),
                st.LoggerNumber, count, false);
}

ArchiveOutcome ArchivePartialDownload(const AppState& st, const std::vector<RecordPoint>& points) {
    const int count = static_cast<int>(std::min<size_t>(points.size(), kMaxReadings));
    if (count == 0) return {};
    // The header a completed transfer would have given the record (see FinishTransfer).
    RecordFileHeader header;
    header.probeScale = st.FunctionScale;
    header.loggerNumber = st.StatusLoggerNumber;
    header.unitName = st.FunctionUnitName;
    header.highLimit = st.LimitHigh;
    header.lowLimit = st.LimitLow;
    const QByteArray bytes = FormatRecordFile(
        header, count, [&points](int i) { return points[static_cast<size_t>(i - 1)]; });
    return Keep(bytes, st.StatusLoggerNumber, count, true);
}
