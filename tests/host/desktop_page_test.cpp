// The Active Desktop page's frame "Иконки": the shell icon size with its label and arrows, the
// "Default" button, and the two clean-ups of the shell's per-icon overrides.
#include <gtest/gtest.h>

#include "fixture.h"

namespace vireo {
namespace {

using platform::kCurrentUser;
using platform::kLocalMachine;
using ui::headless::HButton;
using ui::headless::HLabel;
using ui::headless::HScrollBar;

constexpr char kMetrics[] = "Control Panel\\Desktop\\WindowMetrics";
constexpr char kSize[] = "Shell Icon Size";

class DesktopPageTest : public test::MainWindowFixture {
 protected:
  HLabel& Label() { return Get<HLabel>(IDC_LABEL3); }
  HScrollBar& Bar() { return Get<HScrollBar>(IDC_VSCROLL1); }
  void Click(int id) { Get<HButton>(id).Click(); }
  std::string Size() { return Stored(kCurrentUser, kMetrics, kSize); }
  // The names of the values left in "Shell Icons", in order, or "<no key>".
  std::string Icons() {
    platform::HKey key = 0;
    if (memory.OpenKey(kLocalMachine, main::kShellIconsKey, 0, &key) != 0) return "<no key>";
    std::string names;
    std::string name;
    for (std::uint32_t i = 0; memory.EnumValue(key, i, &name, nullptr, nullptr) == 0; ++i) {
      names += (names.empty() ? "" : " ") + name;
    }
    memory.CloseKey(key);
    return names;
  }
  void PutIcon(const std::string& name, const std::string& data) {
    memory.PutText(kLocalMachine, main::kShellIconsKey, name, data);
  }
};

TEST_F(DesktopPageTest, StartUpShowsTheStoredSize) {
  struct Case {
    const char* stored;  // nullptr: no value
    const char* label;
    int bar;
  } cases[] = {
      {nullptr, "(Undefined)", -32},
      {"48", " 48", -48},
      {"48 ", " 48", -48},
      {"abc", " 0", -16},
      {"100", " 100", -16},  // outside 16 to 64 the bar stays where it was
      {"16", " 16", -16},
      {"64", " 64", -64},
  };
  for (const Case& c : cases) {
    if (c.stored != nullptr) memory.PutText(kCurrentUser, kMetrics, kSize, c.stored);
    Start();
    EXPECT_EQ(Label().Text(), c.label) << (c.stored ? c.stored : "none");
    EXPECT_EQ(Bar().Value(), c.bar) << (c.stored ? c.stored : "none");
  }
  EXPECT_EQ(Bar().min(), -64);
  EXPECT_EQ(Bar().max(), -16);
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(DesktopPageTest, TheUpperArrowEnlargesWithinTheRange) {
  memory.PutText(kCurrentUser, kMetrics, kSize, "48");
  Start();
  Bar().Step(-1);
  EXPECT_EQ(Size(), "49");
  EXPECT_EQ(StoredType(kCurrentUser, kMetrics, kSize), platform::kRegSz);
  EXPECT_EQ(Label().Text(), " 49");
  Bar().Step(+1);
  Bar().Step(+1);
  EXPECT_EQ(Size(), "47");
  EXPECT_EQ(Label().Text(), " 47");

  memory.PutText(kCurrentUser, kMetrics, kSize, "64");
  window->ShowPage(main::PageId::kActiveDesktop);
  const auto writes = Writes();
  Bar().Step(-1);
  EXPECT_EQ(Bar().Value(), -64);
  EXPECT_EQ(Writes(), writes);

  // A write that fails shows what the registry still holds.
  memory.Protect(kCurrentUser, kMetrics);
  Bar().Step(+1);
  EXPECT_EQ(Bar().Value(), -64);
  EXPECT_EQ(Label().Text(), " 64");
  EXPECT_EQ(Size(), "64");
}

TEST_F(DesktopPageTest, OnlyAPageSwitchReadsTheSizeAgain) {
  memory.PutText(kCurrentUser, kMetrics, kSize, "48");
  Start();
  memory.PutText(kCurrentUser, kMetrics, kSize, "20");
  Refresh();
  EXPECT_EQ(Label().Text(), " 48");
  EXPECT_EQ(Bar().Value(), -48);
  Click(IDC_PAGE_BUTTON_FIRST + 2);
  EXPECT_EQ(Label().Text(), " 20");
  EXPECT_EQ(Bar().Value(), -20);
  memory.PutText(kCurrentUser, kMetrics, kSize, "24");
  window->ShowPage(main::PageId::kActiveDesktop);
  EXPECT_EQ(Label().Text(), " 24");
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(DesktopPageTest, DefaultStoresThirtyTwoOnlyWhenThatChangesTheSize) {
  struct Case {
    const char* stored;
    const char* after;  // the value after the click
    const char* label;
  } cases[] = {
      {"48", "32", " 32"},
      {"32", "32", " 32"},
      {"abc", "32", " 32"},  // the bar stood at -16
      {nullptr, "<none>", "(Undefined)"},
  };
  for (const Case& c : cases) {
    if (c.stored != nullptr) memory.PutText(kCurrentUser, kMetrics, kSize, c.stored);
    Start();
    const bool changes = Bar().Value() != -32;
    counting.Reset();
    Click(IDC_COMMAND1);
    EXPECT_EQ(Size(), c.after) << (c.stored ? c.stored : "none");
    EXPECT_EQ(Label().Text(), c.label);
    EXPECT_EQ(Bar().Value(), -32);
    EXPECT_EQ(counting.count(platform::CountingRegistry::kSet), changes ? 1u : 0u);
    EXPECT_EQ(Writes() != 0, changes);
    memory.DeleteKey(kCurrentUser, kMetrics);
  }
}

TEST_F(DesktopPageTest, RemoveAllDeletesEveryOverrideAndKeepsTheKey) {
  PutIcon("", "default");
  PutIcon("3", "c:\\a.ico,0");
  PutIcon("4", "c:\\b.ico,0");
  memory.PutNumber(kLocalMachine, main::kShellIconsKey, "36", 5);
  memory.PutText(kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\explorer", "Keep",
                 "1");
  Start();
  Click(IDC_COMMAND2);
  EXPECT_EQ(Icons(), "");
  EXPECT_EQ(Stored(kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\explorer", "Keep"),
            "1");
  EXPECT_EQ(memory.open_handles(), 0u);

  // A value that cannot be deleted ends the clean-up.
  PutIcon("3", "c:\\a.ico,0");
  memory.Protect(kLocalMachine, main::kShellIconsKey);
  Click(IDC_COMMAND2);
  EXPECT_EQ(Icons(), "3");
  EXPECT_EQ(memory.open_handles(), 0u);
}

TEST_F(DesktopPageTest, RemoveUnusedDeletesOnlyTheShellsOwnIcons) {
  const std::string windows = system.WindowsDirectory();
  std::string upper = windows;
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  ASSERT_NE(upper, windows);
  struct Icon {
    const char* name;
    std::string data;
  } icons[] = {
      {"0", windows + "\\shell32.dll,3"},
      {"1", upper + "\\SHELL32.DLL,4"},  // the Windows directory in another letter case
      {"2", system.SystemDirectory() + "\\shell32.dll,5"},
      {"3", "C:\\Other\\shell32.dll,6"},
      {"4", windows + "\\cool.dll,7"},
      {"5", windows + "\\shell32.dll"},
      {"6", "x" + windows + "\\shell32.dll,1"},
      {"", windows + "\\shell32.dll,8"},  // the key's default value is a value like the others
      {"7", windows + "\\Shell32.dll,9"},
  };
  for (const Icon& icon : icons) PutIcon(icon.name, icon.data);
  Start();
  Click(IDC_COMMAND3);
  EXPECT_EQ(Icons(), "2 3 4 5 6");
  EXPECT_EQ(memory.open_handles(), 0u);

  // A value that cannot be deleted is passed over.
  PutIcon("8", windows + "\\shell32.dll,1");
  memory.Protect(kLocalMachine, main::kShellIconsKey);
  Click(IDC_COMMAND3);
  EXPECT_EQ(Icons(), "2 3 4 5 6 8");
  EXPECT_EQ(memory.open_handles(), 0u);
}

}  // namespace
}  // namespace vireo
