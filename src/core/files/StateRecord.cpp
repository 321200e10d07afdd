#include "files/StateRecord.h"

#include "data/UnitCodes.h"
#include "shell/AppState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A record file holds at most 73620 short lines; anything past this is not worth reading.
constexpr qint64 kMostBytesRead = 64 << 20;

} // namespace

RecordFileHeader RecordHeaderOf(const AppState& st) {
    RecordFileHeader header;
    header.description = {st.GraphTitle,       st.DescriptionLine2, st.DescriptionLine3,
                          st.DescriptionLine4, st.DescriptionLine5, st.DescriptionLine6,
                          st.DescriptionLine7};
    header.probeScale = st.ProbeScale;
    header.loggerNumber = st.LoggerNumber;
    header.unitName = st.UnitName;
    header.highLimit = st.HighLimitValue;
    header.lowLimit = st.LowLimitValue;
    return header;
}

std::function<RecordPoint(int)> RecordPointsOf(const AppState& st, bool displayed) {
    if (displayed)
        return [&st](int i) {
            return RecordPoint{st.DisplayTime.point(i), st.DisplayValue.point(i)};
        };
    return [&st](int i) { return RecordPoint{st.RecordTime.point(i), st.RecordValue.point(i)}; };
}

std::variant<ParsedRecordFile, QString> ReadRecordFileAt(const AppState& st, const QString& path) {
    QFile file(path);
    if (!QFileInfo::exists(path)) return st.Text(55);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) return st.Text(56);
    const QByteArray bytes = file.read(kMostBytesRead);
    const bool complete = file.error() == QFileDevice::NoError;
    file.close();
    if (!complete) return st.Text(56);

    RecordFileResult result = ParseRecordFile(bytes);
    if (const auto* error = std::get_if<RecordFileError>(&result)) {
        if (error->kind == RecordFileError::Kind::NotRecordFile) return st.Text(53);
        return QStringLiteral("%1\n\nis not a complete record file: line %2: %3.\n\nThe "
                              "record in memory has not changed.")
            .arg(QDir::toNativeSeparators(path))
            .arg(error->line)
            .arg(error->what);
    }
    return std::move(std::get<ParsedRecordFile>(result));
}

void TakeRecordFile(AppState& st, const ParsedRecordFile& file) {
    const RecordFileHeader& h = file.header;
    st.FileKind = h.fileKind;
    const int count = static_cast<int>(file.times.size());
    st.DisplayCount = count;
    st.GraphTitle = h.description[0];
    st.DescriptionLine2 = h.description[1];
    st.DescriptionLine3 = h.description[2];
    st.DescriptionLine4 = h.description[3];
    st.DescriptionLine5 = h.description[4];
    st.DescriptionLine6 = h.description[5];
    st.DescriptionLine7 = h.description[6];
    st.ProbeScale = h.probeScale == 0 ? Number(1) : h.probeScale;
    st.LoggerNumber = h.loggerNumber;
    st.UnitName = h.unitName;
    if (const std::optional<int> code = UnitCodeOfText(h.unitName)) st.UnitCode = *code;
    // The two rms functions always divide by the same scale, whatever the file says.
    if (st.UnitCode == 10) st.ProbeScale = 2;
    if (st.UnitCode == 11) st.ProbeScale = 1;
    st.HighLimitValue = h.highLimit;
    st.LowLimitValue = h.lowLimit;
    for (int i = 1; i <= count; ++i) {
        const double time = file.times[static_cast<size_t>(i - 1)];
        const double value = file.values[static_cast<size_t>(i - 1)];
        st.DisplayTime.point(i) = time;
        st.DisplayValue.point(i) = value;
        st.RecordValue.point(i) = static_cast<float>(value);
        st.RecordTime.point(i) = time;
    }
    st.ReopenPending = 0;
    st.DataFromFile = 1;
    st.DataSaved = 1;
    st.Zoomed = 0;
    st.RecordCount = st.DisplayCount;
}
