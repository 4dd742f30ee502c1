// Wall time of one exchange step through CDeviceLink against the terminal
// simulator on a pseudo-terminal, and the same exchange made by pyserial.
// Usage: exchange [N]   (N operations of each kind, default 20)
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "DeviceLink.h"
#include "SimulatorProcess.h"
#include "TempDir.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kPauseMs = 150.0;

struct Figures {
    double median;
    double p90;
};

Figures Summarise(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    auto at = [&](double q) { return ms[static_cast<std::size_t>(q * static_cast<double>(ms.size() - 1) + 0.5)]; };
    return {at(0.5), at(0.9)};
}

// Milliseconds per step of each run of op.
std::vector<double> TimeOperation(const std::string& port, DeviceOperation op, int runs, int steps)
{
    CDeviceLink link;
    link.SetPort(port);
    link.m_bRead = true;
    link.SetProductType("");
    link.SetMac("");
    std::vector<double> perStep;
    for (int i = 0; i < runs; ++i) {
        char* reply = nullptr;
        const auto start = Clock::now();
        const BOOL ok = link.Execute(op, &reply);
        const auto end = Clock::now();
        std::free(reply);
        if (!ok) {
            std::fprintf(stderr, "exchange failed\n");
            std::exit(1);
        }
        perStep.push_back(std::chrono::duration<double, std::milli>(end - start).count() / steps);
    }
    return perStep;
}

std::vector<double> TimePyserial(const std::string& path, int runs)
{
    const std::string command = "/usr/bin/python3 " PYSERIAL_SCRIPT " '" + path + "' " + std::to_string(runs);
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::vector<double> ms;
    if (!pipe)
        return ms;
    std::string out;
    char buf[4096];
    while (std::fgets(buf, sizeof buf, pipe.get()) != nullptr)
        out += buf;
    for (char& c : out)
        if (c == '[' || c == ']' || c == ',')
            c = ' ';
    std::istringstream in(out);
    for (double s; in >> s;)
        ms.push_back(s * 1000.0);
    return ms;
}

void Print(const char* what, const Figures& f)
{
    std::printf("%-28s median %8.3f ms  p90 %8.3f ms  overhead above the pause: median %6.3f ms  p90 %6.3f ms\n",
                what, f.median, f.p90, f.median - kPauseMs, f.p90 - kPauseMs);
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    ScopedRuntimeDir runtime;
    SimulatorProcess sim;
    std::printf("exchange benchmark: %d runs each against the simulator on COM%u (%s)\n", runs,
                sim.ComNumber(), sim.PtyPath().c_str());

    const Figures one = Summarise(TimeOperation(sim.PortText(), ProductType, runs, 1));
    const Figures two = Summarise(TimeOperation(sim.PortText(), MacAddress, runs, 2));
    Print("one-step (ProductType read)", one);
    Print("two-step (MacAddress read)", two);

    const std::vector<double> py = TimePyserial(sim.PtyPath(), runs);
    if (py.empty()) {
        std::printf("pyserial: not available (python3-serial for /usr/bin/python3)\n");
        return 0;
    }
    const Figures ref = Summarise(py);
    Print("pyserial, same exchange", ref);
    std::printf("ratio of overheads (device link / pyserial), median: %.2f\n",
                (one.median - kPauseMs) / (ref.median - kPauseMs));
    return 0;
}
