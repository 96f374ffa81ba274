// The main window's pages together: start-up, the refresh and page switches only read, whatever
// the registry and control.ini hold; a missing catalogue entry costs only its own element. Each
// control's own reading and writing, and what a page switch reads, are rows of the case table
// (tests/cases/ui_cases.h).
#include <gtest/gtest.h>

#include <filesystem>

#include "fixture.h"
#include "prepared_state.h"

namespace vireo {
namespace {

// Controls of the catalogue's arrays, by element.
constexpr int kDevices = IDC_RESTRICTION_FIRST + 1;  // restriction "Вкладка "Устройства""
constexpr int kNetwork =
    IDC_CHECK_SETTING_FIRST + 5;  // check setting NoEntireNetwork, "1|-", Default 1

class PagesTest : public test::MainWindowFixture {
 protected:
  int Checked(int id) { return Get<HCheckBox>(id).Checked(); }
  std::string Text(int id) { return Get<ui::headless::Node>(id).text(); }
};

TEST_F(PagesTest, StartUpRefreshAndPageSwitchesOnlyRead) {
  const test::PreparedState state = test::PrepareLivedIn(memory, system);
  const std::string &ini = state.ini, &contents = state.ini_contents, &picture = state.picture;
  toolkit.loadable_pictures = {picture};
  Start();
  for (const char* when : {"start-up", "refresh"}) {
    SCOPED_TRACE(when);
    EXPECT_EQ(Writes(), 0u);
    EXPECT_EQ(system.ReadFile(ini), contents);
    EXPECT_EQ(profile.writes, 0);
    // What was read shows; how each control reads is in the rows of the case table.
    EXPECT_EQ(Checked(kNetwork), 1);
    EXPECT_EQ(Checked(kDevices), 1);
    EXPECT_EQ(Text(IDC_TEXT_SETTING_FIRST + 0), "Корзина");
    EXPECT_EQ(Get<HPicture>(IDC_TOOLBAR_BACKGROUND_PREVIEW).picture(), picture);
    EXPECT_FALSE(
        std::filesystem::exists(platform::HostPath(system.WindowsDirectory() + "\\ShellNew")));
    EXPECT_EQ(files.calls, 0);
    Refresh();
  }
  for (int p = 0; p < main::kPageCount; ++p) window->ShowPage(static_cast<main::PageId>(p));
  EXPECT_EQ(Get<HDropDown>(IDC_NEW_MENU_LIST).Count(), 3);  // read while the program was idle
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(system.ReadFile(ini), contents);
  EXPECT_EQ(memory.open_handles(), 0u);
}

TEST_F(PagesTest, AMissingCatalogueEntrySkipsOnlyItsAssignment) {
  strings.Remove(1001);   // the restriction path of "Вкладка "Устройства""
  strings.Remove(17000);  // the caption of the first check setting
  Start();
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(Checked(kDevices), 0);  // never read, never set
  EXPECT_EQ(Checked(IDC_RESTRICTION_FIRST + 2), 1);
  EXPECT_EQ(Text(IDC_CHECK_SETTING_FIRST + 0), "");  // ShowInfoTip
  EXPECT_EQ(Text(IDC_CHECK_SETTING_FIRST + 1), "Сохранять позиции иконок");
}

}  // namespace
}  // namespace vireo
