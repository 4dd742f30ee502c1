// The Linux provider on fixture trees laid out as the kernel lays out sysfs,
// seen through CollectSerialPorts as the dialog sees it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "ComPortNames.h"
#include "LinuxPortPlatform.h"
#include "SerialPortInfo.h"
#include "SysfsFixture.h"
#include "SysfsSerialScan.h"
#include "TempDir.h"

namespace fs = std::filesystem;

void PrintTo(const SSerInfo& port, std::ostream* out)
{
    *out << "{open \"" << port.m_strOpenPath << "\", display \"" << port.m_strDisplayName
         << "\", usb " << port.m_bOnUsb << ", description \"" << port.m_strDescription << "\"}";
}

namespace {

// "深圳电子" and "称重串口 😀" in GBK; the emoji has no GBK form.
const std::string kGbkScaleMaker = "\xC9\xEE\xDB\xDA\xB5\xE7\xD7\xD3";
const std::string kGbkScalePort = "\xB3\xC6\xD6\xD8\xB4\xAE\xBF\xDA ?";

class LinuxProvider : public ::testing::Test {
protected:
    LinuxProvider() : m_tree(m_root.Path()) {}

    SerInfoArray Collect()
    {
        CLinuxPortPlatform platform(m_tree.SysRoot(), m_tree.DevRoot());
        SerInfoArray ports;
        CollectSerialPorts(ports, platform);
        return ports;
    }

    std::string Dev(const std::string& tty) const { return m_tree.DevRoot() + "/" + tty; }

    // A COMn link in this test's port-link directory.
    std::string LinkPort(unsigned comNumber, const std::string& target)
    {
        const std::string directory = comnames::PortLinkDirectory();
        EXPECT_EQ(comnames::EnsurePortLinkDirectory(directory), 0);
        const std::string link = comnames::PortLinkPath(directory, comNumber);
        fs::create_symlink(target, link);
        return link;
    }

    std::string TargetFile(const std::string& name)
    {
        const std::string path = m_root.Path() + "/" + name;
        std::ofstream(path).put('\n');
        return path;
    }

    ScopedRuntimeDir m_runtime;  // an empty port-link directory of our own
    TempDir m_root;
    CSysfsFixture m_tree;
};

TEST_F(LinuxProvider, ListsRealPortsOfEachKindInComOrder)
{
    m_tree.AddVirtualTty("tty0");
    m_tree.AddVirtualTty("ttyS31");  // a table name without a device behind it
    m_tree.AddPnpUart("ttyS0", 4);
    m_tree.AddPhantomUart("ttyS1");
    m_tree.AddPhantomUart("ttyS2");
    m_tree.AddPhantomUart("ttyS3");
    m_tree.AddPnpUart("ttyS32", 4);  // outside the COM table
    m_tree.AddUsbDevice("1-1.2", "FTDI", "FT232R USB UART");
    m_tree.AddUsbSerialTty("1-1.2", 0, "ttyUSB0", "ftdi_sio");
    m_tree.AddUsbDevice("2-1", "深圳电子", "称重串口 😀");
    m_tree.AddUsbSerialTty("2-1", 0, "ttyUSB1", "ch341-uart");
    m_tree.AddUsbDevice("1-1.3", "Raspberry Pi", "Pico");  // two CDC functions
    m_tree.AddAcmTty("1-1.3", 0, "ttyACM0");
    m_tree.AddAcmTty("1-1.3", 2, "ttyACM1");
    m_tree.AddUsbDevice("1-4", std::nullopt, std::nullopt);
    m_tree.AddAcmTty("1-4", 0, "ttyACM2");
    m_tree.AddAmbaUart("ttyAMA0", "fe201000", 32);

    EXPECT_EQ(Collect(),
              SerInfoArray({
                  {Dev("ttyS0"), "", "Communications Port (COM1)", FALSE, "Communications Port"},
                  {Dev("ttyUSB0"), "", "FTDI FT232R USB UART (COM33)", TRUE, "FTDI FT232R USB UART"},
                  {Dev("ttyUSB1"), "", kGbkScaleMaker + " " + kGbkScalePort + " (COM34)", TRUE,
                   kGbkScaleMaker + " " + kGbkScalePort},
                  {Dev("ttyACM0"), "", "Raspberry Pi Pico (COM65)", TRUE, "Raspberry Pi Pico"},
                  {Dev("ttyACM1"), "", "Raspberry Pi Pico (COM66)", TRUE, "Raspberry Pi Pico"},
                  {Dev("ttyACM2"), "", "USB Serial Device (COM67)", TRUE, "USB Serial Device"},
                  {Dev("ttyAMA0"), "", "Communications Port (COM97)", FALSE, "Communications Port"},
              }));
}

TEST_F(LinuxProvider, ADeviceNameHoldingAComMarkerDoesNotHideThePortNumber)
{
    // The port list takes the number after the first "(COM"; the adapter's
    // own "(COM1)" must not be taken for it.
    m_tree.AddUsbDevice("1-2", "ACME", "Adapter (COM1)");
    m_tree.AddUsbSerialTty("1-2", 0, "ttyUSB0", "pl2303");

    const SerInfoArray ports = Collect();
    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports[0].m_strDisplayName, "ACME Adapter (com1) (COM33)");
    EXPECT_EQ(ports[0].m_strDisplayName.find("(COM"), ports[0].m_strDisplayName.rfind("(COM"));
}

TEST_F(LinuxProvider, LocationNamesTheUsbPortPath)
{
    m_tree.AddPnpUart("ttyS0", 4);
    m_tree.AddUsbDevice("1-1.2", "FTDI", "FT232R USB UART");
    m_tree.AddUsbSerialTty("1-1.2", 0, "ttyUSB0", "ftdi_sio");
    m_tree.AddUsbDevice("1-1.3", "Raspberry Pi", "Pico");
    m_tree.AddAcmTty("1-1.3", 2, "ttyACM1");

    const std::vector<SDeviceRecord> devices = ScanSerialDevices(m_tree.SysRoot(), m_tree.DevRoot(), "");

    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[0].m_strLocation, std::nullopt);  // not on USB: unreadable
    EXPECT_EQ(devices[1].m_strLocation, "USB 1-1.2");
    EXPECT_EQ(devices[2].m_strLocation, "USB 1-1.3");
}

TEST_F(LinuxProvider, UartWithoutTypeAttributeAsksItsNode)
{
    // Older kernels have no "type"; the node is asked, and a node that
    // cannot tell (here a plain file) is no port.
    m_tree.AddPnpUart("ttyS0", std::nullopt);

    EXPECT_TRUE(Collect().empty());
}

TEST_F(LinuxProvider, PortLinksAreVirtualPortsAndTakeTheirNumber)
{
    m_tree.AddPnpUart("ttyS0", 4);
    m_tree.AddPnpUart("ttyS4", 4);
    const std::string com1 = LinkPort(1, TargetFile("pty-a"));
    const std::string com7 = LinkPort(7, TargetFile("pty-b"));
    LinkPort(9, m_root.Path() + "/gone");  // dangling
    const std::string directory = comnames::PortLinkDirectory();
    fs::create_symlink(TargetFile("pty-c"), directory + "/COM07");
    fs::create_symlink(TargetFile("pty-d"), directory + "/COM0");
    fs::create_symlink(TargetFile("pty-e"), directory + "/COMX");
    std::ofstream(directory + "/COM8").put('\n');  // not a link

    EXPECT_EQ(Collect(),
              SerInfoArray({
                  {com1, "", "Virtual serial port (COM1)", FALSE, "Virtual serial port"},
                  {Dev("ttyS4"), "", "Communications Port (COM5)", FALSE, "Communications Port"},
                  {com7, "", "Virtual serial port (COM7)", FALSE, "Virtual serial port"},
              }));
}

TEST_F(LinuxProvider, LinksInADirectoryOthersCanWriteAreIgnored)
{
    LinkPort(3, TargetFile("pty"));
    ASSERT_EQ(::chmod(comnames::PortLinkDirectory().c_str(), 0777), 0);

    EXPECT_TRUE(Collect().empty());
}

}  // namespace
