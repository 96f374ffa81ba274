// The Files page's icon and extension controls: lstExt and the classes' NeverShowExt values,
// lstIco and the classes' DefaultIcon with its backup, and the 3D shell icons of cool.dll.
#include <gtest/gtest.h>

#include "fixture.h"
#include "registry/reg_access.h"

namespace vireo {
namespace {

class FileIconsTest : public test::MainWindowFixture {
 protected:
  HCheckList& Ext() { return Get<HCheckList>(IDC_LST_EXT); }
  HCheckList& Ico() { return Get<HCheckList>(IDC_LST_ICO); }
  void Set(const std::string& path, const std::string& text) {
    registry::RegWrite(memory, "HKCR\\" + path, registry::RegValue::Text(text),
                       registry::ValueType::kString);
  }
  std::string Text(const std::string& path) {
    registry::RegValue value = registry::RegValue::Text("<none>");
    registry::RegRead(memory, "HKCR\\" + path, &value);
    return value.AsText();
  }
};

TEST_F(FileIconsTest, ExtensionRowsTickWhileTheClassHasNoNeverShowExt) {
  // .pif has no description, .scf is shown, .job has no class name and .jse no class key.
  const std::pair<const char*, const char*> stored[] = {{".lnk\\", "lnkfile"},
                                                        {"lnkfile\\", "Ярлык"},
                                                        {"lnkfile\\NeverShowExt", "yes"},
                                                        {".pif\\", "piffile"},
                                                        {"piffile\\NeverShowExt", ""},
                                                        {".scf\\", "SHCmdFile"},
                                                        {"SHCmdFile\\", "Команда"},
                                                        {".job\\", ""},
                                                        {".jse\\", "JSEFile"}};
  for (const auto& [path, text] : stored) Set(path, text);
  Start();
  EXPECT_EQ(Ext().Item(1), "<Unknown> (.pif)");
  EXPECT_EQ(Ext().Item(2), " (.URL)");
  // .URL, with no key, does not take the class of the hidden row above.
  EXPECT_EQ(test::Ticks(Ext()), "..xxxxxxxxxxx");
  EXPECT_EQ(Writes(), 0u);

  Ext().ToggleCheck(0);
  Ext().ToggleCheck(3);
  EXPECT_EQ(Text("lnkfile\\NeverShowExt"), "<none>");
  EXPECT_EQ(Text("SHCmdFile\\NeverShowExt"), "");
  EXPECT_EQ(Text("lnkfile\\"), "Ярлык");
  // Rows without a class name, or without a key, write nothing and keep the user's tick.
  const std::size_t writes = Writes();
  for (int row : {6, 2}) Ext().ToggleCheck(row);
  EXPECT_EQ(Writes(), writes);
  EXPECT_EQ(test::Ticks(Ext()), "x...xx.xxxxxx");

  // Refresh and page switch read the list again; a failed write shows what the registry holds.
  Set("lnkfile\\NeverShowExt", "");
  Refresh();
  EXPECT_EQ(test::Ticks(Ext()), "..x.xxxxxxxxx");
  registry::RegDelete(memory, "HKCR\\lnkfile\\NeverShowExt");
  memory.Protect(kClassesRoot, "piffile");
  window->ShowPage(main::PageId::kFiles);
  Ext().ToggleCheck(1);
  EXPECT_EQ(test::Ticks(Ext()), "x.x.xxxxxxxxx");
}

TEST_F(FileIconsTest, IconTicksKeepThePreviousIconInABackupAndPutItBack) {
  Set("Paint.Picture\\DefaultIcon\\", "%1");
  Set("cplfile\\DefaultIcon\\", "shell32.dll,21");
  Set("DLLFILE\\DefaultIcon\\", "%1 ");
  Set("icofile\\DefaultIcon\\Vireo Backup", "%1");
  Start();
  EXPECT_EQ(test::Ticks(Ico()), "x............");

  Ico().ToggleCheck(1);
  EXPECT_EQ(Text("cplfile\\DefaultIcon\\") + Text("cplfile\\DefaultIcon\\Vireo Backup"),
            "%1shell32.dll,21");
  Ico().ToggleCheck(1);
  EXPECT_EQ(Text("cplfile\\DefaultIcon\\") + Text("cplfile\\DefaultIcon\\Vireo Backup"),
            "shell32.dll,21<none>");
  // Set to "%1" outside: a second untick finds no backup and writes an empty icon.
  Set("cplfile\\DefaultIcon\\", "%1");
  Set("dllfile\\DefaultIcon\\", "%1");
  Set("dllfile\\DefaultIcon\\Vireo Backup", "old.dll,0");
  Refresh();
  Ico().ToggleCheck(1);
  EXPECT_EQ(Text("cplfile\\DefaultIcon\\") + Text("cplfile\\DefaultIcon\\Vireo Backup"), "<none>");
  // A class without DefaultIcon gets one, with an empty backup that outlives the untick.
  Ico().ToggleCheck(5);
  EXPECT_EQ(Text("nilfile\\DefaultIcon\\") + Text("nilfile\\DefaultIcon\\Vireo Backup"), "%1");
  Ico().ToggleCheck(5);
  EXPECT_EQ(Text("nilfile\\DefaultIcon\\Vireo Backup"), "");
  EXPECT_EQ(Text("nilfile\\DefaultIcon\\"), "");

  // A row shown clear whose icon is "%1" by now: the tick writes nothing, no backup included.
  Set("Paint.Picture\\DefaultIcon\\", "");
  window->ShowPage(main::PageId::kFiles);
  Set("Paint.Picture\\DefaultIcon\\", "%1");
  const std::size_t writes = Writes();
  Ico().ToggleCheck(0);
  EXPECT_EQ(Writes(), writes);
  // Writes that fail show what the registry still holds.
  memory.Protect(kClassesRoot, "dllfile");
  Ico().ToggleCheck(2);
  EXPECT_EQ(test::Ticks(Ico()), "x.x..........");
  EXPECT_EQ(Text("dllfile\\DefaultIcon\\Vireo Backup"), "old.dll,0");
}

TEST_F(FileIconsTest, AnIconIsNeverLostToAFailedBackupOrRestore) {
  Set("curfile\\DefaultIcon\\", "cur.dll,3");
  Set("anifile\\DefaultIcon\\", "%1");
  Set("anifile\\DefaultIcon\\Vireo Backup", "ani.dll,4");
  memory.ProtectValue(kClassesRoot, "curfile\\DefaultIcon", "Vireo Backup");
  memory.ProtectValue(kClassesRoot, "anifile\\DefaultIcon", "");
  Start();
  // The backup cannot be stored: the icon stays as it was and the row clear.
  Ico().ToggleCheck(12);
  EXPECT_EQ(Text("curfile\\DefaultIcon\\"), "cur.dll,3");
  EXPECT_FALSE(Ico().ItemChecked(12));
  // The icon cannot be put back: the backup that holds it stays.
  Ico().ToggleCheck(11);
  EXPECT_EQ(Text("anifile\\DefaultIcon\\Vireo Backup"), "ani.dll,4");
  EXPECT_TRUE(Ico().ItemChecked(11));
}

TEST_F(FileIconsTest, ThreeDIconsPointAtCoolDllAndAreRemovedWhateverTheyHold) {
  const std::string library = system.SystemDirectory() + "\\Cool.Dll";
  const auto stored = [&] {
    std::string all;
    for (const char* n : {"3", "5", "6", "7", "8", "9", "10", "11"}) {
      all += n + ("=" + Stored(kLocalMachine, main::kShellIconsKey, n)) + " ";
    }
    return all;
  };
  system.WriteFile(library, "MZ");
  memory.PutText(kLocalMachine, main::kShellIconsKey, "7", "mine.dll,7");
  Start();
  Get<HButton>(IDC_CMD_USE_3D).Click();
  const std::string s = system.SystemDirectory() + "\\COOL.DLL,";
  EXPECT_EQ(stored(), "3=<none> 5=" + s + "9 6=" + s + "8 7=mine.dll,7 8=" + s + "0 9=" + s +
                          "1 10=" + s + "29 11=" + s + "10 ");
  memory.PutText(kLocalMachine, main::kShellIconsKey, "6", "");
  memory.PutText(kLocalMachine, main::kShellIconsKey, "8", "other.dll,3");
  memory.PutText(kLocalMachine, main::kShellIconsKey, "3", "folder.dll,1");
  Get<HButton>(IDC_CMD_RESTORE_3D).Click();
  EXPECT_EQ(stored(),
            "3=folder.dll,1 5=<none> 6= 7=mine.dll,7 8=<none> 9=<none> 10=<none> "
            "11=<none> ");

  // Without the library the four 3D buttons are disabled, and a refresh does not enable them.
  std::filesystem::remove(platform::HostPath(library));
  Start();
  system.WriteFile(library, "MZ");
  Refresh();
  for (int id :
       {IDC_CMD_USE_3D, IDC_CMD_RESTORE_3D, IDC_CMD_USE_3D_FOLDER, IDC_CMD_RESTORE_FOLDER}) {
    EXPECT_FALSE(Get<HButton>(id).Enabled()) << id;
  }
}

TEST_F(FileIconsTest, APageSwitchShowsChangesMadeOutsideInTheItemsItHas) {
  Set(".lnk\\", "lnkfile");
  Set("lnkfile\\", "Ярлык");
  Set(".pif\\", "piffile");
  Set("piffile\\NeverShowExt", "");
  Set("cplfile\\DefaultIcon\\", "%1");
  Start();
  window->ShowPage(main::PageId::kFiles);
  ASSERT_EQ(test::Ticks(Ext()), "x.xxxxxxxxxxx");
  ASSERT_EQ(test::Ticks(Ico()), ".x...........");
  const int ext_clears = Ext().clears();
  const int ico_clears = Ico().clears();
  Ext().Choose(4);

  // Ticks changed both ways outside the program: the same items show them, nothing is written.
  Set("lnkfile\\NeverShowExt", "");
  registry::RegDelete(memory, "HKCR\\piffile\\NeverShowExt");
  Set("Paint.Picture\\DefaultIcon\\", "%1");
  Set("cplfile\\DefaultIcon\\", "shell32.dll,1");
  counting.Reset();
  window->ShowPage(main::PageId::kExplorer);
  window->ShowPage(main::PageId::kFiles);
  EXPECT_EQ(test::Ticks(Ext()), ".xxxxxxxxxxxx");
  EXPECT_EQ(test::Ticks(Ico()), "x............");
  EXPECT_EQ(Ext().Selection(), 4);  // the user's place stays
  EXPECT_EQ(Ext().clears(), ext_clears);
  EXPECT_EQ(Ico().clears(), ico_clears);

  // A description changed outside: the list is filled again, with its ticks.
  Set("lnkfile\\", "Ссылка");
  window->ShowPage(main::PageId::kFiles);
  EXPECT_EQ(Ext().Item(0), "Ссылка (.lnk)");
  EXPECT_EQ(test::Ticks(Ext()), ".xxxxxxxxxxxx");
  Set(".doc\\", "lnkfile");  // the last item alone
  window->ShowPage(main::PageId::kFiles);
  EXPECT_EQ(Ext().Item(12), "Ссылка (.doc)");
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(FileIconsTest, FillsMakeOneCallARowOnAnEmptyRegistry) {
  Start();
  counting.Reset();
  window->files().extensions().Refresh(main::Reading::kRefresh);
  EXPECT_EQ(counting.total(), 13u);
  counting.Reset();
  window->files().icons().Refresh(main::Reading::kRefresh);
  EXPECT_EQ(counting.total(), 13u);
  // A registered extension: its class name, its description and NeverShowExt, three calls each.
  Set(".doc\\", "Word.Document.8");
  Set("Word.Document.8\\", "Документ");
  counting.Reset();
  window->files().extensions().Refresh(main::Reading::kRefresh);
  EXPECT_EQ(counting.total(), 12u + 9u);
}

}  // namespace
}  // namespace vireo
