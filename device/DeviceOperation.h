#pragma once

// The terminal operations, in the order of the dialog's radio buttons.
enum DeviceOperation : int {
    ProductType = 0,
    MacAddress = 1,
    IpAddress = 2,
    Usid = 3,
    Ucid = 4,
    ClearAdEeprom = 5,
    UpgradePrinterDriver = 6,
    ClearMainEeprom = 7,
};

inline constexpr int kDeviceOperationCount = 8;
