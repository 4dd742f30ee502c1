#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LineAssembler.h"

namespace {

using Kind = LineAssembler::Piece::Kind;

std::vector<std::string> Lines(const std::vector<LineAssembler::Piece>& pieces)
{
    std::vector<std::string> lines;
    for (const auto& piece : pieces) {
        EXPECT_EQ(piece.kind, Kind::Line);
        lines.push_back(piece.bytes);
    }
    return lines;
}

TEST(SimLineAssembler, CutsAtCrLfOnlyWhateverTheChunks)
{
    LineAssembler assembler;
    EXPECT_TRUE(assembler.Feed("QZ_US").empty());
    EXPECT_TRUE(assembler.Feed("ID\r").empty());
    EXPECT_EQ(Lines(assembler.Feed("\nQZ_ETH\r\nQZ_U")), (std::vector<std::string>{"QZ_USID\r\n", "QZ_ETH\r\n"}));
    // A lone CR or LF is part of the line, not its end.
    EXPECT_EQ(Lines(assembler.Feed("CID a\rb\nc\r\n")), (std::vector<std::string>{"QZ_UCID a\rb\nc\r\n"}));
}

TEST(SimLineAssembler, ResetForgetsAPartialLine)
{
    LineAssembler assembler;
    assembler.Feed("QZ_DEV");
    assembler.Reset();
    EXPECT_EQ(Lines(assembler.Feed("QZ_ETH\r\n")), (std::vector<std::string>{"QZ_ETH\r\n"}));
}

TEST(SimLineAssembler, OverlongLineIsDroppedOnceAndSkippedToItsEnd)
{
    LineAssembler assembler;
    const std::string garbage(LineAssembler::kMaxLineBytes + 1000, 'x');
    const auto pieces = assembler.Feed(garbage);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].kind, Kind::Overlong);
    EXPECT_EQ(pieces[0].bytes.size(), LineAssembler::kMaxLineBytes);

    EXPECT_TRUE(assembler.Feed(garbage + "\r").empty());
    EXPECT_EQ(Lines(assembler.Feed("\nQZ_ETH\r\n")), (std::vector<std::string>{"QZ_ETH\r\n"}));
}

TEST(SimLineAssembler, LongestLineFitsAndCrLfAtTheLimitEndsTheOverlongOne)
{
    LineAssembler assembler;
    const std::string longest(LineAssembler::kMaxLineBytes - 2, 'a');
    EXPECT_EQ(Lines(assembler.Feed(longest + "\r\n")), (std::vector<std::string>{longest + "\r\n"}));

    // One byte more: the CR is the limit's last byte, its LF comes next.
    const auto pieces = assembler.Feed(longest + "a\r\nQZ_ETH\r\n");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].kind, Kind::Overlong);
    EXPECT_EQ(pieces[1].bytes, "QZ_ETH\r\n");
}

}  // namespace
