#include "Controls.h"

#include <commctrl.h>

#include "WideText.h"

void CComboBox::ResetContent()
{
    ::SendMessageW(m_hWnd, CB_RESETCONTENT, 0, 0);
}

void CComboBox::InsertString(int nIndex, const std::string& text)
{
    const std::wstring wide = Widen(text);
    ::SendMessageW(m_hWnd, CB_INSERTSTRING, static_cast<WPARAM>(nIndex),
                   reinterpret_cast<LPARAM>(wide.c_str()));
}

void CListBox::ResetContent()
{
    ::SendMessageW(m_hWnd, LB_RESETCONTENT, 0, 0);
}

void CListBox::InsertString(int nIndex, const std::string& text)
{
    const std::wstring wide = Widen(text);
    ::SendMessageW(m_hWnd, LB_INSERTSTRING, static_cast<WPARAM>(nIndex),
                   reinterpret_cast<LPARAM>(wide.c_str()));
}

bool CIPAddressCtrl::IsBlank() const
{
    return ::SendMessageW(m_hWnd, IPM_ISBLANK, 0, 0) != 0;
}

DWORD CIPAddressCtrl::GetAddress() const
{
    DWORD dwAddress = 0;
    ::SendMessageW(m_hWnd, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&dwAddress));
    return dwAddress;
}
