// The simulator's terminal faults over its pseudo-terminal, seen by a plain
// serial client.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "ComPortNames.h"
#include "SerialClient.h"
#include "SimCommand.h"
#include "SimulatorProcess.h"
#include "TempDir.h"

namespace {

using std::chrono::milliseconds;

const std::string kWeightReport = "ST,GS,+0000.000kg\r\n";

bool LinkExists(const std::string& link)
{
    struct stat st {};
    return ::lstat(link.c_str(), &st) == 0;
}

// Until the link exists or the time is up.
bool WaitForLink(const std::string& link, milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!LinkExists(link)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(milliseconds(5));
    }
    return true;
}

class SimFault : public ::testing::Test {
protected:
    ScopedRuntimeDir m_runtime;
};

TEST_F(SimFault, HangUpFailsTheClientsPortAndTheTerminalComesBackOnANewOne)
{
    SimulatorProcess sim({"--fault", "hangup", "--fault-on", "1", "--down-ms", "300"});
    const std::string link = comnames::PortLinkPath(comnames::PortLinkDirectory(), sim.ComNumber());
    {
        SerialClient client(sim.PtyPath());
        client.Send("QZ_USID\r\n");
        ASSERT_TRUE(client.WaitForHangUp(milliseconds(2000)));
        // The link went first, so nobody opens the dead device any more.
        EXPECT_FALSE(LinkExists(link));
        EXPECT_THROW(client.Send("QZ_UCID\r\n"), std::runtime_error);
        EXPECT_EQ(client.ReadFor(milliseconds(50)), "");
    }
    EXPECT_THROW(SerialClient{link}, std::runtime_error);

    ASSERT_TRUE(WaitForLink(link, milliseconds(3000)));
    // The terminal kept its settings and answers as before.
    EXPECT_EQ(ExchangeLine(link, "QZ_USID"), "QZ_USID A US000001\r\n");
    EXPECT_EQ(sim.WireLines(), (std::vector<std::string>{"QZ_USID\r\n", "QZ_USID\r\n"}));

    const int status = sim.Stop();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(LinkExists(link));
}

TEST_F(SimFault, StopDuringTheDownTimeEndsAtOnce)
{
    SimulatorProcess sim({"--fault", "hangup", "--down-ms", "600000"});
    {
        SerialClient client(sim.PtyPath());
        client.Send("QZ_USID\r\n");
        ASSERT_TRUE(client.WaitForHangUp(milliseconds(2000)));
    }
    const int status = sim.Stop();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(SimFault, UnsolicitedBytesPileUpWhileAwayAndComeJustAfterAnOpen)
{
    SimulatorProcess sim({"--fault", "unsolicited"});
    std::this_thread::sleep_for(milliseconds(250));  // nobody holds the port
    {
        SerialClient client(sim.PtyPath());
        const std::string waiting = client.ReadFor(milliseconds(100));
        // At least two from the time away, one after the open.
        ASSERT_GE(waiting.size(), 3 * kWeightReport.size());
        EXPECT_EQ(waiting, [&] {
            std::string reports;
            while (reports.size() < waiting.size())
                reports += kWeightReport;
            return reports;
        }());
    }
    // A client that discards what waited, as the device link does, sees the
    // report that follows its open, then the answer.
    SerialClient client(sim.PtyPath());
    client.DiscardInput();
    client.Send("QZ_USID\r\n");
    std::this_thread::sleep_for(milliseconds(150));
    EXPECT_EQ(client.ReadFor(milliseconds(30)), kWeightReport + "QZ_USID A US000001\r\n");
}

TEST_F(SimFault, LateAnswerComesOnlyAfter300Ms)
{
    SimulatorProcess sim({"--fault", "late", "--fault-on", "1"});
    SerialClient client(sim.PtyPath());
    client.Send("QZ_USID\r\n");
    EXPECT_EQ(client.ReadFor(milliseconds(250)), "");
    EXPECT_EQ(client.ReadLine(milliseconds(1000)), "QZ_USID A US000001\r\n");
}

TEST_F(SimFault, HelpDescribesEveryFault)
{
    const SimCommandResult help = RunSimToExit({"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* word : {"--fault KIND", "hangup", "nul-gbk", "4k", "late", "unsolicited",
                             "--fault-on N", "--down-ms MS"})
        EXPECT_NE(help.stdoutText.find(word), std::string::npos) << word;
}

}  // namespace
