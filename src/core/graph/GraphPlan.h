#pragma once
// The decisions the graph is drawn on, for the screen and for paper: the value window,
// statistics, axes and label patterns of the displayed points.

#include "graph/AxisPlan.h"

struct AppState;

// Left on the state for the drawing, the zoom and the printed page; not planned with fewer than
// three points.
struct GraphPlan {
    bool planned = false;
    graph::ValueAxis value;
    graph::TimeAxis time;
};
GraphPlan PlanGraph(AppState& st);

// Points the record arrays can hold of DisplayCount (a count that is not a whole number counts
// its whole part).
int DisplayedPoints(double count);

// The whole record copied into the displayed window, without drawing.
void DisplayWholeRecord(AppState& st);
