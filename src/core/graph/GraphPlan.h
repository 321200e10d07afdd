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
