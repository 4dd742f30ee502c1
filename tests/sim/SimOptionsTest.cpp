#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "SimOptions.h"

namespace {

ParsedOptions Parse(const std::vector<std::string_view>& args)
{
    return ParseSimOptions(args);
}

TEST(SimOptions, DefaultsWithoutArguments)
{
    const ParsedOptions parsed = Parse({});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_FALSE(parsed.options->comNumber);
    EXPECT_EQ(parsed.options->delayMs, 20u);
    EXPECT_FALSE(parsed.options->wireTiming);
    EXPECT_TRUE(parsed.options->logPath.empty());
    EXPECT_FALSE(parsed.options->silent);
    EXPECT_FALSE(parsed.options->replyBytes);
}

TEST(SimOptions, TakesEveryOptionInBothForms)
{
    const ParsedOptions parsed = Parse({"--com", "9999", "--delay-ms=0", "--wire-timing", "--log",
                                        "/tmp/w.jsonl", "--reply-bytes", "65536"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->comNumber, 9999u);
    EXPECT_EQ(parsed.options->delayMs, 0u);
    EXPECT_TRUE(parsed.options->wireTiming);
    EXPECT_EQ(parsed.options->logPath, "/tmp/w.jsonl");
    EXPECT_EQ(parsed.options->replyBytes, 65536u);

    const ParsedOptions silent = Parse({"--silent", "--com=3"});
    ASSERT_TRUE(silent.options) << silent.error;
    EXPECT_TRUE(silent.options->silent);
    EXPECT_EQ(silent.options->comNumber, 3u);
}

TEST(SimOptions, TakesAFaultWithItsLineAndDownTime)
{
    const ParsedOptions hangup = Parse({"--fault", "hangup", "--fault-on=3", "--down-ms", "0"});
    ASSERT_TRUE(hangup.options) << hangup.error;
    EXPECT_EQ(hangup.options->fault, FaultKind::Hangup);
    EXPECT_EQ(hangup.options->faultOn, 3u);
    EXPECT_EQ(hangup.options->downMs, 0u);

    const ParsedOptions everyLine = Parse({"--fault=nul-gbk"});
    ASSERT_TRUE(everyLine.options) << everyLine.error;
    EXPECT_EQ(everyLine.options->fault, FaultKind::NulGbk);
    EXPECT_FALSE(everyLine.options->faultOn);

    EXPECT_EQ(Parse({}).options->fault, FaultKind::None);
    EXPECT_EQ(Parse({}).options->downMs, 500u);
}

struct BadCase {
    std::string name;
    std::vector<std::string_view> args;
    std::string errorPart;
};

void PrintTo(const BadCase& c, std::ostream* os)
{
    *os << c.name;
}

class SimOptionsRefused : public ::testing::TestWithParam<BadCase> {};

TEST_P(SimOptionsRefused, WithAClearMessage)
{
    const ParsedOptions parsed = Parse(GetParam().args);
    EXPECT_FALSE(parsed.options);
    EXPECT_NE(parsed.error.find(GetParam().errorPart), std::string::npos) << parsed.error;
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimOptionsRefused,
    ::testing::Values(
        BadCase{"UnknownOption", {"--baud", "9600"}, "unknown argument '--baud'"},
        BadCase{"StrayWord", {"COM3"}, "unknown argument 'COM3'"},
        BadCase{"ComZero", {"--com", "0"}, "--com needs a whole number from 1 to 9999, not '0'"},
        BadCase{"ComTooLongForThePortPath", {"--com", "10000"}, "from 1 to 9999"},
        BadCase{"ComNegative", {"--com", "-3"}, "not '-3'"},
        BadCase{"ComHuge", {"--com", "99999999999999999999"}, "from 1 to 9999"},
        BadCase{"ComMissingValue", {"--com"}, "--com needs a value"},
        BadCase{"DelayNotANumber", {"--delay-ms", "fast"}, "--delay-ms needs a whole number"},
        BadCase{"ReplyBytesZero", {"--reply-bytes", "0"}, "--reply-bytes needs a whole number from 1"},
        BadCase{"LogWithoutFile", {"--log"}, "--log needs a value"},
        BadCase{"LogEmptyFile", {"--log="}, "--log needs a file name"},
        BadCase{"FlagWithValue", {"--silent=yes"}, "--silent takes no value"},
        BadCase{"SilentWithReplyBytes", {"--silent", "--reply-bytes", "10"}, "cannot be used together"},
        BadCase{"UnknownFault", {"--fault", "unplug"},
                "--fault needs one of hangup, nul-gbk, 4k, late, unsolicited, not 'unplug'"},
        BadCase{"FaultMissingKind", {"--fault"}, "--fault needs a value"},
        BadCase{"FaultOnLineZero", {"--fault", "late", "--fault-on", "0"}, "--fault-on needs a whole number from 1"},
        BadCase{"FaultOnWithoutFault", {"--fault-on", "2"}, "--fault-on needs --fault"},
        BadCase{"FaultOnWithUnsolicited", {"--fault", "unsolicited", "--fault-on", "2"},
                "--fault-on does not apply to --fault unsolicited"},
        BadCase{"DownTimeWithoutHangUp", {"--fault", "4k", "--down-ms", "10"},
                "--down-ms applies to --fault hangup only"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
