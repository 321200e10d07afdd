#include "output/ReportCommand.h"

#include "files/ExportFile.h"
#include "graph/canvas/PrinterCanvas.h"
#include "output/PdfFile.h"
#include "output/PrintState.h"
#include "output/Report.h"
#include "shell/Log1.h"
#include "shell/StringNumbers.h"
#include "ui/DateSerial.h"
#include "ui/Progress.h"
#include "ui/Prompts.h"

#include <QDir>
#include <QLocale>
#include <QPrinter>
#include <memory>

void mnuReport_Click(Log1& w) {
    AppState& st = w.st;
    if (!RecordLoadedOrSay(w)) return;
    const QString title = PlainCaption(st.Text(str::kReportTitle));
    const ui::Answer answer =
        ui::MsgBox(st.Text(str::kReportAsPdf), ui::Buttons::YesNoCancel, ui::Icon::Question, title);
    if (answer == ui::Cancel) return;
    const int readings = std::clamp(static_cast<int>(st.RecordCount.value()), 0, kMaxReadings);
    const QDateTime made = ui::NowDateTime();
    std::unique_ptr<ui::Progress> progress;
    const auto step = [&](int done, int pages) {
        if (!progress)
            progress = std::make_unique<ui::Progress>(&w, st.Text(str::kWritingReport),
                                                      st.Text(119), pages);
        return progress->step(done);
    };
    if (answer == ui::No) {
        PrintDocument(w, title, [&](QPrinter& printer, PrinterCanvas& canvas) {
            if (!DrawReport(st, readings, canvas, printer.resolution(), made, step))
                printer.abort();
        });
        return;
    }
    const QString pdf = QStringLiteral(".pdf");
    const std::optional<QString> name = ChooseFileToWrite(
        w, title, QStringLiteral("PDF document (*.pdf)|*.pdf"), SuggestedFileName(st, pdf),
        [&pdf](const QString& chosen) { return WithEnding(chosen, pdf); });
    if (!name) return;
    BeginBusy(w);
    bool cancelled = false;
    const QByteArray bytes =
        PdfBytes(st.GraphTitle, LocalePaper(QLocale()), [&](PageCanvas& canvas, int dpi) {
            DrawReport(st, readings, canvas, dpi, made, [&](int done, int pages) {
                cancelled = !step(done, pages);
                return !cancelled;
            });
        });
    progress.reset();
    EndBusy(w);
    if (cancelled) return;
    WriteDrawnFileOrSay(w, *name, bytes, QStringLiteral("the report could not be drawn"));
}
