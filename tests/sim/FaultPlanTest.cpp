#include <gtest/gtest.h>

#include <string>

#include "FaultPlan.h"

namespace {

using std::chrono::milliseconds;

const std::string kReply = "QZ_USID A US000001\r\n";

TEST(SimFaultPlan, FaultOnHitsOnlyThatLine)
{
    FaultPlan plan(FaultKind::Hangup, 2);
    EXPECT_FALSE(plan.Shape(kReply).hangUp);
    EXPECT_TRUE(plan.Shape(kReply).hangUp);
    const FaultAction third = plan.Shape(kReply);
    EXPECT_FALSE(third.hangUp);
    EXPECT_EQ(third.reply, kReply);
}

TEST(SimFaultPlan, WithoutFaultOnEveryLineIsHit)
{
    FaultPlan plan(FaultKind::Late);
    for (int line = 0; line < 3; ++line) {
        const FaultAction action = plan.Shape(kReply);
        EXPECT_EQ(action.reply, kReply);
        EXPECT_EQ(action.delay, milliseconds(300));
    }
}

TEST(SimFaultPlan, HangUpSendsNothingAndNoFaultChangesNothing)
{
    const FaultAction cut = FaultPlan(FaultKind::Hangup).Shape(kReply);
    EXPECT_TRUE(cut.hangUp);
    EXPECT_EQ(cut.reply, "");

    for (const FaultKind kind : {FaultKind::None, FaultKind::Unsolicited}) {
        const FaultAction action = FaultPlan(kind).Shape(kReply);
        EXPECT_FALSE(action.hangUp);
        EXPECT_EQ(action.reply, kReply);
        EXPECT_FALSE(action.delay);
    }
}

TEST(SimFaultPlan, GarbledReplyKeepsTheAnswerAndHidesTextBehindANul)
{
    const std::string garbled = FaultPlan(FaultKind::NulGbk).Shape(kReply).reply;
    EXPECT_EQ(garbled, std::string("QZ_USID A US000001 \x81 \xd6\xd0\xb4", 24) +
                           std::string(1, '\0') + "\xd6\xd0 behind NUL\r\n");
    // Without a reply of its own (a silent terminal) the junk still comes.
    EXPECT_EQ(FaultPlan::GarbledReply("").substr(0, 3), " \x81 ");
}

TEST(SimFaultPlan, OversizedReplyIsFourKiBEndingInCrLf)
{
    const std::string reply = FaultPlan(FaultKind::FourKiB).Shape(kReply).reply;
    ASSERT_EQ(reply.size(), 4096u);
    EXPECT_EQ(reply.substr(0, 20), "0123456789ABCDEF0123");
    EXPECT_EQ(reply.substr(4094), "\r\n");
}

}  // namespace
