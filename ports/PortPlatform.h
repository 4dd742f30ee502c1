// The narrow interface through which port discovery reaches the system: one
// method per Windows call it makes, with the Windows arguments and results,
// so a Win32 provider is a line per method and other providers (Linux
// sysfs, the in-memory test fake) answer exactly as Windows would, including
// "does not fit" for the caller's buffer sizes.
#pragma once

#include <cstring>

#include "PortPlatformTypes.h"

// The serial-port device interface class, {86E0D1E0-8089-11D0-9CE4-08003E301F73}.
inline constexpr GUID kComPortInterfaceGuid = {
    0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};

// The device setup class "Ports (COM & LPT)", {4D36E978-E325-11CE-BFC1-08002BE10318}.
inline constexpr GUID kPortsSetupClassGuid = {
    0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

inline bool SameGuid(const GUID& a, const GUID& b)
{
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

class IPortPlatform {
public:
    virtual ~IPortPlatform() = default;

    // Version query. Non-zero on success.
    virtual BOOL GetVersionExA(OSVERSIONINFOA* versionInfo) = 0;
    // The code of the call that has just failed (SetupDi calls, version query).
    virtual DWORD GetLastError() = 0;

    // Device setup. INVALID_HANDLE_VALUE when no set could be created.
    virtual HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, const char* enumerator,
                                          HWND parent, DWORD flags) = 0;
    // Zero with ERROR_NO_MORE_ITEMS past the last interface.
    virtual BOOL SetupDiEnumDeviceInterfaces(HDEVINFO deviceInfoSet,
                                             SP_DEVINFO_DATA* deviceInfoData,
                                             const GUID* interfaceClassGuid, DWORD memberIndex,
                                             SP_DEVICE_INTERFACE_DATA* interfaceData) = 0;
    // Zero with ERROR_INSUFFICIENT_BUFFER when the path does not fit detailSize.
    virtual BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO deviceInfoSet,
                                                  SP_DEVICE_INTERFACE_DATA* interfaceData,
                                                  SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail,
                                                  DWORD detailSize, DWORD* requiredSize,
                                                  SP_DEVINFO_DATA* deviceInfoData) = 0;
    // Zero when the property is absent (ERROR_INVALID_DATA) or does not fit
    // bufferSize with its NUL (ERROR_INSUFFICIENT_BUFFER).
    virtual BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO deviceInfoSet,
                                                   SP_DEVINFO_DATA* deviceInfoData, DWORD property,
                                                   DWORD* propertyRegDataType, BYTE* buffer,
                                                   DWORD bufferSize, DWORD* requiredSize) = 0;
    virtual BOOL SetupDiDestroyDeviceInfoList(HDEVINFO deviceInfoSet) = 0;

    // Registry. Each returns ERROR_SUCCESS or the error code itself.
    virtual LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM samDesired,
                               HKEY* result) = 0;
    // nameLength: capacity in characters including the NUL on entry, the
    // name's length without it on success; ERROR_MORE_DATA when it does not fit.
    virtual LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameLength,
                               DWORD* reserved, char* className, DWORD* classLength,
                               FILETIME* lastWriteTime) = 0;
    // dataLength: capacity in bytes on entry, the data's size on success;
    // ERROR_MORE_DATA when the data exceed it.
    virtual LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type,
                                  BYTE* data, DWORD* dataLength) = 0;
    virtual LONG RegCloseKey(HKEY key) = 0;
};
