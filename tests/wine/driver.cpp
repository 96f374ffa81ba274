// Drives the real vireo.exe from outside, as a user would, and prints what it finds.
//
//   driver probe                      prints the bitness of this process and the version that the
//                                     system reports (scripts use it to try the Wine loader)
//   driver main EXE [--desktop NAME]  Windows 98 mode: the main window, its page buttons and
//                                     pages, "Обновить данные", "Выход"
//   driver settings EXE [--desktop NAME]
//                                     Windows 98 mode: catalogue-bound settings against the
//                                     registry: what start-up shows from a prepared registry,
//                                     clicks, a choice and typing written through, a refresh that
//                                     shows changes made outside; start-up, the first showing
//                                     of a page and refresh write nothing, and the first showing
//                                     reads nothing
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

// The page buttons and the page frames of the main window.
struct PageControls {
  HWND buttons[std::size(kPages)] = {};
  Pages pages;
};

bool findPageControls(HWND main, PageControls& controls, Report& report) {
  bool all = true;
  for (size_t i = 0; i < std::size(kPages); ++i) {
    controls.buttons[i] = findChild(main, "Button", kPages[i].button);
    all = report.check(controls.buttons[i] != nullptr && IsWindowVisible(controls.buttons[i]),
                       "page button " + quoted(kPages[i].button)) &&
          all;
  }
  return findPages(main, controls.pages, report) && all;
}

// Clicks the page's button and checks that the page came to the front.
bool bringToFront(const PageControls& controls, int page, Report& report) {
  if (!report.check(click(controls.buttons[page]), "click on " + quoted(kPages[page].button))) {
    return false;
  }
  return checkFront(controls.pages, page, "after a click on " + quoted(kPages[page].button),
                    report);
}

void checkPages(HWND main, Report& report) {
  report.check(findChild(main, "Button", "GUI Shell") != nullptr, "header button \"GUI Shell\"");
  PageControls controls;
  if (!findPageControls(main, controls, report)) return;

  checkFront(controls.pages, 0, "after start", report);
  // Every button brings its own page forward; then "Explorer" twice, which changes nothing.
  const int order[] = {1, 2, 3, 4, 0, 1, 1};
  for (int page : order) {
    if (!bringToFront(controls, page, report)) return;
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

// Waits for the main window of a program started in Windows 98 mode; a refusal or an early end
// is a failure. Tells whether the splash window was seen on the way.
HWND waitForMain(const Program& program, Report& report, bool& sawSplash) {
  DWORD pid = program.pid();
  sawSplash = false;
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
  report.check(main != nullptr, "the main window \"Vireo\" is shown");
  return main;
}

bool checkExit(Program& program, HWND main, Report& report) {
  PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_FILE_EXIT, 0), 0);
  bool ended = program.waitExit(kWaitMs);
  return report.check(ended,
                      "\"Выход\" (command " + std::to_string(IDM_FILE_EXIT) + ") ends the program");
}

int runMain(const std::string& exe, const char* desktop) {
  Report report;
  Program program;
  if (!program.start(exe, desktop)) return report.finish() | 1;
  bool sawSplash = false;
  HWND main = waitForMain(program, report, sawSplash);
  if (main == nullptr) return report.finish();
  say("info: the splash window %s seen during start-up", sawSplash ? "was" : "was not");
  report.check(findTop(program.pid(), kSplashTitle, false) == nullptr,
               "the splash window is closed");
  checkWindowFrame(main, report);
  checkPages(main, report);
  checkRefresh(program, main, report);
  checkExit(program, main, report);
  return report.finish();
}

// ---- the registry, read and written from outside -------------------------------------------

// One registry value named as the program's catalogue names it: ROOT\Key\...\Name, the key's
// default value when the path ends in a backslash.
struct RegEntry {
  HKEY root = nullptr;
  std::string key;
  std::string name;  // empty: the default value
  std::string path;  // as written, for the messages
};

RegEntry entry(const std::string& path) {
  size_t first = path.find('\\');
  size_t last = path.rfind('\\');
  std::string root = path.substr(0, first);
  RegEntry e;
  e.root = root == "HKCU"   ? HKEY_CURRENT_USER
           : root == "HKLM" ? HKEY_LOCAL_MACHINE
                            : HKEY_CLASSES_ROOT;
  e.key = path.substr(first + 1, last - first - 1);
  e.name = path.substr(last + 1);
  e.path = path;
  return e;
}

const char* valueName(const RegEntry& e) {
  return e.name.empty() ? nullptr : e.name.c_str();
}

// What a registry value holds: its type and its bytes (a string without its closing null).
struct Stored {
  bool present = false;
  DWORD type = REG_NONE;
  std::string data;
  bool operator==(const Stored&) const = default;
};

Stored absent() {
  return {};
}
Stored dword(DWORD number) {
  return {true, REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number)};
}
Stored textValue(std::string_view value) {
  return {true, REG_SZ, std::string(value)};
}
Stored binary(std::initializer_list<unsigned char> bytes) {
  return {true, REG_BINARY, std::string(bytes.begin(), bytes.end())};
}

std::string describe(const Stored& value) {
  if (!value.present) return "nothing";
  char part[16];
  switch (value.type) {
    case REG_DWORD:
      if (value.data.size() == 4) {
        DWORD number;
        std::memcpy(&number, value.data.data(), 4);
        return "DWORD " + std::to_string(number);
      }
      break;
    case REG_SZ:
      return "text " + quoted(value.data);
    default:
      break;
  }
  std::string out = value.type == REG_BINARY ? "binary" : "type " + std::to_string(value.type);
  for (unsigned char byte : value.data) {
    std::snprintf(part, sizeof part, " %02X", byte);
    out += part;
  }
  return out;
}

Stored read(const RegEntry& e) {
  Stored value;
  HKEY key = nullptr;
  if (RegOpenKeyExA(e.root, e.key.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return value;
  }
  char data[4096];
  DWORD size = sizeof data;
  DWORD type = REG_NONE;
  if (RegQueryValueExA(key, valueName(e), nullptr, &type, reinterpret_cast<BYTE*>(data), &size) ==
      ERROR_SUCCESS) {
    value.present = true;
    value.type = type;
    value.data.assign(data, size);
    if (type == REG_SZ) value.data.erase(value.data.find_last_not_of('\0') + 1);
  }
  RegCloseKey(key);
  return value;
}

bool keyExists(const RegEntry& e) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(e.root, e.key.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Stores the value, creating its key; `absent()` deletes the value instead.
bool write(const RegEntry& e, const Stored& value) {
  HKEY key = nullptr;
  LONG status;
  if (!value.present) {
    if (RegOpenKeyExA(e.root, e.key.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return true;
    status = RegDeleteValueA(key, valueName(e));
    RegCloseKey(key);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }
  if (RegCreateKeyExA(e.root, e.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  std::string data = value.data;
  if (value.type == REG_SZ) data.push_back('\0');
  status =
      RegSetValueExA(key, valueName(e), 0, value.type, reinterpret_cast<const BYTE*>(data.data()),
                     static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

// Deletes a key with everything below it; a missing key is no failure.
bool deleteTree(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return true;
  char name[256];
  for (;;) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
        !deleteTree(key, name)) {
      break;
    }
  }
  RegCloseKey(key);
  return RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS;
}

// Puts back, at its end, the values that the test touches, and removes the keys that were not
// there before it.
class RegistryRestore {
 public:
  RegistryRestore() = default;
  RegistryRestore(const RegistryRestore&) = delete;
  RegistryRestore& operator=(const RegistryRestore&) = delete;
  ~RegistryRestore() { restore(); }

  void keepValue(const RegEntry& e) { values_.push_back({e, read(e)}); }
  void keepKey(const RegEntry& e) {
    if (!keyExists(e)) created_.push_back(e);
  }
  void restore() {
    for (const auto& [e, value] : values_) {
      if (value.present || keyExists(e)) write(e, value);
    }
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) deleteTree(it->root, it->key);
    values_.clear();
    created_.clear();
  }

 private:
  std::vector<std::pair<RegEntry, Stored>> values_;
  std::vector<RegEntry> created_;
};

bool expectStored(const RegEntry& e, const Stored& expected, const std::string& when,
                  Report& report) {
  Stored found = read(e);
  std::string what = when + ": " + e.path + " holds " + describe(expected);
  if (found != expected) what += " (found " + describe(found) + ")";
  return report.check(found == expected, what);
}

// ---- Windows 98 mode: the catalogue-bound settings and the registry -----------------------

const char kRecycleName[] =
    "HKLM\\Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\";
const char kRecycleNameClasses[] = "HKCR\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\";
const char kRecycleAttributes[] =
    "HKCR\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder\\Attributes";
const char kNoPwdPage[] =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\NoPwdPage";
const char kNoDevMgrPage[] =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\NoDevMgrPage";
const char kNoEntireNetwork[] =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network\\NoEntireNetwork";
const char kShowInfoTip[] =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\ShowInfoTip";
const char kWebFolders[] =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\MyComputer\\NameSpace\\"
    "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}\\";

// Keys that the test may create, outermost first.
const char* const kTouchedKeys[] = {
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\",
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network\\",
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\",
    "HKLM\\Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\",
    "HKLM\\Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder\\",
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\MyComputer\\NameSpace\\",
    kWebFolders,
};

const char kPasswordBox[] = "\"Смена паролей\"";
const char kDevicesBox[] = "Вкладка \"Устройства\"";
const char kNetworkBox[] = "Отображать \"Сеть\" в \"My Network Places\"";
const char kInfoTipBox[] = "Показывать всплывающие подсказки";
const char kWebFoldersBox[] = "Отображать \"Web Folders\"";
const char kRecycleLabel[] = "Recycled Bin";
const char kRecycleMenuLabel[] = "Меню элемента";
const char* const kRecycleChoices[] = {"Отсутствует", "Только Переименовать", "Только удалить",
                                       "Удалить и переименовать"};

enum PageIndex { kControlPanel = 0, kExplorer = 1, kActiveDesktop = 2, kFolders = 3 };

// Messages to the program's controls, each with a time limit, so that a hung program fails the
// check instead of hanging the driver. Gives -1 when the program did not answer.
LRESULT ask(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutA(window, message, w, l, SMTO_NORMAL, kWaitMs, &result) == 0) return -1;
  return static_cast<LRESULT>(result);
}

// The current contents of an edit box or the text of a drop-down list's selection (the text that
// the system keeps for another process's window is not what an edit box shows).
std::string shownText(HWND control) {
  char text[1024] = "";
  DWORD_PTR result = 0;
  if (SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                          SMTO_NORMAL, kWaitMs, &result) == 0) {
    return "(no answer)";
  }
  return text;
}

const char* boxState(LRESULT check) {
  return check == BST_CHECKED ? "ticked" : check == BST_UNCHECKED ? "cleared" : "unknown";
}

bool expectBox(HWND box, bool ticked, const std::string& caption, const std::string& when,
               Report& report) {
  LRESULT found = ask(box, BM_GETCHECK);
  std::string what = when + ": box " + quoted(caption) + " is " + (ticked ? "ticked" : "cleared");
  if (found != (ticked ? BST_CHECKED : BST_UNCHECKED)) {
    what += std::string(" (found ") + boxState(found) + ")";
  }
  return report.check(found == (ticked ? BST_CHECKED : BST_UNCHECKED), what);
}

bool expectShown(HWND control, std::string_view expected, const std::string& what,
                 const std::string& when, Report& report) {
  std::string found = shownText(control);
  std::string line = when + ": " + what + " shows " + quoted(expected);
  if (found != expected) line += " (found " + quoted(found) + ")";
  return report.check(found == expected, line);
}

// Polls until `done` holds or the time is up.
bool waitUntil(const std::function<bool()>& done, DWORD ms = 5000) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= ms) return false;
    Sleep(kPollMs);
  }
  return true;
}

// The check box with this caption in the page's frame.
HWND findBox(const Pages& pages, int page, const char* caption, Report& report) {
  HWND box = findChild(pages.frames[page], "Button", caption);
  report.check(box != nullptr && IsWindowVisible(box),
               "box " + quoted(caption) + " is on page " + pageName(page));
  return box;
}

// The control of class `cls` that stands right of the label in the label's own frame.
HWND fieldRightOf(HWND label, const char* cls) {
  HWND frame = GetParent(label);
  RECT at;
  GetWindowRect(label, &at);
  HWND best = nullptr;
  LONG bestLeft = 0;
  for (HWND child : descendants(frame)) {
    if (GetParent(child) != frame || !sameClass(child, cls)) continue;
    RECT r;
    GetWindowRect(child, &r);
    bool beside = r.left >= at.right - 4 && r.top < at.bottom && r.bottom > at.top;
    if (beside && (best == nullptr || r.left < bestLeft)) {
      best = child;
      bestLeft = r.left;
    }
  }
  return best;
}

// The edit box or drop-down list of a labelled setting on the page.
HWND findField(const Pages& pages, int page, const char* label, const char* cls, const char* what,
               Report& report) {
  HWND caption = findChild(pages.frames[page], "Static", label);
  HWND field = caption != nullptr ? fieldRightOf(caption, cls) : nullptr;
  report.check(
      field != nullptr && IsWindowVisible(field),
      std::string(what) + " right of the label " + quoted(label) + " on page " + pageName(page));
  return field;
}

// Writes what the program will find at start-up, and clears what the test will create.
bool prepareRegistry(RegistryRestore& restore, Report& report) {
  for (const char* key : kTouchedKeys) restore.keepKey(entry(key));
  for (const char* path : {kNoPwdPage, kNoDevMgrPage, kNoEntireNetwork, kShowInfoTip, kRecycleName,
                           kRecycleAttributes, kWebFolders}) {
    restore.keepValue(entry(path));
  }
  bool ok = write(entry(kNoPwdPage), dword(1)) && write(entry(kNoEntireNetwork), dword(7)) &&
            write(entry(kRecycleName), textValue("Корзина")) &&
            write(entry(kRecycleAttributes), binary({0x60, 0x01, 0x00, 0x20})) &&
            write(entry(kNoDevMgrPage), absent()) && write(entry(kShowInfoTip), absent()) &&
            deleteTree(entry(kWebFolders).root, entry(kWebFolders).key);
  ok = report.check(ok, "the registry is prepared before the start") && ok;
  // In Wine HKCR is a view of HKLM\Software\Classes: the checks of the second path of the
  // "Recycled Bin" entry rely on it.
  return report.check(read(entry(kRecycleNameClasses)) == textValue("Корзина"),
                      std::string(kRecycleNameClasses) + " is the same value as " + kRecycleName) &&
         ok;
}

// What the prepared registry must still hold: start-up and refresh only read it.
void expectUntouched(const std::string& when, Report& report) {
  expectStored(entry(kNoEntireNetwork), dword(7), when, report);
  expectStored(entry(kRecycleNameClasses), textValue("Корзина"), when, report);
  expectStored(entry(kRecycleAttributes), binary({0x60, 0x01, 0x00, 0x20}), when, report);
  expectStored(entry(kNoPwdPage), dword(1), when, report);
  expectStored(entry(kNoDevMgrPage), absent(), when, report);
  expectStored(entry(kShowInfoTip), absent(), when, report);
  report.check(!keyExists(entry(kWebFolders)), when + ": no key " + kWebFolders);
}

// The controls that the test drives, found on their pages.
struct SettingControls {
  HWND password = nullptr;     // restriction box, Control Panel
  HWND devices = nullptr;      // restriction box, Control Panel
  HWND infoTip = nullptr;      // check setting, Explorer
  HWND network = nullptr;      // check setting, Explorer
  HWND webFolders = nullptr;   // My Computer box, Active Desktop
  HWND recycleMenu = nullptr;  // choice setting, Active Desktop
  HWND recycleName = nullptr;  // text setting, Folders and shortcuts
};

// What start-up read shows on every page. The pages behind the first one get the windows of
// their controls only when they are first brought to the front, so their controls are found
// and read after a click on their page buttons. Showing a page for the first time must neither
// read the registry again nor write it: the registry is changed from outside before, the
// controls must still show what start-up read, and the changed values must stay as written.
bool checkStartState(HWND main, const PageControls& page, SettingControls& c, Report& report) {
  ask(main, WM_NULL);  // whatever the program still had queued is done
  const std::string when = "after start";
  expectUntouched(when, report);
  c.password = findBox(page.pages, kControlPanel, kPasswordBox, report);
  c.devices = findBox(page.pages, kControlPanel, kDevicesBox, report);
  if (c.password == nullptr || c.devices == nullptr) return false;
  expectBox(c.password, false, kPasswordBox, when, report);
  expectBox(c.devices, true, kDevicesBox, when, report);

  // Start-up creates no windows inside the pages behind the first one but their titles.
  bool onlyTitles = true;
  for (size_t i = 1; i < std::size(kPages); ++i) {
    onlyTitles = onlyTitles && descendants(page.pages.frames[i]).size() == 1;
  }
  report.check(onlyTitles, "before their first showing, the pages behind hold only their titles");

  const Stored outsideName = textValue("Снаружи");
  const Stored outsideAttributes = binary({0x40, 0x01, 0x00, 0x20});
  bool changed = write(entry(kShowInfoTip), dword(1)) && write(entry(kRecycleName), outsideName) &&
                 write(entry(kRecycleAttributes), outsideAttributes) &&
                 write(entry(kWebFolders), textValue(""));
  if (!report.check(changed, "the registry is changed from outside before the pages are shown")) {
    return false;
  }
  const std::string first = "on first showing its page";
  if (!bringToFront(page, kExplorer, report)) return false;
  c.infoTip = findBox(page.pages, kExplorer, kInfoTipBox, report);
  c.network = findBox(page.pages, kExplorer, kNetworkBox, report);
  if (c.infoTip == nullptr || c.network == nullptr) return false;
  expectBox(c.infoTip, false, kInfoTipBox, first, report);
  expectBox(c.network, true, kNetworkBox, first, report);

  if (!bringToFront(page, kActiveDesktop, report)) return false;
  c.webFolders = findBox(page.pages, kActiveDesktop, kWebFoldersBox, report);
  c.recycleMenu = findField(page.pages, kActiveDesktop, kRecycleMenuLabel, "ComboBox",
                            "a drop-down list", report);
  if (c.webFolders == nullptr || c.recycleMenu == nullptr) return false;
  expectBox(c.webFolders, false, kWebFoldersBox, first, report);
  report.check(ask(c.recycleMenu, CB_GETCOUNT) == 4,
               first + ": the list " + quoted(kRecycleMenuLabel) + " offers four choices");
  expectShown(c.recycleMenu, kRecycleChoices[2], "the list " + quoted(kRecycleMenuLabel), first,
              report);

  if (!bringToFront(page, kFolders, report)) return false;
  c.recycleName = findField(page.pages, kFolders, kRecycleLabel, "Edit", "an edit box", report);
  if (c.recycleName == nullptr) return false;
  expectShown(c.recycleName, "Корзина", "the field " + quoted(kRecycleLabel), first, report);

  const std::string shown = "after the pages were first shown";
  expectStored(entry(kShowInfoTip), dword(1), shown, report);
  expectStored(entry(kRecycleNameClasses), outsideName, shown, report);
  expectStored(entry(kRecycleAttributes), outsideAttributes, shown, report);
  expectStored(entry(kWebFolders), textValue(""), shown, report);
  expectStored(entry(kNoEntireNetwork), dword(7), shown, report);
  expectStored(entry(kNoPwdPage), dword(1), shown, report);
  expectStored(entry(kNoDevMgrPage), absent(), shown, report);

  // The registry as prepared again, for the checks that follow.
  bool back = write(entry(kShowInfoTip), absent()) &&
              write(entry(kRecycleName), textValue("Корзина")) &&
              write(entry(kRecycleAttributes), binary({0x60, 0x01, 0x00, 0x20})) &&
              deleteTree(entry(kWebFolders).root, entry(kWebFolders).key);
  return report.check(back, "the registry is put back as prepared");
}

// Clicks a box as a user does and checks the box and the registry afterwards.
void clickBox(HWND box, const char* caption, bool ticked, const RegEntry& e, const Stored& value,
              Report& report) {
  std::string when = std::string("after ") + (ticked ? "ticking " : "clearing ") + quoted(caption);
  report.check(click(box), "click on " + quoted(caption));
  expectBox(box, ticked, caption, when, report);
  expectStored(e, value, when, report);
}

void checkBoxes(const PageControls& page, const SettingControls& c, Report& report) {
  if (bringToFront(page, kExplorer, report)) {
    clickBox(c.infoTip, kInfoTipBox, true, entry(kShowInfoTip), dword(1), report);
    clickBox(c.infoTip, kInfoTipBox, false, entry(kShowInfoTip), dword(0), report);
  }
  if (bringToFront(page, kControlPanel, report)) {
    clickBox(c.devices, kDevicesBox, false, entry(kNoDevMgrPage), dword(1), report);
    clickBox(c.devices, kDevicesBox, true, entry(kNoDevMgrPage), absent(), report);
  }
  if (bringToFront(page, kActiveDesktop, report)) {
    RegEntry web = entry(kWebFolders);
    report.check(click(c.webFolders), "click on " + quoted(kWebFoldersBox));
    std::string when = "after ticking " + quoted(kWebFoldersBox);
    expectBox(c.webFolders, true, kWebFoldersBox, when, report);
    report.check(keyExists(web), when + ": the key " + kWebFolders + " exists");
    expectStored(web, textValue(""), when, report);
    report.check(click(c.webFolders), "click on " + quoted(kWebFoldersBox));
    when = "after clearing " + quoted(kWebFoldersBox);
    expectBox(c.webFolders, false, kWebFoldersBox, when, report);
    report.check(!keyExists(web), when + ": the key " + kWebFolders + " is gone");
  }
}

// The closed drop-down list turns the down arrow into the next choice and tells its frame, as
// when the user presses the key with the list focused.
void checkChoice(const SettingControls& c, Report& report) {
  const std::string when = "after the down arrow in " + quoted(kRecycleMenuLabel);
  const Stored expected = binary({0x70, 0x01, 0x00, 0x20});
  PostMessageA(c.recycleMenu, WM_KEYDOWN, VK_DOWN, 0x00500001);
  PostMessageA(c.recycleMenu, WM_KEYUP, VK_DOWN, 0xC0500001);
  waitUntil([&] { return read(entry(kRecycleAttributes)) == expected; });
  expectShown(c.recycleMenu, kRecycleChoices[3], "the list " + quoted(kRecycleMenuLabel), when,
              report);
  expectStored(entry(kRecycleAttributes), expected, when, report);
}

// Types a new name into the "Recycled Bin" field over its selected text, one character at a
// time; every keystroke writes the text so far to both names of the class key.
void checkTyping(const SettingControls& c, Report& report) {
  const char typed[] = "Мусор";
  ask(c.recycleName, EM_SETSEL, 0, -1);
  bool answered = true;
  std::string sofar, mismatch;
  for (const char* p = typed; *p != '\0'; ++p) {
    // The character as the keyboard delivers it: a Unicode WM_CHAR, whatever the code page.
    wchar_t wide = 0;
    MultiByteToWideChar(1251, 0, p, 1, &wide, 1);
    DWORD_PTR result = 0;
    answered =
        SendMessageTimeoutW(c.recycleName, WM_CHAR, wide, 1, SMTO_NORMAL, kWaitMs, &result) != 0 &&
        answered;
    sofar += *p;
    for (const char* path : {kRecycleName, kRecycleNameClasses}) {
      Stored found = read(entry(path));
      if (found != textValue(sofar) && mismatch.empty()) {
        mismatch = " (after " + quoted(sofar) + " " + path + " held " + describe(found) + ")";
      }
    }
  }
  const std::string when = "after typing " + quoted(typed) + " into " + quoted(kRecycleLabel);
  report.check(answered, "the field " + quoted(kRecycleLabel) + " took every keystroke");
  report.check(mismatch.empty(), when + ": every keystroke wrote the text so far to both " +
                                     "names of the class key" + mismatch);
  expectShown(c.recycleName, typed, "the field " + quoted(kRecycleLabel), when, report);
  expectStored(entry(kRecycleName), textValue(typed), when, report);
  expectStored(entry(kRecycleNameClasses), textValue(typed), when, report);
}

// Changes made by another program show after "Обновить данные", and the refresh writes nothing.
void checkRefreshReads(HWND main, const SettingControls& c, Report& report) {
  write(entry(kNoPwdPage), dword(0));
  write(entry(kShowInfoTip), dword(1));
  write(entry(kRecycleName), textValue("Корзина"));
  write(entry(kRecycleAttributes), binary({0x40, 0x01, 0x00, 0x20}));
  const std::string when = "after the refresh";
  report.check(sendCommand(main, IDM_FILE_REFRESH),
               "\"Обновить данные\" after changes made outside the program");
  expectBox(c.password, true, kPasswordBox, when, report);
  expectBox(c.infoTip, true, kInfoTipBox, when, report);
  expectBox(c.devices, true, kDevicesBox, when, report);
  expectBox(c.network, true, kNetworkBox, when, report);
  expectBox(c.webFolders, false, kWebFoldersBox, when, report);
  expectShown(c.recycleName, "Корзина", "the field " + quoted(kRecycleLabel), when, report);
  expectShown(c.recycleMenu, kRecycleChoices[0], "the list " + quoted(kRecycleMenuLabel), when,
              report);
  expectStored(entry(kNoPwdPage), dword(0), when, report);
  expectStored(entry(kNoEntireNetwork), dword(7), when, report);
  expectStored(entry(kShowInfoTip), dword(1), when, report);
  expectStored(entry(kRecycleNameClasses), textValue("Корзина"), when, report);
  expectStored(entry(kRecycleAttributes), binary({0x40, 0x01, 0x00, 0x20}), when, report);
  expectStored(entry(kNoDevMgrPage), absent(), when, report);
  report.check(!keyExists(entry(kWebFolders)), when + ": no key " + kWebFolders);
}

int runSettings(const std::string& exe, const char* desktop) {
  Report report;
  RegistryRestore restore;
  if (!prepareRegistry(restore, report)) return report.finish();
  Program program;
  if (!program.start(exe, desktop)) return report.finish() | 1;
  bool sawSplash = false;
  HWND main = waitForMain(program, report, sawSplash);
  if (main == nullptr) return report.finish();

  PageControls page;
  SettingControls controls;
  if (findPageControls(main, page, report) && checkStartState(main, page, controls, report)) {
    checkBoxes(page, controls, report);
    if (bringToFront(page, kActiveDesktop, report)) checkChoice(controls, report);
    if (bringToFront(page, kFolders, report)) checkTyping(controls, report);
    checkRefreshReads(main, controls, report);
  }
  // A program that did not end is terminated before the registry is put back.
  if (checkExit(program, main, report)) restore.restore();
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
  say("usage: driver probe | main EXE | settings EXE | refuse EXE | wait TITLE [SECONDS]"
      "  [--desktop NAME]");
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
  if (mode == "settings" && args.size() == 2) return runSettings(args[1], desktop);
  if (mode == "wait" && args.size() >= 2) {
    return runWait(args[1], args.size() > 2 ? std::strtoul(args[2].c_str(), nullptr, 10) : 60);
  }
  return usage();
}
