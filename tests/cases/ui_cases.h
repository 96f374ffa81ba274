// The pages' registry-bound controls as a user drives them, one row each: the page, the control,
// the user's action, what the registry (and control.ini) holds before start-up, what it holds
// after the action, and what the controls show then. The same rows run twice: on the headless
// main window with the in-memory registry (tests/host/ui_cases_test.cpp), and on the real
// vireo.exe with Wine's registry (driver.exe cases, tests/wine/driver/cases.cpp). This file and
// its rows are plain data: both sides compile them, and neither links the other's code.
//
// A row whose action is a reading (start-up, the refresh, a page switch) checks a fill: `after`
// is stored from outside just before it, and the controls must show it. A row of a user's action
// can name the reading that shows its `after` again (`mirror`): it then runs a second time as
// that fill.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace vireo::cases {

// The pages, in the order of their buttons.
enum class Page { kControlPanel, kExplorer, kActiveDesktop, kFolders, kFiles };

// What a value holds. Texts are compared byte for byte, in the code page the side is built for.
struct Stored {
  enum Kind { kAbsent, kNoKey, kText, kNumber, kBinary };
  Kind kind = kAbsent;
  std::string data;  // the text, or the bytes (a number's four, lowest first)
  bool operator==(const Stored&) const = default;
};
Stored Absent();  // no value; its key may be there
Stored NoKey();   // no key, and nothing below it
Stored Text(std::string text);
Stored Number(std::uint32_t number);
Stored Binary(std::initializer_list<unsigned char> bytes);
std::string Describe(const Stored& value);

// A value named as the catalogue names it: ROOT\Key\...\Name, the key's default value when the
// path ends in a backslash (roots HKCU, HKLM, HKCR). "control.ini\NAME" is the key NAME of the
// section "Don't Load" of control.ini in the Windows directory (a text, or absent). "%WINDOWS%"
// and "%SYSTEM%" stand for the Windows and System directories, "%WINDOWS_UPPER%" for the first in
// capitals.
struct Value {
  std::string path;
  Stored stored;
};
inline constexpr char kIniPrefix[] = "control.ini\\";
inline constexpr char kDontLoad[] = "Don't Load";

enum class Act {
  kNone,        // (a row's mirror only: none)
  kStart,       // start-up alone
  kRefresh,     // "Обновить данные"
  kPageSwitch,  // another page to the front, then the row's page again
  kClick,       // a check box or a push button
  kChoose,      // item `item` of a drop-down list, reached with the arrow keys
  kType,        // `text` typed at the end of a text box, one character at a time
  kBackspace,   // `item` characters taken back at the end of a text box
  kToggle,      // the check mark of item `item` of a check list
  kStep,        // an arrow of a scroll bar: -1 the upper one, +1 the lower one (`item`)
};
bool IsReading(Act act);

// What a control shows: a check box, or item `item` of a check list, "ticked" or "cleared"; a
// scroll bar its position; a drop-down list the text of its current item ("" for none); a text
// box or a label its text.
struct Shown {
  int control;
  int item = -1;
  std::string text = {};
};
Shown Ticked(int control, int item = -1);
Shown Cleared(int control, int item = -1);
Shown Shows(int control, std::string text);

struct UiCase {
  std::string name;
  Page page;
  Act act;
  int control = 0;  // the control acted on (none for a reading)
  int item = 0;
  std::string text = {};
  std::vector<Value> before;  // stored before start-up; nothing else is prepared
  std::vector<Value> after;   // what the action changes; what a reading finds stored from outside
  std::vector<Shown> shows;   // afterwards; for a reading the first must differ beforehand
  bool keeps = false;         // a reading that must not read: the first shown stays as it was
  std::string file;           // a file made before start-up, by its path ("" for none)
  // A value that refuses every change, or a key with everything below it (its path ending in
  // "\*"), so that the action fails and the control shows what is still stored. Only the
  // registry stand-in can refuse: the Wine driver passes these rows over.
  std::string refuses;
  Act mirror = Act::kNone;
};

// The user's actions, for the rows.
struct Action {
  Act act;
  int control = 0;
  int item = 0;
  std::string text = {};
};
Action Click(int control);
Action Choose(int control, int item);
Action Type(int control, std::string text);
Action Backspace(int control, int count = 1);
Action Toggle(int control, int item);
Action Step(int control, int delta);
Action Reading(Act act);

// Every row, the mirrored fills included, with the paths and texts as written (placeholders kept).
std::vector<UiCase> UiCases();
// The rows of each page (ui_cases_*.cpp).
std::vector<UiCase> ControlPanelRows();
std::vector<UiCase> ExplorerRows();
std::vector<UiCase> DesktopRows();
std::vector<UiCase> FoldersRows();
std::vector<UiCase> FilesRows();

// One row of `page`; the pages' files make their rows with it.
UiCase Row(Page page, std::string name, Action action, std::vector<Value> before,
           std::vector<Value> after, std::vector<Shown> shows, Act mirror = Act::kNone);
// The row of a reading that must not read.
inline UiCase Keeping(UiCase row) {
  row.keeps = true;
  return row;
}
// The row of an action whose change the registry refuses.
inline UiCase Refusing(std::string path, UiCase row) {
  row.refuses = std::move(path);
  return row;
}
// The row with a file made before start-up.
inline UiCase WithFile(std::string file, UiCase row) {
  row.file = std::move(file);
  return row;
}

// The placeholders of a path or a text replaced.
std::string Expand(const std::string& text, const std::string& windows, const std::string& system);

// A path split as the registry takes it; false for a control.ini path.
struct RegPath {
  std::string root;  // "HKCU", "HKLM" or "HKCR"
  std::string key;
  std::string name;  // "" for the default value
};
bool SplitPath(const std::string& path, RegPath* out);
// The ini key of a control.ini path; "" for a registry path.
std::string IniKey(const std::string& path);
// Whether the value at `path` lies in the key `key_path` (a path ending in a backslash) or below
// it, without regard to letter case.
bool Below(const std::string& path, const std::string& key_path);

// Whether a row needs a program started afresh on its values, rather than one that ran other rows
// and then read the row's values with the refresh: a row that reads at start-up or must not read,
// one that needs a file at start-up, and one on a control that the refresh does not read back
// both ways (the applet list, the icon size, the special folder, the two-pane box).
bool NeedsStart(const UiCase& row);

// Every path that a row names, once, in the order met: what the Wine driver watches.
std::vector<std::string> WatchedPaths(const std::vector<UiCase>& rows);

}  // namespace vireo::cases
