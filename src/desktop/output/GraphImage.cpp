#include "output/GraphImage.h"

#include "files/ExportFile.h"
#include "graph/DrawGraph.h"
#include "graph/canvas/Canvas.h"
#include "graph/canvas/PictureBox.h"
#include "output/GraphPage.h"
#include "output/PdfFile.h"
#include "shell/Log1.h"
#include "shell/StringNumbers.h"
#include "ui/Prompts.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLocale>

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
    return PdfBytes(w.st.GraphTitle, LocalePaper(QLocale()),
                    [&w](PageCanvas& canvas, int dpi) { DrawGraphPage(w.st, canvas, dpi, true); });
}

void SavePictureAs(Log1& w, const QString& title, const QString& nameEnding,
                   const std::function<QByteArray()>& png, const std::function<QByteArray()>& pdf) {
    const AppState& st = w.st;
    const QString ending = QStringLiteral(".png");
    const std::optional<QString> name = ChooseFileToWrite(
        w, title, QStringLiteral("PNG picture (*.png)|*.png|PDF document (*.pdf)|*.pdf"),
        SuggestedFileName(st, nameEnding + ending), [&ending](const QString& chosen) {
            return IsPdfName(chosen) ? chosen : WithEnding(chosen, ending);
        });
    if (!name) return;
    WriteDrawnFileOrSay(w, *name, IsPdfName(*name) ? pdf() : png(),
                        QStringLiteral("the page could not be drawn"));
}

void mnuSaveGraph_Click(Log1& w) {
    if (!RecordLoadedOrSay(w)) return;
    SavePictureAs(
        w, PlainCaption(w.st.Text(str::kMenuSaveGraph)), {}, [&w] { return GraphPng(w); },
        [&w] { return GraphPdf(w); });
}
