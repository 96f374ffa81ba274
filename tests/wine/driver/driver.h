// What the driver's scenarios share: reaching the windows of the program under test
// (which runs in another process), a user's input, the registry and files the program reads and
// writes, and the main window's shell.
//
// Texts are compared in code page 1251, as the driver's literals are compiled.
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

// ---- the report (report.h) ---------------------------------------------------------------

using report::check;
using report::say;
inline int finish() {
  return report::finish("driver");
}
std::string quoted(std::string_view text);
// Polls until `done` holds or the time is up.
bool waitUntil(const std::function<bool()>& done, DWORD ms = kWaitMs);

// ---- windows of another process -------------------------------------------------------------

// The text the system keeps for a window; it sends nothing, so it never waits for the program.
std::string windowText(HWND window);
bool sameClass(HWND window, const char* name);
std::vector<HWND> descendants(HWND root);
// The first descendant of `root` with this control id.
HWND byId(HWND root, int id);
std::vector<HWND> topWindows(DWORD pid);
// A visible top-level window of the process with this title, a dialog or not.
HWND findTop(DWORD pid, std::string_view title, bool dialog);
// Messages go with a time limit, so that a hung program fails the check instead of hanging the
// driver. `ask` gives the answer, or -1 when the program did not answer.
bool send(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0, DWORD_PTR* result = nullptr);
LRESULT ask(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0);

// ---- acting, and what the controls show ------------------------------------------------------
// Keys are posted, so that they pass the program's message loop (its accelerators and dialog
// keys) as the keyboard delivers them; a posted key is handled after any message the driver
// sends later, so what it changes is waited for. Mouse clicks are sent straight to the control
// (a button press and its release), so that they are handled when the call returns.

void pressKey(HWND window, UINT key);
// A push button's or check box's click.
bool click(HWND button);
// A click posted instead of sent, for a button whose handler opens a modal window: the handler
// returns only when that window has closed.
void clickLater(HWND button);
// Where item `index` of a list box is, `x` pixels from its left edge, as a mouse message's
// position; the list is scrolled to the item first when it is out of view.
LPARAM itemPoint(HWND list, int index, int x);
// A click on item `index` of a list box at `x` pixels from its left edge.
bool clickItem(HWND list, int index, int x);
constexpr int kBoxX = 8;    // inside the check mark at the left of a check list's item
constexpr int kTextX = 40;  // on the item's text
// Types `text` (code page 1251) into an edit box at its caret, one character at a time, as the
// keyboard delivers them: a Unicode WM_CHAR whatever the code page. `afterEach` runs after every
// character has been taken. False when the program did not take one.
bool typeText(HWND edit, std::string_view text, const std::function<void()>& afterEach = {});
// "ticked", "cleared" or "unknown": a check box, or an item of a check list (its item data).
const char* boxState(HWND box);
const char* itemState(HWND list, int index);
// The texts of a list box's items. Under Wine an item's text crosses processes only when asked
// for as UTF-16; it is converted to code page 1251 here.
std::vector<std::string> listItems(HWND list);
// The contents of an edit box, or the text of a drop-down list's selection (the text the system
// keeps for another process's edit box is not what the box shows).
std::string shownText(HWND field);

// ---- the program under test -----------------------------------------------------------------

extern const char kMainTitle[];
extern const char kSplashTitle[];

class Program {
 public:
  Program() = default;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  // Terminates a program that is still running.
  ~Program();
  // Starts `exe` in its own directory, on `desktop` when one is named; a failure is a failed
  // check.
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
// "Выход" by its command id; checks that the program ends.
bool checkExit(const Program& program, HWND main);

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
  std::string path;  // as written, for the messages
};
RegEntry entry(const std::string& path);

// What a registry value holds, in the words of the pages' case table: a text (without its closing
// null), a number, binary data, nothing, or no key at all.
using vireo::cases::Bin;
using vireo::cases::Gone;
using vireo::cases::None;
using vireo::cases::Num;
using vireo::cases::Stored;
using vireo::cases::Txt;

Stored read(const RegEntry& e);
// Stores the value, creating its key; None() deletes the value, Gone() the whole key.
bool write(const RegEntry& e, const Stored& value);

// The values that a scenario sets and watches, each with what it holds.
using State = std::map<const RegEntry*, Stored>;
bool writeState(const State& state);
// One check: every value holds what `state` says; the values that do not are listed.
bool expectState(const State& state, const std::string& what);

// A file's bytes, and whether it exists; writing one that does not exist deletes it.
struct FileBytes {
  bool exists = false;
  std::string data;
  bool operator==(const FileBytes&) const = default;
};
FileBytes readFile(const std::string& path);
bool writeFile(const std::string& path, const FileBytes& bytes);
// control.ini in the Windows directory, and a value of its section "Don't Load" ("(missing)").
std::string controlIni();
std::string dontLoad(const char* key);

// ---- the scenarios, one per mode of the command line; each returns the exit code ------------

// Windows 98 mode: the main window, its page buttons and pages, "Обновить данные", "Выход".
int runMain(const std::string& exe, const char* desktop);
// Any other platform: the platform message, then the end.
int runRefuse(const std::string& exe, const char* desktop);
// Windows 98 mode: what of the pages needs the real window: the pages made ahead in idle time,
// F5, the drive list by mouse and space bar, the toolbar background's preview on the screen.
int runPages(const std::string& exe, const char* desktop);
// Windows 98 mode: the Files page's New menu: an entry added, changed and deleted through the
// editor with its template file; showing the page writes nothing.
int runFiles(const std::string& exe, const char* desktop);
// Windows 98 mode: every row of the pages' case table (tests/cases/ui_cases.h).
int runCases(const std::string& exe, const char* desktop);

// Windows 98 mode: the commands of "Сервис", "Справка" and "Программы" by their command ids.
int runMenus(const std::string& exe, const char* desktop);

// tooltips.cpp: the tooltips of a restriction box and of applet list items.
int runTooltips(const std::string& exe, const char* desktop);
// Windows 98 mode: the tool windows: system information, its process and window lists (a Notepad
// ended through the process list), "О программе".
int runTools(const std::string& exe, const char* desktop);
// Windows 98 mode: the change journal: twenty changes, "Отменить все", the saved undo file.
int runJournal(const std::string& exe, const char* desktop);
// Windows 98 mode: every modal window ended in every way; the window under it is back at once.
int runModal(const std::string& exe, const char* desktop);
// search.cpp: "Найти параметр..." (Ctrl+F): a caption and an applet found, the jump to each;
// nothing written.
int runSearch(const std::string& exe, const char* desktop);
// The keys that the changes of the pages touch, read whole from outside, and control.ini's
// section "Don't Load", as text (journal.cpp).
std::string registrySnapshot();
// export.cpp: "Сохранить пользовательскую настройку" answered "Да", ending "ok", "error3" (the
// message of failure 3) or "kill" (the program ended from outside meanwhile).
int runExport(const std::string& exe, const std::string& ending, const char* desktop);

}  // namespace driver
