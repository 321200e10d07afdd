#pragma once
// The record as a list of exceptions. The logger keeps only the readings that meet its condition,
// ten a second, so every run of readings without a pause is one event: a sag, a swell or a stay
// between the limits. A pause is what the graph breaks its curve at: two neighbouring readings
// more than 1.5 sample periods apart.
//
// Everything here works on plain data: no state record, no widgets.

#include "quality/Tolerance.h"
#include "shell/RecordArrays.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// One sample period of the logger, a tenth of a second, in days.
constexpr double kSampleDays = 1.0 / 864000.0;

// Where an event lies against the record's limits. A reading exactly on a limit is not beyond it.
enum class EventSide { Between, AboveHigh, BelowLow, AboveAndBelow };

struct RecordEvent {
    int number = 0;            // 1 for the oldest
    int first = 0;             // its first reading in the record, 1-based
    int count = 0;             // its readings
    double start = 0, end = 0; // times of its first and last reading
    double duration = 0;       // end - start + one sample period, in days
    double min = 0, max = 0, avg = 0;
    double minTime = 0, maxTime = 0; // the first reading holding the min, the max
    EventSide side = EventSide::Between;
    // Against the tolerance curves; nothing for a record without a nominal voltage.
    std::optional<quality::Judgement> judged;
};

// The events of readings 1..count, oldest first.
std::vector<RecordEvent> FindEvents(const RecordArray<double>& times,
                                    const RecordArray<float>& values, int count, double high,
                                    double low);

// Judges every event against the curves at this nominal; without one, none is judged.
void JudgeEvents(std::vector<RecordEvent>& events, std::optional<double> nominal);

quality::RegionCounts CountRegions(const std::vector<RecordEvent>& events);

// Readings 1..count above 110 % and below 90 % of the nominal, judged as the events are.
struct OffNominal {
    int above = 0, below = 0;
};
OffNominal CountOffNominal(const RecordArray<float>& values, int count, double nominal);

struct EventSummary {
    double recorded = 0; // the events' durations added up, in days
    // Positions in the list (-1 without events); the first one wins a tie.
    int longest = -1, lowest = -1, highest = -1;
};
EventSummary SummarizeEvents(const std::vector<RecordEvent>& events);

// ---- The list as people and files see it -----------------------------------------------------

enum EventColumn {
    kColumnNumber,
    kColumnStart,
    kColumnEnd,
    kColumnDuration,
    kColumnReadings,
    kColumnMin,
    kColumnMax,
    kColumnAvg,
    kColumnLimits,
    kColumnMinPercent,
    kColumnMaxPercent,
    kColumnItic,
    kColumnSemi,
    kEventColumns
};

// What the cells of the list are written with: the date-time pattern with tenths of a second,
// the words for the four sides, the ITIC regions and the SEMI F47 verdicts in the order of their
// enums (no verdict is an empty cell); and the column captions.
struct EventTexts {
    QString dateTime;
    std::array<QString, 4> sides;
    std::array<QString, 3> regions;
    std::array<QString, 4> verdicts;
    std::array<QString, kEventColumns> captions;
};

// The pattern with the tenths of a second after its seconds ("hh:mm:ss" -> "hh:mm:ss.0").
QString WithTenths(const QString& dateTimePattern);
// A duration in days as hours, minutes, seconds and tenths ("0:00:12.3").
QString DurationText(double days);
// Tenths of a per cent with one decimal ("69.9").
QString PercentText(int tenths);

QString EventCell(const RecordEvent& e, int column, const EventTexts& texts);
// What a column sorts by: its number, not its text.
double EventSortKey(const RecordEvent& e, int column);

// The list as a CSV file for spreadsheets and data tools: a header row, then one row per event
// with ISO 8601 times, the duration in seconds and the values with a period; the per cents of
// nominal, the ITIC region and the SEMI F47 verdict last (empty for an event not judged).
QByteArray EventsCsv(const std::vector<RecordEvent>& events, const QString& unit);
