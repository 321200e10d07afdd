// A full memory (73620 readings, all three banks) from the virtual logger at its fast speed,
// downloaded through the window and through vesto-cli in the same run: the window from the
// Download command to its graph and archive, the tool from its start to its exit (its start-up
// and first status exchange included).
#include "app/Application.h"
#include "link/LoggerLink.h"
#include "link/ReferenceClock.h"
#include "link/serial/MSComm1.h"
#include "shell/Log1.h"
#include "ui/DateSerial.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <functional>

namespace {

struct VirtualLogger {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("com1"));
    QProcess process;

    bool start() {
        process.start(QStringLiteral(VESTO_BINARY_DIR "/vesto-logger-emulator"),
                      {"--speed", "fast", "--wrapped", "--link", link});
        return process.waitForReadyRead(10000) && process.readLine().startsWith("PTY ");
    }
    ~VirtualLogger() {
        process.write("quit\n");
        if (!process.waitForFinished(3000)) process.kill();
    }
};

// Every question answered OK: the record in memory may be replaced.
class AnswerOk : public ui::PromptHandler {
public:
    AnswerOk() { ui::InstallPromptHandler(this); }
    ~AnswerOk() override { ui::InstallPromptHandler(nullptr); }
    ui::Answer message(const ui::MessageRequest&) override { return ui::Ok; }
    std::optional<QString> file(const ui::FileRequest&) override { return std::nullopt; }
    bool print(QPrinter&, const QString&) override { return false; }
    void modal(QDialog&) override {}
};

bool Until(const std::function<bool()>& done, int ms) {
    QElapsedTimer took;
    took.start();
    while (!done() && took.elapsed() < ms) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

void BM_DownloadThroughWindow(benchmark::State& state) {
    VirtualLogger logger;
    if (!logger.start()) return state.SkipWithError("the virtual logger did not start");
    AnswerOk answers;
    auto st = std::make_unique<AppState>();
    std::unique_ptr<Log1> w = CreateMainWindow(*st);
    w->MSComm1->setNamedDevice(logger.link);
    w->MSComm1->setInputLen(0);
    w->MSComm1->setInBufferSize(32760);
    w->MSComm1->setSettings(QStringLiteral("4800,N,8,2"));
    if (w->MSComm1->setPortOpen(true) != 0) return state.SkipWithError("the port did not open");
    st->PortReady = 1;
    st->VoltageRange = QStringLiteral("250 Volt");
    SetReferenceTime(*st, ui::Now());
    w->Link->start();
    if (!Until([&] { return st->LoggerOnline == 1; }, 10000))
        return state.SkipWithError("the logger did not answer");
    bool drawn = false;
    QObject::connect(w.get(), &Log1::recordReplaced, [&] { drawn = true; });
    for (auto _ : state) {
        drawn = false;
        // The Download command waits for no status exchange under way, as a person would.
        Until([&] { return st->LinkState == 0; }, 5000);
        w->mnuDownload->trigger();
        if (!Until([&] { return drawn && st->LinkState == 0; }, 60000))
            return state.SkipWithError("the download did not end");
    }
    state.counters["readings"] = st->RecordCount.value();
}

void BM_DownloadThroughTool(benchmark::State& state) {
    VirtualLogger logger;
    if (!logger.start()) return state.SkipWithError("the virtual logger did not start");
    for (auto _ : state) {
        QProcess tool;
        tool.start(QStringLiteral(VESTO_BINARY_DIR "/vesto-cli"),
                   {"download", "--port", logger.link});
        if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
            return state.SkipWithError("the tool's download failed");
    }
}

void Repeated(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(BM_DownloadThroughWindow)->Apply(Repeated);
BENCHMARK(BM_DownloadThroughTool)->Apply(Repeated);
