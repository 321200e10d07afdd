#pragma once
// The nominal voltage of a record: the supply voltage its per cents are taken of. Until the
// person chooses one for the logger, it is the usual supply voltage nearest the middle of the
// record's High and Low limits, where a logger is usually set up around the supply. A choice is
// kept per logger number in the program's own settings file, so a record file (which has no room
// for it) finds it again through its logger number.

#include <QString>

struct AppState;
#include <array>
#include <optional>

namespace quality {

// The usual supply voltages, lowest first.
inline constexpr std::array<double, 18> kUsualNominals{100, 110, 115, 120, 127, 200, 208, 220, 230,
                                                       240, 277, 347, 380, 400, 415, 440, 480, 600};
// What may be typed: a supply of the logger's ranges with room either side.
inline constexpr double kLowestNominal = 1, kHighestNominal = 1000;

// The usual voltage nearest the middle of the limits; of two equally near, the lower.
double DefaultNominal(double high, double low);

// Whether readings in this unit are volts (the logger's probes give degrees, ohms, amperes ...).
bool IsVoltageUnit(const QString& unit);

// The nominal chosen for a logger, if one was; a choice outside the typed range counts as none.
std::optional<double> RememberedNominal(double loggerNumber);
// Keeps the choice; false when the settings file could not be written.
bool RememberNominal(double loggerNumber, double volts);

// The nominal of a record: nothing when it is not in volts, else the logger's choice, else the
// default for its limits.
std::optional<double> RecordNominal(const QString& unit, double loggerNumber, double high,
                                    double low);

// The nominal of the record in memory, with a choice made in this run first.
std::optional<double> RecordNominal(const AppState& st);
// Chooses the nominal for the record's logger, for this run and the next ones; false when the
// settings file could not keep it.
bool ChooseNominal(AppState& st, double volts);

} // namespace quality
