// Many consecutive exchanges through one CDeviceLink against the simulator
// (answering without delay), with the process's open descriptors and
// resident memory at the start and the end: both must stay flat.
// Usage: endurance [N]   (default 1000; each exchange takes the 150 ms pause)
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "DeviceLink.h"
#include "SimulatorProcess.h"
#include "TempDir.h"

namespace {

int OpenDescriptors()
{
    int count = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (const dirent* e = ::readdir(dir))
            if (e->d_name[0] != '.')
                ++count;
        ::closedir(dir);
        --count;  // the directory stream itself
    }
    return count;
}

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    const long count = argc > 1 ? std::max(1L, std::atol(argv[1])) : 1000;
    ScopedRuntimeDir runtime;
    SimulatorProcess sim({"--delay-ms", "0"});

    // Operations in turn, one- and two-step, reads and writes.
    const DeviceOperation ops[] = {ProductType, MacAddress, IpAddress, Usid, ClearAdEeprom};
    CDeviceLink link;
    link.SetPort(sim.PortText());

    // One warm-up run so that lazily made state (the backend, locale data)
    // does not count as growth.
    char* reply = nullptr;
    link.Execute(Usid, &reply);
    std::free(reply);

    const int fdStart = OpenDescriptors();
    const long rssStart = ResidentKiB();
    long failures = 0;
    for (long i = 0; i < count; ++i) {
        link.m_bRead = (i % 2) == 0;
        link.SetMac(link.m_bRead ? "" : "02:5A:C1:01:02:03");
        link.SetIp("192.168.1.20");
        reply = nullptr;
        if (!link.Execute(ops[i % 5], &reply))
            ++failures;
        std::free(reply);
        if ((i + 1) % 100 == 0)
            std::fprintf(stderr, "%ld exchanges, fds %d, rss %ld KiB\n", i + 1, OpenDescriptors(), ResidentKiB());
    }
    const int fdEnd = OpenDescriptors();
    const long rssEnd = ResidentKiB();

    std::printf("endurance: %ld runs against COM%u, %ld failed\n", count, sim.ComNumber(), failures);
    std::printf("open descriptors: start %d, end %d\n", fdStart, fdEnd);
    std::printf("resident memory:  start %ld KiB, end %ld KiB (%+ld KiB)\n", rssStart, rssEnd, rssEnd - rssStart);
    return (failures == 0 && fdEnd == fdStart) ? 0 : 1;
}
