// The dialog logic speaks UTF-8; the window system speaks UTF-16. These two
// conversions are the only place where the two meet.
#pragma once

#include <string>
#include <string_view>

#include "PlatformTypes.h"

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The text of a window (an edit control, a combo box's edit field), UTF-8.
std::string WindowTextUtf8(HWND hWnd);
