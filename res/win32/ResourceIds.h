// Resource and control ids for the resource script, as plain macros the
// resource compiler can read. The program's C++ code takes the same numbers
// from ui/Resource.h; the Windows resource test compares the two.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102
#define IDR_MAINFRAME 128

#define IDC_COMBO_PORT 1000
#define IDC_EDIT_MAC 1001
#define IDC_IPADDRESS 1002
#define IDC_COMBO_PRODUCT_TYPE 1003
#define IDC_RADIO_PRODUCT_TYPE 1004
#define IDC_RADIO_MAC 1005
#define IDC_RADIO_IP 1006
#define IDC_RADIO_CLEAR_AD_EEPROM 1007
#define IDC_RADIO_USID 1008
#define IDC_RADIO_UCID 1009
#define IDC_EDIT_USID 1010
#define IDC_EDIT_UCID 1011
#define IDC_LIST_RESULT 1014
#define IDC_READ 1015
#define IDC_RADIO_UPGRADE_PRINTER 1016
#define IDC_RADIO_CLEAR_MAIN_EEPROM 1018

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
