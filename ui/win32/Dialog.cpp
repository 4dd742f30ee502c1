#include "Dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {

template <class... Fs>
struct Overloaded : Fs... {
    using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

}  // namespace

void DDX_Control(CDataExchange* pDX, int nId, CWnd& control)
{
    if (control.m_hWnd == nullptr)
        control.m_hWnd = ::GetDlgItem(pDX->m_pDlgWnd->GetSafeHwnd(), nId);
}

const SMessageMap* CDialog::GetThisMessageMap()
{
    static const SMessageMapEntry entries[] = {
        OnClicked(IDOK, &CDialog::OnOK),
        OnClicked(IDCANCEL, &CDialog::OnCancel),
    };
    static const SMessageMap map{nullptr, entries};
    return &map;
}

CDialog::CDialog(UINT nIDTemplate, HWND hParent) : m_nIDTemplate(nIDTemplate), m_hParent(hParent)
{
}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    // A template may name the IP-address control, whose window class the
    // common controls register only on request.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_INTERNET_CLASSES};
    ::InitCommonControlsEx(&controls);
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nIDTemplate),
                             m_hParent, &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(INT_PTR nResult)
{
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx{this, bSaveAndValidate};
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CDialog* self = nullptr;
    if (nMessage == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
        self->m_hWnd = hWnd;
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
    }
    // Messages that come before WM_INITDIALOG (WM_SETFONT) go to the dialog
    // manager alone.
    if (self == nullptr)
        return FALSE;
    const INT_PTR result = self->Dispatch(nMessage, wParam, lParam);
    if (nMessage == WM_NCDESTROY)
        self->m_hWnd = nullptr;
    return result;
}

const SMessageMapEntry* CDialog::FindEntry(UINT nMessage, WPARAM wParam) const
{
    for (const SMessageMap* map = GetMessageMap(); map != nullptr; map = map->pBaseMap) {
        for (const SMessageMapEntry& entry : map->entries) {
            if (entry.nMessage != nMessage)
                continue;
            if (nMessage == WM_COMMAND &&
                (entry.nCode != HIWORD(wParam) || entry.nId != LOWORD(wParam)))
                continue;
            return &entry;
        }
    }
    return nullptr;
}

INT_PTR CDialog::Dispatch(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_INITDIALOG) {
        const BOOL bFocusFirst = OnInitDialog();
        CenterOverOwner();
        return bFocusFirst;
    }

    const SMessageMapEntry* entry = FindEntry(nMessage, wParam);
    if (entry == nullptr)
        return FALSE;

    m_bDefault = false;
    INT_PTR direct = 0;
    std::visit(Overloaded{
                   [&](PfnVoid pfn) { (this->*pfn)(); },
                   [&](PfnSysCommand pfn) { (this->*pfn)(static_cast<UINT>(wParam), lParam); },
                   [&](PfnQueryIcon pfn) { direct = reinterpret_cast<INT_PTR>((this->*pfn)()); },
               },
               entry->pfn);
    if (m_bDefault)
        return FALSE;
    // WM_QUERYDRAGICON is one of the few messages whose answer is the
    // dialog procedure's own return value.
    if (nMessage == WM_QUERYDRAGICON)
        return direct;
    if (m_hWnd != nullptr)
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, 0);
    return TRUE;
}

void CDialog::CenterOverOwner()
{
    // A template without DS_CENTER placed at (0, 0) opens centred over its
    // owner; the main dialog centres itself on the screen.
    const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    const HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if ((style & DS_CENTER) != 0 || hOwner == nullptr)
        return;
    RECT dlg{};
    RECT owner{};
    ::GetWindowRect(m_hWnd, &dlg);
    ::GetWindowRect(hOwner, &owner);
    const int cx = dlg.right - dlg.left;
    const int cy = dlg.bottom - dlg.top;
    int x = owner.left + ((owner.right - owner.left) - cx) / 2;
    int y = owner.top + ((owner.bottom - owner.top) - cy) / 2;

    // Kept inside the work area of the owner's monitor.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (::GetMonitorInfoW(::MonitorFromWindow(hOwner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        x = std::max<int>(work.left, std::min<int>(x, work.right - cx));
        y = std::max<int>(work.top, std::min<int>(y, work.bottom - cy));
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring ApplicationName()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD nLength = ::GetModuleFileNameW(nullptr, path.data(),
                                                   static_cast<DWORD>(path.size()));
        if (nLength < path.size()) {
            path.resize(nLength);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::wstring name(path.begin(), path.end());
    const std::size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0)
        name.erase(dot);
    return name;
}
