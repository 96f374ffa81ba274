// The Explorer page's own controls: the toolbar background Text1 with its preview Image1, the
// drive list lstDrives (the policy value NoDrives, a DWORD with a bit for each hidden drive,
// deleted when every drive is shown) and the two-pane box Check1 (the command the shell sends
// when a folder is opened).
#include <cstdio>

#include "harness.h"
#include "input.h"
#include "pages.h"
#include "resource.h"
#include "rows.h"

namespace driver {

namespace {

constexpr int kDriveC = 2;
constexpr int kDriveD = 3;
constexpr int kDriveE = 4;
constexpr int kBoxX = 8;    // inside the check mark at the left of an item
constexpr int kTextX = 40;  // on the drive's name

std::string driveName(int drive) {
  return std::string(1, static_cast<char>('A' + drive)) + ":";
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

std::string colourText(COLORREF c) {
  char text[32];
  std::snprintf(text, sizeof text, "RGB(%u, %u, %u)", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

void checkBackground(const Control& text1, const Control& image1, const std::string& bitmap,
                     COLORREF colour) {
  expectShown(text1, bitmap, "on first showing the page");
  COLORREF found = CLR_INVALID;
  waitUntil([&] { return (found = centrePixel(image1.window)) == colour; }, 5000);
  expect(found == colour,
         "the preview Image1 shows the bitmap named in BackBitmapShell (its colour " +
             colourText(colour) + " at its centre)",
         colourText(found));
}

// The drives' ticks as "C: ticked, D: ticked, E: cleared".
std::string drives(HWND list) {
  std::string out;
  for (int d : {kDriveC, kDriveD, kDriveE}) {
    out += (out.empty() ? "" : ", ") + driveName(d) + " " + itemState(list, d);
  }
  return out;
}

void checkDrives(PageRun& run, const Control& list) {
  // After each action (`done`: the program took it): what the drives show, what NoDrives holds.
  auto expectDrives = [&](bool done, const char* wanted, const Stored& stored,
                          const std::string& when) {
    const std::string found = drives(list.window);
    expect(done && found == wanted, when + ": " + wanted, done ? found : "no answer");
    run.now[kPageRowNoDrives] = stored;
    expectStored(kNoDrives, stored, when);
    expectState(pageRows(), run.now, when + ": nothing else changed");
  };
  expectDrives(true, "C: ticked, D: ticked, E: cleared", dword(1 << kDriveE),
               "on first showing the page (NoDrives hides E:)");
  // A click on a drive's name selects it and changes nothing; the space bar then clears it.
  expectDrives(clickItem(list.window, kDriveD, kTextX), "C: ticked, D: ticked, E: cleared",
               dword(1 << kDriveE), "after a click on the name of drive D");
  pressKey(list.window, VK_SPACE);
  expectDrives(
      waitUntil([&] { return std::string(itemState(list.window, kDriveD)) == "cleared"; }, 5000),
      "C: ticked, D: cleared, E: cleared", dword(1 << kDriveD | 1 << kDriveE),
      "after the space bar on drive D");
  expectDrives(clickItem(list.window, kDriveE, kBoxX), "C: ticked, D: cleared, E: ticked",
               dword(1 << kDriveD), "after a click on the check mark of drive E");
  expectDrives(clickItem(list.window, kDriveD, kBoxX), "C: ticked, D: ticked, E: ticked", absent(),
               "after a click on the check mark of drive D, every drive shown");
}

void checkTwoPanes(PageRun& run, const Control& box) {
  expectBox(box, false, "on first showing the page (ddeexec holds ViewFolder)");
  for (bool ticked : {true, false}) {
    const std::string when = std::string("after ") + (ticked ? "ticking " : "clearing ") + box.name;
    check(click(box.window), "click on " + box.name);
    expectBox(box, ticked, when);
    run.now[kPageRowFolderOpen] = textValue(ticked ? kTwoPane : kOnePane);
    expectStored(kFolderOpen, run.now[kPageRowFolderOpen], when);
    expectState(pageRows(), run.now, when + ": nothing else changed");
  }
}

}  // namespace

void checkExplorerPage(PageRun& run, const std::string& bitmap, COLORREF colour) {
  Control text1{IDC_TEXT1, "the toolbar background field Text1"};
  Control image1{IDC_IMAGE1, "the preview Image1"};
  Control list{IDC_LST_DRIVES, "the drive list"};
  Control box{IDC_CHECK1, "box \"две панели\"", "Использовать две панели в Проводнике"};
  if (!find(run.shell.main, {&text1, &image1, &list, &box})) return;
  checkBackground(text1, image1, bitmap, colour);
  checkDrives(run, list);
  checkTwoPanes(run, box);
}

}  // namespace driver
