// The main window without the registry: its size, the page buttons and pages, the refresh with
// its wait window, "Выход"; and the refusal on any platform other than Windows 9x.
#include <atomic>

#include "harness.h"
#include "input.h"
#include "resource.h"
#include "scenarios.h"
#include "shell.h"

namespace driver {

namespace {

const char kWaitText[] = "Подождите, идет обновление данных...";

void checkWindowFrame(HWND main) {
  RECT client;
  GetClientRect(main, &client);
  check(client.right == 750 && client.bottom == 409, "client area is 750 x 409 (found " +
                                                         std::to_string(client.right) + " x " +
                                                         std::to_string(client.bottom) + ")");
  LONG style = GetWindowLongA(main, GWL_STYLE);
  check((style & WS_THICKFRAME) == 0 && (style & WS_CAPTION) == WS_CAPTION,
        "the main window has a title bar and a fixed border");
}

void checkPages(HWND main) {
  Control header{IDC_GUI_SHELL, "the header button", "GUI Shell"};
  find(main, {&header});
  Shell shell;
  if (!findShell(main, shell)) return;
  checkFront(shell, kControlPanel, "after start");
  // Every button brings its own page forward; then "Explorer" twice, which changes nothing.
  for (int page : {1, 2, 3, 4, 0, 1, 1}) {
    if (!bringToFront(shell, page)) return;
  }
}

// A visible top-level window of the process, other than `main`, that shows the wait text.
HWND findWaitWindow(DWORD pid, HWND main) {
  for (HWND window : topWindows(pid)) {
    if (window == main || !IsWindowVisible(window)) continue;
    if (windowText(window) == kWaitText || findChild(window, nullptr, kWaitText) != nullptr) {
      return window;
    }
  }
  return nullptr;
}

// Whether the wait window shows while `work` runs: a thread of its own watches for it.
struct WaitWindowWatch {
  DWORD pid;
  HWND main;
  HDESK desktop;
  std::atomic<bool> done{false};
  std::atomic<bool> seen{false};

  static DWORD WINAPI run(void* self) {
    auto* watch = static_cast<WaitWindowWatch*>(self);
    // A new thread starts on the process's first desktop; look where the main thread looks.
    SetThreadDesktop(watch->desktop);
    while (!watch->done) {
      if (findWaitWindow(watch->pid, watch->main) != nullptr) watch->seen = true;
      Sleep(1);
    }
    return 0;
  }
};

bool waitWindowSeen(DWORD pid, HWND main, const std::function<void()>& work) {
  WaitWindowWatch watch{pid, main, GetThreadDesktop(GetCurrentThreadId())};
  HANDLE thread = CreateThread(nullptr, 0, &WaitWindowWatch::run, &watch, 0, nullptr);
  work();
  watch.done = true;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return watch.seen;
}

// "Обновить данные": the wait window is up while the refresh runs and gone when it is done. A
// refresh that is over within a few milliseconds may slip between two looks of the watcher;
// one that takes longer must have been seen.
void checkRefresh(const Program& program, HWND main) {
  constexpr DWORD kSurelySeenMs = 50;
  bool answered = false;
  DWORD took = 0;
  bool seen = waitWindowSeen(program.pid(), main, [&] {
    DWORD start = GetTickCount();
    answered = send(main, WM_COMMAND, IDM_FILE_REFRESH);
    took = GetTickCount() - start;
  });
  check(answered, "\"Обновить данные\" (command " + std::to_string(IDM_FILE_REFRESH) +
                      ") runs to its end (" + std::to_string(took) + " ms)");
  if (seen || took >= kSurelySeenMs) {
    check(seen, "the wait window " + quoted(kWaitText) + " is shown during the refresh");
  } else {
    say("info: the refresh was too quick to catch its wait window");
  }
  check(waitUntil([&] { return findWaitWindow(program.pid(), main) == nullptr; }, 5000),
        "no wait window is left after the refresh");
  check(program.running() && IsWindow(main) && IsWindowVisible(main),
        "the main window is still there after the refresh");
}

}  // namespace

int runMain(const std::string& exe, const char* desktop) {
  Program program;
  if (!program.start(exe, desktop)) return finish() | 1;
  bool sawSplash = false;
  HWND main = waitForMain(program, &sawSplash);
  if (main == nullptr) return finish();
  say("info: the splash window %s seen during start-up", sawSplash ? "was" : "was not");
  check(findTop(program.pid(), kSplashTitle, false) == nullptr, "the splash window is closed");
  checkWindowFrame(main);
  checkPages(main);
  checkRefresh(program, main);
  checkExit(program, main);
  return finish();
}

int runRefuse(const std::string& exe, const char* desktop) {
  Program program;
  if (!program.start(exe, desktop)) return finish() | 1;
  DWORD pid = program.pid();
  bool mainShown = false;
  HWND box = nullptr;
  // Polls until `done`, noting on the way whether the main window ever shows.
  auto watch = [&](const std::function<bool()>& done) {
    waitUntil([&] {
      mainShown = mainShown || findTop(pid, kMainTitle, false) != nullptr;
      return done();
    });
  };
  watch([&] { return !program.running() || (box = findTop(pid, kMainTitle, true)) != nullptr; });
  if (!check(box != nullptr, "a message box titled \"Vireo\" is shown")) {
    if (!program.running()) say("info: the program ended with exit code %lu", program.exitCode());
    check(!mainShown, "the main window is never shown");
    return finish();
  }
  if (!check(findChild(box, "Static", kPlatformMessage) != nullptr,
             "it says " + quoted(kPlatformMessage))) {
    for (HWND child : descendants(box)) {
      say("info: the box holds %s %s", className(child).c_str(), quoted(windowText(child)).c_str());
    }
  }
  HWND ok = byId(box, IDOK);
  int visibleButtons = 0;
  for (HWND child : descendants(box)) {
    if (sameClass(child, "Button") && IsWindowVisible(child)) ++visibleButtons;
  }
  check(ok != nullptr && IsWindowVisible(ok) && visibleButtons == 1, "its only button is OK");
  check(findTop(pid, kSplashTitle, false) != nullptr, "the splash window is up behind the message");

  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
  watch([&] { return !program.running(); });
  check(!program.running(), "the program ends after OK");
  check(!mainShown, "the main window is never shown");
  return finish();
}

}  // namespace driver
