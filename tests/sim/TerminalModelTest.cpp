// The terminal's answers, driven line by line. Each case is a short script
// run against a terminal fresh from the factory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TerminalModel.h"

namespace {

struct Exchange {
    std::string line;   // as received, without CR LF
    std::string reply;  // without CR LF
};

struct ModelCase {
    std::string name;
    std::vector<Exchange> script;
};

void PrintTo(const ModelCase& c, std::ostream* os)
{
    *os << c.name;
}

class SimTerminalModel : public ::testing::TestWithParam<ModelCase> {};

TEST_P(SimTerminalModel, AnswersEachLine)
{
    TerminalModel model;
    for (const Exchange& step : GetParam().script)
        EXPECT_EQ(model.HandleLine(step.line), step.reply + "\r\n") << "line: " << step.line;
}

const std::string kFactoryEth = "QZ_ETH A 192.168.1.100 255.255.255.0 192.168.1.1";
const std::string kFactoryMac = "XP3301 A \"02:5A:C1:00:00:01\"";

const ModelCase kCases[] = {
    {"ProductTypeFactoryValue", {{"QZ_DEVTYPE", "QZ_DEVTYPE A vEdge"}}},
    {"ProductTypeSetThenQuery",
     {{"QZ_DEVTYPE Marlin 3200", "QZ_DEVTYPE A"}, {"QZ_DEVTYPE", "QZ_DEVTYPE A Marlin 3200"}}},
    {"ProductTypeGbkBytesStoredAsReceived",
     {{"QZ_DEVTYPE \xb5\xe7\xd7\xd3\xb3\xd3", "QZ_DEVTYPE A"},
      {"QZ_DEVTYPE", "QZ_DEVTYPE A \xb5\xe7\xd7\xd3\xb3\xd3"}}},
    {"ProductTypeEmptyValueRefused",
     {{"QZ_DEVTYPE ", "QZ_DEVTYPE E"}, {"QZ_DEVTYPE", "QZ_DEVTYPE A vEdge"}}},
    {"UsidSetThenQuery", {{"QZ_USID A12", "QZ_USID A"}, {"QZ_USID", "QZ_USID A A12"}}},
    {"UcidSetThenQueryLeavesUsid",
     {{"QZ_UCID C-77", "QZ_UCID A"}, {"QZ_UCID", "QZ_UCID A C-77"}, {"QZ_USID", "QZ_USID A US000001"}}},

    {"AccessCodeAccepted", {{"XP0000 0958", "XP0000 A"}}},
    {"WrongAccessCodeRefused", {{"XP0000 0959", "XP0000 E"}, {"XP3301", "XP3301 E"}}},
    {"BareAccessKeywordRefused", {{"XP0000", "XP0000 E"}}},
    {"MacQueryNeedsAccess", {{"XP3301", "XP3301 E"}}},
    {"MacQueryAfterAccess", {{"XP0000 0958", "XP0000 A"}, {"XP3301", kFactoryMac}}},
    {"MacSetThenQuery",
     {{"XP0000 0958", "XP0000 A"},
      {"XP3301 \"02:5a:c1:01:02:03\"", "XP3301 A"},
      {"XP0000 0958", "XP0000 A"},
      {"XP3301", "XP3301 A \"02:5a:c1:01:02:03\""}}},
    {"MacSetWithoutAccessChangesNothing",
     {{"XP3301 \"02:5A:C1:01:02:03\"", "XP3301 E"}, {"XP0000 0958", "XP0000 A"}, {"XP3301", kFactoryMac}}},
    {"AccessOpensOnlyTheNextLine",
     {{"XP0000 0958", "XP0000 A"}, {"QZ_DEVTYPE", "QZ_DEVTYPE A vEdge"}, {"XP3301", "XP3301 E"}}},
    {"AccessIsUsedUpByOneLine",
     {{"XP0000 0958", "XP0000 A"}, {"XP3301", kFactoryMac}, {"XP3301", "XP3301 E"}}},
    {"UnknownLineEndsAccess",
     {{"XP0000 0958", "XP0000 A"}, {"hello", "ERR"}, {"XP0701", "XP0701 E"}}},
    {"MacWithoutQuotesRefused",
     {{"XP0000 0958", "XP0000 A"}, {"XP3301 02:5A:C1:01:02:03", "XP3301 E"},
      {"XP0000 0958", "XP0000 A"}, {"XP3301", kFactoryMac}}},
    {"MalformedMacRefused",
     {{"XP0000 0958", "XP0000 A"}, {"XP3301 \"02:5A:C1:01:02\"", "XP3301 E"},
      {"XP0000 0958", "XP0000 A"}, {"XP3301 \"\"", "XP3301 E"},
      {"XP0000 0958", "XP0000 A"}, {"XP3301 \"", "XP3301 E"}}},

    {"NetworkSettingsFactoryValues", {{"QZ_ETH", kFactoryEth}}},
    {"SetIpThenNetworkSettings",
     {{"QZ_SETIP 192.168.1.20", "QZ_SETIP A"},
      {"QZ_ETH", "QZ_ETH A 192.168.1.20 255.255.255.0 192.168.1.1"}}},
    {"SetIpMalformedRefused",
     {{"QZ_SETIP 192.168.1.256", "QZ_SETIP E"}, {"QZ_SETIP 192.168.1", "QZ_SETIP E"},
      {"QZ_ETH", kFactoryEth}}},
    {"SetIpBareRefused", {{"QZ_SETIP", "QZ_SETIP E"}, {"QZ_SETIP ", "QZ_SETIP E"}}},
    {"NetworkQueryWithValueRefused", {{"QZ_ETH 1", "QZ_ETH E"}}},

    {"AdEepromPlainCommand", {{"QZ_EEP", "QZ_EEP A"}}},
    {"AdEepromClearRestoresFactory",
     {{"QZ_DEVTYPE X1", "QZ_DEVTYPE A"}, {"QZ_SETIP 10.0.0.5", "QZ_SETIP A"},
      {"QZ_EEP 43", "QZ_EEP A"}, {"QZ_DEVTYPE", "QZ_DEVTYPE A vEdge"}, {"QZ_ETH", kFactoryEth}}},
    {"AdEepromOtherArgumentRefused",
     {{"QZ_USID Z", "QZ_USID A"}, {"QZ_EEP 44", "QZ_EEP E"}, {"QZ_USID", "QZ_USID A Z"}}},
    {"PrinterUpgrade", {{"QZ_UPPRT", "QZ_UPPRT A"}, {"QZ_UPPRT", "QZ_UPPRT A"}}},
    {"MainEepromClearAfterAccessRestoresFactory",
     {{"QZ_UCID Q", "QZ_UCID A"}, {"XP0000 0958", "XP0000 A"}, {"XP0701", "XP0701 A"},
      {"QZ_UCID", "QZ_UCID A UC000001"}}},
    {"MainEepromClearWithoutAccessRefused",
     {{"QZ_UCID Q", "QZ_UCID A"}, {"XP0701", "XP0701 E"}, {"QZ_UCID", "QZ_UCID A Q"}}},

    {"UnknownKeyword", {{"QZ_FOO", "ERR"}}},
    {"EmptyLine", {{"", "ERR"}}},
    {"KeywordIsCaseSensitive", {{"qz_devtype", "ERR"}}},
    {"KeywordMustStandAlone", {{"QZ_DEVTYPEX", "ERR"}, {"QZ_DEVTYPE\tX", "ERR"}}},
};

INSTANTIATE_TEST_SUITE_P(Script, SimTerminalModel, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

TEST(SimTerminalModelOverlong, AnswersErrAndEndsAccess)
{
    TerminalModel model;
    EXPECT_EQ(model.HandleLine("XP0000 0958"), "XP0000 A\r\n");
    EXPECT_EQ(model.HandleOverlongLine(), "ERR\r\n");
    EXPECT_EQ(model.HandleLine("XP3301"), "XP3301 E\r\n");
}

}  // namespace
