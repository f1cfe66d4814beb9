// Resource identifiers of Quillbox.
//
// Shared by the resource script (quillbox.rc) and the C++ sources, so this
// file holds nothing but #define lines: the resource compiler's preprocessor
// reads it as well as the C++ compiler.
#ifndef QUILLBOX_RES_RESOURCE_H
#define QUILLBOX_RES_RESOURCE_H

// ---- Dialog templates --------------------------------------------------------
#define IDD_ABOUTBOX                    100
#define IDD_MAIN                        102
#define IDD_SETTINGS                    134
#define IDD_OWNER                       139
#define IDD_EDITTEXT                    150
#define IDD_ALIAS                       154

// ---- Shared resource ids -------------------------------------------------------
// 128: window icon group, and the toolbar's button layout: 16-bit words
// version (1), button width, button height, button count, then the command id
// of each button from left to right.
#define IDR_MAINFRAME                   128
// Resource type of the toolbar layout. It is plain RCDATA (10): type 241 is
// read by some resource tools as a toolbar of their own, different format.
#define RT_QB_TOOLBAR                   10
// 129: tray icon group, tray menu and the tray tip string.
#define IDR_TRAY                        129
// 131: accelerator table of the item lists (Ctrl+A).
#define IDR_ACCEL                       131

// 165, 166: context menus of the active list and of the favorites.
#define IDR_ACTIVE_MENU                 165
#define IDR_FAVORITES_MENU              166

// ---- Icons ---------------------------------------------------------------------
#define IDI_APP                         IDR_MAINFRAME
#define IDI_TRAY                        IDR_TRAY
#define IDI_TOOL_EXIT                   146
#define IDI_TOOL_SETTINGS               147
#define IDI_TOOL_HELP                   148
#define IDI_TOOL_ABOUT                  149

// ---- Menus ---------------------------------------------------------------------
#define IDM_TRAY                        IDR_TRAY

// ---- Strings -------------------------------------------------------------------
#define IDS_ABOUTBOX                    101     // text of the about item in the system menu
#define IDS_TRAY_TIP                    IDR_TRAY
#define IDS_PRODUCT_LINE                57671   // also the main window's title
#define IDS_WEBSITE_ADDRESS             57672
#define IDS_MAIL_ADDRESS                57673
#define IDS_HELP_ADDRESS                57674

// ---- Main window (IDD_MAIN) and its run-time children --------------------------
#define IDC_WEBLOG_LINK                 110
#define IDC_ITEM_LIST                   101     // both list views
#define IDC_PREVIEW_PANE                102
#define IDC_FAVORITE_SEARCH             112
#define IDC_ACTIVE_SEARCH               113
#define IDC_TOOLBAR                     0xE800
#define IDC_CONTROL_BAR_FIRST           0xE800
#define IDC_CONTROL_BAR_LAST            0xE8FF
// System menu entry that opens the about box.
#define IDM_ABOUTBOX                    0x0010

// ---- About box (IDD_ABOUTBOX) --------------------------------------------------
#define IDC_CREDIT_LINK                 1004
#define IDC_WEBSITE_LINK                1014
#define IDC_PRODUCT_LINE                1018
#define IDC_MAKER_NOTICE                1019
#define IDC_DOWNLOAD_LABEL              1020
#define IDC_TERMS                       1021

// ---- Settings dialog (IDD_SETTINGS) --------------------------------------------
#define IDC_ENABLE_MONITORING           1012
#define IDC_ENABLE_POPUP_MENU           1013
#define IDC_ENABLE_AUTOHIDE             1025
#define IDC_ENABLE_FAVORITE_AUTOPASTE   1028
#define IDC_ENABLE_STARTUP              1029
#define IDC_MAX_FAVORITE_ITEMS          1030
#define IDC_MAX_ACTIVE_ITEMS            1031
#define IDC_POPUP_SHOW_ACTIVE           1032
#define IDC_POPUP_SHOW_FAVORITES        1033
#define IDC_POPUP_SHOW_BOTH             1034
#define IDC_STARTUP_MINIMIZED           1035
#define IDC_MENU_HOTKEY                 1038
#define IDC_FAVORITE_HOTKEY             1039

// ---- Edit dialog (IDD_EDITTEXT) ------------------------------------------------
#define IDC_EDIT_TEXT                   1036

// ---- Alias dialog (IDD_ALIAS) --------------------------------------------------
#define IDC_ALIAS_NAME                  1041
#define IDC_ALIAS_CONTENT               1042

// ---- Commands of the toolbar, the tray menu and the accelerator ----------------
#define ID_OPEN_MAIN                    32771
#define ID_SELECT_ALL                   32773
#define ID_SETTINGS                     32777
#define ID_EXIT                         32786
#define ID_ABOUT                        57664
#define ID_HELP_PAGE                    57670

// ---- Commands of the item lists' context menus ---------------------------------
#define ID_ADD_TO_FAVORITES             105
#define ID_MOVE_UP                      106
#define ID_MOVE_DOWN                    107
#define ID_MOVE_TO_TOP                  108
#define ID_MOVE_TO_BOTTOM               109
#define ID_MODIFY                       111
#define ID_ALIAS                        114
#define ID_IMPORT                       115
#define ID_EXPORT                       116
#define ID_DELETE                       32774
#define ID_DELETE_ALL                   32775
#define ID_RESTORE                      32780
#define ID_BACKUP                       32781

#endif // QUILLBOX_RES_RESOURCE_H
