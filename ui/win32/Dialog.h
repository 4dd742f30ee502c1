// A small dialog layer over the Win32 dialog manager, for what the tool's
// dialogs need of an application framework: a modal run from a template,
// a static message map per class that falls back to its base class's map,
// data exchange between controls and members, and OK/Cancel handling.
#pragma once

#include <span>
#include <string>
#include <variant>

#include "PlatformTypes.h"

class CDialog;
class CWnd;

// The handler shapes a message map entry can hold.
using PfnVoid = void (CDialog::*)();                    // WM_COMMAND notifications, WM_PAINT
using PfnSysCommand = void (CDialog::*)(UINT, LPARAM);  // WM_SYSCOMMAND
using PfnQueryIcon = HCURSOR (CDialog::*)();            // WM_QUERYDRAGICON

struct SMessageMapEntry {
    UINT nMessage;
    UINT nCode;  // WM_COMMAND only: the notification code
    UINT nId;    // WM_COMMAND only: the control id
    std::variant<PfnVoid, PfnSysCommand, PfnQueryIcon> pfn;
};

struct SMessageMap {
    const SMessageMap* pBaseMap;  // searched when no entry here matches
    std::span<const SMessageMapEntry> entries;
};

// Entries of a class's map. The handler is a member of that class; the
// dialog layer calls it through the base type, as T derives from CDialog.
template <class T>
SMessageMapEntry OnClicked(UINT nId, void (T::*pfn)())
{
    return {WM_COMMAND, BN_CLICKED, nId, static_cast<PfnVoid>(pfn)};
}
template <class T>
SMessageMapEntry OnMessage(UINT nMessage, void (T::*pfn)())
{
    return {nMessage, 0, 0, static_cast<PfnVoid>(pfn)};
}
template <class T>
SMessageMapEntry OnMessage(UINT nMessage, void (T::*pfn)(UINT, LPARAM))
{
    return {nMessage, 0, 0, static_cast<PfnSysCommand>(pfn)};
}
template <class T>
SMessageMapEntry OnMessage(UINT nMessage, HCURSOR (T::*pfn)())
{
    return {nMessage, 0, 0, static_cast<PfnQueryIcon>(pfn)};
}

// The direction of one data exchange.
struct CDataExchange {
    CDialog* m_pDlgWnd;
    BOOL m_bSaveAndValidate;  // TRUE: from the controls into the members
};

// A window the dialog owns through its template; bound to it by DDX_Control.
class CWnd {
public:
    HWND GetSafeHwnd() const { return m_hWnd; }

    HWND m_hWnd = nullptr;
};

// Attaches control to the dialog's control nId the first time it runs;
// afterwards, in either direction, it does nothing.
void DDX_Control(CDataExchange* pDX, int nId, CWnd& control);

class CDialog : public CWnd {
public:
    // nIDTemplate: the dialog template in this program's resources.
    explicit CDialog(UINT nIDTemplate, HWND hParent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Creates the window from the template, runs a modal loop until the
    // dialog ends, destroys the window and returns the end code (-1 when
    // the window cannot be created).
    INT_PTR DoModal();
    void EndDialog(INT_PTR nResult);

    // Runs the data exchange; bSaveAndValidate TRUE: from the controls.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

protected:
    // The class's own map (static, one per class) and, through the virtual
    // call, the map of the object's most derived class.
    static const SMessageMap* GetThisMessageMap();
    virtual const SMessageMap* GetMessageMap() const { return GetThisMessageMap(); }
    virtual void DoDataExchange(CDataExchange* pDX);
    // Runs the data exchange towards the controls; TRUE lets the dialog
    // manager put the focus on the first tab stop.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // From a handler: let the dialog manager treat the message as if no
    // handler had been found (the default painting, system commands).
    void Default() { m_bDefault = true; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT nMessage, WPARAM wParam, LPARAM lParam);
    const SMessageMapEntry* FindEntry(UINT nMessage, WPARAM wParam) const;
    void CenterOverOwner();

    UINT m_nIDTemplate;
    HWND m_hParent;
    bool m_bDefault = false;
};

// The application's name: the executable's file name without folder and
// extension (VADire for VADire.exe). Message boxes carry it as caption.
std::wstring ApplicationName();
