// The real simulator executable, spoken to over its pseudo-terminal the way
// the device link does: open, write a line, read, close, reopen.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <future>
#include <set>
#include <thread>

#include "ComPortNames.h"
#include "SerialClient.h"
#include "SimCommand.h"
#include "SimulatorProcess.h"
#include "TempDir.h"

namespace {

using std::chrono::milliseconds;

// The device link reads 150 ms after writing. The simulator discards what a
// client left unread as soon as it learns of the close, which on a loaded
// machine may be a moment after the client has already reopened; a client
// that read the instant it reopened could still catch old bytes then.
constexpr milliseconds kDeviceLinkPause{150};

std::string LinkTarget(const std::string& link)
{
    std::error_code error;
    const auto target = std::filesystem::read_symlink(link, error);
    return error ? std::string() : target.string();
}

bool LinkExists(const std::string& link)
{
    struct stat st {};
    return ::lstat(link.c_str(), &st) == 0;
}

class SimOverPty : public ::testing::Test {
protected:
    ScopedRuntimeDir m_runtime;
};

TEST_F(SimOverPty, KeepsServingWhileTheClientClosesAndReopens)
{
    SimulatorProcess sim;
    const std::string port = sim.PtyPath();

    EXPECT_EQ(ExchangeLine(port, "QZ_DEVTYPE"), "QZ_DEVTYPE A vEdge\r\n");
    // A MAC write and read back: the access step on its own exchange each time.
    EXPECT_EQ(ExchangeLine(port, "XP0000 0958"), "XP0000 A\r\n");
    EXPECT_EQ(ExchangeLine(port, "XP3301 \"02:5A:C1:01:02:03\""), "XP3301 A\r\n");
    EXPECT_EQ(ExchangeLine(port, "XP0000 0958"), "XP0000 A\r\n");
    EXPECT_EQ(ExchangeLine(port, "XP3301"), "XP3301 A \"02:5A:C1:01:02:03\"\r\n");
    EXPECT_EQ(ExchangeLine(port, "XP3301"), "XP3301 E\r\n");
}

TEST_F(SimOverPty, ReplyLeftUnreadIsGoneAfterReopen)
{
    SimulatorProcess sim;
    {
        SerialClient first(sim.PtyPath());
        first.Send("QZ_USID\r\n");
        std::this_thread::sleep_for(milliseconds(100));  // reply arrives, stays unread
    }
    // Reopened at once, as the second step of an operation does, and read
    // after the same pause.
    SerialClient second(sim.PtyPath());
    second.Send("QZ_UCID\r\n");
    std::this_thread::sleep_for(kDeviceLinkPause);
    EXPECT_EQ(second.ReadLine(), "QZ_UCID A UC000001\r\n");
    EXPECT_EQ(second.ReadFor(milliseconds(50)), "");
}

TEST_F(SimOverPty, LongReplyLeftUnreadIsGoneAfterReopen)
{
    SimulatorProcess sim({"--reply-bytes", "65536"});
    {
        SerialClient first(sim.PtyPath());
        first.Send("QZ_USID\r\n");
        EXPECT_EQ(first.ReadCount(256).substr(0, 16), "0123456789ABCDEF");
    }
    SerialClient second(sim.PtyPath());
    second.Send("QZ_UCID\r\n");
    std::this_thread::sleep_for(kDeviceLinkPause);
    const std::string reply = second.ReadCount(65536, milliseconds(1500));
    EXPECT_EQ(reply.size(), 65536u);
    EXPECT_EQ(reply.substr(0, 16), "0123456789ABCDEF");
    EXPECT_EQ(second.ReadFor(milliseconds(50)), "");
}

TEST_F(SimOverPty, ReplyDueWhileClosedIsDropped)
{
    SimulatorProcess sim({"--delay-ms", "100"});
    {
        SerialClient client(sim.PtyPath());
        client.Send("QZ_USID\r\n");
    }
    std::this_thread::sleep_for(milliseconds(200));
    SerialClient client(sim.PtyPath());
    EXPECT_EQ(client.ReadFor(milliseconds(150)), "");
}

TEST_F(SimOverPty, PartialLineIsDiscardedOnClose)
{
    SimulatorProcess sim({"--delay-ms", "0"});
    {
        SerialClient client(sim.PtyPath());
        client.Send("QZ_DEV");
        std::this_thread::sleep_for(milliseconds(20));
    }
    EXPECT_EQ(ExchangeLine(sim.PtyPath(), "QZ_UCID"), "QZ_UCID A UC000001\r\n");
    EXPECT_EQ(sim.WireLines(), (std::vector<std::string>{"QZ_UCID\r\n"}));
}

TEST_F(SimOverPty, LogHoldsTheExactBytes)
{
    SimulatorProcess sim;
    const std::vector<std::string> lines = {"QZ_USID \xd6\xd0\xce\xc4\r\n", "XP3301 \"a\\b\"\r\n",
                                            "\r\n", "bad\tline\r\n"};
    for (const std::string& line : lines) {
        SerialClient client(sim.PtyPath());
        client.Send(line);
        EXPECT_NE(client.ReadLine(), "");
    }
    EXPECT_EQ(sim.WireLines(), lines);
}

TEST_F(SimOverPty, SilentNeverAnswersButLogs)
{
    SimulatorProcess sim({"--silent"});
    SerialClient client(sim.PtyPath());
    client.Send("QZ_DEVTYPE\r\n");
    EXPECT_EQ(client.ReadFor(milliseconds(150)), "");
    EXPECT_EQ(sim.WireLines(), (std::vector<std::string>{"QZ_DEVTYPE\r\n"}));
}

TEST_F(SimOverPty, ReplyBytesAnswersExactlyThatMany)
{
    SimulatorProcess sim({"--reply-bytes", "300"});
    SerialClient client(sim.PtyPath());
    client.Send("QZ_DEVTYPE\r\n");
    const std::string reply = client.ReadCount(300);
    ASSERT_EQ(reply.size(), 300u);
    EXPECT_EQ(reply.substr(0, 20), "0123456789ABCDEF0123");
    EXPECT_EQ(reply.substr(288), "0123456789AB");
    EXPECT_EQ(client.ReadFor(milliseconds(100)), "");
}

TEST_F(SimOverPty, WireTimingDeliversOnlyWhatTheLineCarriedSoFar)
{
    SimulatorProcess sim({"--wire-timing", "--reply-bytes", "300"});
    SerialClient client(sim.PtyPath());
    client.Send("QZ_DEVTYPE\r\n");
    // 300 bytes take over 300 ms at 9600 8N1; after 150 ms only part is there.
    const std::string early = client.ReadFor(milliseconds(150));
    EXPECT_GT(early.size(), 0u);
    EXPECT_LT(early.size(), 200u);
    const std::string rest = client.ReadCount(300 - early.size(), milliseconds(2000));
    EXPECT_EQ(early.size() + rest.size(), 300u);
}

TEST_F(SimOverPty, TwoSimulatorsStartedTogetherTakeTheLowestFreeNumbers)
{
    // The lowest numbers without a device of the fixed table on this machine.
    std::set<unsigned> expected;
    for (unsigned n = 1; expected.size() < 2; ++n) {
        const std::string tty = comnames::FixedTableTtyName(n);
        if (tty.empty() || !std::filesystem::exists("/dev/" + tty))
            expected.insert(n);
    }

    auto start = [] { return std::make_unique<SimulatorProcess>(); };
    auto a = std::async(std::launch::async, start);
    auto b = std::async(std::launch::async, start);
    const auto simA = a.get();
    const auto simB = b.get();

    EXPECT_EQ((std::set<unsigned>{simA->ComNumber(), simB->ComNumber()}), expected);
    const std::string directory = comnames::PortLinkDirectory();
    EXPECT_EQ(LinkTarget(comnames::PortLinkPath(directory, simA->ComNumber())), simA->PtyPath());
    EXPECT_EQ(LinkTarget(comnames::PortLinkPath(directory, simB->ComNumber())), simB->PtyPath());
}

TEST_F(SimOverPty, SkipsANumberWhoseLinkExists)
{
    const std::string directory = comnames::PortLinkDirectory();
    ASSERT_EQ(comnames::EnsurePortLinkDirectory(directory), 0);
    SimulatorProcess first;
    const unsigned taken = first.ComNumber();
    first.Stop();
    // A link left behind by someone else keeps its number taken.
    ASSERT_EQ(::symlink("/dev/null", comnames::PortLinkPath(directory, taken).c_str()), 0);

    SimulatorProcess second;
    EXPECT_GT(second.ComNumber(), taken);
}

TEST_F(SimOverPty, SigtermEndsWithStatusZeroAndRemovesTheLink)
{
    SimulatorProcess sim({"--com", "7"});
    ASSERT_EQ(sim.ComNumber(), 7u);
    const std::string link = comnames::PortLinkPath(comnames::PortLinkDirectory(), 7);
    EXPECT_EQ(LinkTarget(link), sim.PtyPath());

    const int status = sim.Stop();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(LinkExists(link));
}

TEST_F(SimOverPty, RefusesAComNumberThatIsTaken)
{
    SimulatorProcess sim({"--com", "7"});
    const SimCommandResult second = RunSimToExit({"--com", "7"});
    EXPECT_EQ(second.exitStatus, 1);
    EXPECT_NE(second.stderrText.find("COM7 is taken"), std::string::npos) << second.stderrText;
    EXPECT_EQ(second.stdoutText, "");
    // The first one still owns its link.
    EXPECT_EQ(LinkTarget(comnames::PortLinkPath(comnames::PortLinkDirectory(), 7)), sim.PtyPath());
}

TEST_F(SimOverPty, RefusesAnUnsafePortLinkDirectory)
{
    const std::string directory = comnames::PortLinkDirectory();
    ASSERT_EQ(comnames::EnsurePortLinkDirectory(directory), 0);
    ASSERT_EQ(::chmod(directory.c_str(), 0777), 0);

    const SimCommandResult result = RunSimToExit({});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.stderrText.find("unsafe"), std::string::npos) << result.stderrText;
    EXPECT_EQ(result.stdoutText, "");
}

struct BadArgs {
    std::string name;
    std::vector<std::string> args;
};

void PrintTo(const BadArgs& c, std::ostream* os)
{
    *os << c.name;
}

class SimCommandLine : public ::testing::TestWithParam<BadArgs> {
protected:
    ScopedRuntimeDir m_runtime;
};

TEST_P(SimCommandLine, BadArgumentsGiveOneUsageLineAndStatusTwo)
{
    const SimCommandResult result = RunSimToExit(GetParam().args);
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.stdoutText, "");
    ASSERT_FALSE(result.stderrText.empty());
    EXPECT_EQ(result.stderrText.find('\n'), result.stderrText.size() - 1) << result.stderrText;
    EXPECT_NE(result.stderrText.find("usage: vadire-terminal-sim"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Cases, SimCommandLine,
                         ::testing::Values(BadArgs{"UnknownOption", {"--port", "3"}},
                                           BadArgs{"ComOutOfRange", {"--com", "0"}},
                                           BadArgs{"DelayNotANumber", {"--delay-ms", "soon"}},
                                           BadArgs{"MissingValue", {"--reply-bytes"}}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
