// Texts between the window (Unicode) and the device link (code page 936),
// through the system's conversion tables.
#include <gtest/gtest.h>

#include "GbkCodePage.h"

namespace {

struct SEncodeCase {
    const char* name;
    std::string text;   // UTF-8
    std::optional<std::string> bytes;
};

void PrintTo(const SEncodeCase& c, std::ostream* os)
{
    *os << c.name;
}

class GbkEncode : public ::testing::TestWithParam<SEncodeCase> {};

TEST_P(GbkEncode, GivesTheBytesOrRefusesTheText)
{
    EXPECT_EQ(CGbkCodePage().Encode(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GbkEncode,
    ::testing::Values(
        SEncodeCase{"AsciiUnchanged", "Marlin 3200", "Marlin 3200"},
        SEncodeCase{"ChineseAsDoubleBytes", "串口", "\xb4\xae\xbf\xda"},
        // No best fit: a character without a form of its own is refused,
        // not sent as "?" or a look-alike.
        SEncodeCase{"EmojiHasNoForm", "a\U0001F600b", std::nullopt},
        SEncodeCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct SDecodeCase {
    const char* name;
    std::string bytes;
    std::string text;  // UTF-8
};

void PrintTo(const SDecodeCase& c, std::ostream* os)
{
    *os << c.name;
}

class GbkDecode : public ::testing::TestWithParam<SDecodeCase> {};

TEST_P(GbkDecode, GivesTheTextAndKeepsWhatFollowsABadByte)
{
    EXPECT_EQ(CGbkCodePage().Decode(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, GbkDecode,
    ::testing::Values(
        SDecodeCase{"ReplyWithChineseValue", "QZ_DEVTYPE A \xb5\xe7\r\n", "QZ_DEVTYPE A 电\r\n"},
        SDecodeCase{"BadTrailByteReplacedRestKept", "A\x81\x20" "B\r\n", "A\uFFFD B\r\n"},
        SDecodeCase{"LoneLeadByteAtTheEndReplaced", "AB\xb4", "AB\uFFFD"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
