#include "TessorDeployToolDlg.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "AppIcon.h"
#include "IpAddressCtrl.h"
#include "RadioGroup.h"
#include "Resource.h"
#include "RunOperation.h"

namespace {

QString Utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename Widget>
Widget* Bind(const std::vector<SBuiltControl>& controls, int nId)
{
    return qobject_cast<Widget*>(FindBuiltControl(controls, nId));
}

constexpr const char* kProductTypes[] = {
    "vEdge", "Marlin 3200", "Marlin 3600", "vRover", "vTrack", "CrispDesk", "Comet 2100", "Comet 2900",
};

constexpr const char* kMacPrefix = "02:5A:C1:::";
constexpr const char* kHintLines[] = {
    "有些指令执行前需要按下标定开关.",
    "例如：MAC地址设置......",
};

}  // namespace

CTessorDeployToolDlg::CTessorDeployToolDlg(SDialogSeams seams, QWidget* parent)
    : QDialog(parent), m_hIcon(LoadAppIcon()), m_seams(std::move(seams))
{
    if (!m_seams.portSource) {
        m_seams.portSource = [](SerInfoArray& ports) { CollectSerialPorts(ports); };
    }
    if (!m_seams.messageBox) m_seams.messageBox = &ShowMessageBox;

    ApplyDialogTemplate(*this, MainDialogTemplate(), m_controls);
    DoDataExchange(false);

    for (const int nRadioId : radiogroup::kOperationRadioIds) {
        connect(Bind<QRadioButton>(m_controls, nRadioId), &QRadioButton::clicked, this,
                &CTessorDeployToolDlg::OnRadioClicked);
    }
    connect(m_btnWrite, &QPushButton::clicked, this, &CTessorDeployToolDlg::OnWriteClicked);
    connect(Bind<QPushButton>(m_controls, IDC_READ), &QPushButton::clicked, this,
            &CTessorDeployToolDlg::OnReadClicked);
}

CTessorDeployToolDlg::~CTessorDeployToolDlg() = default;

void CTessorDeployToolDlg::setVisible(bool bVisible)
{
    if (bVisible && !m_bInitialized) {
        m_bInitialized = true;
        OnInitDialog();
    }
    QDialog::setVisible(bVisible);
}

void CTessorDeployToolDlg::DoDataExchange(bool bSaveAndValidate)
{
    // Binding happens once, the first time through; the widgets stay put.
    if (m_btnWrite == nullptr) {
        m_btnWrite = Bind<QPushButton>(m_controls, IDOK);
        m_comboPort = Bind<QComboBox>(m_controls, IDC_COMBO_PORT);
        m_comboProductType = Bind<QComboBox>(m_controls, IDC_COMBO_PRODUCT_TYPE);
        m_editMac = Bind<QLineEdit>(m_controls, IDC_EDIT_MAC);
        m_ipAddress = Bind<CIpAddressCtrl>(m_controls, IDC_IPADDRESS);
        m_editUsid = Bind<QLineEdit>(m_controls, IDC_EDIT_USID);
        m_editUcid = Bind<QLineEdit>(m_controls, IDC_EDIT_UCID);
    }
    if (bSaveAndValidate) {
        m_nOperation = radiogroup::FromControls(*this);
    } else {
        radiogroup::ToControls(*this, m_nOperation);
    }
    if (m_listResult == nullptr) m_listResult = Bind<QListWidget>(m_controls, IDC_LIST_RESULT);
}

bool CTessorDeployToolDlg::OnInitDialog()
{
    DoDataExchange(false);

    // The window manager owns the title-bar menu here, so the About entry
    // lives in the dialog's context menu instead.
    const std::string_view aboutText = LoadStringResource(IDS_ABOUTBOX);
    if (!aboutText.empty() && m_seams.aboutBox && m_aboutAction == nullptr) {
        m_aboutAction = addAction(Utf8(std::string(aboutText)));
        m_aboutAction->setObjectName(QStringLiteral("IDM_ABOUTBOX"));
        m_aboutAction->setProperty(kControlIdProperty, IDM_ABOUTBOX);
        connect(m_aboutAction, &QAction::triggered, this, &CTessorDeployToolDlg::OpenAboutBox);
        setContextMenuPolicy(Qt::ActionsContextMenu);
    }

    setWindowIcon(m_hIcon);

    for (int i = 0; i < static_cast<int>(std::size(kProductTypes)); ++i) {
        InsertString(IDC_COMBO_PRODUCT_TYPE, i, kProductTypes[i]);
    }
    m_comboProductType->setCurrentIndex(-1);
    SetWindowText(IDC_EDIT_MAC, kMacPrefix);
    for (int i = 0; i < static_cast<int>(std::size(kHintLines)); ++i) {
        InsertString(IDC_LIST_RESULT, i, kHintLines[i]);
    }

    FillPortList();

    // The first tab stop, the port list, takes the keyboard focus.
    m_comboPort->setFocus(Qt::OtherFocusReason);
    return true;
}

void CTessorDeployToolDlg::OnSysCommand(unsigned nID)
{
    if ((nID & 0xFFF0u) == IDM_ABOUTBOX && m_seams.aboutBox) m_seams.aboutBox(*this);
}

void CTessorDeployToolDlg::OpenAboutBox() { OnSysCommand(IDM_ABOUTBOX); }

void CTessorDeployToolDlg::OnRadioClicked() { DoDataExchange(true); }

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

void CTessorDeployToolDlg::FillPortList()
{
    ::FillPortList(*this, m_codePage, m_seams.portSource);
    m_comboPort->setCurrentIndex(-1);
}

void CTessorDeployToolDlg::RunOperation()
{
    dlglogic::RunOperation(*this, m_codePage, m_deviceLink, m_nOperation, m_bRead);
}

int CTessorDeployToolDlg::MessageBox(const std::string& text, UINT type)
{
    return m_seams.messageBox(this, Utf8(text), type);
}

void CTessorDeployToolDlg::ResetContent(int nId)
{
    QWidget* control = Control(nId);
    if (auto* list = qobject_cast<QListWidget*>(control)) list->clear();
    if (auto* combo = qobject_cast<QComboBox*>(control)) combo->clear();
}

void CTessorDeployToolDlg::InsertString(int nId, int nIndex, const std::string& text)
{
    QWidget* control = Control(nId);
    if (auto* list = qobject_cast<QListWidget*>(control)) list->insertItem(nIndex, Utf8(text));
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        // Inserting must not select anything or change the edit field (a
        // combo selects the first entry put into an empty list).
        const int nCurrent = combo->currentIndex();
        const QString current = combo->currentText();
        combo->insertItem(nIndex, Utf8(text));
        if (nCurrent < 0) combo->setCurrentIndex(-1);
        combo->setEditText(current);
    }
}

std::string CTessorDeployToolDlg::GetWindowText(int nId) const
{
    QWidget* control = Control(nId);
    if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->currentText().toStdString();
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text().toStdString();
    return {};
}

void CTessorDeployToolDlg::SetWindowText(int nId, const std::string& text)
{
    QWidget* control = Control(nId);
    if (auto* combo = qobject_cast<QComboBox*>(control)) combo->setEditText(Utf8(text));
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->setText(Utf8(text));
}

bool CTessorDeployToolDlg::IsChecked(int nId) const
{
    const auto* radio = qobject_cast<QRadioButton*>(Control(nId));
    return radio != nullptr && radio->isChecked();
}

void CTessorDeployToolDlg::SetCheck(int nId, bool bChecked)
{
    auto* radio = qobject_cast<QRadioButton*>(Control(nId));
    if (radio == nullptr || radio->isChecked() == bChecked) return;
    if (bChecked) {
        radio->setChecked(true);
        return;
    }
    // An exclusive group refuses to clear its checked button directly.
    radio->setAutoExclusive(false);
    radio->setChecked(false);
    radio->setAutoExclusive(true);
}

bool CTessorDeployToolDlg::IsIpBlank(int nId) const
{
    const auto* ip = qobject_cast<CIpAddressCtrl*>(Control(nId));
    return ip == nullptr || ip->IsBlank();
}

DWORD CTessorDeployToolDlg::GetIpAddress(int nId) const
{
    const auto* ip = qobject_cast<CIpAddressCtrl*>(Control(nId));
    return ip != nullptr ? ip->GetAddress() : 0;
}
