// What of the pages needs the real window, beside the case table (driver.exe cases): the pages
// behind the first one made ahead in idle time after the first paint, F5 as the keyboard delivers
// it running "Обновить данные", the drive list driven with the mouse on an item's name and the
// space bar, and the toolbar background's preview read off the screen. Every action changes only
// its own value.
#include <algorithm>

#include "driver.h"

namespace driver {

namespace {

const char kNoDrives[] =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoDrives";
const char kBackBitmapShell[] =
    "HKCU\\Software\\Microsoft\\Internet Explorer\\Toolbar\\BackBitmapShell";

// An 8 x 8 bitmap file of 24 bits per pixel (rows of 24 bytes need no padding), all `colour`.
FileBytes solidBitmap(COLORREF colour) {
  BITMAPFILEHEADER file{0x4D42, sizeof file + sizeof(BITMAPINFOHEADER) + 192, 0, 0,
                        sizeof file + sizeof(BITMAPINFOHEADER)};
  BITMAPINFOHEADER info{sizeof info, 8, 8, 1, 24, BI_RGB, 192, 0, 0, 0, 0};
  FileBytes bytes{true, std::string(reinterpret_cast<const char*>(&file), sizeof file)};
  bytes.data.append(reinterpret_cast<const char*>(&info), sizeof info);
  for (int i = 0; i < 64; ++i) {
    bytes.data += {static_cast<char>(GetBValue(colour)), static_cast<char>(GetGValue(colour)),
                   static_cast<char>(GetRValue(colour))};
  }
  return bytes;
}

// The colour at the centre of a window as the screen shows it.
COLORREF centrePixel(HWND window) {
  POINT centre = clientCentre(window);
  ClientToScreen(window, &centre);
  HDC screen = GetDC(nullptr);
  COLORREF pixel = GetPixel(screen, centre.x, centre.y);
  ReleaseDC(nullptr, screen);
  return pixel;
}

// After the first paint the pages behind the first one are made in idle time, so that the first
// switch to each is as quick as the later ones.
void checkMadeAhead(const Shell& shell) {
  auto made = [](HWND frame) { return descendants(frame).size() > 1; };
  check(waitUntil([&] { return std::all_of(shell.frames + 1, shell.frames + kPageCount, made); },
                  5000),
        "after the first paint, the pages behind are made ahead in idle time");
}

// The drive list (NoDrives, a bit for each hidden drive): a click on a drive's name selects it
// and changes nothing; the space bar then clears it. F5, the accelerator of "Обновить данные",
// shows a change made outside.
void checkDrives(HWND main, State& now) {
  Control list{IDC_DRIVES_LIST, "the drive list"};
  if (!find(main, {&list})) return;
  auto ticks = [&] {
    std::string found;
    for (int d : {2, 3, 4}) found += std::string(itemState(list.window, d)) == "ticked" ? '+' : '-';
    return found;
  };
  // What start-up shows of NoDrives is a row of the case table; the click must leave it.
  check(clickItem(list.window, 3, kTextX) && ticks() == "++-",
        "a click on the name of D: C, D, E stay ++-", ticks());
  expectState(now, "after a click on D:'s name: nothing was written");
  pressKey(list.window, VK_SPACE);
  check(waitUntil([&] { return ticks() == "+--"; }, 5000), "the space bar clears D:", ticks());
  now[kNoDrives] = Num(1 << 3 | 1 << 4);
  expectState(now, "after the space bar on D:: NoDrives holds D: and E:, nothing else changed");

  now[kNoDrives] = Num(1 << 2);
  if (!check(writeState(now), "NoDrives is changed from outside")) return;
  pressKey(main, VK_F5);
  check(waitUntil([&] { return ticks() == "-++"; }, 10000) && send(main, WM_NULL),
        "F5 runs \"Обновить данные\": the drive list shows the change made outside", ticks());
}

// Image1 previews the toolbar background that the registry names.
void checkPreview(HWND main, COLORREF colour) {
  Control image1{IDC_TOOLBAR_BACKGROUND_PREVIEW, "the preview Image1"};
  if (!find(main, {&image1})) return;
  COLORREF found = CLR_INVALID;
  waitUntil([&] { return (found = centrePixel(image1.window)) == colour; }, 5000);
  check(found == colour, "the preview shows the bitmap's colour", std::to_string(found));
}

}  // namespace

int runPages(const std::string& exe, const char* desktop) {
  const std::string bitmap = report::tempDirectory() + "\\vireo-back.bmp";
  const COLORREF colour = RGB(0x20, 0xA0, 0x60);
  State now = {{kNoDrives, Num(1 << 4)}, {kBackBitmapShell, Txt(bitmap)}};
  Program program;
  HWND main = startPrepared(program, exe, desktop,
                            writeState(now) && writeFile(bitmap, solidBitmap(colour)),
                            "the registry and a bitmap are prepared before the start");
  if (main == nullptr) return finish();
  Shell shell;
  if (findShell(main, shell)) {
    checkMadeAhead(shell);
    if (bringToFront(shell, kExplorer)) {
      checkPreview(main, colour);
      checkDrives(main, now);
    }
  }
  checkExit(program, main);
  writeFile(bitmap, {});
  return finish();
}

}  // namespace driver
