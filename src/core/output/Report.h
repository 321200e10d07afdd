#pragma once
// "Site Report": one document for the customer after a logging job. A summary page (what was
// measured, when, what happened and whether it mattered), the graph of the whole record as the
// printed graph page draws it, the tolerance-curve chart (records in volts), and the events list
// over as many pages as it needs, its column header on each. Every page has a header with the
// title, the logger number and "Page n of m", and a footer with the program, its version and
// when the report was made. The window writes it as a PDF file or prints it; the command-line
// tool writes the PDF file.

#include "output/Events.h"

#include <QDateTime>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class PageCanvas;
struct AppState;

// The figures of the summary page, from the record and its events.
struct ReportFigures {
    int readings = 0;
    double first = 0, last = 0; // times of the first and the last reading
    std::array<int, 4> sides{}; // events by EventSide
    quality::RegionCounts regions;
    std::optional<double> nominal;
    int aboveHigh = 0, belowLow = 0, between = 0; // readings, each one sample period
    OffNominal offNominal;
};
ReportFigures ReportFiguresOf(const AppState& st, int readings,
                              const std::vector<RecordEvent>& events,
                              std::optional<double> nominal);

// A span of days as the summary shows it: "3 d 4:05:06.7", or "4:05:06.7" under a day.
QString SpanText(double days);

// Draws every page of the report of the record in memory (its first `readings` readings) on the
// canvas. `progress(done, pages)` is told after each page and stops the report by returning
// false. False when it was stopped or the printer failed.
bool DrawReport(const AppState& st, int readings, PageCanvas& c, int dotsPerInch,
                const QDateTime& made, const std::function<bool(int, int)>& progress);
