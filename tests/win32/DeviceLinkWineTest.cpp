// The device link over a serial port of Windows itself: the Win32 serial
// backend (CreateFileA, the DCB, COMMTIMEOUTS, WriteFile, ReadFile) against
// the terminal simulator, which the Wine prefix serves as a COM port.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "DeviceLink.h"
#include "SerialException.h"
#include "WineHarness.h"

namespace {

struct FreeReply {
    void operator()(char* p) const { std::free(p); }
};
using Reply = std::unique_ptr<char, FreeReply>;

std::string PortPath(const std::string& port)
{
    return "\\\\.\\COM" + port;
}

struct SRow {
    const char* name;
    DeviceOperation op;
    bool read;
    std::vector<std::string> wire;  // without CR LF
    const char* replyStart;         // what the last step's answer begins with
};

void PrintTo(const SRow& row, std::ostream* os)
{
    *os << row.name;
}

class DeviceLinkOnWindowsPort : public ::testing::TestWithParam<SRow> {};

TEST_P(DeviceLinkOnWindowsPort, SendsTheTableLinesAndHandsBackTheLastAnswer)
{
    const SRow& row = GetParam();
    const CWireLog wire;
    CDeviceLink link;
    link.SetPort(SimulatorPort());
    link.m_bRead = row.read;
    // As the dialog does: the operation's value on a Write, an empty text on a Read.
    const std::string none;
    link.SetProductType(row.read ? none : "Marlin 3200");
    link.SetMac(row.read ? none : "02:5A:C1:01:02:03");
    link.SetIp("192.168.1.20");
    link.SetUsid(row.read ? none : "A12");
    link.SetUcid(row.read ? none : "C7");

    char* raw = nullptr;
    const BOOL ok = link.Execute(row.op, &raw);
    const Reply reply(raw);
    ASSERT_EQ(ok, TRUE);

    std::vector<std::string> expected;
    for (const std::string& line : row.wire)
        expected.push_back(line + "\r\n");
    EXPECT_EQ(wire.WaitForLines(expected.size(), std::chrono::seconds(2)), expected);
    EXPECT_EQ(std::string(reply.get()).rfind(row.replyStart, 0), 0u) << "reply: " << reply.get();
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, DeviceLinkOnWindowsPort,
    ::testing::Values(
        SRow{"ProductTypeRead", ProductType, true, {"QZ_DEVTYPE"}, "QZ_DEVTYPE A "},
        SRow{"ProductTypeWrite", ProductType, false, {"QZ_DEVTYPE Marlin 3200"}, "QZ_DEVTYPE A"},
        SRow{"MacRead", MacAddress, true, {"XP0000 0958", "XP3301"}, "XP3301 A \"02:5A:C1:"},
        SRow{"MacWrite", MacAddress, false, {"XP0000 0958", "XP3301 \"02:5A:C1:01:02:03\""}, "XP3301 A"},
        SRow{"IpRead", IpAddress, true, {"QZ_ETH"}, "QZ_ETH A "},
        SRow{"IpWrite", IpAddress, false, {"QZ_SETIP 192.168.1.20"}, "QZ_SETIP A"},
        SRow{"UsidRead", Usid, true, {"QZ_USID"}, "QZ_USID A"},
        SRow{"UsidWrite", Usid, false, {"QZ_USID A12"}, "QZ_USID A"},
        SRow{"UcidRead", Ucid, true, {"QZ_UCID"}, "QZ_UCID A"},
        SRow{"UcidWrite", Ucid, false, {"QZ_UCID C7"}, "QZ_UCID A"},
        SRow{"ClearAdEepromRead", ClearAdEeprom, true, {"QZ_EEP"}, "QZ_EEP A"},
        SRow{"ClearAdEepromWrite", ClearAdEeprom, false, {"QZ_EEP 43"}, "QZ_EEP A"},
        SRow{"UpgradePrinterRead", UpgradePrinterDriver, true, {"QZ_UPPRT", "QZ_UPPRT"}, "QZ_UPPRT A"},
        SRow{"UpgradePrinterWrite", UpgradePrinterDriver, false, {"QZ_UPPRT", "QZ_UPPRT"}, "QZ_UPPRT A"},
        SRow{"ClearMainEepromRead", ClearMainEeprom, true, {"XP0000 0958", "XP0701"}, "XP0701 A"},
        SRow{"ClearMainEepromWrite", ClearMainEeprom, false, {"XP0000 0958", "XP0701"}, "XP0701 A"}),
    [](const auto& info) { return std::string(info.param.name); });

// A handle of our own on the port, to set and read its line settings
// around the serial layer's exchange.
class CRawPort {
public:
    explicit CRawPort(const std::string& path)
        : m_hPort(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr))
    {
    }
    ~CRawPort()
    {
        if (m_hPort != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_hPort);
    }
    CRawPort(const CRawPort&) = delete;
    CRawPort& operator=(const CRawPort&) = delete;

    HANDLE Get() const { return m_hPort; }

private:
    HANDLE m_hPort;
};

DCB ReadLineSettings(const std::string& path)
{
    const CRawPort port(path);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    EXPECT_NE(port.Get(), INVALID_HANDLE_VALUE);
    EXPECT_TRUE(::GetCommState(port.Get(), &dcb));
    return dcb;
}

TEST(DeviceLinkWindowsLine, AnExchangeLeavesThePortAt9600EightNoneOneWithoutFlowControl)
{
    const std::string path = PortPath(SimulatorPort());
    {
        // Something else left the port at 19200 7E2 with every kind of flow control.
        const CRawPort port(path);
        ASSERT_NE(port.Get(), INVALID_HANDLE_VALUE) << ::GetLastError();
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        ASSERT_TRUE(::GetCommState(port.Get(), &dcb));
        dcb.BaudRate = CBR_19200;
        dcb.ByteSize = 7;
        dcb.Parity = EVENPARITY;
        dcb.StopBits = TWOSTOPBITS;
        dcb.fOutxCtsFlow = TRUE;
        dcb.fOutxDsrFlow = TRUE;
        dcb.fDsrSensitivity = TRUE;
        dcb.fOutX = TRUE;
        dcb.fInX = TRUE;
        ASSERT_TRUE(::SetCommState(port.Get(), &dcb));
    }

    CSerialPort serial;
    char reply[CDeviceLink::kReplyBufferSize] = {};
    serial.Exchange(path.c_str(), "QZ_USID\r\n", 9, reply, CDeviceLink::kReplyReadSize);

    const DCB dcb = ReadLineSettings(path);
    EXPECT_EQ(dcb.BaudRate, 9600u);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, 0);    // none
    EXPECT_EQ(dcb.StopBits, 0);  // one
    EXPECT_FALSE(dcb.fOutxCtsFlow);
    EXPECT_FALSE(dcb.fOutxDsrFlow);
    EXPECT_FALSE(dcb.fDsrSensitivity);
    EXPECT_FALSE(dcb.fOutX);
    EXPECT_FALSE(dcb.fInX);
    EXPECT_EQ(std::string(reply).rfind("QZ_USID A", 0), 0u) << reply;
}

TEST(DeviceLinkWindowsLine, APortThatDoesNotExistFailsWithTheSystemCodeAndTheNextRunWorks)
{
    // COM9 is not mapped in the prefix.
    CSerialPort serial;
    try {
        serial.Open("\\\\.\\COM9");
        FAIL() << "COM9 opened";
    } catch (const CSerialException& e) {
        EXPECT_EQ(e.m_dwErrorCode, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    }
    EXPECT_FALSE(serial.IsOpen());

    const CWireLog wire;
    CDeviceLink link;
    link.m_bRead = true;
    link.SetUsid("");
    link.SetPort("9");
    char* raw = nullptr;
    EXPECT_EQ(link.Execute(Usid, &raw), FALSE);
    Reply failed(raw);
    EXPECT_NE(raw, nullptr);

    link.SetPort(SimulatorPort());
    raw = nullptr;
    EXPECT_EQ(link.Execute(Usid, &raw), TRUE);
    const Reply reply(raw);
    EXPECT_EQ(wire.WaitForLines(1, std::chrono::seconds(2)), std::vector<std::string>{"QZ_USID\r\n"});
}

}  // namespace
