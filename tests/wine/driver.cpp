// Drives the real vireo.exe from outside, as a user would, and prints what it finds.
//
//   driver probe                      prints the bitness of this process and the version that the
//                                     system reports (scripts use it to try the Wine loader)
//   driver main EXE [--desktop NAME]  Windows 98 mode: the main window, its page buttons and
//                                     pages, "Обновить данные", "Выход"
//   driver refuse EXE [--desktop NAME]
//                                     any other platform: the platform message, then the end
//   driver wait TITLE [SECONDS] [--desktop NAME]
//                                     waits for a visible top-level window with this title and
//                                     prints its place on the screen ("rect: X Y WIDTH HEIGHT")
//
// The driver starts the program itself, with the program's directory as the current directory.
// It reaches controls by their window texts and menu commands by their command ids: under Wine a
// menu can be read only by the process that owns it. Every check prints "ok: ..." or
// "FAIL: ...", and the last line counts them; the exit code is 1 when a check failed.
// Texts are compared in code page 1251 (this file's literals are compiled to it) and printed in
// UTF-8.

#include <windows.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "resource.h"

namespace {

constexpr DWORD kWaitMs = 30000;
constexpr DWORD kPollMs = 5;

const char kMainTitle[] = "Vireo";
const char kSplashTitle[] = "Vireo 1.00 loading...";
const char kDialogClass[] = "#32770";
const char kPlatformMessage[] =
    "Vireo требует наличия установленной и запущенной ОС Windows 9x (95/98/Me). "
    "Продолжение работы невозможно.";
const char kWaitText[] = "Подождите, идет обновление данных...";

struct Page {
  const char* button;
  const char* title;
};

// Top to bottom as the left bar shows them.
const Page kPages[] = {
    {"Панель управления", " Панель управления"},
    {"Explorer", " Explorer"},
    {"Active Desktop", " Системные иконки, Active Desktop"},
    {"Папки и ярлыки", " Папки и ярлыки"},
    {"Файлы", " Файлы"},
};

// ---- output ---------------------------------------------------------------------------------

// Writes one line, converting the code page 1251 text to UTF-8 for the Unix side.
void say(const char* format, ...) {
  char text[2048];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  wchar_t wide[2048];
  int n = MultiByteToWideChar(1251, 0, text, -1, wide, 2048);
  char utf8[6144];
  int m =
      n > 0 ? WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr) : 0;
  std::fputs(m > 0 ? utf8 : text, stdout);
  std::fputs("\n", stdout);
  std::fflush(stdout);
}

class Report {
 public:
  bool check(bool ok, const std::string& what) {
    say("%s: %s", ok ? "ok" : "FAIL", what.c_str());
    (ok ? passed_ : failed_)++;
    return ok;
  }
  int finish() const {
    say("driver: %d passed, %d failed", passed_, failed_);
    return failed_ == 0 ? 0 : 1;
  }

 private:
  int passed_ = 0;
  int failed_ = 0;
};

std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// ---- windows of another process ------------------------------------------------------------

// For a window of another process GetWindowTextA reads the text that the system keeps and sends
// nothing, so it never waits for the program, which may be busy inside a refresh.
std::string windowText(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string className(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool sameClass(HWND window, const char* name) {
  return lstrcmpiA(className(window).c_str(), name) == 0;
}

struct WindowSearch {
  DWORD pid = 0;  // 0: every window
  std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (search->pid == 0 || owner == search->pid) search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> topWindows(DWORD pid) {
  WindowSearch search{pid, {}};
  EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> descendants(HWND root) {
  WindowSearch search;
  EnumChildWindows(root, collectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The first descendant of `root` of class `cls` (any class when null) whose text is `text`.
HWND findChild(HWND root, const char* cls, std::string_view text) {
  for (HWND child : descendants(root)) {
    if ((cls == nullptr || sameClass(child, cls)) && windowText(child) == text) return child;
  }
  return nullptr;
}

// A visible top-level window of the process with this title, a dialog or not.
HWND findTop(DWORD pid, std::string_view title, bool dialog) {
  for (HWND window : topWindows(pid)) {
    if (IsWindowVisible(window) && sameClass(window, kDialogClass) == dialog &&
        windowText(window) == title) {
      return window;
    }
  }
  return nullptr;
}

// Polls `probe` until it gives a window or the time is up.
HWND waitFor(const std::function<HWND()>& probe, DWORD ms = kWaitMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND found = probe()) return found;
    if (GetTickCount() - start >= ms) return nullptr;
    Sleep(kPollMs);
  }
}

std::vector<HWND> ancestors(HWND window, HWND top) {
  std::vector<HWND> chain;  // from `top` down to `window`
  for (HWND w = window; w != nullptr && w != top; w = GetParent(w)) chain.insert(chain.begin(), w);
  return chain;
}

// ---- the program under test ----------------------------------------------------------------

class Program {
 public:
  Program() = default;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program() {
    if (info_.hProcess != nullptr) {
      if (running()) {
        say("note: the program was still running; it is terminated");
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
      }
      CloseHandle(info_.hThread);
      CloseHandle(info_.hProcess);
    }
  }

  // Starts `exe` in its own directory, on `desktop` when one is named.
  bool start(const std::string& exe, const char* desktop) {
    std::string directory = exe.substr(0, exe.find_last_of("\\/"));
    if (directory == exe) directory = ".";
    std::string commandLine = quoted(exe);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = const_cast<char*>(desktop);
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &info_)) {
      say("FAIL: cannot start %s (error %lu)", exe.c_str(), GetLastError());
      return false;
    }
    return true;
  }

  DWORD pid() const { return info_.dwProcessId; }
  bool running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
  bool waitExit(DWORD ms) const { return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0; }
  DWORD exitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION info_{};
};

// ---- Windows 98 mode: the main window -----------------------------------------------------

// The five page frames: for each title label, the ancestor that sits beside the other pages.
struct Pages {
  HWND area = nullptr;  // the window that holds the stacked frames
  HWND frames[std::size(kPages)] = {};
};

bool findPages(HWND main, Pages& pages, Report& report) {
  std::vector<HWND> chains[std::size(kPages)];
  for (size_t i = 0; i < std::size(kPages); ++i) {
    HWND label = findChild(main, "Static", kPages[i].title);
    if (!report.check(label != nullptr,
                      "page title label " + quoted(kPages[i].title) + " exists")) {
      return false;
    }
    chains[i] = ancestors(label, main);
  }
  // The deepest window that holds all five labels is the page area; the frames are its children.
  size_t depth = 0;
  for (;; ++depth) {
    bool common = true;
    for (auto& chain : chains) {
      common = common && depth + 1 < chain.size() && chain[depth] == chains[0][depth];
    }
    if (!common) break;
  }
  pages.area = depth == 0 ? main : chains[0][depth - 1];
  for (size_t i = 0; i < std::size(kPages); ++i) pages.frames[i] = chains[i][depth];
  bool distinct = true;
  for (size_t i = 0; i < std::size(kPages); ++i) {
    distinct = distinct && pages.frames[i] != chains[i].back();  // a frame is not its own label
    for (size_t j = 0; j < i; ++j) distinct = distinct && pages.frames[i] != pages.frames[j];
  }
  return report.check(distinct, "each page title sits in a page frame of its own");
}

// The page frame that a user sees at the centre of the page area, or -1.
int frontPage(const Pages& pages) {
  RECT rect;
  GetWindowRect(pages.frames[0], &rect);
  POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ScreenToClient(pages.area, &centre);
  HWND front = ChildWindowFromPointEx(pages.area, centre, CWP_SKIPINVISIBLE);
  for (size_t i = 0; i < std::size(kPages); ++i) {
    if (front == pages.frames[i]) return static_cast<int>(i);
  }
  return -1;
}

std::string pageName(int page) {
  return page < 0 ? "none" : quoted(kPages[page].title);
}

bool checkFront(const Pages& pages, int expected, const std::string& when, Report& report) {
  int front = frontPage(pages);
  HWND title = findChild(pages.frames[expected], "Static", kPages[expected].title);
  bool shown = title != nullptr && IsWindowVisible(title);
  return report.check(front == expected && shown, when + ": page " + pageName(expected) +
                                                      " in front (found " + pageName(front) + ")");
}

bool click(HWND button) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, kWaitMs, &result) != 0;
}

bool sendCommand(HWND window, int id) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_NORMAL, kWaitMs,
                             &result) != 0;
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

void checkWindowFrame(HWND main, Report& report) {
  RECT client;
  GetClientRect(main, &client);
  report.check(client.right == 750 && client.bottom == 409,
               "client area is 750 x 409 (found " + std::to_string(client.right) + " x " +
                   std::to_string(client.bottom) + ")");
  LONG style = GetWindowLongA(main, GWL_STYLE);
  report.check((style & WS_THICKFRAME) == 0 && (style & WS_CAPTION) == WS_CAPTION,
               "the main window has a title bar and a fixed border");
}

void checkPages(HWND main, Report& report) {
  report.check(findChild(main, "Button", "GUI Shell") != nullptr, "header button \"GUI Shell\"");
  HWND buttons[std::size(kPages)] = {};
  bool all = true;
  for (size_t i = 0; i < std::size(kPages); ++i) {
    buttons[i] = findChild(main, "Button", kPages[i].button);
    all = report.check(buttons[i] != nullptr && IsWindowVisible(buttons[i]),
                       "page button " + quoted(kPages[i].button)) &&
          all;
  }
  Pages pages;
  if (!findPages(main, pages, report) || !all) return;

  checkFront(pages, 0, "after start", report);
  // Every button brings its own page forward; then "Explorer" twice, which changes nothing.
  const int order[] = {1, 2, 3, 4, 0, 1, 1};
  for (int page : order) {
    if (!report.check(click(buttons[page]), "click on " + quoted(kPages[page].button))) return;
    checkFront(pages, page, "after a click on " + quoted(kPages[page].button), report);
  }
}

// Watches, on a thread of its own, for the wait window while the main thread sends a command.
class WaitWindowWatch {
 public:
  WaitWindowWatch(DWORD pid, HWND main)
      : pid_(pid), main_(main), desktop_(GetThreadDesktop(GetCurrentThreadId())) {
    thread_ = CreateThread(nullptr, 0, &WaitWindowWatch::run, this, 0, nullptr);
  }
  WaitWindowWatch(const WaitWindowWatch&) = delete;
  WaitWindowWatch& operator=(const WaitWindowWatch&) = delete;
  ~WaitWindowWatch() { stop(); }

  // Stops watching; tells whether the wait window was seen.
  bool stop() {
    if (thread_ != nullptr) {
      done_ = true;
      WaitForSingleObject(thread_, INFINITE);
      CloseHandle(thread_);
      thread_ = nullptr;
    }
    return seen_;
  }

 private:
  static DWORD WINAPI run(void* self) {
    auto* watch = static_cast<WaitWindowWatch*>(self);
    // A new thread starts on the process's first desktop; look where the main thread looks.
    SetThreadDesktop(watch->desktop_);
    while (!watch->done_) {
      if (findWaitWindow(watch->pid_, watch->main_) != nullptr) watch->seen_ = true;
      Sleep(1);
    }
    return 0;
  }

  DWORD pid_;
  HWND main_;
  HDESK desktop_;
  HANDLE thread_ = nullptr;
  std::atomic<bool> done_{false};
  std::atomic<bool> seen_{false};
};

// "Обновить данные": the wait window is up while the refresh runs and gone when it is done. A
// refresh that is over within a few milliseconds may slip between two looks of the watcher;
// one that takes longer must have been seen.
void checkRefresh(const Program& program, HWND main, Report& report) {
  constexpr DWORD kSurelySeenMs = 50;
  WaitWindowWatch watch(program.pid(), main);
  DWORD start = GetTickCount();
  bool answered = sendCommand(main, IDM_FILE_REFRESH);
  DWORD took = GetTickCount() - start;
  bool seen = watch.stop();
  report.check(answered, "\"Обновить данные\" (command " + std::to_string(IDM_FILE_REFRESH) +
                             ") runs to its end (" + std::to_string(took) + " ms)");
  if (seen || took >= kSurelySeenMs) {
    report.check(seen, "the wait window " + quoted(kWaitText) + " is shown during the refresh");
  } else {
    say("info: the refresh was too quick to catch its wait window");
  }
  bool gone =
      waitFor([&] { return findWaitWindow(program.pid(), main) == nullptr ? main : nullptr; },
              5000) != nullptr;
  report.check(gone, "no wait window is left after the refresh");
  report.check(program.running() && IsWindow(main) && IsWindowVisible(main),
               "the main window is still there after the refresh");
}

int runMain(const std::string& exe, const char* desktop) {
  Report report;
  Program program;
  if (!program.start(exe, desktop)) return report.finish() | 1;
  DWORD pid = program.pid();
  bool sawSplash = false;
  HWND refusal = nullptr;
  HWND main = waitFor([&]() -> HWND {
    if (!sawSplash && findTop(pid, kSplashTitle, false) != nullptr) sawSplash = true;
    refusal = findTop(pid, kMainTitle, true);
    if (refusal != nullptr || !program.running()) return HWND_BROADCAST;  // stop waiting
    return findTop(pid, kMainTitle, false);
  });
  if (main == HWND_BROADCAST) main = nullptr;
  if (refusal != nullptr) {
    HWND text = findChild(refusal, "Static", kPlatformMessage);
    report.check(false, std::string("the program refused to run: ") +
                            (text ? "platform message shown" : "a message box titled \"Vireo\""));
  } else if (!program.running()) {
    report.check(false, "the program ended (exit code " + std::to_string(program.exitCode()) +
                            ") before showing its window");
  }
  if (!report.check(main != nullptr, "the main window \"Vireo\" is shown")) {
    return report.finish();
  }
  say("info: the splash window %s seen during start-up", sawSplash ? "was" : "was not");
  report.check(findTop(pid, kSplashTitle, false) == nullptr, "the splash window is closed");
  checkWindowFrame(main, report);
  checkPages(main, report);
  checkRefresh(program, main, report);

  PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_FILE_EXIT, 0), 0);
  bool ended = program.waitExit(kWaitMs);
  report.check(ended, "\"Выход\" (command " + std::to_string(IDM_FILE_EXIT) + ") ends the program");
  return report.finish();
}

// ---- any other platform: the platform message ---------------------------------------------

int runRefuse(const std::string& exe, const char* desktop) {
  Report report;
  Program program;
  if (!program.start(exe, desktop)) return report.finish() | 1;
  DWORD pid = program.pid();
  bool mainShown = false;
  auto watchMain = [&] {
    if (findTop(pid, kMainTitle, false) != nullptr) mainShown = true;
  };
  HWND box = waitFor([&]() -> HWND {
    watchMain();
    if (!program.running()) return HWND_BROADCAST;
    return findTop(pid, kMainTitle, true);
  });
  if (box == HWND_BROADCAST) box = nullptr;
  if (!report.check(box != nullptr, "a message box titled \"Vireo\" is shown")) {
    if (!program.running()) {
      say("info: the program ended with exit code %lu", program.exitCode());
    }
    report.check(!mainShown, "the main window is never shown");
    return report.finish();
  }
  HWND text = findChild(box, "Static", kPlatformMessage);
  if (!report.check(text != nullptr, "it says " + quoted(kPlatformMessage))) {
    for (HWND child : descendants(box)) {
      say("info: the box holds %s %s", className(child).c_str(), quoted(windowText(child)).c_str());
    }
  }
  HWND ok = nullptr;
  int visibleButtons = 0;
  for (HWND child : descendants(box)) {
    if (!sameClass(child, "Button") || !IsWindowVisible(child)) continue;
    ++visibleButtons;
    if (GetDlgCtrlID(child) == IDOK) ok = child;
  }
  report.check(ok != nullptr && visibleButtons == 1, "its only button is OK");
  report.check(findTop(pid, kSplashTitle, false) != nullptr,
               "the splash window is up behind the message");

  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
  DWORD start = GetTickCount();
  while (program.running() && GetTickCount() - start < kWaitMs) {
    watchMain();
    Sleep(kPollMs);
  }
  report.check(!program.running(), "the program ends after OK");
  report.check(!mainShown, "the main window is never shown");
  return report.finish();
}

// ---- helpers for the scripts ---------------------------------------------------------------

int runProbe() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(&version);
  say("probe: %d-bit platform %lu version %lu.%lu build %lu", static_cast<int>(sizeof(void*) * 8),
      version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion,
      version.dwBuildNumber & 0xFFFF);
  return 0;
}

int runWait(const std::string& title, DWORD seconds) {
  DWORD start = GetTickCount();
  HWND window = waitFor(
      [&]() -> HWND {
        HWND found = FindWindowA(nullptr, title.c_str());
        return found != nullptr && IsWindowVisible(found) && !sameClass(found, kDialogClass)
                   ? found
                   : nullptr;
      },
      seconds * 1000);
  if (window == nullptr) {
    say("FAIL: no window %s within %lu s", quoted(title).c_str(), seconds);
    return 1;
  }
  say("ok: window %s shown after %lu ms", quoted(title).c_str(), GetTickCount() - start);
  RECT rect;
  GetWindowRect(window, &rect);
  say("rect: %ld %ld %ld %ld", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  return 0;
}

// Moves this thread to the named desktop, so that window searches see the windows there. The
// desktop may still be on its way (Wine's explorer creates it), so the driver waits for it.
bool useDesktop(const char* name) {
  HDESK desktop = nullptr;
  DWORD start = GetTickCount();
  while ((desktop = OpenDesktopA(name, 0, FALSE, GENERIC_ALL)) == nullptr &&
         GetTickCount() - start < kWaitMs) {
    Sleep(50);
  }
  if (desktop == nullptr || !SetThreadDesktop(desktop)) {
    say("FAIL: cannot use the desktop %s (error %lu)", name, GetLastError());
    return false;
  }
  return true;
}

int usage() {
  say("usage: driver probe | main EXE | refuse EXE | wait TITLE [SECONDS]  [--desktop NAME]");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args;
  const char* desktop = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--desktop") == 0 && i + 1 < argc) {
      desktop = argv[++i];
    } else {
      args.emplace_back(argv[i]);
    }
  }
  if (args.empty()) return usage();
  if (desktop != nullptr && !useDesktop(desktop)) return 1;
  const std::string& mode = args[0];
  if (mode == "probe") return runProbe();
  if (mode == "main" && args.size() == 2) return runMain(args[1], desktop);
  if (mode == "refuse" && args.size() == 2) return runRefuse(args[1], desktop);
  if (mode == "wait" && args.size() >= 2) {
    return runWait(args[1], args.size() > 2 ? std::strtoul(args[2].c_str(), nullptr, 10) : 60);
  }
  return usage();
}
