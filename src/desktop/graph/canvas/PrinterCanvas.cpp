#include "graph/canvas/PrinterCanvas.h"

#include <QPrinter>

PrinterCanvas::PrinterCanvas(QPrinter& printer) : PageCanvas(printer), printer_(printer) {}

bool PrinterCanvas::EndDoc() {
    const bool ended = PageCanvas::EndDoc();
    const QPrinter::PrinterState state = printer_.printerState();
    return ended && state != QPrinter::Error && state != QPrinter::Aborted;
}
