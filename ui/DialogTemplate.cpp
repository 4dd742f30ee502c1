#include "DialogTemplate.h"

#include "Resource.h"

namespace {

constexpr unsigned kCombo = kStyleSort | kStyleVScroll | kStyleTabStop;
constexpr unsigned kEdit = kStyleBorder | kStyleAutoHScroll | kStyleTabStop;

// Right-hand column: on screen 1007, 1018, 1016 from top to bottom, but the
// template (and so the radio index) order is 1007, 1016, 1018.
constexpr SControlTemplate kMainControls[] = {
    {IDC_STATIC, "IDC_STATIC", ControlKind::Label, "串口号", 6, 8, 22, 8, kStyleNone},
    {IDC_COMBO_PORT, "IDC_COMBO_PORT", ControlKind::ComboBox, "", 35, 6, 68, 76, kCombo},
    {IDC_READ, "IDC_READ", ControlKind::PushButton, "读取", 174, 6, 58, 14, kStyleTabStop},
    {1, "IDOK", ControlKind::DefPushButton, "写入", 234, 6, 58, 14, kStyleTabStop},
    {IDC_STATIC, "IDC_STATIC", ControlKind::GroupBox, "OV VOXA (菜单9中设置)", 6, 24, 288, 132,
     kStyleNone},
    {IDC_RADIO_PRODUCT_TYPE, "IDC_RADIO_PRODUCT_TYPE", ControlKind::RadioButton, "产品类型", 12,
     42, 48, 10, kStyleGroup},
    {IDC_RADIO_MAC, "IDC_RADIO_MAC", ControlKind::RadioButton, "MAC地址", 12, 61, 60, 10,
     kStyleNone},
    {IDC_RADIO_IP, "IDC_RADIO_IP", ControlKind::RadioButton, "IP地址", 12, 78, 48, 10, kStyleNone},
    {IDC_RADIO_USID, "IDC_RADIO_USID", ControlKind::RadioButton, "USID", 12, 97, 48, 10,
     kStyleDisabled},
    {IDC_RADIO_UCID, "IDC_RADIO_UCID", ControlKind::RadioButton, "UCID", 12, 114, 48, 10,
     kStyleDisabled},
    {IDC_RADIO_CLEAR_AD_EEPROM, "IDC_RADIO_CLEAR_AD_EEPROM", ControlKind::RadioButton,
     "清除AD板EEPROM", 192, 42, 70, 10, kStyleNone},
    {IDC_RADIO_UPGRADE_PRINTER, "IDC_RADIO_UPGRADE_PRINTER", ControlKind::RadioButton,
     "升级打印机驱动", 192, 78, 60, 10, kStyleDisabled},
    {IDC_RADIO_CLEAR_MAIN_EEPROM, "IDC_RADIO_CLEAR_MAIN_EEPROM", ControlKind::RadioButton,
     "清除主板EEPROM", 192, 60, 68, 10, kStyleNone},
    {IDC_COMBO_PRODUCT_TYPE, "IDC_COMBO_PRODUCT_TYPE", ControlKind::ComboBox, "", 72, 42, 96, 30,
     kCombo},
    {IDC_EDIT_MAC, "IDC_EDIT_MAC", ControlKind::Edit, "", 72, 60, 96, 14, kEdit},
    {IDC_IPADDRESS, "IDC_IPADDRESS", ControlKind::IpAddress, "", 72, 78, 96, 15, kStyleTabStop},
    {IDC_EDIT_USID, "IDC_EDIT_USID", ControlKind::Edit, "", 72, 96, 96, 14,
     kEdit | kStyleDisabled},
    {IDC_EDIT_UCID, "IDC_EDIT_UCID", ControlKind::Edit, "", 72, 114, 96, 14,
     kEdit | kStyleDisabled},
    {IDC_LIST_RESULT, "IDC_LIST_RESULT", ControlKind::ListBox, "", 6, 162, 288, 34,
     kStyleBorder | kStyleVScroll | kStyleNotify | kStyleSort | kStyleNoIntegralHeight |
         kStyleTabStop},
};

constexpr SControlTemplate kAboutControls[] = {
    {IDC_STATIC, "IDR_MAINFRAME", ControlKind::Picture, "", 14, 14, 20, 20, kStyleNone},
    {IDC_STATIC, "IDC_STATIC", ControlKind::Label, "VA Dire，1.0.2 版", 42, 14, 114, 8,
     kStyleNoPrefix | kStyleGroup},
    {1, "IDOK", ControlKind::DefPushButton, "确定", 113, 41, 50, 14,
     kStyleGroup | kStyleTabStop},
};

constexpr SDialogTemplate kMainDialog{
    IDD_MAIN, "Orvane VADire(Build Date 2017-05-11)", 299, 203, 9, true, kMainControls};
constexpr SDialogTemplate kAboutDialog{
    IDD_ABOUTBOX, "关于 VA Dire", 170, 62, 9, false, kAboutControls};

}  // namespace

const SDialogTemplate& MainDialogTemplate() { return kMainDialog; }
const SDialogTemplate& AboutDialogTemplate() { return kAboutDialog; }

const SControlTemplate* FindControl(const SDialogTemplate& dlg, int nId)
{
    for (const SControlTemplate& control : dlg.controls) {
        if (control.nId == nId) return &control;
    }
    return nullptr;
}

std::string_view LoadStringResource(int nId)
{
    if (nId == IDS_ABOUTBOX) return "关于 TessorDeployTool(&A)...";
    return {};
}
