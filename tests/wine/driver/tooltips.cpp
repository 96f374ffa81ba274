// The tooltips on the real window: the pointer rests on a restriction box and on items of the
// applet list, and the program's tooltip (a top-level window of class "tooltips_class32" of its
// process) shows the registry path or control.ini line with what it holds at that moment; a
// change made outside between two openings shows at the next one. Nothing is written.
#include "driver.h"
#include "registry/value_tip.h"

namespace driver {

namespace {

// The system's tooltip class and its count of tools (commctrl.h).
constexpr char kTooltipClass[] = "tooltips_class32";
constexpr UINT kGetToolCount = WM_USER + 13;

const std::string kDevMgrPage =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\NoDevMgrPage";

const char kControlIni[] = "[Don't Load]\r\ntimedate.cpl=no\r\n";
constexpr int kMouse = 13;     // "Мышь", main.cpl
constexpr int kDateTime = 24;  // "Дата и время", timedate.cpl

// The tooltip controls of the program (its top-level windows of the system's tooltip class), or
// those of them that are shown.
std::vector<HWND> tooltips(DWORD pid, bool shown = false) {
  std::vector<HWND> found;
  for (HWND window : topWindows(pid)) {
    if (sameClass(window, kTooltipClass) && (!shown || IsWindowVisible(window))) {
      found.push_back(window);
    }
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
        for (HWND tip : tooltips(pid, true)) {
          if ((shown = askText(tip, WM_GETTEXT)) == expected) return true;
        }
        return false;
      },
      8000);
  check(shown == expected, what, shown);
  if (stays) return;
  pointAt(main, {2, 300});
  waitUntil([&] { return tooltips(pid, true).empty(); }, 5000);
}

POINT itemAt(HWND list, int index) {
  const LPARAM at = itemPoint(list, index, 60);
  return {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
}

void checkBox(DWORD pid, HWND main, State& now) {
  Control box{IDC_RESTRICTION_FIRST + 1, "restriction box NoDevMgrPage"};
  if (!find(main, {&box})) return;
  const std::string path = kDevMgrPage + "\n";
  checkTip(pid, main, box.window, clientCentre(box.window), path + vireo::registry::kNoValue,
           "the pointer on " + box.name + " shows its path, no value");
  now[kDevMgrPage] = Num(1);
  check(writeState(now), "NoDevMgrPage is set to 1 from outside");
  checkTip(pid, main, box.window, clientCentre(box.window), path + "REG_DWORD: 1 (0x00000001)",
           "the next opening reads the value set meanwhile");
  expectState(now, "after the tooltips of " + box.name + ": nothing was written");
}

void checkAppletItems(DWORD pid, HWND main, const State& now) {
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
  expectState(now, "after the applet list's tooltips: the registry is untouched");
  check(readFile(controlIni()) == FileBytes{true, kControlIni},
        "after the applet list's tooltips: control.ini is as prepared");
}

}  // namespace
int runTooltips(const std::string& exe, const char* desktop) {
  State now = {{kDevMgrPage, None()}};
  Program program;
  HWND main = startPrepared(program, exe, desktop,
                            writeState(now) && writeFile(controlIni(), {true, kControlIni}),
                            "the registry and control.ini are prepared before the start");
  if (main == nullptr) return finish();
  const std::vector<HWND> tips = tooltips(program.pid());
  LRESULT tools = 0;
  for (HWND tip : tips) tools += ask(tip, kGetToolCount);
  check(!tips.empty() && tools > 0, "the main window has a tooltip control with tools (" +
                                        std::to_string(tips.size()) + " tooltip windows, " +
                                        std::to_string(tools) + " tools)");
  SetForegroundWindow(main);
  checkBox(program.pid(), main, now);
  checkAppletItems(program.pid(), main, now);
  checkExit(program, main);
  return finish();
}

}  // namespace driver
