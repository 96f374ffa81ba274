// The Files page's New menu on the real window: an entry added through the editor frmNewMenu, a
// modal window of the program's own, with its template file typed, opened again by a double
// click, and deleted; every action changes only its own values. What the editor writes for each
// option, and that start-up and showing the page only read, is checked on the host; the page's
// other controls are rows of the case table (driver.exe cases).
#include <algorithm>

#include "driver.h"

namespace driver {

namespace {

#define CLASSES "HKLM\\Software\\Classes\\"

const std::string kVtxNew = CLASSES ".vtx\\ShellNew\\";
const std::string kFileName = kVtxNew + "FileName", kCommand = kVtxNew + "Command";
constexpr char kVtxItem[] = "Текст Vireo (.vtx)";
constexpr char kVnbItem[] = "Заметка Vireo (.vnb)";

constexpr char kEditorTitle[] = "Vireo: Меню \"Создать\"";

// .vtx has a class and no New-menu entry yet; .vnb is a listed neighbour.
State prepared() {
  return {{CLASSES ".vtx\\", Txt("VireoText")},
          {CLASSES "VireoText\\", Txt("Текст Vireo")},
          {kVtxNew + "NullFile", None()},
          {kFileName, None()},
          {kCommand, None()},
          {CLASSES ".vnb\\", Txt("VireoNote")},
          {CLASSES "VireoNote\\", Txt("Заметка Vireo")},
          {CLASSES ".vnb\\ShellNew\\NullFile", Txt("")}};
}

struct Controls {
  Control lstNew{IDC_NEW_MENU_LIST, "the New-menu list lstNew"};
  Control add{IDC_NEW_MENU_ADD, "button \"Добавить\""};
  Control remove{IDC_NEW_MENU_DELETE, "button \"Удалить\""};
};

// The index of the item with this text, or -1.
int itemIndex(const Control& list, const std::string& item) {
  const std::vector<std::string> items = listItems(list.window);
  const auto found = std::find(items.begin(), items.end(), item);
  return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

bool listed(const Control& list, const std::string& item) {
  return itemIndex(list, item) >= 0;
}

// The New-menu list is read while the program is idle and shown once whole: waits until it shows
// `item` or no longer does, asking every 50 ms, so that the questions, each a message the program
// answers first, do not keep it from its reading. On the class registry a reading takes seconds.
bool awaitListed(const Control& list, const std::string& item, bool shown) {
  return waitUntil([&] { return listed(list, item) == shown; }, kWaitMs, 50);
}

// ---- the New-menu editor ---------------------------------------------------------------------

std::string templatePath() {
  return windowsDirectory() + "\\ShellNew\\NewFile.vtx";
}

// The editor, a modal window of the program's own: that it opens over the disabled main window
// and that the main window takes input again after it are checked with every modal window
// (driver.exe modal).
HWND awaitEditor(DWORD pid, const std::string& how) {
  return expectTop(pid, kEditorTitle, how + " opens " + quoted(kEditorTitle));
}

bool pickOption(HWND editor, int option, int field, const std::string& name) {
  HWND box = byId(editor, field);
  check(box != nullptr && !IsWindowEnabled(box), name + " is disabled before its option");
  return check(click(byId(editor, IDC_NEW_ENTRY_KIND_FIRST + option)) && IsWindowEnabled(box),
               "a click on option " + std::to_string(option + 1) + " enables " + name);
}

// "Добавить": a template typed now, two lines of Cyrillic text; "Применить" writes it in code
// page 1251 with CR LF after each line, and FileName names it.
void addEntry(DWORD pid, HWND main, const Controls& c, State& now, const std::string& file) {
  clickLater(c.add.window);
  HWND editor = awaitEditor(pid, "\"Добавить\"");
  if (editor == nullptr) return;
  HWND type = byId(editor, IDC_NEW_ENTRY_EXTENSION), desc = byId(editor, IDC_NEW_ENTRY_DESCRIPTION);
  HWND text = byId(editor, IDC_NEW_ENTRY_TEXT);
  check(typeText(type, "vtx") && shownText(type) == "vtx", "the type \"vtx\" is typed");
  same(shownText(desc), "Текст Vireo", "txtDesc shows the class's description");
  if (!pickOption(editor, 3, IDC_NEW_ENTRY_TEXT, "txtNow")) return;
  // Enter goes through the editor's message loop, as from the keyboard: the multi-line box takes
  // it as a line break, it does not press "OK".
  const std::string lines = "Первая строка\r\nВторая: съешь ещё";
  typeText(text, "Первая строка");
  pressKey(text, VK_RETURN);
  waitUntil([&] { return !IsWindow(editor) || shownText(text).find('\n') != std::string::npos; },
            5000);
  if (!check(IsWindow(editor), "Enter in txtNow leaves the editor open")) return;
  typeText(text, "Вторая: съешь ещё");
  same(shownText(text), lines, "txtNow holds the two lines");

  check(click(byId(editor, IDC_NEW_ENTRY_APPLY)), "click on \"Применить\"");
  now[kFileName] = Txt(file);
  expectState(now, "after \"Применить\": FileName names the template, nothing else changed");
  same(readFile(file).data, lines + "\r\n",
       "the template holds the text in code page 1251, every line ended by CR LF");
  check(!IsWindowEnabled(main), "after \"Применить\": the main window is still disabled");
  check(closeWith(editor, IDC_NEW_ENTRY_OK), "\"OK\" closes the editor");
  // The list is read again once the editor has closed.
  awaitListed(c.lstNew, kVtxItem, true);
  check(listed(c.lstNew, kVtxItem) && listed(c.lstNew, kVnbItem),
        "after \"OK\": lstNew lists " + quoted(kVtxItem) + " beside " + quoted(kVnbItem));
}

// A double click on the entry opens it with its template's option (what "OK" writes for each
// option is checked on the host).
void openEntry(DWORD pid, const Controls& c, const std::string& file) {
  const int index = itemIndex(c.lstNew, kVtxItem);
  if (!check(index >= 0, "lstNew lists " + quoted(kVtxItem))) return;
  const LPARAM at = itemPoint(c.lstNew.window, index, kTextX);
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    PostMessageA(c.lstNew.window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
  }
  HWND editor = awaitEditor(pid, "a double click on " + quoted(kVtxItem));
  if (editor == nullptr) return;
  HWND use = byId(editor, IDC_NEW_ENTRY_USE_FILE);
  HWND fileOption = byId(editor, IDC_NEW_ENTRY_KIND_FIRST + 1);
  check(waitUntil([&] { return std::string(boxState(fileOption)) == "ticked"; }, 5000) &&
            shownText(use) == file,
        "the editor shows \"Использовать файл\" with the template", quoted(shownText(use)));
  check(closeWith(editor, IDC_NEW_ENTRY_OK), "\"OK\" closes the editor");
}

void deleteEntry(const Controls& c, State& now) {
  const int index = itemIndex(c.lstNew, kVtxItem);
  if (!check(index >= 0, "lstNew lists " + quoted(kVtxItem))) return;
  check(clickItem(c.lstNew.window, index, kTextX) && click(c.remove.window),
        "click on " + quoted(kVtxItem) + ", then on \"Удалить\"");
  now[kFileName] = None();
  check(read(kVtxNew) == Gone(), "after \"Удалить\": the ShellNew key is gone");
  expectState(now, "after \"Удалить\": nothing else changed");
  awaitListed(c.lstNew, kVtxItem, false);
  check(!listed(c.lstNew, kVtxItem) && listed(c.lstNew, kVnbItem),
        "after \"Удалить\": lstNew lists " + quoted(kVnbItem) + " only");
}

}  // namespace

int runFiles(const std::string& exe, const char* desktop) {
  State now = prepared();
  const std::string file = templatePath();
  Program program;
  HWND main = startPrepared(program, exe, desktop, writeState(now) && writeFile(file, {}),
                            "the registry is prepared, and there is no template NewFile.vtx");
  if (main == nullptr) return finish();
  Shell shell;
  Controls c;
  if (findShell(main, shell) && bringToFront(shell, kFiles) &&
      find(main, {&c.lstNew, &c.add, &c.remove})) {
    awaitListed(c.lstNew, kVnbItem, true);
    check(listed(c.lstNew, kVnbItem) && !listed(c.lstNew, kVtxItem),
          "on first showing the page: lstNew lists " + quoted(kVnbItem) + " and not .vtx");
    addEntry(program.pid(), main, c, now, file);
    openEntry(program.pid(), c, file);
    deleteEntry(c, now);
  }
  writeFile(file, {});
  checkExit(program, main);
  return finish();
}

}  // namespace driver
