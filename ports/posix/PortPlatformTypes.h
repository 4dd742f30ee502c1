// The Windows types, constants and records that port discovery exchanges
// with its platform provider, laid out as on 32-bit Windows, so the same
// discovery code runs against the Linux provider and the test fake.
#pragma once

#include <cstddef>
#include <cstdint>

#include "PlatformTypes.h"

using LONG = std::int32_t;
using CHAR = char;
using REGSAM = DWORD;

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

struct HWND__;
using HWND = HWND__*;

// Registry keys are opaque handles; the predefined root has a fixed value.
struct HKEY__;
using HKEY = HKEY__*;
inline HKEY const HKEY_LOCAL_MACHINE =
    reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u));

// A device information set is a handle like any other; INVALID_HANDLE_VALUE
// reports that none was created.
using HDEVINFO = HANDLE;

struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
};

// Reserved is pointer-sized on Windows; 32 bits here keep the 32-bit layout.
struct SP_DEVICE_INTERFACE_DATA {
    DWORD cbSize;
    GUID InterfaceClassGuid;
    DWORD Flags;
    DWORD Reserved;
};

struct SP_DEVINFO_DATA {
    DWORD cbSize;
    GUID ClassGuid;
    DWORD DevInst;
    DWORD Reserved;
};

#pragma pack(push, 1)
struct SP_DEVICE_INTERFACE_DETAIL_DATA_A {
    DWORD cbSize;
    CHAR DevicePath[1];
};
#pragma pack(pop)

static_assert(sizeof(OSVERSIONINFOA) == 148);
static_assert(sizeof(SP_DEVICE_INTERFACE_DATA) == 28);
static_assert(sizeof(SP_DEVINFO_DATA) == 28);
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == 5);
static_assert(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) == 4);

inline constexpr DWORD VER_PLATFORM_WIN32s = 0;
inline constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

inline constexpr DWORD DIGCF_PRESENT = 0x02;
inline constexpr DWORD DIGCF_DEVICEINTERFACE = 0x10;
inline constexpr DWORD SPINT_ACTIVE = 0x01;

inline constexpr DWORD SPDRP_DEVICEDESC = 0x00;
inline constexpr DWORD SPDRP_FRIENDLYNAME = 0x0C;
inline constexpr DWORD SPDRP_LOCATION_INFORMATION = 0x0D;

inline constexpr DWORD REG_SZ = 1;
inline constexpr REGSAM KEY_READ = 0x20019;

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_INVALID_DATA = 13;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_MORE_DATA = 234;
inline constexpr DWORD ERROR_NO_MORE_ITEMS = 259;
inline constexpr DWORD ERROR_INVALID_USER_BUFFER = 1784;
