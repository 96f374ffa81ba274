// Resource ids. The settings catalogue's string ids are fixed numbers (see catalogue_ids.h);
// everything else is numbered here, each kind in its own block.
#pragma once

// Icons.
#define IDI_VIREO 1
// The page buttons' icons (101 on) are numbered in the table of pages, pages.def.
#define IDI_LOGO 110
#define IDI_WAIT 111

// Menus and accelerators.
#define IDR_MAIN_MENU 200
#define IDR_MAIN_ACCEL 201

// Menu commands of the main window.
#define IDM_FILE_REFRESH 40001
#define IDM_FILE_EXIT 40002
#define IDM_FILE_FIND 40003       // "Найти параметр..." (Ctrl+F)
#define IDM_FILE_FIND_NEXT 40004  // "Найти далее" (F3)
// "Сервис".
#define IDM_SERVICE_TOGGLE 40101
#define IDM_SERVICE_RUN 40102
#define IDM_SERVICE_SAVEREG 40103
#define IDM_SERVICE_LOADREG 40104
#define IDM_SERVICE_SETUP 40105
#define IDM_SERVICE_LOAD_SETUP 40106
#define IDM_SERVICE_EXIT 40107
#define IDM_SERVICE_REBOOT 40108
#define IDM_SERVICE_POWER 40109
#define IDM_SERVICE_LOGOFF_STANDARD 40110
#define IDM_SERVICE_LOGOFF_FORCE 40111
#define IDM_SERVICE_CLEAN 40112
#define IDM_SERVICE_JOURNAL 40113
// "Справка".
#define IDM_HELP_HELP 40201
#define IDM_HELP_LICENSE 40202
#define IDM_HELP_MAIL 40203
#define IDM_HELP_ABOUT 40204
#define IDM_HELP_WINDOWS 40205
#define IDM_HELP_OS 40206
// The launch menus, made at run time: entry i of "Программы" (1 to 24) and of "Апплеты" (1 to
// 21) has the command id of its menu's first id plus i.
#define IDM_PROGRAM_FIRST 41000
#define IDM_APPLET_FIRST 41100

// Control ids of the main window: each is the control's Win32 child id, what the tests find it
// by, and what the Wine driver asks for. Each page has its own block; an array's element i has
// the id of its first element plus i. An id says what the control is; where the design names
// it otherwise, the comment beside it gives the design's name and the id it had before.
// The shell: the page buttons, the page frames and their titles, in the order of the buttons.
#define IDC_BAR_HEADER 1000  // cmd0, IDC_GUI_SHELL
#define IDC_PAGE_BUTTON_FIRST 1001
#define IDC_PAGE_FIRST 1011
#define IDC_PAGE_TITLE_FIRST 1021
// The frames that group the catalogue's settings, numbered as main::Group.
#define IDC_GROUP_FIRST 1040
// The catalogue-bound arrays chk, chkm, chka, opt and txt (their sizes: catalogue_ids.h).
#define IDC_RESTRICTION_FIRST 1100     // chk, IDC_CHK_FIRST
#define IDC_MY_COMPUTER_FIRST 1130     // chkm, IDC_CHKM_FIRST
#define IDC_CHECK_SETTING_FIRST 1140   // chka, IDC_CHKA_FIRST
#define IDC_CHOICE_SETTING_FIRST 1160  // opt, IDC_OPT_FIRST
#define IDC_TEXT_SETTING_FIRST 1170    // txt, IDC_TXT_FIRST
// The Control Panel page.
#define IDC_APPLETS_FRAME 1200       // AppletOption, IDC_APPLET_OPTION
#define IDC_APPLETS_LIST 1201        // lstApplets, IDC_LST_APPLETS
#define IDC_CONTROL_PANEL_NOTE 1202  // Label17, IDC_LABEL17
// The Explorer page.
#define IDC_DRIVES_FRAME 1300                // Frame18, IDC_FRAME18
#define IDC_DRIVES_LIST 1301                 // lstDrives, IDC_LST_DRIVES
#define IDC_TWO_PANE 1302                    // Check1, IDC_CHECK1
#define IDC_TOOLBAR_BACKGROUND_FRAME 1303    // Frame14, IDC_FRAME14
#define IDC_TOOLBAR_BACKGROUND_PATH 1304     // Text1, IDC_TEXT1
#define IDC_TOOLBAR_BACKGROUND_BROWSE 1305   // Command5, IDC_COMMAND5
#define IDC_TOOLBAR_BACKGROUND_VIEW 1306     // Command6, IDC_COMMAND6
#define IDC_TOOLBAR_BACKGROUND_PREVIEW 1307  // Image1, IDC_IMAGE1
// The Active Desktop page.
#define IDC_ICONS_FRAME 1400          // Frame6, IDC_FRAME6
#define IDC_ICON_SIZE_CAPTION 1401    // Label2, IDC_LABEL2
#define IDC_ICON_SIZE_VALUE 1402      // Label3, IDC_LABEL3
#define IDC_ICON_SIZE_SPIN 1403       // VScroll1, IDC_VSCROLL1
#define IDC_ICON_SIZE_DEFAULT 1404    // Command1, IDC_COMMAND1
#define IDC_ICONS_REMOVE_ALL 1405     // Command2, IDC_COMMAND2
#define IDC_ICONS_REMOVE_UNUSED 1406  // Command3, IDC_COMMAND3
// The Folders and shortcuts page.
#define IDC_SPECIAL_FOLDER_LIST 1500   // cmbFolder, IDC_CMB_FOLDER
#define IDC_SPECIAL_FOLDER_PATH 1501   // txtPath, IDC_TXT_PATH
#define IDC_SOURCE_PATH 1502           // txtWin, IDC_TXT_WIN
#define IDC_INSTALL_PATH_FIRST 1510    // txtIP, IDC_TXT_IP_FIRST
#define IDC_FOLDER_ICONS_USE_3D 1520   // cmdUse3DFolder, IDC_CMD_USE_3D_FOLDER
#define IDC_FOLDER_ICONS_RESTORE 1521  // cmdRestoreFolder, IDC_CMD_RESTORE_FOLDER
// The Files page.
#define IDC_SHELL_ICONS_USE_3D 1600   // cmdUse3D, IDC_CMD_USE_3D
#define IDC_SHELL_ICONS_RESTORE 1601  // cmdRestore3D, IDC_CMD_RESTORE_3D
// The file icons and extensions, the 3-D shell icons.
#define IDC_ICON_FILES_FRAME 1602   // IDC_FRAME_ICO
#define IDC_ICON_FILES_LIST 1603    // lstIco, IDC_LST_ICO
#define IDC_EXTENSIONS_FRAME 1604   // IDC_FRAME_EXT
#define IDC_EXTENSIONS_LIST 1605    // lstExt, IDC_LST_EXT
#define IDC_SHELL_ICONS_FRAME 1606  // IDC_FRAME_3D
// The file types: the two boxes of the any-file context menu, the unknown-files frame.
#define IDC_QUICK_VIEW 1620                 // Check2, IDC_CHECK2
#define IDC_OPEN_WITH 1621                  // Check3, IDC_CHECK3
#define IDC_UNKNOWN_FILES_FRAME 1622        // IDC_FRAME_UNKNOWN
#define IDC_UNKNOWN_FILES_COMMAND 1623      // txtO, IDC_TXT_O
#define IDC_UNKNOWN_FILES_DESCRIPTION 1624  // txtD, IDC_TXT_D
// The New-menu entries: the frame on the Files page, and the editor window's controls.
#define IDC_NEW_MENU_FRAME 1640            // frNewMenu, IDC_FRAME_NEW_MENU
#define IDC_NEW_MENU_LIST 1641             // lstNew, IDC_LST_NEW
#define IDC_NEW_MENU_ADD 1642              // Command7, IDC_COMMAND7
#define IDC_NEW_MENU_CHANGE 1643           // Command8, IDC_COMMAND8
#define IDC_NEW_MENU_DELETE 1644           // Command9, IDC_COMMAND9
#define IDC_NEW_ENTRY_EXTENSION 1650       // txtType, IDC_TXT_TYPE
#define IDC_NEW_ENTRY_DESCRIPTION 1651     // txtDesc, IDC_TXT_DESC
#define IDC_NEW_ENTRY_CONTENTS_FRAME 1652  // IDC_FRAME_CONTENTS
#define IDC_NEW_ENTRY_KIND_FIRST 1653      // Option, IDC_OPTION_FIRST
#define IDC_NEW_ENTRY_USE_FILE 1660        // txtUse, IDC_TXT_USE
#define IDC_NEW_ENTRY_USE_BROWSE 1661      // cmdUse, IDC_CMD_USE
#define IDC_NEW_ENTRY_COPY_FILE 1662       // txtCopy, IDC_TXT_COPY
#define IDC_NEW_ENTRY_COPY_BROWSE 1663     // cmdCopy, IDC_CMD_COPY
#define IDC_NEW_ENTRY_TEXT 1664            // txtNow, IDC_TXT_NOW
#define IDC_NEW_ENTRY_COMMAND 1665         // txtCommand, IDC_TXT_COMMAND
#define IDC_NEW_ENTRY_OK 1670              // cmdOK, IDC_CMD_OK
#define IDC_NEW_ENTRY_CANCEL 1671          // cmdCancel, IDC_CMD_CANCEL
#define IDC_NEW_ENTRY_APPLY 1672           // cmdApply, IDC_CMD_APPLY
// The tool windows, a block each: frmSystemInfo (1700), frmProcesses (1720; lbl2 to lbl9, the
// detail values, from IDC_PROCS_VALUE_FIRST), frmWindows (1740), frmAbout (1760; Label1's two
// elements from IDC_ABOUT_NAME_FIRST).
#define IDC_SYSINFO_SYSTEM_FRAME 1700  // Frame2, IDC_SYSINFO_FRAME2
#define IDC_SYSINFO_OS_VERSION 1701
#define IDC_SYSINFO_RUNNING_TIME 1702   // Work, IDC_SYSINFO_WORK
#define IDC_SYSINFO_COMPUTER_NAME 1703  // CN, IDC_SYSINFO_CN
#define IDC_SYSINFO_CPU 1704
#define IDC_SYSINFO_RAM 1705
#define IDC_SYSINFO_ENV 1706
#define IDC_SYSINFO_PROCESSES 1707
#define IDC_SYSINFO_WINDOWS 1708
#define IDC_SYSINFO_OK 1709
#define IDC_PROCS_LIST 1720
#define IDC_PROCS_TERMINATE 1721
#define IDC_PROCS_REFRESH 1722
#define IDC_PROCS_OK 1723
#define IDC_PROCS_HELP 1724
#define IDC_PROCS_DETAILS_FRAME 1725  // Frame1, IDC_PROCS_FRAME1
#define IDC_PROCS_VALUE_FIRST 1730
#define IDC_WINDOWS_HANDLE_COLUMN 1740  // Command1, IDC_WINDOWS_HANDLE
#define IDC_WINDOWS_TITLE_COLUMN 1741   // Command2, IDC_WINDOWS_TITLE
#define IDC_WINDOWS_LIST 1742
#define IDC_WINDOWS_REFRESH 1743
#define IDC_WINDOWS_OK 1744
#define IDC_ABOUT_NAME_FIRST 1760
#define IDC_ABOUT_DESCRIPTION 1762
#define IDC_ABOUT_LICENCE_NOTE 1763  // Label4, IDC_ABOUT_NOTICE4
#define IDC_ABOUT_BACKUP_NOTE 1764   // Label3, IDC_ABOUT_NOTICE3
#define IDC_ABOUT_VERSION 1765
#define IDC_ABOUT_LOGO 1766  // Image1, IDC_ABOUT_IMAGE1
#define IDC_ABOUT_ICON 1767  // Image2, IDC_ABOUT_IMAGE2
#define IDC_ABOUT_OK 1768

// The change journal window.
#define IDC_JOURNAL_LIST 1800
#define IDC_JOURNAL_UNDO 1801
#define IDC_JOURNAL_UNDO_ALL 1802
#define IDC_JOURNAL_SAVE 1803
#define IDC_JOURNAL_CLOSE 1804

// The search window "Поиск параметра".
#define IDC_SEARCH_TEXT 1820
#define IDC_SEARCH_LIST 1821
#define IDC_SEARCH_GO 1822
#define IDC_SEARCH_CLOSE 1823
#define IDC_SEARCH_COUNT 1824
