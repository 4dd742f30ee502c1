// The About box (template 100): the icon, the name and version line, OK.
// Everything it does (OK, Enter, Escape, the close button end it) is the
// dialog layer's default handling.
#pragma once

#include "Dialog.h"

class CAboutDlg : public CDialog {
public:
    // The About box opens centred over its owner.
    explicit CAboutDlg(HWND hOwner = nullptr);
    ~CAboutDlg() override;
};

// Constructs the About box over hOwner and runs it modally; what it returns
// is of no interest.
void RunAboutBox(HWND hOwner);
