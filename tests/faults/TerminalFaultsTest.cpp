// A terminal that misbehaves on the line, and what the operator sees: each
// fault of the simulator, met by the real dialog logic and device link. For
// each: the result lines, only command lines on the wire, no descriptor left
// open, no press that hangs, and the next press working as usual.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "OperatorBench.h"
#include "SimulatorProcess.h"
#include "TempDir.h"

namespace {

using std::chrono::milliseconds;
using Lines = std::vector<std::string>;

const std::string kResult = "通讯结果：";
const std::string kFailure = "通讯异常.";
// A press blocks for 150 ms per step; anything near this bound is a hang.
constexpr auto kHangGuard = std::chrono::seconds(2);

// The press after each fault: a MAC Read, whose answer is also copied back
// into the MAC field.
const Lines kMacReadWire = {"XP0000 0958\r\n", "XP3301\r\n"};
const std::string kMacReply = "XP3301 A \"02:5A:C1:00:00:01\"\r\n";
const std::string kMac = "02:5A:C1:00:00:01";

// What a terminal streaming its weight pushes out unasked.
const std::string kWeightReport = "ST,GS,+0000.000kg\r\n";

std::string Pattern(std::size_t length)
{
    std::string text;
    while (text.size() < length)
        text += "0123456789ABCDEF";
    return text.substr(0, length);
}

struct FaultCase {
    std::string name;
    std::vector<std::string> simArgs;
    DeviceOperation op;  // pressed with Read
    Lines expectedLines;
    Lines expectedWire;
    // Before the next press: the operator waits this long (late answers
    // have gone out, unasked bytes have piled up), and for the port to be
    // back if the fault cut it.
    milliseconds pause{0};
    std::string nextReplyPrefix{};  // bytes the next reply starts with
};

void PrintTo(const FaultCase& c, std::ostream* os)
{
    *os << c.name;
}

class TerminalFault : public ::testing::TestWithParam<FaultCase> {
protected:
    ScopedRuntimeDir m_runtime;
};

TEST_P(TerminalFault, OperatorSeesTheOutcomeAndTheNextPressWorks)
{
    const FaultCase& c = GetParam();
    SimulatorProcess sim(c.simArgs);
    OperatorBench bench(sim.PortText());
    // The code page's converter loads its tables on first use and keeps them.
    (void)CGbkCodePage().Decode("\xd6\xd0");
    const auto descriptorsBefore = OpenDescriptors();

    const OperatorBench::Press faulty = bench.Read(c.op);
    EXPECT_EQ(faulty.lines, c.expectedLines);
    EXPECT_LT(faulty.took, kHangGuard);
    EXPECT_EQ(sim.WireLines(), c.expectedWire);
    EXPECT_EQ(OpenDescriptors(), descriptorsBefore);

    std::this_thread::sleep_for(c.pause);
    ASSERT_TRUE(WaitForPortLink(sim.ComNumber(), milliseconds(3000)));

    const OperatorBench::Press next = bench.Read(MacAddress);
    EXPECT_EQ(next.lines, (Lines{kResult, c.nextReplyPrefix + kMacReply}));
    EXPECT_EQ(bench.view.GetWindowText(IDC_EDIT_MAC), kMac);
    EXPECT_LT(next.took, kHangGuard);
    Lines wire = c.expectedWire;
    wire.insert(wire.end(), kMacReadWire.begin(), kMacReadWire.end());
    EXPECT_EQ(sim.WireLines(), wire);
    EXPECT_EQ(OpenDescriptors(), descriptorsBefore);
    EXPECT_TRUE(bench.view.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, TerminalFault,
    ::testing::Values(
        // Shown up to the NUL; bytes that are no GBK text become U+FFFD, a
        // lead byte cut off by the NUL too, and "中" between them survives.
        FaultCase{"NulBytesAndInvalidGbk",
                  {"--fault", "nul-gbk", "--fault-on", "1"},
                  ProductType,
                  {kResult, "QZ_DEVTYPE A vEdge \uFFFD 中\uFFFD"},
                  {"QZ_DEVTYPE\r\n"}},
        // One read of 256 bytes; the rest is gone before the next press.
        FaultCase{"FourKiBAnswer",
                  {"--fault", "4k", "--fault-on", "1"},
                  ProductType,
                  {kResult, Pattern(256)},
                  {"QZ_DEVTYPE\r\n"}},
        // Nothing has arrived when the reply is read 150 ms after the line:
        // an empty result, as for a terminal that does not answer.
        FaultCase{"AnswerAfter300Ms",
                  {"--fault", "late", "--fault-on", "1"},
                  ProductType,
                  {kResult, ""},
                  {"QZ_DEVTYPE\r\n"},
                  milliseconds(300)},
        // What comes just after the port is opened is part of what the one
        // read takes; what came while the port was closed never shows.
        FaultCase{"UnsolicitedBytesBetweenExchanges",
                  {"--fault", "unsolicited"},
                  ProductType,
                  {kResult, kWeightReport + "QZ_DEVTYPE A vEdge\r\n"},
                  {"QZ_DEVTYPE\r\n"},
                  milliseconds(200),
                  kWeightReport},
        // The line is cut as the access step arrives; its own read sees
        // nothing, and the second step finds no port to open.
        FaultCase{"HangUpInTheAccessStep",
                  {"--fault", "hangup", "--fault-on", "1"},
                  MacAddress,
                  {kFailure},
                  {"XP0000 0958\r\n"}}),
    [](const auto& info) { return info.param.name; });

class TerminalHangUp : public ::testing::Test {
protected:
    ScopedRuntimeDir m_runtime;
};

// A hung-up tty (the terminal's end went away, as when a USB adapter is
// pulled) reads 0 bytes like a quiet one; it must show as a failure, not as
// an empty communication result.
TEST_F(TerminalHangUp, DuringTheReplyPauseShowsFailure)
{
    SimulatorProcess sim({"--fault", "hangup", "--fault-on", "1"});
    OperatorBench bench(sim.PortText());
    const auto descriptorsBefore = OpenDescriptors();

    const OperatorBench::Press cut = bench.Read(ProductType);
    EXPECT_EQ(cut.lines, (Lines{kFailure}));
    EXPECT_LT(cut.took, kHangGuard);
    EXPECT_EQ(OpenDescriptors(), descriptorsBefore);

    ASSERT_TRUE(WaitForPortLink(sim.ComNumber(), milliseconds(3000)));
    EXPECT_EQ(bench.Read(ProductType).lines, (Lines{kResult, "QZ_DEVTYPE A vEdge\r\n"}));
    EXPECT_EQ(sim.WireLines(), (Lines{"QZ_DEVTYPE\r\n", "QZ_DEVTYPE\r\n"}));
}

TEST_F(TerminalHangUp, WhileThePortIsAwayEveryPressFailsAtOnce)
{
    SimulatorProcess sim({"--fault", "hangup", "--fault-on", "1", "--down-ms", "2000"});
    OperatorBench bench(sim.PortText());
    const auto descriptorsBefore = OpenDescriptors();

    bench.Read(ProductType);  // cuts the line
    for (const DeviceOperation op : {ProductType, MacAddress, Usid}) {
        const OperatorBench::Press press = bench.Read(op);
        EXPECT_EQ(press.lines, (Lines{kFailure})) << op;
        EXPECT_LT(press.took, kHangGuard) << op;
    }
    EXPECT_EQ(sim.WireLines(), (Lines{"QZ_DEVTYPE\r\n"}));
    EXPECT_EQ(OpenDescriptors(), descriptorsBefore);
}

}  // namespace
