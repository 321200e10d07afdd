#pragma once
// The pages of one document on a printer chosen in the print dialog (tests print to PDF files).

#include "graph/canvas/Canvas.h"

class QPrinter;

class PrinterCanvas : public PageCanvas {
public:
    explicit PrinterCanvas(QPrinter& printer);

    // Ends the document: the pages go to the printer. False when printing failed.
    bool EndDoc() override;

private:
    QPrinter& printer_;
};
