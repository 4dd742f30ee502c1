// The pass after every branch: missing display names and descriptions are
// filled in, nothing else changes.
#include "FakePlatformTest.h"

namespace {

struct CompletionRow {
    const char* name;
    const char* friendlyName;
    const char* description;  // as the device reports it
    const char* expectedDescription;
};

void PrintTo(const CompletionRow& row, std::ostream* out)
{
    *out << row.name;
}

class CompletionPass : public FakePlatformTest<::testing::TestWithParam<CompletionRow>> {};

TEST_P(CompletionPass, DescriptionFromDisplayName)
{
    m_platform.AddDevice({"\\\\?\\dev", GetParam().friendlyName, GetParam().description, {}});

    const SerInfoArray ports = Collect();

    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports[0].m_strDisplayName, GetParam().friendlyName);
    EXPECT_EQ(ports[0].m_strDescription, GetParam().expectedDescription);
}

INSTANTIATE_TEST_SUITE_P(
    DeviceSetupRecords, CompletionPass,
    ::testing::Values(
        CompletionRow{"PortNameCutOff", "Communications Port (COM1)", "", "Communications Port"},
        CompletionRow{"NoParenthesisKeepsWholeName", "USB Serial", "", "USB Serial"},
        CompletionRow{"NoSpaceBeforeParenthesisKeepsWholeName", "Port(COM6)", "", "Port(COM6)"},
        CompletionRow{"FirstCloseNotLastKeepsWholeName", "Port (A) (COM3)", "", "Port (A) (COM3)"},
        CompletionRow{"OpeningAtStartKeepsWholeName", " (COM4)", "", " (COM4)"},
        CompletionRow{"NoCloseKeepsWholeName", "Port (COM5", "", "Port (COM5"},
        CompletionRow{"EmptyFriendlyNameStaysEmpty", "", "", ""},
        CompletionRow{"ReportedDescriptionKept", "Port (COM2)", "Has (A)", "Has (A)"}),
    RowName<CompletionRow>);

}  // namespace
