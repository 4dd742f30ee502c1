#include "SerialPortInfo.h"

#include "LinuxPortPlatform.h"

void CollectSerialPorts(SerInfoArray& ports)
{
    CLinuxPortPlatform platform;
    CollectSerialPorts(ports, platform);
}
