// Every failure: its exact message, the records appended before it kept,
// records of an earlier call gone, and (checked after each test) every set
// and key released.
#include "FakePlatformTest.h"

#include <functional>
#include <vector>

namespace {

struct FailureRow {
    const char* name;
    std::function<void(CFakePortPlatform&)> arrange;
    std::string message;
    std::vector<std::string> keptOpenPaths;
};

void PrintTo(const FailureRow& row, std::ostream* out)
{
    *out << row.name;
}

class Failure : public FakePlatformTest<::testing::TestWithParam<FailureRow>> {};

TEST_P(Failure, ThrowsItsMessageAndReleasesEverything)
{
    GetParam().arrange(m_platform);
    SerInfoArray ports{{"\\\\.\\COM99", "COM99", "Stale (COM99)", TRUE, "Stale"}};

    try {
        CollectSerialPorts(ports, m_platform);
        FAIL() << "no failure was reported";
    } catch (const std::string& message) {
        EXPECT_EQ(message, GetParam().message);
    }

    std::vector<std::string> kept;
    for (const SSerInfo& port : ports)
        kept.push_back(port.m_strOpenPath);
    EXPECT_EQ(kept, GetParam().keptOpenPaths);
}

void TwoDevices(CFakePortPlatform& platform)
{
    platform.AddDevice({"\\\\?\\first", "First (COM1)", "First", {}});
    platform.AddDevice({"\\\\?\\second", "Second (COM2)", "Second", {}});
}

// HKLM\Enum with a port under ACPI, then under Root.
void EnumTree(CFakePortPlatform& platform)
{
    platform.SetVersion(4, VER_PLATFORM_WIN32_WINDOWS);
    platform.SetTextValue("Enum\\ACPI\\*PNP0501\\0000", "PORTNAME", "COM1");
    platform.SetTextValue("Enum\\Root\\*PNP0501\\0000", "PORTNAME", "COM2");
    platform.SetTextValue("Enum\\Root\\*PNP0501\\0001", "PORTNAME", "COM3");
}

INSTANTIATE_TEST_SUITE_P(
    Steps, Failure,
    ::testing::Values(
        FailureRow{"VersionQuery",
                   [](CFakePortPlatform& p) {
                       TwoDevices(p);
                       p.FailCall(PortCall::GetVersionEx, ERROR_INVALID_PARAMETER);
                   },
                   "Could not get OS version. (err=57)", {}},
        FailureRow{"DeviceInformationSet",
                   [](CFakePortPlatform& p) {
                       TwoDevices(p);
                       p.FailCall(PortCall::SetupDiGetClassDevs, 0xE000020Bu);
                   },
                   "SetupDiGetClassDevs failed. (err=e000020b)", {}},
        FailureRow{"InterfaceEnumerationAfterFirstPort",
                   [](CFakePortPlatform& p) {
                       TwoDevices(p);
                       p.FailCall(PortCall::SetupDiEnumDeviceInterfaces, ERROR_INVALID_HANDLE, 1);
                   },
                   "SetupDiEnumDeviceInterfaces failed. (err=6)", {"\\\\?\\first"}},
        FailureRow{"InterfaceDetailAfterFirstPort",
                   [](CFakePortPlatform& p) {
                       TwoDevices(p);
                       p.FailCall(PortCall::SetupDiGetDeviceInterfaceDetail, 0x3E6, 1);
                   },
                   "SetupDiGetDeviceInterfaceDetail failed. (err=3e6)", {"\\\\?\\first"}},
        FailureRow{"DevicePathOf257Characters",
                   [](CFakePortPlatform& p) {
                       TwoDevices(p);
                       p.AddDevice({"\\\\?\\" + std::string(253, 'p'), "Long (COM3)", "Long", {}});
                   },
                   "SetupDiGetDeviceInterfaceDetail failed. (err=7a)",
                   {"\\\\?\\first", "\\\\?\\second"}},
        FailureRow{"OpeningEnum",
                   [](CFakePortPlatform& p) { p.SetVersion(4, VER_PLATFORM_WIN32_WINDOWS); },
                   "Could not read from HKLM\\Enum", {}},
        FailureRow{"OpeningEnumeratorKey",
                   [](CFakePortPlatform& p) {
                       EnumTree(p);
                       p.SetOpenError("Enum\\Root", ERROR_ACCESS_DENIED);
                   },
                   "Could not read from HKLM\\Enum\\Root", {"\\\\.\\COM1"}},
        FailureRow{"OpeningDeviceKey",
                   [](CFakePortPlatform& p) {
                       EnumTree(p);
                       p.SetOpenError("Enum\\Root\\*PNP0501", ERROR_ACCESS_DENIED);
                   },
                   "Could not read from HKLM\\Enum\\Root\\*PNP0501", {"\\\\.\\COM1"}},
        FailureRow{"OpeningInstanceKey",
                   [](CFakePortPlatform& p) {
                       EnumTree(p);
                       p.SetOpenError("Enum\\Root\\*PNP0501\\0001", ERROR_ACCESS_DENIED);
                   },
                   "Could not read from HKLM\\Enum\\...\\0001", {"\\\\.\\COM1", "\\\\.\\COM2"}}),
    RowName<FailureRow>);

}  // namespace
