// Discovery on this machine, with the terminal simulator running on a
// pseudo-terminal: the dialog is offered the simulator's number.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "ComPortNames.h"
#include "SerialPortInfo.h"
#include "SimulatorProcess.h"
#include "TempDir.h"

namespace {

TEST(SystemPorts, ListsTheSimulatorAsVirtualSerialPort)
{
    ScopedRuntimeDir runtime;
    SimulatorProcess simulator;
    const std::string com = "COM" + std::to_string(simulator.ComNumber());

    SerInfoArray ports;
    CollectSerialPorts(ports);

    const SSerInfo expected{comnames::PortLinkPath(comnames::PortLinkDirectory(),
                                                   simulator.ComNumber()),
                            "", "Virtual serial port (" + com + ")", FALSE, "Virtual serial port"};
    EXPECT_NE(std::find(ports.begin(), ports.end(), expected), ports.end())
        << "no record for the simulator's " << com;

    // Every port of the machine offers its number, in ascending order.
    static const std::regex comSuffix(R"(.* \(COM(\d+)\)$)");
    unsigned previous = 0;
    for (const SSerInfo& port : ports) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(port.m_strDisplayName, match, comSuffix))
            << port.m_strDisplayName;
        const unsigned number = static_cast<unsigned>(std::stoul(match[1]));
        EXPECT_GT(number, previous) << port.m_strDisplayName;
        previous = number;
    }
}

}  // namespace
