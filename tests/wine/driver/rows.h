// The registry values and keys that the scenarios prepare, change from outside and watch, named
// as the program names them.
#pragma once

#include "reg.h"

namespace driver {

// Restriction boxes (Control Panel page).
extern const RegEntry kNoPwdPage;     // "Смена паролей"
extern const RegEntry kNoDevMgrPage;  // "Вкладка "Устройства""
// Check settings (Explorer page).
extern const RegEntry kShowInfoTip;  // "Показывать всплывающие подсказки"
extern const RegEntry kNoEntireNetwork;  // "Отображать "Сеть" в "My Network Places""
// The Recycle Bin: its name (text setting "Recycled Bin", written through HKLM and read back
// through HKCR: HKCR is a view of HKLM\Software\Classes) and its menu (choice "Меню элемента").
extern const RegEntry kRecycleName;
extern const RegEntry kRecycleNameClasses;
extern const RegEntry kRecycleAttributes;
// My Computer box "Отображать "Web Folders"": its name-space key.
extern const RegEntry kWebFolders;
// The Explorer page's own controls.
extern const RegEntry kNoDrives;         // lstDrives
extern const RegEntry kFolderOpen;       // Check1: the command sent when a folder is opened
extern const RegEntry kBackBitmapShell;  // Text1 and the preview Image1
// The Active Desktop page: VScroll1 and Label3.
extern const RegEntry kShellIconSize;
// The Folders page: txtWin, txtIP(2), and the paths of the special folder "Cookies".
extern const RegEntry kSourcePath;
extern const RegEntry kInstallPathC;
extern const RegEntry kCookies;
extern const RegEntry kUserCookies;

// The keys above that a scenario may create, outermost first.
const std::vector<RegEntry>& touchedKeys();

// Check1's two commands.
extern const char kTwoPane[];
extern const char kOnePane[];

}  // namespace driver
