// Owners of the platform handles port discovery opens, so that a failure
// thrown half-way releases every set and key opened so far.
#pragma once

#include "PortPlatform.h"

class CDeviceInfoSetHandle {
public:
    CDeviceInfoSetHandle(IPortPlatform& platform, HDEVINFO set)
        : m_platform(platform), m_hSet(set) {}
    ~CDeviceInfoSetHandle()
    {
        if (m_hSet != INVALID_HANDLE_VALUE)
            m_platform.SetupDiDestroyDeviceInfoList(m_hSet);
    }
    CDeviceInfoSetHandle(const CDeviceInfoSetHandle&) = delete;
    CDeviceInfoSetHandle& operator=(const CDeviceInfoSetHandle&) = delete;

    bool IsValid() const { return m_hSet != INVALID_HANDLE_VALUE; }
    HDEVINFO Get() const { return m_hSet; }

private:
    IPortPlatform& m_platform;
    HDEVINFO m_hSet;
};

class CRegistryKeyHandle {
public:
    // Takes over a key that the platform has opened successfully.
    CRegistryKeyHandle(IPortPlatform& platform, HKEY key) : m_platform(platform), m_hKey(key) {}
    ~CRegistryKeyHandle() { m_platform.RegCloseKey(m_hKey); }
    CRegistryKeyHandle(const CRegistryKeyHandle&) = delete;
    CRegistryKeyHandle& operator=(const CRegistryKeyHandle&) = delete;

    HKEY Get() const { return m_hKey; }

private:
    IPortPlatform& m_platform;
    HKEY m_hKey;
};
