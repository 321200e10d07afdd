#include "support/Pty.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

bool makeRaw(int fd) {
    termios mode{};
    if (::tcgetattr(fd, &mode) != 0) return false;
    ::cfmakeraw(&mode);
    return ::tcsetattr(fd, TCSANOW, &mode) == 0;
}

// Lets the event loop run, then waits a short while for the master to become ready.
void pumpAndWait(int fd, short events) {
    QCoreApplication::processEvents();
    pollfd ready{fd, events, 0};
    ::poll(&ready, 1, 5);
}

} // namespace

Pty::Pty() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    const char* name = master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0
                           ? ::ptsname(master_)
                           : nullptr;
    if (name != nullptr) slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ >= 0 && makeRaw(slave_) && makeRaw(master_)) {
        slavePath_ = QString::fromLocal8Bit(name);
        return;
    }
    fail("pseudo-terminal");
}

Pty::~Pty() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

bool Pty::fail(const char* what) {
    error_ = QStringLiteral("%1: %2").arg(QLatin1String(what),
                                          QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}

bool Pty::write(const QByteArray& bytes, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    qsizetype done = 0;
    while (isOpen() && done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return fail("write");
        // The port side's input queue is full: let it read.
        if (deadline.hasExpired()) return false;
        pumpAndWait(master_, POLLOUT);
    }
    return isOpen();
}

QByteArray Pty::read(qsizetype count, int timeoutMs) {
    QByteArray got;
    const QDeadlineTimer deadline(timeoutMs);
    while (isOpen()) {
        char chunk[4096];
        // EAGAIN: nothing more now; EIO: no one has the port side open.
        const ssize_t n =
            ::read(master_, chunk, size_t(qMin<qsizetype>(sizeof chunk, count - got.size())));
        if (n > 0) got.append(chunk, n);
        if (got.size() >= count || deadline.hasExpired()) break;
        if (n <= 0) pumpAndWait(master_, POLLIN);
    }
    return got;
}

Pty::LineMode Pty::lineMode() const {
    static constexpr std::pair<speed_t, int> bauds[] = {
        {B300, 300},   {B600, 600},     {B1200, 1200},   {B2400, 2400},   {B4800, 4800},
        {B9600, 9600}, {B19200, 19200}, {B38400, 38400}, {B57600, 57600}, {B115200, 115200}};
    LineMode line;
    termios mode{};
    if (::tcgetattr(slave_, &mode) != 0) return line;
    for (const auto& [code, baud] : bauds)
        if (code == ::cfgetospeed(&mode)) line.baud = baud;
    // CS5..CS8 are the values 0..3 of the size field.
    line.dataBits = 5 + int((mode.c_cflag & CSIZE) / CS6);
    line.parity = !(mode.c_cflag & PARENB) ? 'N' : (mode.c_cflag & PARODD) ? 'O' : 'E';
    line.stopBits = (mode.c_cflag & CSTOPB) ? 2 : 1;
    return line;
}
