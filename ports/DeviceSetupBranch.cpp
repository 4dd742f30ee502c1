#include "PortBranches.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "PortHandles.h"
#include "PortMessages.h"

namespace {

// Text of a buffer the platform filled, up to its first NUL but never past
// the buffer, so an unterminated answer cannot run over it.
std::string BoundedText(const void* buffer, std::size_t capacity)
{
    const char* text = static_cast<const char*>(buffer);
    const void* nul = std::memchr(text, '\0', capacity);
    return std::string(text, nul != nullptr ? static_cast<const char*>(nul) : text + capacity);
}

// A text property, or nothing when the platform cannot give it (absent, or
// longer than the buffer with its NUL).
std::optional<std::string> ReadTextProperty(IPortPlatform& platform, HDEVINFO set,
                                            SP_DEVINFO_DATA& deviceInfo, DWORD property)
{
    std::array<BYTE, kPropertyBufferSize> buffer{};
    if (!platform.SetupDiGetDeviceRegistryPropertyA(set, &deviceInfo, property, nullptr,
                                                    buffer.data(), kPropertyBufferSize, nullptr))
        return std::nullopt;
    return BoundedText(buffer.data(), buffer.size());
}

}  // namespace

void CollectPortsFromDeviceSetup(SerInfoArray& ports, IPortPlatform& platform)
{
    // Released in reverse order on every way out: the detail buffer, then the set.
    const CDeviceInfoSetHandle set(
        platform, platform.SetupDiGetClassDevsA(&kComPortInterfaceGuid, nullptr, nullptr,
                                                DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!set.IsValid())
        ThrowSystemFailure("SetupDiGetClassDevs failed. (err=%lx)", platform.GetLastError());

    // One detail buffer for the whole loop, DWORD-aligned for its size member.
    std::vector<DWORD> detailStorage((kDetailBufferSize + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(detailStorage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);  // 5 on 32-bit Windows
    const char* devicePath =
        reinterpret_cast<const char*>(detailStorage.data()) +
        offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
    const std::size_t devicePathCapacity =
        kDetailBufferSize - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);

    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof(SP_DEVICE_INTERFACE_DATA);

    for (DWORD index = 0;; ++index) {
        if (!platform.SetupDiEnumDeviceInterfaces(set.Get(), nullptr, &kComPortInterfaceGuid,
                                                  index, &interfaceData)) {
            const DWORD error = platform.GetLastError();
            if (error == ERROR_NO_MORE_ITEMS)
                break;
            ThrowSystemFailure("SetupDiEnumDeviceInterfaces failed. (err=%lx)", error);
        }

        SP_DEVINFO_DATA deviceInfo{};
        deviceInfo.cbSize = sizeof(SP_DEVINFO_DATA);
        if (!platform.SetupDiGetDeviceInterfaceDetailA(set.Get(), &interfaceData, detail,
                                                       kDetailBufferSize, nullptr, &deviceInfo))
            ThrowSystemFailure("SetupDiGetDeviceInterfaceDetail failed. (err=%lx)",
                               platform.GetLastError());
        std::string openPath = BoundedText(devicePath, devicePathCapacity);

        // Listed only with both names; the description is not asked for
        // without a friendly name. The location is asked for regardless.
        std::optional<std::string> friendlyName =
            ReadTextProperty(platform, set.Get(), deviceInfo, SPDRP_FRIENDLYNAME);
        std::optional<std::string> description;
        if (friendlyName)
            description = ReadTextProperty(platform, set.Get(), deviceInfo, SPDRP_DEVICEDESC);
        const std::optional<std::string> location =
            ReadTextProperty(platform, set.Get(), deviceInfo, SPDRP_LOCATION_INFORMATION);
        // Exactly "USB" in upper case on the first three bytes.
        const BOOL onUsb = location && location->starts_with("USB") ? TRUE : FALSE;

        if (friendlyName && description)
            ports.push_back(SSerInfo{std::move(openPath), {}, std::move(*friendlyName), onUsb,
                                     std::move(*description)});
    }
}
