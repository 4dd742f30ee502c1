#include "AboutDlg.h"

#include "Resource.h"

CAboutDlg::CAboutDlg(HWND hOwner) : CDialog(IDD_ABOUTBOX, hOwner) {}

CAboutDlg::~CAboutDlg() = default;

void RunAboutBox(HWND hOwner)
{
    CAboutDlg dlg(hOwner);
    dlg.DoModal();
}
