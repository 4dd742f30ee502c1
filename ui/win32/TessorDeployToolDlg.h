// The tool's working window on Windows, built by the dialog manager from
// template 102: the port list, the operation radio group with the value
// beside each operation, Read and Write, and the result list. The logic
// behind it (RunOperation, FillPortList, the radio group) is the plain C++
// every front end shares; this class lends it the window through
// IDialogView.
#pragma once

#include <functional>

#include "Controls.h"
#include "DeviceLink.h"
#include "Dialog.h"
#include "DialogView.h"
#include "GbkCodePage.h"
#include "PortList.h"

// What the dialog takes from outside; an empty function means the default.
struct SDialogSeams {
    PortSource portSource;  // default: CollectSerialPorts on this machine
    // Runs the About box over the dialog; without one there is no About entry.
    std::function<void(HWND hOwner)> aboutBox;
};

class CTessorDeployToolDlg : public CDialog, private IDialogView {
public:
    explicit CTessorDeployToolDlg(SDialogSeams seams = {}, HWND hParent = nullptr);
    ~CTessorDeployToolDlg() override;

protected:
    static const SMessageMap* GetThisMessageMap();
    const SMessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnRadioClicked();
    void FillPortList();
    void OnWriteClicked();
    void OnReadClicked();
    void RunOperation();

private:
    // IDialogView
    int MessageBox(const std::string& text, UINT type) override;
    void ResetContent(int nId) override;
    void InsertString(int nId, int nIndex, const std::string& text) override;
    std::string GetWindowText(int nId) const override;
    void SetWindowText(int nId, const std::string& text) override;
    bool IsChecked(int nId) const override;
    void SetCheck(int nId, bool bChecked) override;
    bool IsIpBlank(int nId) const override;
    DWORD GetIpAddress(int nId) const override;

    HICON m_hIcon;
    CButton m_btnWrite;
    CComboBox m_comboPort;
    CComboBox m_comboProductType;
    CEdit m_editMac;
    CIPAddressCtrl m_ipAddress;
    CEdit m_editUsid;
    CEdit m_editUcid;
    int m_nOperation;
    BOOL m_bRead = FALSE;
    CDeviceLink m_deviceLink;
    CListBox m_listResult;

    CGbkCodePage m_codePage;
    SDialogSeams m_seams;
};
