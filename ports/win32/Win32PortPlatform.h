// Port discovery's platform on Windows: each method is the system call of
// the same name, made with the caller's arguments.
#pragma once

#include "PortPlatform.h"

class CWin32PortPlatform final : public IPortPlatform {
public:
    BOOL GetVersionExA(OSVERSIONINFOA* versionInfo) override;
    DWORD GetLastError() override;
    HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, const char* enumerator, HWND parent,
                                  DWORD flags) override;
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO deviceInfoSet, SP_DEVINFO_DATA* deviceInfoData,
                                     const GUID* interfaceClassGuid, DWORD memberIndex,
                                     SP_DEVICE_INTERFACE_DATA* interfaceData) override;
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO deviceInfoSet,
                                          SP_DEVICE_INTERFACE_DATA* interfaceData,
                                          SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail,
                                          DWORD detailSize, DWORD* requiredSize,
                                          SP_DEVINFO_DATA* deviceInfoData) override;
    BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO deviceInfoSet, SP_DEVINFO_DATA* deviceInfoData,
                                           DWORD property, DWORD* propertyRegDataType,
                                           BYTE* buffer, DWORD bufferSize,
                                           DWORD* requiredSize) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO deviceInfoSet) override;
    LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM samDesired,
                       HKEY* result) override;
    LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* reserved,
                       char* className, DWORD* classLength, FILETIME* lastWriteTime) override;
    LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type,
                          BYTE* data, DWORD* dataLength) override;
    LONG RegCloseKey(HKEY key) override;
};
