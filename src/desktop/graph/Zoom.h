#pragma once
// Zoom and cursor readout on the graph: the pointer's time and value are shown while it is over
// the plot, a dragged rectangle cuts the displayed window down to its time span and value range,
// and "Unzoom" brings the whole record back. Positions are turned into times and values with the
// plot rectangle and axis ends the last drawing left on the state.

#include "graph/GraphPlan.h"
#include "shell/RecordArrays.h"

struct AppState;
class Log1;

// Time under canvas x and value under canvas y, by the last drawing's mapping.
double TimeAtX(const AppState& st, double x);
double ValueAtY(const AppState& st, double y);
// Strictly inside the plot rectangle: a point on the frame line is outside.
bool InsidePlot(const AppState& st, double x, double y);

// First and last displayed index inside a zoom's time span [from, to).
struct ZoomSpan {
    int first;
    int last;
};
// Scans points 1..count: first is the first point at or after `from` (1 when there is none);
// the scan stops at the first point at or after `to`, and last is the point before it (count
// when there is none).
ZoomSpan FindZoomSpan(const RecordArray<double>& times, int count, double from, double to);

// Picture1's mouse events, in canvas units.
void Picture1_MouseDown(Log1& w, int button, int shift, double x, double y);
void Picture1_MouseMove(Log1& w, int button, int shift, double x, double y);
void Picture1_MouseUp(Log1& w, int button, int shift, double x, double y);

// Cuts the displayed window to the dragged rectangle and redraws; a span of fewer than three
// points only sets the value window.
void ApplyZoom(Log1& w);

// The end of a drag, once ZoomTimeFrom/To and DragValueTop/Bottom hold the rectangle: zooms
// unless the rectangle has no width or no height or a zoom is not possible now.
void ZoomToDrag(Log1& w);
// False while a transfer, a drawing or a printout is under way.
bool ZoomPossible(const AppState& st);

// "Unzoom" (Command2): the whole record is displayed again.
void Unzoom(Log1& w);

// The zoom from the keyboard, with the graph focused: + cuts the displayed time span to its
// middle half, Left and Right move a zoomed span by half its width through the record, - shows
// the whole record as Unzoom does. The value window fits the readings shown.
void Picture1_KeyDown(Log1& w, int key);
// A zoom to the record's readings in the time span [from, to), with a tenth of their spread of
// values above and below, as a drag over them would make it. False (nothing changes) when fewer
// than three readings lie there.
bool ZoomToSpan(Log1& w, double from, double to);
