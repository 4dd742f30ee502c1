// The tool's working window (template 102): the port list, the operation
// radio group with the value beside each operation, Read and Write, and the
// result list. The logic behind it is plain C++ (RunOperation, FillPortList,
// the radio group); this class builds the window and lends it to that logic
// through IDialogView.
#pragma once

#include <QDialog>
#include <QIcon>
#include <functional>
#include <vector>

#include "DeviceLink.h"
#include "DialogView.h"
#include "GbkCodePage.h"
#include "MessageBox.h"
#include "PortList.h"
#include "TemplateWidgets.h"

class CIpAddressCtrl;
class QAction;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// What the dialog takes from outside; an empty function means the default.
struct SDialogSeams {
    PortSource portSource;   // default: CollectSerialPorts on this machine
    MessageBoxFn messageBox; // default: ShowMessageBox, modal
    // Runs the About box over the dialog; without one there is no About entry.
    std::function<void(QWidget& owner)> aboutBox;
};

class CTessorDeployToolDlg : public QDialog, private IDialogView {
    Q_OBJECT
public:
    explicit CTessorDeployToolDlg(SDialogSeams seams = {}, QWidget* parent = nullptr);
    ~CTessorDeployToolDlg() override;

    // The first show runs OnInitDialog, so the window appears filled.
    void setVisible(bool bVisible) override;

    // The selected operation as the radio group last stored it (0 to 7, -1
    // when none is selected).
    int SelectedOperation() const { return m_nOperation; }
    // A control by its id (Resource.h), or null.
    QWidget* Control(int nId) const { return FindBuiltControl(m_controls, nId); }

protected:
    // bSaveAndValidate: from the controls into the members, else towards them.
    void DoDataExchange(bool bSaveAndValidate);
    bool OnInitDialog();
    void OnSysCommand(unsigned nID);

private slots:
    void OnRadioClicked();
    void OnWriteClicked();
    void OnReadClicked();
    void OpenAboutBox();

private:
    void FillPortList();
    void RunOperation();

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

    std::vector<SBuiltControl> m_controls;
    QIcon m_hIcon;
    QPushButton* m_btnWrite = nullptr;
    QComboBox* m_comboPort = nullptr;
    QComboBox* m_comboProductType = nullptr;
    QLineEdit* m_editMac = nullptr;
    CIpAddressCtrl* m_ipAddress = nullptr;
    QLineEdit* m_editUsid = nullptr;
    QLineEdit* m_editUcid = nullptr;
    int m_nOperation = 0;
    BOOL m_bRead = FALSE;
    CDeviceLink m_deviceLink;
    QListWidget* m_listResult = nullptr;
    QAction* m_aboutAction = nullptr;

    CGbkCodePage m_codePage;
    SDialogSeams m_seams;
    bool m_bInitialized = false;
};
