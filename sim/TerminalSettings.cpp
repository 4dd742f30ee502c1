#include "TerminalSettings.h"

TerminalSettings FactorySettings()
{
    TerminalSettings settings;
    settings.productType = "vEdge";
    // Locally administered address (second bit of the first octet set), so it
    // never collides with a vendor-assigned one on a training network.
    settings.mac = "02:5A:C1:00:00:01";
    settings.ipAddress = "192.168.1.100";
    settings.netmask = "255.255.255.0";
    settings.gateway = "192.168.1.1";
    settings.usid = "US000001";
    settings.ucid = "UC000001";
    return settings;
}
