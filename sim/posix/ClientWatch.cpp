#include "ClientWatch.h"

#include <fcntl.h>
#include <sys/inotify.h>

#include <cerrno>
#include <cstring>

ClientWatch::ClientWatch(const std::string& slavePath)
{
    m_inotify.Reset(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    if (!m_inotify) {
        m_problem = std::string("inotify is not available: ") + std::strerror(errno);
        return;
    }
    if (::inotify_add_watch(m_inotify.Get(), slavePath.c_str(), IN_OPEN | IN_CLOSE) < 0) {
        GiveUp("cannot watch " + slavePath + ": " + std::strerror(errno));
        return;
    }

    // Make sure the kernel reports on this device: open and close it once
    // and expect to hear of both.
    {
        UniqueFd probe(::open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
        if (!probe) {
            GiveUp("cannot open " + slavePath + ": " + std::strerror(errno));
            return;
        }
    }
    const Change probeChange = Drain();
    if (!probeChange.arrived || !probeChange.left)
        GiveUp("opens and closes of " + slavePath + " are not reported");
    m_openCount = 0;
}

void ClientWatch::GiveUp(std::string problem)
{
    m_problem = std::move(problem);
    m_inotify.Reset();
}

ClientWatch::Change ClientWatch::Drain()
{
    Change change;
    if (!m_inotify)
        return change;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_inotify.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        for (ssize_t offset = 0; offset < n;) {
            inotify_event event;
            std::memcpy(&event, buffer + offset, sizeof event);
            offset += static_cast<ssize_t>(sizeof event + event.len);

            if (event.mask & IN_Q_OVERFLOW) {
                // Events were lost: the count is unknown. Start afresh as if
                // the client had closed and opened again.
                change.left = change.arrived = true;
                m_openCount = 1;
            } else if (event.mask & IN_IGNORED) {
                GiveUp("the watch on the port was removed");
                change.left = change.arrived = true;
                return change;
            } else if (event.mask & IN_OPEN) {
                if (m_openCount++ == 0)
                    change.arrived = true;
            } else if (event.mask & IN_CLOSE) {
                if (m_openCount > 0 && --m_openCount == 0)
                    change.left = true;
            }
        }
    }
    return change;
}
