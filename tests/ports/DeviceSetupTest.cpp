// Ports from the device-installation interface: which devices are listed,
// what their records hold, and the limits of the fixed buffers.
#include "FakePlatformTest.h"

#include <optional>

namespace {

using DeviceSetup = FakePlatformTest<>;

TEST_F(DeviceSetup, NoPortsGivesAnEmptyListWithoutMessage)
{
    EXPECT_TRUE(Collect().empty());
}

TEST_F(DeviceSetup, ListsDevicesInEnumerationOrder)
{
    m_platform.AddDevice({"\\\\?\\acpi#pnp0501#1#{86e0d1e0-8089-11d0-9ce4-08003e301f73}",
                          "Communications Port (COM1)", "Communications Port",
                          "PCI bus 0, device 22, function 3"});
    m_platform.AddDevice({"\\\\?\\ftdibus#vid_0403+pid_6001#0000#{86e0d1e0}",
                          "USB Serial Port (COM12)", "USB Serial Port", "USB 1-1.2"});
    m_platform.AddDevice({"\\\\?\\usb#vid_2e8a&pid_000a&mi_00#6&1#{86e0d1e0}",
                          "USB 串行设备 (COM3)", "USB 串行设备", "Port_#0003.Hub_#0001"});

    EXPECT_EQ(Collect(),
              SerInfoArray({{"\\\\?\\acpi#pnp0501#1#{86e0d1e0-8089-11d0-9ce4-08003e301f73}", "",
                             "Communications Port (COM1)", FALSE, "Communications Port"},
                            {"\\\\?\\ftdibus#vid_0403+pid_6001#0000#{86e0d1e0}", "",
                             "USB Serial Port (COM12)", TRUE, "USB Serial Port"},
                            {"\\\\?\\usb#vid_2e8a&pid_000a&mi_00#6&1#{86e0d1e0}", "",
                             "USB 串行设备 (COM3)", FALSE, "USB 串行设备"}}));
}

TEST_F(DeviceSetup, DevicePathOf256CharactersFits)
{
    const std::string path = "\\\\?\\" + std::string(252, 'p');
    m_platform.AddDevice({path, "Port (COM1)", "Port", {}});

    const SerInfoArray ports = Collect();

    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports[0].m_strOpenPath, path);
}

struct ListingRow {
    const char* name;
    std::optional<std::string> friendlyName;
    std::optional<std::string> description;
    std::optional<std::string> location;
    bool listed;
    BOOL onUsb;
};

void PrintTo(const ListingRow& row, std::ostream* out)
{
    *out << row.name;
}

class DeviceListing : public FakePlatformTest<::testing::TestWithParam<ListingRow>> {};

TEST_P(DeviceListing, ListedWithBothNamesOnUsbByLocation)
{
    const ListingRow& row = GetParam();
    m_platform.AddDevice({"\\\\?\\dev", row.friendlyName, row.description, row.location});

    const SerInfoArray ports = Collect();

    ASSERT_EQ(ports.size(), row.listed ? 1u : 0u);
    if (row.listed) {
        EXPECT_EQ(ports[0].m_strDisplayName, *row.friendlyName);
        EXPECT_EQ(ports[0].m_bOnUsb, row.onUsb);
    }
}

const std::string k255 = std::string(248, 'n') + " (COM1)";
const std::string k256 = std::string(249, 'n') + " (COM1)";

INSTANTIATE_TEST_SUITE_P(
    Properties, DeviceListing,
    ::testing::Values(
        ListingRow{"FriendlyNameUnreadable", std::nullopt, "Port", "USB", false, FALSE},
        ListingRow{"DescriptionUnreadable", "Port (COM1)", std::nullopt, "USB", false, FALSE},
        ListingRow{"LocationUnreadableNotUsb", "Port (COM1)", "Port", std::nullopt, true, FALSE},
        ListingRow{"LocationUsbUpperCase", "Port (COM1)", "Port", "USB 1-1.2", true, TRUE},
        ListingRow{"LocationExactlyUsb", "Port (COM1)", "Port", "USB", true, TRUE},
        ListingRow{"LocationUsbLowerCase", "Port (COM1)", "Port", "usb 1-1.2", true, FALSE},
        ListingRow{"LocationUsbMixedCase", "Port (COM1)", "Port", "Usb", true, FALSE},
        ListingRow{"LocationTooShort", "Port (COM1)", "Port", "US", true, FALSE},
        ListingRow{"LocationOtherBus", "Port (COM1)", "Port", "PCI bus 0, device 22", true, FALSE},
        ListingRow{"FriendlyName255BytesFits", k255, "Port", std::nullopt, true, FALSE},
        ListingRow{"FriendlyName256BytesUnreadable", k256, "Port", std::nullopt, false, FALSE},
        ListingRow{"Description256BytesUnreadable", "Port (COM1)", k256, std::nullopt, false, FALSE},
        ListingRow{"Location255BytesUsb", "Port (COM1)", "Port", "USB" + std::string(252, 'l'),
                   true, TRUE},
        ListingRow{"Location256BytesNotUsb", "Port (COM1)", "Port", "USB" + std::string(253, 'l'),
                   true, FALSE}),
    RowName<ListingRow>);

}  // namespace
