// Port discovery's platform on Linux: an NT system of major version 10, so
// discovery takes the device-setup way, whose device list comes from sysfs
// and the port-link directory. There is no registry here.
#pragma once

#include <string>

#include "DeviceRecordSets.h"
#include "PortPlatform.h"

class CLinuxPortPlatform : public IPortPlatform {
public:
    explicit CLinuxPortPlatform(std::string sysfsRoot = "/sys", std::string devRoot = "/dev");

    BOOL GetVersionExA(OSVERSIONINFOA* versionInfo) override;
    DWORD GetLastError() override { return m_dwLastError; }
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

private:
    BOOL Result(DWORD code);

    std::string m_strSysfsRoot;
    std::string m_strDevRoot;
    CDeviceRecordSets m_sets;
    DWORD m_dwLastError = 0;
};
