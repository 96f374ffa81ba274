// The Active Desktop page's frame "Иконки": the shell icon size with its label and arrows, the
// "Default" button, and the two clean-ups of the shell's per-icon overrides.
#include <gtest/gtest.h>

#include "fixture.h"

namespace vireo {
namespace {

constexpr char kMetrics[] = "Control Panel\\Desktop\\WindowMetrics";
constexpr char kSize[] = "Shell Icon Size";

class DesktopPageTest : public test::MainWindowFixture {
 protected:
  std::string Label() { return Get<HLabel>(IDC_LABEL3).Text(); }
  HScrollBar& Bar() { return Get<HScrollBar>(IDC_VSCROLL1); }
  void Click(int id) { Get<HButton>(id).Click(); }
  // Stores the size (nullptr: none) and reads it as start-up does (ReadIconSize).
  void Show(const char* size) {
    memory.DeleteKey(kCurrentUser, kMetrics);
    if (size) memory.PutText(kCurrentUser, kMetrics, kSize, size);
    window->desktop().icon_size().Load();
  }
  // The names of the values left in "Shell Icons", in order.
  std::string Icons() {
    platform::HKey key = 0;
    std::string names, name;
    memory.OpenKey(kLocalMachine, main::kShellIconsKey, 0, &key);
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

TEST_F(DesktopPageTest, ShowsTheStoredSizeReadAtStartUpOnly) {
  memory.PutText(kCurrentUser, kMetrics, kSize, "48 ");
  Start();
  EXPECT_EQ(Label(), " 48");
  EXPECT_EQ(Bar().Value(), -48);
  // Neither the refresh nor a page switch reads the size again.
  memory.PutText(kCurrentUser, kMetrics, kSize, "20");
  Refresh();
  window->ShowPage(main::PageId::kActiveDesktop);
  EXPECT_EQ(Label(), " 48");
  const struct {
    const char* stored;  // nullptr: no value
    const char* label;
    int bar;
  } cases[] = {
      {"20", " 20", -20},   {nullptr, "(Undefined)", -32},
      {"abc", " 0", -32},  // outside 16 to 64 the bar stays where it was
      {"100", " 100", -32}, {"16", " 16", -16},
      {"-20", "-20", -16},  {"64", " 64", -64},
  };
  for (const auto& c : cases) {
    Show(c.stored);
    EXPECT_EQ(Label(), c.label) << (c.stored ? c.stored : "none");
    EXPECT_EQ(Bar().Value(), c.bar) << (c.stored ? c.stored : "none");
  }
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(DesktopPageTest, TheUpperArrowEnlargesWithinTheRangeAndDefaultStoresThirtyTwo) {
  memory.PutText(kCurrentUser, kMetrics, kSize, "48");
  Start();
  Bar().Step(-1);
  EXPECT_EQ(Stored(kCurrentUser, kMetrics, kSize), "49");
  Bar().Step(+1);
  Bar().Step(+1);
  EXPECT_EQ(Stored(kCurrentUser, kMetrics, kSize), "47");
  EXPECT_EQ(Label(), " 47");
  Show("64");
  const auto writes = Writes();
  Bar().Step(-1);
  EXPECT_EQ(Bar().Value(), -64);
  EXPECT_EQ(Writes(), writes);

  // "Default" stores 32 only when that changes the size.
  const struct {
    const char* stored;
    const char* after;  // the value after the click
    const char* label;
  } cases[] = {
      {"48", "32", " 32"},
      {"abc", "abc", " 0"},  // the bar still stands at -32: nothing changes
      {nullptr, "<none>", "(Undefined)"},
  };
  for (const auto& c : cases) {
    Show(c.stored);
    Click(IDC_COMMAND1);
    EXPECT_EQ(Stored(kCurrentUser, kMetrics, kSize), c.after) << (c.stored ? c.stored : "none");
    EXPECT_EQ(Label(), c.label);
    EXPECT_EQ(Bar().Value(), -32);
  }

  // A write that fails shows what the registry still holds.
  Show("64");
  memory.Protect(kCurrentUser, kMetrics);
  Bar().Step(+1);
  EXPECT_EQ(Bar().Value(), -64);
  EXPECT_EQ(Label(), " 64");
}

TEST_F(DesktopPageTest, RemoveAllDeletesEveryOverrideAndKeepsTheKey) {
  for (const char* name : {"", "3", "4"}) PutIcon(name, "c:\\a.ico,0");
  memory.PutNumber(kLocalMachine, main::kShellIconsKey, "36", 5);
  memory.PutText(kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\explorer", "Keep",
                 "1");
  Start();
  Click(IDC_COMMAND2);
  EXPECT_EQ(Icons(), "");
  EXPECT_EQ(Stored(kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\explorer", "Keep"),
            "1");

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
  const struct {
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
  for (const auto& icon : icons) PutIcon(icon.name, icon.data);
  Start();
  Click(IDC_COMMAND3);
  EXPECT_EQ(Icons(), "2 3 4 5 6");

  // A value that cannot be deleted is passed over: the clean-up goes on past it.
  PutIcon("8", windows + "\\shell32.dll,1");
  PutIcon("9", windows + "\\shell32.dll,2");
  memory.ProtectValue(kLocalMachine, main::kShellIconsKey, "8");
  Click(IDC_COMMAND3);
  EXPECT_EQ(Icons(), "2 3 4 5 6 8");
  EXPECT_EQ(memory.open_handles(), 0u);
}

}  // namespace
}  // namespace vireo
