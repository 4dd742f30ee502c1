#include "Pty.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>

#include <cerrno>

#include "SystemError.h"

namespace {

// Upper bound per call, so a client that never stops writing cannot keep the
// loop from answering.
constexpr std::size_t kMaxReadPerCall = 64 * 1024;

// 9600 baud, 8 data bits, no parity, one stop bit, no flow control, raw bytes.
void ConfigureLine(int fd, const std::string& what)
{
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        throw SystemError("cannot read line settings of " + what, errno);
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    // Reads return at once with whatever has arrived.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::tcsetattr(fd, TCSANOW, &tio) != 0)
        throw SystemError("cannot set line settings of " + what, errno);
}

}  // namespace

Pty::Pty()
{
    m_master.Reset(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!m_master)
        throw SystemError("cannot open a pseudo-terminal", errno);
    if (::grantpt(m_master.Get()) != 0)
        throw SystemError("cannot grant the pseudo-terminal", errno);
    if (::unlockpt(m_master.Get()) != 0)
        throw SystemError("cannot unlock the pseudo-terminal", errno);
    char name[256];
    if (const int err = ::ptsname_r(m_master.Get(), name, sizeof name); err != 0)
        throw SystemError("cannot name the pseudo-terminal", err);
    m_slavePath = name;

    const int flags = ::fcntl(m_master.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(m_master.Get(), F_SETFL, flags | O_NONBLOCK) != 0)
        throw SystemError("cannot make the pseudo-terminal non-blocking", errno);

    m_slaveKeeper.Reset(::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!m_slaveKeeper)
        throw SystemError("cannot open " + m_slavePath, errno);

    ConfigureLine(m_master.Get(), "the pseudo-terminal");
    ConfigureLine(m_slaveKeeper.Get(), m_slavePath);
}

std::string Pty::ReadAvailable()
{
    std::string received;
    char buffer[4096];
    while (received.size() < kMaxReadPerCall) {
        const ssize_t n = ::read(m_master.Get(), buffer, sizeof buffer);
        if (n > 0) {
            received.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // EAGAIN: nothing more for now. EIO would mean no slave is open, which
        // the keeper rules out; nothing to read either way.
        if (n == 0 || errno == EAGAIN || errno == EIO)
            break;
        throw SystemError("cannot read from the pseudo-terminal", errno);
    }
    return received;
}

std::size_t Pty::Write(std::string_view bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(m_master.Get(), bytes.data() + written, bytes.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || errno == EAGAIN)
            break;
        throw SystemError("cannot write to the pseudo-terminal", errno);
    }
    return written;
}

void Pty::DiscardUnread()
{
    // Flushing the slave's input drops both what its line discipline holds
    // and what is still queued behind it.
    if (::tcflush(m_slaveKeeper.Get(), TCIFLUSH) != 0)
        throw SystemError("cannot discard unread bytes on " + m_slavePath, errno);
}
