// Syntax checks for the values the terminal refuses when malformed.
#pragma once

#include <string_view>

// Six octets of two hex digits each, joined by ':' ("02:5A:C1:00:00:01");
// either letter case.
bool IsValidMacAddress(std::string_view text);

// Dotted decimal a.b.c.d, each part 0-255 without leading zeros (a part such
// as "010" would read as octal to some tools, so it is refused, not guessed).
bool IsValidIpv4Address(std::string_view text);
