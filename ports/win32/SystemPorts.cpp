#include "SerialPortInfo.h"

#include "Win32PortPlatform.h"

void CollectSerialPorts(SerInfoArray& ports)
{
    CWin32PortPlatform platform;
    CollectSerialPorts(ports, platform);
}
