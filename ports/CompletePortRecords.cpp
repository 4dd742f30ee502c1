#include "PortBranches.h"

void CompletePortRecords(SerInfoArray& ports)
{
    for (SSerInfo& port : ports) {
        if (port.m_strDisplayName.empty())
            port.m_strDisplayName = port.m_strComName;
        if (!port.m_strDescription.empty())
            continue;  // a description a branch has filled stays as it is

        // "Communications Port (COM1)" describes the device as
        // "Communications Port": cut at the first " (" when the first ")"
        // closes the name. A name that opens with " (" or whose first ")"
        // comes earlier is kept whole.
        std::string description = port.m_strDisplayName;
        const std::string::size_type open = description.find(" (");
        const std::string::size_type close = description.find(')');
        if (open != std::string::npos && open > 0 && close != std::string::npos &&
            close == description.size() - 1)
            description.resize(open);
        port.m_strDescription = std::move(description);
    }
}
