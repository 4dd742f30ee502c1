#include "Win32PortPlatform.h"

// GetVersionExA is marked deprecated in newer SDKs; discovery chooses its
// way by the major version it reports, so it is called all the same.
BOOL CWin32PortPlatform::GetVersionExA(OSVERSIONINFOA* versionInfo)
{
    return ::GetVersionExA(versionInfo);
}

DWORD CWin32PortPlatform::GetLastError()
{
    return ::GetLastError();
}

HDEVINFO CWin32PortPlatform::SetupDiGetClassDevsA(const GUID* classGuid, const char* enumerator,
                                                  HWND parent, DWORD flags)
{
    return ::SetupDiGetClassDevsA(classGuid, enumerator, parent, flags);
}

BOOL CWin32PortPlatform::SetupDiEnumDeviceInterfaces(HDEVINFO deviceInfoSet,
                                                     SP_DEVINFO_DATA* deviceInfoData,
                                                     const GUID* interfaceClassGuid,
                                                     DWORD memberIndex,
                                                     SP_DEVICE_INTERFACE_DATA* interfaceData)
{
    return ::SetupDiEnumDeviceInterfaces(deviceInfoSet, deviceInfoData, interfaceClassGuid,
                                         memberIndex, interfaceData);
}

BOOL CWin32PortPlatform::SetupDiGetDeviceInterfaceDetailA(HDEVINFO deviceInfoSet,
                                                          SP_DEVICE_INTERFACE_DATA* interfaceData,
                                                          SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail,
                                                          DWORD detailSize, DWORD* requiredSize,
                                                          SP_DEVINFO_DATA* deviceInfoData)
{
    return ::SetupDiGetDeviceInterfaceDetailA(deviceInfoSet, interfaceData, detail, detailSize,
                                              requiredSize, deviceInfoData);
}

BOOL CWin32PortPlatform::SetupDiGetDeviceRegistryPropertyA(HDEVINFO deviceInfoSet,
                                                           SP_DEVINFO_DATA* deviceInfoData,
                                                           DWORD property,
                                                           DWORD* propertyRegDataType,
                                                           BYTE* buffer, DWORD bufferSize,
                                                           DWORD* requiredSize)
{
    return ::SetupDiGetDeviceRegistryPropertyA(deviceInfoSet, deviceInfoData, property,
                                               propertyRegDataType, buffer, bufferSize,
                                               requiredSize);
}

BOOL CWin32PortPlatform::SetupDiDestroyDeviceInfoList(HDEVINFO deviceInfoSet)
{
    return ::SetupDiDestroyDeviceInfoList(deviceInfoSet);
}

LONG CWin32PortPlatform::RegOpenKeyExA(HKEY key, const char* subKey, DWORD options,
                                       REGSAM samDesired, HKEY* result)
{
    return ::RegOpenKeyExA(key, subKey, options, samDesired, result);
}

LONG CWin32PortPlatform::RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameLength,
                                       DWORD* reserved, char* className, DWORD* classLength,
                                       FILETIME* lastWriteTime)
{
    return ::RegEnumKeyExA(key, index, name, nameLength, reserved, className, classLength,
                           lastWriteTime);
}

LONG CWin32PortPlatform::RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved,
                                          DWORD* type, BYTE* data, DWORD* dataLength)
{
    return ::RegQueryValueExA(key, valueName, reserved, type, data, dataLength);
}

LONG CWin32PortPlatform::RegCloseKey(HKEY key)
{
    return ::RegCloseKey(key);
}
