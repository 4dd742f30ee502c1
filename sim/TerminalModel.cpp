#include "TerminalModel.h"

#include "ValueSyntax.h"

namespace {

constexpr std::string_view kAccessCode = "0958";
constexpr std::string_view kClearAdEepromArgument = "43";
constexpr std::string_view kUnknownLineReply = "ERR\r\n";

std::string Accepted(std::string_view keyword)
{
    return std::string(keyword) + " A\r\n";
}

std::string AcceptedWith(std::string_view keyword, std::string_view value)
{
    return std::string(keyword) + " A " + std::string(value) + "\r\n";
}

std::string Refused(std::string_view keyword)
{
    return std::string(keyword) + " E\r\n";
}

// A bare keyword queries; "keyword value" sets. An empty value ("keyword "
// with nothing after the blank) is neither, and is refused.
std::string QueryOrSetText(std::string_view keyword, std::optional<std::string_view> argument,
                           std::string& stored)
{
    if (!argument)
        return AcceptedWith(keyword, stored);
    if (argument->empty())
        return Refused(keyword);
    stored = std::string(*argument);
    return Accepted(keyword);
}

}  // namespace

std::string TerminalModel::HandleLine(std::string_view line)
{
    using Handler = std::string (TerminalModel::*)(std::string_view, Argument);
    struct Command {
        std::string_view keyword;
        bool needsAccess;
        Handler handler;
    };
    static constexpr Command kCommands[] = {
        {"QZ_DEVTYPE", false, &TerminalModel::ProductType},
        {"XP0000", false, &TerminalModel::Access},
        {"XP3301", true, &TerminalModel::MacAddress},
        {"QZ_ETH", false, &TerminalModel::NetworkSettings},
        {"QZ_SETIP", false, &TerminalModel::SetIpAddress},
        {"QZ_USID", false, &TerminalModel::Usid},
        {"QZ_UCID", false, &TerminalModel::Ucid},
        {"QZ_EEP", false, &TerminalModel::AdEeprom},
        {"QZ_UPPRT", false, &TerminalModel::UpgradePrinter},
        {"XP0701", true, &TerminalModel::ClearMainEeprom},
    };

    const bool accessGranted = m_accessGranted;
    m_accessGranted = false;

    const std::size_t blank = line.find(' ');
    const std::string_view keyword = line.substr(0, blank);
    const Argument argument =
        blank == std::string_view::npos ? Argument{} : Argument{line.substr(blank + 1)};

    for (const Command& command : kCommands) {
        if (command.keyword != keyword)
            continue;
        if (command.needsAccess && !accessGranted)
            return Refused(keyword);
        return (this->*command.handler)(keyword, argument);
    }
    return std::string(kUnknownLineReply);
}

std::string TerminalModel::HandleOverlongLine()
{
    m_accessGranted = false;
    return std::string(kUnknownLineReply);
}

std::string TerminalModel::ProductType(std::string_view keyword, Argument argument)
{
    return QueryOrSetText(keyword, argument, m_settings.productType);
}

std::string TerminalModel::Access(std::string_view keyword, Argument argument)
{
    if (argument != kAccessCode)
        return Refused(keyword);
    m_accessGranted = true;
    return Accepted(keyword);
}

std::string TerminalModel::MacAddress(std::string_view keyword, Argument argument)
{
    if (!argument)
        return AcceptedWith(keyword, "\"" + m_settings.mac + "\"");
    // The address travels in double quotes: XP3301 "02:5A:C1:01:02:03".
    const std::string_view quoted = *argument;
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"')
        return Refused(keyword);
    const std::string_view mac = quoted.substr(1, quoted.size() - 2);
    if (!IsValidMacAddress(mac))
        return Refused(keyword);
    m_settings.mac = std::string(mac);
    return Accepted(keyword);
}

std::string TerminalModel::NetworkSettings(std::string_view keyword, Argument argument)
{
    if (argument)
        return Refused(keyword);
    return AcceptedWith(keyword,
                        m_settings.ipAddress + " " + m_settings.netmask + " " + m_settings.gateway);
}

std::string TerminalModel::SetIpAddress(std::string_view keyword, Argument argument)
{
    if (!argument || !IsValidIpv4Address(*argument))
        return Refused(keyword);
    m_settings.ipAddress = std::string(*argument);
    return Accepted(keyword);
}

std::string TerminalModel::Usid(std::string_view keyword, Argument argument)
{
    return QueryOrSetText(keyword, argument, m_settings.usid);
}

std::string TerminalModel::Ucid(std::string_view keyword, Argument argument)
{
    return QueryOrSetText(keyword, argument, m_settings.ucid);
}

std::string TerminalModel::AdEeprom(std::string_view keyword, Argument argument)
{
    if (!argument)
        return Accepted(keyword);
    if (*argument != kClearAdEepromArgument)
        return Refused(keyword);
    m_settings = FactorySettings();
    return Accepted(keyword);
}

std::string TerminalModel::UpgradePrinter(std::string_view keyword, Argument argument)
{
    return argument ? Refused(keyword) : Accepted(keyword);
}

std::string TerminalModel::ClearMainEeprom(std::string_view keyword, Argument argument)
{
    if (argument)
        return Refused(keyword);
    m_settings = FactorySettings();
    return Accepted(keyword);
}
