// What the driver's scenarios share: the windows of the program under test (another process), a
// user's input, the program itself and its main window's shell, the registry and files it reads
// and writes. Texts are compared in code page 1251, as the driver's literals are compiled. Keys
// are posted and clicks sent (docs/wine.md, "Input from another process").
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "../report.h"
#include "cases/ui_cases.h"
#include "resource.h"

namespace driver {

constexpr DWORD kWaitMs = 30000;
using report::check;
using report::same;
using report::say;
inline int finish() {
  return report::finish("driver");
}
inline std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}
inline std::string lower(std::string text) {
  for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  return text;
}
// Polls every `pollMs` until `done` holds or the time is up.
inline bool waitUntil(const std::function<bool()>& done, DWORD ms = kWaitMs, DWORD pollMs = 5) {
  for (DWORD start = GetTickCount(); !done(); Sleep(pollMs)) {
    if (GetTickCount() - start >= ms) return false;
  }
  return true;
}

// ---- windows of another process -------------------------------------------------------------

// The text the system keeps for a window; it sends nothing, so it never waits for the program.
std::string windowText(HWND window);
bool sameClass(HWND window, const char* name);
std::vector<HWND> descendants(HWND root);
HWND byId(HWND root, int id);  // the first descendant with this control id
std::vector<HWND> topWindows(DWORD pid);
inline POINT clientCentre(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.right / 2, r.bottom / 2};
}
// A visible top-level window of the process with this title (or one that begins with it), a
// dialog (class #32770) or not; `awaitTop` waits for one whose title begins with `title`.
HWND findTop(DWORD pid, std::string_view title, bool dialog, bool prefix = false);
HWND awaitTop(DWORD pid, std::string_view title, bool dialog = false, DWORD ms = kWaitMs);
// `awaitTop` as one check, `what` the check's text.
HWND expectTop(DWORD pid, std::string_view title, const std::string& what, bool dialog = false);
// Whether `window` or a window inside it shows `text` (message boxes do not number controls).
bool shows(HWND window, std::string_view text);
// Messages go with a time limit, so that a hung program fails the check instead of hanging the
// driver. `ask` gives the answer, or -1 when the program did not answer.
inline bool send(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0,
                 DWORD_PTR* result = nullptr) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, message, w, l, SMTO_NORMAL, kWaitMs,
                             result ? result : &ignored) != 0;
}
inline LRESULT ask(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0) {
  DWORD_PTR result = 0;
  return send(window, message, w, l, &result) ? static_cast<LRESULT>(result) : -1;
}
// A window's text (WM_GETTEXT) or a list box's item (LB_GETTEXT), asked for as UTF-16, which
// crosses processes whole under Wine, and given in code page 1251.
std::string askText(HWND window, UINT message, WPARAM item = 0);
std::vector<std::string> listItems(HWND list);
// The contents of an edit box, or the text of a drop-down list's selection (the text the system
// keeps for another process's edit box is not what the box shows).
std::string shownText(HWND field);
// "ticked", "cleared" or "unknown": a check box, or an item of a check list (its item data).
inline const char* tickState(LRESULT state) {
  return state == 1 ? "ticked" : state == 0 ? "cleared" : "unknown";
}
inline const char* boxState(HWND box) {
  return tickState(ask(box, BM_GETCHECK));
}
inline const char* itemState(HWND list, int index) {
  return tickState(ask(list, LB_GETITEMDATA, index));
}

// ---- acting ----------------------------------------------------------------------------------

void pressKey(HWND window, UINT key);
// Keys typed as the keyboard delivers them to the active window: pressed in order, released in
// the reverse order ({VK_CONTROL, 'F'} is Ctrl+F).
void typeKeys(std::initializer_list<WORD> keys);
double nowMs();  // a clock for the "time:" lines
inline bool click(HWND button) {
  return send(button, BM_CLICK);
}
// A click posted instead of sent, for a button whose handler opens a modal window: the handler
// returns only when that window has closed.
inline void clickLater(HWND button) {
  PostMessageA(button, BM_CLICK, 0, 0);
}
// A menu command, posted: the program may answer it with a modal window.
inline void postCommand(HWND window, int id) {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}
// A dialog's button pressed as its WM_COMMAND, posted; waits until the dialog is gone.
bool pressButton(HWND dialog, int id);
// A window's own closing button clicked (posted); waits until the window is gone.
bool closeWith(HWND window, int button);
// Where item `index` of a list box is, `x` pixels from its left edge, as a mouse message's
// position (the list scrolled to it first), and a click there.
LPARAM itemPoint(HWND list, int index, int x);
bool clickItem(HWND list, int index, int x);
constexpr int kBoxX = 8;    // inside the check mark at the left of a check list's item
constexpr int kTextX = 40;  // on the item's text
// Types `text` (code page 1251) into an edit box at its caret, one Unicode WM_CHAR a character,
// as the keyboard delivers them; `afterEach` runs after every character has been taken. False
// when the program did not take one.
bool typeText(HWND edit, std::string_view text, const std::function<void()>& afterEach = {});

// ---- the program under test -----------------------------------------------------------------

inline constexpr char kMainTitle[] = "Vireo";
inline constexpr char kSplashTitle[] = "Vireo 1.00 loading...";

class Program {
 public:
  Program() = default;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program();  // terminates a program that is still running
  // Starts `exe` in its own directory, on `desktop` when one is named; a failure is a failed check.
  bool start(const std::string& exe, const char* desktop);
  DWORD pid() const { return info_.dwProcessId; }
  bool running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
  bool waitExit(DWORD ms) const { return WaitForSingleObject(info_.hProcess, ms) == 0; }

 private:
  PROCESS_INFORMATION info_{};
};

// Starts the program in Windows 98 mode and waits for its main window; a refusal or an early end
// is a failure. Tells whether the splash window was seen on the way.
HWND startMain(Program& program, const std::string& exe, const char* desktop,
               bool* sawSplash = nullptr);
// The same after the scenario's preparation, which must have succeeded (`what` says what it was).
HWND startPrepared(Program& program, const std::string& exe, const char* desktop, bool prepared,
                   const std::string& what);
// "Выход" by its command id; checks that the program ends. `endProgram` checks before that the
// main window takes input and answers.
bool checkExit(const Program& program, HWND main);
bool endProgram(const Program& program, HWND main);

// ---- the main window's shell and controls ---------------------------------------------------

// The pages by their place among the buttons, and what the shell shows for each, from the
// program's table of pages.
enum PageIndex {
#define VIREO_PAGE(id, ...) id,
#include "pages.def"
#undef VIREO_PAGE
  kPageCount
};
struct PageShown {
  const char* caption;  // the button's
  const char* title;    // over the page
};
inline constexpr PageShown kPagesShown[] = {
#define VIREO_PAGE(id, factory, icon, icon_file, caption, title, help) {caption, title},
#include "pages.def"
#undef VIREO_PAGE
};

struct Shell {
  HWND main = nullptr;
  HWND buttons[kPageCount] = {};
  HWND frames[kPageCount] = {};
};
// Finds the page buttons and frames by their ids; checks that each is there with its caption and
// its title.
bool findShell(HWND main, Shell& shell);
// Checks that a user sees the page's frame, with its title, at the centre of the page area.
bool checkFront(const Shell& shell, int page, const std::string& when);
// Clicks the page's button and checks that the page came to the front.
bool bringToFront(const Shell& shell, int page);

// A control of the main window, found by its id.
struct Control {
  int id;
  std::string name;  // how the checks name it: "box "...""
  HWND window = nullptr;
};
// Finds the controls; checks that each is there and visible.
bool find(HWND main, std::initializer_list<Control*> controls);

// ---- the registry and files ---------------------------------------------------------------
// Read and written from outside in the 64-bit view (KEY_WOW64_64KEY), the view a 64-bit program
// and the 64-bit shell see, so that a write redirected to the 32-bit view is caught. The test
// prefix is a throwaway one, reset before every run: the scenarios prepare what they need and
// leave what they changed.

// One registry value named as the program's catalogue names it: ROOT\Key\...\Name, the key's
// default value when the path ends in a backslash.
struct RegEntry {
  HKEY root;
  std::string key;
  std::string name;  // empty: the default value
};
RegEntry entry(const std::string& path);

// What a registry value holds, in the words of the pages' case table: a text (without its closing
// null), a number, binary data, nothing, or no key at all.
using vireo::cases::Gone;
using vireo::cases::None;
using vireo::cases::Num;
using vireo::cases::Stored;
using vireo::cases::Txt;

Stored read(const std::string& path);
// Stores the value, creating its key; None() deletes the value, Gone() the whole key.
bool write(const std::string& path, const Stored& value);

// The values that a scenario sets and watches, by their paths, each with what it holds.
using State = std::map<std::string, Stored>;
bool writeState(const State& state);
// One check: every value holds what `state` says; the values that do not are listed.
bool expectState(const State& state, const std::string& what);

using report::FileBytes;
using report::readFile;
using report::writeFile;
std::string windowsDirectory();
// control.ini in the Windows directory.
std::string controlIni();

// ---- the scenarios, one per mode of the command line (driver.cpp); each returns the exit code

int runMain(const std::string& exe, const char* desktop);
int runRefuse(const std::string& exe, const char* desktop);
int runPages(const std::string& exe, const char* desktop);
int runFiles(const std::string& exe, const char* desktop);
int runCases(const std::string& exe, const char* desktop);
int runMenus(const std::string& exe, const char* desktop);
int runTooltips(const std::string& exe, const char* desktop);
int runTools(const std::string& exe, const char* desktop);
int runJournal(const std::string& exe, const char* desktop);
int runModal(const std::string& exe, const char* desktop);
int runSearch(const std::string& exe, const char* desktop);
// The keys that the changes of the pages touch, read whole from outside, and control.ini's
// section "Don't Load", as text (journal.cpp).
std::string registrySnapshot();
int runExport(const std::string& exe, const std::string& ending, const char* desktop);

}  // namespace driver
