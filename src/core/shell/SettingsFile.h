#pragma once
// The settings file loggerx.ini: the user's choices from one run to the next (port, language,
// baud rate, temperature unit, date order, voltage range) and the probe section and unit texts,
// which the program keeps and writes back unchanged. Despite its name it is no key-value file:
// 82 lines of comma-separated records, read and written strictly by position.
//
//   line 1      "[PORT etc]"
//   lines 2..6  "comm port =  1", "language =  1", "baud =  4800", "Fahrenheit =  0",
//               "US Date Format =  1": each setting is the number at the end of its text
//   line 7      the voltage range, "250 Volt" or "500 Volt"
//   line 8      "[probe data]"
//   lines 9..19 four probe constants per row, rows 1..11
//   lines 20..81 for rows 0..30 a line of eight A values, then a line of eight B values
//   line 82     eight unit texts

#include "shell/AppState.h"
#include "shell/FileLocations.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>

// The entries of FunctionUnitNames that the file holds, in the order of line 82.
inline constexpr std::array<int, 8> kStoredUnitEntries = {20, 21, 22, 23, 29, 30, 31, 32};

// Everything the file holds, apart from the constant lines.
struct SettingsData {
    qint16 CommPort = 0;
    Number LanguageIndex;
    Number BaudRate;
    Number FahrenheitFlag;
    Number UsDateFormat;
    QString VoltageRange;
    std::array<TextOrNumber, 13> ProbeTableA, ProbeTableB, ProbeTableC, ProbeTableD;
    std::array<std::array<TextOrNumber, 31>, 8> ProbeRowsA, ProbeRowsB;
    std::array<QString, 8> UnitTexts;
};

// Reads the file's bytes into `data`, field by field: whatever is read replaces the value in
// `data`, whatever the bytes do not reach keeps its value. The five settings of lines 2..6 are
// taken only once the whole file has been read. True when it was read to the end of line 82.
bool ParseSettings(QByteArrayView bytes, SettingsData& data);
// The whole file: 82 lines, each ended by CR LF.
QByteArray FormatSettings(const SettingsData& data);

SettingsData SettingsOf(const AppState& st);
void StoreSettings(const SettingsData& data, AppState& st);

// Reads loggerx.ini (see shell/FileLocations.h for where) into the state. False when the file is
// missing, cannot be read or ends early (the fields it did hold are kept, see ParseSettings). A
// file that is there but cannot be read whole is copied beside itself first, since the settings
// written at the close replace it; `damage` then tells the user so.
bool ReadSettingsFile(AppState& st, QString* damage = nullptr);
