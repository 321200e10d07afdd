#include "output/Report.h"

#include "graph/GraphPlan.h"
#include "graph/ToleranceChart.h"
#include "graph/canvas/Canvas.h"
#include "output/EventTable.h"
#include "output/GraphPage.h"
#include "quality/Nominal.h"
#include "shell/AppState.h"
#include "shell/StringNumbers.h"
#include "ui/Format.h"

#include <cmath>
#include <memory>

namespace {

void TextAt(Canvas& c, double x, double y, const QString& text) {
    c.setCurrentX(x);
    c.setCurrentY(y);
    c.Print(text);
}

// When the report was made, with the computer's offset from UTC: "2026-12-06 14:03 +01:00".
QString MadeText(const QDateTime& made) {
    const int offset = made.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return made.toString(QStringLiteral("yyyy-MM-dd HH:mm ")) + (offset < 0 ? u'-' : u'+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QChar(u'0'))
               .arg(minutes % 60, 2, 10, QChar(u'0'));
}

// "word 3, word 5, ...": counts after the words of their kinds.
QString Counted(const QStringList& words, const std::vector<int>& counts) {
    QStringList parts;
    for (qsizetype k = 0; k < words.size(); ++k)
        parts << words[k] + u' ' + ui::PlainText(counts[static_cast<size_t>(k)]);
    return parts.join(QStringLiteral(", "));
}

// The report as it is laid out on the paper in use.
class ReportWriter {
public:
    ReportWriter(const AppState& st, int readings, PageCanvas& c, int dotsPerInch,
                 const QDateTime& made)
        : st_(st), readings_(readings), c_(c), dpi_(dotsPerInch), made_(made) {
        events_ = RecordEventsOf(st, readings);
        nominal_ = quality::RecordNominal(st);
        texts_ = EventTextsOf(st);
        width_ = c.ScaleWidth();
        height_ = c.ScaleHeight();
    }

    bool write(const std::function<bool(int, int)>& progress) {
        planTable();
        const int pages = 2 + (nominal_ ? 1 : 0) + tablePages_;
        const auto done = [&](int page) { return !progress || progress(page, pages); };
        int page = 1;
        frame(page, pages);
        summaryPage();
        if (!done(page)) return false;
        if (!next(++page, pages)) return false;
        graphPage();
        if (!done(page)) return false;
        if (nominal_) {
            if (!next(++page, pages)) return false;
            chartPage();
            if (!done(page)) return false;
        }
        for (int t = 0; t < tablePages_; ++t) {
            if (!next(++page, pages)) return false;
            tablePage(t);
            if (!done(page)) return false;
        }
        return c_.EndDoc();
    }

private:
    double point(double points) const { return points * dpi_ / 72.0; }

    void setFont(double size, bool bold = false) {
        c_.setFontName(st_.PrintFontName);
        c_.setFontSize(size);
        c_.setFontBold(bold);
    }

    bool next(int page, int pages) {
        if (!c_.NewPage()) return false;
        frame(page, pages);
        return true;
    }

    // Where the body of a page lies between its header and its footer: the same on every page.
    void measureFrame() {
        setFont(8);
        const double h = c_.TextHeight();
        bodyTop_ = 2 * h;
        bodyBottom_ = height_ - 2 * h;
    }

    // The header and the footer.
    void frame(int page, int pages) {
        setFont(8);
        const double h = c_.TextHeight();
        const QString title =
            st_.GraphTitle.isEmpty() ? st_.Text(str::kReportTitle) : st_.GraphTitle;
        const QString logger = st_.Text(str::kLoggerNo) + ui::PlainText(st_.LoggerNumber);
        const QString pageText = st_.Text(str::kPageOf).arg(page).arg(pages);
        TextAt(c_, 0, 0, title);
        TextAt(c_, (width_ - c_.TextWidth(logger)) / 2, 0, logger);
        TextAt(c_, width_ - c_.TextWidth(pageText), 0, pageText);
        c_.setDrawWidth(std::max(1, static_cast<int>(point(0.5))));
        c_.Line(0, 1.2 * h, width_, 1.2 * h, Qt::black);
        const double foot = height_ - h;
        c_.Line(0, foot - 0.2 * h, width_, foot - 0.2 * h, Qt::black);
        const QString program = st_.Text(str::kProgramName) + QStringLiteral(" " VESTO_VERSION);
        const QString madeText = st_.Text(str::kReportMade).arg(MadeText(made_));
        TextAt(c_, 0, foot, program);
        TextAt(c_, width_ - c_.TextWidth(madeText), foot, madeText);
    }

    QString time(double serial) const { return ui::Format(serial, texts_.dateTime); }

    void summaryPage() {
        const ReportFigures f = ReportFiguresOf(st_, readings_, events_, nominal_);
        double y = bodyTop_;
        setFont(st_.PrintTitleFontSize, true);
        TextAt(c_, 0, y, st_.GraphTitle.isEmpty() ? st_.Text(str::kReportTitle) : st_.GraphTitle);
        y = c_.currentY();
        setFont(st_.PrintFontSize);
        for (const QString* line :
             {&st_.DescriptionLine2, &st_.DescriptionLine3, &st_.DescriptionLine4,
              &st_.DescriptionLine5, &st_.DescriptionLine6, &st_.DescriptionLine7})
            if (!line->trimmed().isEmpty()) {
                TextAt(c_, 0, y, *line);
                y = c_.currentY();
            }
        y += c_.TextHeight();

        const QString volts = u' ' + st_.UnitName;
        const auto days = [](int readings) { return DurationText(readings * kSampleDays); };
        std::vector<std::pair<QString, QString>> rows{
            {st_.Text(str::kLoggerNo), ui::PlainText(st_.LoggerNumber)},
            {st_.Text(str::kUnit), st_.UnitName},
            {st_.Text(str::kRange), st_.VoltageRange},
            {st_.Text(str::kHighLimit), ui::PlainText(st_.HighLimitValue) + volts},
            {st_.Text(str::kHighLimit + 1), ui::PlainText(st_.LowLimitValue) + volts}};
        if (f.nominal) rows.push_back({st_.Text(str::kNominal), ui::PlainText(*f.nominal) + " V"});
        rows.push_back({st_.Text(str::kFirstDataPoint), time(f.first)});
        rows.push_back({st_.Text(str::kFirstDataPoint + 1), time(f.last)});
        rows.push_back({st_.Text(str::kTimeSpan), SpanText(f.last - f.first)});
        rows.push_back({st_.Text(str::kPointsColon), ui::PlainText(f.readings)});
        rows.push_back({st_.Text(str::kEventCount), ui::PlainText(double(events_.size()))});
        const QStringList sides(texts_.sides.begin(), texts_.sides.end());
        rows.push_back({st_.Text(str::kEventsBySide),
                        Counted({sides[1], sides[2], sides[3], sides[0]},
                                {f.sides[1], f.sides[2], f.sides[3], f.sides[0]})});
        if (f.nominal) {
            rows.push_back({QStringLiteral("ITIC:"),
                            Counted(QStringList(texts_.regions.begin(), texts_.regions.end()),
                                    {f.regions.itic.begin(), f.regions.itic.end()})});
            rows.push_back({QStringLiteral("SEMI F47:"),
                            Counted({texts_.verdicts[1], texts_.verdicts[2], texts_.verdicts[3]},
                                    {f.regions.semi[1], f.regions.semi[2], f.regions.semi[3]})});
        }
        // The time recorded, the extremes and the longest event as the Events window says them.
        const QStringList summary = EventSummaryValues(st_, events_);
        rows.push_back({st_.Text(str::kTimeRecorded), summary[1]});
        rows.push_back({st_.Text(str::kTimeAboveHigh), days(f.aboveHigh)});
        rows.push_back({st_.Text(str::kTimeAboveHigh + 1), days(f.belowLow)});
        rows.push_back({st_.Text(str::kTimeAboveHigh + 2), days(f.between)});
        if (f.nominal) {
            rows.push_back({st_.Text(str::kAbove110), days(f.offNominal.above)});
            rows.push_back({st_.Text(str::kBelow90), days(f.offNominal.below)});
        }
        rows.push_back({st_.Text(str::kLowest), summary[3]});
        rows.push_back({st_.Text(str::kHighest), summary[4]});
        rows.push_back({st_.Text(str::kLongest), summary[2]});

        double labels = 0;
        for (const auto& row : rows) labels = std::max(labels, c_.TextWidth(row.first));
        const double h = 1.25 * c_.TextHeight();
        for (const auto& [label, value] : rows) {
            TextAt(c_, 0, y, label);
            TextAt(c_, labels + point(12), y, value);
            y += h;
        }
    }

    void graphPage() {
        // The graph of the whole record, whatever the window shows now.
        auto whole = std::make_unique<AppState>(st_);
        whole->RecordCount = readings_;
        DisplayWholeRecord(*whole);
        whole->Zoomed = 0;
        PlanGraph(*whole);
        DrawGraphPage(*whole, c_, dpi_, true);
    }

    void chartPage() {
        setFont(st_.PrintTitleFontSize, true);
        TextAt(c_, 0, bodyTop_, st_.Text(str::kCurvesTitle));
        const double top = c_.currentY() + c_.TextHeight();
        setFont(9);
        const double height = std::min(bodyBottom_ - top, 0.8 * width_);
        DrawToleranceChart(c_, QRectF(0, top, width_, height), ChartMarks(events_),
                           CountRegions(events_), ChartTextsOf(st_, nominal_), dpi_ / 96.0);
    }

    void planTable() {
        measureFrame();
        setFont(8);
        captions_ = QStringList(texts_.captions.begin(), texts_.captions.end());
        columns_ = FitColumns(
            c_, captions_, static_cast<int>(events_.size()), [this](int k) { return cells(k); },
            width_);
        tableFont_ = c_.font().pointSizeF();
        rowHeight_ = c_.TextHeight();
        rowsPerPage_ = std::max(1, static_cast<int>((bodyBottom_ - bodyTop_) / rowHeight_) - 2);
        const int count = static_cast<int>(events_.size());
        tablePages_ = std::max(1, (count + rowsPerPage_ - 1) / rowsPerPage_);
    }

    QStringList cells(int k) const {
        QStringList row;
        for (int column = 0; column < kEventColumns; ++column)
            row << EventCell(events_[static_cast<size_t>(k)], column, texts_);
        return row;
    }

    void tablePage(int t) {
        setFont(tableFont_);
        const auto line = [this](double y, const QStringList& row) {
            for (qsizetype k = 0; k < row.size(); ++k)
                TextAt(c_, columns_[static_cast<size_t>(k)], y, row[k]);
        };
        double y = bodyTop_;
        c_.setFontBold(true);
        line(y, captions_);
        c_.setFontBold(false);
        y += 1.5 * rowHeight_;
        const int first = t * rowsPerPage_;
        const int last = std::min(static_cast<int>(events_.size()), first + rowsPerPage_);
        for (int k = first; k < last; ++k, y += rowHeight_) line(y, cells(k));
    }

    const AppState& st_;
    int readings_;
    PageCanvas& c_;
    int dpi_;
    QDateTime made_;
    std::vector<RecordEvent> events_;
    std::optional<double> nominal_;
    EventTexts texts_;
    double width_ = 0, height_ = 0, bodyTop_ = 0, bodyBottom_ = 0;
    QStringList captions_;
    std::vector<double> columns_;
    double tableFont_ = 8, rowHeight_ = 0;
    int rowsPerPage_ = 1, tablePages_ = 1;
};

} // namespace

ReportFigures ReportFiguresOf(const AppState& st, int readings,
                              const std::vector<RecordEvent>& events,
                              std::optional<double> nominal) {
    ReportFigures f;
    f.readings = std::clamp(readings, 0, kMaxReadings);
    if (f.readings > 0) {
        f.first = st.RecordTime.point(1);
        f.last = st.RecordTime.point(f.readings);
    }
    for (const RecordEvent& e : events) ++f.sides[static_cast<size_t>(e.side)];
    f.regions = CountRegions(events);
    f.nominal = nominal;
    for (int i = 1; i <= f.readings; ++i) {
        const double v = st.RecordValue.point(i);
        if (v > st.HighLimitValue)
            ++f.aboveHigh;
        else if (v < st.LowLimitValue)
            ++f.belowLow;
        else
            ++f.between;
    }
    if (nominal) f.offNominal = CountOffNominal(st.RecordValue, f.readings, *nominal);
    return f;
}

QString SpanText(double days) {
    if (!(days >= 1)) return DurationText(std::max(days, 0.0));
    const double whole = std::floor(days);
    return ui::PlainText(whole) + QStringLiteral(" d ") + DurationText(days - whole);
}

bool DrawReport(const AppState& st, int readings, PageCanvas& c, int dotsPerInch,
                const QDateTime& made, const std::function<bool(int, int)>& progress) {
    return ReportWriter(st, readings, c, dotsPerInch, made).write(progress);
}
