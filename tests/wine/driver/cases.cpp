// driver.exe cases: every row of tests/cases/ui_cases.h on the real vireo.exe with Wine's
// registry. For each row the values that any row names are put back as the prefix had them, the
// row's values are stored (control.ini is written whole), the program is started on them (or,
// when the row allows it, the program that ran the rows before reads them with "Обновить
// данные", which saves a start), its page brought to the front, and the user's action made as a
// user makes it (a click, the arrow keys in a drop-down list, characters typed, a scroll bar's
// arrow) or the reading asked for
// ("Обновить данные" by its command id, a page switch by the page buttons). Then every watched
// value must hold what it held at start-up, changed only by the row's `after`, and the controls
// must show what the row says. One check line per row, with every difference found.
#include <algorithm>
#include <map>
#include <memory>

#include "cases/ui_cases.h"
#include "driver.h"

namespace driver {

namespace {

namespace cases = vireo::cases;
using cases::Act;
using cases::UiCase;

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return text;
}

std::string expand(const std::string& text) {
  char windows[MAX_PATH] = "", system[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, sizeof windows);
  GetSystemDirectoryA(system, sizeof system);
  return cases::Expand(text, windows, system);
}

cases::Stored expanded(cases::Stored stored) {
  if (stored.kind == cases::Stored::kText) stored.data = expand(stored.data);
  return stored;
}

// Nothing stored matches a missing key as well, unless the key itself must be gone.
bool same(const cases::Stored& found, const cases::Stored& wanted) {
  if (wanted.kind == cases::Stored::kAbsent) return found.kind <= cases::Stored::kNoKey;
  return found == wanted;
}

cases::Stored readValue(const std::string& path) {
  if (const std::string key = cases::IniKey(path); !key.empty()) {
    const std::string value = dontLoad(key.c_str());
    return value == "(missing)" ? cases::Absent() : cases::Text(value);
  }
  const Stored found = read(entry(expand(path)));
  if (found.noKey) return cases::NoKey();
  if (!found.present) return cases::Absent();
  const auto kind = found.type == REG_SZ      ? cases::Stored::kText
                    : found.type == REG_DWORD ? cases::Stored::kNumber
                                              : cases::Stored::kBinary;
  return {kind, found.data};
}

bool writeValue(const std::string& path, const cases::Stored& value) {
  const cases::Stored v = expanded(value);
  const DWORD type = v.kind == cases::Stored::kText     ? REG_SZ
                     : v.kind == cases::Stored::kNumber ? REG_DWORD
                                                        : REG_BINARY;
  Stored stored{v.kind > cases::Stored::kNoKey, type, v.data, v.kind == cases::Stored::kNoKey};
  return write(entry(expand(path)), stored);
}

// control.ini is written whole: its section "Don't Load" with `keys`, or no file without them.
bool writeIni(const std::map<std::string, std::string>& keys) {
  std::string text = "[" + std::string(cases::kDontLoad) + "]\r\n";
  for (const auto& [key, value] : keys) text += key + "=" + value + "\r\n";
  return writeFile(controlIni(), {!keys.empty(), text});
}

class Runner {
 public:
  Runner(const std::string& exe, const char* desktop) : exe_(exe), desktop_(desktop) {
    watched_ = cases::WatchedPaths(rows_);
    for (const std::string& path : watched_) {
      if (cases::IniKey(path).empty()) baseline_[path] = read(entry(expand(path)));
    }
    ini_ = readFile(controlIni());
  }
  // The program ended and the prefix as it was.
  ~Runner() {
    end();
    restore();
  }

  void run() {
    int refusing = 0;
    for (const UiCase& row : rows_) {
      row.refuses.empty() ? runRow(row) : void(++refusing);
    }
    say("note: %d rows whose change the registry refuses run on the host only", refusing);
  }

 private:
  void restore() {
    for (const auto& [path, value] : baseline_) write(entry(expand(path)), value);
    writeFile(controlIni(), ini_);
  }

  std::map<std::string, cases::Stored> snapshot() {
    std::map<std::string, cases::Stored> values;
    for (const std::string& path : watched_) values[lower(path)] = readValue(path);
    return values;
  }

  // Stores `values`; control.ini's keys join `ini` and the file is written again.
  bool store(const std::vector<cases::Value>& values, std::map<std::string, std::string>* ini) {
    bool ok = true, ini_named = false;
    for (const cases::Value& value : values) {
      if (const std::string key = cases::IniKey(value.path); !key.empty()) {
        ini_named = true;
        if (value.stored.kind == cases::Stored::kText) {
          (*ini)[key] = value.stored.data;
        } else {
          ini->erase(key);
        }
      } else {
        ok = writeValue(value.path, value.stored) && ok;
      }
    }
    return ini_named ? writeIni(*ini) && ok : ok;
  }

  std::string shown(const cases::Shown& s) {
    HWND control = byId(main_, s.control);
    if (control == nullptr) return "<no control>";
    if (sameClass(control, "ListBox")) return itemState(control, s.item);
    if (sameClass(control, "Button")) return boxState(control);
    if (sameClass(control, "ScrollBar")) return std::to_string(ask(control, SBM_GETPOS));
    return shownText(control);
  }

  bool toFront(cases::Page page) {
    return click(byId(main_, IDC_PAGE_BUTTON_FIRST + static_cast<int>(page)));
  }

  // The arrow keys, as the keyboard delivers them to the closed list, down to the item.
  static bool choose(HWND list, int item) {
    LRESULT current = ask(list, CB_GETCURSEL);
    if (current < 0) {
      pressKey(list, VK_HOME);
      current = 0;
    }
    for (; current < item; ++current) pressKey(list, VK_DOWN);
    for (; current > item; --current) pressKey(list, VK_UP);
    return waitUntil([&] { return ask(list, CB_GETCURSEL) == item; }, 5000) && send(list, WM_NULL);
  }

  // Characters typed at the end of the box; a backspace is the character 8.
  static bool typeAtEnd(HWND box, const std::string& text) {
    const LRESULT length = ask(box, WM_GETTEXTLENGTH);
    ask(box, EM_SETSEL, length, length);
    return typeText(box, text);
  }

  bool perform(const UiCase& row) {
    HWND control = byId(main_, row.control);
    if (control == nullptr) return false;
    switch (row.act) {
      case Act::kClick:
        return click(control);
      case Act::kChoose:
        return choose(control, row.item);
      case Act::kType:
        return typeAtEnd(control, row.text);
      case Act::kBackspace:
        return typeAtEnd(control, std::string(static_cast<size_t>(row.item), '\b'));
      case Act::kToggle:
        return clickItem(control, row.item, kBoxX);
      case Act::kStep:
        // A click on an arrow reaches the program as the bar tells its parent.
        return send(GetParent(control), WM_VSCROLL, row.item < 0 ? SB_LINEUP : SB_LINEDOWN,
                    reinterpret_cast<LPARAM>(control));
      default:
        return false;
    }
  }

  // The reading or the action of the row, with what must hold beforehand; problems go to `wrong`.
  void act(const UiCase& row, std::map<std::string, std::string>* ini, std::string* wrong) {
    if (row.act == Act::kStart) return;
    if (cases::IsReading(row.act)) {
      if (row.act == Act::kPageSwitch) {
        toFront(row.page == cases::Page::kControlPanel ? cases::Page::kExplorer
                                                       : cases::Page::kControlPanel);
      }
      const std::string first = shown(row.shows[0]), wanted = expand(row.shows[0].text);
      if ((first == wanted) != row.keeps) *wrong += "; beforehand it shows " + quoted(first);
      if (!store(row.after, ini)) *wrong += "; the values from outside were not stored";
      const bool done =
          row.act == Act::kRefresh ? send(main_, WM_COMMAND, IDM_FILE_REFRESH) : toFront(row.page);
      if (!done) *wrong += "; the program did not answer";
      return;
    }
    for (const cases::Value& value : row.after) {
      if (same(readValue(value.path), expanded(value.stored))) {
        *wrong += "; beforehand " + value.path + " holds it already";
      }
    }
    if (!perform(row)) *wrong += "; the program did not take the action";
  }

  // Starts the program afresh when the row needs it or the last one is gone; otherwise the
  // running program reads the row's values with the refresh. False when it is not there.
  bool ready(bool fresh) {
    if (!fresh && program_ && program_->running() && main_ != nullptr) {
      return send(main_, WM_COMMAND, IDM_FILE_REFRESH);
    }
    program_ = std::make_unique<Program>();
    main_ = startMain(*program_, exe_, desktop_);
    return main_ != nullptr;
  }

  void end() {
    if (program_ && main_ != nullptr) checkExit(*program_, main_);
    program_.reset();
    main_ = nullptr;
  }

  void runRow(const UiCase& row) {
    const bool fresh = cases::NeedsStart(row);
    if (fresh) end();
    restore();
    std::map<std::string, std::string> ini;
    const bool prepared =
        (row.file.empty() || writeFile(expand(row.file), {true, "MZ"})) && store(row.before, &ini);
    auto expected = snapshot();
    std::string wrong = prepared ? "" : "; the row's values were not stored";
    if (ready(fresh)) {
      if (!toFront(row.page)) wrong += "; its page did not come to the front";
      act(row, &ini, &wrong);
      for (auto& [path, value] : expected) {
        if (value.kind == cases::Stored::kNoKey) value = cases::Absent();
      }
      for (const cases::Value& value : row.after) {
        if (value.stored.kind == cases::Stored::kNoKey) {
          for (const std::string& path : watched_) {
            if (cases::Below(path, value.path)) expected[lower(path)] = cases::Absent();
          }
        }
        expected[lower(value.path)] = expanded(value.stored);
      }
      const auto found = snapshot();
      for (const std::string& path : watched_) {
        const cases::Stored& want = expected[lower(path)];
        const cases::Stored& got = found.at(lower(path));
        if (!same(got, want)) {
          wrong +=
              "; " + path + " holds " + cases::Describe(got) + ", not " + cases::Describe(want);
        }
      }
      for (const cases::Shown& s : row.shows) {
        const std::string now = shown(s), want = expand(s.text);
        if (now != want) {
          wrong += "; control " + std::to_string(s.control) +
                   (s.item >= 0 ? " item " + std::to_string(s.item) : "") + " shows " +
                   quoted(now) + ", not " + quoted(want);
        }
      }
    } else {
      wrong += "; the program is not there";
    }
    if (!row.file.empty()) writeFile(expand(row.file), {});
    check(wrong.empty(), row.name, wrong.empty() ? "" : wrong.substr(2));
  }

  const std::vector<UiCase> rows_ = cases::UiCases();
  std::vector<std::string> watched_;
  std::map<std::string, Stored> baseline_;
  FileBytes ini_;
  const std::string exe_;
  const char* desktop_;
  std::unique_ptr<Program> program_;
  HWND main_ = nullptr;
};

}  // namespace

int runCases(const std::string& exe, const char* desktop) {
  {
    Runner runner(exe, desktop);
    runner.run();
  }
  return finish();
}

}  // namespace driver
