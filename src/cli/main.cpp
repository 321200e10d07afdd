// vesto-cli: the program's work without its window, on the same core: find the logger, ask its
// status, download it into the archive, turn record files into CSV or a site report, and write
// new limits into it.
#include "cli/Commands.h"
#include "cli/Tool.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace {

const char* const kUsageText = R"(Usage: vesto-cli <command> [options]

Commands:
  scan       the serial devices, and with --search the one the logger is on
  status     one status exchange with the logger
  download   the logger's whole memory, into the archive and a file
  convert    a record file as CSV: its readings, or its events
  report     a record file as a site report (PDF)
  setup      new limits and recording mode for the logger

Options of every command: --help. Ports: --port takes a device (/dev/ttyUSB0), a
/dev/serial/by-id/ link or COM1..COM4; without it, the COM option chosen in the window.

Exit status: 0 done; 1 wrong usage; 2 no port or no logger answering; 3 a file that
cannot be read or written; 4 interrupted; 5 the logger refused or the transfer was cut.
)";

struct CommandInfo {
    const char* name;
    int (*run)(Tool&, const Options&);
    QStringList valueOptions;
    QStringList flagOptions;
    const char* help;
    bool needsPictures = false; // draws pages: fonts and a painter
};

const CommandInfo kCommands[] = {
    {"scan", Scan, {}, {"--search"}, R"(Usage: vesto-cli scan [--search]

Lists the devices COM1 to COM4 stand for and the serial devices detected, as the
Port dialog lists them. With --search, asks each for the logger's status as the
Port dialog's Search does (the COM options' devices first, then the others, about
a second each) and names the device the logger answered on.
Exit status 2 when no logger answered.
)"},
    {"status", Status, {"--port"}, {"--json"}, R"(Usage: vesto-cli status [--port P] [--json]

One status exchange: the logger number, the readings it holds, its High and Low
limits, its recording mode, the present reading and the time of its first
reading. --json prints one JSON object for scripts:
  {"port", "logger", "type", "readings", "range", "unit", "high", "low",
   "mode": "in" or "out", "present" (null when not shown), "first_reading"}
Exit status 2 when the port cannot be opened or no logger answers within 4 s.
)"},
    {"download",
     Download,
     {"--port", "-o", "--clock"},
     {"--no-archive"},
     R"(Usage: vesto-cli download [--port P] [-o FILE] [--clock "YYYY-MM-DD hh:mm:ss"] [--no-archive]

Downloads the logger's whole memory. The readings are dated from the computer's
clock, or from the present time given with --clock (the computer's clock is not
changed). The record is kept in the archive as the window keeps it, unless
--no-archive; -o writes it as a record file too, or as CSV when FILE ends in .csv.
Progress goes to standard error: a bar on a terminal, a line a bank otherwise.
Ctrl+C stops the transfer: the port is let go and what arrived is kept in the
archive as a partial record (exit status 4).
Exit status 5 when the transfer was cut (the watchdog, the line went away).
)"},
    {"convert",
     Convert,
     {"-o"},
     {"--events"},
     R"(Usage: vesto-cli convert RECORD -o FILE.csv [--events]

Writes the readings of a record file as CSV, as the window's Export CSV does; with
--events, its events list with the per cents of nominal, ITIC regions and SEMI F47
verdicts, as the Events window's Export does. -o - writes to standard output.
Exit status 3 when the record cannot be read or the CSV cannot be written.
)"},
    {"report",
     Report,
     {"-o", "--nominal"},
     {},
     R"(Usage: vesto-cli report RECORD -o FILE.pdf [--nominal V]

Writes the site report of a record file as a PDF: summary, graph, tolerance-curve
chart and events, as File > Site Report does. The nominal voltage is the one chosen
for the logger in the window, or the usual one nearest its limits; --nominal V uses
V for this report only. Paper: A4, or Letter where the locale measures in US units.
Exit status 3 when the record cannot be read or the PDF cannot be written.
)",
     true},
    {"setup",
     Setup,
     {"--port", "--high", "--low", "--mode"},
     {"--yes"},
     R"(Usage: vesto-cli setup --high V --low V --mode in|out [--port P] --yes

Writes new High and Low limits (volts) and the recording mode (in: between the
limits, out: above High or below Low) into the logger and restarts it, which
empties its memory: download it first. The limits are checked as the Setup
dialog checks them (on the 500 V range they must be even). Without --yes, says
what it would write and writes nothing.
Exit status 1 for limits the logger cannot take, 5 when the logger does not take them.
)"},
};

void Print(const char* text, FILE* stream) {
    std::fputs(text, stream);
}

// Standard error carries the tool's own one-line messages; Qt's notes about the environment
// (no runtime folder without a desktop session, say) are not for the technician.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.isEmpty() || arguments[0] == QLatin1String("--help") ||
        arguments[0] == QLatin1String("-h")) {
        Print(kUsageText, arguments.isEmpty() ? stderr : stdout);
        return arguments.isEmpty() ? kUsage : kOk;
    }
    if (arguments[0] == QLatin1String("--version")) {
        std::printf("vesto-cli %s\n", VESTO_VERSION);
        return kOk;
    }
    const CommandInfo* command = nullptr;
    for (const CommandInfo& c : kCommands)
        if (arguments[0] == QLatin1String(c.name)) command = &c;
    if (!command) {
        std::fprintf(stderr, "%s is not a command of vesto-cli. See vesto-cli --help.\n", argv[1]);
        return kUsage;
    }
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        Print(command->help, stdout);
        return kOk;
    }

    qInstallMessageHandler(QuietQt);
    // No window system is needed: pages are drawn offscreen, and nothing else draws at all.
    std::unique_ptr<QCoreApplication> app;
    if (command->needsPictures) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // The window's name, so the tool finds the window's settings, language and archive.
    QCoreApplication::setApplicationName(QStringLiteral("vesto-logger"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VESTO_VERSION));

    Tool tool;
    tool.LoadProgramFiles();
    Options options;
    options.command = QLatin1String(command->name);
    if (const auto wrong =
            ParseOptions(arguments.mid(1), command->valueOptions, command->flagOptions, options))
        return tool.UsageError(*wrong, options.command);
    return command->run(tool, options);
}
