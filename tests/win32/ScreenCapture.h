// A picture of part of the screen, saved as PNG, for a person to look at
// after a test of a window.
#pragma once

#include <string>

#include "PlatformTypes.h"

// Writes the screen rectangle to path (a Windows path). Empty on success,
// else what failed.
std::string SaveScreenPng(const RECT& area, const std::string& path);
