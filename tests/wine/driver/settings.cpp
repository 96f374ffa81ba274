// The catalogue-bound settings against Wine's registry: what start-up shows from a prepared
// registry, a page brought to the front reading changes made outside, clicks, a choice and
// typing written through, and the refresh (refresh.cpp). Start-up and reading write nothing,
// and every action changes only its own value.
#include "settings.h"
#include "harness.h"
#include "input.h"
#include "rows.h"
#include "scenarios.h"

namespace driver {

const std::vector<Row>& settingRows() {
  static const std::vector<Row> rows = {
      {&kNoPwdPage, &kNoPwdPage},
      {&kNoDevMgrPage, &kNoDevMgrPage},
      {&kNoEntireNetwork, &kNoEntireNetwork},
      {&kShowInfoTip, &kShowInfoTip},
      {&kRecycleName, &kRecycleNameClasses},
      {&kRecycleAttributes, &kRecycleAttributes},
      {&kWebFolders, &kWebFolders},
      {&kNoDrives, &kNoDrives},
      {&kFolderOpen, &kFolderOpen},
      {&kBackBitmapShell, &kBackBitmapShell},
      {&kSourcePath, &kSourcePath},
      {&kInstallPathC, &kInstallPathC},
  };
  return rows;
}

const char* const kRecycleChoices[4] = {"Отсутствует", "Только Переименовать", "Только удалить",
                                        "Удалить и переименовать"};

Stored recycleAttributes(int choice) {
  return binary({static_cast<unsigned char>(0x40 + 0x10 * choice), 0x01, 0x00, 0x20});
}

const char kRecycled[] = "Корзина";

namespace {

// What the program finds at start-up.
State prepared() {
  return {dword(1),
          absent(),
          dword(7),
          absent(),
          textValue(kRecycled),
          recycleAttributes(2),
          noKey(),
          absent(),
          textValue(kOnePane),
          textValue("C:\\Vireo\\back.bmp"),
          textValue("C:\\WINDOWS\\OPTIONS\\CABS"),
          textValue("D:\\")};
}

// What start-up shows; then, with the registry changed from outside, what each page shows when
// it is first brought to the front (its windows are made then, and it reads again), and when a
// page already made is brought to the front again. Nothing of this writes.
bool checkStartAndPageSwitch(const Shell& shell, SettingControls& c) {
  State now = prepared();
  const std::string start = "after start";
  expectState(settingRows(), now, start + ": the registry is as prepared (start-up only reads)");
  check(!readFile(controlIni()).exists, start + ": control.ini was not created");
  if (!find(shell.main, {&c.password, &c.devices})) return false;
  expectBox(c.password, false, start);
  expectBox(c.devices, true, start);

  // Start-up creates no windows inside the pages behind the first one but their titles.
  bool onlyTitles = true;
  for (int i = 1; i < kPageCount; ++i) {
    onlyTitles = onlyTitles && descendants(shell.frames[i]).size() == 1;
  }
  check(onlyTitles, "before their first showing, the pages behind hold only their titles");

  now[kRowShowInfoTip] = dword(1);
  now[kRowRecycleName] = textValue("Снаружи");
  now[kRowRecycleAttributes] = recycleAttributes(0);
  now[kRowWebFolders] = textValue("");
  if (!check(writeState(settingRows(), now),
             "the registry is changed from outside before the pages are shown")) {
    return false;
  }
  const std::string first = "on first showing its page";
  if (!bringToFront(shell, kExplorer) || !find(shell.main, {&c.infoTip, &c.network})) return false;
  expectBox(c.infoTip, true, first);
  expectBox(c.network, true, first);
  if (!bringToFront(shell, kActiveDesktop) || !find(shell.main, {&c.webFolders, &c.recycleMenu})) {
    return false;
  }
  expectBox(c.webFolders, true, first);
  check(ask(c.recycleMenu.window, CB_GETCOUNT) == 4,
        first + ": " + c.recycleMenu.name + " offers four choices");
  expectShown(c.recycleMenu, kRecycleChoices[0], first);
  if (!bringToFront(shell, kFolders) || !find(shell.main, {&c.recycleName})) return false;
  expectShown(c.recycleName, "Снаружи", first);
  expectState(settingRows(), now, "after the pages were first shown: nothing was written");

  // Pages made already read again when brought to the front.
  now[kRowShowInfoTip] = dword(0);
  now[kRowNoDevMgrPage] = dword(1);
  writeState(settingRows(), now);
  const std::string again = "on showing its page again after a change outside";
  if (bringToFront(shell, kExplorer)) expectBox(c.infoTip, false, again);
  if (bringToFront(shell, kControlPanel)) {
    expectBox(c.devices, false, again);
    expectBox(c.password, false, again);
  }
  expectState(settingRows(), now, "after the pages were shown again: nothing was written");
  // The registry as prepared again, for the checks that follow.
  return check(writeState(settingRows(), prepared()), "the registry is put back as prepared");
}

// Clicks a box as a user does and checks the box and the registry afterwards: `row` holds
// `stored` and every other row is as it was.
void clickBox(const Control& box, bool ticked, SettingRow row, const Stored& stored, State& now) {
  std::string when = std::string("after ") + (ticked ? "ticking " : "clearing ") + box.name;
  check(click(box.window), "click on " + box.name);
  expectBox(box, ticked, when);
  now[row] = stored;
  expectStored(*settingRows()[row].read, stored, when);
  expectState(settingRows(), now, when + ": no other value changed");
}

// Each page re-reads when brought to the front, so the boxes show the registry as prepared.
void checkBoxes(const Shell& shell, const SettingControls& c, State& now) {
  if (bringToFront(shell, kExplorer)) {
    clickBox(c.infoTip, true, kRowShowInfoTip, dword(1), now);
    clickBox(c.infoTip, false, kRowShowInfoTip, dword(0), now);
  }
  if (bringToFront(shell, kControlPanel)) {
    clickBox(c.devices, false, kRowNoDevMgrPage, dword(1), now);
    clickBox(c.devices, true, kRowNoDevMgrPage, absent(), now);
  }
  if (bringToFront(shell, kActiveDesktop)) {
    // A box bound to a key of its own creates the key, with an empty default value.
    clickBox(c.webFolders, true, kRowWebFolders, textValue(""), now);
    clickBox(c.webFolders, false, kRowWebFolders, noKey(), now);
  }
}

// The closed drop-down list turns the down arrow into the next choice and tells its frame, as
// when the user presses the key with the list focused.
void checkChoice(const SettingControls& c, State& now) {
  const std::string when = "after the down arrow in " + c.recycleMenu.name;
  expectShown(c.recycleMenu, kRecycleChoices[2], "before the down arrow");
  now[kRowRecycleAttributes] = recycleAttributes(3);
  pressKey(c.recycleMenu.window, VK_DOWN);
  waitUntil([&] { return read(kRecycleAttributes) == now[kRowRecycleAttributes]; }, 5000);
  expectShown(c.recycleMenu, kRecycleChoices[3], when);
  expectStored(kRecycleAttributes, now[kRowRecycleAttributes], when);
  expectState(settingRows(), now, when + ": no other value changed");
}

// Types a new name into the "Recycled Bin" field over its selected text, one character at a
// time; every keystroke writes the text so far to both names of the class key.
void checkTyping(const SettingControls& c, State& now) {
  const char typed[] = "Мусор";
  const RegEntry* const names[] = {&kRecycleName, &kRecycleNameClasses};
  HWND field = c.recycleName.window;
  ask(field, EM_SETSEL, 0, -1);
  std::string sofar, mismatch;
  bool answered = typeText(field, typed, [&] {
    sofar += typed[sofar.size()];
    for (const RegEntry* e : names) {
      Stored found = read(*e);
      if (found != textValue(sofar) && mismatch.empty()) {
        mismatch = " (after " + quoted(sofar) + " " + e->path + " held " + describe(found) + ")";
      }
    }
  });
  const std::string when = "after typing " + quoted(typed) + " into " + c.recycleName.name;
  check(answered, c.recycleName.name + " took every keystroke");
  check(mismatch.empty(),
        when + ": every keystroke wrote the text so far to both names of the class key" + mismatch);
  expectShown(c.recycleName, typed, when);
  now[kRowRecycleName] = textValue(typed);
  expectStored(kRecycleName, now[kRowRecycleName], when);
  expectState(settingRows(), now, when + ": no other value changed");
}

}  // namespace

int runSettings(const std::string& exe, const char* desktop) {
  // Declared before the program, so that a program that did not end is terminated before the
  // registry and control.ini are put back.
  RegistryRestore restore(settingRows(), touchedKeys());
  FileRestore ini(controlIni());
  if (!check(writeState(settingRows(), prepared()) && writeFile(controlIni(), {}),
             "the registry is prepared and there is no control.ini before the start")) {
    return finish();
  }
  Program program;
  if (!program.start(exe, desktop)) return finish() | 1;
  HWND main = waitForMain(program);
  if (main == nullptr) return finish();

  Shell shell;
  SettingControls c;
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
