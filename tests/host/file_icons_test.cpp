// The Files page's icon and extension lists, and the 3D icon buttons of the Files and Folders
// pages, beyond their rows in the case table (tests/cases/ui_cases.h): a tick on an icon that is
// "%1" by now, the lists kept in place by a page switch, the registry calls of a fill, and the
// buttons' need of cool.dll.
#include <gtest/gtest.h>

#include "fixture.h"
#include "main/files_page.h"
#include "registry/reg_access.h"

namespace vireo {
namespace {

class FileIconsTest : public test::MainWindowFixture {
 protected:
  HCheckList& Ext() { return Get<HCheckList>(IDC_EXTENSIONS_LIST); }
  HCheckList& Ico() { return Get<HCheckList>(IDC_ICON_FILES_LIST); }
  void Set(const std::string& path, const std::string& text) {
    registry::RegWrite(memory, "HKCR\\" + path, registry::RegValue::Text(text),
                       registry::ValueType::kString);
  }
};

TEST_F(FileIconsTest, ATickOnAnIconThatIsItsOwnByNowWritesNothing) {
  Set("Paint.Picture\\DefaultIcon\\", "");
  Start();
  Set("Paint.Picture\\DefaultIcon\\", "%1");
  Set("Paint.Picture\\DefaultIcon\\Vireo Backup", "old.dll,0");
  const std::size_t writes = Writes();
  Ico().ToggleCheck(0);
  EXPECT_EQ(Writes(), writes);
  EXPECT_TRUE(Ico().ItemChecked(0));
}

TEST_F(FileIconsTest, APageSwitchKeepsTheListsInPlaceUnlessADescriptionChanged) {
  Set(".lnk\\", "lnkfile");
  Set("lnkfile\\", "Ярлык");
  Start();
  window->ShowPage(main::PageId::kFiles);
  const int ext_clears = Ext().clears();
  const int ico_clears = Ico().clears();
  Ext().Choose(4);
  Set("lnkfile\\NeverShowExt", "");
  Set("cplfile\\DefaultIcon\\", "%1");
  window->ShowPage(main::PageId::kExplorer);
  window->ShowPage(main::PageId::kFiles);
  EXPECT_EQ(test::Ticks(Ext()), ".xxxxxxxxxxxx");
  EXPECT_EQ(test::Ticks(Ico()), ".x...........");
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

// Without cool.dll in the System directory the four 3D buttons are disabled; a refresh tests the
// library again, but never enables them.
TEST_F(FileIconsTest, TheThreeDButtonsNeedCoolDll) {
  const std::string library = system.SystemDirectory() + "\\Cool.Dll";
  const int buttons[] = {IDC_SHELL_ICONS_USE_3D, IDC_SHELL_ICONS_RESTORE, IDC_FOLDER_ICONS_USE_3D,
                         IDC_FOLDER_ICONS_RESTORE};
  system.WriteFile(library, "MZ");
  Start();
  for (int id : buttons) EXPECT_TRUE(Get<HButton>(id).Enabled()) << id;
  std::filesystem::remove(platform::HostPath(library));
  Refresh();
  for (int id : buttons) EXPECT_FALSE(Get<HButton>(id).Enabled()) << id;
  Get<HButton>(IDC_FOLDER_ICONS_USE_3D).Click();
  system.WriteFile(library, "MZ");
  Refresh();
  for (int id : buttons) EXPECT_FALSE(Get<HButton>(id).Enabled()) << id;
  EXPECT_EQ(Writes(), 0u);
}

}  // namespace
}  // namespace vireo
