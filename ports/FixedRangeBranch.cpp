#include "PortBranches.h"

#include <string>

void CollectPortsFixedRange(SerInfoArray& ports)
{
    // Old NT systems offer no port list: offer COM1 to COM16 unopened,
    // whether they exist or not.
    for (int n = 1; n <= 16; ++n) {
        const std::string comName = "COM" + std::to_string(n);
        ports.push_back(SSerInfo{"\\\\.\\" + comName, comName, {}, FALSE, {}});
    }
}
