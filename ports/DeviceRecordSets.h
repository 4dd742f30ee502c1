// Answers the device-setup calls from lists of device records held in
// memory, exactly as SetupAPI answers them: the Linux provider fills the
// records from sysfs, the test fake from what a test gives it. Each method
// returns 0 on success or the Windows error code the caller reports through
// GetLastError.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "PortPlatform.h"

// One device exposing the serial-port interface. A property without a value
// cannot be read.
struct SDeviceRecord {
    std::string m_strDevicePath;
    std::optional<std::string> m_strFriendlyName;
    std::optional<std::string> m_strDescription;
    std::optional<std::string> m_strLocation;

    bool operator==(const SDeviceRecord&) const = default;
};

class CDeviceRecordSets {
public:
    using Snapshot = std::shared_ptr<const std::vector<SDeviceRecord>>;

    // A new set holding these devices, in this order. Sets may share one
    // snapshot; nobody changes it once it is taken.
    HDEVINFO Create(Snapshot devices);
    DWORD Destroy(HDEVINFO set);

    DWORD EnumInterface(HDEVINFO set, const GUID* interfaceClassGuid, DWORD memberIndex,
                        SP_DEVICE_INTERFACE_DATA* interfaceData) const;
    DWORD GetInterfaceDetail(HDEVINFO set, const SP_DEVICE_INTERFACE_DATA* interfaceData,
                             SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD detailSize,
                             DWORD* requiredSize, SP_DEVINFO_DATA* deviceInfoData) const;
    DWORD GetProperty(HDEVINFO set, const SP_DEVINFO_DATA* deviceInfoData, DWORD property,
                      DWORD* propertyRegDataType, BYTE* buffer, DWORD bufferSize,
                      DWORD* requiredSize) const;

    // Sets created and not yet destroyed.
    std::size_t OpenCount() const { return m_sets.size(); }

private:
    const std::vector<SDeviceRecord>* Find(HDEVINFO set) const;

    std::map<HDEVINFO, Snapshot> m_sets;
    std::size_t m_nextHandle = 1;
};
