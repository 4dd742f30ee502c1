// Port discovery through SetupAPI itself: the serial ports that
// scripts/test-windows registers in the prefix's device-installation
// database (tests/win32/wine-ports.reg.in) come back with their friendly
// names, descriptions and USB flags.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "SerialPortInfo.h"

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The device interface path the system reports for a registered instance;
// its letter case is the system's business.
std::string InterfacePath(const char* instance)
{
    return std::string("\\\\?\\root#ports#") + instance +
           "#{86e0d1e0-8089-11d0-9ce4-08003e301f73}";
}

TEST(PortDiscoveryOnWindows, ListsTheRegisteredPortsWithNamesDescriptionsAndUsbFlags)
{
    SerInfoArray ports{SSerInfo{"stale", "COM99", "stale", TRUE, "stale"}};
    try {
        CollectSerialPorts(ports);
    } catch (const std::string& message) {
        FAIL() << message;
    }
    ASSERT_EQ(ports.size(), 2u);

    // The location text "USB Serial Converter ..." makes COM3 a USB port.
    EXPECT_EQ(Lower(ports[0].m_strOpenPath), InterfacePath("0000"));
    EXPECT_EQ(ports[0].m_strComName, "");
    EXPECT_EQ(ports[0].m_strDisplayName, "VADire Test Terminal (COM3)");
    EXPECT_EQ(ports[0].m_bOnUsb, TRUE);
    EXPECT_EQ(ports[0].m_strDescription, "VADire Test Terminal");

    // "usb hub ..." in lower case does not.
    EXPECT_EQ(Lower(ports[1].m_strOpenPath), InterfacePath("0001"));
    EXPECT_EQ(ports[1].m_strComName, "");
    EXPECT_EQ(ports[1].m_strDisplayName, "Communications Port (COM4)");
    EXPECT_EQ(ports[1].m_bOnUsb, FALSE);
    EXPECT_EQ(ports[1].m_strDescription, "Communications Port");
}

}  // namespace
