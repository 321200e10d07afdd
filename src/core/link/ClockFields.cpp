#include "link/ClockFields.h"

#include <algorithm>

namespace {

int monthLength(const MonthLengths& lengths, int month) {
    return lengths[static_cast<size_t>(std::clamp(month, 1, 12))];
}

int wrapStep(int value, bool up, int low, int high) {
    if (up) return value >= high ? low : value + 1;
    return value <= low ? high : value - 1;
}

} // namespace

MonthLengths BuildMonthLengths(int year) {
    return {0, 31, year % 4 == 0 ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
}

void StepClockField(ClockFields& f, ClockField field, bool up, const MonthLengths& lengths) {
    switch (field) {
    case ClockField::Month:
        f.month = wrapStep(f.month, up, 1, 12);
        break;
    case ClockField::Day:
        f.day = wrapStep(f.day, up, 1, monthLength(lengths, f.month));
        break;
    case ClockField::Year:
        f.year += up ? 1 : -1;
        break;
    case ClockField::Hour:
        f.hour = wrapStep(f.hour, up, 0, 23);
        break;
    case ClockField::Minute:
        f.minute = wrapStep(f.minute, up, 0, 59);
        break;
    case ClockField::Second:
        f.second = wrapStep(f.second, up, 0, 59);
        break;
    }
}

void TickClock(ClockFields& f, const MonthLengths& lengths) {
    // Each field carries only when the one below it has just rolled over: a day beyond the
    // month's length left by the month arrow is not a new day.
    if (++f.second >= 60) {
        f.second = 0;
        if (++f.minute >= 60) {
            f.minute = 0;
            if (++f.hour >= 24) {
                f.hour = 0;
                if (++f.day == monthLength(lengths, f.month) + 1) {
                    f.day = 1;
                    if (++f.month >= 13) {
                        f.month = 1;
                        ++f.year;
                    }
                }
            }
        }
    }
    f.day = std::min(f.day, monthLength(lengths, f.month));
}
