#include "SysfsFixture.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& file, const std::string& content)
{
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

// A relative symbolic link, as sysfs has them.
void RelativeLink(const fs::path& link, const fs::path& target)
{
    fs::create_directories(link.parent_path());
    fs::create_symlink(target.lexically_relative(link.parent_path()), link);
}

// A bound driver: device/driver -> bus/<bus>/drivers/<driver>.
void BindDriver(const fs::path& sysRoot, const fs::path& deviceDir, const std::string& bus,
                const std::string& driver)
{
    const fs::path driverDir = sysRoot / "bus" / bus / "drivers" / driver;
    fs::create_directories(driverDir);
    RelativeLink(deviceDir / "driver", driverDir);
}

}  // namespace

CSysfsFixture::CSysfsFixture(std::string root) : m_strRoot(std::move(root))
{
    fs::create_directories(SysRoot() + "/class/tty");
    fs::create_directories(SysRoot() + "/devices");
    fs::create_directories(DevRoot());
}

void CSysfsFixture::AddClassTty(const std::string& ttyName, const std::string& ttyDir,
                                const std::string& deviceDir)
{
    fs::create_directories(ttyDir);
    WriteFile(fs::path(ttyDir) / "dev", "4:64\n");
    RelativeLink(fs::path(SysRoot()) / "class" / "tty" / ttyName, ttyDir);
    if (!deviceDir.empty())
        RelativeLink(fs::path(ttyDir) / "device", deviceDir);
}

void CSysfsFixture::AddDevNode(const std::string& ttyName)
{
    // A plain file: it exists, and asking it for serial details fails.
    WriteFile(fs::path(DevRoot()) / ttyName, "");
}

void CSysfsFixture::AddPnpUart(const std::string& ttyName, std::optional<int> type)
{
    // ttyS0 on 00:04, ttyS1 on 00:05, ...
    const std::string index = ttyName.substr(ttyName.find_first_of("0123456789"));
    const std::string deviceDir = SysRoot() + "/devices/pnp0/00:0" + std::to_string(4 + std::stoi(index));
    const std::string ttyDir = deviceDir + "/tty/" + ttyName;
    fs::create_directories(deviceDir);
    BindDriver(SysRoot(), deviceDir, "pnp", "serial");
    WriteFile(fs::path(deviceDir) / "id", "PNP0501\n");
    AddClassTty(ttyName, ttyDir, deviceDir);
    if (type)
        WriteFile(fs::path(ttyDir) / "type", std::to_string(*type) + "\n");
    AddDevNode(ttyName);
}

void CSysfsFixture::AddPhantomUart(const std::string& ttyName)
{
    const std::string deviceDir = SysRoot() + "/devices/platform/serial8250";
    const std::string ttyDir = deviceDir + "/tty/" + ttyName;
    fs::create_directories(deviceDir);
    if (!fs::exists(fs::path(deviceDir) / "driver"))
        BindDriver(SysRoot(), deviceDir, "platform", "serial8250");
    AddClassTty(ttyName, ttyDir, deviceDir);
    WriteFile(fs::path(ttyDir) / "type", "0\n");
    AddDevNode(ttyName);
}

void CSysfsFixture::AddAmbaUart(const std::string& ttyName, const std::string& address, int type)
{
    const std::string deviceDir = SysRoot() + "/devices/platform/soc/" + address + ".serial";
    const std::string ttyDir = deviceDir + "/tty/" + ttyName;
    fs::create_directories(deviceDir);
    BindDriver(SysRoot(), deviceDir, "amba", "uart-pl011");
    AddClassTty(ttyName, ttyDir, deviceDir);
    WriteFile(fs::path(ttyDir) / "type", std::to_string(type) + "\n");
    AddDevNode(ttyName);
}

std::string CSysfsFixture::UsbDevicePath(const std::string& portPath) const
{
    // "1-1.2" hangs below "1-1", which hangs below the root hub "usb1".
    fs::path path = fs::path(SysRoot()) / "devices/pci0000:00/0000:00:14.0" /
                    ("usb" + portPath.substr(0, portPath.find('-')));
    std::string::size_type next = portPath.find_first_of("-.");
    while (next != std::string::npos) {
        const std::string::size_type after = portPath.find('.', next + 1);
        path /= portPath.substr(0, after);
        next = after;
    }
    return path.string();
}

void CSysfsFixture::AddUsbDevice(const std::string& portPath,
                                 std::optional<std::string> manufacturer,
                                 std::optional<std::string> product)
{
    const fs::path deviceDir = UsbDevicePath(portPath);
    // Hubs on the way carry their own ids, as real ones do.
    const fs::path rootHub = fs::path(SysRoot()) / "devices/pci0000:00/0000:00:14.0" /
                             ("usb" + portPath.substr(0, portPath.find('-')));
    for (fs::path dir = deviceDir.parent_path(); dir.string().size() >= rootHub.string().size();
         dir = dir.parent_path()) {
        if (!fs::exists(dir / "idVendor")) {
            WriteFile(dir / "idVendor", "1d6b\n");
            WriteFile(dir / "idProduct", "0002\n");
            WriteFile(dir / "bDeviceClass", "09\n");
        }
    }
    WriteFile(deviceDir / "idVendor", "0403\n");
    WriteFile(deviceDir / "idProduct", "6001\n");
    WriteFile(deviceDir / "devpath", portPath.substr(portPath.find('-') + 1) + "\n");
    WriteFile(deviceDir / "busnum", portPath.substr(0, portPath.find('-')) + "\n");
    if (manufacturer)
        WriteFile(deviceDir / "manufacturer", *manufacturer + "\n");
    if (product)
        WriteFile(deviceDir / "product", *product + "\n");
}

void CSysfsFixture::AddUsbSerialTty(const std::string& portPath, int interface,
                                    const std::string& ttyName, const std::string& driver)
{
    const fs::path interfaceDir =
        fs::path(UsbDevicePath(portPath)) / (portPath + ":1." + std::to_string(interface));
    fs::create_directories(interfaceDir);
    WriteFile(interfaceDir / "bInterfaceClass", "ff\n");
    BindDriver(SysRoot(), interfaceDir, "usb", driver);
    // The usb-serial port device sits between the interface and its tty.
    const fs::path portDir = interfaceDir / ttyName;
    fs::create_directories(portDir);
    BindDriver(SysRoot(), portDir, "usb-serial", driver);
    AddClassTty(ttyName, (portDir / "tty" / ttyName).string(), portDir.string());
    AddDevNode(ttyName);
}

void CSysfsFixture::AddAcmTty(const std::string& portPath, int interface, const std::string& ttyName)
{
    const fs::path deviceDir = UsbDevicePath(portPath);
    const fs::path controlDir = deviceDir / (portPath + ":1." + std::to_string(interface));
    const fs::path dataDir = deviceDir / (portPath + ":1." + std::to_string(interface + 1));
    WriteFile(controlDir / "bInterfaceClass", "02\n");
    WriteFile(dataDir / "bInterfaceClass", "0a\n");
    BindDriver(SysRoot(), controlDir, "usb", "cdc_acm");
    BindDriver(SysRoot(), dataDir, "usb", "cdc_acm");
    AddClassTty(ttyName, (controlDir / "tty" / ttyName).string(), controlDir.string());
    AddDevNode(ttyName);
}

void CSysfsFixture::AddVirtualTty(const std::string& ttyName)
{
    AddClassTty(ttyName, SysRoot() + "/devices/virtual/tty/" + ttyName, "");
    AddDevNode(ttyName);
}
