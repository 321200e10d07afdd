#pragma once
// What every command of vesto-cli shares: the program's settings and language as the window left
// them, the options given, the port the logger hangs on, one-line messages on standard error, and
// Ctrl+C.

#include "shell/AppState.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <memory>
#include <optional>

class LoggerLink;

// The exit statuses, the same for every command.
enum Exit {
    kOk = 0,
    kUsage = 1,       // wrong usage, or values the logger cannot take
    kNoLogger = 2,    // no port, or no logger answering on it
    kFileError = 3,   // a file that cannot be read or written
    kInterrupted = 4, // Ctrl+C
    kRefused = 5,     // the logger refused, or the transfer was cut
};

// The options after the command: flags ("--json") and values ("--port P", "-o FILE"), and the
// words that are not options (a record file).
struct Options {
    QString command;
    QHash<QString, QString> values;
    QStringList flags;
    QStringList words;

    bool has(const QString& flag) const { return flags.contains(flag); }
    std::optional<QString> value(const QString& name) const;
};

// Reads the arguments after the command, knowing which options take a value and which are
// flags; anything else is an error, returned in words.
std::optional<QString> ParseOptions(const QStringList& arguments, const QStringList& valueOptions,
                                    const QStringList& flagOptions, Options& options);

class Tool {
    std::unique_ptr<AppState> state_;

public:
    Tool();
    ~Tool();

    // The language file, the settings file and the date format, as the window reads them; the
    // program's language once one was chosen in the window, English before.
    void LoadProgramFiles();

    AppState& st;
    QString Text(int s) const { return st.Text(s); }

    // A line on standard output, on standard error.
    void Say(const QString& line);
    void Tell(const QString& line);
    // A usage error: the line and where the command's help is; returns kUsage.
    int UsageError(const QString& what, const QString& command);
    bool ErrorIsTerminal() const { return errorTerminal_; }
    QTextStream& out() { return out_; }
    QTextStream& err() { return err_; }

    // The port the option names, set up on the link without opening it.
    void PreparePort(LoggerLink& link, const std::optional<QString>& port);
    // Opens the port the option names (a device path, a by-id link, COM1..COM4; without it the
    // window's current COM choice) on the link; what went wrong, in words, when it could not.
    std::optional<QString> OpenPort(LoggerLink& link, const std::optional<QString>& port);
    // The device the port stands for, as messages name it.
    QString portName() const { return portName_; }

    // Whether Ctrl+C was pressed.
    bool interrupted() const { return interrupted_; }

private:
    QTextStream out_, err_;
    bool errorTerminal_ = false;
    QString portName_;
    bool interrupted_ = false;
    friend class Interrupts;
};

// Ctrl+C and SIGTERM as a Qt signal, so that a command ends from its event loop: the port let go,
// what came of a download kept.
class Interrupts : public QObject {
    Q_OBJECT
public:
    explicit Interrupts(Tool& tool);
    ~Interrupts() override;

signals:
    void interrupted();

private:
    Tool& tool_;
};
