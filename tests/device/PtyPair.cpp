#include "PtyPair.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

PtyPair::PtyPair()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        throw std::runtime_error("cannot create a pty");
    char name[128];
    if (::ptsname_r(m_master, name, sizeof name) != 0)
        throw std::runtime_error("ptsname_r failed");
    m_slavePath = name;
    termios tio {};
    ::tcgetattr(m_master, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(m_master, TCSANOW, &tio);
}

PtyPair::~PtyPair()
{
    if (m_master >= 0)
        ::close(m_master);
}

void PtyPair::WriteToPort(const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            throw std::runtime_error("write to pty master failed");
        done += static_cast<std::size_t>(n);
    }
}

std::string PtyPair::ReadFromPort(std::size_t count, int timeoutMs)
{
    std::string got;
    while (got.size() < count) {
        pollfd p{m_master, POLLIN, 0};
        if (::poll(&p, 1, got.empty() ? timeoutMs : 100) <= 0 || (p.revents & POLLIN) == 0)
            break;
        char buf[512];
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0)
            break;
        got.append(buf, static_cast<std::size_t>(n));
    }
    return got;
}

void PtyPair::HangUp()
{
    ::close(m_master);
    m_master = -1;
}
