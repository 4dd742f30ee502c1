// Basic Windows-style types on POSIX systems, so the serial layer reads the
// same on every platform. A port handle is a file descriptor here.
#pragma once

#include <cstdint>

using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using BYTE = std::uint8_t;
using UINT = unsigned int;
using BOOL = int;
using HANDLE = int;

inline constexpr HANDLE INVALID_HANDLE_VALUE = -1;
inline constexpr DWORD MAXDWORD = 0xFFFFFFFFu;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
