// The settings scenario's registry rows and controls, shared by its parts: the catalogue-bound
// settings (settings.cpp) and the refresh (refresh.cpp).
#pragma once

#include <vector>

#include "reg.h"
#include "resource.h"
#include "shell.h"

namespace driver {

// The rows of the scenario, in the order of a State.
enum SettingRow {
  kRowNoPwdPage,
  kRowNoDevMgrPage,
  kRowNoEntireNetwork,
  kRowShowInfoTip,
  kRowRecycleName,
  kRowRecycleAttributes,
  kRowWebFolders,
  kRowNoDrives,
  kRowFolderOpen,
  kRowBackBitmap,
  kRowSourcePath,
  kRowInstallPathC,
  kSettingRowCount
};
const std::vector<Row>& settingRows();

// The choices of "Меню элемента" and the attributes each stands for.
extern const char* const kRecycleChoices[4];
Stored recycleAttributes(int choice);
extern const char kRecycled[];

// The controls that the scenario drives or watches, by page.
struct SettingControls {
  Control password{IDC_CHK_FIRST + 12, "box \"Смена паролей\"", "\"Смена паролей\""};
  Control devices{IDC_CHK_FIRST + 1, "box \"Устройства\"", "Вкладка \"Устройства\""};
  Control infoTip{IDC_CHKA_FIRST + 0, "box \"Показывать всплывающие подсказки\"",
                  "Показывать всплывающие подсказки"};
  Control network{IDC_CHKA_FIRST + 5, "box \"Сеть\"",
                  "Отображать \"Сеть\" в \"My Network Places\""};
  Control drives{IDC_LST_DRIVES, "the drive list"};
  Control check1{IDC_CHECK1, "box \"две панели\"", "Использовать две панели в Проводнике"};
  Control text1{IDC_TEXT1, "the toolbar background field Text1"};
  Control webFolders{IDC_CHKM_FIRST + 2, "box \"Web Folders\"", "Отображать \"Web Folders\""};
  Control recycleMenu{IDC_OPT_FIRST, "the list \"Меню элемента\""};
  Control recycleName{IDC_TXT_FIRST + 0, "the field \"Recycled Bin\""};
  Control txtWin{IDC_TXT_WIN, "the distribution path txtWin"};
  Control txtIP3{IDC_TXT_IP_FIRST + 2, "the installation path txtIP(2)"};
};

// "Обновить данные" after changes made outside: every kind of control shows the change, and
// nothing is written. `now` is the registry as the driver left it; it is updated.
void checkRefreshReads(HWND main, SettingControls& c, State& now);

}  // namespace driver
