#include "SerialPortInfo.h"

#include "PortBranches.h"
#include "PortMessages.h"

void CollectSerialPorts(SerInfoArray& ports, IPortPlatform& platform)
{
    // Destroy every record and release the storage: nothing of an earlier
    // call survives, even when this one fails.
    SerInfoArray().swap(ports);

    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);  // 148
    if (!platform.GetVersionExA(&version))
        ThrowSystemFailure("Could not get OS version. (err=%lx)", platform.GetLastError());

    // Only the major version and the platform matter; the comparison is
    // unsigned, so any major version from 5 up takes the device-setup way.
    if (version.dwMajorVersion >= 5)
        CollectPortsFromDeviceSetup(ports, platform);
    else if (version.dwPlatformId == VER_PLATFORM_WIN32_NT)
        CollectPortsFixedRange(ports);
    else
        CollectPortsFromEnumKey(ports, platform);

    CompletePortRecords(ports);
}
