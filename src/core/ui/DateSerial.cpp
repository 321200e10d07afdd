#include "ui/DateSerial.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ui {
namespace {

// Days from 1 January 1970 in the proleptic Gregorian calendar, for any month 1..12.
constexpr long long DaysFromCivil(long long y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Civil {
    long long year;
    int month;
    int day;
};

constexpr Civil CivilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

constexpr long long kEpochDays = DaysFromCivil(1899, 12, 30);

// Serials outside the years 100..9999 cannot name a date anyone types or the logger reports;
// they are held at the ends of that range so formatting stays defined for any number.
constexpr double kFirstSerial = static_cast<double>(DaysFromCivil(100, 1, 1) - kEpochDays);
constexpr double kLastSerial =
    static_cast<double>(DaysFromCivil(9999, 12, 31) - kEpochDays) + 86399.0 / kSecondsPerDay;

constexpr long long kMsPerDay = 86400000;

std::function<QDateTime()>& Clock() {
    static std::function<QDateTime()> clock;
    return clock;
}

// A serial as a whole day and a time of day in units of 1/unitsPerDay. The whole part of a
// negative serial is still the day and its fraction, taken without sign, the time of day.
std::pair<long long, long long> Split(double serial, long long unitsPerDay) {
    if (std::isnan(serial)) serial = 0.0;
    if (serial < kFirstSerial) serial = kFirstSerial;
    if (serial > kLastSerial) serial = kLastSerial;
    const double whole = std::trunc(serial);
    const double fraction = std::fabs(serial - whole);
    long long day = static_cast<long long>(whole);
    long long units = std::llround(fraction * static_cast<double>(unitsPerDay));
    if (units >= unitsPerDay) {
        units -= unitsPerDay;
        ++day;
    }
    return {day, units};
}

} // namespace

DateParts PartsFromSerial(double serial, bool toTenths) {
    const long long perSecond = toTenths ? 10 : 1;
    const auto [day, units] = Split(serial, 86400 * perSecond);
    const long long seconds = units / perSecond;
    const Civil c = CivilFromDays(day + kEpochDays);
    DateParts parts;
    parts.year = static_cast<int>(c.year);
    parts.month = c.month;
    parts.day = c.day;
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    parts.tenth = static_cast<int>(units % perSecond);
    return parts;
}

double SerialFromDate(const QDateTime& dateTime) {
    if (!dateTime.isValid()) return 0.0;
    const QDate date = dateTime.date();
    const long long day = DaysFromCivil(date.year(), date.month(), date.day()) - kEpochDays;
    const double time = static_cast<double>(dateTime.time().msecsSinceStartOfDay()) /
                        static_cast<double>(kMsPerDay);
    return day < 0 ? static_cast<double>(day) - time : static_cast<double>(day) + time;
}

QDateTime DateFromSerial(double serial) {
    const auto [day, ms] = Split(serial, kMsPerDay);
    const Civil c = CivilFromDays(day + kEpochDays);
    return QDateTime(QDate(static_cast<int>(c.year), c.month, c.day),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

double DateSerial(int year, int month, int day) {
    const long long m = static_cast<long long>(month) - 1;
    const long long years = m >= 0 ? m / 12 : (m - 11) / 12;
    const long long first = DaysFromCivil(year + years, static_cast<int>(m - years * 12) + 1, 1);
    return static_cast<double>(first - kEpochDays + static_cast<long long>(day) - 1);
}

double TimeSerial(int hour, int minute, int second) {
    const double seconds = static_cast<double>(hour) * 3600.0 + static_cast<double>(minute) * 60.0 +
                           static_cast<double>(second);
    return seconds / kSecondsPerDay;
}

double Now() {
    return SerialFromDate(NowDateTime());
}

QDateTime NowDateTime() {
    const auto& clock = Clock();
    return clock ? clock() : QDateTime::currentDateTime();
}

void SetClockForTesting(std::function<QDateTime()> clock) {
    Clock() = std::move(clock);
}

double WallShifts::at(double days) const {
    double shift = before;
    // A change at a reading's own instant applies to it; the tolerance covers the rounding of
    // day serials (a few microseconds), far below the logger's tenth of a second.
    for (const auto& [from, then] : changes)
        if (days >= from - 1e-9) shift = then;
    return shift;
}

WallShifts WallShiftsBeforeNow(double aheadDays, double spanDays) {
    WallShifts shifts;
    if (!(spanDays > 0) || !std::isfinite(spanDays) || !std::isfinite(aheadDays)) return shifts;
    const qint64 end = NowDateTime().toMSecsSinceEpoch() + std::llround(aheadDays * kMsPerDay);
    // A logger's clock runs for a few years at the most; anything longer is a damaged status.
    const qint64 span = std::llround(std::min(spanDays, 20.0 * 366) * kMsPerDay);
    const qint64 start = end - span;
    const auto offsetAt = [](qint64 ms) {
        return QDateTime::fromMSecsSinceEpoch(ms, Qt::LocalTime).offsetFromUtc();
    };
    const int present = offsetAt(end);
    int offset = offsetAt(start);
    shifts.before = (offset - present) / kSecondsPerDay;
    // Offsets change at most a few times a year, weeks apart: a look once a day finds every
    // change, and halving the day it fell in finds its millisecond.
    for (qint64 from = start; from < end;) {
        const qint64 to = std::min(from + kMsPerDay, end);
        const int next = offsetAt(to);
        if (next != offset) {
            qint64 lo = from, hi = to; // offset at lo is the old one, at hi the new one
            while (hi - lo > 1) {
                const qint64 mid = lo + (hi - lo) / 2;
                (offsetAt(mid) == offset ? lo : hi) = mid;
            }
            shifts.changes.emplace_back(double(hi - start) / kMsPerDay,
                                        (next - present) / kSecondsPerDay);
            offset = next;
        }
        from = to;
    }
    return shifts;
}

} // namespace ui
