// The POSIX backend on real pseudo-terminals, with faults injected through
// its system-call seam where a pty cannot produce them.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "PosixCalls.h"
#include "PtyPair.h"
#include "SerialException.h"
#include "SerialOs.h"
#include "SerialPort.h"
#include "TempDir.h"

namespace {

class PosixSerialOsTest : public ::testing::Test {
protected:
    ScopedRuntimeDir runtime;
    PtyPair pty;
};

TEST_F(PosixSerialOsTest, OpenMakesTheLineRawNineSixHundredEightNoneOne)
{
    CSerialPort port;
    port.Open(pty.SlavePath().c_str());

    const int fd = ::open(pty.SlavePath().c_str(), O_RDONLY | O_NOCTTY);  // root passes TIOCEXCL
    ASSERT_GE(fd, 0);
    termios tio {};
    ASSERT_EQ(::tcgetattr(fd, &tio), 0);
    ::close(fd);
    EXPECT_EQ(cfgetospeed(&tio), B9600);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_NE(tio.c_cflag & CREAD, 0u);
    EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 0);
}

TEST_F(PosixSerialOsTest, APortHeldByOneOpenerIsRefusedToTheNextUntilClosed)
{
    CSerialPort first;
    first.Open(pty.SlavePath().c_str());

    CSerialPort second;
    try {
        second.Open(pty.SlavePath().c_str());
        FAIL() << "second open succeeded";
    } catch (const CSerialException& e) {
        EXPECT_EQ(e.m_dwErrorCode, static_cast<DWORD>(EACCES));
    }
    EXPECT_FALSE(second.IsOpen());

    first.Close();
    EXPECT_NO_THROW(second.Open(pty.SlavePath().c_str()));
}

TEST_F(PosixSerialOsTest, ImmediateReadReturnsWhatHasArrivedOrNothing)
{
    CSerialPort port;
    port.Open(pty.SlavePath().c_str());
    port.SetImmediateReads();

    char buffer[16] = {};
    port.Read(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "");

    pty.WriteToPort("QZ_ETH A\r\n");
    ::usleep(20'000);
    port.Read(buffer, sizeof buffer - 1);
    EXPECT_STREQ(buffer, "QZ_ETH A\r\n");
}

TEST_F(PosixSerialOsTest, AReadOnAHungUpLineFailsInsteadOfReadingNothing)
{
    CSerialPort port;
    port.Open(pty.SlavePath().c_str());
    port.SetImmediateReads();
    pty.HangUp();
    char buffer[16] = {};
    try {
        port.Read(buffer, sizeof buffer);
        FAIL() << "a hung-up line read as a quiet one";
    } catch (const CSerialException& e) {
        EXPECT_EQ(e.m_dwErrorCode, static_cast<DWORD>(EIO));
    }
}

TEST_F(PosixSerialOsTest, BytesLeftUnreadByTheLastUserAreGoneAfterOpen)
{
    {
        CSerialPort port;
        port.Open(pty.SlavePath().c_str());
        pty.WriteToPort("stale");
        ::usleep(20'000);
    }
    CSerialPort port;
    port.Open(pty.SlavePath().c_str());
    port.SetImmediateReads();
    char buffer[16] = {};
    port.Read(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "");
}

TEST_F(PosixSerialOsTest, OpenFailuresCarryTheSystemCode)
{
    CSerialPort port;
    struct Case {
        const char* path;
        DWORD code;
    };
    for (const Case& c : {Case{"/nonexistent/ttyX", ENOENT}, Case{"\\\\.\\COM0", ENOENT},
                          Case{"\\\\.\\COM-1", ENOENT}}) {
        try {
            port.Open(c.path);
            ADD_FAILURE() << c.path << " opened";
        } catch (const CSerialException& e) {
            EXPECT_EQ(e.m_dwErrorCode, c.code) << c.path;
        }
        EXPECT_FALSE(port.IsOpen());
    }
}

TEST_F(PosixSerialOsTest, AFileThatIsNoTerminalOpensButRefusesLineSettings)
{
    const std::string file = runtime.Path() + "/plain";
    std::ofstream(file) << "x";
    CSerialPort port;
    try {
        port.Open(file.c_str());
        FAIL() << "a plain file took line settings";
    } catch (const CSerialException& e) {
        EXPECT_EQ(e.m_dwErrorCode, static_cast<DWORD>(ENOTTY));
    }
    EXPECT_TRUE(port.IsOpen());  // failed after the open, as on Windows
}

TEST_F(PosixSerialOsTest, RaiseSerialErrorWithZeroTakesTheLastError)
{
    ASSERT_EQ(SystemSerialOs().OpenPort("/nonexistent/ttyY"), INVALID_HANDLE_VALUE);
    try {
        RaiseSerialError(0);
    } catch (const CSerialException& e) {
        EXPECT_EQ(e.m_dwErrorCode, static_cast<DWORD>(ENOENT));
    }
}

// ---- injected faults -------------------------------------------------------

class ScriptedCalls : public PosixCalls {
public:
    int interruptWrites = 0;     // writes that fail with EINTR first
    int wouldBlockWrites = 0;    // then writes that fail with EAGAIN
    std::size_t maxWrite = 3;    // then short writes of at most this many bytes
    int failFlockWith = 0;
    int failTcsetattrWith = 0;
    int closes = 0;

    ssize_t write(int fd, const void* data, size_t size) override
    {
        if (interruptWrites > 0) {
            --interruptWrites;
            errno = EINTR;
            return -1;
        }
        if (wouldBlockWrites > 0) {
            --wouldBlockWrites;
            errno = EAGAIN;
            return -1;
        }
        return PosixCalls::write(fd, data, std::min(size, maxWrite));
    }
    int flock(int fd, int op) override
    {
        if (failFlockWith != 0 && (op & LOCK_EX) != 0) {
            errno = failFlockWith;
            return -1;
        }
        return PosixCalls::flock(fd, op);
    }
    int tcsetattr(int fd, int when, const termios* tio) override
    {
        if (failTcsetattrWith != 0) {
            errno = failTcsetattrWith;
            return -1;
        }
        return PosixCalls::tcsetattr(fd, when, tio);
    }
    int close(int fd) override
    {
        ++closes;
        return PosixCalls::close(fd);
    }
};

TEST_F(PosixSerialOsTest, WriteDeliversTheWholeLineThroughInterruptsAndShortWrites)
{
    ScriptedCalls calls;
    calls.interruptWrites = 2;
    calls.wouldBlockWrites = 2;
    auto os = MakePosixSerialOs(calls);
    CSerialPort port(*os);
    port.Open(pty.SlavePath().c_str());
    port.ClearWriteTimeouts();
    const std::string line = "XP3301 \"02:5A:C1:01:02:03\"\r\n";
    port.Write(line.data(), static_cast<DWORD>(line.size()));
    EXPECT_EQ(pty.ReadFromPort(line.size()), line);
}

TEST_F(PosixSerialOsTest, FailuresAfterTheSystemOpenCloseTheDescriptor)
{
    struct Case {
        const char* name;
        int ScriptedCalls::*field;
        int error;
        DWORD expectedCode;
        bool portOpenAfter;
    };
    for (const Case& c : {Case{"LockHeldElsewhere", &ScriptedCalls::failFlockWith, EWOULDBLOCK, EACCES, false},
                          Case{"LockFails", &ScriptedCalls::failFlockWith, ENOLCK, ENOLCK, false},
                          Case{"LineSettingsRefused", &ScriptedCalls::failTcsetattrWith, EIO, EIO, true}}) {
        ScriptedCalls calls;
        calls.*c.field = c.error;
        auto os = MakePosixSerialOs(calls);
        {
            CSerialPort port(*os);
            try {
                port.Open(pty.SlavePath().c_str());
                ADD_FAILURE() << c.name << ": opened";
            } catch (const CSerialException& e) {
                EXPECT_EQ(e.m_dwErrorCode, c.expectedCode) << c.name;
            }
            EXPECT_EQ(port.IsOpen(), c.portOpenAfter) << c.name;
        }
        EXPECT_EQ(calls.closes, 1) << c.name;  // closed exactly once, by the backend or the destructor
    }
}

}  // namespace
