// The Folders and shortcuts page: the special folders and their two registry names, the path of
// the Windows distribution, the five installation paths and the 3D folder icons.
#include <gtest/gtest.h>

#include "fixture.h"
#include "main/folders_page.h"

namespace vireo {
namespace {

constexpr char kShell[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kUser[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr char kSetup[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";
constexpr char kMru[] = "InstallLocationsMRU";

class FoldersPageTest : public test::MainWindowFixture {
 protected:
  HDropDown& Folder() { return Get<HDropDown>(IDC_SPECIAL_FOLDER_LIST); }
  HTextBox& Path() { return Get<HTextBox>(IDC_SPECIAL_FOLDER_PATH); }
  HTextBox& Source() { return Get<HTextBox>(IDC_SOURCE_PATH); }
  HTextBox& Install(int i) { return Get<HTextBox>(IDC_INSTALL_PATH_FIRST + i); }
  HButton& Use() { return Get<HButton>(IDC_FOLDER_ICONS_USE_3D); }
  HButton& Restore() { return Get<HButton>(IDC_FOLDER_ICONS_RESTORE); }
  std::string Icon(const char* name) { return Stored(kLocalMachine, main::kShellIconsKey, name); }
};

TEST_F(FoldersPageTest, SpecialFolderShowsItsShellFoldersPathAndWritesBothNames) {
  memory.PutText(kCurrentUser, kShell, "Administrative Tools", "C:\\Admin");
  memory.PutText(kCurrentUser, kUser, "Administrative Tools", "C:\\UserAdmin");
  memory.PutText(kCurrentUser, kShell, "Cookies", "C:\\Cookies");
  Start();
  ASSERT_EQ(Folder().Count(), main::kSpecialFolderCount);
  EXPECT_EQ(Folder().Selection(), 0);
  EXPECT_EQ(Path().Text(), "C:\\Admin");
  EXPECT_TRUE(Folder().Choose("Cookies"));
  EXPECT_EQ(Path().Text(), "C:\\Cookies");
  EXPECT_TRUE(Folder().Choose("Fonts"));
  EXPECT_EQ(Path().Text(), "");

  // The refresh keeps the folder and its path, and so does a page switch.
  memory.PutText(kCurrentUser, kShell, "Fonts", "D:\\Fonts");
  Refresh();
  window->ShowPage(main::PageId::kFolders);
  EXPECT_EQ(Folder().Item(Folder().Selection()), "Fonts");
  EXPECT_EQ(Path().Text(), "");
  EXPECT_EQ(Writes(), 0u);

  // Every keystroke writes the path to both names of the folder, the empty one included.
  Folder().Choose("Favorites");
  Path().Type("D:");
  EXPECT_EQ(counting.count(platform::CountingRegistry::kSet), 4u);
  EXPECT_EQ(Stored(kCurrentUser, kShell, "Favorites"), "D:");
  EXPECT_EQ(Stored(kCurrentUser, kUser, "Favorites"), "D:");
  Path().Backspace();
  Path().Backspace();
  EXPECT_EQ(Stored(kCurrentUser, kShell, "Favorites"), "");
  EXPECT_EQ(Stored(kCurrentUser, kUser, "Favorites"), "");
  EXPECT_EQ(Stored(kCurrentUser, kUser, "Cookies"), "<none>");

  // A write that fails shows the path that Shell Folders still holds.
  Folder().Choose("Cookies");
  memory.Protect(kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer");
  Path().Type("x");
  EXPECT_EQ(Path().Text(), "C:\\Cookies");
}

TEST_F(FoldersPageTest, SourceAndInstallPathsAreWrittenAndNeverDeleted) {
  memory.PutText(kLocalMachine, kSetup, "SourcePath", "D:\\WIN98");
  memory.PutText(kCurrentUser, kMru, "a", "A:\\");
  memory.PutText(kCurrentUser, kMru, "c", "C:\\CABS");
  memory.PutText(kCurrentUser, kMru, "e", "E:\\");
  memory.PutText(kCurrentUser, kMru, "MRUList", "ace");
  Start();
  EXPECT_EQ(Source().Text(), "D:\\WIN98");
  const char* shown[] = {"A:\\", "", "C:\\CABS", "", "E:\\"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Install(i).Text(), shown[i]) << i;

  Source().Replace("G:\\CAB");
  EXPECT_EQ(Stored(kLocalMachine, kSetup, "SourcePath"), "G:\\CAB");
  Source().Replace("");
  EXPECT_EQ(Stored(kLocalMachine, kSetup, "SourcePath"), "");
  Install(4).Type("1");
  Install(0).Replace("");
  Install(1).Type("B");
  std::string stored;
  for (const char* name : {"a", "b", "c", "d", "e", "MRUList"}) {
    stored += Stored(kCurrentUser, kMru, name) + "|";
  }
  EXPECT_EQ(stored, "|B|C:\\CABS|<none>|E:\\1|ace|");

  // A write that fails shows what the registry still holds.
  memory.PutText(kLocalMachine, kSetup, "SourcePath", "H:\\");
  memory.Protect(kLocalMachine, kSetup);
  memory.Protect(kCurrentUser, kMru);
  Source().Type("x");
  Install(2).Type("x");
  EXPECT_EQ(Source().Text(), "H:\\");
  EXPECT_EQ(Install(2).Text(), "C:\\CABS");
}

TEST_F(FoldersPageTest, FolderIconButtonsNeedCoolDllAndWriteOrDeleteThreeOverrides) {
  Start();
  EXPECT_FALSE(Use().Enabled());
  Use().Click();
  EXPECT_EQ(Writes(), 0u);

  const std::string library = system.SystemDirectory() + "\\cool.dll";
  system.WriteFile(library, "MZ");
  memory.PutText(kLocalMachine, main::kShellIconsKey, "35", "keep");
  memory.PutNumber(kLocalMachine, main::kShellIconsKey, "4", 7);
  Start();
  Use().Click();
  const std::string used = system.SystemDirectory() + "\\COOL.DLL,";
  EXPECT_EQ(Icon("3") + " " + Icon("4") + " " + Icon("36"),
            used + "11 " + used + "18 " + used + "24");
  memory.PutText(kLocalMachine, main::kShellIconsKey, "36", "elsewhere.dll,1");
  Restore().Click();
  for (const char* name : {"3", "4", "36"}) EXPECT_EQ(Icon(name), "<none>") << name;
  EXPECT_EQ(Icon("35"), "keep");
  // The refresh tests the library again.
  std::filesystem::remove(platform::HostPath(library));
  Refresh();
  EXPECT_FALSE(Use().Enabled() || Restore().Enabled());
}

}  // namespace
}  // namespace vireo
