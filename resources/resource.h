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
// the id of its first element plus i.
// The shell: the page buttons, the page frames and their titles, in the order of the buttons.
#define IDC_GUI_SHELL 1000
#define IDC_PAGE_BUTTON_FIRST 1001
#define IDC_PAGE_FIRST 1011
#define IDC_PAGE_TITLE_FIRST 1021
// The frames that group the catalogue's settings, numbered as main::Group.
#define IDC_GROUP_FIRST 1040
// The catalogue-bound arrays: chk(0..24), chkm(0..2), chka(0..17), opt(0), txt(0..16).
#define IDC_CHK_FIRST 1100
#define IDC_CHKM_FIRST 1130
#define IDC_CHKA_FIRST 1140
#define IDC_OPT_FIRST 1160
#define IDC_TXT_FIRST 1170
// The Control Panel page.
#define IDC_APPLET_OPTION 1200
#define IDC_LST_APPLETS 1201
#define IDC_LABEL17 1202
// The Explorer page.
#define IDC_FRAME18 1300
#define IDC_LST_DRIVES 1301
#define IDC_CHECK1 1302
#define IDC_FRAME14 1303
#define IDC_TEXT1 1304
#define IDC_COMMAND5 1305
#define IDC_COMMAND6 1306
#define IDC_IMAGE1 1307
// The Active Desktop page.
#define IDC_FRAME6 1400
#define IDC_LABEL2 1401
#define IDC_LABEL3 1402
#define IDC_VSCROLL1 1403
#define IDC_COMMAND1 1404
#define IDC_COMMAND2 1405
#define IDC_COMMAND3 1406
// The Folders and shortcuts page.
#define IDC_CMB_FOLDER 1500
#define IDC_TXT_PATH 1501
#define IDC_TXT_WIN 1502
#define IDC_TXT_IP_FIRST 1510
#define IDC_CMD_USE_3D_FOLDER 1520
#define IDC_CMD_RESTORE_FOLDER 1521
// The Files page.
#define IDC_CMD_USE_3D 1600
#define IDC_CMD_RESTORE_3D 1601
// The file icons and extensions, the 3-D shell icons.
#define IDC_FRAME_ICO 1602
#define IDC_LST_ICO 1603
#define IDC_FRAME_EXT 1604
#define IDC_LST_EXT 1605
#define IDC_FRAME_3D 1606
// The file types: the two boxes of the any-file context menu, the unknown-files frame.
#define IDC_CHECK2 1620
#define IDC_CHECK3 1621
#define IDC_FRAME_UNKNOWN 1622
#define IDC_TXT_O 1623
#define IDC_TXT_D 1624
// The New-menu entries: the frame on the Files page, and the editor window's controls.
#define IDC_FRAME_NEW_MENU 1640
#define IDC_LST_NEW 1641
#define IDC_COMMAND7 1642
#define IDC_COMMAND8 1643
#define IDC_COMMAND9 1644
#define IDC_TXT_TYPE 1650
#define IDC_TXT_DESC 1651
#define IDC_FRAME_CONTENTS 1652
#define IDC_OPTION_FIRST 1653
#define IDC_TXT_USE 1660
#define IDC_CMD_USE 1661
#define IDC_TXT_COPY 1662
#define IDC_CMD_COPY 1663
#define IDC_TXT_NOW 1664
#define IDC_TXT_COMMAND 1665
#define IDC_CMD_OK 1670
#define IDC_CMD_CANCEL 1671
#define IDC_CMD_APPLY 1672
// The tool windows, a block each: frmSystemInfo (1700), frmProcesses (1720; lbl2 to lbl9, the
// detail values, from IDC_PROCS_VALUE_FIRST), frmWindows (1740), frmAbout (1760; Label1's two
// elements from IDC_ABOUT_NAME_FIRST).
#define IDC_SYSINFO_FRAME2 1700
#define IDC_SYSINFO_OS_VERSION 1701
#define IDC_SYSINFO_WORK 1702
#define IDC_SYSINFO_CN 1703
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
#define IDC_PROCS_FRAME1 1725
#define IDC_PROCS_VALUE_FIRST 1730
#define IDC_WINDOWS_HANDLE 1740
#define IDC_WINDOWS_TITLE 1741
#define IDC_WINDOWS_LIST 1742
#define IDC_WINDOWS_REFRESH 1743
#define IDC_WINDOWS_OK 1744
#define IDC_ABOUT_NAME_FIRST 1760
#define IDC_ABOUT_DESCRIPTION 1762
#define IDC_ABOUT_NOTICE4 1763
#define IDC_ABOUT_NOTICE3 1764
#define IDC_ABOUT_VERSION 1765
#define IDC_ABOUT_IMAGE1 1766
#define IDC_ABOUT_IMAGE2 1767
#define IDC_ABOUT_OK 1768

// The change journal window.
#define IDC_JOURNAL_LIST 1800
#define IDC_JOURNAL_UNDO 1801
#define IDC_JOURNAL_UNDO_ALL 1802
#define IDC_JOURNAL_SAVE 1803
#define IDC_JOURNAL_CLOSE 1804
