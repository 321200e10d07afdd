#pragma once
// "Print Graph": the displayed graph on one page, in black and red with heavier lines, with the
// statistics, the logger number, the point count and, on request, the graph description under
// it. The page shows the axes and statistics of the last drawing on screen; nothing is chosen
// again.

class Log1;
class PrinterCanvas;
struct AppState;

// The plot on the page, in printer units. Its height follows the page width, so a landscape
// page gets a flat plot and the information block moves up with it.
struct GraphPage {
    double left = 0, width = 0, top = 0, height = 0;
    double bottom() const { return top + height; }
};
GraphPage PlanGraphPage(double scaleWidth, double scaleHeight);

// The right end of the time axis, found as the screen drawing found it: label intervals from
// the first label until the last displayed time is reached.
struct TimeAxisEnd {
    int labels = 1; // k
    double last = 0;
};
TimeAxisEnd FindTimeAxisEnd(double firstLabel, double labelDays, double lastTime);

// Draws the page; the description lines only when withDescription is set.
void DrawGraphPage(const AppState& st, PrinterCanvas& canvas, int dotsPerInch,
                   bool withDescription);

// The menu command: the description question, the printer dialog and the page.
void mnuPGraph_Click(Log1& w);

// "Graph to Clipboard": the picture of the graph as a bitmap.
void mnuGClip_Click(Log1& w);
