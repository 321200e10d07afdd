// A USB adapter pulled out and plugged in again, and the search for the logger, with the virtual
// logger in a process of its own behind a by-id style link: how long the serial port needs to
// open the device again once it is back, how much processor time the program spends while the
// device is away (nothing may keep reading a dead device), and how long Search takes over four
// devices (one silent, one held by another program, one sending noise, then the logger).
#include "link/LoggerSearch.h"
#include "link/serial/MSComm1.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

namespace {

struct VirtualLogger {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("usb-Vesto_Logger_Cable-if00-port0"));
    QProcess process;

    bool start() {
        process.start(QStringLiteral(VESTO_BINARY_DIR "/vesto-logger-emulator"),
                      {"--speed", "fast", "--readings", "600", "--link", link});
        return process.waitForReadyRead(10000) && process.readLine().startsWith("PTY ");
    }
    void console(const char* line) {
        process.write(line);
        process.waitForBytesWritten(1000);
    }
    ~VirtualLogger() {
        process.write("quit\n");
        if (!process.waitForFinished(3000)) process.kill();
    }
};

// A pseudo-terminal with nothing behind it but what the benchmark writes on its master.
struct Line {
    int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    QString path = master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0
                       ? QString::fromLocal8Bit(::ptsname(master))
                       : QString();
    ~Line() {
        if (master >= 0) ::close(master);
    }
};

// Runs the event loop, sleeping between events, until `done` or the time is up.
bool Until(const std::function<bool()>& done, int ms) {
    QElapsedTimer took;
    took.start();
    while (!done() && took.elapsed() < ms) {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

qint64 ProcessCpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

// From "plug" on the logger's console to DeviceBack; the program asks the logger for its status
// at that moment. Also, once per run, the process's processor share over 5 s with the device away.
void BM_AdapterPluggedInAgain(benchmark::State& state) {
    VirtualLogger logger;
    if (!logger.start()) return state.SkipWithError("the virtual logger did not start");
    qputenv("VESTO_COM1", logger.link.toLocal8Bit());
    MSComm1 port;
    port.setSettings(QStringLiteral("4800,N,8,2"));
    if (port.setPortOpen(true) != 0) return state.SkipWithError("the port did not open");
    bool lost = false, back = false;
    QObject::connect(&port, &MSComm1::DeviceLost, [&lost] { lost = true; });
    QObject::connect(&port, &MSComm1::DeviceBack, [&back] { back = true; });
    double awayShare = -1;
    for (auto _ : state) {
        lost = back = false;
        logger.console("unplug\n");
        if (!Until([&lost] { return lost; }, 5000))
            return state.SkipWithError("the pulled device was not seen to go");
        if (awayShare < 0) {
            const qint64 cpu = ProcessCpuMs();
            QElapsedTimer away;
            away.start();
            QEventLoop loop;
            QTimer::singleShot(5000, &loop, &QEventLoop::quit);
            loop.exec();
            awayShare = 100.0 * double(ProcessCpuMs() - cpu) / double(away.elapsed());
        }
        QElapsedTimer reopened;
        logger.console("plug\n");
        reopened.start();
        if (!Until([&back] { return back; }, 10000))
            return state.SkipWithError("the device was not opened again");
        state.SetIterationTime(double(reopened.elapsed()) / 1000.0);
    }
    state.counters["away_cpu_pct"] = awayShare;
    qunsetenv("VESTO_COM1");
}

// Search from the first device to "found".
void BM_SearchFourDevices(benchmark::State& state) {
    VirtualLogger logger;
    if (!logger.start()) return state.SkipWithError("the virtual logger did not start");
    Line silent, held, noisy;
    qputenv("VESTO_COM2", held.path.toLocal8Bit());
    MSComm1 holder; // another program's claim on the held device
    holder.setCommPort(2);
    if (holder.setPortOpen(true) != 0) return state.SkipWithError("the held line did not open");
    QTimer noise;
    QObject::connect(&noise, &QTimer::timeout, [&noisy] {
        if (::write(noisy.master, "\x55\xAA\x00\x52", 4) < 0) return;
    });
    noise.start(50);
    LoggerSearch search;
    bool found = false;
    QObject::connect(&search, &LoggerSearch::found, [&found] { found = true; });
    for (auto _ : state) {
        found = false;
        QElapsedTimer took;
        took.start();
        search.start({silent.path, held.path, noisy.path, logger.link});
        if (!Until([&found] { return found; }, 15000))
            return state.SkipWithError("the search did not find the logger");
        state.SetIterationTime(double(took.elapsed()) / 1000.0);
    }
    qunsetenv("VESTO_COM2");
}

} // namespace

BENCHMARK(BM_AdapterPluggedInAgain)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SearchFourDevices)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
