// Prints the median time of one CollectSerialPorts call for a large device
// list through the in-memory platform and, on Linux, for a sysfs tree of
// 256 ttys through the Linux provider.
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "FakePortPlatform.h"
#include "LinuxPortPlatform.h"
#include "SerialPortInfo.h"
#include "SysfsFixture.h"

namespace {

constexpr int kRuns = 21;

// Median milliseconds per call; the first call warms caches and is not counted.
double MedianMilliseconds(const std::function<std::size_t()>& call, std::size_t& found)
{
    found = call();
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        found = call();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[kRuns / 2];
}

void Report(const char* what, double ms, double targetMs, std::size_t found)
{
    std::printf("%-48s %8.3f ms per call (median of %d), %zu ports, target < %.0f ms: %s\n", what,
                ms, kRuns, found, targetMs, ms < targetMs ? "met" : "MISSED");
}

bool BenchFake()
{
    CFakePortPlatform platform;
    for (int n = 1; n <= 1000; ++n) {
        const std::string number = std::to_string(n);
        platform.AddDevice({"\\\\?\\usb#vid_0403&pid_6001#" + number +
                                "#{86e0d1e0-8089-11d0-9ce4-08003e301f73}",
                            "USB Serial Port (COM" + number + ")", "USB Serial Port",
                            "USB 1-1." + number});
    }
    std::size_t found = 0;
    const double ms = MedianMilliseconds(
        [&] {
            SerInfoArray ports;
            CollectSerialPorts(ports, platform);
            return ports.size();
        },
        found);
    Report("in-memory platform, 1,000 device-setup ports", ms, 5, found);
    return ms < 5;
}

// 256 ttys as a large machine has them: virtual consoles, UARTs real and
// phantom, USB adapters, CDC-ACM boards, ARM UARTs, and ttyS beyond the table.
void BuildTree(CSysfsFixture& tree)
{
    for (int i = 0; i < 64; ++i)
        tree.AddVirtualTty("tty" + std::to_string(i));
    for (int i = 0; i < 32; ++i) {
        const std::string name = "ttyS" + std::to_string(i);
        if (i < 4)
            tree.AddPnpUart(name, 4);
        else
            tree.AddPhantomUart(name);
    }
    for (int i = 32; i < 96; ++i)
        tree.AddPnpUart("ttyS" + std::to_string(i), 4);
    for (int i = 0; i < 32; ++i) {
        const std::string usbPort = "1-1." + std::to_string(i + 1);
        tree.AddUsbDevice(usbPort, "FTDI", "FT232R USB UART");
        tree.AddUsbSerialTty(usbPort, 0, "ttyUSB" + std::to_string(i), "ftdi_sio");
        const std::string acmPort = "2-1." + std::to_string(i + 1);
        tree.AddUsbDevice(acmPort, "深圳电子", "称重串口");
        tree.AddAcmTty(acmPort, 0, "ttyACM" + std::to_string(i));
        char address[16];
        std::snprintf(address, sizeof address, "fe2%02x000", i);
        tree.AddAmbaUart("ttyAMA" + std::to_string(i), address, 32);
    }
}

bool BenchLinux()
{
    std::string root = (std::filesystem::temp_directory_path() / "vadire-bench-XXXXXX").string();
    if (::mkdtemp(root.data()) == nullptr) {
        std::perror("mkdtemp");
        return false;
    }
    // An empty port-link directory of our own, so the figure is the tree's.
    ::setenv("XDG_RUNTIME_DIR", root.c_str(), 1);
    bool met = false;
    {
        CSysfsFixture tree(root);
        BuildTree(tree);
        std::size_t found = 0;
        const double ms = MedianMilliseconds(
            [&] {
                CLinuxPortPlatform platform(tree.SysRoot(), tree.DevRoot());
                SerInfoArray ports;
                CollectSerialPorts(ports, platform);
                return ports.size();
            },
            found);
        Report("Linux provider, sysfs tree of 256 ttys", ms, 20, found);
        met = ms < 20;
    }
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return met;
}

}  // namespace

int main()
{
    const bool fakeMet = BenchFake();
    const bool linuxMet = BenchLinux();
    return fakeMet && linuxMet ? EXIT_SUCCESS : EXIT_FAILURE;
}
