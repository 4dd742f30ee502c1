#include <gtest/gtest.h>

#include <string>

#include "ValueSyntax.h"

namespace {

struct SyntaxCase {
    std::string name;
    std::string text;
    bool valid;
};

void PrintTo(const SyntaxCase& c, std::ostream* os)
{
    *os << c.name;
}

class SimMacSyntax : public ::testing::TestWithParam<SyntaxCase> {};
class SimIpSyntax : public ::testing::TestWithParam<SyntaxCase> {};

TEST_P(SimMacSyntax, Checks)
{
    EXPECT_EQ(IsValidMacAddress(GetParam().text), GetParam().valid) << GetParam().text;
}

TEST_P(SimIpSyntax, Checks)
{
    EXPECT_EQ(IsValidIpv4Address(GetParam().text), GetParam().valid) << GetParam().text;
}

auto CaseName = [](const auto& info) { return info.param.name; };

INSTANTIATE_TEST_SUITE_P(Cases, SimMacSyntax,
                         ::testing::Values(SyntaxCase{"UpperCase", "02:5A:C1:01:02:03", true},
                                           SyntaxCase{"LowerCase", "ff:ee:0a:00:9b:c7", true},
                                           SyntaxCase{"FiveOctets", "02:5A:C1:01:02", false},
                                           SyntaxCase{"SevenOctets", "02:5A:C1:01:02:03:04", false},
                                           SyntaxCase{"SingleDigitOctet", "2:5A:C1:01:02:03", false},
                                           SyntaxCase{"DashSeparators", "02-5A-C1-01-02-03", false},
                                           SyntaxCase{"NotHex", "02:5G:C1:01:02:03", false},
                                           SyntaxCase{"TrailingBlank", "02:5A:C1:01:02:03 ", false},
                                           SyntaxCase{"NoSeparators", "025AC1010203", false},
                                           SyntaxCase{"Empty", "", false}),
                         CaseName);

INSTANTIATE_TEST_SUITE_P(Cases, SimIpSyntax,
                         ::testing::Values(SyntaxCase{"Plain", "192.168.1.20", true},
                                           SyntaxCase{"Zeros", "0.0.0.0", true},
                                           SyntaxCase{"Highest", "255.255.255.255", true},
                                           SyntaxCase{"PartAbove255", "192.168.1.256", false},
                                           SyntaxCase{"ThreeParts", "192.168.1", false},
                                           SyntaxCase{"FiveParts", "1.2.3.4.5", false},
                                           SyntaxCase{"TrailingDot", "1.2.3.4.", false},
                                           SyntaxCase{"EmptyPart", "1..3.4", false},
                                           SyntaxCase{"LeadingZero", "192.168.001.20", false},
                                           SyntaxCase{"Sign", "+1.2.3.4", false},
                                           SyntaxCase{"Letters", "a.b.c.d", false},
                                           SyntaxCase{"FourDigitPart", "1000.2.3.4", false},
                                           SyntaxCase{"Empty", "", false}),
                         CaseName);

}  // namespace
