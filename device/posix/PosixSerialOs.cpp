// The serial backend for Linux and other POSIX systems: ttys and ptys
// through termios, with Windows semantics where the link relies on them
// (exclusive open, time-outs, the whole buffer written).
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <mutex>

#include "ComPortNames.h"
#include "PosixCalls.h"
#include "SerialOs.h"

namespace {

thread_local DWORD t_lastError = 0;

bool Fail(int error)
{
    t_lastError = static_cast<DWORD>(error);
    return false;
}

struct SpeedEntry {
    speed_t code;
    DWORD baud;
};

constexpr SpeedEntry kSpeeds[] = {
    {B50, 50},         {B75, 75},         {B110, 110},       {B134, 134},       {B150, 150},
    {B200, 200},       {B300, 300},       {B600, 600},       {B1200, 1200},     {B1800, 1800},
    {B2400, 2400},     {B4800, 4800},     {B9600, 9600},     {B19200, 19200},   {B38400, 38400},
    {B57600, 57600},   {B115200, 115200}, {B230400, 230400}, {B460800, 460800}, {B921600, 921600},
};

DWORD BaudOf(speed_t code)
{
    for (const SpeedEntry& e : kSpeeds)
        if (e.code == code)
            return e.baud;
    return 0;
}

bool SpeedOf(DWORD baud, speed_t& code)
{
    for (const SpeedEntry& e : kSpeeds)
        if (e.baud == baud) {
            code = e.code;
            return true;
        }
    return false;
}

tcflag_t ByteSizeFlag(BYTE size)
{
    switch (size) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

// The fields a termios has; the others keep what the caller passed.
bool EssentialsMatch(const termios& wanted, const termios& got)
{
    const tcflag_t mask = CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS;
    return (wanted.c_cflag & mask) == (got.c_cflag & mask) &&
           cfgetospeed(&wanted) == cfgetospeed(&got);
}

using Clock = std::chrono::steady_clock;

long long MonotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

int MillisUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() < 0 ? 0 : static_cast<int>(std::min<long long>(left.count() + 1, 1 << 30));
}

class PosixSerialOs final : public ISerialOs {
public:
    explicit PosixSerialOs(PosixCalls& calls) : m_sys(calls) {}

    HANDLE OpenPort(const char* path) override
    {
        std::string openPath;
        if (int error = comnames::ResolveOpenPath(path, openPath); error != 0) {
            Fail(error);
            return INVALID_HANDLE_VALUE;
        }
        const int fd = m_sys.open(openPath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            Fail(errno);
            return INVALID_HANDLE_VALUE;
        }
        // Exclusive like a Windows port opened without sharing: the advisory
        // lock keeps out every program that locks as we do, TIOCEXCL keeps out
        // other opens of the tty by anyone but root.
        if (m_sys.flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = (errno == EWOULDBLOCK) ? EACCES : errno;
            m_sys.close(fd);
            Fail(error);
            return INVALID_HANDLE_VALUE;
        }
        if (m_sys.ioctl(fd, TIOCEXCL, nullptr) != 0 && errno != ENOTTY) {
            const int error = errno == EBUSY ? EACCES : errno;
            m_sys.close(fd);
            Fail(error);
            return INVALID_HANDLE_VALUE;
        }
        // A freshly opened port starts with an empty input queue, as on a
        // real line; a pty would otherwise keep what the last user left.
        m_sys.tcflush(fd, TCIFLUSH);
        std::lock_guard lock(m_mutex);
        m_timeouts[fd] = CommTimeouts{};
        return fd;
    }

    bool GetLineState(HANDLE port, CommState& state) override
    {
        termios tio {};
        if (m_sys.tcgetattr(port, &tio) != 0)
            return Fail(errno);
        state.BaudRate = BaudOf(cfgetospeed(&tio));
        switch (tio.c_cflag & CSIZE) {
        case CS5: state.ByteSize = 5; break;
        case CS6: state.ByteSize = 6; break;
        case CS7: state.ByteSize = 7; break;
        default: state.ByteSize = 8; break;
        }
        state.fParity = (tio.c_iflag & INPCK) != 0;
        state.Parity = (tio.c_cflag & PARENB) == 0 ? 0 : ((tio.c_cflag & PARODD) != 0 ? 1 : 2);
        state.StopBits = (tio.c_cflag & CSTOPB) != 0 ? 2 : 0;
        state.fOutxCtsFlow = (tio.c_cflag & CRTSCTS) != 0;
        state.fOutX = (tio.c_iflag & IXON) != 0;
        state.fInX = (tio.c_iflag & IXOFF) != 0;
        state.XonChar = static_cast<char>(tio.c_cc[VSTART]);
        state.XoffChar = static_cast<char>(tio.c_cc[VSTOP]);
        state.EofChar = static_cast<char>(tio.c_cc[VEOF]);
        return true;
    }

    bool SetLineState(HANDLE port, const CommState& state) override
    {
        termios tio {};
        if (m_sys.tcgetattr(port, &tio) != 0)
            return Fail(errno);
        speed_t speed {};
        if (!SpeedOf(state.BaudRate, speed) || state.ByteSize < 5 || state.ByteSize > 8 ||
            state.Parity > 2 || state.StopBits == 1 || state.StopBits > 2)
            return Fail(EINVAL);

        // Raw: no canonical mode, echo, signals or output processing.
        // Modem-control handling (HUPCL, DTR/RTS) stays as the driver had it.
        cfmakeraw(&tio);
        tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
        tio.c_cflag |= ByteSizeFlag(state.ByteSize) | CREAD | CLOCAL;
        if (state.Parity != 0)
            tio.c_cflag |= PARENB | (state.Parity == 1 ? PARODD : 0);
        if (state.StopBits == 2)
            tio.c_cflag |= CSTOPB;
        if (state.fOutxCtsFlow)
            tio.c_cflag |= CRTSCTS;
        tio.c_iflag &= ~(IXON | IXOFF | IXANY);
        if (state.fOutX)
            tio.c_iflag |= IXON;
        if (state.fInX)
            tio.c_iflag |= IXOFF;
        // cfmakeraw asks for one byte per read; reads here never wait in
        // the driver, the time-outs decide.
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 0;
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
        if (m_sys.tcsetattr(port, TCSANOW, &tio) != 0)
            return Fail(errno);

        // tcsetattr succeeds when any part applies; a device that refuses
        // the byte size, parity or speed must not pass for one that took it.
        termios now {};
        if (m_sys.tcgetattr(port, &now) != 0)
            return Fail(errno);
        if (!EssentialsMatch(tio, now))
            return Fail(EINVAL);
        return true;
    }

    bool GetTimeouts(HANDLE port, CommTimeouts& timeouts) override
    {
        std::lock_guard lock(m_mutex);
        auto it = m_timeouts.find(port);
        if (it == m_timeouts.end())
            return Fail(EBADF);
        timeouts = it->second;
        return true;
    }

    bool SetTimeouts(HANDLE port, const CommTimeouts& timeouts) override
    {
        std::lock_guard lock(m_mutex);
        auto it = m_timeouts.find(port);
        if (it == m_timeouts.end())
            return Fail(EBADF);
        it->second = timeouts;
        return true;
    }

    bool WritePort(HANDLE port, const void* data, DWORD length, DWORD& written) override
    {
        written = 0;
        const char* bytes = static_cast<const char*>(data);
        while (written < length) {
            const ssize_t n = m_sys.write(port, bytes + written, length - written);
            if (n > 0) {
                written += static_cast<DWORD>(n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                // The driver's buffer is full: wait for room, no time-out.
                if (!WaitFor(port, POLLOUT, -1))
                    return false;
                continue;
            }
            return Fail(n < 0 ? errno : EIO);
        }
        return true;
    }

    bool ReadPort(HANDLE port, void* buffer, DWORD size, DWORD& received) override
    {
        received = 0;
        CommTimeouts timeouts;
        if (!GetTimeouts(port, timeouts))
            return false;
        char* bytes = static_cast<char*>(buffer);

        // Interval MAXDWORD with both totals 0: whatever has arrived, at once.
        const bool immediate = timeouts.ReadIntervalTimeout == MAXDWORD &&
                               timeouts.ReadTotalTimeoutMultiplier == 0 &&
                               timeouts.ReadTotalTimeoutConstant == 0;
        const unsigned long long totalMs =
            static_cast<unsigned long long>(timeouts.ReadTotalTimeoutMultiplier) * size +
            timeouts.ReadTotalTimeoutConstant;
        const bool hasTotal = !immediate && totalMs > 0;
        const auto deadline = Clock::now() + std::chrono::milliseconds(hasTotal ? totalMs : 0);
        const bool hasInterval =
            timeouts.ReadIntervalTimeout != 0 && timeouts.ReadIntervalTimeout != MAXDWORD;

        while (received < size) {
            const ssize_t n = m_sys.read(port, bytes + received, size - received);
            if (n > 0) {
                received += static_cast<DWORD>(n);
                // One read hands over everything the driver holds.
                if (immediate)
                    return true;
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
                return Fail(errno);
            // Nothing has arrived, or the line is gone: a tty that was hung
            // up (the device unplugged, a pty's other side closed) also
            // reads 0 bytes, which must not pass for a quiet terminal.
            if (HungUp(port))
                return Fail(EIO);
            if (immediate)
                return true;
            int waitMs = hasTotal ? MillisUntil(deadline) : -1;
            if (hasInterval && received > 0) {
                const int interval = static_cast<int>(std::min<DWORD>(timeouts.ReadIntervalTimeout, 1u << 30));
                waitMs = waitMs < 0 ? interval : std::min(waitMs, interval);
            }
            if (hasTotal && waitMs == 0)
                return true;
            pollfd p{port, POLLIN, 0};
            const int ready = m_sys.poll(&p, 1, waitMs);
            if (ready < 0 && errno != EINTR)
                return Fail(errno);
            if (ready == 0)
                return true;
        }
        return true;
    }

    void ClosePort(HANDLE port) override
    {
        {
            std::lock_guard lock(m_mutex);
            m_timeouts.erase(port);
        }
        // Clear the exclusive flag first: it belongs to the tty, not to this
        // descriptor, and would otherwise keep others out after the close.
        m_sys.ioctl(port, TIOCNXCL, nullptr);
        m_sys.close(port);
    }

    void Pause(DWORD milliseconds) override
    {
        // Sleep to just short of an absolute deadline (so an interrupted
        // sleep does not stretch), then wait out the rest on the clock: the
        // scheduler wakes a sleeper a tenth of a millisecond or more late,
        // which would add to every exchange.
        constexpr long kSpinNs = 500'000;
        const long long deadline = MonotonicNs() + static_cast<long long>(milliseconds) * 1'000'000LL;
        const long long wake = deadline - kSpinNs;
        timespec wakeAt{static_cast<time_t>(wake / 1'000'000'000LL), static_cast<long>(wake % 1'000'000'000LL)};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wakeAt, nullptr) == EINTR) {
        }
        while (MonotonicNs() < deadline) {
        }
    }

    DWORD LastError() override { return t_lastError; }

    std::string ErrorText(DWORD code) override
    {
        // Codes the system does not know have no text, as on Windows.
        if (code > static_cast<DWORD>(INT32_MAX) || strerrordesc_np(static_cast<int>(code)) == nullptr)
            return {};
        char buffer[256];
        return strerror_r(static_cast<int>(code), buffer, sizeof buffer);
    }

private:
    bool HungUp(HANDLE port)
    {
        pollfd p{port, POLLIN, 0};
        return m_sys.poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR)) != 0;
    }

    bool WaitFor(HANDLE port, short events, int timeoutMs)
    {
        for (;;) {
            pollfd p{port, events, 0};
            const int ready = m_sys.poll(&p, 1, timeoutMs);
            if (ready > 0) {
                if ((p.revents & (POLLERR | POLLNVAL)) != 0)
                    return Fail(p.revents & POLLNVAL ? EBADF : EIO);
                return true;
            }
            if (ready < 0 && errno != EINTR)
                return Fail(errno);
        }
    }

    PosixCalls& m_sys;
    std::mutex m_mutex;
    std::map<HANDLE, CommTimeouts> m_timeouts;
};

}  // namespace

ISerialOs& SystemSerialOs()
{
    static PosixSerialOs os(SystemPosixCalls());
    return os;
}

std::unique_ptr<ISerialOs> MakePosixSerialOs(PosixCalls& calls)
{
    return std::make_unique<PosixSerialOs>(calls);
}
