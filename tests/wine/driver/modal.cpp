// Every modal window of the real program ended in every way that ends it: its button clicked,
// the click sent (as accessibility and automation tools send it) or posted (as the mouse
// delivers it); Enter and Escape, posted and typed; Alt+F4; a close sent or posted from outside;
// "Закрыть" of the system menu and the close box (WM_SYSCOMMAND SC_CLOSE), also after
// "Применить". Each time the window is gone and the window under it takes input and is the
// active one: the check allows a second (the owner that waited for other input, two seconds or
// for ever, fails it), the aim is 50 ms, and every measured time is printed as a "time:" line
// (bench/startup.sh shows them): a busy machine may be slower, and a time is a figure, not a
// pass or a failure. Last, the main window closed from outside over two open modal windows ends the
// program.
#include <algorithm>
#include <cstdio>
#include <functional>

#include "driver.h"

namespace driver {

namespace {

constexpr double kLimitMs = 1000;
// How long an owner that is late is waited for, so that the time it took is still measured.
constexpr DWORD kPatienceMs = 4000;

double nowMs() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

enum class Way {
  kClickSent,
  kClickPosted,
  kApplyThenClose,  // the editor's "Применить" (sent), then the close box
  kEnterPosted,
  kEscapePosted,
  kEscapeTyped,  // through the system's keyboard input
  kAltF4,
  kCloseSent,
  kClosePosted,
  kCloseBox,  // WM_SYSCOMMAND SC_CLOSE, what the close box and the system menu give
};

struct WayName {
  Way way;
  const char* name;
};
constexpr WayName kWays[] = {
    {Way::kClickSent, "button click sent"},
    {Way::kClickPosted, "button click posted"},
    {Way::kApplyThenClose, "\"Применить\", then the close box"},
    {Way::kEnterPosted, "Enter posted"},
    {Way::kEscapePosted, "Escape posted"},
    {Way::kEscapeTyped, "Escape typed"},
    {Way::kAltF4, "Alt+F4"},
    {Way::kCloseSent, "WM_CLOSE sent"},
    {Way::kClosePosted, "WM_CLOSE posted"},
    {Way::kCloseBox, "the close box (SC_CLOSE)"},
};

// A modal window: how it opens over its owner, its title (the start of it), the button that
// ends it and whether Enter ends it too.
struct Modal {
  const char* name;
  std::function<void()> open;
  std::string title;
  int button;
  bool enter;
  int cancel = 0;  // a second button that ends it, clicked too
  int apply = 0;   // a button that keeps the window open, pressed before the close box
};

// A visible top-level window of the program whose title begins with `title`, waited for.
HWND awaitModal(DWORD pid, const std::string& title) {
  HWND found = nullptr;
  waitUntil([&] {
    for (HWND window : topWindows(pid)) {
      if (IsWindowVisible(window) && !sameClass(window, "#32770") &&
          windowText(window).rfind(title, 0) == 0) {
        found = window;
      }
    }
    return found != nullptr;
  });
  return found;
}

void typeKey(WORD key) {
  INPUT input[2] = {};
  for (INPUT& i : input) {
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = key;
  }
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

// A message sent from a thread of its own, so that the time the owner takes to come back is
// measured meanwhile, not only once the program has finished handling the message.
struct Sent {
  HWND window;
  UINT message;
};
DWORD WINAPI sendMessage(void* sent) {
  const auto* s = static_cast<const Sent*>(sent);
  send(s->window, s->message);
  return 0;
}

void end(HWND modal, const Modal& m, Way way, Sent& sent) {
  const LPARAM f4 = static_cast<LPARAM>(MapVirtualKeyA(VK_F4, 0)) << 16 | 1 | KF_ALTDOWN << 16;
  switch (way) {
    case Way::kClickSent:
      sent = {byId(modal, m.button), BM_CLICK};
      break;
    case Way::kClickPosted:
      clickLater(byId(modal, m.button));
      break;
    case Way::kApplyThenClose:
      send(byId(modal, m.apply), BM_CLICK);
      PostMessageA(modal, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case Way::kEnterPosted:
      pressKey(modal, VK_RETURN);
      break;
    case Way::kEscapePosted:
      pressKey(modal, VK_ESCAPE);
      break;
    case Way::kEscapeTyped:
      typeKey(VK_ESCAPE);
      break;
    case Way::kAltF4:
      PostMessageA(modal, WM_SYSKEYDOWN, VK_F4, f4);
      PostMessageA(modal, WM_SYSKEYUP, VK_F4, f4 | static_cast<LPARAM>(0xC0000000));
      break;
    case Way::kCloseSent:
      sent = {modal, WM_CLOSE};
      break;
    case Way::kClosePosted:
      PostMessageA(modal, WM_CLOSE, 0, 0);
      break;
    case Way::kCloseBox:
      PostMessageA(modal, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
  }
}

// The times of one kind of ending over all the windows, for the summary lines.
std::vector<double> sentTimes, postedTimes, allTimes;

// Opens the window, ends it `way` and measures until the window is gone and its owner takes
// input and is the active window of the system.
void endOnce(DWORD pid, HWND owner, const Modal& m, const WayName& way) {
  m.open();
  HWND modal = awaitModal(pid, m.title);
  const std::string what = std::string(m.name) + ", " + way.name;
  if (!check(modal != nullptr && !IsWindowEnabled(owner), what + ": opens over its disabled owner"))
    return;
  waitUntil([&] { return GetForegroundWindow() == modal; }, 2000);
  const double start = nowMs();
  Sent sent{};
  end(modal, m, way.way, sent);
  HANDLE sender = sent.window ? CreateThread(nullptr, 0, sendMessage, &sent, 0, nullptr) : nullptr;
  // The owner is back once it takes input and is the active window with the modal window out
  // of sight; the window's destruction may end a little later.
  double back = -1, gone = -1;
  for (;;) {
    const double at = nowMs() - start;
    const bool hidden = !IsWindow(modal) || !IsWindowVisible(modal);
    if (back < 0 && hidden && IsWindowEnabled(owner) && GetForegroundWindow() == owner) back = at;
    if (gone < 0 && !IsWindow(modal)) gone = at;
    if ((back >= 0 && gone >= 0) || at > kPatienceMs) break;
    Sleep(1);
  }
  if (sender != nullptr) {
    WaitForSingleObject(sender, kWaitMs);
    CloseHandle(sender);
  }
  say("time: %s: owner enabled and active after %.1f ms, window destroyed after %.1f ms",
      what.c_str(), back, gone);
  check(back >= 0 && back <= kLimitMs, what + ": the owner is back at once (within a second)",
        back >= 0                ? std::to_string(static_cast<int>(back)) + " ms"
        : IsWindowVisible(modal) ? std::string("the window still shown")
        : IsWindowEnabled(owner) ? std::string("the owner enabled but not active")
                                 : std::string("the owner still disabled"));
  check(gone >= 0, what + ": the window is destroyed");
  if (back < 0 || gone < 0) {
    // Wake the program, so that the next case starts from the owner again.
    if (IsWindow(modal)) PostMessageA(modal, WM_CLOSE, 0, 0);
    PostMessageA(owner, WM_NULL, 0, 0);
    waitUntil([&] { return !IsWindow(modal) && IsWindowEnabled(owner); }, 5000);
    SetForegroundWindow(owner);
  } else {
    allTimes.push_back(back);
    if (way.way == Way::kClickSent) sentTimes.push_back(back);
    if (way.way == Way::kClickPosted) postedTimes.push_back(back);
  }
}

void endEveryWay(DWORD pid, HWND owner, const Modal& m) {
  for (const WayName& way : kWays) {
    if (way.way == Way::kEnterPosted && !m.enter) continue;
    if (way.way == Way::kApplyThenClose && m.apply == 0) continue;
    endOnce(pid, owner, m, way);
  }
  if (m.cancel == 0) return;
  Modal cancel = m;
  cancel.button = m.cancel;
  const std::string name = std::string(m.name) + " (its second button)";
  cancel.name = name.c_str();
  for (const WayName& way : kWays) {
    if (way.way == Way::kClickSent || way.way == Way::kClickPosted) {
      endOnce(pid, owner, cancel, way);
    }
  }
}

double largest(const std::vector<double>& times) {
  return times.empty() ? -1 : *std::max_element(times.begin(), times.end());
}

void postCommand(HWND window, int id) {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

}  // namespace

int runModal(const std::string& exe, const char* desktop) {
  Program program;
  HWND main = startMain(program, exe, desktop);
  if (main == nullptr) return finish();
  const DWORD pid = program.pid();
  Shell shell;
  if (!findShell(main, shell) || !bringToFront(shell, kFiles)) return finish();
  HWND add = byId(main, IDC_NEW_MENU_ADD);
  // The pointer rests off the program's windows: a mouse message would wake the program's
  // message loop and hide a loop that waits for nothing.
  SetCursorPos(0, 0);

  const Modal overMain[] = {
      {"the New-menu editor", [&] { clickLater(add); }, "Vireo: Меню \"Создать\"", IDC_NEW_ENTRY_OK,
       true, IDC_NEW_ENTRY_CANCEL, IDC_NEW_ENTRY_APPLY},
      {"the change journal", [&] { postCommand(main, IDM_SERVICE_JOURNAL); }, "Журнал изменений",
       IDC_JOURNAL_CLOSE, false},
      {"the system information", [&] { postCommand(main, IDM_HELP_OS); }, " Системная информация",
       IDC_SYSINFO_OK, true},
      {"\"О программе\"", [&] { postCommand(main, IDM_HELP_ABOUT); }, "О программе", IDC_ABOUT_OK,
       true},
      {"the search window", [&] { postCommand(main, IDM_FILE_FIND); }, "Поиск параметра",
       IDC_SEARCH_CLOSE, false},
  };
  for (const Modal& m : overMain) endEveryWay(pid, main, m);

  // The process and window lists, over the system information.
  postCommand(main, IDM_HELP_OS);
  HWND info = awaitModal(pid, " Системная информация");
  if (check(info != nullptr, "the system information opens for its lists")) {
    const Modal overInfo[] = {
        {"the process list", [&] { clickLater(byId(info, IDC_SYSINFO_PROCESSES)); },
         "Список активных процессов (", IDC_PROCS_OK, true},
        {"the window list", [&] { clickLater(byId(info, IDC_SYSINFO_WINDOWS)); },
         " Список текущих окон", IDC_WINDOWS_OK, true},
    };
    for (const Modal& m : overInfo) endEveryWay(pid, info, m);
    check(!IsWindowEnabled(main), "the main window still waits under the system information");

    // The main window closed from outside (as a task list ends a program) over the system
    // information and its process list: both go with it, and the program ends.
    clickLater(byId(info, IDC_SYSINFO_PROCESSES));
    HWND procs = awaitModal(pid, "Список активных процессов (");
    if (check(procs != nullptr, "the process list opens over the system information")) {
      PostMessageA(main, WM_CLOSE, 0, 0);
      check(program.waitExit(5000),
            "closing the main window ends the program from two modal "
            "windows deep");
    }
  }

  say("time: the owner back after a sent click: at most %.1f ms (%zu windows)", largest(sentTimes),
      sentTimes.size());
  say("time: the owner back after a posted click: at most %.1f ms (%zu windows)",
      largest(postedTimes), postedTimes.size());
  say("time: the owner back, every way: at most %.1f ms (%zu endings)", largest(allTimes),
      allTimes.size());
  if (program.running()) checkExit(program, main);
  return finish();
}

}  // namespace driver
