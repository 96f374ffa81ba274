// The 3D icon buttons of the Files and Folders pages, one part made from two tables: the icons
// each pair writes, which values its restore deletes, and the library test that only disables.
#include <gtest/gtest.h>

#include <filesystem>

#include "fixture.h"

namespace vireo {
namespace {

class IconLibraryTest : public test::MainWindowFixture {
 protected:
  // The "Shell Icons" values that either pair touches, and 7, which neither does.
  std::string Icons() {
    std::string all;
    for (const char* n : {"3", "4", "5", "6", "7", "8", "9", "10", "11", "36"}) {
      all += n + ("=" + Stored(kLocalMachine, main::kShellIconsKey, n)) + " ";
    }
    return all;
  }
};

TEST_F(IconLibraryTest, EachPairWritesItsIconsAndRestoresByItsRule) {
  const std::string library = system.SystemDirectory() + "\\Cool.Dll";
  system.WriteFile(library, "MZ");
  const std::string s = system.SystemDirectory() + "\\COOL.DLL,";
  // cmdRestore3D deletes only values that hold data; cmdRestoreFolder deletes unread.
  const struct {
    int use, restore;
    std::string used, restored;
  } pairs[] = {
      {IDC_SHELL_ICONS_USE_3D, IDC_SHELL_ICONS_RESTORE,
       "3=<none> 4=<none> 5=" + s + "9 6=" + s + "8 7=mine.dll,7 8=" + s + "0 9=" + s +
           "1 10=" + s + "29 11=" + s + "10 36=<none> ",
       "3=<none> 4= 5=<none> 6= 7=mine.dll,7 8=<none> 9=<none> 10=<none> 11=<none> 36=#7 "},
      {IDC_FOLDER_ICONS_USE_3D, IDC_FOLDER_ICONS_RESTORE,
       "3=" + s + "11 4=" + s +
           "18 5=<none> 6=<none> 7=mine.dll,7 8=<none> 9=<none> 10=<none> "
           "11=<none> 36=" +
           s + "24 ",
       "3=<none> 4=<none> 5=<none> 6= 7=mine.dll,7 8=other.dll,3 9=<none> 10=<none> 11=<none> "
       "36=<none> "},
  };
  for (const auto& pair : pairs) {
    memory.DeleteKey(kLocalMachine, main::kShellIconsKey);
    memory.PutText(kLocalMachine, main::kShellIconsKey, "7", "mine.dll,7");
    Start();
    Get<HButton>(pair.use).Click();
    EXPECT_EQ(Icons(), pair.used) << pair.use;
    for (const char* n : {"4", "6"}) memory.PutText(kLocalMachine, main::kShellIconsKey, n, "");
    memory.PutText(kLocalMachine, main::kShellIconsKey, "8", "other.dll,3");
    memory.PutNumber(kLocalMachine, main::kShellIconsKey, "36", 7);
    Get<HButton>(pair.restore).Click();
    EXPECT_EQ(Icons(), pair.restored) << pair.restore;
  }

  // Without the library the four buttons are disabled, click to no effect, and a refresh that
  // finds it again does not enable them.
  std::filesystem::remove(platform::HostPath(library));
  Start();
  system.WriteFile(library, "MZ");
  Refresh();
  const std::size_t writes = Writes();
  for (const auto& pair : pairs) {
    for (int id : {pair.use, pair.restore}) {
      EXPECT_FALSE(Get<HButton>(id).Enabled()) << id;
      Get<HButton>(id).Click();
    }
  }
  EXPECT_EQ(Writes(), writes);
}

}  // namespace
}  // namespace vireo
