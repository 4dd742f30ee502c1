#include "ValueSyntax.h"

#include <cstddef>

namespace {

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsValidOctet(std::string_view part)
{
    if (part.empty() || part.size() > 3)
        return false;
    if (part.size() > 1 && part.front() == '0')
        return false;
    unsigned value = 0;
    for (char c : part) {
        if (!IsDecimalDigit(c))
            return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value <= 255;
}

}  // namespace

bool IsValidMacAddress(std::string_view text)
{
    constexpr std::size_t kLength = 6 * 2 + 5;
    if (text.size() != kLength)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool separatorPosition = i % 3 == 2;
        if (separatorPosition ? text[i] != ':' : !IsHexDigit(text[i]))
            return false;
    }
    return true;
}

bool IsValidIpv4Address(std::string_view text)
{
    for (int part = 0; part < 4; ++part) {
        const std::size_t dot = text.find('.');
        const bool last = part == 3;
        if (last != (dot == std::string_view::npos))
            return false;
        if (!IsValidOctet(text.substr(0, dot)))
            return false;
        text = last ? std::string_view{} : text.substr(dot + 1);
    }
    return true;
}
