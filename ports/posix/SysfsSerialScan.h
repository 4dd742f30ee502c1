// The serial ports of a Linux machine as device records: the ttys in sysfs
// that have a COM number in the fixed table, and the COMn links of the
// port-link directory, in ascending COM number.
#pragma once

#include <string>
#include <vector>

#include "DeviceRecordSets.h"

// sysfsRoot and devRoot are "/sys" and "/dev" on a running system; tests
// pass fixture trees. linkDirectory is read only when it is safe (owned by
// this user, writable by nobody else); empty skips it.
std::vector<SDeviceRecord> ScanSerialDevices(const std::string& sysfsRoot,
                                             const std::string& devRoot,
                                             const std::string& linkDirectory);
