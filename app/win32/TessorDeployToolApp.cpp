#include "TessorDeployToolApp.h"

#include <commctrl.h>

#include "AboutDlg.h"
#include "TessorDeployToolDlg.h"

BOOL CTessorDeployToolApp::InitInstance()
{
    // The window classes of the common controls (ICC_WIN95_CLASSES); the
    // result is of no interest, start-up goes on regardless.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;  // 8
    controls.dwICC = ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&controls);

    // No embedded (ActiveX) controls are hosted, so there is no control
    // container to enable.
    m_strRegistryKey = L"应用程序向导生成的本地应用程序";

    SDialogSeams seams;
    seams.aboutBox = &RunAboutBox;
    CTessorDeployToolDlg dlg(std::move(seams));
    dlg.DoModal();  // ends only through cancel; -1 when it cannot be created
    return FALSE;
}
