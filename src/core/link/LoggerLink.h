#pragma once
// The dialogue with the logger on the shared state and the serial port, with no window: the
// port, the timers that pace the commands, the answers, the end of a download and its watchdog.
// The logger never speaks first: each timer looks at the link state and, when its conditions
// hold, sends one command and moves the state on; the receive handler parses the answers and
// moves it back. A front end (the main window, the command-line tool) starts the timers and
// listens to what the link reports; everything it reports has already been taken into the
// state when the signal comes.

#include <QObject>
#include <QString>

class MSComm1;
class QTimer;
struct AppState;
struct StatusRecord;

class LoggerLink : public QObject {
    Q_OBJECT
public:
    explicit LoggerLink(AppState& state, QObject* parent = nullptr);
    ~LoggerLink() override;

    AppState& st;
    ::MSComm1* MSComm1;
    // Timer1 status polls, Timer2 transfer requests, Timer3 and Timer9 the window's diagnostics
    // and progress, Timer4 status before a transfer, Timer5 periodic status refresh, Timer6
    // unused, Timer7 new limits, Timer8 transfer watchdog, Timer10 first status after start-up,
    // Timer11 restart after new limits.
    QTimer *Timer1, *Timer2, *Timer3, *Timer4, *Timer5, *Timer6, *Timer7, *Timer8, *Timer9,
        *Timer10, *Timer11;

    // Starts every timer at its interval; the dialogue runs from here on.
    void start();
    void stop();

    // Whether a completed download is written to the archive (the command-line tool may say no).
    bool archiveDownloads = true;

signals:
    // The logger acknowledged a Status command; its status record follows.
    void statusAcknowledged();
    // A status record was taken into the state (time base included).
    void statusApplied(const StatusRecord& record);
    // The logger acknowledged a Transfer command and its banks are coming.
    void transferStarted();
    // Bank `bank` of `banks` came whole.
    void bankReceived(int bank, int banks);
    // The last bank came: the readings are in the record arrays, in time order.
    void recordPlaced();
    // The record just placed was written to the archive (`path`), or could not be (`failure`,
    // with the archive folder).
    void archived(const QString& path, const QString& failure, const QString& folder);
    // Twenty status polls went unanswered: the logger is no longer shown as there.
    void loggerLost();
    // A transfer ended early: the watchdog gave up, or the line went away. `message` says how
    // far it got and where the part that arrived is kept; the record in memory stayed as it was
    // (`recordKept`, when there was one).
    void transferAbandoned(const QString& message, bool recordKept);
};
