#include <gtest/gtest.h>

#include <string>

#include "ReplySchedule.h"

namespace {

using Clock = ReplySchedule::Clock;
using std::chrono::milliseconds;

// A port that takes up to `room` bytes per call and keeps what it got.
struct FakePort {
    std::string received;
    std::size_t room = SIZE_MAX;

    ReplySchedule::Writer Writer()
    {
        return [this](std::string_view bytes) {
            const std::size_t n = std::min(room, bytes.size());
            received.append(bytes.substr(0, n));
            return n;
        };
    }
};

const Clock::time_point t0 = Clock::time_point() + std::chrono::hours(1);

TEST(SimReplySchedule, WholeReplyIsDueAfterTheDelay)
{
    ReplySchedule schedule(milliseconds(20), 0);
    FakePort port;
    schedule.Add(t0, "QZ_ETH A\r\n");
    EXPECT_EQ(schedule.NextDue(), t0 + milliseconds(20));

    schedule.Deliver(t0 + milliseconds(19), true, port.Writer());
    EXPECT_EQ(port.received, "");
    schedule.Deliver(t0 + milliseconds(20), true, port.Writer());
    EXPECT_EQ(port.received, "QZ_ETH A\r\n");
    EXPECT_TRUE(schedule.Empty());
}

TEST(SimReplySchedule, WireTimingSendsByteByByteAndQueuesReplies)
{
    ReplySchedule schedule(milliseconds(20), ReplySchedule::kWireBytesPerSecond);
    FakePort port;
    schedule.Add(t0, std::string(300, 'a'));
    schedule.Add(t0, "b");  // waits for the line to be free

    // 130 ms of a 9600 8N1 line carry 124 whole bytes (1.0417 ms each).
    schedule.Deliver(t0 + milliseconds(150), true, port.Writer());
    EXPECT_EQ(port.received, std::string(124, 'a'));
    ASSERT_TRUE(schedule.NextDue());
    EXPECT_GT(*schedule.NextDue(), t0 + milliseconds(150));
    EXPECT_LE(*schedule.NextDue(), t0 + milliseconds(152));

    // 300 bytes take 312.5 ms; the second reply follows the first.
    schedule.Deliver(t0 + milliseconds(333), true, port.Writer());
    EXPECT_EQ(port.received, std::string(300, 'a'));
    schedule.Deliver(t0 + milliseconds(334), true, port.Writer());
    EXPECT_EQ(port.received, std::string(300, 'a') + "b");
}

TEST(SimReplySchedule, BytesDueWhileTheClientIsAwayAreLost)
{
    ReplySchedule schedule(milliseconds(20), ReplySchedule::kWireBytesPerSecond);
    FakePort port;
    schedule.Add(t0, std::string(100, 'a') + std::string(100, 'b'));
    schedule.Deliver(t0 + milliseconds(120), false, port.Writer());  // about 96 bytes lost
    schedule.Deliver(t0 + milliseconds(240), true, port.Writer());
    EXPECT_EQ(port.received, std::string(4, 'a') + std::string(100, 'b'));

    ReplySchedule instant(milliseconds(20), 0);
    instant.Add(t0, "lost\r\n");
    instant.Add(t0 + milliseconds(50), "kept\r\n");
    instant.Deliver(t0 + milliseconds(30), false, port.Writer());
    instant.Deliver(t0 + milliseconds(80), true, port.Writer());
    EXPECT_EQ(port.received, std::string(4, 'a') + std::string(100, 'b') + "kept\r\n");
}

TEST(SimReplySchedule, CloseDropsWhatIsDueAndKeepsWhatIsNot)
{
    ReplySchedule schedule(milliseconds(20), 0);
    FakePort port;
    port.room = 3;
    schedule.Add(t0, "first\r\n");
    schedule.Add(t0 + milliseconds(10), "second\r\n");
    schedule.Deliver(t0 + milliseconds(20), true, port.Writer());
    EXPECT_EQ(port.received, "fir");
    EXPECT_TRUE(schedule.Stalled());
    EXPECT_FALSE(schedule.NextDue());

    schedule.DropDue(t0 + milliseconds(25));
    port.room = SIZE_MAX;
    schedule.Deliver(t0 + milliseconds(30), true, port.Writer());
    EXPECT_EQ(port.received, "firsecond\r\n");
    EXPECT_TRUE(schedule.Empty());
}

TEST(SimReplySchedule, AReplyWithItsOwnDelayKeepsItsPlaceInTheQueue)
{
    ReplySchedule schedule(milliseconds(20), 0);
    FakePort port;
    schedule.Add(t0, "late\r\n", milliseconds(300));
    schedule.Add(t0 + milliseconds(1), "next\r\n");  // due at 21 ms, but behind

    EXPECT_EQ(schedule.NextDue(), t0 + milliseconds(300));
    schedule.Deliver(t0 + milliseconds(299), true, port.Writer());
    EXPECT_EQ(port.received, "");
    schedule.Deliver(t0 + milliseconds(300), true, port.Writer());
    EXPECT_EQ(port.received, "late\r\nnext\r\n");
}

}  // namespace
