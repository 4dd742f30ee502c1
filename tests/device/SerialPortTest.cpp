// CSerialPort against the scripted backend: the order of system calls, the
// line settings written back, and what state a failure leaves.
#include <gtest/gtest.h>

#include <cstring>

#include "FakeSerialOs.h"
#include "SerialException.h"
#include "SerialPort.h"

namespace {

CommState DriverStateWithEverythingSet()
{
    CommState s;
    s.BaudRate = 115200;
    s.fBinary = true;
    s.fParity = true;
    s.fOutxCtsFlow = true;
    s.fOutxDsrFlow = true;
    s.fDtrControl = 2;
    s.fDsrSensitivity = true;
    s.fTXContinueOnXoff = true;
    s.fOutX = true;
    s.fInX = true;
    s.fErrorChar = true;
    s.fNull = true;
    s.fRtsControl = 3;
    s.fAbortOnError = true;
    s.XonLim = 2048;
    s.XoffLim = 512;
    s.ByteSize = 7;
    s.Parity = 2;
    s.StopBits = 2;
    s.XonChar = 0x11;
    s.XoffChar = 0x13;
    s.ErrorChar = '?';
    s.EofChar = 0x1a;
    s.EvtChar = '\n';
    return s;
}

TEST(SerialPortTest, OpenSetsNineSixHundredEightNoneOneAndKeepsEveryOtherDriverField)
{
    FakeSerialOs os;
    os.driverState = DriverStateWithEverythingSet();
    CSerialPort port(os);
    port.Open("\\\\.\\COM3");

    ASSERT_EQ(os.statesSet.size(), 1u);
    CommState expected = os.driverState;
    expected.BaudRate = 9600;
    expected.ByteSize = 8;
    expected.Parity = NOPARITY;
    expected.StopBits = ONESTOPBIT;
    expected.fOutxCtsFlow = false;
    expected.fOutxDsrFlow = false;
    expected.fDsrSensitivity = false;
    expected.fOutX = false;
    expected.fInX = false;
    EXPECT_EQ(os.statesSet[0], expected);
    EXPECT_EQ(os.openedPaths, std::vector<std::string>{"\\\\.\\COM3"});
    EXPECT_TRUE(port.IsOpen());
}

TEST(SerialPortTest, TimeoutSettersEachChangeOnlyTheirOwnFields)
{
    FakeSerialOs os;
    os.driverTimeouts = {7, 8, 9, 10, 11};
    CSerialPort port(os);
    port.Open("p");
    port.SetImmediateReads();
    port.ClearWriteTimeouts();

    ASSERT_EQ(os.timeoutsSet.size(), 2u);
    EXPECT_EQ(os.timeoutsSet[0], (CommTimeouts{MAXDWORD, 0, 0, 10, 11}));
    EXPECT_EQ(os.timeoutsSet[1], (CommTimeouts{MAXDWORD, 0, 0, 0, 0}));
}

TEST(SerialPortTest, ExchangeRunsTheCallsInOrderAndClosesAtTheEnd)
{
    FakeSerialOs os;
    os.QueueReply("QZ_USID A X1\r\n");
    CSerialPort port(os);
    char reply[257];
    std::memset(reply, 'x', sizeof reply);
    port.Exchange("p", "QZ_USID\r\n", 9, reply, 256);

    using C = SerialCall;
    EXPECT_EQ(os.calls, (std::vector<C>{C::OpenPort, C::GetLineState, C::SetLineState, C::GetTimeouts,
                                        C::SetTimeouts, C::GetTimeouts, C::SetTimeouts, C::WritePort,
                                        C::Pause, C::ReadPort, C::ClosePort}));
    EXPECT_EQ(os.pauses, std::vector<DWORD>{150});
    EXPECT_EQ(os.readSizes, std::vector<DWORD>{256});
    EXPECT_EQ(os.written, std::vector<std::string>{"QZ_USID\r\n"});
    // The buffer was zeroed before the read: the reply is terminated.
    EXPECT_STREQ(reply, "QZ_USID A X1\r\n");
    EXPECT_EQ(reply[256], 'x');  // only the size given is touched
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(os.OpenHandleCount(), 0u);
}

TEST(SerialPortTest, FailedOpenThrowsTheSystemCodeAndLeavesThePortClosed)
{
    FakeSerialOs os;
    os.FailOn(SerialCall::OpenPort, 2);
    CSerialPort port(os);
    try {
        port.Open("\\\\.\\COM9");
        FAIL() << "Open succeeded";
    } catch (const CSerialException& e) {
        EXPECT_EQ(e.m_dwErrorCode, 2u);
    }
    EXPECT_FALSE(port.IsOpen());
}

TEST(SerialPortTest, FailureAfterOpenLeavesThePortOpenUntilTheNextOpenClosesIt)
{
    FakeSerialOs os;
    os.FailOn(SerialCall::WritePort, 1117);
    CSerialPort port(os);
    port.Open("first");
    EXPECT_THROW(port.Write("x", 1), CSerialException);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(os.OpenHandleCount(), 1u);

    port.Open("second");
    EXPECT_EQ(os.closed.size(), 1u);
    EXPECT_EQ(os.OpenHandleCount(), 1u);
}

TEST(SerialPortTest, DestroyingAnOpenPortClosesItAndAClosedOneMakesNoCall)
{
    FakeSerialOs os;
    {
        CSerialPort port(os);
        port.Open("p");
    }
    EXPECT_EQ(os.OpenHandleCount(), 0u);
    EXPECT_EQ(os.CallCount(SerialCall::ClosePort), 1);

    {
        CSerialPort idle(os);
    }
    EXPECT_EQ(os.CallCount(SerialCall::ClosePort), 1);
}

TEST(SerialPortTest, ASilentDeviceGivesAnEmptyReply)
{
    FakeSerialOs os;
    CSerialPort port(os);
    char reply[256];
    std::memset(reply, 'x', sizeof reply);
    port.Exchange("p", "QZ_ETH\r\n", 8, reply, sizeof reply);
    EXPECT_EQ(std::string(reply, sizeof reply), std::string(256, '\0'));
}

}  // namespace
