// One serial port found by port discovery, and the caller's list of them.
#pragma once

#include <string>
#include <vector>

#include "PlatformTypes.h"

struct SSerInfo {
    std::string m_strOpenPath;     // the path the port is opened by
    std::string m_strComName;      // such as COM3; empty on the device-setup branch
    std::string m_strDisplayName;  // friendly name, ends in "(COMn)" where the system gives one
    BOOL m_bOnUsb = FALSE;
    std::string m_strDescription;  // the device without its port name

    bool operator==(const SSerInfo&) const = default;
};

// Discovery order, owned by the caller. Texts are 8-bit (code page 936).
using SerInfoArray = std::vector<SSerInfo>;

class IPortPlatform;

// Empties ports, then fills it with one record per serial port of this
// machine. A failure throws its message text as a std::string value; records
// appended before it stay.
void CollectSerialPorts(SerInfoArray& ports);
// The same against another platform provider (the test fake, a fixture tree).
void CollectSerialPorts(SerInfoArray& ports, IPortPlatform& platform);
