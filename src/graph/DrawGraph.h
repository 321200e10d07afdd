#pragma once
// Draws the displayed record as a time graph in Picture1 and leaves the plot geometry, the axis
// ends and the statistics on the shared state for the zoom and the printout.

class Log1;

void DrawGraph(Log1& w);
