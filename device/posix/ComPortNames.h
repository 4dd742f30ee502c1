// COM port names on a POSIX machine. A Windows-style path "\\.\COMn" is
// resolved here, and port discovery and the terminal simulator use the same
// table and the same per-user link directory, so all three agree on what
// COMn means:
//   1. a symbolic link named COMn in the port-link directory,
//   2. else the fixed table below,
//   3. else there is no such port.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace comnames {

inline constexpr unsigned kFixedTableSize = 128;

// "\\.\COM" followed by decimal digits only, with a value from 0 up: the number.
// Anything else (another path, a sign, trailing characters): nothing.
std::optional<unsigned> ParseComDevicePath(std::string_view path);

// True when the path has the "\\.\COM" prefix at all.
bool HasComDevicePrefix(std::string_view path);

// COM1-COM32 = /dev/ttyS0-31, COM33-COM64 = /dev/ttyUSB0-31,
// COM65-COM96 = /dev/ttyACM0-31, COM97-COM128 = /dev/ttyAMA0-31.
// The tty name (such as "ttyUSB0") for a number, or empty outside the table.
std::string FixedTableTtyName(unsigned comNumber);
// The inverse: the COM number of a tty name, or nothing.
std::optional<unsigned> FixedTableNumber(std::string_view ttyName);

// $XDG_RUNTIME_DIR/vadire/ports, or /tmp/vadire-<uid>/ports without it.
std::string PortLinkDirectory();

// 0 when the directory exists, belongs to this user and nobody else can
// write to it; otherwise an errno value (ENOENT missing, EACCES unsafe).
int CheckPortLinkDirectory(const std::string& directory);

// Creates the directory (and its parent) with mode 0700 where missing, then
// checks it as above. 0 or an errno value.
int EnsurePortLinkDirectory(const std::string& directory);

// "<directory>/COMn".
std::string PortLinkPath(const std::string& directory, unsigned comNumber);

// The device to open for COMn: the link in the port-link directory (when the
// directory is safe and the link exists), else the fixed-table device under
// devRoot. 0 and the path, or ENOENT.
int ResolveComPort(unsigned comNumber, std::string& devicePath,
                   const std::string& devRoot = "/dev");

// The path to open for any path the serial layer is given: COM paths are
// resolved as above, everything else is taken as a file-system path.
int ResolveOpenPath(const char* path, std::string& openPath);

}  // namespace comnames
