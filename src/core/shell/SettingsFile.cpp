#include "shell/SettingsFile.h"

#include "shell/RecordSyntax.h"
#include "ui/Format.h"
#include "ui/Parse.h"
#include "ui/ReplaceFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

// The value of the last `count` characters of a setting's text ("comm port =  3" gives 3).
double TrailingValue(const QString& text, qsizetype count) {
    return ui::Val(text.right(count));
}

TextOrNumber ValueOf(const records::Field& field) {
    if (field.quoted) return TextOrNumber::fromText(field.text);
    if (field.text.isEmpty()) return {};
    if (const auto number = records::InvariantNumber(field.text))
        return TextOrNumber::fromNumber(*number);
    return TextOrNumber::fromText(field.text);
}

QString FieldOf(const TextOrNumber& value) {
    switch (value.kind) {
    case TextOrNumber::Kind::Number:
        return records::FormatNumber(value.number);
    case TextOrNumber::Kind::Text:
        return records::QuoteText(value.text);
    case TextOrNumber::Kind::Empty:
        break;
    }
    return {};
}

} // namespace

bool ParseSettings(QByteArrayView bytes, SettingsData& data) {
    records::FieldReader reader(bytes);
    std::array<QString, 8> heading;
    for (int line = 0; line < 8; ++line) {
        const auto field = reader.next();
        if (!field) return false;
        heading[static_cast<size_t>(line)] = field->text;
        if (line == 6) data.VoltageRange = field->text;
    }
    auto readValue = [&reader](TextOrNumber& target) {
        const auto field = reader.next();
        if (!field) return false;
        target = ValueOf(*field);
        return true;
    };
    for (size_t r = 1; r <= 11; ++r) {
        for (auto* table :
             {&data.ProbeTableA, &data.ProbeTableB, &data.ProbeTableC, &data.ProbeTableD})
            if (!readValue((*table)[r])) return false;
    }
    for (size_t r = 0; r <= 30; ++r) {
        for (auto& row : data.ProbeRowsA)
            if (!readValue(row[r])) return false;
        for (auto& row : data.ProbeRowsB)
            if (!readValue(row[r])) return false;
    }
    for (QString& unit : data.UnitTexts) {
        const auto field = reader.next();
        if (!field) return false;
        unit = field->text;
    }

    // Only the number at the end of each text counts; the words before it are for people.
    data.CommPort = static_cast<qint16>(TrailingValue(heading[1], 1));
    data.LanguageIndex = TrailingValue(heading[2], 1);
    data.BaudRate = TrailingValue(heading[3], 4);
    data.FahrenheitFlag = TrailingValue(heading[4], 1);
    data.UsDateFormat = TrailingValue(heading[5], 1);
    return true;
}

QByteArray FormatSettings(const SettingsData& data) {
    QStringList lines;
    auto setting = [](const char* name, double value) {
        return records::QuoteText(QLatin1String(name) + ui::Str(value));
    };
    lines << records::QuoteText(QStringLiteral("[PORT etc]"))
          << setting("comm port = ", data.CommPort) << setting("language = ", data.LanguageIndex)
          << setting("baud = ", data.BaudRate) << setting("Fahrenheit = ", data.FahrenheitFlag)
          << setting("US Date Format = ", data.UsDateFormat)
          << records::QuoteText(data.VoltageRange)
          << records::QuoteText(QStringLiteral("[probe data]"));
    for (size_t r = 1; r <= 11; ++r) {
        lines << QStringList{FieldOf(data.ProbeTableA[r]), FieldOf(data.ProbeTableB[r]),
                             FieldOf(data.ProbeTableC[r]), FieldOf(data.ProbeTableD[r])}
                     .join(u',');
    }
    for (size_t r = 0; r <= 30; ++r) {
        for (const auto* rows : {&data.ProbeRowsA, &data.ProbeRowsB}) {
            QStringList fields;
            for (const auto& row : *rows) fields << FieldOf(row[r]);
            lines << fields.join(u',');
        }
    }
    QStringList units;
    for (const QString& unit : data.UnitTexts) units << records::QuoteText(unit);
    lines << units.join(u',');
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

namespace {

// The settings file's fields carry the names of the shared state's fields they hold.
template <class To, class From> void CopyNamedSettings(To& to, const From& from) {
    to.CommPort = from.CommPort;
    to.LanguageIndex = from.LanguageIndex;
    to.BaudRate = from.BaudRate;
    to.FahrenheitFlag = from.FahrenheitFlag;
    to.UsDateFormat = from.UsDateFormat;
    to.VoltageRange = from.VoltageRange;
    to.ProbeTableA = from.ProbeTableA;
    to.ProbeTableB = from.ProbeTableB;
    to.ProbeTableC = from.ProbeTableC;
    to.ProbeTableD = from.ProbeTableD;
    to.ProbeRowsA = from.ProbeRowsA;
    to.ProbeRowsB = from.ProbeRowsB;
}

} // namespace

SettingsData SettingsOf(const AppState& st) {
    SettingsData data;
    CopyNamedSettings(data, st);
    for (size_t i = 0; i < kStoredUnitEntries.size(); ++i)
        data.UnitTexts[i] = st.FunctionUnitNames[static_cast<size_t>(kStoredUnitEntries[i])];
    return data;
}

void StoreSettings(const SettingsData& data, AppState& st) {
    CopyNamedSettings(st, data);
    for (size_t i = 0; i < kStoredUnitEntries.size(); ++i)
        st.FunctionUnitNames[static_cast<size_t>(kStoredUnitEntries[i])] = data.UnitTexts[i];
}

namespace {

// A copy of a damaged settings file under a name not yet taken; empty when none could be made.
QString KeepCopy(const QString& path) {
    for (int n = 1; n < 100; ++n) {
        const QString copy =
            path + QStringLiteral(".damaged") + (n == 1 ? QString() : QStringLiteral("-%1").arg(n));
        if (QFile::exists(copy)) continue;
        return QFile::copy(path, copy) ? copy : QString();
    }
    return {};
}

} // namespace

bool ReadSettingsFile(AppState& st, QString* damage) {
    const QString path = SettingsFilePath();
    QFile file(path);
    if (!file.exists()) return false;
    const bool opened = file.open(QIODevice::ReadOnly);
    const QByteArray bytes = opened ? file.readAll() : QByteArray();
    const bool read = opened && file.error() == QFileDevice::NoError;
    file.close();
    SettingsData data = SettingsOf(st);
    const bool complete = read && ParseSettings(bytes, data);
    StoreSettings(data, st);
    if (!complete && damage) {
        const QString copy = KeepCopy(path);
        *damage =
            QStringLiteral("%1 is damaged: %2. The program starts as it does the first "
                           "time, and writes a new %3 when it ends; %4.")
                .arg(QDir::toNativeSeparators(path),
                     read ? QStringLiteral("it ends before its last setting") : file.errorString(),
                     QString::fromLatin1(kSettingsFileName),
                     copy.isEmpty() ? QStringLiteral("the damaged file could not be kept")
                                    : QStringLiteral("the damaged file is kept as %1")
                                          .arg(QDir::toNativeSeparators(copy)));
    }
    return complete;
}
