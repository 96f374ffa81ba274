// The catalogue-bound settings against Wine's registry: what start-up shows from a prepared
// registry, a page brought to the front reading changes made outside, clicks, a choice and
// typing written through, and "Обновить данные" (F5) after changes made outside to every kind of
// control. Start-up and reading write nothing, and every action changes only its own value.
#include "driver.h"

namespace driver {

namespace {

#define RECYCLE_CLSID "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\"

// The Recycle Bin's name (text setting "Recycled Bin", written to HKLM\Software\Classes and to
// HKCR, the same key seen twice) and its menu (the choice "Меню элемента").
const RegEntry kNoPwdPage = entry(VIREO_POLICIES "System\\NoPwdPage");
const RegEntry kNoDevMgrPage = entry(VIREO_POLICIES "System\\NoDevMgrPage");
const RegEntry kNoEntireNetwork = entry(VIREO_POLICIES "Network\\NoEntireNetwork");
const RegEntry kShowInfoTip =
    entry("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\ShowInfoTip");
const RegEntry kRecycleName = entry("HKLM\\Software\\Classes\\" RECYCLE_CLSID);
const RegEntry kRecycleAttributes = entry("HKCR\\" RECYCLE_CLSID "ShellFolder\\Attributes");
const RegEntry kWebFolders = entry(
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\MyComputer\\NameSpace\\"
    "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}\\");
const RegEntry kSourcePath =
    entry("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Setup\\SourcePath");
const RegEntry kInstallPathC = entry("HKCU\\InstallLocationsMRU\\c");
// The class of ".lnk", the first row of the Files page's extension list, and the value that hides
// the extension.
const RegEntry kLnkClass = entry("HKLM\\Software\\Classes\\.lnk\\");
const RegEntry kLnkHidden = entry("HKLM\\Software\\Classes\\lnkfile\\NeverShowExt");

// The choices of "Меню элемента" and the attributes each stands for.
const char* const kRecycleChoices[4] = {"Отсутствует", "Только Переименовать", "Только удалить",
                                        "Удалить и переименовать"};
Stored recycleAttributes(int choice) {
  return binary({static_cast<unsigned char>(0x40 + 0x10 * choice), 0x01, 0x00, 0x20});
}

// What the program finds at start-up: the values that the scenario watches.
State prepared() {
  return {{&kNoPwdPage, dword(1)},
          {&kNoDevMgrPage, absent()},
          {&kNoEntireNetwork, dword(7)},
          {&kShowInfoTip, absent()},
          {&kRecycleName, textValue("Корзина")},
          {&kRecycleAttributes, recycleAttributes(2)},
          {&kWebFolders, noKey()},
          {&kNoDrives, absent()},
          {&kFolderOpen, textValue(kOnePane)},
          {&kBackBitmapShell, textValue("C:\\Vireo\\back.bmp")},
          {&kSourcePath, textValue("C:\\WINDOWS\\OPTIONS\\CABS")},
          {&kInstallPathC, textValue("D:\\")},
          {&kLnkClass, textValue("lnkfile")},
          {&kLnkHidden, textValue("")}};
}

// The controls that the scenario drives or watches.
struct Controls {
  Control password{IDC_RESTRICTION_FIRST + 12, "box \"Смена паролей\""};
  Control devices{IDC_RESTRICTION_FIRST + 1, "box \"Устройства\""};
  Control infoTip{IDC_CHECK_SETTING_FIRST + 0, "box \"Показывать всплывающие подсказки\""};
  Control network{IDC_CHECK_SETTING_FIRST + 5, "box \"Сеть\""};
  Control drives{IDC_DRIVES_LIST, "the drive list"};
  Control check1{IDC_TWO_PANE, "box \"две панели\""};
  Control text1{IDC_TOOLBAR_BACKGROUND_PATH, "the toolbar background field Text1"};
  Control webFolders{IDC_MY_COMPUTER_FIRST + 2, "box \"Web Folders\""};
  Control recycleMenu{IDC_CHOICE_SETTING_FIRST, "the list \"Меню элемента\""};
  Control recycleName{IDC_TEXT_SETTING_FIRST + 0, "the field \"Recycled Bin\""};
  Control txtWin{IDC_SOURCE_PATH, "the distribution path txtWin"};
  Control txtIP3{IDC_INSTALL_PATH_FIRST + 2, "the installation path txtIP(2)"};
  Control extensions{IDC_EXTENSIONS_LIST, "the extension list lstExt"};
};

// What start-up shows; then, with the registry changed from outside, what each page shows when
// it is first brought to the front (it reads again), and when it is brought to the front again.
// Nothing of this writes.
bool checkStartAndPageSwitch(const Shell& shell, Controls& c) {
  State now = prepared();
  const std::string start = "after start";
  expectState(now, start + ": the registry is as prepared (start-up only reads)");
  check(!readFile(controlIni()).exists, start + ": control.ini was not created");
  if (!find(shell.main, {&c.password, &c.devices})) return false;
  expectBox(c.password, false, start);
  expectBox(c.devices, true, start);
  // After the first paint the pages behind the first one are made in idle time, so that the
  // first switch to each is as quick as the later ones.
  const bool madeAhead = waitUntil(
      [&] {
        for (int i = 1; i < kPageCount; ++i) {
          if (descendants(shell.frames[i]).size() <= 1) return false;
        }
        return true;
      },
      5000);
  check(madeAhead, "after the first paint, the pages behind are made ahead in idle time");

  now[&kShowInfoTip] = dword(1);
  now[&kRecycleName] = textValue("Снаружи");
  now[&kRecycleAttributes] = recycleAttributes(0);
  now[&kWebFolders] = textValue("");
  if (!check(writeState(now), "the registry is changed from outside")) return false;
  const std::string first = "on first showing its page";
  if (!bringToFront(shell, kExplorer) || !find(shell.main, {&c.infoTip, &c.network})) return false;
  expectBox(c.infoTip, true, first);
  expectBox(c.network, true, first);
  if (!bringToFront(shell, kActiveDesktop) || !find(shell.main, {&c.webFolders, &c.recycleMenu})) {
    return false;
  }
  expectBox(c.webFolders, true, first);
  check(ask(c.recycleMenu.window, CB_GETCOUNT) == 4, first + ": four choices are offered");
  expectShown(c.recycleMenu, kRecycleChoices[0], first);
  if (!bringToFront(shell, kFolders) || !find(shell.main, {&c.recycleName})) return false;
  expectShown(c.recycleName, "Снаружи", first);
  if (!bringToFront(shell, kFiles) || !find(shell.main, {&c.extensions})) return false;
  const LRESULT rows = ask(c.extensions.window, LB_GETCOUNT);
  check(rows == 13, first + ": the extension list has 13 rows", std::to_string(rows));
  check(std::string(itemState(c.extensions.window, 0)) == "cleared",
        first + ": the row of .lnk is cleared (its NeverShowExt is there)");
  expectState(now, "after the pages were first shown: nothing was written");

  // Pages made already read again when brought to the front.
  now[&kShowInfoTip] = dword(0);
  now[&kNoDevMgrPage] = dword(1);
  writeState(now);
  const std::string again = "on showing its page again after a change outside";
  if (bringToFront(shell, kExplorer)) expectBox(c.infoTip, false, again);
  if (bringToFront(shell, kControlPanel)) {
    expectBox(c.devices, false, again);
    expectBox(c.password, false, again);
  }
  // The extension list keeps its rows and shows the tick of the one changed, both ways.
  for (const bool hidden : {false, true}) {
    now[&kLnkHidden] = hidden ? textValue("") : absent();
    writeState(now);
    if (!bringToFront(shell, kControlPanel) || !bringToFront(shell, kFiles)) break;
    const char* expected = hidden ? "cleared" : "ticked";
    check(std::string(itemState(c.extensions.window, 0)) == expected,
          again + ": the row of .lnk is " + expected, itemState(c.extensions.window, 0));
    check(ask(c.extensions.window, LB_GETCOUNT) == 13, again + ": the extension list has 13 rows");
  }
  expectState(now, "after the pages were shown again: nothing was written");
  // The registry as prepared again, for the checks that follow.
  return check(writeState(prepared()), "the registry is put back as prepared");
}

// Clicks a box as a user does and checks the box and the registry afterwards: `row` holds
// `stored` and every other row is as it was.
void clickBox(const Control& box, bool ticked, const RegEntry* row, const Stored& stored,
              State& now) {
  const std::string when = std::string("after ") + (ticked ? "ticking " : "clearing ") + box.name;
  check(click(box.window), "click on " + box.name);
  expectBox(box, ticked, when);
  now[row] = stored;
  expectState(
      now, when + ": " + row->path + " holds " + describe(stored) + " and no other value changed");
}

// Each page re-reads when brought to the front, so the boxes show the registry as prepared.
void checkBoxes(const Shell& shell, const Controls& c, State& now) {
  if (bringToFront(shell, kExplorer)) {
    clickBox(c.infoTip, true, &kShowInfoTip, dword(1), now);
    clickBox(c.infoTip, false, &kShowInfoTip, dword(0), now);
  }
  if (bringToFront(shell, kControlPanel)) {
    clickBox(c.devices, false, &kNoDevMgrPage, dword(1), now);
    clickBox(c.devices, true, &kNoDevMgrPage, absent(), now);
  }
  if (bringToFront(shell, kActiveDesktop)) {
    // A box bound to a key of its own creates the key, with an empty default value.
    clickBox(c.webFolders, true, &kWebFolders, textValue(""), now);
    clickBox(c.webFolders, false, &kWebFolders, noKey(), now);
  }
}

// The closed drop-down list turns the down arrow into the next choice and tells its frame, as
// when the user presses the key with the list focused.
void checkChoice(const Controls& c, State& now) {
  const std::string when = "after the down arrow in " + c.recycleMenu.name;
  expectShown(c.recycleMenu, kRecycleChoices[2], "before the down arrow");
  now[&kRecycleAttributes] = recycleAttributes(3);
  pressKey(c.recycleMenu.window, VK_DOWN);
  waitUntil([&] { return read(kRecycleAttributes) == now[&kRecycleAttributes]; }, 5000);
  expectShown(c.recycleMenu, kRecycleChoices[3], when);
  expectState(now, when + ": the attributes are written, no other value changed");
}

// Types a new name into the "Recycled Bin" field over its selected text, one character at a
// time; every keystroke writes the text so far to both names of the class key.
void checkTyping(const Controls& c, State& now) {
  const char typed[] = "Мусор";
  HWND field = c.recycleName.window;
  ask(field, EM_SETSEL, 0, -1);
  std::string sofar, mismatch;
  bool answered = typeText(field, typed, [&] {
    sofar += typed[sofar.size()];
    const Stored found = read(kRecycleName);
    if (found != textValue(sofar) && mismatch.empty()) mismatch = sofar + ": " + describe(found);
  });
  const std::string when = "after typing " + quoted(typed) + " into " + c.recycleName.name;
  check(answered, c.recycleName.name + " took every keystroke");
  check(mismatch.empty(), when + ": every keystroke wrote the text so far", mismatch);
  expectShown(c.recycleName, typed, when);
  now[&kRecycleName] = textValue(typed);
  expectState(now, when + ": the name is written, no other value changed");
}

// "Обновить данные" (F5) after changes made outside the program: every kind of control is put in
// a state it did not show before, shows the change after the refresh, and the refresh writes
// nothing.
void checkRefreshReads(HWND main, Controls& c, State& now) {
  if (!find(main, {&c.drives, &c.check1, &c.text1, &c.txtWin, &c.txtIP3})) return;
  constexpr int kDriveD = 3;
  const struct {
    const Control& control;
    const char* before;
    const char* after;
  } watched[] = {
      {c.password, "cleared", "ticked"},
      {c.devices, "ticked", "ticked"},
      {c.infoTip, "cleared", "ticked"},
      {c.network, "ticked", "ticked"},
      {c.webFolders, "cleared", "ticked"},
      {c.recycleMenu, kRecycleChoices[3], kRecycleChoices[0]},
      {c.recycleName, "Мусор", ""},
      {c.drives, "ticked", "cleared"},  // drive D:
      {c.check1, "cleared", "ticked"},
      {c.text1, "C:\\Vireo\\back.bmp", "C:\\Vireo\\other.bmp"},
      {c.txtWin, "C:\\WINDOWS\\OPTIONS\\CABS", "E:\\WIN98"},
      {c.txtIP3, "D:\\", "F:\\"},
  };
  auto shown = [&](const Control& control) -> std::string {
    if (control.id == IDC_DRIVES_LIST) return itemState(control.window, kDriveD);
    if (sameClass(control.window, "Button")) return boxState(control.window);
    return shownText(control.window);
  };
  std::string wrong;
  for (const auto& w : watched) {
    if (shown(w.control) != w.before) wrong += "; " + w.control.name + " " + shown(w.control);
  }
  check(wrong.empty(), "before the refresh every watched control shows the old state", wrong);

  now[&kNoPwdPage] = dword(0);
  now[&kShowInfoTip] = dword(1);
  now[&kWebFolders] = textValue("");  // the name-space key made outside
  now[&kRecycleAttributes] = recycleAttributes(0);
  now[&kRecycleName] = absent();
  now[&kNoDrives] = dword(1 << kDriveD);
  now[&kFolderOpen] = textValue(kTwoPane);
  now[&kBackBitmapShell] = textValue("C:\\Vireo\\other.bmp");
  now[&kSourcePath] = textValue("E:\\WIN98");
  now[&kInstallPathC] = textValue("F:\\");
  if (!check(writeState(now), "the registry is changed from outside")) return;

  // F5, the accelerator of "Обновить данные", as the keyboard delivers it to the message loop.
  // The installation paths are the last part that the refresh reads.
  pressKey(main, VK_F5);
  check(
      waitUntil([&] { return shownText(c.txtIP3.window) == "F:\\"; }, 10000) && send(main, WM_NULL),
      "F5 runs \"Обновить данные\" after changes made outside the program");
  for (const auto& w : watched) {
    check(shown(w.control) == w.after,
          "after the refresh: " + w.control.name + " shows " + quoted(w.after),
          quoted(shown(w.control)));
  }
  expectState(now, "after the refresh: nothing was written");
}

}  // namespace

int runSettings(const std::string& exe, const char* desktop) {
  if (!check(writeState(prepared()) && writeFile(controlIni(), {}),
             "the registry is prepared and there is no control.ini before the start")) {
    return finish();
  }
  Program program;
  HWND main = startMain(program, exe, desktop);
  if (main == nullptr) return finish();

  Shell shell;
  Controls c;
  if (findShell(main, shell) && checkStartAndPageSwitch(shell, c)) {
    State now = prepared();
    checkBoxes(shell, c, now);
    if (bringToFront(shell, kActiveDesktop)) checkChoice(c, now);
    if (bringToFront(shell, kFolders)) checkTyping(c, now);
    checkRefreshReads(main, c, now);
    check(!readFile(controlIni()).exists, "at the end: control.ini was never created");
  }
  checkExit(program, main);
  return finish();
}

}  // namespace driver
