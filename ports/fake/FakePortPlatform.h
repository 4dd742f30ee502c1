// An in-memory system for port discovery tests: a version, a list of
// devices with their properties (each readable or not, any length), a
// registry tree, and any call made to fail with a chosen code. It answers
// as Windows would for the buffer sizes it is given, and it counts the sets
// and keys opened and released so tests can prove nothing leaks.
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "DeviceRecordSets.h"
#include "PortPlatform.h"

enum class PortCall {
    GetVersionEx,
    SetupDiGetClassDevs,
    SetupDiEnumDeviceInterfaces,
    SetupDiGetDeviceInterfaceDetail,
    SetupDiGetDeviceRegistryProperty,
    RegOpenKeyEx,
    RegEnumKeyEx,
    RegQueryValueEx,
};
inline constexpr std::size_t kPortCallKinds = static_cast<std::size_t>(PortCall::RegQueryValueEx) + 1;

class CFakePortPlatform : public IPortPlatform {
public:
    CFakePortPlatform();
    ~CFakePortPlatform() override;

    // The system: Windows 10 on NT until a test says otherwise.
    void SetVersion(DWORD majorVersion, DWORD platformId);
    // Devices of the serial-port interface class, in enumeration order.
    void AddDevice(SDeviceRecord device);

    // Registry, below HKEY_LOCAL_MACHINE; paths such as "Enum\\Root\\*PNP0501\\0000".
    // Keys are created with their parents and enumerate in creation order.
    void AddKey(const std::string& path);
    // A text value stored as the registry stores REG_SZ: the text and its NUL.
    void SetTextValue(const std::string& keyPath, const std::string& name, const std::string& text);
    // Value data stored byte for byte (no NUL added).
    void SetValueBytes(const std::string& keyPath, const std::string& name, const std::string& bytes);
    // Opening this key fails with the code (such as ERROR_ACCESS_DENIED).
    void SetOpenError(const std::string& keyPath, LONG code);

    // One use of the call fails with the code: occurrence 0 is its first use,
    // 1 the second, and so on. Other uses answer normally.
    void FailCall(PortCall call, DWORD code, unsigned occurrence = 0);

    // Sets and keys opened and not released, and releases of handles that
    // were not open (double release, a key never opened).
    std::size_t OpenHandles() const;
    std::size_t BadReleases() const { return m_nBadReleases; }

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
    struct SRegistryNode;

    // The injected failure code for this use of the call, or 0.
    DWORD InjectedFailure(PortCall call);
    BOOL Fail(DWORD code);
    SRegistryNode& NodeAt(const std::string& path);
    SRegistryNode* OpenNode(HKEY key) const;

    DWORD m_dwMajorVersion = 10;
    DWORD m_dwPlatformId = VER_PLATFORM_WIN32_NT;
    DWORD m_dwLastError = 0;
    std::vector<SDeviceRecord> m_devices;
    CDeviceRecordSets::Snapshot m_snapshot;  // of m_devices, taken at the first set
    CDeviceRecordSets m_sets;

    std::unique_ptr<SRegistryNode> m_root;
    std::map<HKEY, SRegistryNode*> m_openKeys;
    std::size_t m_nextKey = 0x1000;
    std::size_t m_nBadReleases = 0;

    struct SFailure {
        DWORD code;
        unsigned occurrence;
    };
    std::multimap<PortCall, SFailure> m_failures;
    std::array<unsigned, kPortCallKinds> m_callCounts{};
};
