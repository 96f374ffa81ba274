// The Files page on the real window: the extensions shown (lstExt), the files shown as their own
// icons (lstIco), the quick-view and open-with boxes of any file, the command and description of
// files of unknown type, and a New-menu entry added, changed and deleted through the editor
// frmNewMenu with its template file. Start-up and showing the page only read; every action
// changes only its own values.
#include <algorithm>

#include "driver.h"

namespace driver {

namespace {

#define CLASSES "HKLM\\Software\\Classes\\"

// lstExt's row 4 (.shs) and its neighbour row 5 (.shb), each with a class of its own.
constexpr int kShsRow = 4, kShbRow = 5;
const RegEntry kShsClass = entry(CLASSES ".shs\\");
const RegEntry kShsDescription = entry(CLASSES "ShellScrap\\");
const RegEntry kShsNever = entry(CLASSES "ShellScrap\\NeverShowExt");
const RegEntry kShbClass = entry(CLASSES ".shb\\");
const RegEntry kShbNever = entry(CLASSES "DocShortcut\\NeverShowExt");
// lstIco's row 3 (icofile) and its neighbour row 2 (dllfile), which shows its own icons already.
constexpr int kDllRow = 2, kIcoRow = 3;
const RegEntry kIcoIcon = entry("HKCR\\icofile\\DefaultIcon\\");
const RegEntry kIcoBackup = entry("HKCR\\icofile\\DefaultIcon\\Vireo Backup");
const RegEntry kDllIcon = entry("HKCR\\dllfile\\DefaultIcon\\");
const RegEntry kDllBackup = entry("HKCR\\dllfile\\DefaultIcon\\Vireo Backup");
// Check2, Check3.
const RegEntry kQuickView = entry("HKCR\\*\\QuickView\\");
const RegEntry kOpenWithCommand = entry("HKCR\\*\\Shell\\openas\\command\\");
const RegEntry kOpenWithVerb = entry("HKCR\\*\\Shell\\openas\\");
constexpr char kOpenWithProgram[] = "rundll32.exe shell32.dll,OpenAs_RunDLL \"%1\"";
// txtO, txtD: files of unknown type.
const RegEntry kUnknownOpen = entry("HKCR\\Unknown\\Shell\\Open\\");
const RegEntry kUnknownCommand = entry("HKCR\\Unknown\\Shell\\Open\\Command\\");
const RegEntry kUnknownVerb = entry("HKCR\\Unknown\\Shell\\");
const RegEntry kUnknownDescription = entry("HKCR\\Unknown\\");
// The New menu: .vtx has a class and no entry yet; .vnb is a listed neighbour.
const RegEntry kVtxClass = entry(CLASSES ".vtx\\");
const RegEntry kVtxDescription = entry(CLASSES "VireoText\\");
const RegEntry kVtxNullFile = entry(CLASSES ".vtx\\ShellNew\\NullFile");
const RegEntry kVtxFileName = entry(CLASSES ".vtx\\ShellNew\\FileName");
const RegEntry kVtxCommand = entry(CLASSES ".vtx\\ShellNew\\Command");
const RegEntry kVnbClass = entry(CLASSES ".vnb\\");
const RegEntry kVnbDescription = entry(CLASSES "VireoNote\\");
const RegEntry kVnbNullFile = entry(CLASSES ".vnb\\ShellNew\\NullFile");
constexpr char kVtxItem[] = "Текст Vireo (.vtx)";
constexpr char kVnbItem[] = "Заметка Vireo (.vnb)";

constexpr char kEditorTitle[] = "Vireo: Меню \"Создать\"";

// Each control starts in a state other than the one its action gives. The values in brackets
// would be rewritten by a fill that ran the controls' handlers: NeverShowExt with data (a cleared
// row writes it empty), a quick view other than "*" (a cleared box deletes it), an open-with
// command of another program (a ticked box writes its own).
State prepared() {
  return {{&kShsClass, textValue("ShellScrap")},
          {&kShsDescription, textValue("Фрагмент")},
          {&kShsNever, textValue("x")},  // [cleared]
          {&kShbClass, textValue("DocShortcut")},
          {&kShbNever, textValue("")},
          {&kIcoIcon, textValue("C:\\Icons\\ico.ico,2")},
          {&kIcoBackup, absent()},
          {&kDllIcon, textValue("%1")},
          {&kDllBackup, textValue("shell32.dll,3")},
          {&kQuickView, textValue("x")},                                     // [cleared]
          {&kOpenWithCommand, textValue("C:\\Other\\openwith.exe \"%1\"")},  // [ticked]
          {&kOpenWithVerb, textValue("Чем-нибудь")},
          {&kUnknownCommand, noKey()},
          {&kUnknownVerb, textValue("openas")},
          {&kUnknownDescription, textValue("Неизвестный тип")},
          {&kVtxClass, textValue("VireoText")},
          {&kVtxDescription, textValue("Текст Vireo")},
          {&kVtxNullFile, absent()},
          {&kVtxFileName, absent()},
          {&kVtxCommand, absent()},
          {&kVnbClass, textValue("VireoNote")},
          {&kVnbDescription, textValue("Заметка Vireo")},
          {&kVnbNullFile, textValue("")}};
}

struct Controls {
  Control ext{IDC_EXTENSIONS_LIST, "the extension list lstExt"};
  Control ico{IDC_ICON_FILES_LIST, "the icon list lstIco"};
  Control check2{IDC_QUICK_VIEW, "box \"Быстрый просмотр\""};
  Control check3{IDC_OPEN_WITH, "box \"Открыть с помощью...\""};
  Control txtO{IDC_UNKNOWN_FILES_COMMAND, "the command field txtO"};
  Control txtD{IDC_UNKNOWN_FILES_DESCRIPTION, "the description field txtD"};
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
  for (DWORD start = GetTickCount();; Sleep(50)) {
    if (listed(list, item) == shown) return true;
    if (GetTickCount() - start >= 30000) return false;
  }
}

using Writes = std::initializer_list<std::pair<const RegEntry*, Stored>>;

// After an action: the values hold what it writes, and nothing else changed.
void expectWrites(State& now, Writes writes, const std::string& when) {
  for (const auto& [e, value] : writes) now[e] = value;
  expectState(now, when + ": its values are written, nothing else changed");
}

// A click on a check list's mark; the item shows the new tick.
void tickItem(const Control& list, int index, bool ticked, State& now, Writes writes) {
  const std::string when = std::string("after ") + (ticked ? "ticking" : "clearing") + " item " +
                           std::to_string(index) + " of " + list.name;
  check(clickItem(list.window, index, kBoxX),
        "click on the mark of item " + std::to_string(index) + " of " + list.name);
  expectItem(list, index, ticked, when);
  expectWrites(now, writes, when);
}

void checkLists(const Controls& c, State& now) {
  const std::string first = "on first showing the page";
  const std::vector<std::string> items = listItems(c.ext.window);
  check(items.size() == 13 && items[kShsRow] == "Фрагмент (.shs)",
        first + ": lstExt names .shs by its class's description",
        items.size() > kShsRow ? quoted(items[kShsRow]) : "too few items");
  expectItem(c.ext, kShsRow, false, first + " (NeverShowExt holds \"x\")");
  expectItem(c.ext, kShbRow, false, first);
  tickItem(c.ext, kShsRow, true, now, {{&kShsNever, absent()}});
  tickItem(c.ext, kShsRow, false, now, {{&kShsNever, textValue("")}});
  expectItem(c.ext, kShbRow, false, "after the clicks on .shs");

  expectItem(c.ico, kIcoRow, false, first);
  expectItem(c.ico, kDllRow, true, first);
  const Stored old = now[&kIcoIcon];
  tickItem(c.ico, kIcoRow, true, now, {{&kIcoIcon, textValue("%1")}, {&kIcoBackup, old}});
  tickItem(c.ico, kIcoRow, false, now, {{&kIcoIcon, old}, {&kIcoBackup, absent()}});
  expectItem(c.ico, kDllRow, true, "after the clicks on *.ICO");
}

void clickBox(const Control& box, bool ticked, State& now, Writes writes) {
  const std::string when = std::string("after ") + (ticked ? "ticking " : "clearing ") + box.name;
  check(click(box.window), "click on " + box.name);
  expectBox(box, ticked, when);
  expectWrites(now, writes, when);
}

void checkBoxes(const Controls& c, State& now) {
  const std::string first = "on first showing the page";
  expectBox(c.check2, false, first + " (QuickView holds \"x\")");
  expectBox(c.check3, true, first + " (another program's command)");
  clickBox(c.check2, true, now, {{&kQuickView, textValue("*")}});
  clickBox(c.check2, false, now, {{&kQuickView, noKey()}});
  clickBox(c.check3, false, now, {{&kOpenWithCommand, noKey()}, {&kOpenWithVerb, noKey()}});
  clickBox(c.check3, true, now,
           {{&kOpenWithCommand, textValue(kOpenWithProgram)},
            {&kOpenWithVerb, textValue("Открыть с помощью...")}});
}

// Types into a field at its end (over all of it with `replace`); every keystroke writes the
// text so far to `value`, which is checked after each one.
void typeInto(const Control& field, std::string_view typed, bool replace, const RegEntry& value,
              State& now) {
  const LRESULT length = ask(field.window, WM_GETTEXTLENGTH);
  ask(field.window, EM_SETSEL, replace ? 0 : length, replace ? -1 : length);
  std::string sofar = replace ? "" : shownText(field.window), mismatch;
  size_t taken = 0;
  const bool answered = typeText(field.window, typed, [&] {
    sofar += typed[taken++];
    const Stored found = read(value);
    if (found != textValue(sofar) && mismatch.empty()) mismatch = sofar + ": " + describe(found);
  });
  const std::string when = "after typing " + quoted(typed) + " into " + field.name;
  check(answered && mismatch.empty(), when + ": every keystroke wrote the text so far", mismatch);
  expectShown(field, sofar, when);
  now[&value] = textValue(sofar);
}

void checkUnknownFiles(const Controls& c, State& now) {
  const std::string first = "on first showing the page";
  expectShown(c.txtO, "", first);
  expectShown(c.txtD, "Неизвестный тип", first);
  typeInto(c.txtO, "edit.com %1", false, kUnknownCommand, now);
  now[&kUnknownVerb] = textValue("open");
  expectState(now, "after typing into txtO: the default verb is \"open\", nothing else changed");
  // Emptied, the field takes the verb Open away and empties the default verb.
  ask(c.txtO.window, EM_SETSEL, 0, -1);
  check(typeText(c.txtO.window, "\b"), c.txtO.name + " took the backspace");
  now[&kUnknownCommand] = noKey();
  now[&kUnknownVerb] = textValue("");
  check(read(kUnknownOpen).noKey, "after emptying txtO: the verb key Open is gone");
  expectState(now, "after emptying txtO: the default verb is empty, nothing else changed");
  typeInto(c.txtD, "Чужие файлы", true, kUnknownDescription, now);
  expectState(now, "after typing into txtD: nothing else changed");
}

// ---- the New-menu editor ---------------------------------------------------------------------

std::string templatePath() {
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, sizeof windows);
  return std::string(windows) + "\\ShellNew\\NewFile.vtx";
}

// The editor, a modal window of the program's own, shown over the disabled main window.
HWND awaitEditor(DWORD pid, HWND main, const std::string& how) {
  HWND editor = nullptr;
  waitUntil([&] { return (editor = findTop(pid, kEditorTitle, false)) != nullptr; });
  check(editor != nullptr, how + " opens " + quoted(kEditorTitle));
  if (editor != nullptr) check(!IsWindowEnabled(main), "the main window is disabled under it");
  return editor;
}

// OK posted (its handler closes the window); the main window takes input again.
void closeWithOk(HWND main, HWND editor) {
  clickLater(byId(editor, IDC_NEW_ENTRY_OK));
  check(waitUntil([&] { return !IsWindow(editor); }), "\"OK\" closes the editor");
  check(waitUntil([&] { return IsWindowEnabled(main) != FALSE; }),
        "the main window is enabled again");
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
  HWND editor = awaitEditor(pid, main, "\"Добавить\"");
  if (editor == nullptr) return;
  HWND type = byId(editor, IDC_NEW_ENTRY_EXTENSION), desc = byId(editor, IDC_NEW_ENTRY_DESCRIPTION);
  HWND text = byId(editor, IDC_NEW_ENTRY_TEXT);
  check(typeText(type, "vtx") && shownText(type) == "vtx", "the type \"vtx\" is typed");
  check(shownText(desc) == "Текст Vireo", "txtDesc shows the class's description",
        quoted(shownText(desc)));
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
  check(shownText(text) == lines, "txtNow holds the two lines", quoted(shownText(text)));
  expectState(now, "before \"Применить\": nothing was written");

  check(click(byId(editor, IDC_NEW_ENTRY_APPLY)), "click on \"Применить\"");
  now[&kVtxFileName] = textValue(file);
  expectState(now, "after \"Применить\": FileName names the template, nothing else changed");
  const FileBytes written = readFile(file);
  check(written == FileBytes{true, lines + "\r\n"},
        "the template holds the text in code page 1251, every line ended by CR LF",
        written.exists ? quoted(written.data) : "no file");
  check(!IsWindowEnabled(main), "after \"Применить\": the main window is still disabled");
  closeWithOk(main, editor);
  // The list is read again once the editor has closed.
  awaitListed(c.lstNew, kVtxItem, true);
  check(listed(c.lstNew, kVtxItem) && listed(c.lstNew, kVnbItem),
        "after \"OK\": lstNew lists " + quoted(kVtxItem) + " beside " + quoted(kVnbItem));
}

// A double click on the entry opens it with its template's option; it is changed into a command.
void changeEntry(DWORD pid, HWND main, const Controls& c, State& now, const std::string& file) {
  const int index = itemIndex(c.lstNew, kVtxItem);
  if (!check(index >= 0, "lstNew lists " + quoted(kVtxItem))) return;
  const LPARAM at = itemPoint(c.lstNew.window, index, kTextX);
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    PostMessageA(c.lstNew.window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
  }
  HWND editor = awaitEditor(pid, main, "a double click on " + quoted(kVtxItem));
  if (editor == nullptr) return;
  HWND type = byId(editor, IDC_NEW_ENTRY_EXTENSION), use = byId(editor, IDC_NEW_ENTRY_USE_FILE);
  HWND fileOption = byId(editor, IDC_NEW_ENTRY_KIND_FIRST + 1);
  check(waitUntil([&] { return std::string(boxState(fileOption)) == "ticked"; }, 5000) &&
            shownText(use) == file,
        "the editor shows \"Использовать файл\" with the template", quoted(shownText(use)));
  check(shownText(type) == "vtx" && (GetWindowLongA(type, GWL_STYLE) & ES_READONLY) != 0,
        "txtType holds \"vtx\", read-only");
  if (!pickOption(editor, 4, IDC_NEW_ENTRY_COMMAND, "txtCommand")) return;
  typeText(byId(editor, IDC_NEW_ENTRY_COMMAND), "notepad.exe");
  closeWithOk(main, editor);
  now[&kVtxFileName] = absent();
  now[&kVtxCommand] = textValue("notepad.exe");
  expectState(now, "after the change: Command replaces FileName, nothing else changed");
  check(readFile(file).exists, "the template file stays");
}

void deleteEntry(const Controls& c, State& now) {
  const int index = itemIndex(c.lstNew, kVtxItem);
  if (!check(index >= 0, "lstNew lists " + quoted(kVtxItem))) return;
  check(clickItem(c.lstNew.window, index, kTextX) && click(c.remove.window),
        "click on " + quoted(kVtxItem) + ", then on \"Удалить\"");
  now[&kVtxCommand] = absent();
  check(read(entry(CLASSES ".vtx\\ShellNew\\")).noKey,
        "after \"Удалить\": the ShellNew key is gone");
  expectState(now, "after \"Удалить\": nothing else changed");
  awaitListed(c.lstNew, kVtxItem, false);
  check(!listed(c.lstNew, kVtxItem) && listed(c.lstNew, kVnbItem),
        "after \"Удалить\": lstNew lists " + quoted(kVnbItem) + " only");
}

void checkNewMenu(DWORD pid, HWND main, const Controls& c, State& now) {
  awaitListed(c.lstNew, kVnbItem, true);
  check(listed(c.lstNew, kVnbItem) && !listed(c.lstNew, kVtxItem),
        "on first showing the page: lstNew lists " + quoted(kVnbItem) + " and not .vtx");
  const std::string file = templatePath();
  addEntry(pid, main, c, now, file);
  changeEntry(pid, main, c, now, file);
  deleteEntry(c, now);
  writeFile(file, {});
}

// Changes made outside, with the values that tempt a fill running its handlers, show when the
// page comes to the front again, and nothing is written.
void checkPageSwitch(const Shell& shell, const Controls& c, State& now) {
  now[&kShsNever] = textValue("x");
  now[&kShbNever] = absent();
  now[&kIcoIcon] = textValue("%1");
  now[&kQuickView] = textValue("x");
  now[&kOpenWithCommand] = textValue("C:\\Other\\openwith.exe \"%1\"");
  now[&kUnknownCommand] = textValue("C:\\Viewer\\view.exe %1");
  now[&kUnknownDescription] = textValue("Снаружи");
  if (!check(writeState(now), "the registry is changed from outside")) return;
  if (!bringToFront(shell, kControlPanel) || !bringToFront(shell, kFiles)) return;
  const std::string again = "on showing the page again";
  expectItem(c.ext, kShsRow, false, again);
  expectItem(c.ext, kShbRow, true, again);
  expectItem(c.ico, kIcoRow, true, again);
  expectBox(c.check2, false, again);
  expectBox(c.check3, true, again);
  expectShown(c.txtO, "C:\\Viewer\\view.exe %1", again);
  expectShown(c.txtD, "Снаружи", again);
  expectState(now, again + ": nothing was written");
}

}  // namespace

int runFiles(const std::string& exe, const char* desktop) {
  State now = prepared();
  if (!check(write(kUnknownOpen, noKey()) && writeState(now) && writeFile(templatePath(), {}),
             "the registry is prepared, and there is no template NewFile.vtx")) {
    return finish();
  }
  Program program;
  HWND main = startMain(program, exe, desktop);
  if (main == nullptr) return finish();
  expectState(now, "after start: the registry is as prepared (start-up only reads)");
  Shell shell;
  Controls c;
  if (findShell(main, shell) && bringToFront(shell, kFiles) &&
      find(main, {&c.ext, &c.ico, &c.check2, &c.check3, &c.txtO, &c.txtD, &c.lstNew, &c.add,
                  &c.remove})) {
    expectState(now, "on first showing the Files page: nothing was written");
    checkLists(c, now);
    checkBoxes(c, now);
    checkUnknownFiles(c, now);
    checkNewMenu(program.pid(), main, c, now);
    checkPageSwitch(shell, c, now);
  }
  checkExit(program, main);
  return finish();
}

}  // namespace driver
