// The rows of tests/cases/ui_cases.h on the headless main window with the in-memory registry, each
// on a program of its own started on the row's values, checked by cases::Side::Check; besides, the
// registry as a whole holds what the row stored plus its `after` and nothing else, and no key is
// left open.
#include <gtest/gtest.h>

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
                   public cases::Side,
                   public ::testing::WithParamInterface<std::size_t> {
 protected:
  std::string Expand(const std::string& text) override {
    return cases::Expand(text, system.WindowsDirectory(), system.SystemDirectory());
  }
  std::string Ini() { return system.WindowsDirectory() + "\\control.ini"; }
  // The root and key of a registry path, and its value's name.
  platform::HKey At(const std::string& path, std::string* key, std::string* name) {
    const std::string full = Expand(path);
    const auto first = full.find('\\'), last = full.rfind('\\');
    *key = first == last ? "" : full.substr(first + 1, last - first - 1);
    *name = full.substr(last + 1);
    return full[3] == 'U' ? kCurrentUser : full[3] == 'M' ? kLocalMachine : kClassesRoot;
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
      const std::string data = Expanded(stored).data;
      const int types[] = {0, 0, platform::kRegSz, platform::kRegDword, platform::kRegBinary};
      registry.Put(root, key, name, types[stored.kind], {data.begin(), data.end()});
    }
  }

  bool Store(const std::vector<cases::Value>& values) override {
    for (const cases::Value& value : values) Store(memory, value);
    return true;
  }

  cases::Stored Read(const std::string& path) override {
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
  std::string Show(const cases::Shown& shown) override {
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

  bool ToFront(cases::Page page) override {
    Get<HButton>(cases::PageButton(page)).Click();
    return true;
  }
  bool Refresh() override {
    MainWindowFixture::Refresh();
    return true;
  }

  // The row's action as the user takes it: a click on a check list's box selects its item too.
  bool Perform(const cases::Action& a) override {
    std::string what = cases::ActName(a.act);
    if (what == "click" && !dynamic_cast<HCheckBox*>(Main().FindId(a.control))) what = "button";
    if (Main().FindId(a.control) == nullptr) return false;
    const test::UserAction action{a.control, what,
                                  a.act == cases::kStep ? (a.item + 1) / 2 : a.item, a.text};
    for (int i = 0; i < (a.act == cases::kBackspace ? a.item : 1); ++i) action.Perform(Main());
    return true;
  }
};

TEST_P(UiCaseTest, DoesWhatItsRowSays) {
  const cases::UiCase& row = Rows()[GetParam()];
  SCOPED_TRACE(row.name);
  platform::MemoryRegistry expected;
  if (!row.file.empty()) system.WriteFile(Expand(row.file), "MZ");
  for (const cases::Value& value : row.before) {
    Store(memory, value);
    Store(expected, value);
  }
  const std::vector<cases::Value> stored = Snapshot(cases::WatchedPaths(Rows()));
  Start();
  ToFront(row.page);
  if (!row.refuses.empty()) Refuse(row.refuses, &expected);
  EXPECT_EQ(Check(row, stored, true), "");
  for (const cases::Value& value : row.after) Store(expected, value);
  EXPECT_EQ(cases::Upper(memory.Dump()), cases::Upper(expected.Dump()));
  EXPECT_EQ(memory.open_handles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Rows, UiCaseTest, ::testing::Range<std::size_t>(0, Rows().size()));

}  // namespace
}  // namespace vireo
