#include "graph/ToleranceChart.h"

#include "graph/canvas/Canvas.h"
#include "ui/Format.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

using quality::Curve;
using quality::IticRegion;

namespace {

const QColor kGrid(220, 220, 220);
const QColor kMinorGrid(240, 240, 240);
const QColor kIticColor(Qt::black);
const QColor kSemiColor(0, 70, 200);
const QColor kNote(90, 90, 90);

constexpr int kShortestMs = 100; // one reading: the left end of the duration axis

// A line of text with its top-left corner at (x, y).
void TextAt(Canvas& c, double x, double y, const QString& text) {
    c.setCurrentX(x);
    c.setCurrentY(y);
    c.Print(text);
}

// The text broken into lines no wider than `width` at its blanks.
QStringList Wrapped(Canvas& c, const QString& text, double width) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + u' ' + word;
        if (!line.isEmpty() && c.TextWidth(longer) > width) {
            lines << line;
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty()) lines << line;
    return lines;
}

// A step of 1, 2, 2.5 or 5 times a power of ten, giving about ten divisions of `top`.
int PercentStep(int top) {
    for (const int step : {10, 20, 25, 50, 100, 200, 250, 500, 1000, 2000, 2500, 5000})
        if (top / step <= 10) return step;
    return 10000;
}

// Durations and per cents as the axes label them: "0.1", "1", "10"; "0", "20", "40".
QString DecadeLabel(int decade) {
    const double seconds = std::pow(10.0, decade - 1);
    return ui::Format(seconds, decade == 0 ? QStringLiteral("0.0") : QStringLiteral("0"));
}

void DrawCurves(Canvas& c, const ChartMap& map, double pixel) {
    const int lastMs = static_cast<int>(std::lround(1000 * std::pow(10.0, map.decades - 1)));
    c.setDrawWidth(std::max(1, static_cast<int>(std::lround(2 * pixel))));
    for (const Curve curve : {Curve::IticUpper, Curve::IticLower, Curve::SemiF47}) {
        c.setDashed(curve == Curve::SemiF47);
        const QColor color = curve == Curve::SemiF47 ? kSemiColor : kIticColor;
        int fromMs = kShortestMs, previousLevel = -1;
        for (const quality::CurveStep& step : quality::kCurveSteps) {
            if (step.curve != curve) continue;
            const int toMs = std::min(step.untilMs, lastMs);
            if (previousLevel >= 0)
                c.Line(map.x(fromMs), map.y(previousLevel), map.x(fromMs), map.y(step.levelTenths),
                       color);
            if (toMs > fromMs)
                c.Line(map.x(fromMs), map.y(step.levelTenths), map.x(toMs), map.y(step.levelTenths),
                       color);
            fromMs = std::max(fromMs, toMs);
            previousLevel = step.levelTenths;
        }
    }
    c.setDashed(false);
    // Names at the curves: ITIC at the right end of both of its curves, SEMI F47 under its
    // first step.
    const double gap = 3 * pixel, right = map.plot.right() - gap;
    const QString itic = QStringLiteral("ITIC"), semi = QStringLiteral("SEMI F47");
    const double h = c.TextHeight();
    c.setForeColor(kIticColor);
    TextAt(c, right - c.TextWidth(itic), map.y(*quality::LevelAt(Curve::IticUpper, lastMs)) - h,
           itic);
    TextAt(c, right - c.TextWidth(itic), map.y(*quality::LevelAt(Curve::IticLower, lastMs)), itic);
    c.setForeColor(kSemiColor);
    TextAt(c, map.plot.left() + gap, map.y(*quality::LevelAt(Curve::SemiF47, kShortestMs)), semi);
    c.setForeColor(Qt::black);
}

void DrawMarks(Canvas& c, const ChartMap& map, const std::vector<ChartMark>& marks, double pixel) {
    // Many events fall on one spot (a record of single readings is tens of thousands of marks at
    // 0.1 s): each spot is drawn once a region, the worse regions over the better ones.
    const double size = 5 * pixel;
    const int columns = std::max(1, static_cast<int>(map.plot.width() / pixel) + 1);
    const int rows = std::max(1, static_cast<int>(map.plot.height() / pixel) + 1);
    std::vector<quint8> drawn(static_cast<size_t>(columns) * static_cast<size_t>(rows), 0);
    for (const IticRegion region :
         {IticRegion::Within, IticRegion::NoDamage, IticRegion::Prohibited}) {
        const quint8 bit = static_cast<quint8>(1u << static_cast<int>(region));
        const QColor color = RegionColor(region);
        for (const ChartMark& m : marks) {
            if (m.region != region) continue;
            const double x = map.x(m.durationMs), y = map.y(m.tenths);
            const int col =
                std::clamp(static_cast<int>((x - map.plot.left()) / pixel), 0, columns - 1);
            const int row = std::clamp(static_cast<int>((y - map.plot.top()) / pixel), 0, rows - 1);
            quint8& spot = drawn[static_cast<size_t>(row) * static_cast<size_t>(columns) +
                                 static_cast<size_t>(col)];
            if (spot & bit) continue;
            spot |= bit;
            c.FillRect(x - size / 2, y - size / 2, size, size, color);
        }
    }
}

// The legend under the plot: a swatch and the count of each region, the SEMI F47 verdicts
// beside them where the width allows (else under them), and why the chart starts at 0.1 s.
struct LegendLine {
    enum Kind { Region, Semi, Note } kind;
    int region; // for a Region line
    double x;   // where its swatch or text starts, from the legend's left
    int row;
    QString text;
};

std::vector<LegendLine> PlanLegend(Canvas& c, const quality::RegionCounts& counts,
                                   const ChartTexts& texts, double width, double pixel) {
    const double h = c.TextHeight(), indent = 0.6 * h + 6 * pixel, line = 1.8 * h;
    std::vector<LegendLine> lines;
    double regionsWidth = 0;
    for (int k = 0; k < 3; ++k) {
        const QString text =
            texts.regions[static_cast<size_t>(k)].arg(counts.itic[static_cast<size_t>(k)]);
        regionsWidth = std::max(regionsWidth, indent + c.TextWidth(text));
        lines.push_back({LegendLine::Region, k, 0, k, text});
    }
    const QString semi = texts.semi.arg(counts.semi[1]).arg(counts.semi[2]).arg(counts.semi[3]);
    const double beside = std::max(regionsWidth + 4 * indent, width / 2);
    int row = 3;
    if (beside + line + indent + c.TextWidth(semi) <= width) {
        lines.push_back({LegendLine::Semi, 0, beside, 0, semi});
    } else {
        const QStringList parts = Wrapped(c, semi, width - line - indent);
        for (qsizetype k = 0; k < parts.size(); ++k)
            lines.push_back({k == 0 ? LegendLine::Semi : LegendLine::Note, -1,
                             k == 0 ? 0 : line + indent, row++, parts[k]});
    }
    for (const QString& part : Wrapped(c, texts.resolution, width))
        lines.push_back({LegendLine::Note, 0, 0, row++, part});
    return lines;
}

int LegendRows(const std::vector<LegendLine>& lines) {
    int rows = 0;
    for (const LegendLine& l : lines) rows = std::max(rows, l.row + 1);
    return rows;
}

void DrawLegend(Canvas& c, double left, double top, const std::vector<LegendLine>& lines,
                double pixel) {
    const double h = c.TextHeight(), swatch = 0.6 * h, gap = 6 * pixel, line = 1.8 * h;
    for (const LegendLine& l : lines) {
        const double x = left + l.x, y = top + l.row * h;
        switch (l.kind) {
        case LegendLine::Region:
            c.FillRect(x, y + (h - swatch) / 2, swatch, swatch,
                       RegionColor(static_cast<IticRegion>(l.region)));
            TextAt(c, x + swatch + gap, y, l.text);
            break;
        case LegendLine::Semi:
            c.setDrawWidth(std::max(1, static_cast<int>(std::lround(2 * pixel))));
            c.setDashed(true);
            c.Line(x, y + h / 2, x + line, y + h / 2, kSemiColor);
            c.setDashed(false);
            TextAt(c, x + line + gap, y, l.text);
            break;
        case LegendLine::Note:
            c.setForeColor(l.region < 0 ? Qt::black : kNote);
            TextAt(c, x, y, l.text);
            c.setForeColor(Qt::black);
            break;
        }
    }
}

} // namespace

QColor RegionColor(IticRegion region) {
    switch (region) {
    case IticRegion::NoDamage:
        return QColor(235, 140, 0);
    case IticRegion::Prohibited:
        return QColor(215, 0, 0);
    default:
        return QColor(0, 150, 60);
    }
}

double ChartMap::x(int durationMs) const {
    const double decade = std::log10(std::max(durationMs, kShortestMs) / 1000.0) + 1;
    return plot.left() + decade / decades * plot.width();
}

double ChartMap::y(int tenths) const {
    return plot.bottom() - std::max(tenths, 0) / (10.0 * percentTop) * plot.height();
}

ChartMap PlanChart(const std::vector<ChartMark>& marks, const QRectF& plot) {
    ChartMap map;
    map.plot = plot;
    int longestMs = 100000, highest = 2000;
    for (const ChartMark& m : marks) {
        longestMs = std::max(longestMs, m.durationMs);
        highest = std::max(highest, m.tenths);
    }
    while (std::pow(10.0, map.decades - 1) * 1000 < longestMs) ++map.decades;
    // Whole steps of the axis above the highest mark.
    const int top = (highest + 9) / 10;
    map.percentStep = PercentStep(top);
    map.percentTop = (top + map.percentStep - 1) / map.percentStep * map.percentStep;
    return map;
}

ChartMap DrawToleranceChart(Canvas& c, const QRectF& area, const std::vector<ChartMark>& marks,
                            const quality::RegionCounts& counts, const ChartTexts& texts,
                            double pixel) {
    c.setForeColor(Qt::black);
    const double h = c.TextHeight(), gap = 6 * pixel;
    if (!texts.noNominal.isEmpty()) {
        const QStringList lines = Wrapped(c, texts.noNominal, area.width() * 0.8);
        double y = area.center().y() - lines.size() * h / 2;
        for (const QString& line : lines) {
            TextAt(c, area.center().x() - c.TextWidth(line) / 2, y, line);
            y += h;
        }
        return {};
    }
    // Room for the per cent labels on the left, the axis title above, the duration labels and
    // title and the legend below.
    const double labelWidth = c.TextWidth(QStringLiteral("0000")) + gap;
    const double plotWidth = std::max(1.0, area.width() - labelWidth - 2 * gap);
    const std::vector<LegendLine> legend = PlanLegend(c, counts, texts, plotWidth, pixel);
    const QRectF plot(area.left() + labelWidth, area.top() + 1.5 * h, plotWidth,
                      std::max(1.0, area.height() - (3.5 + LegendRows(legend)) * h - 2 * gap));
    const ChartMap map = PlanChart(marks, plot);

    // The grid: every decade and the steps between, every per cent step.
    c.setDrawWidth(std::max(1, static_cast<int>(std::lround(pixel))));
    for (int d = 0; d < map.decades; ++d) {
        for (int k = 2; k <= 9; ++k) {
            const double x = map.x(static_cast<int>(std::lround(k * 100 * std::pow(10.0, d))));
            c.Line(x, plot.top(), x, plot.bottom(), kMinorGrid);
        }
    }
    for (int d = 0; d <= map.decades; ++d) {
        const double x = plot.left() + d * plot.width() / map.decades;
        c.Line(x, plot.top(), x, plot.bottom(), kGrid);
        const QString label = DecadeLabel(d);
        TextAt(c, x - c.TextWidth(label) / 2, plot.bottom() + gap / 2, label);
    }
    for (int p = 0; p <= map.percentTop; p += map.percentStep) {
        const double y = map.y(p * 10);
        c.Line(plot.left(), y, plot.right(), y, p == 100 ? QColor(150, 150, 150) : kGrid);
        const QString label = ui::Format(p, QStringLiteral("0"));
        TextAt(c, plot.left() - gap / 2 - c.TextWidth(label), y - h / 2, label);
    }
    c.Line(plot.left(), plot.top(), plot.left(), plot.bottom(), Qt::black);
    c.Line(plot.left(), plot.bottom(), plot.right(), plot.bottom(), Qt::black);
    TextAt(c, plot.left() - labelWidth + gap / 2, area.top(), texts.axisPercent);
    TextAt(c, plot.center().x() - c.TextWidth(texts.axisDuration) / 2, plot.bottom() + h + gap / 2,
           texts.axisDuration);

    DrawCurves(c, map, pixel);
    DrawMarks(c, map, marks, pixel);
    DrawLegend(c, plot.left(), plot.bottom() + 2 * h + 1.5 * gap, legend, pixel);
    return map;
}

int MarkAt(const ChartMap& map, const std::vector<ChartMark>& marks, double x, double y,
           double reach) {
    int found = -1;
    double best = reach * reach;
    for (int k = 0; k < static_cast<int>(marks.size()); ++k) {
        const ChartMark& m = marks[static_cast<size_t>(k)];
        const double dx = map.x(m.durationMs) - x, dy = map.y(m.tenths) - y;
        const double distance = dx * dx + dy * dy;
        if (distance <= best &&
            (found < 0 || distance < best || m.region > marks[size_t(found)].region))
            best = distance, found = k;
    }
    return found;
}
