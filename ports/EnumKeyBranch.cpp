#include "PortBranches.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "PortHandles.h"
#include "PortMessages.h"

namespace {

// The name of the subkey at index, or nothing. Any failure, the end of the
// list or a name too long for the buffer alike, ends the level.
std::optional<std::string> SubkeyName(IPortPlatform& platform, HKEY key, DWORD index)
{
    std::array<char, kKeyNameCapacity> name{};
    DWORD length = kKeyNameCapacity;
    if (platform.RegEnumKeyExA(key, index, name.data(), &length, nullptr, nullptr, nullptr,
                               nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(name.data(), std::min<DWORD>(length, kKeyNameCapacity - 1));
}

// The key opened for reading, or nothing.
std::optional<HKEY> OpenForReading(IPortPlatform& platform, HKEY parent, const std::string& name)
{
    HKEY key = nullptr;
    if (platform.RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    return key;
}

// A value's text up to its first NUL, within the bytes the registry gave
// (a value stored without a NUL ends where its data end), or nothing when
// it is missing or longer than the buffer. Its registry type is not examined.
std::optional<std::string> QueryText(IPortPlatform& platform, HKEY key, const char* valueName)
{
    std::array<BYTE, kValueBufferSize> data{};
    DWORD size = kValueBufferSize;
    if (platform.RegQueryValueExA(key, valueName, nullptr, nullptr, data.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    const char* text = reinterpret_cast<const char*>(data.data());
    const char* end = text + std::min<DWORD>(size, kValueBufferSize);
    return std::string(text, std::find(text, end, '\0'));
}

bool IsSerialPortDeviceKey(const std::string& name)
{
    return name == "*PNP0500" || name == "*PNP0501";
}

}  // namespace

void CollectPortsFromEnumKey(SerInfoArray& ports, IPortPlatform& platform)
{
    const std::optional<HKEY> enumRaw = OpenForReading(platform, HKEY_LOCAL_MACHINE, "Enum");
    if (!enumRaw)
        ThrowFailure("Could not read from HKLM\\Enum");
    const CRegistryKeyHandle enumKey(platform, *enumRaw);

    for (DWORD i = 0;; ++i) {
        const std::optional<std::string> enumeratorName = SubkeyName(platform, enumKey.Get(), i);
        if (!enumeratorName)
            break;
        const std::optional<HKEY> enumeratorRaw =
            OpenForReading(platform, enumKey.Get(), *enumeratorName);
        if (!enumeratorRaw)
            ThrowFailure("Could not read from HKLM\\Enum\\" + *enumeratorName);
        const CRegistryKeyHandle enumeratorKey(platform, *enumeratorRaw);

        // Below USBPORTS every device key is a port, whatever its name.
        const bool usbPorts = *enumeratorName == "USBPORTS";
        for (DWORD j = 0;; ++j) {
            const std::optional<std::string> deviceName =
                SubkeyName(platform, enumeratorKey.Get(), j);
            if (!deviceName)
                break;
            if (!usbPorts && !IsSerialPortDeviceKey(*deviceName))
                continue;
            const std::optional<HKEY> deviceRaw =
                OpenForReading(platform, enumeratorKey.Get(), *deviceName);
            if (!deviceRaw)
                ThrowFailure("Could not read from HKLM\\Enum\\" + *enumeratorName + "\\" +
                             *deviceName);
            const CRegistryKeyHandle deviceKey(platform, *deviceRaw);
            ReadEnumPortInstances(deviceKey.Get(), usbPorts ? TRUE : FALSE, ports, platform);
        }
    }
}

void ReadEnumPortInstances(HKEY deviceKey, BOOL bOnUsb, SerInfoArray& ports,
                           IPortPlatform& platform)
{
    for (DWORD k = 0;; ++k) {
        const std::optional<std::string> instanceName = SubkeyName(platform, deviceKey, k);
        if (!instanceName)
            break;
        const std::optional<HKEY> instanceRaw = OpenForReading(platform, deviceKey, *instanceName);
        if (!instanceRaw)
            ThrowFailure("Could not read from HKLM\\Enum\\...\\" + *instanceName);
        const CRegistryKeyHandle instanceKey(platform, *instanceRaw);

        const std::optional<std::string> comName = QueryText(platform, instanceKey.Get(), "PORTNAME");
        if (!comName)
            continue;
        SSerInfo record{"\\\\.\\" + *comName, *comName,
                        QueryText(platform, instanceKey.Get(), "FRIENDLYNAME").value_or(""),
                        bOnUsb, {}};

        // One record per COM name (exact, case-sensitive): a later instance
        // overwrites the earlier record in place.
        const auto same = std::find_if(ports.begin(), ports.end(), [&](const SSerInfo& port) {
            return port.m_strComName == record.m_strComName;
        });
        if (same != ports.end())
            *same = std::move(record);
        else
            ports.push_back(std::move(record));
    }
}
