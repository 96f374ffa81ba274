// "Обновить данные" (F5) after changes made outside the program: every kind of control is put
// in a state it did not show before, shows the change after the refresh, and the refresh writes
// nothing.
#include <functional>

#include "harness.h"
#include "input.h"
#include "rows.h"
#include "settings.h"

namespace driver {

namespace {

constexpr int kDriveD = 3;

// One control, what it shows, and what it must show before and after the refresh.
struct Watched {
  std::string name;
  std::function<std::string()> shown;
  std::string before;
  std::string after;
};

std::function<std::string()> boxOf(const Control& box) {
  return [&box] { return std::string(boxState(box.window)); };
}
std::function<std::string()> textOf(const Control& field) {
  return [&field] { return shownText(field.window); };
}

}  // namespace

void checkRefreshReads(HWND main, SettingControls& c, State& now) {
  if (!find(main, {&c.drives, &c.check1, &c.text1, &c.txtWin, &c.txtIP3})) {
    return;
  }
  const std::string driveD = "drive D: of " + c.drives.name;
  const std::vector<Watched> watched = {
      {c.password.name, boxOf(c.password), "cleared", "ticked"},
      {c.devices.name, boxOf(c.devices), "ticked", "ticked"},
      {c.infoTip.name, boxOf(c.infoTip), "cleared", "ticked"},
      {c.network.name, boxOf(c.network), "ticked", "ticked"},
      {c.webFolders.name, boxOf(c.webFolders), "cleared", "ticked"},
      {c.recycleMenu.name, textOf(c.recycleMenu), kRecycleChoices[3], kRecycleChoices[0]},
      {c.recycleName.name, textOf(c.recycleName), "Мусор", ""},
      {driveD, [&] { return std::string(itemState(c.drives.window, kDriveD)); }, "ticked",
       "cleared"},
      {c.check1.name, boxOf(c.check1), "cleared", "ticked"},
      {c.text1.name, textOf(c.text1), "C:\\Vireo\\back.bmp", "C:\\Vireo\\other.bmp"},
      {c.txtWin.name, textOf(c.txtWin), "C:\\WINDOWS\\OPTIONS\\CABS", "E:\\WIN98"},
      {c.txtIP3.name, textOf(c.txtIP3), "D:\\", "F:\\"},
  };
  std::string wrong;
  for (const Watched& w : watched) {
    std::string shown = w.shown();
    if (shown != w.before) wrong += (wrong.empty() ? "" : "; ") + w.name + " " + shown;
  }
  expect(wrong.empty(), "before the refresh every watched control shows the old state", wrong);

  now[kRowNoPwdPage] = dword(0);
  now[kRowShowInfoTip] = dword(1);
  now[kRowWebFolders] = textValue("");  // the name-space key made outside
  now[kRowRecycleAttributes] = recycleAttributes(0);
  now[kRowRecycleName] = absent();
  now[kRowNoDrives] = dword(1 << kDriveD);
  now[kRowFolderOpen] = textValue(kTwoPane);
  now[kRowBackBitmap] = textValue("C:\\Vireo\\other.bmp");
  now[kRowSourcePath] = textValue("E:\\WIN98");
  now[kRowInstallPathC] = textValue("F:\\");
  if (!check(writeState(settingRows(), now), "the registry is changed from outside")) return;

  // F5, the accelerator of "Обновить данные", as the keyboard delivers it to the message loop.
  // The installation paths are the last part that the refresh reads.
  pressKey(main, VK_F5);
  check(
      waitUntil([&] { return shownText(c.txtIP3.window) == "F:\\"; }, 10000) && send(main, WM_NULL),
      "F5 runs \"Обновить данные\" after changes made outside the program");
  const std::string when = "after the refresh";
  for (const Watched& w : watched) {
    std::string shown = w.shown();
    expect(shown == w.after, when + ": " + w.name + " shows " + quoted(w.after), quoted(shown));
  }
  expectState(settingRows(), now,
              when + ": nothing was written (every value as the driver left it)");
}

}  // namespace driver
