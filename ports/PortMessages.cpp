#include "PortMessages.h"

#include <cstdio>
#include <cstring>
#include <vector>

void ThrowSystemFailure(const char* format, DWORD code)
{
    // The code takes at most 8 hex digits; the format is one of our own texts.
    std::vector<char> text(std::strlen(format) + 16);
    std::snprintf(text.data(), text.size(), format, static_cast<unsigned long>(code));
    throw std::string(text.data());
}

void ThrowFailure(std::string message)
{
    throw message;
}
