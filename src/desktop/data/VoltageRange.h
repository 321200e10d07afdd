#pragma once
// The range the logger is set to, as the user states it in File > Voltage Range. It scales the
// next download's decode; a record already in memory keeps the scale it was decoded with.

#include <QString>

class Log1;

// Makes `range` ("250 Volt" or "500 Volt") the selected range: its menu item alone checked,
// VoltageRange and Label1 showing it.
void SelectVoltageRange(Log1& w, const QString& range);
