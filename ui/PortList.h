// The port list of the main dialog: one entry per discovered port, showing
// the port number taken from the port's display name.
#pragma once

#include <functional>
#include <string>

#include "DialogView.h"
#include "SerialPortInfo.h"

// Fills the caller's array with the machine's serial ports; throws the
// message text as a std::string on failure (as CollectSerialPorts does).
using PortSource = std::function<void(SerInfoArray&)>;

// The port number shown for an 8-bit display name: what follows the first
// "(COM" (or, without one, everything from the fourth byte on), with every
// ")" removed.
std::string PortNumberFromDisplayName(const std::string& displayName);

// Inserts one entry per discovered port into IDC_COMBO_PORT, in discovery
// order. When discovery fails, its message is shown in a message box and
// the list stays empty (a port number can still be typed).
void FillPortList(IDialogView& view, const ICodePage& codePage, const PortSource& portSource);
