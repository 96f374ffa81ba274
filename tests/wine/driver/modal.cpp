// Every modal window of the real program ended in every way that ends it: its button clicked,
// the click sent (as accessibility and automation tools send it) or posted (as the mouse
// delivers it); Enter and Escape, posted and typed; Alt+F4; a close sent or posted from outside;
// "Закрыть" of the system menu and the close box (WM_SYSCOMMAND SC_CLOSE), also after
// "Применить". Each time the window is gone and the window under it takes input and is the
// active one: the check allows a second (the owner that waited for other input, two seconds or
// for ever, fails it), the aim is 50 ms, and every measured time is printed as a "time:" line
// (bench/startup.sh shows them, and the worst of each kind): a busy machine may be slower, and a
// time is a figure, not a pass or a failure. Last, the main window closed from outside over two
// open modal windows ends the program.
#include <functional>

#include "driver.h"
#include "main/search_window.h"
#include "service/journal_window.h"
#include "tools/about.h"
#include "tools/process_list.h"
#include "tools/system_info.h"
#include "tools/window_list.h"

namespace driver {

namespace {

namespace tools = vireo::tools;
constexpr double kLimitMs = 1000;
// How long an owner that is late is waited for, so that the time it took is still measured.
constexpr DWORD kPatienceMs = 4000;

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

// The ways to end a modal window; a message to be sent is left in `sent`. The first two click
// its button; "Применить" (the third) is tried only where there is one, Enter (the fourth) only
// where it ends the window.
struct Way {
  const char* name;
  void (*end)(HWND modal, const Modal& m, Sent& sent);
};
const Way kWays[] = {
    {"button click sent",
     [](HWND w, const Modal& m, Sent& s) {
       s = {byId(w, m.button), BM_CLICK};
     }},
    {"button click posted", [](HWND w, const Modal& m, Sent&) { clickLater(byId(w, m.button)); }},
    {"\"Применить\", then the close box",
     [](HWND w, const Modal& m, Sent&) {
       send(byId(w, m.apply), BM_CLICK);
       PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
     }},
    {"Enter posted", [](HWND w, const Modal&, Sent&) { pressKey(w, VK_RETURN); }},
    {"Escape posted", [](HWND w, const Modal&, Sent&) { pressKey(w, VK_ESCAPE); }},
    {"Escape typed", [](HWND, const Modal&, Sent&) { typeKeys({VK_ESCAPE}); }},
    {"Alt+F4",
     [](HWND w, const Modal&, Sent&) {
       const LPARAM f4 = static_cast<LPARAM>(MapVirtualKeyA(VK_F4, 0)) << 16 | 1 | KF_ALTDOWN << 16;
       PostMessageA(w, WM_SYSKEYDOWN, VK_F4, f4);
       PostMessageA(w, WM_SYSKEYUP, VK_F4, f4 | static_cast<LPARAM>(0xC0000000));
     }},
    {"WM_CLOSE sent",
     [](HWND w, const Modal&, Sent& s) {
       s = {w, WM_CLOSE};
     }},
    {"WM_CLOSE posted", [](HWND w, const Modal&, Sent&) { PostMessageA(w, WM_CLOSE, 0, 0); }},
    {"the close box (SC_CLOSE)",  // what the close box and the system menu give
     [](HWND w, const Modal&, Sent&) { PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
};

// Opens the window, ends it `way` and measures until the window is gone and its owner takes
// input and is the active window of the system.
void endOnce(DWORD pid, HWND owner, const Modal& m, const Way& way) {
  m.open();
  HWND modal = awaitTop(pid, m.title);
  const std::string what = std::string(m.name) + ", " + way.name;
  if (!check(modal != nullptr && !IsWindowEnabled(owner), what + ": opens over its disabled owner"))
    return;
  waitUntil([&] { return GetForegroundWindow() == modal; }, 2000);
  const double start = nowMs();
  Sent sent{};
  way.end(modal, m, sent);
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
  }
}

void endEveryWay(DWORD pid, HWND owner, const Modal& m) {
  for (const Way& way : kWays) {
    if ((&way == &kWays[3] && !m.enter) || (&way == &kWays[2] && m.apply == 0)) continue;
    endOnce(pid, owner, m, way);
  }
  if (m.cancel == 0) return;
  Modal cancel = m;
  cancel.button = m.cancel;
  const std::string name = std::string(m.name) + " (its second button)";
  cancel.name = name.c_str();
  for (int click : {0, 1}) endOnce(pid, owner, cancel, kWays[click]);
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
      {"the change journal", [&] { postCommand(main, IDM_SERVICE_JOURNAL); },
       vireo::service::kJournalTitle, IDC_JOURNAL_CLOSE, false},
      {"the system information", [&] { postCommand(main, IDM_HELP_OS); }, tools::kSystemInfoTitle,
       IDC_SYSINFO_OK, true},
      {"\"О программе\"", [&] { postCommand(main, IDM_HELP_ABOUT); }, tools::kAboutTitle,
       IDC_ABOUT_OK, true},
      {"the search window", [&] { postCommand(main, IDM_FILE_FIND); }, vireo::main::kSearchTitle,
       IDC_SEARCH_CLOSE, false},
  };
  for (const Modal& m : overMain) endEveryWay(pid, main, m);

  // The process and window lists, over the system information.
  postCommand(main, IDM_HELP_OS);
  if (HWND info = expectTop(pid, tools::kSystemInfoTitle, "the system information opens")) {
    const Modal overInfo[] = {
        {"the process list", [&] { clickLater(byId(info, IDC_SYSINFO_PROCESSES)); },
         tools::kProcessListTitle, IDC_PROCS_OK, true},
        {"the window list", [&] { clickLater(byId(info, IDC_SYSINFO_WINDOWS)); },
         tools::kWindowListTitle, IDC_WINDOWS_OK, true},
    };
    for (const Modal& m : overInfo) endEveryWay(pid, info, m);
    check(!IsWindowEnabled(main), "the main window still waits under the system information");

    // The main window closed from outside (as a task list ends a program) over the system
    // information and its process list: both go with it, and the program ends.
    clickLater(byId(info, IDC_SYSINFO_PROCESSES));
    if (expectTop(pid, tools::kProcessListTitle, "the process list opens over it")) {
      PostMessageA(main, WM_CLOSE, 0, 0);
      check(program.waitExit(5000), "closing the main window ends the program from two deep");
    }
  }

  if (program.running()) checkExit(program, main);
  return finish();
}

}  // namespace driver
