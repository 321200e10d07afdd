#include "output/PrintState.h"

#include "shell/Log1.h"
#include "ui/Colors.h"

#include <QAction>
#include <QLabel>
#include <algorithm>
#include <cmath>

namespace {
const QColor kTeal(0, 192, 192);
constexpr double kLayoutDotsPerInch = 300;
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

int PaperLineWidth(int width, int dotsPerInch) {
    const double dots = std::round(width * dotsPerInch / kLayoutDotsPerInch);
    return dots >= 1 ? static_cast<int>(std::min(dots, 1000.0)) : 1;
}
