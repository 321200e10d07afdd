#include "output/PrintGraph.h"

#include "graph/canvas/PictureBox.h"
#include "graph/canvas/PrinterCanvas.h"
#include "output/GraphPage.h"
#include "output/PrintState.h"
#include "shell/Log1.h"
#include "ui/Colors.h"
#include "ui/Format.h"
#include "ui/Prompts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPrinter>
#include <cmath>

void mnuPGraph_Click(Log1& w) {
    AppState& st = w.st;
    if (!w.RecordLoaded()) {
        ui::MsgBox(QStringLiteral("No Graph to Print.  Download First"), ui::Buttons::Ok,
                   ui::Icon::Information, st.Text(54));
        return;
    }
    const ui::Answer answer =
        ui::MsgBox(st.Text(82), ui::Buttons::YesNoCancel, ui::Icon::Question, st.Text(150));
    st.PrintGraphAnswer = answer;
    if (answer == ui::Cancel) return;

    PrintDocument(w, st.Text(83), [&st, answer](QPrinter& printer, PrinterCanvas& canvas) {
        DrawGraphPage(st, canvas, printer.resolution(), answer != ui::No);
        // A failed printer ends the command the same way, without a message.
        canvas.EndDoc();
    });
}

void mnuGClip_Click(Log1& w) {
    if (!w.RecordLoaded()) {
        ui::MsgBox(QStringLiteral("No Graph to Copy.  Download First"), ui::Buttons::Ok,
                   ui::Icon::Information, w.st.Text(54));
        return;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(w.Picture1->Image());
}
