// vesto-logger-emulator: a virtual voltage exception logger on a pseudo-terminal (or a given
// serial device). It prints "PTY <path>" once the line is open and answers the program's
// commands until it is told "quit" on stdin or gets SIGTERM/SIGINT.

#include "logger-emulator/Session.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

using namespace emulator;

namespace {

[[noreturn]] void Fail(const QString& message) {
    std::fprintf(stderr, "vesto-logger-emulator: %s\n", qPrintable(message));
    std::exit(2);
}

QString SystemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

void SetNonBlocking(int fd) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// The line the logger talks on: the master side of a fresh pseudo-terminal, or a device.
struct Line {
    int fd = -1;
    int keptSlave = -1; // held open so the master never sees a hang-up when the program closes
    QString path;
};

Line OpenPty() {
    Line line;
    line.fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (line.fd < 0) Fail(SystemError("posix_openpt"));
    if (::grantpt(line.fd) != 0) Fail(SystemError("grantpt"));
    if (::unlockpt(line.fd) != 0) Fail(SystemError("unlockpt"));
    const char* name = ::ptsname(line.fd);
    if (name == nullptr) Fail(SystemError("ptsname"));
    line.path = QString::fromLocal8Bit(name);
    line.keptSlave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (line.keptSlave < 0) Fail(SystemError("open slave"));
    for (const int fd : {line.keptSlave, line.fd}) {
        termios mode{};
        if (::tcgetattr(fd, &mode) != 0) Fail(SystemError("tcgetattr"));
        ::cfmakeraw(&mode);
        if (::tcsetattr(fd, TCSANOW, &mode) != 0) Fail(SystemError("tcsetattr"));
    }
    SetNonBlocking(line.fd);
    return line;
}

// A real serial port gets the logger's line settings: 4800 baud, 8 data bits, 2 stop bits.
Line OpenDevice(const QString& path) {
    Line line;
    line.path = path;
    line.fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (line.fd < 0) Fail(SystemError(qPrintable(path)));
    termios mode{};
    if (::isatty(line.fd) && ::tcgetattr(line.fd, &mode) == 0) {
        ::cfmakeraw(&mode);
        ::cfsetispeed(&mode, B4800);
        ::cfsetospeed(&mode, B4800);
        mode.c_cflag = (mode.c_cflag & ~(CSIZE | PARENB)) | CS8 | CSTOPB | CLOCAL | CREAD;
        if (::tcsetattr(line.fd, TCSANOW, &mode) != 0) Fail(SystemError("tcsetattr"));
    }
    SetNonBlocking(line.fd);
    return line;
}

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

// Reads a whole number within bounds from an option, or stops with a message.
qint64 Number(const QCommandLineParser& parser, const QString& name, qint64 low, qint64 high) {
    bool ok = false;
    const qint64 value = parser.value(name).toLongLong(&ok);
    if (!ok || value < low || value > high)
        Fail(
            QStringLiteral("--%1 takes a whole number from %2 to %3").arg(name).arg(low).arg(high));
    return value;
}

struct Options {
    LoggerSettings settings;
    LineSpeed speed = LineSpeed::Real();
    QList<Fault> faults;
    SessionFiles files;
    QString device;
    QString link;
};

Options ParseOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A virtual voltage exception logger on a pseudo-terminal."));
    parser.addHelpOption();
    parser.addVersionOption();
    const auto option = [&parser](const char* name, const char* help, const char* value) {
        parser.addOption(
            QCommandLineOption(QLatin1String(name), QLatin1String(help), QLatin1String(value)));
    };
    const auto flag = [&parser](const char* name, const char* help) {
        parser.addOption(QCommandLineOption(QLatin1String(name), QLatin1String(help)));
    };
    option("readings", "Stored readings, 0..73620 (whole blocks of 60).", "N");
    flag("wrapped", "The memory has wrapped: all 1227 blocks hold data.");
    option("wrap-count", "Wrap count reported while wrapped, 1..255 (implies --wrapped).", "W");
    option("write-block", "Index 0..1226 of the current block.", "B");
    option("current-block-flag", "Current-block flag reported in the status record.", "F");
    option("type", "Logger type byte (default 80).", "T");
    option("number", "Logger number (default 1234).", "N");
    option("high", "High limit in raw steps 0..255 (default 200).", "H");
    option("low", "Low limit in raw steps 0..255 (default 50).", "L");
    option("mode", "Recording mode, 1 or 2 (default 1).", "M");
    option("clock", "Logger clock at start, in tenths of a second.", "T");
    option("present", "Present reading, 10-bit raw (default 480).", "R");
    flag("hide-present", "The status record says the present reading is not shown.");
    option("pattern", "Readings: demo (default), ramp or constant:RAW.", "P");
    option("speed", "real (4800 baud 8N2, default), fast, or bytes per second.", "S");
    option("fault",
           "no-answer | bad-ack | stall-at:BYTES | cut-at:BYTES | garbage | one-byte |"
           " short-status[:BYTES], optionally /N (may be given more than once).",
           "F");
    option("record", "Write the readings held, oldest first, to this file.", "FILE");
    option("log", "Append one line per command received to this file.", "FILE");
    option("device", "Use this serial device instead of a new pseudo-terminal.", "PATH");
    option("link", "Make this path a symbolic link to the line's device.", "PATH");
    parser.process(app);
    if (!parser.positionalArguments().isEmpty())
        Fail(QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first()));

    Options options;
    LoggerSettings& s = options.settings;
    if (parser.isSet("readings")) s.readings = int(Number(parser, "readings", 0, MaxReadings));
    s.wrapped = parser.isSet("wrapped") || parser.isSet("wrap-count");
    if (parser.isSet("wrap-count")) s.wrapCount = quint8(Number(parser, "wrap-count", 1, 255));
    if (parser.isSet("write-block"))
        s.currentBlock = int(Number(parser, "write-block", 0, MemoryBlocks - 1));
    if (parser.isSet("current-block-flag"))
        s.currentBlockFlag = quint8(Number(parser, "current-block-flag", 0, 255));
    if (parser.isSet("type")) s.type = quint8(Number(parser, "type", 0, 255));
    if (parser.isSet("number")) s.number = quint16(Number(parser, "number", 0, 65535));
    if (parser.isSet("high")) s.high = quint8(Number(parser, "high", 0, 255));
    if (parser.isSet("low")) s.low = quint8(Number(parser, "low", 0, 255));
    if (parser.isSet("mode")) s.mode = int(Number(parser, "mode", 1, 2));
    if (parser.isSet("clock")) s.clock = quint32(Number(parser, "clock", 0, 0xFFFFFFFFLL));
    if (parser.isSet("present")) s.present = quint16(Number(parser, "present", 0, MaxCode));
    s.presentShown = !parser.isSet("hide-present");
    if (parser.isSet("pattern")) {
        const auto pattern = Pattern::Parse(parser.value("pattern"));
        if (!pattern) Fail(QStringLiteral("unknown pattern: %1").arg(parser.value("pattern")));
        s.pattern = *pattern;
    }
    if (parser.isSet("speed")) {
        const auto speed = LineSpeed::Parse(parser.value("speed"));
        if (!speed) Fail(QStringLiteral("unknown speed: %1").arg(parser.value("speed")));
        options.speed = *speed;
    }
    for (const QString& text : parser.values("fault")) {
        const auto fault = Fault::Parse(text);
        if (!fault) Fail(QStringLiteral("unknown fault: %1").arg(text));
        options.faults.append(*fault);
    }
    options.files.record = parser.value("record");
    options.files.log = parser.value("log");
    options.device = parser.value("device");
    options.link = parser.value("link");
    return options;
}

// Moves bytes between the line and the session: reads commands as they come, writes the
// answers when the session says they are due.
class LineDriver : public QObject {
public:
    LineDriver(Line line, Session& session, const QElapsedTimer& clock)
        : line_(line), session_(session), clock_(clock), reader_(line.fd, QSocketNotifier::Read),
          writable_(line.fd, QSocketNotifier::Write) {
        writeTimer_.setSingleShot(true);
        writeTimer_.setTimerType(Qt::PreciseTimer);
        writable_.setEnabled(false);
        connect(&reader_, &QSocketNotifier::activated, this, [this] { Read(); });
        connect(&writable_, &QSocketNotifier::activated, this, [this] { Pump(); });
        connect(&writeTimer_, &QTimer::timeout, this, [this] { Pump(); });
        resumeReading_.setSingleShot(true);
        connect(&resumeReading_, &QTimer::timeout, this, [this] { reader_.setEnabled(true); });
    }

    void Pump() {
        writable_.setEnabled(false);
        const qint64 now = clock_.elapsed();
        bool blocked = false;
        for (;;) {
            const QByteArray due = session_.Due(now);
            if (due.isEmpty()) break;
            const ssize_t n = ::write(line_.fd, due.constData(), size_t(due.size()));
            if (n > 0) session_.Written(n, now);
            if (n < due.size()) {
                blocked = n >= 0 || errno == EAGAIN || errno == EINTR;
                break;
            }
        }
        if (blocked) {
            writable_.setEnabled(true); // the other side's input queue is full: wait for room
        } else if (session_.Busy()) {
            const qint64 wait = session_.MsUntilDue(clock_.elapsed());
            writeTimer_.start(int(std::clamp<qint64>(wait, 1, 1000)));
        }
    }

private:
    void Read() {
        char chunk[4096];
        QByteArray got;
        for (;;) {
            const ssize_t n = ::read(line_.fd, chunk, sizeof chunk);
            if (n > 0) {
                got.append(chunk, n);
                continue;
            }
            if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                // Hung up (a device unplugged, say): look again a little later.
                reader_.setEnabled(false);
                resumeReading_.start(200);
            }
            break;
        }
        if (got.isEmpty()) return;
        session_.Receive(got, clock_.elapsed());
        Pump();
    }

    Line line_;
    Session& session_;
    const QElapsedTimer& clock_;
    QSocketNotifier reader_;
    QSocketNotifier writable_;
    QTimer writeTimer_;
    QTimer resumeReading_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vesto-logger-emulator"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VESTO_VERSION));
    const Options options = ParseOptions(app);

    QElapsedTimer clock;
    clock.start();
    Session session(options.settings, options.speed, options.files, 0);
    for (const Fault& fault : options.faults) session.AddFault(fault);
    QString error;
    if (!session.Start(&error)) Fail(error);

    Line line = options.device.isEmpty() ? OpenPty() : OpenDevice(options.device);
    const auto makeLink = [&options, &line] {
        if (options.link.isEmpty()) return;
        const QByteArray link = QFile::encodeName(options.link);
        if (QFileInfo(options.link).isSymLink()) ::unlink(link.constData());
        if (::symlink(QFile::encodeName(line.path).constData(), link.constData()) != 0)
            Fail(SystemError(link.constData()));
    };
    makeLink();

    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        Fail(SystemError("socketpair"));
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);

    auto driver = std::make_unique<LineDriver>(line, session, clock);
    // "unplug" and "plug" on the console stand for a USB adapter pulled out and plugged in again:
    // the line's device goes away with its link (the program's side sees a hang-up), and comes
    // back as a new pseudo-terminal behind the same link. What the logger was sending meanwhile
    // is lost.
    const auto unplug = [&] {
        if (!driver || !options.device.isEmpty()) return;
        driver.reset();
        session.DropOutput();
        if (!options.link.isEmpty()) ::unlink(QFile::encodeName(options.link).constData());
        ::close(line.keptSlave);
        ::close(line.fd);
        line = Line{};
    };
    const auto plug = [&] {
        if (driver) return;
        line = OpenPty();
        makeLink();
        driver = std::make_unique<LineDriver>(line, session, clock);
        std::printf("PTY %s\n", qPrintable(line.path));
        std::fflush(stdout);
    };

    // The program's serial port claims the device for itself (TIOCEXCL). Should the program die
    // with the port open, the claim would outlive it, because this side keeps the device open,
    // and a new start of the program could not open the port: let go of it now and then.
    QTimer unclaim;
    if (line.keptSlave >= 0) {
        QObject::connect(&unclaim, &QTimer::timeout, &app, [&line] {
            if (line.keptSlave >= 0) ::ioctl(line.keptSlave, TIOCNXCL);
        });
        unclaim.start(1000);
    }

    // Console commands, one per line. A closed stdin (started in the background) just stops
    // the console; the logger goes on.
    QByteArray typed;
    QSocketNotifier console(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&console, &QSocketNotifier::activated, &app, [&] {
        char chunk[1024];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n <= 0) {
            if (n == 0 || (errno != EAGAIN && errno != EINTR)) console.setEnabled(false);
            return;
        }
        typed.append(chunk, n);
        qsizetype end;
        while ((end = typed.indexOf('\n')) >= 0) {
            const QString command = QString::fromLocal8Bit(typed.left(end)).trimmed();
            typed.remove(0, end + 1);
            if (command == QLatin1String("unplug") || command == QLatin1String("plug")) {
                command == QLatin1String("unplug") ? unplug() : plug();
                continue;
            }
            QString message;
            switch (session.Console(command, clock.elapsed(), &message)) {
            case Session::ConsoleResult::Quit:
                QCoreApplication::quit();
                return;
            case Session::ConsoleResult::Error:
                std::fprintf(stderr, "vesto-logger-emulator: %s\n", qPrintable(message));
                break;
            case Session::ConsoleResult::Done:
                break;
            }
            if (driver) driver->Pump();
        }
    });

    std::printf("PTY %s\n", qPrintable(line.path));
    std::fflush(stdout);

    const int status = app.exec();
    if (!options.link.isEmpty() && driver) ::unlink(QFile::encodeName(options.link).constData());
    driver.reset();
    if (line.keptSlave >= 0) ::close(line.keptSlave);
    if (line.fd >= 0) ::close(line.fd);
    return status;
}
