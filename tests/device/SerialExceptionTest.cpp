// Error texts: the system's own, copied with a bound, and the help context.
#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <string>

#include "SerialException.h"
#include "SerialOs.h"

namespace {

class SerialExceptionTest : public ::testing::Test {
protected:
    void SetUp() override { std::setlocale(LC_MESSAGES, "C"); }
    // A code whose system text is longer than ten bytes.
    static DWORD LongTextCode() { return static_cast<DWORD>(EADDRNOTAVAIL); }
};

TEST_F(SerialExceptionTest, CopiesTheSystemTextWithinTheBufferAndAlwaysTerminates)
{
    const std::string full = SystemSerialOs().ErrorText(LongTextCode());
    ASSERT_GT(full.size(), 10u);

    CSerialException e(LongTextCode());
    char small[10];
    std::memset(small, 'x', sizeof small);
    EXPECT_EQ(e.GetErrorText(small, sizeof small, nullptr), TRUE);
    EXPECT_EQ(std::string(small), full.substr(0, 9));

    char large[256];
    EXPECT_EQ(e.GetErrorText(large, sizeof large, nullptr), TRUE);
    EXPECT_EQ(std::string(large), full);
}

TEST_F(SerialExceptionTest, UnknownCodeGivesFalseAndAnEmptyBuffer)
{
    CSerialException e(0x7fff0001u);
    char buffer[32] = "left over";
    EXPECT_EQ(e.GetErrorText(buffer, sizeof buffer, nullptr), FALSE);
    EXPECT_EQ(buffer[0], '\0');
}

TEST_F(SerialExceptionTest, HelpContextIsZeroedWhetherOrNotTextIsFound)
{
    char buffer[64];
    UINT help = 77;
    CSerialException(LongTextCode()).GetErrorText(buffer, sizeof buffer, &help);
    EXPECT_EQ(help, 0u);
    help = 77;
    CSerialException(0x7fff0001u).GetErrorText(buffer, sizeof buffer, &help);
    EXPECT_EQ(help, 0u);
}

TEST_F(SerialExceptionTest, UnusableBufferIsRefused)
{
    CSerialException e(LongTextCode());
    char one[1] = {'x'};
    EXPECT_EQ(e.GetErrorText(nullptr, 10, nullptr), FALSE);
    EXPECT_EQ(e.GetErrorText(one, 0, nullptr), FALSE);
    EXPECT_EQ(one[0], 'x');
}

TEST_F(SerialExceptionTest, ThrownCopyCarriesTheCodeAndCanBeCaughtAsStdException)
{
    try {
        RaiseSerialError(5);
    } catch (const std::exception& e) {
        const auto* serial = dynamic_cast<const CSerialException*>(&e);
        ASSERT_NE(serial, nullptr);
        EXPECT_EQ(serial->m_dwErrorCode, 5u);
    }
}

}  // namespace
