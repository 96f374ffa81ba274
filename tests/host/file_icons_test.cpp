// The Files page's icon and extension lists beyond their rows in the case table
// (tests/cases/ui_cases.h): a tick on an icon that is "%1" by now, and the lists kept in place by
// a page switch.
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
}

}  // namespace
}  // namespace vireo
