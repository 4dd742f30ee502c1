// The weighing terminal's side of the command set: one received line in, the
// reply bytes out. Pure: no I/O, no clock, so it can be driven by tests and
// by a fuzzer alike.
//
// Replies end in CR LF: "<keyword> A" on success ("<keyword> A <value>" for
// a query), "<keyword> E" on refusal, "ERR" for a line it does not know.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "TerminalSettings.h"

class TerminalModel {
public:
    // A received line without its CR LF; any bytes (values may be GBK text
    // and are stored as received). Returns the reply, CR LF included.
    std::string HandleLine(std::string_view line);

    // A line too long to keep was dropped; it still counts as a line
    // received (it ends a granted access step).
    std::string HandleOverlongLine();

    const TerminalSettings& Settings() const { return m_settings; }

private:
    using Argument = std::optional<std::string_view>;

    std::string ProductType(std::string_view keyword, Argument argument);
    std::string Access(std::string_view keyword, Argument argument);
    std::string MacAddress(std::string_view keyword, Argument argument);
    std::string NetworkSettings(std::string_view keyword, Argument argument);
    std::string SetIpAddress(std::string_view keyword, Argument argument);
    std::string Usid(std::string_view keyword, Argument argument);
    std::string Ucid(std::string_view keyword, Argument argument);
    std::string AdEeprom(std::string_view keyword, Argument argument);
    std::string UpgradePrinter(std::string_view keyword, Argument argument);
    std::string ClearMainEeprom(std::string_view keyword, Argument argument);

    TerminalSettings m_settings = FactorySettings();
    // Set only by the access line; every other line clears it, so the access
    // step opens exactly the one line received right after it.
    bool m_accessGranted = false;
};
