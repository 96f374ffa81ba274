// The pages' own controls on the real window: what start-up shows from a prepared registry and
// control.ini, and what each user action writes. Start-up writes nothing, to the registry or to
// control.ini; every action changes only its own value.
#include "driver.h"

namespace driver {

namespace {

const RegEntry kShellIconSize =
    entry("HKCU\\Control Panel\\Desktop\\WindowMetrics\\Shell Icon Size");
const RegEntry kCookies =
    entry("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\Cookies");
const RegEntry kUserCookies = entry(
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\Cookies");

// control.ini as the driver prepares it: one applet not loaded, one loaded, another section.
const char kControlIni[] =
    "[MMCPL]\r\nNumApps=3\r\n\r\n[Don't Load]\r\ntimedate.cpl=no\r\nmain.cpl=\r\n";

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
  RECT r;
  GetClientRect(window, &r);
  POINT centre{r.right / 2, r.bottom / 2};
  ClientToScreen(window, &centre);
  HDC screen = GetDC(nullptr);
  COLORREF pixel = GetPixel(screen, centre.x, centre.y);
  ReleaseDC(nullptr, screen);
  return pixel;
}

// The Control Panel page's applet list, which mirrors the section "Don't Load" of control.ini: a
// cleared applet has the value "no" there, a ticked one an empty value.
void checkApplets(HWND main, const State& now) {
  constexpr int kAccess = 0;     // "Специальные возможности", access.cpl
  constexpr int kDateTime = 24;  // "Дата и время", timedate.cpl
  Control list{IDC_APPLETS_LIST, "the applet list"};
  if (!find(main, {&list})) return;
  expectItem(list, kAccess, true, "after start");
  expectItem(list, kDateTime, false, "after start (timedate.cpl=no)");
  for (bool ticked : {false, true}) {
    const std::string when =
        std::string("after ") + (ticked ? "ticking" : "clearing") + " access.cpl";
    clickItem(list.window, kAccess, kBoxX);  // one that was not taken shows in what follows
    expectItem(list, kAccess, ticked, when);
    const std::string access = dontLoad("access.cpl"), date = dontLoad("timedate.cpl");
    check(access == (ticked ? "" : "no") && date == "no",
          when + ": control.ini holds access.cpl=" + access + " and timedate.cpl=no", date);
    expectItem(list, kDateTime, false, when);
    expectState(now, when + ": the registry is untouched");
  }
}

// The Explorer page: the toolbar background Text1 with its preview Image1, the drive list (the
// policy value NoDrives, a DWORD with a bit for each hidden drive, deleted when every drive is
// shown) and the two-pane box Check1 (the command the shell sends when a folder is opened).
void checkExplorerPage(HWND main, State& now, const std::string& bitmap, COLORREF colour) {
  Control text1{IDC_TOOLBAR_BACKGROUND_PATH, "the toolbar background field Text1"};
  Control image1{IDC_TOOLBAR_BACKGROUND_PREVIEW, "the preview Image1"};
  Control list{IDC_DRIVES_LIST, "the drive list"};
  Control box{IDC_TWO_PANE, "box \"две панели\""};
  if (!find(main, {&text1, &image1, &list, &box})) return;
  expectShown(text1, bitmap, "on first showing the page");
  COLORREF found = CLR_INVALID;
  waitUntil([&] { return (found = centrePixel(image1.window)) == colour; }, 5000);
  check(found == colour, "the preview shows the bitmap's colour", std::to_string(found));

  // After each action (`done`: the program took it): the ticks of drives C, D and E as "+" or
  // "-", and what NoDrives holds.
  auto expectDrives = [&](bool done, const char* wanted, const Stored& stored,
                          const std::string& when) {
    std::string ticks;
    for (int d : {2, 3, 4}) ticks += std::string(itemState(list.window, d)) == "ticked" ? '+' : '-';
    check(done && ticks == wanted, when + ": drives C, D, E are " + wanted, ticks);
    now[&kNoDrives] = stored;
    expectState(now, when + ": NoDrives holds " + describe(stored) + ", nothing else changed");
  };
  expectDrives(true, "++-", dword(1 << 4), "on first showing the page (NoDrives hides E:)");
  // A click on a drive's name selects it and changes nothing; the space bar then clears it.
  expectDrives(clickItem(list.window, 3, kTextX), "++-", dword(1 << 4), "after a click on D:");
  pressKey(list.window, VK_SPACE);
  expectDrives(waitUntil([&] { return std::string(itemState(list.window, 3)) == "cleared"; }, 5000),
               "+--", dword(1 << 3 | 1 << 4), "after the space bar on drive D");
  expectDrives(clickItem(list.window, 4, kBoxX), "+-+", dword(1 << 3), "after E:'s check mark");
  expectDrives(clickItem(list.window, 3, kBoxX), "+++", absent(), "after D:'s check mark");

  expectBox(box, false, "on first showing the page (ddeexec holds ViewFolder)");
  for (bool ticked : {true, false}) {
    const std::string when = std::string("after ") + (ticked ? "ticking " : "clearing ") + box.name;
    check(click(box.window), "click on " + box.name);
    expectBox(box, ticked, when);
    now[&kFolderOpen] = textValue(ticked ? kTwoPane : kOnePane);
    expectState(now, when + ": ddeexec holds its command, nothing else changed");
  }
}

// The Active Desktop page's icon size: VScroll1 holds the negated size, so its upper arrow
// enlarges the icons; Label3 shows the size and every step writes it as text. A click on an
// arrow reaches the program as the scroll bar tells its parent: WM_VSCROLL with the bar's
// handle.
void checkIconSize(HWND main, State& now) {
  Control bar{IDC_ICON_SIZE_SPIN, "the icon size scroll bar VScroll1"};
  Control label{IDC_ICON_SIZE_VALUE, "the icon size Label3"};
  if (!find(main, {&bar, &label})) return;
  // `done`: the program took the step.
  auto expectSize = [&](bool done, int size, const std::string& when) {
    const std::string text = " " + std::to_string(size);
    const LRESULT position = ask(bar.window, SBM_GETPOS);
    check(done && windowText(label.window) == text && position == -size,
          when + ": Label3 shows " + quoted(text) + " at " + std::to_string(-size),
          quoted(windowText(label.window)) + " at " + std::to_string(position));
    now[&kShellIconSize] = textValue(std::to_string(size));
    expectState(now, when + ": the registry holds the size " + quoted(text.substr(1)));
  };
  expectSize(true, 40, "after start");
  for (const auto& [code, size] :
       {std::pair{SB_LINEUP, 41}, {SB_LINEDOWN, 40}, {SB_LINEDOWN, 39}}) {
    const LPARAM handle = reinterpret_cast<LPARAM>(bar.window);
    expectSize(
        send(GetParent(bar.window), WM_VSCROLL, code, handle), size,
        std::string("after a click on the ") + (code == SB_LINEUP ? "upper" : "lower") + " arrow");
  }
}

// The Folders page's special folders: cmbFolder picks a folder, txtPath shows its path from
// "Shell Folders" and writes what is typed to both "Shell Folders" and "User Shell Folders".
void checkSpecialFolders(HWND main, State& now) {
  Control folder{IDC_SPECIAL_FOLDER_LIST, "the special folder list cmbFolder"};
  Control path{IDC_SPECIAL_FOLDER_PATH, "the path field txtPath"};
  if (!find(main, {&folder, &path})) return;
  expectShown(folder, "Administrative Tools", "on first showing the page");

  // "Cookies" is three down from the first folder; each step shows the path of its folder.
  const std::string picked = "after three down arrows in " + folder.name;
  for (int i = 0; i < 3; ++i) pressKey(folder.window, VK_DOWN);
  waitUntil([&] { return shownText(path.window) == "C:\\Vireo\\Cookies"; }, 5000);
  ask(folder.window, WM_NULL);
  expectShown(folder, "Cookies", picked);
  expectShown(path, "C:\\Vireo\\Cookies", picked);
  expectState(now, picked + ": nothing was written");

  const std::string typed = "after typing \"X\" at the end of " + path.name;
  const LRESULT length = ask(path.window, WM_GETTEXTLENGTH);
  ask(path.window, EM_SETSEL, length, length);
  check(typeText(path.window, "X"), path.name + " took the keystroke");
  expectShown(path, "C:\\Vireo\\CookiesX", typed);
  now[&kCookies] = now[&kUserCookies] = textValue("C:\\Vireo\\CookiesX");
  expectState(now, typed + ": both folder keys hold the path, nothing else changed");
}

}  // namespace

int runPages(const std::string& exe, const char* desktop) {
  char temp[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  const std::string bitmap = std::string(temp) + "vireo-back.bmp";
  const COLORREF colour = RGB(0x20, 0xA0, 0x60);
  const FileBytes ini{true, kControlIni};
  State now = {{&kShellIconSize, textValue("40")},
               {&kNoDrives, dword(1 << 4)},
               {&kFolderOpen, textValue(kOnePane)},
               {&kBackBitmapShell, textValue(bitmap)},
               {&kCookies, textValue("C:\\Vireo\\Cookies")},
               {&kUserCookies, textValue("%USERPROFILE%\\Vireo Cookies")}};
  if (!check(
          writeState(now) && writeFile(controlIni(), ini) && writeFile(bitmap, solidBitmap(colour)),
          "the registry, control.ini and a bitmap are prepared before the start")) {
    return finish();
  }
  Program program;
  HWND main = startMain(program, exe, desktop);
  if (main == nullptr) return finish();
  expectState(now, "after start: the registry is as prepared");
  check(readFile(controlIni()) == ini, "after start: control.ini is byte for byte as prepared");

  Shell shell;
  if (findShell(main, shell)) {
    checkApplets(main, now);
    if (bringToFront(shell, kExplorer)) checkExplorerPage(main, now, bitmap, colour);
    if (bringToFront(shell, kActiveDesktop)) checkIconSize(main, now);
    if (bringToFront(shell, kFolders)) checkSpecialFolders(main, now);
  }
  checkExit(program, main);
  return finish();
}

}  // namespace driver
