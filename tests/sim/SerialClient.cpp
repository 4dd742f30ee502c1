#include "SerialClient.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

void Fail(const std::string& what)
{
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

SerialClient::SerialClient(const std::string& path)
{
    m_fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        Fail("open " + path);
    termios tio{};
    if (::tcgetattr(m_fd, &tio) != 0)
        Fail("tcgetattr");
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::tcsetattr(m_fd, TCSANOW, &tio) != 0)
        Fail("tcsetattr");
}

SerialClient::~SerialClient()
{
    Close();
}

void SerialClient::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void SerialClient::Send(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0 && errno != EINTR && errno != EAGAIN)
            Fail("write");
        if (n > 0)
            bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void SerialClient::DiscardInput()
{
    if (::tcflush(m_fd, TCIFLUSH) != 0)
        Fail("tcflush");
}

bool SerialClient::WaitForHangUp(std::chrono::milliseconds limit)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + limit;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        // Only the hang-up wakes this poll; bytes that arrive do not.
        pollfd p{m_fd, 0, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::max<long long>(left.count(), 0)));
        if (ready > 0 && (p.revents & POLLHUP) != 0)
            return true;
        if (ready == 0)
            return false;
        if (ready < 0 && errno != EINTR)
            Fail("poll");
    }
}

template <typename Done>
std::string SerialClient::ReadUntil(std::chrono::milliseconds limit, Done done)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + limit;
    std::string received;
    while (!done(received)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            break;
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0)
            received.append(buffer, static_cast<std::size_t>(n));
    }
    return received;
}

std::string SerialClient::ReadFor(std::chrono::milliseconds time)
{
    return ReadUntil(time, [](const std::string&) { return false; });
}

std::string SerialClient::ReadCount(std::size_t count, std::chrono::milliseconds limit)
{
    return ReadUntil(limit, [count](const std::string& r) { return r.size() >= count; });
}

std::string SerialClient::ReadLine(std::chrono::milliseconds limit)
{
    return ReadUntil(limit, [](const std::string& r) { return r.find("\r\n") != std::string::npos; });
}

std::string ExchangeLine(const std::string& path, std::string_view line)
{
    SerialClient client(path);
    client.Send(std::string(line) + "\r\n");
    return client.ReadLine();
}
