#pragma once
// Resource numbers of the saver program. Shared by quorvane.rc and the C++ code; plain defines,
// since the resource compiler reads this file too.

#define IDS_SAVER_DESCRIPTION 1
#define IDS_CREDIT_LINE 106
#define IDS_NOTICE_TEXT 107
#define IDS_WINDOW_TITLE 108
#define IDS_VERSION_TEXT 110
#define IDS_CLASS_NAME 111

#define IDR_SAVER_ACCELERATORS 109
#define IDM_ACCELERATOR_COMMAND 104

#define IDI_SAVER_ICON 196

#define IDD_SETTINGS_DIALOG 136
#define IDD_ABOUT_DIALOG 133
#define IDB_ABOUT_PICTURE 135

// Controls of the settings dialog (136).
#define IDC_BACKGROUND_COLOR 3
#define IDC_FONT_COLOR 4
#define IDC_SET_DEFAULT 6
#define IDC_ABOUT_BUTTON 7
#define IDC_HOME_PAGE 8
#define IDC_SELECT_PGN 9
#define IDC_SKIN_LIST 1006
#define IDC_SKIN_PREVIEW 1008
#define IDC_SHOW_INFO 1015
#define IDC_SHOW_LAST_MOVE 1016
#define IDC_PAUSE_SMALL 1017
#define IDC_PAUSE_MEDIUM 1018
#define IDC_PAUSE_LARGE 1019
#define IDC_RANDOM_SKIN 1020
#define IDC_PGN_PATH 1022
#define IDC_FIT_BOARD 1023
#define IDC_ANIMATE_MOVES 1024
#define IDC_MORE_SETTINGS 1025
#define IDC_SELECT_PGN_FOLDER 1026

// Controls of the "More settings" dialog, made at run time: row n of its form (in the settings
// table's order) has label IDC_MORE_LABEL + n, control IDC_MORE_CONTROL + n and, for a number,
// arrows IDC_MORE_ARROWS + n.
#define IDC_MORE_LABEL 2000
#define IDC_MORE_CONTROL 2200
#define IDC_MORE_ARROWS 2400

// Controls of the About box (133).
#define IDC_ABOUT_PRODUCT 1009
#define IDC_ABOUT_CREDIT 1010
#define IDC_ABOUT_NOTICE 1011
#define IDC_ABOUT_PICTURE 1014
