#pragma once
// What the two print commands share: the busy state while the printer dialog is open and the
// pages are drawn, the printing caption, and how heavy a line is on paper.

class Log1;

// Hourglass, the seven menus of the busy set disabled, and the channel-function and scale menus
// hidden (nothing shows those again: a printed record keeps the units it was drawn in).
void BeginPrinting(Log1& w);
// Label15 on teal with the printing caption (string 84), repainted at once.
void ShowPrintingCaption(Log1& w);
// Caption hidden, pointer default, the seven menus enabled. Ends a print command on every path.
void EndPrinting(Log1& w);

// Printer dots for a line width of the printed graph. The widths (1 for the grid, 4 for the
// frame and the curve, 8 for the limits) are in dots of a 300 dpi laser printer, for which the
// page was laid out: 4 such dots are a third of a millimetre. On a finer printer the line keeps
// that thickness; a coarser device still gets at least one dot.
int PaperLineWidth(int width, int dotsPerInch);
