#include "output/PrintState.h"

#include "graph/canvas/PrinterCanvas.h"
#include "shell/Log1.h"
#include "ui/Colors.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QLabel>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace {
const QColor kTeal(0, 192, 192);
} // namespace

void BeginPrinting(Log1& w) {
    BeginBusy(w);
    w.mnuFuncWEN->setVisible(false);
    w.mnuFuncTREL->setVisible(false);
    w.mnuScale->setVisible(false);
}

void ShowPrintingCaption(Log1& w) {
    ui::SetBackColor(w.Label15, kTeal);
    w.Label15->setText(w.st.Text(84));
    w.Label15->show();
    w.Label15->repaint();
}

void EndPrinting(Log1& w) {
    w.Label15->hide();
    EndBusy(w);
}

void PrintDocument(Log1& w, const QString& title,
                   const std::function<void(QPrinter&, PrinterCanvas&)>& draw) {
    BeginPrinting(w);
    QPrinter printer(QPrinter::HighResolution);
    if (ui::PrintDialog(printer, title)) {
        ShowPrintingCaption(w);
        PrinterCanvas canvas(printer);
        draw(printer, canvas);
    }
    EndPrinting(w);
}
