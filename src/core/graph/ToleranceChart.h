#pragma once
// The magnitude-duration chart: every event of a record as a mark at its duration (a logarithmic
// axis of seconds) and its depth or height in per cent of the nominal voltage, against the ITIC
// curves and the SEMI F47 steps, with a legend of the counts in each region. The same drawing
// goes on screen, on paper and into image files.

#include "quality/Tolerance.h"

#include <QColor>
#include <QRectF>
#include <QString>
#include <array>
#include <vector>

class Canvas;

// One mark: a sag at its lowest reading, a swell at its highest, an event that is both as two
// marks, each coloured by its own region.
struct ChartMark {
    int event = 0; // position in the events list
    int durationMs = 0;
    int tenths = 0; // per cent of nominal, in tenths
    quality::IticRegion region = quality::IticRegion::Within;
};

struct ChartTexts {
    QString axisDuration, axisPercent;
    std::array<QString, 3> regions; // legend lines with %1 for the count, in the enum's order
    QString semi;                   // %1 inside, %2 outside, %3 not covered
    QString resolution;             // why nothing is drawn below 0.1 s
    // Not empty: the record has no nominal voltage, and the chart says only this.
    QString noNominal;
};

QColor RegionColor(quality::IticRegion region);

// Where the plot lies on the canvas and how durations and per cents map onto it.
struct ChartMap {
    QRectF plot;
    int decades = 3;      // the duration axis runs from 0.1 s to 10^(decades - 1) s
    int percentTop = 200; // the per cent axis runs from 0 to here
    int percentStep = 20; // between its labels
    double x(int durationMs) const;
    double y(int tenths) const;
};

// The axes for these marks: durations from 0.1 s to at least 100 s and per cents from 0 to at
// least 200, each further when a mark lies beyond.
ChartMap PlanChart(const std::vector<ChartMark>& marks, const QRectF& plot);

// Draws the chart into the area of the canvas, in the canvas's present font. `pixel` is the
// canvas units of a screen pixel (1 on screen, the dots of 1/96 inch on paper): line widths,
// marks and gaps scale with it. Returns the map for finding a mark under the pointer.
ChartMap DrawToleranceChart(Canvas& c, const QRectF& area, const std::vector<ChartMark>& marks,
                            const quality::RegionCounts& counts, const ChartTexts& texts,
                            double pixel);

// The mark nearest to the position and no further than `reach`; -1 when there is none.
int MarkAt(const ChartMap& map, const std::vector<ChartMark>& marks, double x, double y,
           double reach);
