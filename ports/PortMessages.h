// Failure messages of port discovery. They are thrown as the text itself,
// a std::string value; where a system call failed the text ends in
// "(err=<code in lower-case hex>)".
#pragma once

#include <string>

#include "PortPlatformTypes.h"

// format holds one "%lx", which receives the code.
[[noreturn]] void ThrowSystemFailure(const char* format, DWORD code);
[[noreturn]] void ThrowFailure(std::string message);
