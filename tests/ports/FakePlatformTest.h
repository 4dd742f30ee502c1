// Shared by the discovery tests that run against the in-memory platform:
// every test ends by proving that each set and key opened was released
// exactly once, whatever the outcome.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "FakePortPlatform.h"
#include "SerialPortInfo.h"

inline void PrintTo(const SSerInfo& port, std::ostream* out)
{
    *out << "{open \"" << port.m_strOpenPath << "\", com \"" << port.m_strComName
         << "\", display \"" << port.m_strDisplayName << "\", usb " << port.m_bOnUsb
         << ", description \"" << port.m_strDescription << "\"}";
}

template <class Base = ::testing::Test>
class FakePlatformTest : public Base {
protected:
    void TearDown() override
    {
        EXPECT_EQ(m_platform.OpenHandles(), 0u) << "a device set or registry key was left open";
        EXPECT_EQ(m_platform.BadReleases(), 0u) << "a handle was released that was not open";
    }

    SerInfoArray Collect()
    {
        SerInfoArray ports;
        CollectSerialPorts(ports, m_platform);
        return ports;
    }

    // A Windows 9x-style system, whose ports are found in HKLM\Enum.
    void UseEnumWalk() { m_platform.SetVersion(4, VER_PLATFORM_WIN32_WINDOWS); }

    CFakePortPlatform m_platform;
};

// For TEST_P rows named by their first member.
template <class Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info)
{
    return info.param.name;
}
