// Resource ids. The settings catalogue's string ids are fixed numbers (see catalogue_ids.h);
// everything else is numbered here, each kind in its own block.
#pragma once

// Icons.
#define IDI_VIREO 1
#define IDI_PAGE_CONTROL_PANEL 101
#define IDI_PAGE_EXPLORER 102
#define IDI_PAGE_ACTIVE_DESKTOP 103
#define IDI_PAGE_FOLDERS 104
#define IDI_PAGE_FILES 105
#define IDI_LOGO 110
#define IDI_WAIT 111

// Menus and accelerators.
#define IDR_MAIN_MENU 200
#define IDR_MAIN_ACCEL 201

// Menu commands of the main window.
#define IDM_FILE_REFRESH 40001
#define IDM_FILE_EXIT 40002
