#include <gtest/gtest.h>

#include "WireLogFormat.h"

namespace {

TEST(SimWireLogFormat, HexIsExactAndTextIsEscaped)
{
    const auto t = std::chrono::steady_clock::time_point(std::chrono::microseconds(12'000'345));
    EXPECT_EQ(FormatWireLogEntry(t, "QZ_USID a\"b\\c\t\xd6\xd0\r\n"),
              "{\"t\":12.000345,\"hex\":\"515a5f55534944206122625c6309d6d00d0a\","
              "\"line\":\"QZ_USID a\\\"b\\\\c\\u0009\\u00d6\\u00d0\"}\n");
}

TEST(SimWireLogFormat, OverlongPieceWithoutCrLfKeepsAllItsBytes)
{
    const auto t = std::chrono::steady_clock::time_point(std::chrono::seconds(3));
    EXPECT_EQ(FormatWireLogEntry(t, "ab\r"), "{\"t\":3.000000,\"hex\":\"61620d\",\"line\":\"ab\\u000d\"}\n");
}

}  // namespace
