#include "SysfsSerialScan.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string_view>

#include "ComPortNames.h"
#include "GbkText.h"

namespace fs = std::filesystem;

namespace {

// A sysfs attribute without its trailing newline, or nothing when absent.
std::optional<std::string> ReadAttribute(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

std::optional<long> ParseLong(const std::string& text)
{
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd) : m_fd(fd) {}
    ~CFileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

// The kernel creates ttyS nodes for UARTs that are not there (a "type" of
// 0, no UART behind it). Older kernels have no "type" attribute; then the
// node itself is asked. A node that cannot be asked is not listed.
bool HasUart(const fs::path& ttyDir, const std::string& devNode)
{
    if (const std::optional<std::string> type = ReadAttribute(ttyDir / "type")) {
        if (const std::optional<long> value = ParseLong(*type))
            return *value != 0;
    }
    const CFileDescriptor fd(::open(devNode.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0)
        return false;
    serial_struct info{};
    if (::ioctl(fd.Get(), TIOCGSERIAL, &info) != 0)
        return false;
    return info.type != PORT_UNKNOWN;
}

// Where a sysfs link leads. Its links are relative and pass through real
// directories only, so resolving the text against the link's directory is
// exact, and costs one readlink rather than one per path component.
std::optional<fs::path> FollowLink(const fs::path& link)
{
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    if (error)
        return std::nullopt;
    return (target.is_absolute() ? target : link.parent_path() / target).lexically_normal();
}

// The USB device a tty belongs to: the nearest directory above its device
// that carries a vendor id, such as .../usb1/1-1/1-1.2.
std::optional<fs::path> UsbDeviceOf(const fs::path& deviceDir, const fs::path& devicesRoot)
{
    std::error_code error;
    for (fs::path dir = deviceDir; !dir.empty() && dir != dir.root_path(); dir = dir.parent_path()) {
        if (dir == devicesRoot)
            break;
        if (fs::exists(dir / "idVendor", error))
            return dir;
    }
    return std::nullopt;
}

std::string DriverOf(const fs::path& deviceDir)
{
    std::error_code error;
    const fs::path driver = fs::read_symlink(deviceDir / "driver", error);
    return error ? std::string() : driver.filename().string();
}

// A device's own strings may hold "(COM" (an adapter named "Adapter (COM1)",
// say); in front of the port's real " (COMn)" the port list would take that
// first one for the number. Written "(com" there, the marker is ours alone.
std::string WithoutPortMarker(std::string text)
{
    for (std::size_t at = text.find("(COM"); at != std::string::npos; at = text.find("(COM", at + 1))
        text.replace(at + 1, 3, "com");
    return text;
}

// What the device is, without its port name.
std::string DescribeDevice(const std::string& ttyName, const std::string& driver,
                           const std::optional<fs::path>& usbDevice)
{
    if (usbDevice) {
        std::string strings;
        for (const char* attribute : {"manufacturer", "product"}) {
            const std::optional<std::string> text = ReadAttribute(*usbDevice / attribute);
            if (!text || text->empty())
                continue;
            if (!strings.empty())
                strings += ' ';
            strings += *text;
        }
        if (!strings.empty())
            return WithoutPortMarker(Utf8ToGbk(strings));
    }
    if (driver == "cdc_acm" || StartsWith(ttyName, "ttyACM"))
        return "USB Serial Device";
    if (usbDevice || StartsWith(ttyName, "ttyUSB"))
        return "USB Serial Port";
    return "Communications Port";
}

SDeviceRecord NamedRecord(std::string devicePath, const std::string& description,
                          unsigned comNumber, std::optional<std::string> location)
{
    return SDeviceRecord{std::move(devicePath),
                         description + " (COM" + std::to_string(comNumber) + ")", description,
                         std::move(location)};
}

void AddSysfsTtys(const std::string& sysfsRoot, const std::string& devRoot,
                  std::map<unsigned, SDeviceRecord>& byNumber)
{
    std::error_code error;
    const fs::path classDir = (fs::path(sysfsRoot) / "class" / "tty").lexically_normal();
    const fs::path devicesRoot = (fs::path(sysfsRoot) / "devices").lexically_normal();
    for (fs::directory_iterator it(classDir, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::optional<unsigned> number = comnames::FixedTableNumber(name);
        if (!number)
            continue;
        // class/tty/<name> links to the tty's directory below devices/.
        const fs::path ttyDir = FollowLink(it->path()).value_or(it->path());
        // Only ttys with a device behind them; virtual consoles and ptys have none.
        const std::optional<fs::path> deviceDir = FollowLink(ttyDir / "device");
        std::error_code statError;
        if (!deviceDir || !fs::is_directory(*deviceDir, statError))
            continue;
        const std::string devNode = devRoot + "/" + name;
        if ((StartsWith(name, "ttyS") || StartsWith(name, "ttyAMA")) && !HasUart(ttyDir, devNode))
            continue;

        const std::optional<fs::path> usbDevice = UsbDeviceOf(*deviceDir, devicesRoot);
        std::optional<std::string> location;
        if (usbDevice)
            location = "USB " + usbDevice->filename().string();
        byNumber.insert_or_assign(
            *number, NamedRecord(devNode, DescribeDevice(name, DriverOf(*deviceDir), usbDevice),
                                 *number, std::move(location)));
    }
}

// COMn links whose target exists. A link takes the place of the fixed-table
// device of its number.
void AddPortLinks(const std::string& linkDirectory, std::map<unsigned, SDeviceRecord>& byNumber)
{
    if (linkDirectory.empty() || comnames::CheckPortLinkDirectory(linkDirectory) != 0)
        return;
    std::error_code error;
    for (fs::directory_iterator it(linkDirectory, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        // "COM5" only: the number must give back this very name.
        const std::optional<unsigned> number = comnames::ParseComDevicePath("\\\\.\\" + name);
        if (!number || *number == 0)
            continue;
        const std::string linkPath = comnames::PortLinkPath(linkDirectory, *number);
        if (fs::path(linkPath).filename() != it->path().filename())
            continue;
        struct stat linkStat {};
        struct stat targetStat {};
        if (::lstat(linkPath.c_str(), &linkStat) != 0 || !S_ISLNK(linkStat.st_mode) ||
            ::stat(linkPath.c_str(), &targetStat) != 0)
            continue;
        byNumber.insert_or_assign(*number,
                                  NamedRecord(linkPath, "Virtual serial port", *number, std::nullopt));
    }
}

}  // namespace

std::vector<SDeviceRecord> ScanSerialDevices(const std::string& sysfsRoot,
                                             const std::string& devRoot,
                                             const std::string& linkDirectory)
{
    std::map<unsigned, SDeviceRecord> byNumber;  // ascending COM number
    AddSysfsTtys(sysfsRoot, devRoot, byNumber);
    AddPortLinks(linkDirectory, byNumber);

    std::vector<SDeviceRecord> devices;
    devices.reserve(byNumber.size());
    for (auto& [number, device] : byNumber)
        devices.push_back(std::move(device));
    return devices;
}
