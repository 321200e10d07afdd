#pragma once
// "Print Graph": the displayed graph on one page, in black and red with heavier lines, with the
// statistics, the logger number, the point count and, on request, the graph description under
// it. The page shows the axes and statistics of the last drawing on screen; nothing is chosen
// again.

class Log1;

// The menu command: the description question, the printer dialog and the page.
void mnuPGraph_Click(Log1& w);

// "Graph to Clipboard": the picture of the graph as a bitmap.
void mnuGClip_Click(Log1& w);
