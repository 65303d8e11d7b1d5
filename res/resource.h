// Resource ids and texts shared by the resource script and the code. Plain macros: windres reads
// this file too.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_ZEPHRA_DIALOG 102
#define IDR_MAINFRAME 128
#define IDR_MENU_MAIN 165
#define IDM_ABOUTBOX 0x0010
#define ID_FILE_EXIT 32771
#define ID_HELP_ABOUT 32773
#define ID_FILE_FIND_PRINTER 32774

#define IDS_ABOUTBOX_TEXT "About Orvo WLAN Utility"

// System-menu commands of every printer page (multiples of 16, below 0xF000).
#define IDM_SAVE_SETTINGS 0x0020
#define IDM_LOAD_SETTINGS 0x0030
#define IDM_PROTOCOL_TRACE 0x0040
#define IDM_RESTORE_BACKUP 0x0050
