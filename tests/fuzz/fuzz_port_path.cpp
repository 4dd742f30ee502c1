// Port text to port path, and the path back to a device:
// - CDeviceLink::FormatPortPath writes into exactly 12 bytes (a heap block
//   of that size, so a write past it is caught), says true exactly when
//   "\\.\COM" and the number as atoi reads it fit with their NUL, and then
//   holds that text;
// - a path it forms for a number from 0 up parses back to that number;
// - comnames::ParseComDevicePath takes the prefix and digits only;
// - comnames::FixedTableNumber and FixedTableTtyName are each other's inverse.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "ComPortNames.h"
#include "DeviceLink.h"
#include "FuzzCheck.h"

namespace {

using fuzzcheck::Escape;

constexpr const char* kComPrefix = "\\\\.\\COM";

struct SAtoiReading {
    bool negative = false;
    std::string digits;  // without leading zeros; empty for zero
};

// atoi in the C locale: white space, an optional sign, decimal digits up to
// the first other character. Kept as text, so that no length overflows.
SAtoiReading ReadLikeAtoi(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    SAtoiReading reading;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        reading.negative = text[i++] == '-';
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (!(reading.digits.empty() && text[i] == '0'))
            reading.digits.push_back(text[i]);
    }
    return reading;
}

std::string DecimalText(const SAtoiReading& reading)
{
    if (reading.digits.empty())
        return "0";
    return (reading.negative ? "-" : "") + reading.digits;
}

void CheckFormatPortPath(const std::string& port)
{
    constexpr std::size_t kPathSize = 12;
    auto block = std::make_unique<char[]>(kPathSize);
    std::memset(block.get(), 0x7F, kPathSize);
    auto& path = *reinterpret_cast<char(*)[kPathSize]>(block.get());
    const bool fits = CDeviceLink::FormatPortPath(port, path);

    const SAtoiReading reading = ReadLikeAtoi(port);
    const std::string expected = kComPrefix + DecimalText(reading);
    const bool shouldFit = expected.size() + 1 <= kPathSize;
    FUZZ_CHECK(fits == shouldFit, "port text \"" + Escape(port) + "\" gives " +
                                      (fits ? "true" : "false") + " for \"" + Escape(expected) +
                                      "\"");
    if (!fits)
        return;
    FUZZ_CHECK(std::memchr(path, '\0', kPathSize) != nullptr && expected == path,
               "port text \"" + Escape(port) + "\" formed \"" +
                   Escape(std::string(path, strnlen(path, kPathSize))) + "\", not \"" +
                   Escape(expected) + "\"");

    // The POSIX serial layer must read the number back from the path.
    const std::optional<unsigned> parsed = comnames::ParseComDevicePath(path);
    if (reading.negative && !reading.digits.empty()) {
        FUZZ_CHECK(!parsed, "negative port path \"" + Escape(expected) + "\" parsed");
    } else {
        const unsigned number = reading.digits.empty() ? 0u : static_cast<unsigned>(std::stoul(reading.digits));
        FUZZ_CHECK(parsed && *parsed == number,
                   "port path \"" + Escape(expected) + "\" does not parse back to its number");
    }
}

void CheckParseComDevicePath(const std::string& path)
{
    const std::optional<unsigned> parsed = comnames::ParseComDevicePath(path);
    const std::string prefix = kComPrefix;
    const bool hasPrefix = path.compare(0, prefix.size(), prefix) == 0;
    FUZZ_CHECK(comnames::HasComDevicePrefix(path) == hasPrefix,
               "prefix test wrong for \"" + Escape(path) + "\"");
    const std::string rest = hasPrefix ? path.substr(prefix.size()) : std::string();
    const bool digitsOnly =
        hasPrefix && !rest.empty() && rest.find_first_not_of("0123456789") == std::string::npos;
    std::string number = digitsOnly ? rest.substr(std::min(rest.find_first_not_of('0'), rest.size())) : "";
    if (number.empty())
        number = "0";
    if (!parsed) {
        // Every number a port path can carry (at most four digits) parses,
        // and so does anything up to nine.
        FUZZ_CHECK(!digitsOnly || number.size() > 9,
                   "\"" + Escape(path) + "\" is the prefix and a number, yet not parsed");
        return;
    }
    FUZZ_CHECK(digitsOnly, "\"" + Escape(path) + "\" parsed to " + std::to_string(*parsed) +
                               " though it is not the prefix and digits only");
    FUZZ_CHECK(std::to_string(*parsed) == number,
               "\"" + Escape(path) + "\" parsed to " + std::to_string(*parsed));
}

// Table names: a kernel tty name gives its COM number and the number gives
// the name back; nothing else gives a number.
void CheckFixedTable(const std::string& ttyName, unsigned comNumber)
{
    if (const std::optional<unsigned> number = comnames::FixedTableNumber(ttyName)) {
        FUZZ_CHECK(*number >= 1 && *number <= comnames::kFixedTableSize,
                   "\"" + Escape(ttyName) + "\" gives COM" + std::to_string(*number));
        FUZZ_CHECK(comnames::FixedTableTtyName(*number) == ttyName,
                   "\"" + Escape(ttyName) + "\" gives COM" + std::to_string(*number) +
                       ", which names \"" + comnames::FixedTableTtyName(*number) + "\"");
    }
    const std::string name = comnames::FixedTableTtyName(comNumber);
    const bool inTable = comNumber >= 1 && comNumber <= comnames::kFixedTableSize;
    FUZZ_CHECK(name.empty() != inTable, "COM" + std::to_string(comNumber) + " names \"" +
                                            Escape(name) + "\"");
    if (inTable) {
        const std::optional<unsigned> back = comnames::FixedTableNumber(name);
        FUZZ_CHECK(back && *back == comNumber,
                   "COM" + std::to_string(comNumber) + " names \"" + name + "\", which does not give it back");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const unsigned comNumber = input.ConsumeIntegralInRange<unsigned>(0, 300);
    const bool withPrefix = input.ConsumeBool();
    const std::string text = input.ConsumeRemainingBytesAsString();

    CheckFormatPortPath(text);
    CheckParseComDevicePath(withPrefix ? kComPrefix + text : text);
    CheckFixedTable(text, comNumber);
    return 0;
}
