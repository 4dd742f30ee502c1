// One operator at the dialog, pressing Read or Write against a terminal
// simulator: the real dialog logic, device link and GBK code page, with a
// window that only records what it is shown. Also the checks every fault
// scenario shares: the descriptors this process holds, and the simulator's
// port coming back after it was cut.
#pragma once

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "DeviceLink.h"
#include "GbkCodePage.h"
#include "RecordingView.h"

class OperatorBench {
public:
    explicit OperatorBench(const std::string& portText);

    struct Press {
        std::vector<std::string> lines;  // the result list afterwards, UTF-8
        std::chrono::steady_clock::duration took;
    };
    Press Read(DeviceOperation op) { return Run(op, TRUE); }
    Press Write(DeviceOperation op) { return Run(op, FALSE); }

    RecordingView view;

private:
    Press Run(DeviceOperation op, BOOL bRead);

    CGbkCodePage m_codePage;
    CDeviceLink m_link;
};

// Open descriptors of this process: number -> what it refers to.
std::map<int, std::string> OpenDescriptors();

// Waits until COM<n> has a port link again; false when it has none within
// the time.
bool WaitForPortLink(unsigned comNumber, std::chrono::milliseconds limit);
