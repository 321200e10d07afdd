#pragma once
// The real program's main window, loaded and running its timers, with COM1 on a virtual logger
// in another process. The language and settings files are replaced by a few texts and the path a
// missing settings file takes: COM1 opened by the fallback.

#include "support/Fixtures.h"
#include "support/LoggerEmulator.h"
#include "support/PromptScript.h"

#include <memory>
#include <optional>

class ProgramRun {
public:
    explicit ProgramRun(const QStringList& loggerArguments);
    ~ProgramRun();

    // Starts the logger, then loads the main window on it; false with a reason in error().
    bool start();
    // Set before start(): the program reads the language and settings files in the working
    // directory as it always does (MainWindowFixture::load) instead of the few texts above.
    bool ownFiles = false;
    QString error() const { return error_; }

    // Waits for the logger's status in the panel; false when it did not come within the time.
    bool waitOnline(int timeoutMs = 20000);
    // Chooses Download (confirming the clock dialog on the first one) and waits for the graph.
    bool download(int timeoutMs = 60000);

    // Compares every reading in memory with the logger's record of what it holds: volts from
    // its codes, time from the download's time base and its clock ticks. Returns the first
    // difference. The time base is DownloadStart unless a later status record has moved it.
    QString compareWithLogger(int expectedCount, std::optional<double> downloadStart = {}) const;

    ScopedWorkDir dir;
    PromptScript script;
    LoggerEmulator logger;
    std::unique_ptr<MainWindowFixture> fx;
    AppState& st() const { return *fx->st; }
    Log1& w() const { return *fx->w; }
    // The computer's time just before and just after the logger started (day serials).
    double loggerStartedFrom = 0, loggerStartedTo = 0;

private:
    QString error_;
};
