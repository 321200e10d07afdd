#pragma once
// The printed graph page: the displayed graph in black and red with heavier lines, with the
// statistics, the logger number, the point count and, on request, the graph description under
// it. The page shows the axes and statistics of the last planning of the graph; nothing is
// chosen again. Print Graph, Save Graph As (PDF) and the site report draw it.

class PageCanvas;
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
void DrawGraphPage(const AppState& st, PageCanvas& canvas, int dotsPerInch, bool withDescription);

// Printer dots for a line width of the printed graph. The widths (1 for the grid, 4 for the
// frame and the curve, 8 for the limits) are in dots of a 300 dpi laser printer, for which the
// page was laid out: 4 such dots are a third of a millimetre. On a finer printer the line keeps
// that thickness; a coarser device still gets at least one dot.
int PaperLineWidth(int width, int dotsPerInch);
