// Printing a full record (73620 readings) to a PDF file: the data listing (148 pages), the
// graph page and the site report, each through its menu command with the print or file dialog
// answered at once. Set VESTO_BENCH_PDF_DIR to a folder to keep the printouts (listing.pdf,
// graph.pdf, report.pdf) there.
#include "MainsRecord.h"
#include "app/Application.h"
#include "graph/DrawGraph.h"
#include "output/PrintData.h"
#include "output/PrintGraph.h"
#include "output/ReportCommand.h"
#include "shell/Log1.h"
#include "ui/Prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QProgressBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Answers every prompt: Yes to questions, the print and the file dialog with a PDF file.
class ToPdf : public ui::PromptHandler {
public:
    explicit ToPdf(QString path) : path_(std::move(path)) { ui::InstallPromptHandler(this); }
    ~ToPdf() override { ui::InstallPromptHandler(nullptr); }
    ui::Answer message(const ui::MessageRequest&) override { return ui::Yes; }
    std::optional<QString> file(const ui::FileRequest&) override { return path_; }
    bool print(QPrinter& printer, const QString&) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path_);
        return true;
    }
    void modal(QDialog&) override {}

private:
    QString path_;
};

struct Printing {
    QTemporaryDir dir;
    std::unique_ptr<AppState> st = std::make_unique<AppState>();
    std::unique_ptr<Log1> w = CreateMainWindow(*st);
    ToPdf prompts{dir.filePath(QStringLiteral("out.pdf"))};
    Printing() {
        w->ProgressBar1->setValue(100);
        FillMainsRecord(*st, kMaxReadings);
        DrawGraph(*w);
    }
    double fileBytes() const { return double(QFileInfo(dir.filePath("out.pdf")).size()); }
    // With VESTO_BENCH_PDF_DIR set, the last printout is kept there to be looked at.
    void keep(const QString& name) const {
        const QString folder = qEnvironmentVariable("VESTO_BENCH_PDF_DIR");
        if (folder.isEmpty()) return;
        QFile::remove(QDir(folder).filePath(name));
        QFile::copy(dir.filePath("out.pdf"), QDir(folder).filePath(name));
    }
};

void BM_PrintDataListing(benchmark::State& state) {
    Printing p;
    for (auto _ : state) mnuPData_Click(*p.w);
    state.counters["pages"] = ListingPageCount(kMaxReadings);
    state.counters["pdf_bytes"] = p.fileBytes();
    p.keep(QStringLiteral("listing.pdf"));
}

void BM_PrintGraphPage(benchmark::State& state) {
    Printing p;
    for (auto _ : state) mnuPGraph_Click(*p.w);
    state.counters["pdf_bytes"] = p.fileBytes();
    p.keep(QStringLiteral("graph.pdf"));
}

// The site report of the mains record (1227 events): summary, graph, chart and 25 pages of
// events, written as a PDF file over the one before.
void BM_SiteReport(benchmark::State& state) {
    Printing p;
    for (auto _ : state) mnuReport_Click(*p.w);
    state.counters["pdf_bytes"] = p.fileBytes();
    p.keep(QStringLiteral("report.pdf"));
}

} // namespace

BENCHMARK(BM_SiteReport)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_PrintDataListing)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_PrintGraphPage)->Unit(benchmark::kMillisecond)->Repetitions(5);
