// The pages' registry-bound controls as a user drives them, one row each: the page, the user's
// action on a control, what the registry (and control.ini) holds before start-up, what the action
// changes, and what the controls show then. The host tests run every row on the headless main
// window with the in-memory registry (tests/host/ui_cases_test.cpp), the Wine driver on the real
// vireo.exe with Wine's registry (driver.exe cases). Plain data: neither side links the other.
//
// A row whose action is a reading (start-up, the refresh, a page switch) checks a fill: `after` is
// stored from outside just before it. A row of a user's action can name the reading that shows
// its `after` again (`mirror`): it then runs a second time as that fill.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace vireo::cases {

enum class Page { kControlPanel, kExplorer, kActiveDesktop, kFolders, kFiles };

// What a value holds; texts byte for byte in the code page the side is built for. Nothing stored
// matches a missing key as well (Matches), unless the key itself must be gone.
struct Stored {
  enum Kind { kAbsent, kNoKey, kText, kNumber, kBinary } kind = kAbsent;
  std::string data = {};  // the text, or the bytes (a number's four, lowest first)
  bool operator==(const Stored&) const = default;
};
Stored None();  // no value; its key may be there
Stored Gone();  // no key, and nothing below it
Stored Txt(std::string text);
Stored Num(std::uint32_t number);
Stored Bin(std::initializer_list<unsigned char> bytes);
std::string Describe(const Stored& value);
bool Matches(const Stored& found, const Stored& wanted);

// A value named as the catalogue names it: ROOT\Key\...\Name (HKCU, HKLM, HKCR), the key's
// default value when the path ends in a backslash. "control.ini\NAME" is the key NAME of the
// section "Don't Load" of control.ini in the Windows directory. "%WINDOWS%", "%WINDOWS_UPPER%"
// (in capitals) and "%SYSTEM%" stand for the Windows and System directories.
struct Value {
  std::string path;
  Stored stored;
};
inline constexpr char kIniPrefix[] = "control.ini\\";
inline constexpr char kDontLoad[] = "Don't Load";

enum Act {
  kNone,        // (no mirror)
  kStart,       // start-up alone
  kRefresh,     // "Обновить данные"
  kPageSwitch,  // another page to the front, then the row's page again
  kAway,        // another page to the front, which must not read the row's page
  kClick,       // a check box or a push button
  kChoose,      // item `item` of a drop-down list, reached with the arrow keys
  kType,        // `text` typed at the end of a text box, one character at a time
  kBackspace,   // `item` characters taken back at the end of a text box
  kToggle,      // the check mark of item `item` of a check list
  kStep,        // an arrow of a scroll bar: `item` -1 the upper one, +1 the lower one
};
struct Action {
  Act act = kNone;
  int control = 0;
  int item = 0;
  std::string text = {};
};

// What a control shows: a check box, or item `item` of a check list, "ticked" or "cleared"; a
// scroll bar its position; a drop-down list its current item ("" for none); others their text.
// With `tip`, the text of its tooltip (of the item under the pointer), checked on the host: the
// Wine driver's tooltips scenario rests the pointer on controls of its own.
struct Shown {
  int control = 0;
  int item = -1;
  std::string text = {};
  bool tip = false;
};

struct UiCase {
  std::string name = {};
  Page page = Page::kControlPanel;
  Action action = {};
  std::vector<Value> before = {};  // stored before start-up; nothing else is prepared
  std::vector<Value> after = {};   // what the action changes; what a reading finds stored
  std::vector<Shown> shows = {};   // afterwards; before a reading the first shows otherwise
  Act mirror = kNone;
  bool keeps = false;        // a reading that must not read: the first shown stays the same
  std::string file = {};     // a file made before start-up
  std::string refuses = {};  // a value, or a key with all below ("...\*"), that refuses changes
};

// Every row, with the mirrored fills, each named after its page, action and values; paths and
// texts as written, placeholders kept. The rows are in ui_rows.cpp.
std::vector<UiCase> UiCases();
std::vector<UiCase> Rows();

std::string Expand(const std::string& text, const std::string& windows, const std::string& system);
std::string Upper(std::string text);  // ASCII letters only
const char* ActName(Act act);         // "click", "choose", ... as the user's actions are named
// The ini key of a control.ini path; "" for a registry path.
std::string IniKey(const std::string& path);
// Every path that a row names, once: what the Wine driver watches.
std::vector<std::string> WatchedPaths(const std::vector<UiCase>& rows);
// Whether a row needs the program started afresh on its values rather than one that ran other
// rows and read them with the refresh: a row that reads at start-up or must not read, one that
// needs a file at start-up, one on a control the refresh does not read back both ways.
bool NeedsStart(const UiCase& row);
int PageButton(Page page);  // the control id of the page's button

// A runner's program and registry; paths and texts as the rows write them.
class Side {
 public:
  virtual ~Side() = default;
  virtual std::string Expand(const std::string& text) = 0;
  virtual Stored Read(const std::string& path) = 0;
  virtual bool Store(const std::vector<Value>& values) = 0;  // from outside the program
  virtual std::string Show(const Shown& shown) = 0;
  virtual bool ToFront(Page page) = 0;
  virtual bool Refresh() = 0;
  virtual bool Perform(const Action& action) = 0;

  Stored Expanded(Stored value);
  std::vector<Value> Snapshot(const std::vector<std::string>& paths);
  // With the row's page in front: the row's reading or action, with what must hold before it;
  // then `expected` (taken before start-up) changed by `after` must be stored, and the controls
  // show what the row says (tooltips with `tips`). Every difference, each after "; ".
  std::string Check(const UiCase& row, std::vector<Value> expected, bool tips);
};

}  // namespace vireo::cases
