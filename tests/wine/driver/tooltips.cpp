// The tooltips on the real window: the pointer rests on a restriction box and on items of the
// applet list, and the program's tooltip (a top-level window of class "tooltips_class32" of its
// process) shows the registry path or control.ini line with what it holds at that moment; a
// change made outside between two openings shows at the next one. That an opening writes
// nothing is checked on the host (tests/host/tooltips_test.cpp).
#include "driver.h"
#include "registry/value_tip.h"

namespace driver {

namespace {

constexpr char kTooltipClass[] = "tooltips_class32";  // the system's (commctrl.h)

const std::string kDevMgrPage =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\NoDevMgrPage";

const char kControlIni[] = "[Don't Load]\r\ntimedate.cpl=no\r\n";
constexpr int kMouse = 13;     // "Мышь", main.cpl
constexpr int kDateTime = 24;  // "Дата и время", timedate.cpl

// The program's tooltips that are shown (its top-level windows of the system's tooltip class).
std::vector<HWND> tooltips(DWORD pid) {
  std::vector<HWND> found;
  for (HWND window : topWindows(pid)) {
    if (sameClass(window, kTooltipClass) && IsWindowVisible(window)) found.push_back(window);
  }
  return found;
}

// Moves the pointer as the user's mouse would, to a point of `window`'s client area.
void pointAt(HWND window, POINT at) {
  ClientToScreen(window, &at);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  // Two moves: one beside the point and one onto it, so that the last is a move.
  for (int shift : {1, 0}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (at.x + shift) * 65535 / (width - 1);
    input.mi.dy = at.y * 65535 / (height - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    Sleep(50);
  }
}

// The pointer rests at `at` until the program's tooltip shows `expected` (one check), then, unless
// it `stays`, leaves for the main window's left bar, so that the tooltip closes.
void checkTip(DWORD pid, HWND main, HWND window, POINT at, const std::string& expected,
              const std::string& what, bool stays = false) {
  pointAt(window, at);
  std::string shown;
  waitUntil(
      [&] {
        for (HWND tip : tooltips(pid)) {
          if ((shown = askText(tip, WM_GETTEXT)) == expected) return true;
        }
        return false;
      },
      8000);
  check(shown == expected, what, shown);
  if (stays) return;
  pointAt(main, {2, 300});
  waitUntil([&] { return tooltips(pid).empty(); }, 5000);
}

POINT itemAt(HWND list, int index) {
  const LPARAM at = itemPoint(list, index, 60);
  return {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
}

void checkBox(DWORD pid, HWND main) {
  Control box{IDC_RESTRICTION_FIRST + 1, "restriction box NoDevMgrPage"};
  if (!find(main, {&box})) return;
  const std::string path = kDevMgrPage + "\n";
  checkTip(pid, main, box.window, clientCentre(box.window), path + vireo::registry::kNoValue,
           "the pointer on " + box.name + " shows its path, no value");
  check(write(kDevMgrPage, Num(1)), "NoDevMgrPage is set to 1 from outside");
  checkTip(pid, main, box.window, clientCentre(box.window), path + "REG_DWORD: 1 (0x00000001)",
           "the next opening reads the value set meanwhile");
}

void checkAppletItems(DWORD pid, HWND main) {
  Control list{IDC_APPLETS_LIST, "the applet list"};
  if (!find(main, {&list})) return;
  send(list.window, LB_SETTOPINDEX, kMouse);
  checkTip(pid, main, list.window, itemAt(list.window, kMouse),
           std::string("control.ini [Don't Load] main.cpl\n") + vireo::registry::kNoValue,
           "the pointer on the item main.cpl shows its line, absent", true);
  // On to another item without leaving the list: the tip asks again.
  checkTip(pid, main, list.window, itemAt(list.window, kDateTime),
           "control.ini [Don't Load] timedate.cpl\n\"no\"",
           "moved onto the item timedate.cpl, the tip shows its line");
}

}  // namespace
int runTooltips(const std::string& exe, const char* desktop) {
  Program program;
  HWND main =
      startPrepared(program, exe, desktop,
                    write(kDevMgrPage, None()) && writeFile(controlIni(), {true, kControlIni}),
                    "the registry and control.ini are prepared before the start");
  if (main == nullptr) return finish();
  SetForegroundWindow(main);
  checkBox(program.pid(), main);
  checkAppletItems(program.pid(), main);
  checkExit(program, main);
  return finish();
}

}  // namespace driver
