// What a press of "读取" (Read) or "写入" (Write) does: the chosen operation
// from the operator's input to the result lines, through the device link.
#pragma once

#include "DeviceLink.h"
#include "DialogView.h"

namespace dlglogic {

// Runs operation nOperation (a DeviceOperation value, or -1 when no radio
// button is selected) in the direction bRead against the port typed or
// picked in IDC_COMBO_PORT, and writes the outcome into IDC_LIST_RESULT.
// After a Read of the MAC address the address read back goes into
// IDC_EDIT_MAC.
void RunOperation(IDialogView& view, const ICodePage& codePage, CDeviceLink& deviceLink,
                  int nOperation, BOOL bRead);

// The value of a MAC address reply: what follows "XP3301 A " without double
// quotes and line ends, or nothing when the reply lacks the key. UTF-8 in,
// UTF-8 out.
std::optional<std::string> MacFromReply(const std::string& reply);

}  // namespace dlglogic
