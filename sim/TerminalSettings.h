// The settings a weighing terminal keeps and reports over the serial line.
#pragma once

#include <string>

struct TerminalSettings {
    std::string productType;
    std::string mac;  // six hex octets joined by ':', without quotes
    std::string ipAddress;
    std::string netmask;
    std::string gateway;
    std::string usid;
    std::string ucid;

    bool operator==(const TerminalSettings&) const = default;
};

// What a terminal holds when it leaves the factory, and again after its
// stored settings have been cleared.
TerminalSettings FactorySettings();
