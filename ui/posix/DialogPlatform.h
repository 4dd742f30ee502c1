// Message-box types, button results and standard control ids, with the
// values of the Windows user interface, for the dialog logic on POSIX.
#pragma once

#include "PlatformTypes.h"

inline constexpr UINT MB_OK = 0x00000000u;
inline constexpr UINT MB_YESNO = 0x00000004u;
inline constexpr UINT MB_ICONQUESTION = 0x00000020u;
inline constexpr UINT MB_ICONEXCLAMATION = 0x00000030u;
inline constexpr UINT MB_TYPEMASK = 0x0000000Fu;
inline constexpr UINT MB_ICONMASK = 0x000000F0u;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
