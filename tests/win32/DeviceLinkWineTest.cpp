// The device link over a serial port of Windows itself: the Win32 serial
// backend (CreateFileA, the DCB, COMMTIMEOUTS, WriteFile, ReadFile) against
// the terminal simulator, which the Wine prefix serves as a COM port.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "CommandTableRows.h"
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

class DeviceLinkOnWindowsPort : public ::testing::TestWithParam<SCommandTableRow> {};

TEST_P(DeviceLinkOnWindowsPort, SendsTheTableLinesAndHandsBackTheLastAnswer)
{
    const SCommandTableRow& row = GetParam();
    const CWireLog wire;
    CDeviceLink link;
    link.SetPort(SimulatorPort());
    LoadRowParameters(link, row);

    char* raw = nullptr;
    const BOOL ok = link.Execute(row.op, &raw);
    const Reply reply(raw);
    ASSERT_EQ(ok, TRUE);

    const std::vector<std::string> expected = WireLinesOf(row);
    EXPECT_EQ(wire.WaitForLines(expected.size(), std::chrono::seconds(2)), expected);
    EXPECT_EQ(std::string(reply.get()).rfind(row.replyStart, 0), 0u) << "reply: " << reply.get();
}

INSTANTIATE_TEST_SUITE_P(EveryRow, DeviceLinkOnWindowsPort, ::testing::ValuesIn(CommandTableRows()),
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
