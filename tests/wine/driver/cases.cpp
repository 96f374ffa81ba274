// driver.exe cases: every row of tests/cases/ui_cases.h on the real vireo.exe with Wine's
// registry, checked by cases::Side::Check. For each row every value that any row names is put back
// as the prefix had it, the row's values are stored (control.ini written whole), the program
// started on them (or, when the row allows, the one of the rows before reads them with
// "Обновить данные"), and the action made as a user makes it: a click, the arrow keys in a closed
// drop-down list, characters typed, a scroll bar's arrow. One check line per row.
#include <map>
#include <memory>

#include "driver.h"

namespace driver {

namespace {

namespace cases = vireo::cases;
using cases::UiCase;

class Runner : public cases::Side {
 public:
  Runner(const std::string& exe, const char* desktop) : exe_(exe), desktop_(desktop) {
    for (const std::string& path : watched_) {
      if (cases::IniKey(path).empty()) baseline_[path] = read(Expand(path));
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
    for (const auto& [path, value] : baseline_) write(Expand(path), value);
    writeFile(controlIni(), ini_);
  }

  std::string Expand(const std::string& text) override {
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    return cases::Expand(text, windowsDirectory(), system);
  }

  Stored Read(const std::string& path) override {
    if (const std::string key = cases::IniKey(path); !key.empty()) {
      char value[256] = "";
      GetPrivateProfileStringA(cases::kDontLoad, key.c_str(), "\1", value, sizeof value,
                               controlIni().c_str());
      return value == std::string("\1") ? None() : Txt(value);
    }
    return read(Expand(path));
  }

  // Stores `values`; control.ini's keys join `ini_keys_`, and the file is written whole.
  bool Store(const std::vector<cases::Value>& values) override {
    bool ok = true, ini = false;
    for (const cases::Value& value : values) {
      if (const std::string key = cases::IniKey(value.path); !key.empty()) {
        ini = true;
        value.stored.kind == Stored::kText ? void(ini_keys_[key] = value.stored.data)
                                           : void(ini_keys_.erase(key));
      } else {
        ok = write(Expand(value.path), Expanded(value.stored)) && ok;
      }
    }
    if (!ini) return ok;
    std::string text = "[" + std::string(cases::kDontLoad) + "]\r\n";
    for (const auto& [key, value] : ini_keys_) text += key + "=" + value + "\r\n";
    return writeFile(controlIni(), {!ini_keys_.empty(), text}) && ok;
  }

  std::string Show(const cases::Shown& s) override {
    HWND control = byId(main_, s.control);
    if (control == nullptr) return "<no control>";
    if (sameClass(control, "ListBox")) return itemState(control, s.item);
    if (sameClass(control, "Button")) return boxState(control);
    if (sameClass(control, "ScrollBar")) return std::to_string(ask(control, SBM_GETPOS));
    return shownText(control);
  }

  bool ToFront(cases::Page page) override { return click(byId(main_, cases::PageButton(page))); }
  bool Refresh() override { return send(main_, WM_COMMAND, IDM_FILE_REFRESH); }

  bool Perform(const cases::Action& a) override {
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

  // A program started afresh, or the one that ran the rows before, which reads the row's values
  // with the refresh.
  bool ready(bool fresh) {
    if (!fresh && program_ && program_->running() && main_ != nullptr) return Refresh();
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
    if (!(row.file.empty() || writeFile(Expand(row.file), {true, "MZ"})) || !Store(row.before)) {
      wrong = "; the row's values were not stored";
    }
    const std::vector<cases::Value> expected = Snapshot(watched_);
    if (ready(fresh) && ToFront(row.page)) {
      wrong += Check(row, expected, false);
    } else {
      wrong += "; the program or its page is not there";
    }
    if (!row.file.empty()) writeFile(Expand(row.file), {});
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
