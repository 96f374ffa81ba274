// The rows of tests/cases/ui_cases.h on the headless main window with the in-memory registry. Each
// row starts a program of its own on what the row stores and nothing else, brings its page to the
// front, acts as the user does (or reads, as start-up, the refresh or a page switch does) and
// checks three things: the registry as a whole holds what the row stored plus its `after` and
// nothing else; control.ini's keys that the rows name hold what the row says; the controls show
// what the row says. Before a reading, the first control shown must show something else (or,
// for a reading that must not read, the same); before an action, every value of `after` must hold
// something else.
#include <gtest/gtest.h>

#include <cctype>

#include "cases/ui_cases.h"
#include "fixture.h"

namespace vireo {
namespace {

using cases::Act;
using cases::UiCase;

const std::vector<UiCase>& Rows() {
  static const std::vector<UiCase> rows = cases::UiCases();
  return rows;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

class UiCaseTest : public test::MainWindowFixture,
                   public ::testing::WithParamInterface<std::size_t> {
 protected:
  std::string Expand(const std::string& text) {
    return cases::Expand(text, system.WindowsDirectory(), system.SystemDirectory());
  }
  std::string Ini() { return system.WindowsDirectory() + "\\control.ini"; }
  static platform::HKey Root(const std::string& root) {
    return root == "HKCU" ? kCurrentUser : root == "HKLM" ? kLocalMachine : kClassesRoot;
  }

  // Stores a value in `registry`; a control.ini value goes into the file, which only `memory`'s
  // side has.
  void Store(platform::MemoryRegistry& registry, const cases::Value& value) {
    const std::string path = Expand(value.path);
    const cases::Stored& stored = value.stored;
    if (const std::string key = cases::IniKey(path); !key.empty()) {
      if (&registry != &memory) return;
      stored.kind == cases::Stored::kText
          ? profile.WriteString(cases::kDontLoad, key, stored.data, Ini())
          : profile.DeleteKey(cases::kDontLoad, key, Ini());
      return;
    }
    cases::RegPath at;
    ASSERT_TRUE(cases::SplitPath(path, &at)) << path;
    const platform::HKey root = Root(at.root);
    platform::HKey key = 0;
    switch (stored.kind) {
      case cases::Stored::kNoKey:
        registry.DeleteKey(root, at.key);
        break;
      case cases::Stored::kAbsent:
        if (registry.OpenKey(root, at.key, platform::kKeyAllAccess3F, &key) == 0) {
          registry.DeleteValue(key, at.name);
          registry.CloseKey(key);
        }
        break;
      default: {
        const std::string data =
            stored.kind == cases::Stored::kText ? Expand(stored.data) : stored.data;
        const std::uint32_t type = stored.kind == cases::Stored::kText     ? platform::kRegSz
                                   : stored.kind == cases::Stored::kNumber ? platform::kRegDword
                                                                           : platform::kRegBinary;
        registry.Put(root, at.key, at.name, type, {data.begin(), data.end()});
      }
    }
  }

  cases::Stored Read(const std::string& written_path) {
    const std::string path = Expand(written_path);
    if (const std::string key = cases::IniKey(path); !key.empty()) {
      const std::string value = profile.GetString(cases::kDontLoad, key, "\x01", Ini());
      return value == "\x01" ? cases::Absent() : cases::Text(value);
    }
    cases::RegPath at;
    cases::SplitPath(path, &at);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (!memory.Exists(Root(at.root), at.key)) return cases::NoKey();
    if (!memory.Get(Root(at.root), at.key, at.name, &type, &data)) return cases::Absent();
    const auto kind = type == platform::kRegSz      ? cases::Stored::kText
                      : type == platform::kRegDword ? cases::Stored::kNumber
                                                    : cases::Stored::kBinary;
    return {kind, std::string(data.begin(), data.end())};
  }
  cases::Stored Expanded(cases::Stored stored) {
    if (stored.kind == cases::Stored::kText) stored.data = Expand(stored.data);
    return stored;
  }

  // What a control shows, in the words of cases::Shown.
  std::string Shown(const cases::Shown& shown) {
    ui::headless::Node* node = Main().FindId(shown.control);
    if (node == nullptr) return "<no control>";
    if (auto* list = dynamic_cast<HCheckList*>(node)) {
      return list->ItemChecked(shown.item) ? "ticked" : "cleared";
    }
    if (auto* box = dynamic_cast<HCheckBox*>(node))
      return box->Checked() == 1 ? "ticked" : "cleared";
    if (auto* bar = dynamic_cast<HScrollBar*>(node)) return std::to_string(bar->Value());
    if (auto* list = dynamic_cast<HDropDown*>(node)) return list->Item(list->Selection());
    return node->text();
  }

  void ShowPage(cases::Page page) { window->ShowPage(static_cast<main::PageId>(page)); }

  // The value, or the key, refuses every change; a key is made first, in `expected` too.
  void Refuse(const std::string& path, platform::MemoryRegistry* expected) {
    cases::RegPath at;
    ASSERT_TRUE(cases::SplitPath(Expand(path), &at)) << path;
    if (at.name != "*") return memory.ProtectValue(Root(at.root), at.key, at.name);
    memory.Protect(Root(at.root), at.key);
    platform::HKey key = 0;
    bool created = false;
    expected->CreateKey(Root(at.root), at.key, platform::kKeyAllAccess3F, &key, &created);
    expected->CloseKey(key);
  }

  template <class W>
  static W* As(ui::headless::Node* node) {
    W* widget = dynamic_cast<W*>(node);
    EXPECT_NE(widget, nullptr) << "control " << node->id() << " is of another kind";
    return widget;
  }

  void Perform(const UiCase& row) {
    ui::headless::Node* node = Main().FindId(row.control);
    ASSERT_NE(node, nullptr) << "control " << row.control;
    switch (row.act) {
      case Act::kClick:
        if (auto* box = dynamic_cast<HCheckBox*>(node)) return box->Click();
        if (auto* button = As<HButton>(node)) button->Click();
        break;
      case Act::kChoose:
        if (auto* list = As<HDropDown>(node)) list->Choose(row.item);
        break;
      case Act::kType:
        if (auto* box = As<HTextBox>(node)) box->Type(row.text);
        break;
      case Act::kBackspace:
        for (int i = 0; i < row.item; ++i) {
          if (auto* box = As<HTextBox>(node)) box->Backspace();
        }
        break;
      case Act::kToggle:
        if (auto* list = As<HCheckList>(node)) list->ToggleCheck(row.item);
        break;
      case Act::kStep:
        if (auto* bar = As<HScrollBar>(node)) bar->Step(row.item);
        break;
      default:
        FAIL() << "not an action";
    }
  }
};

TEST_P(UiCaseTest, DoesWhatItsRowSays) {
  const UiCase& row = Rows()[GetParam()];
  platform::MemoryRegistry expected;
  if (!row.file.empty()) system.WriteFile(Expand(row.file), "MZ");
  for (const cases::Value& value : row.before) {
    Store(memory, value);
    Store(expected, value);
  }
  Start();
  ShowPage(row.page);

  if (cases::IsReading(row.act) && row.act != Act::kStart) {
    ASSERT_FALSE(row.shows.empty());
    if (row.act == Act::kPageSwitch) {
      ShowPage(row.page == cases::Page::kControlPanel ? cases::Page::kExplorer
                                                      : cases::Page::kControlPanel);
    }
    const std::string first = Shown(row.shows[0]), wanted = Expand(row.shows[0].text);
    if (row.keeps) {
      EXPECT_EQ(first, wanted) << "beforehand, control " << row.shows[0].control;
    } else {
      EXPECT_NE(first, wanted) << "beforehand, control " << row.shows[0].control;
    }
    for (const cases::Value& value : row.after) Store(memory, value);  // from outside
    row.act == Act::kRefresh ? Refresh() : ShowPage(row.page);
  } else if (!cases::IsReading(row.act)) {
    for (const cases::Value& value : row.after) {
      EXPECT_NE(Read(value.path), Expanded(value.stored)) << "beforehand, " << value.path;
    }
    if (!row.refuses.empty()) Refuse(row.refuses, &expected);
    Perform(row);
  }
  for (const cases::Value& value : row.after) Store(expected, value);

  EXPECT_EQ(Lower(memory.Dump()), Lower(expected.Dump()));
  for (const std::string& path : cases::WatchedPaths(Rows())) {
    if (cases::IniKey(path).empty()) continue;
    cases::Stored wanted;
    for (const auto* values : {&row.before, &row.after}) {
      for (const cases::Value& value : *values) {
        if (Lower(value.path) == Lower(path)) wanted = value.stored;
      }
    }
    EXPECT_EQ(Read(path), wanted) << path << " holds " << cases::Describe(Read(path));
  }
  for (const cases::Shown& shown : row.shows) {
    EXPECT_EQ(Shown(shown), Expand(shown.text))
        << "control " << shown.control << (shown.item >= 0 ? " item " : "")
        << (shown.item >= 0 ? std::to_string(shown.item) : "");
  }
  EXPECT_EQ(memory.open_handles(), 0u);
}

std::string RowName(const ::testing::TestParamInfo<std::size_t>& info) {
  std::string name;
  for (const char c : Rows()[info.param].name) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      name += name.empty() || name.back() == '_' ? static_cast<char>(std::toupper(c)) : c;
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  return std::to_string(info.param) + "_" + name;
}

INSTANTIATE_TEST_SUITE_P(Rows, UiCaseTest, ::testing::Range<std::size_t>(0, Rows().size()),
                         RowName);

}  // namespace
}  // namespace vireo
