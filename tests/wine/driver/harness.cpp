#include "harness.h"

#include <cstdarg>
#include <cstdio>

#include "resource.h"

namespace driver {

const char kMainTitle[] = "Vireo";
const char kSplashTitle[] = "Vireo 1.00 loading...";
const char kPlatformMessage[] =
    "Vireo требует наличия установленной и запущенной ОС Windows 9x (95/98/Me). "
    "Продолжение работы невозможно.";

namespace {

constexpr DWORD kPollMs = 5;
const char kDialogClass[] = "#32770";

// One run checks one program, so the counts are the driver's own.
int passed = 0;
int failed = 0;

BOOL CALLBACK collectWindow(HWND window, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

}  // namespace

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

bool check(bool ok, const std::string& what) {
  say("%s: %s", ok ? "ok" : "FAIL", what.c_str());
  (ok ? passed : failed)++;
  return ok;
}

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

bool waitUntil(const std::function<bool()>& done, DWORD ms) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= ms) return false;
    Sleep(kPollMs);
  }
  return true;
}

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

std::vector<HWND> descendants(HWND root) {
  std::vector<HWND> found;
  EnumChildWindows(root, collectWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND byId(HWND root, int id) {
  for (HWND child : descendants(root)) {
    if (GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

HWND findChild(HWND root, const char* cls, std::string_view text) {
  for (HWND child : descendants(root)) {
    if ((cls == nullptr || sameClass(child, cls)) && windowText(child) == text) return child;
  }
  return nullptr;
}

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

HWND findTop(DWORD pid, std::string_view title, bool dialog) {
  for (HWND window : topWindows(pid)) {
    if (IsWindowVisible(window) && sameClass(window, kDialogClass) == dialog &&
        windowText(window) == title) {
      return window;
    }
  }
  return nullptr;
}

bool send(HWND window, UINT message, WPARAM w, LPARAM l, DWORD_PTR* result) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, message, w, l, SMTO_NORMAL, kWaitMs,
                             result ? result : &ignored) != 0;
}

LRESULT ask(HWND window, UINT message, WPARAM w, LPARAM l) {
  DWORD_PTR result = 0;
  return send(window, message, w, l, &result) ? static_cast<LRESULT>(result) : -1;
}

// The desktop may still be on its way (Wine's explorer creates it), so the driver waits for it.
bool useDesktop(const char* name) {
  HDESK desktop = nullptr;
  waitUntil([&] { return (desktop = OpenDesktopA(name, 0, FALSE, GENERIC_ALL)) != nullptr; });
  if (desktop == nullptr || !SetThreadDesktop(desktop)) {
    say("FAIL: cannot use the desktop %s (error %lu)", name, GetLastError());
    return false;
  }
  return true;
}

Program::~Program() {
  if (info_.hProcess == nullptr) return;
  if (running()) {
    say("note: the program was still running; it is terminated");
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool Program::start(const std::string& exe, const char* desktop) {
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

bool Program::running() const {
  return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Program::waitExit(DWORD ms) const {
  return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0;
}

DWORD Program::exitCode() const {
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

HWND waitForMain(const Program& program, bool* sawSplash) {
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
  if (main != nullptr) ask(main, WM_NULL);  // whatever the program still had queued is done
  return main;
}

bool checkExit(const Program& program, HWND main) {
  PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_FILE_EXIT, 0), 0);
  return check(program.waitExit(kWaitMs),
               "\"Выход\" (command " + std::to_string(IDM_FILE_EXIT) + ") ends the program");
}

}  // namespace driver
