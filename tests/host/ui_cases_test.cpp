// The rows of tests/cases/ui_cases.h on the headless main window with the in-memory registry: each
// on a program of its own started on the row's values. Afterwards the registry as a whole holds
// what the row stored plus its `after` and nothing else, control.ini's keys that any row names
// hold what the row says, the controls show what the row says, and no key is left open. Before an
// action every value of `after` holds something else; before a reading the first control shown
// shows something else (or, for a reading that must not read, the same).
#include <gtest/gtest.h>

#include <cctype>

#include "cases/ui_cases.h"
#include "fixture.h"
#include "user_actions.h"

namespace vireo {
namespace {

namespace cases = vireo::cases;

const std::vector<cases::UiCase>& Rows() {
  static const std::vector<cases::UiCase> rows = cases::UiCases();
  return rows;
}

class UiCaseTest : public test::MainWindowFixture,
                   public ::testing::WithParamInterface<std::size_t> {
 protected:
  std::string Expand(const std::string& text) {
    return cases::Expand(text, system.WindowsDirectory(), system.SystemDirectory());
  }
  std::string Data(const cases::Stored& stored) {
    return stored.kind == stored.kText ? Expand(stored.data) : stored.data;
  }
  std::string Ini() { return system.WindowsDirectory() + "\\control.ini"; }
  // The root and key of a registry path, and its value's name.
  platform::HKey At(const std::string& path, std::string* key, std::string* name) {
    std::string root;
    EXPECT_TRUE(cases::SplitPath(Expand(path), &root, key, name)) << path;
    return root == "HKCU" ? kCurrentUser : root == "HKLM" ? kLocalMachine : kClassesRoot;
  }

  // Stores a value in `registry`; control.ini belongs to `memory`'s side only.
  void Store(platform::MemoryRegistry& registry, const cases::Value& value) {
    const cases::Stored& stored = value.stored;
    if (const std::string key = cases::IniKey(value.path); !key.empty()) {
      if (&registry != &memory) return;
      stored.kind == stored.kText ? profile.WriteString(cases::kDontLoad, key, stored.data, Ini())
                                  : profile.DeleteKey(cases::kDontLoad, key, Ini());
      return;
    }
    std::string key, name;
    const platform::HKey root = At(value.path, &key, &name);
    platform::HKey handle = 0;
    if (stored.kind == stored.kNoKey) {
      registry.DeleteKey(root, key);
    } else if (stored.kind == stored.kAbsent) {
      if (registry.OpenKey(root, key, platform::kKeyAllAccess3F, &handle) != 0) return;
      registry.DeleteValue(handle, name);
      registry.CloseKey(handle);
    } else {
      const std::string data = Data(stored);
      const int types[] = {0, 0, platform::kRegSz, platform::kRegDword, platform::kRegBinary};
      registry.Put(root, key, name, types[stored.kind], {data.begin(), data.end()});
    }
  }

  cases::Stored Read(const std::string& path) {
    if (const std::string key = cases::IniKey(path); !key.empty()) {
      const std::string value = profile.GetString(cases::kDontLoad, key, "\x01", Ini());
      return value == "\x01" ? cases::None() : cases::Txt(value);
    }
    std::string key, name;
    const platform::HKey root = At(path, &key, &name);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (!memory.Exists(root, key)) return cases::Gone();
    if (!memory.Get(root, key, name, &type, &data)) return cases::None();
    const auto kind = type == platform::kRegSz      ? cases::Stored::kText
                      : type == platform::kRegDword ? cases::Stored::kNumber
                                                    : cases::Stored::kBinary;
    return {kind, std::string(data.begin(), data.end())};
  }

  // The value, or the key (made first, in `expected` too), refuses every change.
  void Refuse(const std::string& path, platform::MemoryRegistry* expected) {
    std::string key, name;
    const platform::HKey root = At(path, &key, &name);
    if (name != "*") return memory.ProtectValue(root, key, name);
    memory.Protect(root, key);
    platform::HKey handle = 0;
    bool created = false;
    expected->CreateKey(root, key, platform::kKeyAllAccess3F, &handle, &created);
    expected->CloseKey(handle);
  }

  // What a control shows, in the words of cases::Shown.
  std::string Shown(const cases::Shown& shown) {
    ui::headless::Node* node = Main().FindId(shown.control);
    if (shown.tip) {
      if (auto* list = dynamic_cast<HCheckList*>(node)) return list->ItemTooltipText(shown.item);
      if (auto* box = dynamic_cast<HCheckBox*>(node)) return box->TooltipText();
      if (auto* text = dynamic_cast<HTextBox*>(node)) return text->TooltipText();
    }
    if (auto* list = dynamic_cast<HCheckList*>(node)) {
      return list->ItemChecked(shown.item) ? "ticked" : "cleared";
    }
    if (auto* box = dynamic_cast<HCheckBox*>(node)) return box->Checked() ? "ticked" : "cleared";
    if (auto* bar = dynamic_cast<HScrollBar*>(node)) return std::to_string(bar->Value());
    if (auto* list = dynamic_cast<HDropDown*>(node)) return list->Item(list->Selection());
    return node ? node->text() : "<no control>";
  }

  void ShowPage(cases::Page page) { Get<HButton>(cases::PageButton(page)).Click(); }

  // The row's action as the user takes it: a click on a check list's box selects its item too.
  void Perform(const cases::Action& a) {
    static const char* const kWhat[] = {"",       "",     "",          "",       "",    "click",
                                        "choose", "type", "backspace", "toggle", "step"};
    std::string what = kWhat[a.act];
    if (what == "click" && !dynamic_cast<HCheckBox*>(Main().FindId(a.control))) what = "button";
    ASSERT_NE(Main().FindId(a.control), nullptr) << "control " << a.control;
    const test::UserAction action{a.control, what,
                                  a.act == cases::kStep ? (a.item + 1) / 2 : a.item, a.text};
    for (int i = 0; i < (a.act == cases::kBackspace ? a.item : 1); ++i) action.Perform(Main());
  }
};

TEST_P(UiCaseTest, DoesWhatItsRowSays) {
  const cases::UiCase& row = Rows()[GetParam()];
  SCOPED_TRACE(row.name);
  const cases::Act act = row.action.act;
  platform::MemoryRegistry expected;
  if (!row.file.empty()) system.WriteFile(Expand(row.file), "MZ");
  for (const cases::Value& value : row.before) {
    Store(memory, value);
    Store(expected, value);
  }
  Start();
  ShowPage(row.page);
  if (act == cases::kRefresh || act == cases::kPageSwitch || act == cases::kAway) {
    ASSERT_FALSE(row.shows.empty());
    if (act == cases::kPageSwitch) ShowPage(cases::OtherPage(row.page));
    EXPECT_EQ(Shown(row.shows[0]) == Expand(row.shows[0].text), row.keeps) << "beforehand";
    for (const cases::Value& value : row.after) Store(memory, value);  // from outside
    act == cases::kRefresh ? Refresh()
                           : ShowPage(act == cases::kAway ? cases::OtherPage(row.page) : row.page);
  } else if (act != cases::kStart) {
    for (const cases::Value& value : row.after) {
      const cases::Stored wanted = {value.stored.kind, Data(value.stored)};
      EXPECT_FALSE(cases::Matches(Read(value.path), wanted)) << "beforehand " << value.path;
    }
    if (!row.refuses.empty()) Refuse(row.refuses, &expected);
    Perform(row.action);
  }
  for (const cases::Value& value : row.after) Store(expected, value);

  EXPECT_EQ(test::Lower(memory.Dump()), test::Lower(expected.Dump()));
  for (const std::string& path : cases::WatchedPaths(Rows())) {
    if (cases::IniKey(path).empty()) continue;
    cases::Stored wanted;
    for (const auto* values : {&row.before, &row.after}) {
      for (const cases::Value& value : *values) {
        if (test::Lower(value.path) == test::Lower(path)) wanted = value.stored;
      }
    }
    EXPECT_EQ(Read(path), wanted) << path << " holds " << cases::Describe(Read(path));
  }
  for (const cases::Shown& shown : row.shows) {
    EXPECT_EQ(Shown(shown), Expand(shown.text)) << "control " << shown.control << " " << shown.item;
  }
  EXPECT_EQ(memory.open_handles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Rows, UiCaseTest, ::testing::Range<std::size_t>(0, Rows().size()));

}  // namespace
}  // namespace vireo
