#include "output/GraphImage.h"

#include "files/ExportFile.h"
#include "graph/DrawGraph.h"
#include "graph/canvas/Canvas.h"
#include "graph/canvas/PictureBox.h"
#include "output/PrintGraph.h"
#include "shell/Log1.h"
#include "shell/StringNumbers.h"
#include "ui/Prompts.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

bool IsPdfName(const QString& name) {
    return name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

QByteArray GraphPng(Log1& w) {
    ImageCanvas canvas(w.Picture1->width(), w.Picture1->height(), Qt::white, 2);
    DrawGraph(w, canvas);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    canvas.Image().save(&buffer, "PNG");
    return bytes;
}

QByteArray GraphPdf(Log1& w) {
    // The printer writes only to a file of its own; the page is then put in place in one piece.
    QTemporaryDir scratch;
    if (!scratch.isValid()) return {};
    const QString path = scratch.filePath(QStringLiteral("graph.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setDocName(w.st.GraphTitle);
        PrinterCanvas canvas(printer);
        DrawGraphPage(w.st, canvas, printer.resolution(), true);
        if (!canvas.EndDoc()) return {};
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void mnuSaveGraph_Click(Log1& w) {
    const AppState& st = w.st;
    if (!RecordLoadedOrSay(w)) return;
    const QString png = QStringLiteral(".png");
    const std::optional<QString> name =
        ChooseFileToWrite(w, PlainCaption(st.Text(str::kMenuSaveGraph)),
                          QStringLiteral("PNG picture (*.png)|*.png|PDF document (*.pdf)|*.pdf"),
                          SuggestedFileName(st, png), [&png](const QString& chosen) {
                              return IsPdfName(chosen) ? chosen : WithEnding(chosen, png);
                          });
    if (!name) return;
    const QByteArray bytes = IsPdfName(*name) ? GraphPdf(w) : GraphPng(w);
    if (bytes.isEmpty()) {
        ui::MsgBox(st.Text(str::kNotWritten)
                       .arg(QDir::toNativeSeparators(*name),
                            QStringLiteral("the page could not be drawn")),
                   ui::Buttons::Ok, ui::Icon::Exclamation, st.Text(str::kMessageTitle));
        return;
    }
    WriteFileOrSay(w, *name, bytes);
}
