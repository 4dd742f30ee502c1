#include "FakePortPlatform.h"

#include <algorithm>
#include <cctype>
#include <cstring>

struct CFakePortPlatform::SRegistryNode {
    std::string name;
    LONG openError = ERROR_SUCCESS;
    std::vector<std::unique_ptr<SRegistryNode>> children;  // in creation order
    std::vector<std::pair<std::string, std::string>> values;
};

namespace {

// Registry names compare without regard to ASCII case, as Windows does.
bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<std::string> SplitPath(const std::string& path)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start <= path.size()) {
        const std::string::size_type end = std::min(path.find('\\', start), path.size());
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

CFakePortPlatform::CFakePortPlatform() : m_root(std::make_unique<SRegistryNode>()) {}

CFakePortPlatform::~CFakePortPlatform() = default;

void CFakePortPlatform::SetVersion(DWORD majorVersion, DWORD platformId)
{
    m_dwMajorVersion = majorVersion;
    m_dwPlatformId = platformId;
}

void CFakePortPlatform::AddDevice(SDeviceRecord device)
{
    m_devices.push_back(std::move(device));
    m_snapshot.reset();
}

CFakePortPlatform::SRegistryNode& CFakePortPlatform::NodeAt(const std::string& path)
{
    SRegistryNode* node = m_root.get();
    for (const std::string& part : SplitPath(path)) {
        auto found = std::find_if(node->children.begin(), node->children.end(),
                                  [&](const auto& child) { return SameName(child->name, part); });
        if (found == node->children.end()) {
            node->children.push_back(std::make_unique<SRegistryNode>());
            node->children.back()->name = part;
            found = std::prev(node->children.end());
        }
        node = found->get();
    }
    return *node;
}

void CFakePortPlatform::AddKey(const std::string& path)
{
    NodeAt(path);
}

void CFakePortPlatform::SetTextValue(const std::string& keyPath, const std::string& name,
                                     const std::string& text)
{
    SetValueBytes(keyPath, name, text + '\0');
}

void CFakePortPlatform::SetValueBytes(const std::string& keyPath, const std::string& name,
                                      const std::string& bytes)
{
    auto& values = NodeAt(keyPath).values;
    const auto found = std::find_if(values.begin(), values.end(),
                                    [&](const auto& value) { return SameName(value.first, name); });
    if (found != values.end())
        found->second = bytes;
    else
        values.emplace_back(name, bytes);
}

void CFakePortPlatform::SetOpenError(const std::string& keyPath, LONG code)
{
    NodeAt(keyPath).openError = code;
}

void CFakePortPlatform::FailCall(PortCall call, DWORD code, unsigned occurrence)
{
    m_failures.emplace(call, SFailure{code, occurrence});
}

std::size_t CFakePortPlatform::OpenHandles() const
{
    return m_sets.OpenCount() + m_openKeys.size();
}

DWORD CFakePortPlatform::InjectedFailure(PortCall call)
{
    const unsigned use = m_callCounts[static_cast<std::size_t>(call)]++;
    if (m_failures.empty())
        return 0;
    const auto [first, last] = m_failures.equal_range(call);
    for (auto it = first; it != last; ++it) {
        if (it->second.occurrence == use)
            return it->second.code;
    }
    return 0;
}

BOOL CFakePortPlatform::Fail(DWORD code)
{
    m_dwLastError = code;
    return code == 0 ? TRUE : FALSE;
}

BOOL CFakePortPlatform::GetVersionExA(OSVERSIONINFOA* versionInfo)
{
    if (const DWORD code = InjectedFailure(PortCall::GetVersionEx))
        return Fail(code);
    if (versionInfo == nullptr || versionInfo->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA))
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    versionInfo->dwMajorVersion = m_dwMajorVersion;
    versionInfo->dwMinorVersion = 0;
    versionInfo->dwBuildNumber = 0;
    versionInfo->dwPlatformId = m_dwPlatformId;
    versionInfo->szCSDVersion[0] = '\0';
    return TRUE;
}

HDEVINFO CFakePortPlatform::SetupDiGetClassDevsA(const GUID* classGuid, const char* /*enumerator*/,
                                                 HWND /*parent*/, DWORD flags)
{
    if (const DWORD code = InjectedFailure(PortCall::SetupDiGetClassDevs)) {
        Fail(code);
        return INVALID_HANDLE_VALUE;
    }
    // The devices are present serial-port interfaces; any other question
    // gets an empty set.
    const bool asksForPorts = classGuid != nullptr && SameGuid(*classGuid, kComPortInterfaceGuid) &&
                              (flags & DIGCF_DEVICEINTERFACE) != 0;
    if (!asksForPorts)
        return m_sets.Create(std::make_shared<std::vector<SDeviceRecord>>());
    if (!m_snapshot)
        m_snapshot = std::make_shared<std::vector<SDeviceRecord>>(m_devices);
    return m_sets.Create(m_snapshot);
}

BOOL CFakePortPlatform::SetupDiEnumDeviceInterfaces(HDEVINFO deviceInfoSet,
                                                    SP_DEVINFO_DATA* /*deviceInfoData*/,
                                                    const GUID* interfaceClassGuid,
                                                    DWORD memberIndex,
                                                    SP_DEVICE_INTERFACE_DATA* interfaceData)
{
    if (const DWORD code = InjectedFailure(PortCall::SetupDiEnumDeviceInterfaces))
        return Fail(code);
    return Fail(m_sets.EnumInterface(deviceInfoSet, interfaceClassGuid, memberIndex, interfaceData));
}

BOOL CFakePortPlatform::SetupDiGetDeviceInterfaceDetailA(HDEVINFO deviceInfoSet,
                                                         SP_DEVICE_INTERFACE_DATA* interfaceData,
                                                         SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail,
                                                         DWORD detailSize, DWORD* requiredSize,
                                                         SP_DEVINFO_DATA* deviceInfoData)
{
    if (const DWORD code = InjectedFailure(PortCall::SetupDiGetDeviceInterfaceDetail))
        return Fail(code);
    return Fail(m_sets.GetInterfaceDetail(deviceInfoSet, interfaceData, detail, detailSize,
                                          requiredSize, deviceInfoData));
}

BOOL CFakePortPlatform::SetupDiGetDeviceRegistryPropertyA(HDEVINFO deviceInfoSet,
                                                          SP_DEVINFO_DATA* deviceInfoData,
                                                          DWORD property,
                                                          DWORD* propertyRegDataType, BYTE* buffer,
                                                          DWORD bufferSize, DWORD* requiredSize)
{
    if (const DWORD code = InjectedFailure(PortCall::SetupDiGetDeviceRegistryProperty))
        return Fail(code);
    return Fail(m_sets.GetProperty(deviceInfoSet, deviceInfoData, property, propertyRegDataType,
                                   buffer, bufferSize, requiredSize));
}

BOOL CFakePortPlatform::SetupDiDestroyDeviceInfoList(HDEVINFO deviceInfoSet)
{
    const DWORD code = m_sets.Destroy(deviceInfoSet);
    if (code != 0)
        ++m_nBadReleases;
    return Fail(code);
}

CFakePortPlatform::SRegistryNode* CFakePortPlatform::OpenNode(HKEY key) const
{
    if (key == HKEY_LOCAL_MACHINE)
        return m_root.get();
    const auto found = m_openKeys.find(key);
    return found == m_openKeys.end() ? nullptr : found->second;
}

LONG CFakePortPlatform::RegOpenKeyExA(HKEY key, const char* subKey, DWORD /*options*/,
                                      REGSAM samDesired, HKEY* result)
{
    if (const DWORD code = InjectedFailure(PortCall::RegOpenKeyEx))
        return static_cast<LONG>(code);
    SRegistryNode* node = OpenNode(key);
    if (node == nullptr)
        return ERROR_INVALID_HANDLE;
    if (result == nullptr || (samDesired & KEY_READ) != KEY_READ)
        return ERROR_INVALID_PARAMETER;
    for (const std::string& part : SplitPath(subKey != nullptr ? subKey : "")) {
        const auto found = std::find_if(node->children.begin(), node->children.end(),
                                        [&](const auto& child) { return SameName(child->name, part); });
        if (found == node->children.end())
            return ERROR_FILE_NOT_FOUND;
        node = found->get();
    }
    if (node->openError != ERROR_SUCCESS)
        return node->openError;
    const HKEY handle = reinterpret_cast<HKEY>(m_nextKey++);
    m_openKeys.emplace(handle, node);
    *result = handle;
    return ERROR_SUCCESS;
}

LONG CFakePortPlatform::RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameLength,
                                      DWORD* /*reserved*/, char* /*className*/,
                                      DWORD* /*classLength*/, FILETIME* /*lastWriteTime*/)
{
    if (const DWORD code = InjectedFailure(PortCall::RegEnumKeyEx))
        return static_cast<LONG>(code);
    const SRegistryNode* node = OpenNode(key);
    if (node == nullptr)
        return ERROR_INVALID_HANDLE;
    if (name == nullptr || nameLength == nullptr)
        return ERROR_INVALID_PARAMETER;
    if (index >= node->children.size())
        return ERROR_NO_MORE_ITEMS;
    const std::string& child = node->children[index]->name;
    if (child.size() + 1 > *nameLength)
        return ERROR_MORE_DATA;
    std::memcpy(name, child.c_str(), child.size() + 1);
    *nameLength = static_cast<DWORD>(child.size());
    return ERROR_SUCCESS;
}

LONG CFakePortPlatform::RegQueryValueExA(HKEY key, const char* valueName, DWORD* /*reserved*/,
                                         DWORD* type, BYTE* data, DWORD* dataLength)
{
    if (const DWORD code = InjectedFailure(PortCall::RegQueryValueEx))
        return static_cast<LONG>(code);
    const SRegistryNode* node = OpenNode(key);
    if (node == nullptr)
        return ERROR_INVALID_HANDLE;
    const std::string wanted = valueName != nullptr ? valueName : "";
    const auto found = std::find_if(node->values.begin(), node->values.end(),
                                    [&](const auto& value) { return SameName(value.first, wanted); });
    if (found == node->values.end())
        return ERROR_FILE_NOT_FOUND;
    const std::string& bytes = found->second;
    if (type != nullptr)
        *type = REG_SZ;
    if (dataLength == nullptr)
        return data == nullptr ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
    const DWORD capacity = *dataLength;
    *dataLength = static_cast<DWORD>(bytes.size());
    if (data == nullptr)
        return ERROR_SUCCESS;  // the size query
    if (bytes.size() > capacity)
        return ERROR_MORE_DATA;
    std::memcpy(data, bytes.data(), bytes.size());
    return ERROR_SUCCESS;
}

LONG CFakePortPlatform::RegCloseKey(HKEY key)
{
    if (key == HKEY_LOCAL_MACHINE)
        return ERROR_SUCCESS;
    if (m_openKeys.erase(key) == 1)
        return ERROR_SUCCESS;
    ++m_nBadReleases;
    return ERROR_INVALID_HANDLE;
}
