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

#include <algorithm>
#include <array>
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
constexpr size_t kPageCount = std::size(kPages);

enum PageIndex { kControlPanel = 0, kExplorer = 1, kActiveDesktop = 2, kFolders = 3 };

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

// One run checks one program, so the counts are the driver's own.
int passed = 0;
int failed = 0;

bool check(bool ok, const std::string& what) {
  say("%s: %s", ok ? "ok" : "FAIL", what.c_str());
  (ok ? passed : failed)++;
  return ok;
}

// A check that tells what was found instead when it fails.
bool expect(bool ok, const std::string& what, const std::string& found) {
  return check(ok, ok ? what : what + " (found " + found + ")");
}

int finish() {
  say("driver: %d passed, %d failed", passed, failed);
  return failed == 0 ? 0 : 1;
}

std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// Polls until `done` holds or the time is up.
bool waitUntil(const std::function<bool()>& done, DWORD ms = kWaitMs) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= ms) return false;
    Sleep(kPollMs);
  }
  return true;
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

// Messages to the program's windows go with a time limit, so that a hung program fails the
// check instead of hanging the driver.
bool send(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0, DWORD_PTR* result = nullptr) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, message, w, l, SMTO_NORMAL, kWaitMs,
                             result ? result : &ignored) != 0;
}

// The answer to a message, or -1 when the program did not answer.
LRESULT ask(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0) {
  DWORD_PTR result = 0;
  return send(window, message, w, l, &result) ? static_cast<LRESULT>(result) : -1;
}

bool click(HWND button) {
  return send(button, BM_CLICK);
}

BOOL CALLBACK collectWindow(HWND window, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

// The top-level windows of the process.
std::vector<HWND> topWindows(DWORD pid) {
  std::vector<HWND> all, found;
  EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&all));
  for (HWND window : all) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == pid) found.push_back(window);
  }
  return found;
}

std::vector<HWND> descendants(HWND root) {
  std::vector<HWND> found;
  EnumChildWindows(root, collectWindow, reinterpret_cast<LPARAM>(&found));
  return found;
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

// ---- the program under test ----------------------------------------------------------------

class Program {
 public:
  Program() = default;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program() {
    if (info_.hProcess == nullptr) return;
    if (running()) {
      say("note: the program was still running; it is terminated");
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }

  // Starts `exe` in its own directory, on `desktop` when one is named.
  bool start(const std::string& exe, const char* desktop) {
    std::string directory = exe.substr(0, exe.find_last_of("\\/"));
    if (directory == exe) directory = ".";
    std::string commandLine = quoted(exe);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = const_cast<char*>(desktop);
    if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       directory.c_str(), &startup, &info_)) {
      return true;
    }
    say("FAIL: cannot start %s (error %lu)", exe.c_str(), GetLastError());
    return false;
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

// Waits for the main window of a program started in Windows 98 mode; a refusal or an early end
// is a failure. Tells whether the splash window was seen on the way.
HWND waitForMain(const Program& program, bool* sawSplash = nullptr) {
  DWORD pid = program.pid();
  bool splash = false;
  HWND refusal = nullptr, main = nullptr;
  waitUntil([&] {
    splash = splash || findTop(pid, kSplashTitle, false) != nullptr;
    refusal = findTop(pid, kMainTitle, true);
    main = refusal == nullptr ? findTop(pid, kMainTitle, false) : nullptr;
    return main != nullptr || refusal != nullptr || !program.running();
  });
  if (refusal != nullptr) {
    HWND text = findChild(refusal, "Static", kPlatformMessage);
    check(false, std::string("the program refused to run: ") +
                     (text ? "platform message shown" : "a message box titled \"Vireo\""));
  } else if (main == nullptr && !program.running()) {
    check(false, "the program ended (exit code " + std::to_string(program.exitCode()) +
                     ") before showing its window");
  }
  check(main != nullptr, "the main window \"Vireo\" is shown");
  if (sawSplash != nullptr) *sawSplash = splash;
  return main;
}

bool checkExit(const Program& program, HWND main) {
  PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_FILE_EXIT, 0), 0);
  return check(program.waitExit(kWaitMs),
               "\"Выход\" (command " + std::to_string(IDM_FILE_EXIT) + ") ends the program");
}

// ---- Windows 98 mode: the main window -----------------------------------------------------

// The page buttons, and the five page frames: for each title label, the ancestor that sits
// beside the other pages.
struct Pages {
  HWND buttons[kPageCount] = {};
  HWND area = nullptr;  // the window that holds the stacked frames
  HWND frames[kPageCount] = {};
};

bool findFrames(HWND main, Pages& pages) {
  HWND labels[kPageCount];
  for (size_t i = 0; i < kPageCount; ++i) {
    labels[i] = findChild(main, "Static", kPages[i].title);
    if (!check(labels[i] != nullptr, "page title label " + quoted(kPages[i].title) + " exists")) {
      return false;
    }
  }
  // The deepest window that holds all five labels is the page area; the frames are its children.
  HWND& area = pages.area;
  for (area = GetParent(labels[0]); area != main; area = GetParent(area)) {
    if (std::all_of(labels, labels + kPageCount, [&](HWND l) { return IsChild(area, l); })) break;
  }
  bool distinct = true;
  for (size_t i = 0; i < kPageCount; ++i) {
    HWND& frame = pages.frames[i];
    frame = labels[i];
    while (GetParent(frame) != area) frame = GetParent(frame);
    distinct = distinct && frame != labels[i];  // a frame is not its own label
    for (size_t j = 0; j < i; ++j) distinct = distinct && frame != pages.frames[j];
  }
  return check(distinct, "each page title sits in a page frame of its own");
}

bool findPages(HWND main, Pages& pages) {
  bool all = true;
  for (size_t i = 0; i < kPageCount; ++i) {
    pages.buttons[i] = findChild(main, "Button", kPages[i].button);
    all = check(pages.buttons[i] != nullptr && IsWindowVisible(pages.buttons[i]),
                "page button " + quoted(kPages[i].button)) &&
          all;
  }
  return findFrames(main, pages) && all;
}

std::string pageName(int page) {
  return page < 0 ? "none" : quoted(kPages[page].title);
}

// Checks that a user sees the page's frame, with its title, at the centre of the page area.
bool checkFront(const Pages& pages, int expected, const std::string& when) {
  RECT rect;
  GetWindowRect(pages.frames[0], &rect);
  POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ScreenToClient(pages.area, &centre);
  HWND atCentre = ChildWindowFromPointEx(pages.area, centre, CWP_SKIPINVISIBLE);
  int front = -1;
  for (size_t i = 0; i < kPageCount; ++i) {
    if (atCentre == pages.frames[i]) front = static_cast<int>(i);
  }
  HWND title = findChild(pages.frames[expected], "Static", kPages[expected].title);
  return check(front == expected && title != nullptr && IsWindowVisible(title),
               when + ": page " + pageName(expected) + " in front (found " + pageName(front) + ")");
}

// Clicks the page's button and checks that the page came to the front.
bool bringToFront(const Pages& pages, int page) {
  const std::string button = quoted(kPages[page].button);
  return check(click(pages.buttons[page]), "click on " + button) &&
         checkFront(pages, page, "after a click on " + button);
}

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
  check(findChild(main, "Button", "GUI Shell") != nullptr, "header button \"GUI Shell\"");
  Pages pages;
  if (!findPages(main, pages)) return;
  checkFront(pages, 0, "after start");
  // Every button brings its own page forward; then "Explorer" twice, which changes nothing.
  for (int page : {1, 2, 3, 4, 0, 1, 1}) {
    if (!bringToFront(pages, page)) return;
  }
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

// ---- the registry, read and written from outside -------------------------------------------

// One registry value named as the program's catalogue names it: ROOT\Key\...\Name, the key's
// default value when the path ends in a backslash.
struct RegEntry {
  HKEY root = nullptr;
  std::string key;
  std::string name;  // empty: the default value
  std::string path;  // as written, for the messages
  const char* valueName() const { return name.empty() ? nullptr : name.c_str(); }
};

RegEntry entry(const std::string& path) {
  size_t first = path.find('\\');
  size_t last = path.rfind('\\');
  std::string root = path.substr(0, first);
  return {root == "HKCU"   ? HKEY_CURRENT_USER
          : root == "HKLM" ? HKEY_LOCAL_MACHINE
                           : HKEY_CLASSES_ROOT,
          path.substr(first + 1, last - first - 1), path.substr(last + 1), path};
}

// What a registry value holds: its type and its bytes (a string without its closing null).
// `noKey()` stands for the value's key being missing altogether.
struct Stored {
  bool present = false;
  DWORD type = REG_NONE;
  std::string data;
  bool noKey = false;
  bool operator==(const Stored&) const = default;
};

Stored absent() {
  return {};
}
Stored noKey() {
  return {false, REG_NONE, "", true};
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
  if (value.type == REG_DWORD && value.data.size() == 4) {
    DWORD number;
    std::memcpy(&number, value.data.data(), 4);
    return "DWORD " + std::to_string(number);
  }
  if (value.type == REG_SZ) return "text " + quoted(value.data);
  std::string out = value.type == REG_BINARY ? "binary" : "type " + std::to_string(value.type);
  for (unsigned char byte : value.data) {
    char part[8];
    std::snprintf(part, sizeof part, " %02X", byte);
    out += part;
  }
  return out;
}

// Every key is opened in the 64-bit view: what a 64-bit program of the system reads, and no
// WoW64 copy that the program might be redirected to as well. In a 32-bit prefix and on 9x
// there is one view and the flag changes nothing. (The driver runs in Wine's default NT mode:
// in 9x mode Wine's "A" calls ignore the access mask, this flag with it.)
constexpr REGSAM kView = KEY_WOW64_64KEY;

bool keyExists(const RegEntry& e) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(e.root, e.key.c_str(), 0, KEY_QUERY_VALUE | kView, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

Stored read(const RegEntry& e) {
  Stored value;
  HKEY key = nullptr;
  if (RegOpenKeyExA(e.root, e.key.c_str(), 0, KEY_QUERY_VALUE | kView, &key) != ERROR_SUCCESS) {
    return value;
  }
  char data[4096];
  DWORD size = sizeof data;
  if (RegQueryValueExA(key, e.valueName(), nullptr, &value.type, reinterpret_cast<BYTE*>(data),
                       &size) == ERROR_SUCCESS) {
    value.present = true;
    value.data.assign(data, size);
    if (value.type == REG_SZ) value.data.erase(value.data.find_last_not_of('\0') + 1);
  } else {
    value.type = REG_NONE;
  }
  RegCloseKey(key);
  return value;
}

// Stores the value, creating its key; `absent()` deletes the value, `noKey()` the whole key.
bool write(const RegEntry& e, const Stored& value) {
  LONG status;
  HKEY key = nullptr;
  if (value.noKey) {  // a missing key is no failure
    // RegDeleteTreeA takes no view: empty the key through a handle of the view, then delete it.
    status = RegOpenKeyExA(e.root, e.key.c_str(), 0, KEY_ALL_ACCESS | kView, &key);
    if (status == ERROR_SUCCESS) {
      status = RegDeleteTreeA(key, nullptr);
      RegCloseKey(key);
      if (status == ERROR_SUCCESS) status = RegDeleteKeyExA(e.root, e.key.c_str(), kView, 0);
    }
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }
  if (!value.present) {
    if (RegOpenKeyExA(e.root, e.key.c_str(), 0, KEY_SET_VALUE | kView, &key) != ERROR_SUCCESS) {
      return true;
    }
    status = RegDeleteValueA(key, e.valueName());
    RegCloseKey(key);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }
  if (RegCreateKeyExA(e.root, e.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | kView, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  std::string data = value.data;
  if (value.type == REG_SZ) data.push_back('\0');
  status =
      RegSetValueExA(key, e.valueName(), 0, value.type, reinterpret_cast<const BYTE*>(data.data()),
                     static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

bool expectStored(const RegEntry& e, const Stored& expected, const std::string& when) {
  if (expected.noKey) return check(!keyExists(e), when + ": no key " + e.path);
  Stored found = read(e);
  return expect(found == expected, when + ": " + e.path + " holds " + describe(expected),
                describe(found));
}

// ---- Windows 98 mode: the catalogue-bound settings and the registry -----------------------

const RegEntry kRecycleName =
    entry("HKLM\\Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\");
const RegEntry kRecycleNameClasses = entry("HKCR\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\");
const RegEntry kRecycleAttributes =
    entry("HKCR\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder\\Attributes");
const RegEntry kNoPwdPage =
    entry("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\NoPwdPage");
const RegEntry kNoDevMgrPage =
    entry("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\NoDevMgrPage");
const RegEntry kNoEntireNetwork =
    entry("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network\\NoEntireNetwork");
const RegEntry kShowInfoTip =
    entry("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\ShowInfoTip");
const RegEntry kWebFolders = entry(
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\MyComputer\\NameSpace\\"
    "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}\\");

// Keys that the test may create, outermost first.
const RegEntry kTouchedKeys[] = {
    entry("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\"),
    entry("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network\\"),
    entry("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\"),
    entry("HKLM\\Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\"),
    entry("HKLM\\Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder\\"),
    entry("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\MyComputer\\NameSpace\\"),
    kWebFolders,
};

// The values that the test sets, in the order of a `State`. The "Recycled Bin" name is written
// through HKLM and read back through HKCR: in Wine HKCR is a view of HKLM\Software\Classes.
const RegEntry* const kWritten[] = {&kNoPwdPage,   &kNoDevMgrPage, &kNoEntireNetwork,
                                    &kShowInfoTip, &kRecycleName,  &kRecycleAttributes,
                                    &kWebFolders};
const RegEntry* const kReadBack[] = {&kNoPwdPage,   &kNoDevMgrPage,       &kNoEntireNetwork,
                                     &kShowInfoTip, &kRecycleNameClasses, &kRecycleAttributes,
                                     &kWebFolders};
using State = std::array<Stored, std::size(kWritten)>;

const char kRecycled[] = "Корзина";
const Stored kAttributes = binary({0x60, 0x01, 0x00, 0x20});
const Stored kOtherAttributes = binary({0x40, 0x01, 0x00, 0x20});
// What the program finds at start-up.
const State kPrepared = {dword(1),    absent(), dword(7), absent(), textValue(kRecycled),
                         kAttributes, noKey()};
// What another program changes before the pages behind the first one are shown.
const State kOutside = {dword(1),         absent(),     dword(7), dword(1), textValue("Снаружи"),
                        kOtherAttributes, textValue("")};
// What another program changes before "Обновить данные".
const State kBeforeRefresh = {dword(0),         absent(), dword(7), dword(1), textValue(kRecycled),
                              kOtherAttributes, noKey()};

bool writeState(const State& state) {
  bool ok = true;
  for (size_t i = 0; i < state.size(); ++i) ok = ok && write(*kWritten[i], state[i]);
  return ok;
}

void expectState(const State& state, const std::string& when) {
  for (size_t i = 0; i < state.size(); ++i) expectStored(*kReadBack[i], state[i], when);
}

// Puts back, at its end, the values that the test sets, and removes the keys that were not there
// before it.
class RegistryRestore {
 public:
  RegistryRestore() {
    for (const RegEntry& e : kTouchedKeys) {
      if (!keyExists(e)) created_.push_back(e);
    }
    for (const RegEntry* e : kWritten) saved_.push_back({*e, read(*e)});
  }
  RegistryRestore(const RegistryRestore&) = delete;
  RegistryRestore& operator=(const RegistryRestore&) = delete;
  ~RegistryRestore() {
    for (const auto& [e, value] : saved_) {
      if (value.present || keyExists(e)) write(e, value);
    }
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) write(*it, noKey());
  }

 private:
  std::vector<std::pair<RegEntry, Stored>> saved_;
  std::vector<RegEntry> created_;
};

const char* const kRecycleChoices[] = {"Отсутствует", "Только Переименовать", "Только удалить",
                                       "Удалить и переименовать"};

// A control that the test drives: a check box found by its caption, or the field of class `cls`
// that stands right of its label.
struct Control {
  const char* text;  // the box's caption or the field's label
  int page;
  const char* cls;    // null for a check box
  const char* kind;   // for a field, what it is: "an edit box"
  const char* title;  // how the checks name it: "box", "the field"
  HWND window = nullptr;
  std::string name() const { return std::string(title) + " " + quoted(text); }
};

Control tickBox(const char* caption, int page) {
  return {caption, page, nullptr, nullptr, "box", nullptr};
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

// Finds every control on its page's frame; tells whether all were found.
bool find(const Pages& pages, std::initializer_list<Control*> controls) {
  bool all = true;
  for (Control* c : controls) {
    HWND frame = pages.frames[c->page];
    std::string where = " on page " + pageName(c->page);
    if (c->cls == nullptr) {
      c->window = findChild(frame, "Button", c->text);
      where = c->name() + " is" + where;
    } else {
      HWND label = findChild(frame, "Static", c->text);
      c->window = label != nullptr ? fieldRightOf(label, c->cls) : nullptr;
      where = std::string(c->kind) + " right of the label " + quoted(c->text) + where;
    }
    all = check(c->window != nullptr && IsWindowVisible(c->window), where) && all;
  }
  return all;
}

const char* boxState(LRESULT state) {
  return state == BST_CHECKED ? "ticked" : state == BST_UNCHECKED ? "cleared" : "unknown";
}

bool expectBox(const Control& box, bool ticked, const std::string& when) {
  LRESULT found = ask(box.window, BM_GETCHECK);
  LRESULT wanted = ticked ? BST_CHECKED : BST_UNCHECKED;
  return expect(found == wanted, when + ": " + box.name() + " is " + boxState(wanted),
                boxState(found));
}

// The current contents of an edit box or the text of a drop-down list's selection (the text that
// the system keeps for another process's window is not what an edit box shows).
bool expectShown(const Control& field, std::string_view expected, const std::string& when) {
  char text[1024] = "";
  std::string found = send(field.window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text))
                          ? text
                          : "(no answer)";
  return expect(found == expected, when + ": " + field.name() + " shows " + quoted(expected),
                quoted(found));
}

// The controls that the test drives, found on their pages.
struct SettingControls {
  Control password = tickBox("\"Смена паролей\"", kControlPanel);            // restriction
  Control devices = tickBox("Вкладка \"Устройства\"", kControlPanel);        // restriction
  Control infoTip = tickBox("Показывать всплывающие подсказки", kExplorer);  // check setting
  Control network = tickBox("Отображать \"Сеть\" в \"My Network Places\"", kExplorer);
  Control webFolders = tickBox("Отображать \"Web Folders\"", kActiveDesktop);  // My Computer
  Control recycleMenu{"Меню элемента",    kActiveDesktop, "ComboBox",
                      "a drop-down list", "the list",     nullptr};
  Control recycleName{"Recycled Bin", kFolders, "Edit", "an edit box", "the field", nullptr};
};

// Writes what the program will find at start-up.
bool prepareRegistry() {
  bool ok = check(writeState(kPrepared), "the registry is prepared before the start");
  return check(read(kRecycleNameClasses) == textValue(kRecycled),
               kRecycleNameClasses.path + " is the same value as " + kRecycleName.path) &&
         ok;
}

// What start-up read shows on every page. The pages behind the first one get the windows of
// their controls only when they are first brought to the front, so their controls are found
// and read after a click on their page buttons. Showing a page for the first time must neither
// read the registry again nor write it: the registry is changed from outside before, the
// controls must still show what start-up read, and the changed values must stay as written.
bool checkStartState(HWND main, const Pages& pages, SettingControls& c) {
  ask(main, WM_NULL);  // whatever the program still had queued is done
  const std::string when = "after start";
  expectState(kPrepared, when);  // start-up only reads
  if (!find(pages, {&c.password, &c.devices})) return false;
  expectBox(c.password, false, when);
  expectBox(c.devices, true, when);

  // Start-up creates no windows inside the pages behind the first one but their titles.
  bool onlyTitles = true;
  for (size_t i = 1; i < kPageCount; ++i) {
    onlyTitles = onlyTitles && descendants(pages.frames[i]).size() == 1;
  }
  check(onlyTitles, "before their first showing, the pages behind hold only their titles");

  if (!check(writeState(kOutside),
             "the registry is changed from outside before the pages are shown")) {
    return false;
  }
  const std::string first = "on first showing its page";
  if (!bringToFront(pages, kExplorer) || !find(pages, {&c.infoTip, &c.network})) return false;
  expectBox(c.infoTip, false, first);
  expectBox(c.network, true, first);

  if (!bringToFront(pages, kActiveDesktop) || !find(pages, {&c.webFolders, &c.recycleMenu})) {
    return false;
  }
  expectBox(c.webFolders, false, first);
  check(ask(c.recycleMenu.window, CB_GETCOUNT) == 4,
        first + ": " + c.recycleMenu.name() + " offers four choices");
  expectShown(c.recycleMenu, kRecycleChoices[2], first);

  if (!bringToFront(pages, kFolders) || !find(pages, {&c.recycleName})) return false;
  expectShown(c.recycleName, kRecycled, first);

  expectState(kOutside, "after the pages were first shown");
  // The registry as prepared again, for the checks that follow.
  return check(writeState(kPrepared), "the registry is put back as prepared");
}

// Clicks a box as a user does and checks the box and the registry afterwards; `stored` is what
// the value holds then.
void clickBox(const Control& box, bool ticked, const RegEntry& e, const Stored& stored) {
  std::string when = std::string("after ") + (ticked ? "ticking " : "clearing ") + quoted(box.text);
  check(click(box.window), "click on " + quoted(box.text));
  expectBox(box, ticked, when);
  if (stored.noKey) {
    check(!keyExists(e), when + ": the key " + e.path + " is gone");
    return;
  }
  // A box bound to a key of its own creates the key when ticked.
  if (e.name.empty()) check(keyExists(e), when + ": the key " + e.path + " exists");
  expectStored(e, stored, when);
}

void checkBoxes(const Pages& pages, const SettingControls& c) {
  if (bringToFront(pages, kExplorer)) {
    clickBox(c.infoTip, true, kShowInfoTip, dword(1));
    clickBox(c.infoTip, false, kShowInfoTip, dword(0));
  }
  if (bringToFront(pages, kControlPanel)) {
    clickBox(c.devices, false, kNoDevMgrPage, dword(1));
    clickBox(c.devices, true, kNoDevMgrPage, absent());
  }
  if (bringToFront(pages, kActiveDesktop)) {
    clickBox(c.webFolders, true, kWebFolders, textValue(""));
    clickBox(c.webFolders, false, kWebFolders, noKey());
  }
}

// The closed drop-down list turns the down arrow into the next choice and tells its frame, as
// when the user presses the key with the list focused.
void checkChoice(const SettingControls& c) {
  const std::string when = "after the down arrow in " + quoted(c.recycleMenu.text);
  const Stored expected = binary({0x70, 0x01, 0x00, 0x20});
  PostMessageA(c.recycleMenu.window, WM_KEYDOWN, VK_DOWN, 0x00500001);
  PostMessageA(c.recycleMenu.window, WM_KEYUP, VK_DOWN, 0xC0500001);
  waitUntil([&] { return read(kRecycleAttributes) == expected; }, 5000);
  expectShown(c.recycleMenu, kRecycleChoices[3], when);
  expectStored(kRecycleAttributes, expected, when);
}

// Types a new name into the "Recycled Bin" field over its selected text, one character at a
// time; every keystroke writes the text so far to both names of the class key.
void checkTyping(const SettingControls& c) {
  const char typed[] = "Мусор";
  const RegEntry* const names[] = {&kRecycleName, &kRecycleNameClasses};
  HWND field = c.recycleName.window;
  ask(field, EM_SETSEL, 0, -1);
  bool answered = true;
  std::string sofar, mismatch;
  for (const char* p = typed; *p != '\0'; ++p) {
    // The character as the keyboard delivers it: a Unicode WM_CHAR, whatever the code page.
    wchar_t wide = 0;
    MultiByteToWideChar(1251, 0, p, 1, &wide, 1);
    DWORD_PTR result = 0;
    answered = SendMessageTimeoutW(field, WM_CHAR, wide, 1, SMTO_NORMAL, kWaitMs, &result) != 0 &&
               answered;
    sofar += *p;
    for (const RegEntry* e : names) {
      Stored found = read(*e);
      if (found != textValue(sofar) && mismatch.empty()) {
        mismatch = " (after " + quoted(sofar) + " " + e->path + " held " + describe(found) + ")";
      }
    }
  }
  const std::string when = "after typing " + quoted(typed) + " into " + quoted(c.recycleName.text);
  check(answered, c.recycleName.name() + " took every keystroke");
  check(mismatch.empty(),
        when + ": every keystroke wrote the text so far to both names of the class key" + mismatch);
  expectShown(c.recycleName, typed, when);
  for (const RegEntry* e : names) expectStored(*e, textValue(typed), when);
}

// Changes made by another program show after "Обновить данные", and the refresh writes nothing.
void checkRefreshReads(HWND main, const SettingControls& c) {
  writeState(kBeforeRefresh);
  const std::string when = "after the refresh";
  // F5, the accelerator of "Обновить данные", as the keyboard delivers it to the message loop.
  PostMessageA(main, WM_KEYDOWN, VK_F5, 0x003F0001);
  PostMessageA(main, WM_KEYUP, VK_F5, static_cast<LPARAM>(0xC03F0001));
  check(waitUntil([&] { return ask(c.password.window, BM_GETCHECK) == BST_CHECKED; }) &&
            send(main, WM_NULL),
        "F5 runs \"Обновить данные\" after changes made outside the program");
  for (const Control* box : {&c.password, &c.infoTip, &c.devices, &c.network}) {
    expectBox(*box, true, when);
  }
  expectBox(c.webFolders, false, when);
  expectShown(c.recycleName, kRecycled, when);
  expectShown(c.recycleMenu, kRecycleChoices[0], when);
  expectState(kBeforeRefresh, when);
}

int runSettings(const std::string& exe, const char* desktop) {
  // Declared before the program, so that a program that did not end is terminated before the
  // registry is put back.
  RegistryRestore restore;
  if (!prepareRegistry()) return finish();
  Program program;
  if (!program.start(exe, desktop)) return finish() | 1;
  HWND main = waitForMain(program);
  if (main == nullptr) return finish();

  Pages pages;
  SettingControls controls;
  if (findPages(main, pages) && checkStartState(main, pages, controls)) {
    checkBoxes(pages, controls);
    if (bringToFront(pages, kActiveDesktop)) checkChoice(controls);
    if (bringToFront(pages, kFolders)) checkTyping(controls);
    checkRefreshReads(main, controls);
  }
  checkExit(program, main);
  return finish();
}

// ---- any other platform: the platform message ---------------------------------------------

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
  HWND ok = nullptr;
  int visibleButtons = 0;
  for (HWND child : descendants(box)) {
    if (!sameClass(child, "Button") || !IsWindowVisible(child)) continue;
    ++visibleButtons;
    if (GetDlgCtrlID(child) == IDOK) ok = child;
  }
  check(ok != nullptr && visibleButtons == 1, "its only button is OK");
  check(findTop(pid, kSplashTitle, false) != nullptr, "the splash window is up behind the message");

  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
  watch([&] { return !program.running(); });
  check(!program.running(), "the program ends after OK");
  check(!mainShown, "the main window is never shown");
  return finish();
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
  HWND window = nullptr;
  bool shown = waitUntil(
      [&] {
        window = FindWindowA(nullptr, title.c_str());
        return window != nullptr && IsWindowVisible(window) && !sameClass(window, kDialogClass);
      },
      seconds * 1000);
  if (!shown) {
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
  waitUntil([&] { return (desktop = OpenDesktopA(name, 0, FALSE, GENERIC_ALL)) != nullptr; });
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
