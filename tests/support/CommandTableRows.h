// Every row of the terminal's command table in both directions, for the
// suites that run the device link against the simulator (over a pty on
// Linux, over a COM port of Wine): the lines on the wire, without CR LF, and
// how the simulator's answer to the last one begins.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "DeviceLink.h"

struct SCommandTableRow {
    const char* name;
    DeviceOperation op;
    bool read;
    std::vector<std::string> wire;
    const char* replyStart;
};

inline void PrintTo(const SCommandTableRow& row, std::ostream* os)
{
    *os << row.name;
}

inline const std::vector<SCommandTableRow>& CommandTableRows()
{
    static const std::vector<SCommandTableRow> rows{
        {"ProductTypeRead", ProductType, true, {"QZ_DEVTYPE"}, "QZ_DEVTYPE A "},
        {"ProductTypeWrite", ProductType, false, {"QZ_DEVTYPE Marlin 3200"}, "QZ_DEVTYPE A"},
        {"MacRead", MacAddress, true, {"XP0000 0958", "XP3301"}, "XP3301 A \"02:5A:C1:"},
        {"MacWrite", MacAddress, false, {"XP0000 0958", "XP3301 \"02:5A:C1:01:02:03\""}, "XP3301 A"},
        {"IpRead", IpAddress, true, {"QZ_ETH"}, "QZ_ETH A "},
        {"IpWrite", IpAddress, false, {"QZ_SETIP 192.168.1.20"}, "QZ_SETIP A"},
        {"UsidRead", Usid, true, {"QZ_USID"}, "QZ_USID A"},
        {"UsidWrite", Usid, false, {"QZ_USID A12"}, "QZ_USID A"},
        {"UcidRead", Ucid, true, {"QZ_UCID"}, "QZ_UCID A"},
        {"UcidWrite", Ucid, false, {"QZ_UCID C7"}, "QZ_UCID A"},
        {"ClearAdEepromRead", ClearAdEeprom, true, {"QZ_EEP"}, "QZ_EEP A"},
        {"ClearAdEepromWrite", ClearAdEeprom, false, {"QZ_EEP 43"}, "QZ_EEP A"},
        {"UpgradePrinterRead", UpgradePrinterDriver, true, {"QZ_UPPRT", "QZ_UPPRT"}, "QZ_UPPRT A"},
        {"UpgradePrinterWrite", UpgradePrinterDriver, false, {"QZ_UPPRT", "QZ_UPPRT"}, "QZ_UPPRT A"},
        {"ClearMainEepromRead", ClearMainEeprom, true, {"XP0000 0958", "XP0701"}, "XP0701 A"},
        {"ClearMainEepromWrite", ClearMainEeprom, false, {"XP0000 0958", "XP0701"}, "XP0701 A"},
    };
    return rows;
}

// Loads the link as the dialog does before a run: the direction, the
// operation's value on a Write and an empty text on a Read (the IP address
// only matters to an IP Write).
inline void LoadRowParameters(CDeviceLink& link, const SCommandTableRow& row)
{
    const std::string none;
    link.m_bRead = row.read;
    link.SetProductType(row.read ? none : "Marlin 3200");
    link.SetMac(row.read ? none : "02:5A:C1:01:02:03");
    link.SetIp("192.168.1.20");
    link.SetUsid(row.read ? none : "A12");
    link.SetUcid(row.read ? none : "C7");
}

// The rows' lines as they go on the wire.
inline std::vector<std::string> WireLinesOf(const SCommandTableRow& row)
{
    std::vector<std::string> lines;
    for (const std::string& line : row.wire)
        lines.push_back(line + "\r\n");
    return lines;
}
