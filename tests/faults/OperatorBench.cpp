#include "OperatorBench.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "ComPortNames.h"
#include "RunOperation.h"

OperatorBench::OperatorBench(const std::string& portText)
{
    view.SetWindowText(IDC_COMBO_PORT, portText);
}

OperatorBench::Press OperatorBench::Run(DeviceOperation op, BOOL bRead)
{
    const auto start = std::chrono::steady_clock::now();
    dlglogic::RunOperation(view, m_codePage, m_link, op, bRead);
    return {view.ResultLines(), std::chrono::steady_clock::now() - start};
}

std::map<int, std::string> OpenDescriptors()
{
    std::map<int, std::string> open;
    DIR* dir = ::opendir("/proc/self/fd");
    if (dir == nullptr)
        throw std::runtime_error("cannot list /proc/self/fd");
    const int own = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const int fd = std::atoi(entry->d_name);
        if (fd == own)
            continue;
        char target[512] = {};
        const std::string link = std::string("/proc/self/fd/") + entry->d_name;
        const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
        open[fd] = n > 0 ? std::string(target, static_cast<std::size_t>(n)) : "?";
    }
    ::closedir(dir);
    return open;
}

bool WaitForPortLink(unsigned comNumber, std::chrono::milliseconds limit)
{
    const std::string link = comnames::PortLinkPath(comnames::PortLinkDirectory(), comNumber);
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        struct stat st {};
        if (::lstat(link.c_str(), &st) == 0)
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}
