// The parameter setters of the device link and the command lines they form.
// The input is a sequence of setter calls with arbitrary bytes (what the
// operator typed, GBK-encoded), then every operation's lines are checked in
// both directions against the command table and the last value each setter
// was given: the line is the table's keyword, then nothing or one blank and
// the value trimmed of blanks (quoted for the MAC address), then CR LF; no
// CR LF pair appears that the value did not already hold.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "DeviceLink.h"
#include "FuzzCheck.h"

namespace {

using fuzzcheck::Escape;

enum Setter { kProductType, kMac, kIp, kUsid, kUcid, kSetterCount };

struct SExpectedStep {
    const char* keyword;
    int setter;  // whose value follows the keyword, or -1 for a fixed line
};

// The command table as the terminal knows it, per operation and direction.
std::vector<SExpectedStep> ExpectedSteps(int op, bool bRead)
{
    switch (op) {
    case ProductType: return {{"QZ_DEVTYPE", kProductType}};
    case MacAddress: return {{"XP0000 0958", -1}, {"XP3301", kMac}};
    case IpAddress: return bRead ? std::vector<SExpectedStep>{{"QZ_ETH", -1}}
                                 : std::vector<SExpectedStep>{{"QZ_SETIP", kIp}};
    case Usid: return {{"QZ_USID", kUsid}};
    case Ucid: return {{"QZ_UCID", kUcid}};
    case ClearAdEeprom: return {{bRead ? "QZ_EEP" : "QZ_EEP 43", -1}};
    case UpgradePrinterDriver: return {{"QZ_UPPRT", -1}, {"QZ_UPPRT", -1}};
    case ClearMainEeprom: return {{"XP0000 0958", -1}, {"XP0701", -1}};
    default: return {};
    }
}

std::string TrimmedOfBlanks(const std::string& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] == ' ')
        ++first;
    while (last > first && text[last - 1] == ' ')
        --last;
    return text.substr(first, last - first);
}

std::size_t CountCrLf(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 1))
        ++count;
    return count;
}

void CheckLine(const std::string& line, const SExpectedStep& step, const std::string* rawValue,
               int op, bool bRead)
{
    const std::string where = "op " + std::to_string(op) + (bRead ? " Read" : " Write") +
                              ", line \"" + Escape(line) + "\"";
    const std::string keyword = step.keyword;
    FUZZ_CHECK(line.size() >= keyword.size() + 2 && line.compare(0, keyword.size(), keyword) == 0,
               "not the table's keyword \"" + keyword + "\": " + where);
    FUZZ_CHECK(line.compare(line.size() - 2, 2, "\r\n") == 0, "no CR LF at the end: " + where);

    const std::string parameter = line.substr(keyword.size(), line.size() - keyword.size() - 2);
    const std::string value = rawValue == nullptr ? std::string() : TrimmedOfBlanks(*rawValue);
    if (value.empty()) {
        FUZZ_CHECK(parameter.empty(), "a parameter where none was set: " + where);
        FUZZ_CHECK(CountCrLf(line) == 1, "CR LF inside a line without a value: " + where);
        return;
    }
    FUZZ_CHECK(parameter[0] == ' ' && parameter.size() >= 2 && parameter[1] != ' ',
               "the parameter is not one blank and the value: " + where);
    const std::string expected =
        step.setter == kMac ? " \"" + value + "\"" : " " + value;
    FUZZ_CHECK(parameter == expected, "parameter \"" + Escape(parameter) + "\" instead of \"" +
                                          Escape(expected) + "\": " + where);
    FUZZ_CHECK(CountCrLf(line) == CountCrLf(value) + 1,
               "a CR LF pair the value did not hold: " + where);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    CDeviceLink link;
    // What each setter was last given; never set means empty.
    std::array<std::string, kSetterCount> lastGiven;
    std::array<bool, kSetterCount> everSet{};

    while (input.remaining_bytes() > 0) {
        const int setter = input.ConsumeIntegralInRange<int>(0, kSetterCount - 1);
        std::string value = input.ConsumeRandomLengthString(512);
        lastGiven[setter] = value;
        everSet[setter] = true;
        switch (setter) {
        case kProductType: link.SetProductType(std::move(value)); break;
        case kMac: link.SetMac(std::move(value)); break;
        case kIp: link.SetIp(std::move(value)); break;
        case kUsid: link.SetUsid(std::move(value)); break;
        case kUcid: link.SetUcid(std::move(value)); break;
        }
    }

    for (const bool bRead : {false, true}) {
        link.m_bRead = bRead;
        // One step past each end as well: no lines for an unknown operation.
        for (int op = -1; op <= kDeviceOperationCount; ++op) {
            const std::vector<std::string> lines = link.CommandLines(static_cast<DeviceOperation>(op));
            const std::vector<SExpectedStep> steps = ExpectedSteps(op, bRead);
            FUZZ_CHECK(lines.size() == steps.size(),
                       "op " + std::to_string(op) + ": " + std::to_string(lines.size()) +
                           " lines instead of " + std::to_string(steps.size()));
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const int setter = steps[i].setter;
                const std::string* raw =
                    setter >= 0 && everSet[setter] ? &lastGiven[setter] : nullptr;
                CheckLine(lines[i], steps[i], raw, op, bRead);
            }
        }
    }
    return 0;
}
