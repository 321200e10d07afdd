#include "files/RecentList.h"

#include "files/Archive.h"
#include "shell/AppState.h"
#include "shell/FileLocations.h"
#include "shell/StringNumbers.h"
#include "ui/DateSerial.h"
#include "ui/Format.h"

#include <QFileInfo>
#include <QSettings>
#include <algorithm>

namespace {

const QString kList = QStringLiteral("recent");

void WriteRecentRecords(const std::vector<RecentRecord>& list) {
    QSettings file(ProgramSettingsPath(), QSettings::IniFormat);
    file.remove(kList);
    file.beginWriteArray(kList, static_cast<int>(list.size()));
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
        const RecentRecord& r = list[static_cast<size_t>(i)];
        file.setArrayIndex(i);
        file.setValue(QStringLiteral("path"), r.path);
        file.setValue(QStringLiteral("logger"),
                      r.loggerNumber.isEmpty() ? QString() : ui::Str(r.loggerNumber).trimmed());
        file.setValue(QStringLiteral("time"), r.time);
        file.setValue(QStringLiteral("readings"), r.readings);
        file.setValue(QStringLiteral("partial"), r.partial);
    }
    file.endArray();
}

} // namespace

std::vector<RecentRecord> ReadRecentRecords() {
    QSettings file(ProgramSettingsPath(), QSettings::IniFormat);
    std::vector<RecentRecord> list;
    const int size = std::min(file.beginReadArray(kList), kRecentRecords);
    for (int i = 0; i < size; ++i) {
        file.setArrayIndex(i);
        RecentRecord r;
        r.path = file.value(QStringLiteral("path")).toString();
        bool isNumber = false;
        const double logger = file.value(QStringLiteral("logger")).toDouble(&isNumber);
        if (isNumber) r.loggerNumber = logger;
        r.time = file.value(QStringLiteral("time")).toDouble();
        r.readings = std::clamp(file.value(QStringLiteral("readings")).toInt(), 0, kMaxReadings);
        r.partial = file.value(QStringLiteral("partial")).toBool();
        if (!r.path.isEmpty()) list.push_back(r);
    }
    file.endArray();
    return list;
}

void RememberRecord(const RecentRecord& record) {
    std::vector<RecentRecord> list = ReadRecentRecords();
    std::erase_if(list, [&record](const RecentRecord& r) { return r.path == record.path; });
    list.insert(list.begin(), record);
    if (list.size() > size_t(kRecentRecords)) list.resize(size_t(kRecentRecords));
    WriteRecentRecords(list);
}

void ForgetRecords(const QStringList& paths) {
    std::vector<RecentRecord> list = ReadRecentRecords();
    if (std::erase_if(list, [&paths](const RecentRecord& r) { return paths.contains(r.path); }))
        WriteRecentRecords(list);
}

RecentRecord RecentRecordOf(const QString& path, const Number& loggerNumber, int readings) {
    const QFileInfo file(path);
    RecentRecord r{file.absoluteFilePath(), loggerNumber, 0, readings, false};
    if (const std::optional<ArchiveName> name = ParseArchiveName(file.fileName())) {
        r.time = name->time;
        r.partial = name->partial;
    } else {
        r.time = ui::SerialFromDate(file.lastModified());
    }
    return r;
}

QString RecentCaption(const AppState& st, const RecentRecord& r) {
    QString text = st.Text(str::kRecentEntry)
                       .arg(ui::Format(r.loggerNumber, QStringLiteral("####0")),
                            ui::Format(r.time, st.DateTimeFormatShort),
                            ui::Format(r.readings, QStringLiteral("#,##0")));
    if (r.partial) text = st.Text(str::kRecentPartial).arg(text);
    // A file of the user's own: its name tells it apart from the downloads.
    const QString name = QFileInfo(r.path).fileName();
    if (!ParseArchiveName(name)) text += QStringLiteral("   ") + name;
    return text;
}
