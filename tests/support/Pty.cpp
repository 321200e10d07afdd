#include "support/Pty.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int PollSliceMs = 5;

bool makeRaw(int fd) {
    termios mode{};
    if (::tcgetattr(fd, &mode) != 0) return false;
    ::cfmakeraw(&mode);
    return ::tcsetattr(fd, TCSANOW, &mode) == 0;
}

int baudOf(speed_t speed) {
    struct Pair {
        speed_t code;
        int baud;
    };
    static constexpr Pair table[] = {
        {B50, 50},       {B75, 75},         {B110, 110},       {B134, 134},     {B150, 150},
        {B200, 200},     {B300, 300},       {B600, 600},       {B1200, 1200},   {B1800, 1800},
        {B2400, 2400},   {B4800, 4800},     {B9600, 9600},     {B19200, 19200}, {B38400, 38400},
        {B57600, 57600}, {B115200, 115200}, {B230400, 230400},
    };
    for (const auto& pair : table)
        if (pair.code == speed) return pair.baud;
    return 0;
}

// Lets the event loop run, then waits a short while for the master to become ready.
void pumpAndWait(int fd, short events) {
    QCoreApplication::processEvents();
    pollfd ready{fd, events, 0};
    ::poll(&ready, 1, PollSliceMs);
}

} // namespace

Pty::Pty() { openPair(); }

void Pty::openPair() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) return fail("posix_openpt");
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (::grantpt(master_) != 0) return fail("grantpt");
    if (::unlockpt(master_) != 0) return fail("unlockpt");
    const char* name = ::ptsname(master_);
    if (name == nullptr) return fail("ptsname");
    slavePath_ = QString::fromLocal8Bit(name);
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) return fail("open slave");
    if (!makeRaw(slave_) || !makeRaw(master_)) return fail("raw mode");
}

Pty::~Pty() {
    close();
}

void Pty::fail(const char* what) {
    error_ = QStringLiteral("%1: %2").arg(QLatin1String(what),
                                          QString::fromLocal8Bit(std::strerror(errno)));
    close();
}

void Pty::close() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = master_ = -1;
}

bool Pty::write(const QByteArray& bytes, int timeoutMs) {
    if (!isOpen()) return false;
    const QDeadlineTimer deadline(timeoutMs);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            error_ = QStringLiteral("write: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        // The port side's input queue is full: let it read.
        if (deadline.hasExpired()) return false;
        pumpAndWait(master_, POLLOUT);
    }
    return true;
}

qsizetype Pty::readSome(QByteArray& into, qsizetype most) {
    char chunk[4096];
    qsizetype total = 0;
    while (total < most) {
        const ssize_t n =
            ::read(master_, chunk, size_t(qMin<qsizetype>(sizeof chunk, most - total)));
        if (n <= 0) break; // EAGAIN: nothing more now; EIO: no one has the port side open
        into.append(chunk, n);
        total += n;
    }
    return total;
}

QByteArray Pty::read(qsizetype count, int timeoutMs) {
    QByteArray got;
    if (!isOpen()) return got;
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        readSome(got, count - got.size());
        if (got.size() >= count || deadline.hasExpired()) return got;
        pumpAndWait(master_, POLLIN);
    }
}

QByteArray Pty::readAvailable() {
    QByteArray got;
    if (isOpen()) readSome(got, std::numeric_limits<qsizetype>::max());
    return got;
}

Pty::LineMode Pty::lineMode() const {
    LineMode line;
    termios mode{};
    if (!isOpen() || ::tcgetattr(slave_ >= 0 ? slave_ : master_, &mode) != 0) return line;
    line.baud = baudOf(::cfgetospeed(&mode));
    switch (mode.c_cflag & CSIZE) {
    case CS5:
        line.dataBits = 5;
        break;
    case CS6:
        line.dataBits = 6;
        break;
    case CS7:
        line.dataBits = 7;
        break;
    default:
        line.dataBits = 8;
        break;
    }
    if (!(mode.c_cflag & PARENB)) line.parity = 'N';
#ifdef CMSPAR
    else if (mode.c_cflag & CMSPAR)
        line.parity = (mode.c_cflag & PARODD) ? 'M' : 'S';
#endif
    else
        line.parity = (mode.c_cflag & PARODD) ? 'O' : 'E';
    line.stopBits = (mode.c_cflag & CSTOPB) ? 2 : 1;
    return line;
}
