#include "DeviceRecordSets.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace {

// Handles are small numbers; HDEVINFO is an integer on POSIX, a pointer on Windows.
template <class Handle>
Handle HandleFromNumber(std::size_t number)
{
    if constexpr (std::is_pointer_v<Handle>)
        return reinterpret_cast<Handle>(number);
    else
        return static_cast<Handle>(number);
}

// The interface and device data carry the device's position plus one, so
// that a record nobody filled (zero) is told apart.
std::optional<std::size_t> PositionOf(std::uint64_t token, std::size_t count)
{
    if (token == 0 || token > count)
        return std::nullopt;
    return static_cast<std::size_t>(token - 1);
}

}  // namespace

HDEVINFO CDeviceRecordSets::Create(Snapshot devices)
{
    const HDEVINFO handle = HandleFromNumber<HDEVINFO>(m_nextHandle++);
    m_sets.emplace(handle, std::move(devices));
    return handle;
}

DWORD CDeviceRecordSets::Destroy(HDEVINFO set)
{
    return m_sets.erase(set) == 1 ? 0 : ERROR_INVALID_HANDLE;
}

const std::vector<SDeviceRecord>* CDeviceRecordSets::Find(HDEVINFO set) const
{
    const auto found = m_sets.find(set);
    return found == m_sets.end() ? nullptr : found->second.get();
}

DWORD CDeviceRecordSets::EnumInterface(HDEVINFO set, const GUID* interfaceClassGuid,
                                       DWORD memberIndex,
                                       SP_DEVICE_INTERFACE_DATA* interfaceData) const
{
    const std::vector<SDeviceRecord>* devices = Find(set);
    if (devices == nullptr)
        return ERROR_INVALID_HANDLE;
    if (interfaceData == nullptr || interfaceData->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA))
        return ERROR_INVALID_USER_BUFFER;
    // The sets hold serial-port interfaces only.
    if (interfaceClassGuid == nullptr || !SameGuid(*interfaceClassGuid, kComPortInterfaceGuid) ||
        memberIndex >= devices->size())
        return ERROR_NO_MORE_ITEMS;
    interfaceData->InterfaceClassGuid = kComPortInterfaceGuid;
    interfaceData->Flags = SPINT_ACTIVE;
    interfaceData->Reserved = memberIndex + 1;
    return 0;
}

DWORD CDeviceRecordSets::GetInterfaceDetail(HDEVINFO set,
                                            const SP_DEVICE_INTERFACE_DATA* interfaceData,
                                            SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail,
                                            DWORD detailSize, DWORD* requiredSize,
                                            SP_DEVINFO_DATA* deviceInfoData) const
{
    const std::vector<SDeviceRecord>* devices = Find(set);
    if (devices == nullptr)
        return ERROR_INVALID_HANDLE;
    if (interfaceData == nullptr || interfaceData->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA))
        return ERROR_INVALID_USER_BUFFER;
    const std::optional<std::size_t> position = PositionOf(interfaceData->Reserved, devices->size());
    if (!position)
        return ERROR_INVALID_PARAMETER;
    if (deviceInfoData != nullptr && deviceInfoData->cbSize != sizeof(SP_DEVINFO_DATA))
        return ERROR_INVALID_USER_BUFFER;

    const std::string& path = (*devices)[*position].m_strDevicePath;
    constexpr std::size_t pathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
    const std::size_t needed = pathOffset + path.size() + 1;
    if (requiredSize != nullptr)
        *requiredSize = static_cast<DWORD>(needed);
    if (detail == nullptr && detailSize == 0)
        return ERROR_INSUFFICIENT_BUFFER;  // the size query
    if (detail == nullptr || detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A))
        return ERROR_INVALID_USER_BUFFER;
    if (detailSize < needed)
        return ERROR_INSUFFICIENT_BUFFER;

    char* out = reinterpret_cast<char*>(detail) + pathOffset;
    std::memcpy(out, path.c_str(), path.size() + 1);
    if (deviceInfoData != nullptr) {
        deviceInfoData->ClassGuid = kPortsSetupClassGuid;
        deviceInfoData->DevInst = static_cast<DWORD>(*position + 1);
    }
    return 0;
}

DWORD CDeviceRecordSets::GetProperty(HDEVINFO set, const SP_DEVINFO_DATA* deviceInfoData,
                                     DWORD property, DWORD* propertyRegDataType, BYTE* buffer,
                                     DWORD bufferSize, DWORD* requiredSize) const
{
    const std::vector<SDeviceRecord>* devices = Find(set);
    if (devices == nullptr)
        return ERROR_INVALID_HANDLE;
    if (deviceInfoData == nullptr || deviceInfoData->cbSize != sizeof(SP_DEVINFO_DATA))
        return ERROR_INVALID_USER_BUFFER;
    const std::optional<std::size_t> position = PositionOf(deviceInfoData->DevInst, devices->size());
    if (!position)
        return ERROR_INVALID_PARAMETER;

    const SDeviceRecord& device = (*devices)[*position];
    const std::optional<std::string>* value = nullptr;
    switch (property) {
    case SPDRP_FRIENDLYNAME:
        value = &device.m_strFriendlyName;
        break;
    case SPDRP_DEVICEDESC:
        value = &device.m_strDescription;
        break;
    case SPDRP_LOCATION_INFORMATION:
        value = &device.m_strLocation;
        break;
    default:
        break;
    }
    if (value == nullptr || !value->has_value())
        return ERROR_INVALID_DATA;  // what the system answers for an absent property

    const std::string& text = **value;
    if (requiredSize != nullptr)
        *requiredSize = static_cast<DWORD>(text.size() + 1);
    if (propertyRegDataType != nullptr)
        *propertyRegDataType = REG_SZ;
    if (buffer == nullptr || text.size() + 1 > bufferSize)
        return ERROR_INSUFFICIENT_BUFFER;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return 0;
}
