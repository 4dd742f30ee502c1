#include "DeviceLink.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "SerialException.h"

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kAccessLine = "XP0000 0958";

// Blanks (0x20 only) off both ends; tabs and line ends stay.
std::string TrimBlanks(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string FormatParam(const std::string& value)
{
    std::string trimmed = TrimBlanks(value);
    return trimmed.empty() ? std::string() : " " + trimmed;
}

// atoi's reading of a number (leading white space, optional sign, digits up
// to the first other character, 0 without digits), saturating instead of
// overflowing so that a long run of digits cannot wrap into a small number.
long long ReadPortNumber(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < LLONG_MAX / 10)
            value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

}  // namespace

CDeviceLink::CDeviceLink() : CDeviceLink(SystemSerialOs()) {}

CDeviceLink::CDeviceLink(ISerialOs& os, ReplyHeap heap) : m_port(os), m_replyHeap(heap) {}

void CDeviceLink::SetPort(std::string port)
{
    m_strPort = std::move(port);
}

void CDeviceLink::SetProductType(std::string value)
{
    m_strProductTypeParam = FormatParam(value);
}

void CDeviceLink::SetMac(std::string value)
{
    const std::string trimmed = TrimBlanks(value);
    m_strMacParam = trimmed.empty() ? std::string() : " \"" + trimmed + "\"";
}

void CDeviceLink::SetIp(std::string value)
{
    m_strIpParam = FormatParam(value);
}

void CDeviceLink::SetUsid(std::string value)
{
    m_strUsidParam = FormatParam(value);
}

void CDeviceLink::SetUcid(std::string value)
{
    m_strUcidParam = FormatParam(value);
}

std::vector<std::string> CDeviceLink::CommandLines(DeviceOperation op) const
{
    std::vector<std::string> commands;
    switch (op) {
    case ProductType:
        commands = {"QZ_DEVTYPE" + m_strProductTypeParam};
        break;
    case MacAddress:
        commands = {kAccessLine, "XP3301" + m_strMacParam};
        break;
    case IpAddress:
        commands = {m_bRead ? std::string("QZ_ETH") : "QZ_SETIP" + m_strIpParam};
        break;
    case Usid:
        commands = {"QZ_USID" + m_strUsidParam};
        break;
    case Ucid:
        commands = {"QZ_UCID" + m_strUcidParam};
        break;
    case ClearAdEeprom:
        commands = {m_bRead ? "QZ_EEP" : "QZ_EEP 43"};
        break;
    case UpgradePrinterDriver:
        commands = {"QZ_UPPRT", "QZ_UPPRT"};
        break;
    case ClearMainEeprom:
        commands = {kAccessLine, "XP0701"};
        break;
    }
    for (std::string& line : commands)
        line += kCrLf;
    return commands;
}

bool CDeviceLink::FormatPortPath(const std::string& port, char (&path)[12])
{
    const long long number = ReadPortNumber(port);
    if (number < INT_MIN || number > INT_MAX)
        return false;
    const int written = std::snprintf(path, sizeof path, "\\\\.\\COM%d", static_cast<int>(number));
    return written > 0 && static_cast<std::size_t>(written) < sizeof path;
}

BOOL CDeviceLink::Execute(DeviceOperation op, char** ppReply)
{
    std::vector<std::string> lines = CommandLines(op);
    char path[12] = {};
    const bool pathFits = FormatPortPath(m_strPort, path);

    // One buffer per run reaches the caller: an unknown operation or a port
    // number that does not fit the path still gets one, with FALSE.
    const std::size_t steps = lines.empty() ? 1 : lines.size();
    char* ownBuffer = nullptr;
    for (std::size_t step = 0; step < steps; ++step) {
        char* reply = static_cast<char*>(m_replyHeap.allocate(kReplyBufferSize));
        // Only the newest buffer of this run reaches the caller.
        if (ownBuffer != nullptr)
            m_replyHeap.release(ownBuffer);
        ownBuffer = reply;
        *ppReply = reply;
        if (reply == nullptr)
            return FALSE;
        std::memset(reply, 0, kReplyBufferSize);

        if (lines.empty() || !pathFits)
            return FALSE;
        const std::string& line = lines[step];
        try {
            m_port.Exchange(path, line.data(), static_cast<DWORD>(line.size()), reply,
                            static_cast<DWORD>(kReplyReadSize));
        } catch (const CSerialException&) {
            // Do not keep the port held exclusively after a failure.
            m_port.Close();
            return FALSE;
        }
    }
    return TRUE;
}
