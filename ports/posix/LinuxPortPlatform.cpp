#include "LinuxPortPlatform.h"

#include "ComPortNames.h"
#include "SysfsSerialScan.h"

CLinuxPortPlatform::CLinuxPortPlatform(std::string sysfsRoot, std::string devRoot)
    : m_strSysfsRoot(std::move(sysfsRoot)), m_strDevRoot(std::move(devRoot))
{
}

BOOL CLinuxPortPlatform::Result(DWORD code)
{
    m_dwLastError = code;
    return code == 0 ? TRUE : FALSE;
}

BOOL CLinuxPortPlatform::GetVersionExA(OSVERSIONINFOA* versionInfo)
{
    if (versionInfo == nullptr || versionInfo->dwOSVersionInfoSize < sizeof(OSVERSIONINFOA))
        return Result(ERROR_INSUFFICIENT_BUFFER);
    versionInfo->dwMajorVersion = 10;
    versionInfo->dwMinorVersion = 0;
    versionInfo->dwBuildNumber = 0;
    versionInfo->dwPlatformId = VER_PLATFORM_WIN32_NT;
    versionInfo->szCSDVersion[0] = '\0';
    return Result(0);
}

HDEVINFO CLinuxPortPlatform::SetupDiGetClassDevsA(const GUID* classGuid,
                                                  const char* /*enumerator*/, HWND /*parent*/,
                                                  DWORD flags)
{
    // A snapshot taken now, as the system takes one when the set is made.
    const bool asksForPorts = classGuid != nullptr && SameGuid(*classGuid, kComPortInterfaceGuid) &&
                              (flags & DIGCF_DEVICEINTERFACE) != 0;
    auto devices = std::make_shared<std::vector<SDeviceRecord>>();
    if (asksForPorts)
        *devices = ScanSerialDevices(m_strSysfsRoot, m_strDevRoot, comnames::PortLinkDirectory());
    Result(0);
    return m_sets.Create(std::move(devices));
}

BOOL CLinuxPortPlatform::SetupDiEnumDeviceInterfaces(HDEVINFO deviceInfoSet,
                                                     SP_DEVINFO_DATA* /*deviceInfoData*/,
                                                     const GUID* interfaceClassGuid,
                                                     DWORD memberIndex,
                                                     SP_DEVICE_INTERFACE_DATA* interfaceData)
{
    return Result(m_sets.EnumInterface(deviceInfoSet, interfaceClassGuid, memberIndex, interfaceData));
}

BOOL CLinuxPortPlatform::SetupDiGetDeviceInterfaceDetailA(HDEVINFO deviceInfoSet,
                                                          SP_DEVICE_INTERFACE_DATA* interfaceData,
                                                          SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail,
                                                          DWORD detailSize, DWORD* requiredSize,
                                                          SP_DEVINFO_DATA* deviceInfoData)
{
    return Result(m_sets.GetInterfaceDetail(deviceInfoSet, interfaceData, detail, detailSize,
                                            requiredSize, deviceInfoData));
}

BOOL CLinuxPortPlatform::SetupDiGetDeviceRegistryPropertyA(HDEVINFO deviceInfoSet,
                                                           SP_DEVINFO_DATA* deviceInfoData,
                                                           DWORD property,
                                                           DWORD* propertyRegDataType,
                                                           BYTE* buffer, DWORD bufferSize,
                                                           DWORD* requiredSize)
{
    return Result(m_sets.GetProperty(deviceInfoSet, deviceInfoData, property, propertyRegDataType,
                                     buffer, bufferSize, requiredSize));
}

BOOL CLinuxPortPlatform::SetupDiDestroyDeviceInfoList(HDEVINFO deviceInfoSet)
{
    return Result(m_sets.Destroy(deviceInfoSet));
}

// No registry: no key below the root exists, and the root has no subkeys.
LONG CLinuxPortPlatform::RegOpenKeyExA(HKEY key, const char* /*subKey*/, DWORD /*options*/,
                                       REGSAM /*samDesired*/, HKEY* /*result*/)
{
    return key == HKEY_LOCAL_MACHINE ? static_cast<LONG>(ERROR_FILE_NOT_FOUND)
                                     : static_cast<LONG>(ERROR_INVALID_HANDLE);
}

LONG CLinuxPortPlatform::RegEnumKeyExA(HKEY key, DWORD /*index*/, char* /*name*/,
                                       DWORD* /*nameLength*/, DWORD* /*reserved*/,
                                       char* /*className*/, DWORD* /*classLength*/,
                                       FILETIME* /*lastWriteTime*/)
{
    return key == HKEY_LOCAL_MACHINE ? static_cast<LONG>(ERROR_NO_MORE_ITEMS)
                                     : static_cast<LONG>(ERROR_INVALID_HANDLE);
}

LONG CLinuxPortPlatform::RegQueryValueExA(HKEY key, const char* /*valueName*/, DWORD* /*reserved*/,
                                          DWORD* /*type*/, BYTE* /*data*/, DWORD* /*dataLength*/)
{
    return key == HKEY_LOCAL_MACHINE ? static_cast<LONG>(ERROR_FILE_NOT_FOUND)
                                     : static_cast<LONG>(ERROR_INVALID_HANDLE);
}

LONG CLinuxPortPlatform::RegCloseKey(HKEY key)
{
    return key == HKEY_LOCAL_MACHINE ? ERROR_SUCCESS : static_cast<LONG>(ERROR_INVALID_HANDLE);
}
