// The system version alone picks one of the three ways of finding ports.
#include "FakePlatformTest.h"

namespace {

enum class Branch { DeviceSetup, FixedRange, EnumWalk };

struct BranchRow {
    const char* name;
    DWORD majorVersion;
    DWORD platformId;
    Branch expected;
};

void PrintTo(const BranchRow& row, std::ostream* out)
{
    *out << row.name;
}

class BranchChoice : public FakePlatformTest<::testing::TestWithParam<BranchRow>> {};

TEST_P(BranchChoice, TakesTheBranchOfTheVersion)
{
    // Each branch would find something different on this system.
    m_platform.AddDevice({"\\\\?\\acpi#pnp0501#1#{86e0d1e0}", "Device (COM7)", "Device", {}});
    m_platform.SetTextValue("Enum\\Root\\*PNP0501\\0000", "PORTNAME", "COM9");
    m_platform.SetVersion(GetParam().majorVersion, GetParam().platformId);

    const SerInfoArray ports = Collect();

    ASSERT_FALSE(ports.empty());
    switch (GetParam().expected) {
    case Branch::DeviceSetup:
        EXPECT_EQ(ports.size(), 1u);
        EXPECT_EQ(ports[0].m_strDisplayName, "Device (COM7)");
        break;
    case Branch::FixedRange:
        EXPECT_EQ(ports.size(), 16u);
        EXPECT_EQ(ports[0].m_strDisplayName, "COM1");
        break;
    case Branch::EnumWalk:
        EXPECT_EQ(ports.size(), 1u);
        EXPECT_EQ(ports[0].m_strDisplayName, "COM9");
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Versions, BranchChoice,
    ::testing::Values(
        BranchRow{"Major10OnNt", 10, VER_PLATFORM_WIN32_NT, Branch::DeviceSetup},
        BranchRow{"Major5OnNt", 5, VER_PLATFORM_WIN32_NT, Branch::DeviceSetup},
        BranchRow{"Major5OffNt", 5, VER_PLATFORM_WIN32_WINDOWS, Branch::DeviceSetup},
        BranchRow{"MajorAllBitsSetIsLarge", 0xFFFFFFFFu, VER_PLATFORM_WIN32s, Branch::DeviceSetup},
        BranchRow{"Major4OnNt", 4, VER_PLATFORM_WIN32_NT, Branch::FixedRange},
        BranchRow{"Major3OnNt", 3, VER_PLATFORM_WIN32_NT, Branch::FixedRange},
        BranchRow{"Major4OnWindows9x", 4, VER_PLATFORM_WIN32_WINDOWS, Branch::EnumWalk},
        BranchRow{"Major3OnWin32s", 3, VER_PLATFORM_WIN32s, Branch::EnumWalk}),
    RowName<BranchRow>);

using FixedRange = FakePlatformTest<>;

TEST_F(FixedRange, OffersCom1ToCom16WhateverThereIs)
{
    m_platform.SetVersion(4, VER_PLATFORM_WIN32_NT);
    m_platform.AddDevice({"\\\\?\\x", "Device (COM7)", "Device", "USB"});
    m_platform.SetTextValue("Enum\\USBPORTS\\X\\0000", "PORTNAME", "COM40");

    SerInfoArray expected;
    for (int n = 1; n <= 16; ++n) {
        const std::string com = "COM" + std::to_string(n);
        expected.push_back({"\\\\.\\" + com, com, com, FALSE, com});
    }
    EXPECT_EQ(Collect(), expected);
}

using ArrayReuse = FakePlatformTest<>;

TEST_F(ArrayReuse, EarlierRecordsAreDroppedFirst)
{
    m_platform.AddDevice({"\\\\?\\new", "New (COM2)", "New", {}});
    SerInfoArray ports{{"\\\\.\\COM1", "COM1", "Old (COM1)", TRUE, "Old"},
                       {"\\\\.\\COM3", "COM3", "COM3", FALSE, "COM3"}};

    CollectSerialPorts(ports, m_platform);

    EXPECT_EQ(ports, SerInfoArray({{"\\\\?\\new", "", "New (COM2)", FALSE, "New"}}));
}

}  // namespace
