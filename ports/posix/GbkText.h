// Text for the 8-bit code page the port list shows (936, GBK).
#pragma once

#include <string>
#include <string_view>

// UTF-8 as sysfs gives it, converted to GBK. A character GBK lacks, and a
// malformed or cut-off UTF-8 sequence, each become one '?'.
std::string Utf8ToGbk(std::string_view utf8);
