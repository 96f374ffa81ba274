// The main window without the registry: its size, its pages and the first one in front, the
// refresh with its wait window, "Выход"; and the refusal on any platform other than Windows 9x.
#include <atomic>

#include "driver.h"
#include "main/main_window.h"

namespace driver {

namespace {

const char kWaitText[] = "Подождите, идет обновление данных...";
using vireo::main::kPlatformMessage;

// A visible top-level window of the process, other than `main`, that shows the wait text.
bool waitWindowUp(DWORD pid, HWND main) {
  for (HWND window : topWindows(pid)) {
    if (window != main && IsWindowVisible(window) && shows(window, kWaitText)) return true;
  }
  return false;
}

// Watches, on a thread of its own, for the wait window while the refresh runs.
struct WaitWindowWatch {
  DWORD pid;
  HWND main;
  HDESK desktop;  // a new thread starts on the process's first desktop
  std::atomic<bool> done{false}, seen{false};
  static DWORD WINAPI run(void* self) {
    auto* watch = static_cast<WaitWindowWatch*>(self);
    SetThreadDesktop(watch->desktop);
    for (; !watch->done; Sleep(1)) {
      if (waitWindowUp(watch->pid, watch->main)) watch->seen = true;
    }
    return 0;
  }
};

// "Обновить данные": the wait window is up while the refresh runs and gone when it is done. A
// refresh that is over within a few milliseconds may slip between two looks of the watcher;
// one that takes longer must have been seen.
void checkRefresh(const Program& program, HWND main) {
  WaitWindowWatch watch{program.pid(), main, GetThreadDesktop(GetCurrentThreadId())};
  HANDLE thread = CreateThread(nullptr, 0, &WaitWindowWatch::run, &watch, 0, nullptr);
  const DWORD start = GetTickCount();
  const bool answered = send(main, WM_COMMAND, IDM_FILE_REFRESH);
  const DWORD took = GetTickCount() - start;
  watch.done = true;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  check(answered, "\"Обновить данные\" runs to its end (" + std::to_string(took) + " ms)");
  if (!watch.seen && took < 50) say("info: the refresh was too quick to catch its wait window");
  if (watch.seen || took >= 50) check(watch.seen, "the wait window is shown during the refresh");
  check(waitUntil([&] { return !waitWindowUp(program.pid(), main); }, 5000),
        "no wait window is left after the refresh");
  check(program.running() && IsWindowVisible(main), "the main window is still there");
}

}  // namespace

int runMain(const std::string& exe, const char* desktop) {
  Program program;
  bool sawSplash = false;
  HWND main = startMain(program, exe, desktop, &sawSplash);
  if (main == nullptr) return finish();
  say("info: the splash window %s seen during start-up", sawSplash ? "was" : "was not");
  check(findTop(program.pid(), kSplashTitle, false) == nullptr, "the splash window is closed");
  RECT client;
  GetClientRect(main, &client);
  same(std::to_string(client.right) + " x " + std::to_string(client.bottom), "750 x 409",
       "the client area");
  const LONG style = GetWindowLongA(main, GWL_STYLE);
  check((style & WS_THICKFRAME) == 0 && (style & WS_CAPTION) == WS_CAPTION,
        "the main window has a title bar and a fixed border");
  // Each button bringing its page to the front is checked by the journal scenario, which
  // changes settings on every page.
  Shell shell;
  if (findShell(main, shell)) checkFront(shell, kControlPanel, "after start");
  checkRefresh(program, main);
  checkExit(program, main);
  return finish();
}

int runRefuse(const std::string& exe, const char* desktop) {
  Program program;
  if (!program.start(exe, desktop)) return finish();
  const DWORD pid = program.pid();
  bool mainShown = false;
  HWND box = nullptr;
  // Polls until the message box shows, then until the end, noting whether the main window shows.
  auto watch = [&](bool end) {
    waitUntil([&] {
      mainShown = mainShown || findTop(pid, kMainTitle, false) != nullptr;
      return !program.running() || (!end && (box = findTop(pid, kMainTitle, true)) != nullptr);
    });
  };
  watch(false);
  if (check(box != nullptr, "a message box titled \"Vireo\" is shown")) {
    check(shows(box, kPlatformMessage), "it says " + quoted(kPlatformMessage));
    int buttons = 0;
    for (HWND child : descendants(box))
      buttons += sameClass(child, "Button") && IsWindowVisible(child);
    check(IsWindowVisible(byId(box, IDOK)) && buttons == 1, "its only button is OK");
    check(findTop(pid, kSplashTitle, false) != nullptr, "the splash window is up behind it");
    pressButton(box, IDOK);
    watch(true);
    check(!program.running(), "the program ends after OK");
  }
  check(!mainShown, "the main window is never shown");
  return finish();
}

}  // namespace driver
