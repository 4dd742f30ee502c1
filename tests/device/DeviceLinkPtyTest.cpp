// The device link against the terminal simulator over a real pseudo-terminal:
// the exact bytes on the wire, one open per step, and the reply handed back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "CountingSerialOs.h"
#include "DeviceLink.h"
#include "SimulatorProcess.h"
#include "TempDir.h"

namespace {

struct FreeReply {
    void operator()(char* p) const { std::free(p); }
};
using Reply = std::unique_ptr<char, FreeReply>;

struct Row {
    const char* name;
    DeviceOperation op;
    bool read;
    std::vector<std::string> wire;  // without CR LF
    const char* replyStart;         // what the last step's answer begins with
};

void PrintTo(const Row& c, std::ostream* os) { *os << c.name; }

class DeviceLinkOverPty : public ::testing::TestWithParam<Row> {
protected:
    ScopedRuntimeDir runtime;
};

TEST_P(DeviceLinkOverPty, SendsExactlyTheTableLinesAndHandsBackTheLastAnswer)
{
    const Row& row = GetParam();
    SimulatorProcess sim;
    CountingSerialOs os(SystemSerialOs());
    CDeviceLink link(os);
    link.SetPort(sim.PortText());
    link.m_bRead = row.read;
    // As the dialog does: the operation's value on a Write, an empty text on a Read.
    const std::string none;
    link.SetProductType(row.read ? none : "Marlin 3200");
    link.SetMac(row.read ? none : "02:5A:C1:01:02:03");
    link.SetIp("192.168.1.20");
    link.SetUsid(row.read ? none : "A12");
    link.SetUcid(row.read ? none : "C7");

    char* raw = nullptr;
    const BOOL ok = link.Execute(row.op, &raw);
    Reply reply(raw);
    ASSERT_EQ(ok, TRUE);

    std::vector<std::string> expected;
    for (const std::string& l : row.wire)
        expected.push_back(l + "\r\n");
    EXPECT_EQ(sim.WireLines(), expected);
    EXPECT_EQ(os.opens, static_cast<int>(row.wire.size()));
    EXPECT_EQ(os.closes, os.opens);
    EXPECT_EQ(std::string(reply.get()).rfind(row.replyStart, 0), 0u) << "reply: " << reply.get();
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, DeviceLinkOverPty,
    ::testing::Values(
        Row{"ProductTypeRead", ProductType, true, {"QZ_DEVTYPE"}, "QZ_DEVTYPE A "},
        Row{"ProductTypeWrite", ProductType, false, {"QZ_DEVTYPE Marlin 3200"}, "QZ_DEVTYPE A"},
        Row{"MacRead", MacAddress, true, {"XP0000 0958", "XP3301"}, "XP3301 A \""},
        Row{"MacWrite", MacAddress, false, {"XP0000 0958", "XP3301 \"02:5A:C1:01:02:03\""}, "XP3301 A"},
        Row{"IpRead", IpAddress, true, {"QZ_ETH"}, "QZ_ETH A "},
        Row{"IpWrite", IpAddress, false, {"QZ_SETIP 192.168.1.20"}, "QZ_SETIP A"},
        Row{"UsidRead", Usid, true, {"QZ_USID"}, "QZ_USID A"},
        Row{"UsidWrite", Usid, false, {"QZ_USID A12"}, "QZ_USID A"},
        Row{"UcidRead", Ucid, true, {"QZ_UCID"}, "QZ_UCID A"},
        Row{"UcidWrite", Ucid, false, {"QZ_UCID C7"}, "QZ_UCID A"},
        Row{"ClearAdEepromRead", ClearAdEeprom, true, {"QZ_EEP"}, "QZ_EEP A"},
        Row{"ClearAdEepromWrite", ClearAdEeprom, false, {"QZ_EEP 43"}, "QZ_EEP A"},
        Row{"UpgradePrinterRead", UpgradePrinterDriver, true, {"QZ_UPPRT", "QZ_UPPRT"}, "QZ_UPPRT A"},
        Row{"UpgradePrinterWrite", UpgradePrinterDriver, false, {"QZ_UPPRT", "QZ_UPPRT"}, "QZ_UPPRT A"},
        Row{"ClearMainEepromRead", ClearMainEeprom, true, {"XP0000 0958", "XP0701"}, "XP0701 A"},
        Row{"ClearMainEepromWrite", ClearMainEeprom, false, {"XP0000 0958", "XP0701"}, "XP0701 A"}),
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
