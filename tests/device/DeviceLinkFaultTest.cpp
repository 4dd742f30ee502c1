// What a run leaves behind when something fails: the result, the one reply
// buffer the caller owns, the lines that did or did not go out, the port.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "DeviceLink.h"
#include "FakeSerialOs.h"

namespace {

// Tracks the reply buffers the link allocates, and can refuse one.
struct TrackedHeap {
    static inline std::set<void*> live;
    static inline int allocations = 0;
    static inline int refuseAt = 0;  // 1-based; 0 never

    static void* Allocate(std::size_t size)
    {
        if (++allocations == refuseAt)
            return nullptr;
        void* p = std::malloc(size);
        live.insert(p);
        return p;
    }
    static void Release(void* p)
    {
        live.erase(p);
        std::free(p);
    }
    static void Reset()
    {
        live.clear();
        allocations = 0;
        refuseAt = 0;
    }
};

class DeviceLinkFault : public ::testing::Test {
protected:
    void SetUp() override { TrackedHeap::Reset(); }

    BOOL Run(DeviceOperation op, const std::string& port = "3")
    {
        link.SetPort(port);
        link.m_bRead = false;
        char* reply = nullptr;
        const BOOL ok = link.Execute(op, &reply);
        handedBack = reply;
        liveAfterRun = TrackedHeap::live.size();
        if (reply != nullptr)
            TrackedHeap::Release(reply);
        return ok;
    }

    FakeSerialOs os;
    CDeviceLink link{os, {&TrackedHeap::Allocate, &TrackedHeap::Release}};
    char* handedBack = nullptr;
    std::size_t liveAfterRun = 0;
};

struct FailingCall {
    const char* name;
    SerialCall call;
    int occurrence;  // of that call within the first exchange
};

void PrintTo(const FailingCall& c, std::ostream* os) { *os << c.name; }

class EachCallFailing : public DeviceLinkFault, public ::testing::WithParamInterface<FailingCall> {};

TEST_P(EachCallFailing, InTheAccessStepStopsTheRunAndClosesThePort)
{
    const FailingCall& f = GetParam();
    os.FailOn(f.call, 31, f.occurrence);

    EXPECT_EQ(Run(MacAddress), FALSE);
    EXPECT_NE(handedBack, nullptr);
    EXPECT_EQ(liveAfterRun, 1u);                  // exactly one buffer for the caller
    EXPECT_EQ(os.CallCount(SerialCall::OpenPort), 1);  // the second step never ran
    for (const std::string& line : os.written)
        EXPECT_EQ(line, "XP0000 0958\r\n");
    EXPECT_EQ(os.OpenHandleCount(), 0u);          // not held after the failure
}

TEST_P(EachCallFailing, InTheSecondStepLeavesTheFirstLineSent)
{
    const FailingCall& f = GetParam();
    // The same call in the second exchange.
    const int perExchange = (f.call == SerialCall::GetTimeouts || f.call == SerialCall::SetTimeouts) ? 2 : 1;
    os.FailOn(f.call, 31, f.occurrence + perExchange);

    EXPECT_EQ(Run(ClearMainEeprom), FALSE);
    EXPECT_EQ(liveAfterRun, 1u);
    ASSERT_FALSE(os.written.empty());
    EXPECT_EQ(os.written.front(), "XP0000 0958\r\n");
    EXPECT_EQ(os.OpenHandleCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, EachCallFailing,
    ::testing::Values(FailingCall{"Open", SerialCall::OpenPort, 1},
                      FailingCall{"GetLineState", SerialCall::GetLineState, 1},
                      FailingCall{"SetLineState", SerialCall::SetLineState, 1},
                      FailingCall{"GetReadTimeouts", SerialCall::GetTimeouts, 1},
                      FailingCall{"SetReadTimeouts", SerialCall::SetTimeouts, 1},
                      FailingCall{"GetWriteTimeouts", SerialCall::GetTimeouts, 2},
                      FailingCall{"SetWriteTimeouts", SerialCall::SetTimeouts, 2},
                      FailingCall{"Write", SerialCall::WritePort, 1},
                      FailingCall{"Read", SerialCall::ReadPort, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeviceLinkFault, PortNumberTooLongForThePathFailsBeforeAnyExchange)
{
    EXPECT_EQ(Run(MacAddress, "12345"), FALSE);
    EXPECT_EQ(os.calls.size(), 0u);
    EXPECT_NE(handedBack, nullptr);
    EXPECT_EQ(liveAfterRun, 1u);
}

TEST_F(DeviceLinkFault, UnknownOperationFailsBeforeAnyExchange)
{
    EXPECT_EQ(Run(static_cast<DeviceOperation>(8)), FALSE);
    EXPECT_EQ(Run(static_cast<DeviceOperation>(-1)), FALSE);
    EXPECT_EQ(os.calls.size(), 0u);
    EXPECT_EQ(liveAfterRun, 1u);
}

TEST_F(DeviceLinkFault, ReplyBufferThatCannotBeAllocatedStopsTheRunWithNothingHandedBack)
{
    TrackedHeap::refuseAt = 1;
    EXPECT_EQ(Run(ProductType), FALSE);
    EXPECT_EQ(handedBack, nullptr);
    EXPECT_TRUE(os.written.empty());

    TrackedHeap::Reset();
    TrackedHeap::refuseAt = 2;  // the second step's buffer
    EXPECT_EQ(Run(MacAddress), FALSE);
    EXPECT_EQ(handedBack, nullptr);
    EXPECT_EQ(liveAfterRun, 0u);  // the first step's buffer was released
    EXPECT_EQ(os.written, std::vector<std::string>{"XP0000 0958\r\n"});
}

TEST_F(DeviceLinkFault, AReplyThatFillsTheReadIsStillTerminated)
{
    os.QueueReply(std::string(300, 'R'));
    link.SetPort("3");
    char* raw = nullptr;
    ASSERT_EQ(link.Execute(Usid, &raw), TRUE);
    EXPECT_EQ(os.readSizes, std::vector<DWORD>{256});
    EXPECT_EQ(std::string(raw), std::string(256, 'R'));
    TrackedHeap::Release(raw);
}

TEST_F(DeviceLinkFault, APointerHeldOnEntryIsNotReleased)
{
    char* mine = static_cast<char*>(std::malloc(4));
    char* reply = mine;
    link.SetPort("3");
    link.Execute(Usid, &reply);
    EXPECT_NE(reply, mine);
    mine[0] = 'x';  // still ours (a sanitizer build would catch a release)
    std::free(mine);
    TrackedHeap::Release(reply);
}

}  // namespace
