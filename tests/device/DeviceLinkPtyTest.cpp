// The device link against the terminal simulator over a real pseudo-terminal:
// the exact bytes on the wire, one open per step, and the reply handed back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "CommandTableRows.h"
#include "CountingSerialOs.h"
#include "DeviceLink.h"
#include "SimulatorProcess.h"
#include "TempDir.h"

namespace {

struct FreeReply {
    void operator()(char* p) const { std::free(p); }
};
using Reply = std::unique_ptr<char, FreeReply>;

class DeviceLinkOverPty : public ::testing::TestWithParam<SCommandTableRow> {
protected:
    ScopedRuntimeDir runtime;
};

TEST_P(DeviceLinkOverPty, SendsExactlyTheTableLinesAndHandsBackTheLastAnswer)
{
    const SCommandTableRow& row = GetParam();
    SimulatorProcess sim;
    CountingSerialOs os(SystemSerialOs());
    CDeviceLink link(os);
    link.SetPort(sim.PortText());
    LoadRowParameters(link, row);

    char* raw = nullptr;
    const BOOL ok = link.Execute(row.op, &raw);
    Reply reply(raw);
    ASSERT_EQ(ok, TRUE);

    EXPECT_EQ(sim.WireLines(), WireLinesOf(row));
    EXPECT_EQ(os.opens, static_cast<int>(row.wire.size()));
    EXPECT_EQ(os.closes, os.opens);
    EXPECT_EQ(std::string(reply.get()).rfind(row.replyStart, 0), 0u) << "reply: " << reply.get();
}

INSTANTIATE_TEST_SUITE_P(EveryRow, DeviceLinkOverPty, ::testing::ValuesIn(CommandTableRows()),
                         [](const auto& info) { return std::string(info.param.name); });

class DeviceLinkTerminalBehaviour : public ::testing::Test {
protected:
    std::string RunUsidRead(SimulatorProcess& sim, BOOL& ok)
    {
        CDeviceLink link;
        link.SetPort(sim.PortText());
        link.m_bRead = true;
        link.SetUsid("");
        char* raw = nullptr;
        ok = link.Execute(Usid, &raw);
        Reply reply(raw);
        return std::string(reply.get(), CDeviceLink::kReplyBufferSize);
    }
    ScopedRuntimeDir runtime;
};

TEST_F(DeviceLinkTerminalBehaviour, ASilentTerminalGivesSuccessWithAnEmptyReply)
{
    SimulatorProcess sim({"--silent"});
    BOOL ok = FALSE;
    const std::string reply = RunUsidRead(sim, ok);
    EXPECT_EQ(ok, TRUE);
    EXPECT_EQ(reply, std::string(CDeviceLink::kReplyBufferSize, '\0'));
}

TEST_F(DeviceLinkTerminalBehaviour, ALongReplyIsCutAtTheReadSizeAndTerminated)
{
    SimulatorProcess sim({"--reply-bytes", "300"});
    BOOL ok = FALSE;
    const std::string reply = RunUsidRead(sim, ok);
    EXPECT_EQ(ok, TRUE);
    EXPECT_EQ(std::strlen(reply.c_str()), CDeviceLink::kReplyReadSize);

    // The rest of the 300 bytes does not leak into the next exchange.
    const std::string next = RunUsidRead(sim, ok);
    EXPECT_EQ(ok, TRUE);
    EXPECT_EQ(next.substr(0, 16), reply.substr(0, 16));
}

TEST_F(DeviceLinkTerminalBehaviour, AccessStepIsWhatUnlocksTheMacQuery)
{
    SimulatorProcess sim;
    CDeviceLink link;
    link.SetPort(sim.PortText());
    link.m_bRead = true;
    link.SetMac("");
    char* raw = nullptr;
    ASSERT_EQ(link.Execute(MacAddress, &raw), TRUE);
    Reply reply(raw);
    EXPECT_EQ(std::string(reply.get()).rfind("XP3301 A \"02:5A:C1:", 0), 0u) << reply.get();
}

TEST_F(DeviceLinkTerminalBehaviour, APortThatCannotBeOpenedFailsAndTheNextRunWorks)
{
    SimulatorProcess sim;
    CDeviceLink link;
    link.m_bRead = true;
    link.SetUsid("");
    for (const char* port : {"COM3", "0", "12345"}) {
        link.SetPort(port);
        char* raw = nullptr;
        EXPECT_EQ(link.Execute(Usid, &raw), FALSE) << port;
        Reply reply(raw);
        EXPECT_NE(raw, nullptr) << port;
    }
    link.SetPort(sim.PortText());
    char* raw = nullptr;
    EXPECT_EQ(link.Execute(Usid, &raw), TRUE);
    Reply reply(raw);
}

}  // namespace
