#pragma once
// The six fields of the reference clock dialog and the rules its arrows and its running clock
// follow. The month lengths are fixed when the dialog is loaded: February has 29 days when the
// year shown then is divisible by 4, and changing the year later does not change that.

#include <array>

struct ClockFields {
    int month = 1, day = 1, year = 2000, hour = 0, minute = 0, second = 0;
    bool operator==(const ClockFields&) const = default;
};

// Entries 1..12 (entry 0 unused).
using MonthLengths = std::array<int, 13>;
MonthLengths BuildMonthLengths(int year);

// The fields in the order of the dialog's rows: 1 month, 2 day, 3 year, 4 hour, 5 minute,
// 6 second.
enum class ClockField { Month = 1, Day, Year, Hour, Minute, Second };

// One click on a field's up (+1) or down (-1) arrow, wrapping within the field's range; the day
// wraps within the length of the month shown.
void StepClockField(ClockFields& f, ClockField field, bool up, const MonthLengths& lengths);

// One second of the running clock, carrying into minutes, hours, days, months and years. A day
// left beyond the month's length by an arrow on the month is pulled back to the month's last day.
void TickClock(ClockFields& f, const MonthLengths& lengths);
