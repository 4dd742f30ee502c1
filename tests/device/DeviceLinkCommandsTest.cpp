// The command set: parameter formatting, port numbers, and the lines each
// operation sends, checked against the scripted backend.
#include <gtest/gtest.h>

#include <cstring>

#include <cstdlib>
#include <memory>

#include "DeviceLink.h"
#include "FakeSerialOs.h"

namespace {

struct FreeReply {
    void operator()(char* p) const { std::free(p); }
};
using Reply = std::unique_ptr<char, FreeReply>;

// ---- setters ---------------------------------------------------------------

struct SetterCase {
    const char* name;
    void (CDeviceLink::*setter)(std::string);
    DeviceOperation op;
    const char* input;
    const char* expectedLine;  // without CR LF; the last line of the operation
};

void PrintTo(const SetterCase& c, std::ostream* os) { *os << c.name; }

class SetterFormatting : public ::testing::TestWithParam<SetterCase> {};

TEST_P(SetterFormatting, ProducesTheLineOnTheWire)
{
    const SetterCase& c = GetParam();
    CDeviceLink link;
    link.m_bRead = false;
    (link.*c.setter)(c.input);
    const auto lines = link.CommandLines(c.op);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), std::string(c.expectedLine) + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Setters, SetterFormatting,
    ::testing::Values(
        SetterCase{"UsidTrimmedAtBothEnds", &CDeviceLink::SetUsid, Usid, "  A12 ", "QZ_USID A12"},
        SetterCase{"UsidOfBlanksOnlyIsEmpty", &CDeviceLink::SetUsid, Usid, "    ", "QZ_USID"},
        SetterCase{"UcidEmpty", &CDeviceLink::SetUcid, Ucid, "", "QZ_UCID"},
        SetterCase{"ProductTypeKeepsInnerBlank", &CDeviceLink::SetProductType, ProductType,
                   "Marlin 3200", "QZ_DEVTYPE Marlin 3200"},
        SetterCase{"TabsAndLineEndsAreNotTrimmed", &CDeviceLink::SetProductType, ProductType,
                   "\tvEdge\r", "QZ_DEVTYPE \tvEdge\r"},
        SetterCase{"MacQuoted", &CDeviceLink::SetMac, MacAddress, " 02:5A:C1:01:02:03 ",
                   "XP3301 \"02:5A:C1:01:02:03\""},
        SetterCase{"MacEmptyIsBareKeyword", &CDeviceLink::SetMac, MacAddress, "", "XP3301"},
        SetterCase{"QuotesInsideAreNotEscaped", &CDeviceLink::SetMac, MacAddress, "a\"b",
                   "XP3301 \"a\"b\""},
        SetterCase{"IpAddressWrite", &CDeviceLink::SetIp, IpAddress, "192.168.1.20",
                   "QZ_SETIP 192.168.1.20"},
        SetterCase{"GbkBytesPassUnchanged", &CDeviceLink::SetUsid, Usid, "\xB2\xE2\xCA\xD4",
                   "QZ_USID \xB2\xE2\xCA\xD4"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeviceLinkParams, ParametersLastUntilSetAgainAndDoNotTouchEachOther)
{
    CDeviceLink link;
    link.SetUsid("U1");
    link.SetUcid("C1");
    link.SetUsid("U2");
    EXPECT_EQ(link.CommandLines(Ucid).front(), "QZ_UCID C1\r\n");
    EXPECT_EQ(link.CommandLines(Usid).front(), "QZ_USID U2\r\n");
    EXPECT_EQ(link.CommandLines(ProductType).front(), "QZ_DEVTYPE\r\n");
}

// ---- port text to port path ------------------------------------------------

struct PortCase {
    const char* name;
    const char* text;
    bool fits;
    const char* path;
};

void PrintTo(const PortCase& c, std::ostream* os) { *os << c.name; }

class PortPath : public ::testing::TestWithParam<PortCase> {};

TEST_P(PortPath, ReadsTheNumberAsAtoiDoes)
{
    char path[12];
    std::memset(path, 'x', sizeof path);
    const PortCase& c = GetParam();
    EXPECT_EQ(CDeviceLink::FormatPortPath(c.text, path), c.fits);
    if (c.fits) {
        EXPECT_STREQ(path, c.path);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ports, PortPath,
    ::testing::Values(PortCase{"Plain", "3", true, "\\\\.\\COM3"},
                      PortCase{"LeadingWhiteSpace", " \t3", true, "\\\\.\\COM3"},
                      PortCase{"TrailingTextIgnored", "12abc", true, "\\\\.\\COM12"},
                      PortCase{"ComPrefixGivesZero", "COM3", true, "\\\\.\\COM0"},
                      PortCase{"Empty", "", true, "\\\\.\\COM0"},
                      PortCase{"Negative", "-1", true, "\\\\.\\COM-1"},
                      PortCase{"FourDigitsFit", "9999", true, "\\\\.\\COM9999"},
                      PortCase{"NegativeFourCharsFit", "-999", true, "\\\\.\\COM-999"},
                      PortCase{"FiveDigitsDoNotFit", "12345", false, ""},
                      PortCase{"HugeNumberDoesNotWrap", "4294967299", false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the command table -----------------------------------------------------

struct TableRow {
    const char* name;
    DeviceOperation op;
    bool read;
    std::vector<std::string> lines;  // without CR LF
};

void PrintTo(const TableRow& c, std::ostream* os) { *os << c.name; }

class CommandTable : public ::testing::TestWithParam<TableRow> {};

TEST_P(CommandTable, SendsEachLineOnItsOwnExchangeAndHandsBackTheLastReply)
{
    const TableRow& row = GetParam();
    FakeSerialOs os;
    for (std::size_t i = 0; i < row.lines.size(); ++i)
        os.QueueReply("reply " + std::to_string(i + 1));
    CDeviceLink link(os);
    link.SetPort("3");
    link.m_bRead = row.read;
    link.SetIp("10.0.0.9");  // only an IpAddress Write may use it

    char* raw = nullptr;
    const BOOL ok = link.Execute(row.op, &raw);
    Reply reply(raw);

    ASSERT_EQ(ok, TRUE);
    std::vector<std::string> expected;
    for (const std::string& l : row.lines)
        expected.push_back(l + "\r\n");
    EXPECT_EQ(os.written, expected);
    EXPECT_EQ(os.openedPaths, std::vector<std::string>(row.lines.size(), "\\\\.\\COM3"));
    EXPECT_EQ(os.CallCount(SerialCall::ClosePort), static_cast<int>(row.lines.size()));
    EXPECT_STREQ(reply.get(), ("reply " + std::to_string(row.lines.size())).c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandTable,
    ::testing::Values(
        TableRow{"ProductTypeRead", ProductType, true, {"QZ_DEVTYPE"}},
        TableRow{"ProductTypeWrite", ProductType, false, {"QZ_DEVTYPE"}},
        TableRow{"MacRead", MacAddress, true, {"XP0000 0958", "XP3301"}},
        TableRow{"MacWrite", MacAddress, false, {"XP0000 0958", "XP3301"}},
        TableRow{"IpRead", IpAddress, true, {"QZ_ETH"}},
        TableRow{"IpWrite", IpAddress, false, {"QZ_SETIP 10.0.0.9"}},
        TableRow{"UsidRead", Usid, true, {"QZ_USID"}},
        TableRow{"UsidWrite", Usid, false, {"QZ_USID"}},
        TableRow{"UcidRead", Ucid, true, {"QZ_UCID"}},
        TableRow{"UcidWrite", Ucid, false, {"QZ_UCID"}},
        TableRow{"ClearAdEepromRead", ClearAdEeprom, true, {"QZ_EEP"}},
        TableRow{"ClearAdEepromWrite", ClearAdEeprom, false, {"QZ_EEP 43"}},
        TableRow{"UpgradePrinterRead", UpgradePrinterDriver, true, {"QZ_UPPRT", "QZ_UPPRT"}},
        TableRow{"UpgradePrinterWrite", UpgradePrinterDriver, false, {"QZ_UPPRT", "QZ_UPPRT"}},
        TableRow{"ClearMainEepromRead", ClearMainEeprom, true, {"XP0000 0958", "XP0701"}},
        TableRow{"ClearMainEepromWrite", ClearMainEeprom, false, {"XP0000 0958", "XP0701"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
