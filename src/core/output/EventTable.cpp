#include "output/EventTable.h"

#include "graph/canvas/Canvas.h"
#include "quality/Nominal.h"
#include "shell/AppState.h"
#include "shell/StringNumbers.h"
#include "ui/Format.h"

#include <algorithm>

QString WithoutColon(const QString& caption) {
    QString text = caption.trimmed();
    if (text.endsWith(u':')) text.chop(1);
    return text.trimmed();
}

QString EventColumnCaption(const AppState& st, int column) {
    const auto withUnit = [&st](int s) {
        const QString caption = WithoutColon(st.Text(s));
        return st.UnitName.isEmpty() ? caption : caption + QStringLiteral(" (%1)").arg(st.UnitName);
    };
    switch (column) {
    case kColumnNumber:
        return st.Text(str::kColumnNumber);
    case kColumnStart:
        return WithoutColon(st.Text(str::kStart));
    case kColumnEnd:
        return st.Text(str::kColumnEnd);
    case kColumnDuration:
        return st.Text(str::kColumnDuration);
    case kColumnReadings:
        return st.Text(str::kPoints);
    case kColumnMin:
        return withUnit(str::kMin);
    case kColumnMax:
        return withUnit(str::kMax);
    case kColumnAvg:
        return withUnit(str::kAvg);
    case kColumnLimits:
        return st.Text(str::kColumnLimits);
    case kColumnMinPercent:
        return WithoutColon(st.Text(str::kMin)) + QStringLiteral(" (%)");
    case kColumnMaxPercent:
        return WithoutColon(st.Text(str::kMax)) + QStringLiteral(" (%)");
    case kColumnItic:
        return QStringLiteral("ITIC");
    case kColumnSemi:
        return QStringLiteral("SEMI F47");
    default:
        return {};
    }
}

EventTexts EventTextsOf(const AppState& st) {
    EventTexts texts{
        WithTenths(st.DateTimeFormatLong),
        {st.Text(str::kBetween), st.Text(str::kAboveHigh), st.Text(str::kBelowLow),
         st.Text(str::kAboveAndBelow)},
        {st.Text(str::kWithin), st.Text(str::kWithin + 1), st.Text(str::kWithin + 2)},
        {QString(), st.Text(str::kInside), st.Text(str::kInside + 1), st.Text(str::kInside + 2)},
        {}};
    for (int c = 0; c < kEventColumns; ++c)
        texts.captions[static_cast<size_t>(c)] = EventColumnCaption(st, c);
    return texts;
}

QStringList EventSummaryValues(const AppState& st, const std::vector<RecordEvent>& events) {
    const EventSummary s = SummarizeEvents(events);
    QStringList values{ui::PlainText(static_cast<double>(events.size())), DurationText(s.recorded)};
    if (events.empty()) return values << QString() << QString() << QString();
    const QString dateTime = WithTenths(st.DateTimeFormatLong);
    const QString number = st.Text(str::kColumnNumber) + u' ';
    const RecordEvent& longest = events[static_cast<size_t>(s.longest)];
    values << number + ui::PlainText(longest.number) + QStringLiteral(", ") +
                  DurationText(longest.duration) + QStringLiteral(", ") +
                  ui::Format(longest.start, dateTime);
    const auto extreme = [&](const RecordEvent& e, double value, double time) {
        return ui::Format(value, QStringLiteral("##0.00")) + u' ' + st.UnitName +
               QStringLiteral(", ") + ui::Format(time, dateTime) + QStringLiteral(", ") + number +
               ui::PlainText(e.number);
    };
    const RecordEvent& lowest = events[static_cast<size_t>(s.lowest)];
    const RecordEvent& highest = events[static_cast<size_t>(s.highest)];
    return values << extreme(lowest, lowest.min, lowest.minTime)
                  << extreme(highest, highest.max, highest.maxTime);
}

std::vector<double> FitColumns(Canvas& c, const QStringList& captions, int rows,
                               const std::function<QStringList(int)>& cells, double width) {
    std::vector<double> widths(static_cast<size_t>(captions.size()), 0);
    const auto measure = [&](const QStringList& cells) {
        for (qsizetype k = 0; k < cells.size() && k < captions.size(); ++k)
            widths[static_cast<size_t>(k)] =
                std::max(widths[static_cast<size_t>(k)], c.TextWidth(cells[k]));
    };
    measure(captions);
    for (int row = 0, step = std::max(1, rows / 300); row < rows; row += step) measure(cells(row));
    const double gap = c.TextWidth(QStringLiteral("  "));
    double total = 0;
    for (double& w : widths) total += (w += gap);
    // Texts grow with the font's size: one step to the size that fits, a little smaller still
    // so that rounding in the font's metrics cannot spill over the edge.
    const double scale = total > width ? width / total : 1;
    if (scale < 1) c.setFontSize(std::max(4.0, c.font().pointSizeF() * scale * 0.98));
    std::vector<double> lefts;
    double left = 0;
    for (const double w : widths) {
        lefts.push_back(left);
        left += w * scale;
    }
    return lefts;
}

std::vector<ChartMark> ChartMarks(const std::vector<RecordEvent>& events) {
    std::vector<ChartMark> marks;
    marks.reserve(events.size());
    for (int k = 0; k < static_cast<int>(events.size()); ++k) {
        const RecordEvent& e = events[static_cast<size_t>(k)];
        if (!e.judged) continue;
        const int ms = quality::DurationMs(e.duration);
        const quality::Judgement& j = *e.judged;
        if (j.sag || !j.swell) marks.push_back({k, ms, j.minTenths, j.sagRegion});
        if (j.swell) marks.push_back({k, ms, j.maxTenths, j.swellRegion});
    }
    return marks;
}

ChartTexts ChartTextsOf(const AppState& st, std::optional<double> nominal) {
    ChartTexts texts;
    texts.axisDuration = st.Text(str::kAxisDuration);
    texts.axisPercent = st.Text(str::kPercentOfNominal);
    for (int k = 0; k < 3; ++k)
        texts.regions[static_cast<size_t>(k)] = st.Text(str::kLegendWithin + k);
    texts.semi = st.Text(str::kLegendSemi);
    texts.resolution = st.Text(str::kLegendResolution);
    if (!nominal) texts.noNominal = st.Text(str::kNoNominal).arg(st.UnitName);
    return texts;
}

std::vector<RecordEvent> RecordEventsOf(const AppState& st, int readings) {
    std::vector<RecordEvent> events =
        FindEvents(st.RecordTime, st.RecordValue, readings, st.HighLimitValue, st.LowLimitValue);
    JudgeEvents(events, quality::RecordNominal(st));
    return events;
}
