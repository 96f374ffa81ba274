// What every scenario of the driver shares: the report, waiting, and reaching the windows of the
// program under test, which runs in another process.
//
// Every check prints "ok: ..." or "FAIL: ...", and finish() prints the closing line
// "driver: N passed, M failed" that the scripts read. Texts are compared in code page 1251 (the
// driver's literals are compiled to it) and printed in UTF-8.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace driver {

constexpr DWORD kWaitMs = 30000;

// ---- the report -----------------------------------------------------------------------------

void say(const char* format, ...);
bool check(bool ok, const std::string& what);
// A check that tells what was found instead when it fails.
bool expect(bool ok, const std::string& what, const std::string& found);
// Prints the closing line; the exit code: 1 when a check failed.
int finish();
std::string quoted(std::string_view text);

// Polls until `done` holds or the time is up.
bool waitUntil(const std::function<bool()>& done, DWORD ms = kWaitMs);

// ---- windows of another process -------------------------------------------------------------

// The text the system keeps for a window; it sends nothing, so it never waits for the program.
std::string windowText(HWND window);
std::string className(HWND window);
bool sameClass(HWND window, const char* name);
std::vector<HWND> descendants(HWND root);
// The first descendant of `root` with this control id.
HWND byId(HWND root, int id);
// The first descendant of `root` of class `cls` (any class when null) whose text is `text`: for
// the system's message boxes, whose controls the program does not number.
HWND findChild(HWND root, const char* cls, std::string_view text);
// A visible top-level window of the process with this title, a dialog or not.
HWND findTop(DWORD pid, std::string_view title, bool dialog);
std::vector<HWND> topWindows(DWORD pid);

// Messages to the program go with a time limit, so that a hung program fails the check instead
// of hanging the driver.
bool send(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0, DWORD_PTR* result = nullptr);
// The answer to a message, or -1 when the program did not answer.
LRESULT ask(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0);

// Moves this thread to the named desktop, so that window searches see the windows there.
bool useDesktop(const char* name);

// ---- the program under test ---------------------------------------------------------------

extern const char kMainTitle[];
extern const char kSplashTitle[];
extern const char kPlatformMessage[];

class Program {
 public:
  Program() = default;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  // Terminates a program that is still running.
  ~Program();

  // Starts `exe` in its own directory, on `desktop` when one is named.
  bool start(const std::string& exe, const char* desktop);
  DWORD pid() const { return info_.dwProcessId; }
  bool running() const;
  bool waitExit(DWORD ms) const;
  DWORD exitCode() const;

 private:
  PROCESS_INFORMATION info_{};
};

// Waits for the main window of a program started in Windows 98 mode; a refusal or an early end
// is a failure. Tells whether the splash window was seen on the way.
HWND waitForMain(const Program& program, bool* sawSplash = nullptr);
// "Выход" by its command id; checks that the program ends.
bool checkExit(const Program& program, HWND main);

}  // namespace driver
