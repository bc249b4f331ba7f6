#pragma once
// Resource ids shared by Tressel.rc and the program.

#define IDD_MAIN 102
#define IDR_TRAY_MENU 151
#define IDI_APPLICATION_ICON 128
#define IDI_MENU_ENTRY 135
#define IDB_SKIN 140
#define IDB_MENU_TOP 150
#define IDB_MENU_SUB 156
#define IDB_MENU_RUN_PROGRAM 157
#define IDP_SAVE_AND_EXIT 145
#define IDP_CLOSE 147
