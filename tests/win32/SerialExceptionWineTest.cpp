// CSerialException::GetErrorText on Windows: the system's own message text
// for the code (FormatMessageA), copied bounded, line end included.
#include <gtest/gtest.h>

#include <string>

#include "SerialException.h"

namespace {

// The system's text for a code, asked for the way the serial layer asks.
std::string SystemText(DWORD code)
{
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT), reinterpret_cast<char*>(&text),
        0, nullptr);
    const std::string result = length != 0 && text != nullptr ? std::string(text, length) : "";
    if (text != nullptr)
        ::LocalFree(text);
    return result;
}

struct SCase {
    const char* name;
    DWORD code;
    UINT bufferSize;
    BOOL expectedResult;
    std::size_t expectedLength;  // bytes of the system text kept; npos: all of it
};

void PrintTo(const SCase& c, std::ostream* os)
{
    *os << c.name;
}

class ErrorTextOnWindows : public ::testing::TestWithParam<SCase> {};

TEST_P(ErrorTextOnWindows, CopiesTheSystemTextBoundedAndSetsTheHelpContextToZero)
{
    const SCase& c = GetParam();
    const std::string system = SystemText(c.code);
    if (c.expectedResult) {
        ASSERT_FALSE(system.empty()) << "the system has no text for " << c.code;
    }

    std::string buffer(c.bufferSize, 'x');
    UINT helpContext = 77;
    const BOOL result = CSerialException(c.code).GetErrorText(buffer.data(), c.bufferSize, &helpContext);

    EXPECT_EQ(result, c.expectedResult);
    EXPECT_EQ(helpContext, 0u);
    const std::string expected = system.substr(0, c.expectedLength);
    EXPECT_EQ(std::string(buffer.c_str()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ErrorTextOnWindows,
    ::testing::Values(
        // The text is the system's, its line end kept (not trimmed).
        SCase{"FileNotFoundWholeText", ERROR_FILE_NOT_FOUND, 512, TRUE, std::string::npos},
        // A 10-byte buffer keeps 9 bytes and the terminating zero.
        SCase{"LongTextCutToNineBytes", ERROR_FILE_NOT_FOUND, 10, TRUE, 9},
        SCase{"OneByteBufferKeepsOnlyTheZero", ERROR_FILE_NOT_FOUND, 1, TRUE, 0},
        // An application-defined code has no system text.
        SCase{"CodeWithoutSystemText", 0x20001234u, 64, FALSE, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
