#include "StopSignals.h"

#include <signal.h>
#include <sys/signalfd.h>

#include <cerrno>

#include "SystemError.h"

StopSignals::StopSignals()
{
    sigset_t set;
    ::sigemptyset(&set);
    ::sigaddset(&set, SIGINT);
    ::sigaddset(&set, SIGTERM);
    ::sigaddset(&set, SIGHUP);
    if (::sigprocmask(SIG_BLOCK, &set, nullptr) != 0)
        throw SystemError("cannot block stop signals", errno);
    m_fd.Reset(::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC));
    if (!m_fd)
        throw SystemError("cannot receive stop signals", errno);
}
