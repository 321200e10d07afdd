#pragma once
// The channel function codes that name the quantity of the logger's channel (FunctionCode) and
// of the record in memory (UnitCode), and the unit texts that stand for them in record files.

#include <QString>
#include <optional>

// The unit text of a function code; empty for a code without one.
QString UnitTextOfCode(double code);
// The function code a record file's unit text stands for. The match is exact: "V rms" and
// "V rms " (with its trailing blank) are two different codes.
std::optional<int> UnitCodeOfText(const QString& text);
