#pragma once
// What the print commands share: the busy state while the printer dialog is open and the pages
// are drawn, and the printing caption.

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
