// The change journal on the real window: twenty changes on the five pages (boxes clicked, an
// applet ticked in control.ini, a name typed), then "Журнал изменений" from "Сервис", its undo
// saved as a REGEDIT4 file, "Отменить все": the affected keys and control.ini are exactly as
// before. The same changes made again and the program closed, Wine's registry editor merges the
// saved file: the keys are exactly as before again. What the window lists is checked on the host.
#include <algorithm>

#include "driver.h"
#include "service/journal_window.h"

namespace driver {

namespace {

using vireo::service::kJournalTitle;

// The subtrees the changes touch, read whole from outside.
const char* const kWatched[] = {
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies",
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
    "HKLM\\Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}",
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\MyComputer",
    "HKLM\\Software\\Classes\\Folder",
    "HKLM\\Software\\Classes\\Directory",
    "HKLM\\Software\\Classes\\exefile",
    "HKLM\\Software\\Classes\\lnkfile",
    "HKLM\\Software\\Classes\\piffile",
};

// The key `sub` of `parent`, named `path`, with its values and all below it, one line each.
void dumpKey(HKEY parent, const std::string& sub, const std::string& path,
             std::vector<std::string>* lines) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, sub.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) {
    lines->push_back(path + " (no key)");
    return;
  }
  lines->push_back(path + "\\");
  char name[1024];
  BYTE data[8192];
  DWORD length = 0, type = 0, size = 0;
  for (DWORD i = 0; RegEnumValueA(key, i, name, &(length = sizeof name), nullptr, &type, data,
                                  &(size = sizeof data)) == ERROR_SUCCESS;
       ++i) {
    std::string line = path + " | " + name + " | " + std::to_string(type) + " |";
    for (DWORD b = 0; b < size; ++b) line += " " + std::to_string(data[b]);
    lines->push_back(line);
  }
  for (DWORD i = 0; RegEnumKeyExA(key, i, name, &(length = sizeof name), nullptr, nullptr, nullptr,
                                  nullptr) == ERROR_SUCCESS;
       ++i) {
    dumpKey(key, name, path + "\\" + name, lines);
  }
  RegCloseKey(key);
}

// The watched keys as text, sorted (an undone deletion puts a key back at the end of the list),
// and the lines of control.ini's section "don't load".
std::string snapshot() {
  std::vector<std::string> lines;
  for (const char* path : kWatched) {
    const RegEntry where = entry(std::string(path) + "\\");
    dumpKey(where.root, where.key, path, &lines);
  }
  std::sort(lines.begin(), lines.end());
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  // control.ini by its lines: the system's profile calls may lay the file out anew.
  char section[4096] = {};
  const DWORD size =
      GetPrivateProfileSectionA("don't load", section, sizeof section, controlIni().c_str());
  std::string lines_of_ini;
  for (DWORD i = 0; i < size; ++i) lines_of_ini += section[i] ? section[i] : '|';
  return text + "control.ini [don't load]: " + lines_of_ini + "\n";
}

bool isCheckBox(HWND window) {
  const LONG style = GetWindowLongA(window, GWL_STYLE) & 0x0F;
  return sameClass(window, "Button") && IsWindowVisible(window) && IsWindowEnabled(window) &&
         (style == BS_CHECKBOX || style == BS_AUTOCHECKBOX);
}

// Twenty changes: check boxes on the pages (up to five on each, eighteen in all), an applet of the
// Control Panel list, and a name typed on the Folders page. Returns how many were made.
int makeChanges(const Shell& shell) {
  int made = 0;
  for (int page = 0; page < kPageCount; ++page) {
    if (!bringToFront(shell, page)) continue;
    int here = 0;
    for (HWND box : descendants(shell.frames[page])) {
      if (here == 5 || made + here == 18 || !isCheckBox(box)) continue;
      if (click(box)) ++here;
    }
    made += here;
  }
  Control applets{IDC_APPLETS_LIST, "the applet list"};
  if (bringToFront(shell, kControlPanel) && find(shell.main, {&applets})) {
    if (clickItem(applets.window, 1, kBoxX)) ++made;
  }
  Control name{IDC_TEXT_SETTING_FIRST + 0, "the field \"Recycled Bin\""};
  if (bringToFront(shell, kFolders) && find(shell.main, {&name})) {
    ask(name.window, EM_SETSEL, 0, -1);
    if (typeText(name.window, "Журнал")) ++made;
  }
  return made;
}

// The save-file dialog: the file name typed into its name field, then OK.
bool saveAs(DWORD pid, HWND journal, const std::string& path) {
  clickLater(byId(journal, IDC_JOURNAL_SAVE));
  HWND dialog = expectTop(pid, "", "\"Сохранить как...\" shows the save-file dialog", true);
  if (dialog == nullptr) return false;
  HWND field = byId(dialog, 0x480);                   // edt1, the name field
  if (field == nullptr) field = byId(dialog, 0x47C);  // cmb13 of the Explorer-style dialog
  if (!check(field != nullptr, "the save-file dialog has a name field")) return false;
  send(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  pressButton(dialog, IDOK);
  return check(waitUntil([&] { return readFile(path).exists; }), "the undo file is written");
}

}  // namespace

std::string registrySnapshot() {
  return snapshot();
}

int runJournal(const std::string& exe, const char* desktop) {
  // A path without blanks, which the file dialog of every style takes as typed.
  const std::string saved = windowsDirectory() + "\\vireo-undo.reg";
  writeFile(saved, {});
  writeFile(controlIni(), {true, "[don't load]\r\n\r\n"});
  const std::string before = snapshot();

  {
    Program program;
    HWND main = startMain(program, exe, desktop);
    if (main == nullptr) return finish();
    Shell shell;
    if (!findShell(main, shell)) return finish();
    const int made = makeChanges(shell);
    check(made >= 20, "twenty changes are made on the five pages", std::to_string(made));
    const std::string changed = snapshot();
    check(changed != before, "the changes reached the registry and control.ini");

    postCommand(main, IDM_SERVICE_JOURNAL);
    HWND journal =
        expectTop(program.pid(), kJournalTitle, "\"Журнал изменений...\" opens its window");
    if (journal == nullptr) return finish();

    saveAs(program.pid(), journal, saved);
    click(byId(journal, IDC_JOURNAL_UNDO_ALL));
    const std::string undone = snapshot();
    check(undone == before, "after \"Отменить все\" the keys and control.ini are as before",
          report::firstDifference(before, undone));
    // Posted, as a user's click is: the modal loop looks for the closed window after a posted
    // message.
    clickLater(byId(journal, IDC_JOURNAL_CLOSE));
    check(waitUntil([&] { return IsWindowEnabled(main) != FALSE; }), "the journal closes");

    // The same changes again; then the program ends, and the saved file is the way back.
    makeChanges(shell);
    check(snapshot() == changed, "the same changes give the same registry");
    checkExit(program, main);
  }
  check(report::runAndWait(windowsDirectory() + "\\regedit.exe /s \"" + saved + "\"", 60000),
        "the registry editor merges the undo file");
  // control.ini is not registry data: it is put back by hand for the comparison.
  writeFile(controlIni(), {true, "[don't load]\r\n\r\n"});
  const std::string merged = snapshot();
  check(merged == before, "after the merge the keys are as before",
        report::firstDifference(before, merged));
  writeFile(saved, {});
  return finish();
}

}  // namespace driver
