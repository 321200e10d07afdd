// Peak memory of the program with a full record loaded: the main window built and loaded as the
// program does it (language and settings files in a scratch working folder, COM1 on a quiet
// pseudo-terminal), a full record of 73620 readings saved to a file and opened again from it,
// drawn and painted. The counter peak_MB is the process's peak resident set (VmHWM) at the end.
// Run on its own: the process must hold nothing else.
#include "MainsRecord.h"
#include "app/Application.h"
#include "files/OpenRecord.h"
#include "files/SaveRecord.h"
#include "shell/Log1.h"
#include "ui/Prompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

// Kilobytes of a field of /proc/self/status, e.g. "VmHWM".
double StatusKb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ')[0].toDouble();
    }
    return 0;
}

// Whatever the program asks is answered at once: Yes, no file, no printer.
class Quiet : public ui::PromptHandler {
public:
    Quiet() { ui::InstallPromptHandler(this); }
    ~Quiet() override { ui::InstallPromptHandler(nullptr); }
    ui::Answer message(const ui::MessageRequest&) override { return ui::Yes; }
    std::optional<QString> file(const ui::FileRequest&) override { return std::nullopt; }
    bool print(QPrinter&, const QString&) override { return false; }
    void modal(QDialog&) override {}
};

void BM_PeakMemoryFullRecord(benchmark::State& state) {
    QTemporaryDir dir;
    for (const char* name : {"loglango.txt", "loggerx.ini"})
        QFile::copy(QStringLiteral(VESTO_SOURCE_DIR "/share/") + name, dir.filePath(name));
    const QString previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    // A pseudo-terminal that never answers stands in for the logger's port.
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    if (terminal < 0 || grantpt(terminal) != 0 || unlockpt(terminal) != 0) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    qputenv("VESTO_COM1", ptsname(terminal));
    Quiet prompts;

    for (auto _ : state) {
        auto st = std::make_unique<AppState>();
        auto w = CreateMainWindow(*st);
        w->Load();
        QApplication::processEvents();
        FillMainsRecord(*st, kMaxReadings);
        st->SaveFileName = dir.filePath(QStringLiteral("record.txt"));
        if (!WriteRecordFile(*w)) state.SkipWithError("write failed");
        st->OpenFileName = st->SaveFileName;
        if (ReadRecordFile(*w)) state.SkipWithError("read failed");
        QApplication::processEvents();
        state.counters["peak_MB"] = StatusKb("VmHWM") / 1024;
        state.counters["resident_MB"] = StatusKb("VmRSS") / 1024;
    }
    qunsetenv("VESTO_COM1");
    ::close(terminal);
    QDir::setCurrent(previousDir);
}

} // namespace

BENCHMARK(BM_PeakMemoryFullRecord)->Unit(benchmark::kMillisecond)->Iterations(1);
