// Builds a sysfs and /dev tree in a directory, laid out as the kernel lays
// it out, for the Linux provider to scan: class/tty entries are relative
// links into devices/, each tty directory has its "device" link, devices
// have their "driver" links, and USB devices carry their id and string files.
#pragma once

#include <optional>
#include <string>

class CSysfsFixture {
public:
    // root/sys and root/dev are made below root, which must exist.
    explicit CSysfsFixture(std::string root);

    std::string SysRoot() const { return m_strRoot + "/sys"; }
    std::string DevRoot() const { return m_strRoot + "/dev"; }

    // A UART tty on the PNP bus (pnp0/00:0N) with its "type" attribute, or
    // without one (nullopt) as on older kernels; its /dev node is a plain file.
    void AddPnpUart(const std::string& ttyName, std::optional<int> type);
    // A tty of the 8250 platform driver that has no UART behind it (type 0).
    void AddPhantomUart(const std::string& ttyName);
    // A UART of an ARM board (amba/<address>.serial) with its type.
    void AddAmbaUart(const std::string& ttyName, const std::string& address, int type);

    // A USB device at a port path such as "1-1.2" on bus 1, with its string
    // descriptors where given (UTF-8, as the kernel writes them).
    void AddUsbDevice(const std::string& portPath, std::optional<std::string> manufacturer,
                      std::optional<std::string> product);
    // A usb-serial tty (ttyUSBn) below interface <portPath>:1.<interface>.
    void AddUsbSerialTty(const std::string& portPath, int interface, const std::string& ttyName,
                         const std::string& driver);
    // A CDC-ACM tty (ttyACMn) on interface <portPath>:1.<interface>.
    void AddAcmTty(const std::string& portPath, int interface, const std::string& ttyName);
    // A tty without a device behind it (virtual consoles, ptmx).
    void AddVirtualTty(const std::string& ttyName);

private:
    std::string UsbDevicePath(const std::string& portPath) const;
    // Links class/tty/<name> to ttyDir and gives ttyDir its "device" link.
    void AddClassTty(const std::string& ttyName, const std::string& ttyDir,
                     const std::string& deviceDir);
    void AddDevNode(const std::string& ttyName);

    std::string m_strRoot;
};
