#include "WireLogFile.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "SystemError.h"

WireLogFile::WireLogFile(const std::string& path) : m_path(path)
{
    m_fd.Reset(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (!m_fd)
        throw SystemError("cannot open log file " + path, errno);
}

void WireLogFile::Append(std::string_view entry)
{
    while (!entry.empty()) {
        const ssize_t n = ::write(m_fd.Get(), entry.data(), entry.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (!m_failureReported)
                std::fprintf(stderr, "vadire-terminal-sim: cannot write log file %s: %s\n",
                             m_path.c_str(), n < 0 ? std::strerror(errno) : "nothing written");
            m_failureReported = true;
            return;
        }
        entry.remove_prefix(static_cast<std::size_t>(n));
    }
}
