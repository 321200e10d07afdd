#pragma once
// Draws the displayed record as a time graph in Picture1 and leaves the plot geometry, the axis
// ends and the statistics on the shared state for the zoom and the printout.

#include "graph/GraphPlan.h"

class ImageCanvas;
class Log1;

void DrawGraph(Log1& w);
// The same drawing on another canvas of Picture1's size (a finer image of the graph as shown);
// the state it leaves is the one the drawing in Picture1 leaves.
void DrawGraph(Log1& w, ImageCanvas& canvas);
