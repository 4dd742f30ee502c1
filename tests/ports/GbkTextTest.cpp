// USB strings arrive as UTF-8 and are shown as GBK text.
#include <gtest/gtest.h>

#include "GbkText.h"

namespace {

struct GbkRow {
    const char* name;
    std::string utf8;
    std::string gbk;
};

void PrintTo(const GbkRow& row, std::ostream* out)
{
    *out << row.name;
}

class GbkConversion : public ::testing::TestWithParam<GbkRow> {};

TEST_P(GbkConversion, ConvertsOrMarksWithQuestionMark)
{
    EXPECT_EQ(Utf8ToGbk(GetParam().utf8), GetParam().gbk);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GbkConversion,
    ::testing::Values(
        GbkRow{"AsciiUnchanged", "FT232R USB UART", "FT232R USB UART"},
        GbkRow{"ChineseTwoBytesEach", "称重串口", "\xB3\xC6\xD6\xD8\xB4\xAE\xBF\xDA"},
        GbkRow{"CharacterOutsideGbk", "A\xF0\x9F\x98\x80Z", "A?Z"},
        GbkRow{"MalformedByte", "A\xFFZ", "A?Z"},
        GbkRow{"SequenceCutOffAtEnd", "A\xE7\xA7", "A?"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
