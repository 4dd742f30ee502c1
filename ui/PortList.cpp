#include "PortList.h"

#include <algorithm>

#include "Resource.h"

std::string PortNumberFromDisplayName(const std::string& displayName)
{
    // '(' is below every trail byte of code page 936, so a byte search never
    // matches inside a double-byte character.
    const std::string::size_type found = displayName.find("(COM");
    const std::string::size_type start = found == std::string::npos ? 3 : found + 4;
    std::string number = start < displayName.size() ? displayName.substr(start) : std::string();
    std::erase(number, ')');
    return number;
}

void FillPortList(IDialogView& view, const ICodePage& codePage, const PortSource& portSource)
{
    SerInfoArray ports;
    try {
        portSource(ports);
    } catch (const std::string& message) {
        // Records found before the failure are not offered: the operator
        // would take a partial list for the whole machine.
        view.MessageBox(codePage.Decode(message), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const std::string number = PortNumberFromDisplayName(ports[i].m_strDisplayName);
        view.InsertString(IDC_COMBO_PORT, static_cast<int>(i), codePage.Decode(number));
    }
}
