#pragma once
// New limits and recording mode for the logger, as the setup dialog and the command-line tool
// take them: typed in volts on the logger's range, stored by the logger in raw steps of 0..255
// (one volt a step on the 250 V range, two volts on the 500 V range). Once written, the logger's
// status is awaited to show them, and the logger is restarted, which empties its memory.

#include <QString>

struct AppState;

// The messages of the checks, in the words the logger's software has always used.
inline const QString kSetupErrorTitle = QStringLiteral("ERROR");
inline const QString kNotEven = QStringLiteral("Must be even numbers");
inline const QString kInvalidLimits = QStringLiteral("Invalid Limits");
inline const QString kRestartWarningTitle = QStringLiteral("WARNING");
inline const QString kRestartWarning =
    QStringLiteral("This will restart the logger and lose all existing data.  Are you sure?");

// Volts as raw steps on the range.
double LimitSteps(double volts, const QString& voltageRange);
// On the 500 V range a raw step is two volts: odd volts cannot be stored.
bool LimitsFitRange(double highVolts, double lowVolts, const QString& voltageRange);
// High above Low, both within the logger's 0..255 steps.
bool LimitsValid(double highSteps, double lowSteps);

// Asks the link to write new limits and mode (1 between, 2 outside), raw steps already checked:
// the next free moment sends them, and the logger is restarted once its status shows them.
void RequestNewLimits(AppState& st, double highSteps, double lowSteps, int mode);
