#include "cli/Tool.h"

#include "lang/LanguageFile.h"
#include "link/LoggerLink.h"
#include "link/PortDevices.h"
#include "link/serial/MSComm1.h"
#include "shell/DatePatterns.h"
#include "shell/SettingsFile.h"
#include "shell/StringNumbers.h"

#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The writing end of the pair the signal handler wakes the event loop through.
int gSignalFd = -1;

void OnSignal(int) {
    const char byte = 1;
    // Nothing else is safe in a signal handler; a full pipe already holds a wake-up.
    [[maybe_unused]] const ssize_t written = ::write(gSignalFd, &byte, 1);
}

} // namespace

std::optional<QString> Options::value(const QString& name) const {
    const auto found = values.constFind(name);
    if (found == values.constEnd()) return std::nullopt;
    return *found;
}

std::optional<QString> ParseOptions(const QStringList& arguments, const QStringList& valueOptions,
                                    const QStringList& flagOptions, Options& options) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (valueOptions.contains(a)) {
            if (i + 1 >= arguments.size()) return a + QStringLiteral(" needs a value");
            options.values.insert(a, arguments[++i]);
        } else if (flagOptions.contains(a)) {
            options.flags << a;
        } else if (a.startsWith(u'-') && a != QLatin1String("-")) {
            return a + QStringLiteral(" is not an option of this command");
        } else {
            options.words << a;
        }
    }
    return std::nullopt;
}

Tool::Tool()
    : state_(std::make_unique<AppState>()), st(*state_), out_(stdout), err_(stderr),
      errorTerminal_(::isatty(STDERR_FILENO) == 1) {}

Tool::~Tool() = default;

void Tool::LoadProgramFiles() {
    ReadLanguageFile(st);
    ReadSettingsFile(st);
    // The window speaks the chosen language; before one is chosen, the tool speaks English.
    if (!(st.LanguageIndex >= 1 && st.LanguageIndex <= st.LanguageCount)) {
        st.LanguageIndex = 1;
        for (int l = 1; l <= st.LanguageCount; ++l)
            if (st.LangName[static_cast<size_t>(l)] == QLatin1String("English"))
                st.LanguageIndex = l;
    }
    if (st.UsDateFormat == 1)
        SetUsDatePatterns(st);
    else
        SetEuropeanDatePatterns(st);
    // As the window starts: anything but the 500 V range is the 250 V range.
    if (st.VoltageRange != QLatin1String("500 Volt")) st.VoltageRange = QStringLiteral("250 Volt");
    st.BaudRate = 4800;
}

void Tool::Say(const QString& line) {
    out_ << line << '\n';
    out_.flush();
}

void Tool::Tell(const QString& line) {
    // A message is one line, however the text it came from was broken.
    err_ << QString(line).replace(u'\n', u' ').simplified() << '\n';
    err_.flush();
}

int Tool::UsageError(const QString& what, const QString& command) {
    Tell(Text(str::kCliUsage).arg(what, command));
    return kUsage;
}

void Tool::PreparePort(LoggerLink& link, const std::optional<QString>& port) {
    ::MSComm1& comm = *link.MSComm1;
    ReadPortDevices(comm);
    int number = st.CommPort >= 1 && st.CommPort <= 4 ? st.CommPort : 1;
    if (port) {
        const QString name = port->trimmed();
        const QString upper = name.toUpper();
        if (upper.size() == 4 && upper.startsWith(QLatin1String("COM")) && upper[3] >= u'1' &&
            upper[3] <= u'4')
            number = upper[3].digitValue();
        else
            comm.setNamedDevice(name);
    }
    comm.setInputLen(0);
    comm.setInBufferSize(32760);
    comm.setSettings(QStringLiteral("4800,N,8,2"));
    comm.setCommPort(number);
    st.CommPort = static_cast<qint16>(number);
    portName_ = comm.devicePath(number);
}

std::optional<QString> Tool::OpenPort(LoggerLink& link, const std::optional<QString>& port) {
    PreparePort(link, port);
    if (const int error = link.MSComm1->setPortOpen(true)) {
        return Text(str::kCliCannotOpen)
            .arg(portName_,
                 Text(error == ::MSComm1::DeviceUnavailable ? str::kCliNotThere : str::kCliInUse));
    }
    st.PortReady = 1;
    st.LinkState = 0;
    st.LinkSuspended = 0;
    return std::nullopt;
}

Interrupts::Interrupts(Tool& tool) : tool_(tool) {
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0) return;
    gSignalFd = pair[0];
    auto* notifier = new QSocketNotifier(pair[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, fd = pair[1]] {
        char byte;
        [[maybe_unused]] const ssize_t got = ::read(fd, &byte, 1);
        tool_.interrupted_ = true;
        emit interrupted();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

Interrupts::~Interrupts() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}
