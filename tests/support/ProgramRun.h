#pragma once
// The real program's main window, loaded and running its timers, with COM1 on a virtual logger
// in another process. The language and settings files are replaced by a few texts and the path a
// missing settings file takes: COM1 opened by the fallback.

#include "support/Fixtures.h"
#include "support/LoggerEmulator.h"
#include "support/PromptScript.h"

#include <functional>
#include <memory>

class ProgramRun {
public:
    explicit ProgramRun(const QStringList& loggerArguments) : logger(loggerArguments) {}
    ~ProgramRun();

    // Starts the logger, loads the main window on it and, unless told not to, waits for the
    // logger's status in the panel. Returns what went wrong, empty when nothing did.
    QString start(bool waitOnline = true);
    // Set before start(): the program reads the language and settings files in the working
    // directory as it always does (MainWindowFixture::load) instead of the few texts above.
    bool ownFiles = false;
    // Set before start(): COM1 stands for this path (a link the logger makes with --link)
    // instead of the logger's pseudo-terminal.
    QString com1;

    // Waits for the logger's status in the panel; false when it did not come within the time.
    bool waitOnline(int timeoutMs = 20000);
    // Chooses Download (confirming the clock dialog on the first one) and waits for the graph.
    bool download(int timeoutMs = 60000);

    // No menu left greyed out and no hourglass: the program is back in the user's hands.
    bool idle() const;

    // Compares every reading in memory with the logger's record of what it holds: volts from
    // its codes, time from the download's time base and its clock ticks. Returns the first
    // difference.
    QString compareWithLogger(int expectedCount) const;
    // The same for every reading of a record file, read by the program's reader, against the
    // logger's first readings; `readings` receives how many the file holds.
    QString compareFileWithLogger(const QString& path, int* readings) const;
    // The files of the download archive, sorted by path.
    QStringList archive() const;

    ScopedWorkDir dir;
    PromptScript script;
    LoggerEmulator logger;
    std::unique_ptr<MainWindowFixture> fx;
    AppState& st() const { return *fx->st; }
    Log1& w() const { return *fx->w; }
    // The computer's time just before and just after the logger started, and once the main
    // window had loaded (day serials).
    double loggerStartedFrom = 0, loggerStartedTo = 0, loadedAt = 0;

private:
    // The first of readings 1..count, given as (time, volts), that differs from the logger's.
    QString compareReadings(int count,
                            const std::function<std::pair<double, double>(int)>& at) const;
};
