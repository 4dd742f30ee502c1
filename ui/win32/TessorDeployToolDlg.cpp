#include "TessorDeployToolDlg.h"

#include <iterator>

#include "RadioGroup.h"
#include "Resource.h"
#include "RunOperation.h"
#include "WideText.h"

namespace {

constexpr const char* kProductTypes[] = {
    "vEdge", "Marlin 3200", "Marlin 3600", "vRover", "vTrack", "CrispDesk", "Comet 2100", "Comet 2900",
};

constexpr const char* kMacPrefix = "02:5A:C1:::";
constexpr const char* kHintLines[] = {
    "有些指令执行前需要按下标定开关.",
    "例如：MAC地址设置......",
};

}  // namespace

CTessorDeployToolDlg::CTessorDeployToolDlg(SDialogSeams seams, HWND hParent)
    : CDialog(IDD_MAIN, hParent), m_nOperation(0), m_seams(std::move(seams))
{
    if (!m_seams.portSource)
        m_seams.portSource = [](SerInfoArray& ports) { CollectSerialPorts(ports); };
    m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CTessorDeployToolDlg::~CTessorDeployToolDlg() = default;

const SMessageMap* CTessorDeployToolDlg::GetThisMessageMap()
{
    using Self = CTessorDeployToolDlg;
    static const SMessageMapEntry entries[] = {
        OnMessage(WM_SYSCOMMAND, &Self::OnSysCommand),
        OnMessage(WM_PAINT, &Self::OnPaint),
        OnMessage(WM_QUERYDRAGICON, &Self::OnQueryDragIcon),
        OnClicked(IDC_RADIO_PRODUCT_TYPE, &Self::OnRadioClicked),
        OnClicked(IDC_RADIO_MAC, &Self::OnRadioClicked),
        OnClicked(IDC_RADIO_IP, &Self::OnRadioClicked),
        OnClicked(IDC_RADIO_CLEAR_AD_EEPROM, &Self::OnRadioClicked),
        OnClicked(IDC_RADIO_USID, &Self::OnRadioClicked),
        OnClicked(IDC_RADIO_UCID, &Self::OnRadioClicked),
        OnClicked(IDC_RADIO_UPGRADE_PRINTER, &Self::OnRadioClicked),
        OnClicked(IDC_RADIO_CLEAR_MAIN_EEPROM, &Self::OnRadioClicked),
        // IDOK runs a Write and never reaches the base, so the dialog ends
        // only through IDCANCEL.
        OnClicked(IDOK, &Self::OnWriteClicked),
        OnClicked(IDC_READ, &Self::OnReadClicked),
    };
    static const SMessageMap map{CDialog::GetThisMessageMap(), entries};
    return &map;
}

void CTessorDeployToolDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnWrite);
    DDX_Control(pDX, IDC_COMBO_PORT, m_comboPort);
    DDX_Control(pDX, IDC_COMBO_PRODUCT_TYPE, m_comboProductType);
    DDX_Control(pDX, IDC_EDIT_MAC, m_editMac);
    DDX_Control(pDX, IDC_IPADDRESS, m_ipAddress);
    DDX_Control(pDX, IDC_EDIT_USID, m_editUsid);
    DDX_Control(pDX, IDC_EDIT_UCID, m_editUcid);
    if (pDX->m_bSaveAndValidate)
        m_nOperation = radiogroup::FromControls(*this);
    else
        radiogroup::ToControls(*this, m_nOperation);
    DDX_Control(pDX, IDC_LIST_RESULT, m_listResult);
}

BOOL CTessorDeployToolDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // "About" at the end of the system menu, behind a separator.
    if (const HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE); hSysMenu != nullptr && m_seams.aboutBox) {
        const wchar_t* pszAbout = nullptr;
        const int nLength = ::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX,
                                          reinterpret_cast<wchar_t*>(&pszAbout), 0);
        if (nLength > 0) {
            const std::wstring about(pszAbout, static_cast<std::size_t>(nLength));
            ::AppendMenuW(hSysMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(hSysMenu, MF_STRING, IDM_ABOUTBOX, about.c_str());
        }
    }

    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    for (int i = 0; i < static_cast<int>(std::size(kProductTypes)); ++i)
        m_comboProductType.InsertString(i, kProductTypes[i]);
    SetWindowText(IDC_EDIT_MAC, kMacPrefix);
    for (int i = 0; i < static_cast<int>(std::size(kHintLines)); ++i)
        m_listResult.InsertString(i, kHintLines[i]);

    FillPortList();
    return TRUE;  // the focus goes to the first tab stop, the port list
}

void CTessorDeployToolDlg::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0u) == IDM_ABOUTBOX && m_seams.aboutBox)
        m_seams.aboutBox(m_hWnd);
    else
        Default();
}

void CTessorDeployToolDlg::OnPaint()
{
    if (!::IsIconic(m_hWnd)) {
        Default();
        return;
    }
    // Minimised: the icon, centred in the client area.
    PAINTSTRUCT paint{};
    const HDC hDC = ::BeginPaint(m_hWnd, &paint);
    ::SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hDC), 0);
    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    ::DrawIcon(hDC, x, y, m_hIcon);
    ::EndPaint(m_hWnd, &paint);
}

HCURSOR CTessorDeployToolDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CTessorDeployToolDlg::OnRadioClicked()
{
    UpdateData(TRUE);
}

void CTessorDeployToolDlg::FillPortList()
{
    ::FillPortList(*this, m_codePage, m_seams.portSource);
}

void CTessorDeployToolDlg::OnWriteClicked()
{
    m_bRead = FALSE;
    RunOperation();
}

void CTessorDeployToolDlg::OnReadClicked()
{
    m_bRead = TRUE;
    RunOperation();
}

void CTessorDeployToolDlg::RunOperation()
{
    dlglogic::RunOperation(*this, m_codePage, m_deviceLink, m_nOperation, m_bRead);
}

int CTessorDeployToolDlg::MessageBox(const std::string& text, UINT type)
{
    return ::MessageBoxW(m_hWnd, Widen(text).c_str(), ApplicationName().c_str(), type);
}

void CTessorDeployToolDlg::ResetContent(int nId)
{
    if (nId == IDC_LIST_RESULT)
        m_listResult.ResetContent();
    else if (nId == IDC_COMBO_PORT)
        m_comboPort.ResetContent();
    else if (nId == IDC_COMBO_PRODUCT_TYPE)
        m_comboProductType.ResetContent();
}

void CTessorDeployToolDlg::InsertString(int nId, int nIndex, const std::string& text)
{
    if (nId == IDC_LIST_RESULT)
        m_listResult.InsertString(nIndex, text);
    else if (nId == IDC_COMBO_PORT)
        m_comboPort.InsertString(nIndex, text);
    else if (nId == IDC_COMBO_PRODUCT_TYPE)
        m_comboProductType.InsertString(nIndex, text);
}

std::string CTessorDeployToolDlg::GetWindowText(int nId) const
{
    return WindowTextUtf8(::GetDlgItem(m_hWnd, nId));
}

void CTessorDeployToolDlg::SetWindowText(int nId, const std::string& text)
{
    ::SetWindowTextW(::GetDlgItem(m_hWnd, nId), Widen(text).c_str());
}

bool CTessorDeployToolDlg::IsChecked(int nId) const
{
    return ::IsDlgButtonChecked(m_hWnd, nId) == BST_CHECKED;
}

void CTessorDeployToolDlg::SetCheck(int nId, bool bChecked)
{
    ::CheckDlgButton(m_hWnd, nId, bChecked ? BST_CHECKED : BST_UNCHECKED);
}

bool CTessorDeployToolDlg::IsIpBlank(int nId) const
{
    return nId != IDC_IPADDRESS || m_ipAddress.IsBlank();
}

DWORD CTessorDeployToolDlg::GetIpAddress(int nId) const
{
    return nId == IDC_IPADDRESS ? m_ipAddress.GetAddress() : 0;
}
