// The three ways of finding serial ports, chosen by CollectSerialPorts from
// the system version, and the pass that completes their records. Each
// branch appends to the array it is given and throws its failure as a
// std::string message, after releasing everything it holds.
#pragma once

#include "PortPlatform.h"
#include "SerialPortInfo.h"

// Capacities of the buffers handed to the platform; they are limits of the
// data: a longer path, property, key name or value cannot be read.
inline constexpr DWORD kDetailBufferSize = 261;   // size member, 256-character path, NUL
inline constexpr DWORD kPropertyBufferSize = 256;  // each device property, NUL included
inline constexpr DWORD kKeyNameCapacity = 128;     // characters, NUL included
inline constexpr DWORD kValueBufferSize = 128;     // bytes of "PORTNAME" / "FRIENDLYNAME"

// Major version 5 and later: the present devices of the serial-port interface class.
void CollectPortsFromDeviceSetup(SerInfoArray& ports, IPortPlatform& platform);
// Major version 4 or lower on NT: COM1 to COM16, none opened or tested.
void CollectPortsFixedRange(SerInfoArray& ports);
// Major version 4 or lower elsewhere: the registry tree HKLM\Enum.
void CollectPortsFromEnumKey(SerInfoArray& ports, IPortPlatform& platform);
// The instance keys below one accepted device key of the Enum tree.
void ReadEnumPortInstances(HKEY deviceKey, BOOL bOnUsb, SerInfoArray& ports,
                           IPortPlatform& platform);

// Fills empty display names from the COM name and empty descriptions from
// the display name without its trailing " (COMn)".
void CompletePortRecords(SerInfoArray& ports);
