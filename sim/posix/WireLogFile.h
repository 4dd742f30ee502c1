// The file behind --log: entries are appended, each with one write, so a
// reader sees whole lines while the simulator runs.
#pragma once

#include <string>
#include <string_view>

#include "UniqueFd.h"

class WireLogFile {
public:
    explicit WireLogFile(const std::string& path);  // throws SimError

    // A failed write is reported on stderr once; serving goes on.
    void Append(std::string_view entry);

private:
    UniqueFd m_fd;
    std::string m_path;
    bool m_failureReported = false;
};
