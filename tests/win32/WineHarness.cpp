#include "WineHarness.h"

#include "WireLogLines.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <algorithm>
#include <fstream>
#include <thread>

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        ADD_FAILURE() << name << " is not set; run the Windows tests through scripts/test-windows";
        return {};
    }
    return value;
}

}  // namespace

std::string WinePath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

std::string SimulatorPort()
{
    return Environment("VADIRE_SIM_PORT");
}

CWireLog::CWireLog() : m_strPath(WinePath(Environment("VADIRE_SIM_LOG")))
{
    m_nMark = AllLines().size();
}

std::vector<std::string> CWireLog::AllLines() const
{
    std::ifstream log(m_strPath, std::ios::binary);
    return WireLogLines(log);
}

std::vector<std::string> CWireLog::NewLines() const
{
    std::vector<std::string> lines = AllLines();
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(
                                                   std::min(m_nMark, lines.size())));
    return lines;
}

std::vector<std::string> CWireLog::WaitForLines(std::size_t nCount,
                                                std::chrono::milliseconds timeout) const
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::vector<std::string> lines = NewLines();
    while (lines.size() < nCount && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        lines = NewLines();
    }
    return lines;
}
