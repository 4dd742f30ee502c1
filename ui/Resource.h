// Resource and control ids of the tool's dialogs. The numbers are part of
// the tool's face: tests and accessibility tools find controls by them.
#pragma once

// Dialog templates, the icon, the string table and the system-menu command.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDD_MAIN = 102;
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;

// Controls of the main dialog.
inline constexpr int IDC_COMBO_PORT = 1000;
inline constexpr int IDC_EDIT_MAC = 1001;
inline constexpr int IDC_IPADDRESS = 1002;
inline constexpr int IDC_COMBO_PRODUCT_TYPE = 1003;
inline constexpr int IDC_RADIO_PRODUCT_TYPE = 1004;
inline constexpr int IDC_RADIO_MAC = 1005;
inline constexpr int IDC_RADIO_IP = 1006;
inline constexpr int IDC_RADIO_CLEAR_AD_EEPROM = 1007;
inline constexpr int IDC_RADIO_USID = 1008;
inline constexpr int IDC_RADIO_UCID = 1009;
inline constexpr int IDC_EDIT_USID = 1010;
inline constexpr int IDC_EDIT_UCID = 1011;
inline constexpr int IDC_LIST_RESULT = 1014;
inline constexpr int IDC_READ = 1015;
inline constexpr int IDC_RADIO_UPGRADE_PRINTER = 1016;
inline constexpr int IDC_RADIO_CLEAR_MAIN_EEPROM = 1018;

// Controls without an id of their own (labels, group boxes, pictures).
inline constexpr int IDC_STATIC = -1;
