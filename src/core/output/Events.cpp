#include "output/Events.h"

#include "files/Csv.h"
#include "graph/AxisPlan.h"
#include "ui/Format.h"

#include <algorithm>

namespace {

// The event in progress while the readings are walked through.
struct OpenEvent {
    RecordEvent e;
    double sum = 0;
    bool above = false, below = false;
};

void Begin(OpenEvent& open, int index, double time, double value) {
    open = {};
    open.e.first = index;
    open.e.start = open.e.minTime = open.e.maxTime = time;
    open.e.min = open.e.max = value;
}

void Close(OpenEvent& open, double lastTime, std::vector<RecordEvent>& events) {
    RecordEvent& e = open.e;
    e.number = static_cast<int>(events.size()) + 1;
    e.end = lastTime;
    e.duration = e.end - e.start + kSampleDays;
    e.avg = open.sum / e.count;
    e.side = open.above && open.below ? EventSide::AboveAndBelow
             : open.above             ? EventSide::AboveHigh
             : open.below             ? EventSide::BelowLow
                                      : EventSide::Between;
    events.push_back(e);
}

} // namespace

std::vector<RecordEvent> FindEvents(const RecordArray<double>& times,
                                    const RecordArray<float>& values, int count, double high,
                                    double low) {
    std::vector<RecordEvent> events;
    count = std::clamp(count, 0, kMaxReadings);
    // The pauses counted first: a record of single readings has 73620 events, and growing the
    // list step by step would copy it over and over.
    size_t pauses = 0;
    for (int i = 2; i <= count; ++i) pauses += !graph::Joined(times.point(i - 1), times.point(i));
    events.reserve(count > 0 ? pauses + 1 : 0);
    OpenEvent open;
    double previous = 0;
    // Block by block: the rows of a storage block lie side by side.
    for (int block = 1, index = 1; index <= count; ++block) {
        const int rows = std::min(kRowsPerBlock, count - index + 1);
        const double* t = &times(block, 1);
        const float* v = &values(block, 1);
        for (int r = 0; r < rows; ++r, ++index) {
            const double time = t[r], value = v[r];
            if (index == 1 || !graph::Joined(previous, time)) {
                if (index > 1) Close(open, previous, events);
                Begin(open, index, time, value);
            }
            RecordEvent& e = open.e;
            ++e.count;
            open.sum += value;
            if (value < e.min) e.min = value, e.minTime = time;
            if (value > e.max) e.max = value, e.maxTime = time;
            open.above = open.above || value > high;
            open.below = open.below || value < low;
            previous = time;
        }
    }
    if (count > 0) Close(open, previous, events);
    return events;
}

void JudgeEvents(std::vector<RecordEvent>& events, std::optional<double> nominal) {
    for (RecordEvent& e : events) {
        if (!nominal) {
            e.judged.reset();
            continue;
        }
        e.judged =
            quality::Judge(quality::DurationMs(e.duration), quality::PercentTenths(e.min, *nominal),
                           quality::PercentTenths(e.max, *nominal));
    }
}

quality::RegionCounts CountRegions(const std::vector<RecordEvent>& events) {
    quality::RegionCounts counts;
    for (const RecordEvent& e : events) {
        if (!e.judged) continue;
        ++counts.itic[static_cast<size_t>(e.judged->itic)];
        ++counts.semi[static_cast<size_t>(e.judged->semi)];
    }
    return counts;
}

OffNominal CountOffNominal(const RecordArray<float>& values, int count, double nominal) {
    OffNominal off;
    count = std::clamp(count, 0, kMaxReadings);
    for (int block = 1, index = 1; index <= count; ++block) {
        const int rows = std::min(kRowsPerBlock, count - index + 1);
        const float* v = &values(block, 1);
        for (int r = 0; r < rows; ++r, ++index) {
            const int tenths = quality::PercentTenths(v[r], nominal);
            off.above += tenths > 1100;
            off.below += tenths < 900;
        }
    }
    return off;
}

EventSummary SummarizeEvents(const std::vector<RecordEvent>& events) {
    EventSummary s;
    for (int i = 0; i < static_cast<int>(events.size()); ++i) {
        const RecordEvent& e = events[static_cast<size_t>(i)];
        s.recorded += e.duration;
        if (i == 0 || e.duration > events[static_cast<size_t>(s.longest)].duration) s.longest = i;
        if (i == 0 || e.min < events[static_cast<size_t>(s.lowest)].min) s.lowest = i;
        if (i == 0 || e.max > events[static_cast<size_t>(s.highest)].max) s.highest = i;
    }
    return s;
}

QString WithTenths(const QString& dateTimePattern) {
    QString pattern = dateTimePattern;
    const qsizetype seconds = pattern.indexOf(QLatin1String("ss"), 0, Qt::CaseInsensitive);
    if (seconds >= 0) pattern.insert(seconds + 2, QLatin1String(".0"));
    return pattern;
}

QString DurationText(double days) {
    // An event is at most 73620 readings, each at most 0.15 s after the one before: a few
    // hours, so the hours never reach a day.
    return ui::Format(days, QStringLiteral("h:mm:ss.0"));
}

QString PercentText(int tenths) {
    return ui::Format(tenths / 10.0, QStringLiteral("##0.0"));
}

QString EventCell(const RecordEvent& e, int column, const EventTexts& texts) {
    const QString value = QStringLiteral("##0.00");
    if (column >= kColumnMinPercent && !e.judged) return {};
    switch (column) {
    case kColumnNumber:
        return ui::PlainText(e.number);
    case kColumnStart:
        return ui::Format(e.start, texts.dateTime);
    case kColumnEnd:
        return ui::Format(e.end, texts.dateTime);
    case kColumnDuration:
        return DurationText(e.duration);
    case kColumnReadings:
        return ui::PlainText(e.count);
    case kColumnMin:
        return ui::Format(e.min, value);
    case kColumnMax:
        return ui::Format(e.max, value);
    case kColumnAvg:
        return ui::Format(e.avg, value);
    case kColumnLimits:
        return texts.sides[static_cast<size_t>(e.side)];
    case kColumnMinPercent:
        return PercentText(e.judged->minTenths);
    case kColumnMaxPercent:
        return PercentText(e.judged->maxTenths);
    case kColumnItic:
        return texts.regions[static_cast<size_t>(e.judged->itic)];
    case kColumnSemi:
        return e.judged->semi == quality::SemiVerdict::None
                   ? QString()
                   : texts.verdicts[static_cast<size_t>(e.judged->semi)];
    default:
        return {};
    }
}

double EventSortKey(const RecordEvent& e, int column) {
    switch (column) {
    case kColumnStart:
        return e.start;
    case kColumnEnd:
        return e.end;
    case kColumnDuration:
        return e.duration;
    case kColumnReadings:
        return e.count;
    case kColumnMin:
        return e.min;
    case kColumnMax:
        return e.max;
    case kColumnAvg:
        return e.avg;
    case kColumnLimits:
        return static_cast<double>(e.side);
    // Events not judged come first.
    case kColumnMinPercent:
        return e.judged ? e.judged->minTenths : -1e18;
    case kColumnMaxPercent:
        return e.judged ? e.judged->maxTenths : -1e18;
    case kColumnItic:
        return e.judged ? static_cast<double>(e.judged->itic) : -1;
    case kColumnSemi:
        return e.judged ? static_cast<double>(e.judged->semi) : -1;
    default:
        return e.number;
    }
}

QByteArray EventsCsv(const std::vector<RecordEvent>& events, const QString& unit) {
    // Keywords rather than words of a language, so a script reads every file alike.
    static const char* const sides[] = {"between", "above_high", "below_low", "above_and_below"};
    static const char* const regions[] = {"within", "no_damage", "prohibited"};
    static const char* const verdicts[] = {"", "inside", "outside", "not_covered"};
    CsvWriter csv;
    for (const char* name : {"event", "start", "end", "duration_s", "readings", "min", "max", "avg",
                             "unit", "limits", "min_pct", "max_pct", "itic", "semi_f47"})
        csv.text(QLatin1String(name));
    csv.endRow();
    const QByteArray unitField = CsvWriter::Field(unit);
    for (const RecordEvent& e : events) {
        csv.whole(e.number);
        csv.time(e.start);
        csv.time(e.end);
        csv.oneDecimal(e.duration * 86400.0);
        csv.whole(e.count);
        csv.value(e.min);
        csv.value(e.max);
        csv.value(e.avg);
        csv.encoded(unitField);
        csv.text(QLatin1String(sides[static_cast<int>(e.side)]));
        if (e.judged) {
            csv.oneDecimal(e.judged->minTenths / 10.0);
            csv.oneDecimal(e.judged->maxTenths / 10.0);
            csv.text(QLatin1String(regions[static_cast<int>(e.judged->itic)]));
            csv.text(QLatin1String(verdicts[static_cast<int>(e.judged->semi)]));
        } else {
            for (int k = 0; k < 4; ++k) csv.text({});
        }
        csv.endRow();
    }
    return std::move(csv.bytes());
}
