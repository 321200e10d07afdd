#pragma once
// What the two print commands share: the busy state while the printer dialog is open and the
// pages are drawn, the printing caption, and how heavy a line is on paper.

#include <functional>

class Log1;
class PrinterCanvas;
class QPrinter;
class QString;

// Hourglass, the seven menus of the busy set disabled, and the channel-function and scale menus
// hidden (nothing shows those again: a printed record keeps the units it was drawn in).
void BeginPrinting(Log1& w);
// Label15 on teal with the printing caption (string 84), repainted at once.
void ShowPrintingCaption(Log1& w);
// Caption hidden, pointer default, the seven menus enabled. Ends a print command on every path.
void EndPrinting(Log1& w);
// The busy state, the print dialog with the title, then, unless it was cancelled, the printing
// caption and `draw` on a canvas for the chosen printer; the busy state ends on every path.
void PrintDocument(Log1& w, const QString& title,
                   const std::function<void(QPrinter&, PrinterCanvas&)>& draw);

// Printer dots for a line width of the printed graph. The widths (1 for the grid, 4 for the
// frame and the curve, 8 for the limits) are in dots of a 300 dpi laser printer, for which the
// page was laid out: 4 such dots are a third of a millimetre. On a finer printer the line keeps
// that thickness; a coarser device still gets at least one dot.
int PaperLineWidth(int width, int dotsPerInch);
