// driver.exe cases: every row of tests/cases/ui_cases.h on the real vireo.exe with Wine's
// registry. For each row every value that any row names is put back as the prefix had it, the
// row's values are stored (control.ini written whole), the program started on them (or, when the
// row allows, the program of the rows before reads them with "Обновить данные", which saves a
// start), the row's page brought to the front, and the action made as a user makes it: a click,
// the arrow keys in a closed drop-down list, characters typed, a scroll bar's arrow; or the reading
// asked for, the refresh by its command id, a page switch by the page buttons. Then every watched
// value must hold what it held at start-up, changed by the row's `after` only, and the controls
// show what the row says. One check line per row, naming every difference.
#include <map>
#include <memory>

#include "driver.h"

namespace driver {

namespace {

namespace cases = vireo::cases;
using cases::UiCase;

std::string expand(const std::string& text) {
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, sizeof system);
  return cases::Expand(text, windowsDirectory(), system);
}

Stored expanded(Stored value) {
  if (value.kind == Stored::kText) value.data = expand(value.data);
  return value;
}

Stored readValue(const std::string& path) {
  if (const std::string key = cases::IniKey(path); !key.empty()) {
    char value[256] = "";
    GetPrivateProfileStringA(cases::kDontLoad, key.c_str(), "\1", value, sizeof value,
                             controlIni().c_str());
    return value == std::string("\1") ? None() : Txt(value);
  }
  return read(expand(path));
}

class Runner {
 public:
  Runner(const std::string& exe, const char* desktop) : exe_(exe), desktop_(desktop) {
    for (const std::string& path : watched_) {
      if (cases::IniKey(path).empty()) baseline_[path] = read(expand(path));
    }
  }
  ~Runner() {
    end();
    restore();
  }

  void run() {
    int refusing = 0;
    for (const UiCase& row : rows_) row.refuses.empty() ? runRow(row) : void(++refusing);
    say("note: %d rows whose change the registry refuses run on the host only", refusing);
  }

 private:
  // The prefix as it was: the watched values and control.ini.
  void restore() {
    for (const auto& [path, value] : baseline_) write(expand(path), value);
    writeFile(controlIni(), ini_);
  }

  std::map<std::string, Stored> snapshot() {
    std::map<std::string, Stored> values;
    for (const std::string& path : watched_) values[lower(path)] = readValue(path);
    return values;
  }

  // Stores `values`; control.ini's keys join `ini_keys_`, and the file is written whole.
  bool store(const std::vector<cases::Value>& values) {
    bool ok = true, ini = false;
    for (const cases::Value& value : values) {
      if (const std::string key = cases::IniKey(value.path); !key.empty()) {
        ini = true;
        value.stored.kind == Stored::kText ? void(ini_keys_[key] = value.stored.data)
                                           : void(ini_keys_.erase(key));
      } else {
        ok = write(expand(value.path), expanded(value.stored)) && ok;
      }
    }
    if (!ini) return ok;
    std::string text = "[" + std::string(cases::kDontLoad) + "]\r\n";
    for (const auto& [key, value] : ini_keys_) text += key + "=" + value + "\r\n";
    return writeFile(controlIni(), {!ini_keys_.empty(), text}) && ok;
  }

  std::string shown(const cases::Shown& s) {
    HWND control = byId(main_, s.control);
    if (control == nullptr) return "<no control>";
    if (sameClass(control, "ListBox")) return itemState(control, s.item);
    if (sameClass(control, "Button")) return boxState(control);
    if (sameClass(control, "ScrollBar")) return std::to_string(ask(control, SBM_GETPOS));
    return shownText(control);
  }

  bool toFront(cases::Page page) { return click(byId(main_, cases::PageButton(page))); }

  bool perform(const cases::Action& a) {
    HWND control = byId(main_, a.control);
    const LRESULT length = ask(control, WM_GETTEXTLENGTH);
    LRESULT current = ask(control, CB_GETCURSEL);
    switch (a.act) {
      case cases::kClick:
        return click(control);
      case cases::kChoose:  // the arrow keys, as the keyboard delivers them, down to the item
        for (; current < a.item; ++current) pressKey(control, current < 0 ? VK_HOME : VK_DOWN);
        for (; current > a.item; --current) pressKey(control, VK_UP);
        return waitUntil([&] { return ask(control, CB_GETCURSEL) == a.item; }, 5000) &&
               send(control, WM_NULL);
      case cases::kType:  // at the end of the text; a backspace is the character 8
      case cases::kBackspace:
        ask(control, EM_SETSEL, length, length);
        return typeText(control, a.act == cases::kType ? a.text : std::string(a.item, '\b'));
      case cases::kToggle:
        return clickItem(control, a.item, kBoxX);
      case cases::kStep:  // an arrow reaches the program as the bar tells its parent
        return send(GetParent(control), WM_VSCROLL, a.item < 0 ? SB_LINEUP : SB_LINEDOWN,
                    reinterpret_cast<LPARAM>(control));
      default:
        return false;
    }
  }

  // The row's reading or action, with what must hold before it.
  void act(const UiCase& row, std::string* wrong) {
    const cases::Act act = row.action.act;
    if (act == cases::kRefresh || act == cases::kPageSwitch || act == cases::kAway) {
      if (act == cases::kPageSwitch) toFront(cases::OtherPage(row.page));
      const std::string first = shown(row.shows[0]);
      if ((first == expand(row.shows[0].text)) != row.keeps) *wrong += "; beforehand " + first;
      if (!store(row.after)) *wrong += "; the values from outside were not stored";
      const bool done = act == cases::kRefresh
                            ? send(main_, WM_COMMAND, IDM_FILE_REFRESH)
                            : toFront(act == cases::kAway ? cases::OtherPage(row.page) : row.page);
      if (!done) *wrong += "; no answer";
    } else if (act != cases::kStart) {
      for (const cases::Value& value : row.after) {
        if (cases::Matches(readValue(value.path), expanded(value.stored))) {
          *wrong += "; beforehand " + value.path + " holds it already";
        }
      }
      if (!perform(row.action)) *wrong += "; the program did not take the action";
    }
  }

  // A program started afresh, or the one that ran the rows before, which reads the row's values
  // with the refresh.
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
    ini_keys_.clear();
    std::string wrong;
    if (!(row.file.empty() || writeFile(expand(row.file), {true, "MZ"})) || !store(row.before)) {
      wrong = "; the row's values were not stored";
    }
    auto expected = snapshot();
    for (auto& [path, value] : expected) value = value == Gone() ? None() : value;
    if (ready(fresh) && toFront(row.page)) {
      act(row, &wrong);
      for (const cases::Value& value : row.after) {
        for (const std::string& path : watched_) {
          if (value.stored == Gone() && cases::Below(path, value.path))
            expected[lower(path)] = None();
        }
        expected[lower(value.path)] = expanded(value.stored);
      }
      const auto found = snapshot();
      for (const auto& [path, want] : expected) {
        if (cases::Matches(found.at(path), want)) continue;
        wrong += "; " + path + " holds " + cases::Describe(found.at(path)) + ", not " +
                 cases::Describe(want);
      }
      for (const cases::Shown& s : row.shows) {
        if (s.tip || shown(s) == expand(s.text)) continue;
        wrong += "; control " + std::to_string(s.control) + " " + std::to_string(s.item) +
                 " shows " + quoted(shown(s)) + ", not " + quoted(expand(s.text));
      }
    } else {
      wrong += "; the program or its page is not there";
    }
    if (!row.file.empty()) writeFile(expand(row.file), {});
    check(wrong.empty(), row.name, wrong.empty() ? "" : wrong.substr(2));
  }

  const std::vector<UiCase> rows_ = cases::UiCases();
  const std::vector<std::string> watched_ = cases::WatchedPaths(rows_);
  std::map<std::string, Stored> baseline_;
  const FileBytes ini_ = readFile(controlIni());
  std::map<std::string, std::string> ini_keys_;
  const std::string exe_;
  const char* desktop_;
  std::unique_ptr<Program> program_;
  HWND main_ = nullptr;
};

}  // namespace

int runCases(const std::string& exe, const char* desktop) {
  Runner(exe, desktop).run();
  return finish();
}

}  // namespace driver
