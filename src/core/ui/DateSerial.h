#pragma once
// Date-times are day serials: days since 30 December 1899 at midnight, local wall time, the time
// of day as the fraction (0.5 is noon). One second is 1/86400 day; the logger's clock tick of a
// tenth of a second is 1/864000 day. Conversion to and from QDateTime happens only here.

#include <QDateTime>
#include <functional>
#include <utility>
#include <vector>

namespace ui {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kTicksPerDay = 864000.0;

// Calendar parts of a serial, rounded to the nearest second, or with toTenths to the nearest
// tenth of a second (the logger's clock tick), which then goes into `tenth`.
struct DateParts {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0, tenth = 0;
};
DateParts PartsFromSerial(double serial, bool toTenths = false);

double SerialFromDate(const QDateTime& dateTime);
QDateTime DateFromSerial(double serial);
// Serial of a calendar date and time of day; months and days outside their range carry over
// like a calendar would (month 13 is January of the next year).
double DateSerial(int year, int month, int day);
double TimeSerial(int hour, int minute, int second);

// The computer clock as a serial. Tests may replace the clock.
double Now();
// The same present as a local date-time, with its UTC offset.
QDateTime NowDateTime();

// How local wall time moved against the present over a span before the present: where the
// computer's UTC offset changed within it (the clocks went forward or back for daylight saving),
// a moment `days` after the span's start shows on the wall clock at
//   present - span + days + at(days),
// the shift being the offset then minus the offset now. With no change in the span there is no
// shift at all, and the sum is exactly what it always was.
struct WallShifts {
    double before = 0;                              // from the span's start, in days
    std::vector<std::pair<double, double>> changes; // (days after the start, shift from then on)

    bool none() const { return before == 0 && changes.empty(); }
    double at(double days) const;
};
// The shifts over the span of `spanDays` that ends `aheadDays` before the computer clock's
// present instant (a confirmed present time ahead of the computer by that much).
WallShifts WallShiftsBeforeNow(double aheadDays, double spanDays);
void SetClockForTesting(std::function<QDateTime()> clock);

} // namespace ui
