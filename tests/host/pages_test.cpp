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

constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
constexpr char kSystemPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr char kWebFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\MyComputer\\NameSpace\\"
    "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}";

// Controls of the catalogue's arrays, by element.
constexpr int kDevices = IDC_RESTRICTION_FIRST + 1;  // restriction "Вкладка "Устройства""
constexpr int kInfoTip = IDC_CHECK_SETTING_FIRST + 0;  // check setting ShowInfoTip
constexpr int kNetwork =
    IDC_CHECK_SETTING_FIRST + 5;  // check setting NoEntireNetwork, "1|-", Default 1
constexpr int kComponents = IDC_RESTRICTION_FIRST + 19;  // restriction on the Active Desktop page
constexpr int kWebFolderBox = IDC_MY_COMPUTER_FIRST + 2;

class PagesTest : public test::MainWindowFixture {
 protected:
  int Checked(int id) { return Get<HCheckBox>(id).Checked(); }
  std::string Text(int id) { return Get<ui::headless::Node>(id).text(); }
  bool Ticked(int list, int item) { return Get<HCheckList>(list).ItemChecked(item); }
};

TEST_F(PagesTest, StartUpRefreshAndPageSwitchesOnlyRead) {
  const test::PreparedState state = test::PrepareLivedIn(memory, system);
  const std::string& ini = state.ini;
  const std::string& contents = state.ini_contents;
  const std::string& picture = state.picture;
  toolkit.loadable_pictures = {picture};
  Start();
  for (const char* when : {"start-up", "refresh"}) {
    SCOPED_TRACE(when);
    EXPECT_EQ(Writes(), 0u);
    EXPECT_EQ(system.ReadFile(ini), contents);
    EXPECT_EQ(profile.writes, 0);
    // What was read shows.
    EXPECT_EQ(Checked(kNetwork), 1);
    EXPECT_EQ(Checked(kDevices), 1);
    EXPECT_EQ(Checked(kWebFolderBox), 1);
    EXPECT_EQ(Text(IDC_TEXT_SETTING_FIRST + 0), "Корзина");
    EXPECT_EQ(Text(IDC_TEXT_SETTING_FIRST + 14), "Приложение");
    EXPECT_EQ(Get<HDropDown>(IDC_CHOICE_SETTING_FIRST).Selection(), 2);
    EXPECT_EQ(Get<HPicture>(IDC_TOOLBAR_BACKGROUND_PREVIEW).picture(), picture);
    EXPECT_EQ(Text(IDC_ICON_SIZE_VALUE), " 48");
    EXPECT_EQ(Stored(kLocalMachine, kWebFolders, ""), "Web Folders");
    EXPECT_EQ(Checked(IDC_QUICK_VIEW), 1);
    EXPECT_EQ(Checked(IDC_OPEN_WITH), 1);
    EXPECT_EQ(Text(IDC_UNKNOWN_FILES_COMMAND), "notepad.exe %1");
    EXPECT_FALSE(Ticked(IDC_EXTENSIONS_LIST, 0));
    EXPECT_TRUE(Ticked(IDC_EXTENSIONS_LIST, 3));
    EXPECT_TRUE(Ticked(IDC_ICON_FILES_LIST, 2));
    EXPECT_FALSE(Ticked(IDC_ICON_FILES_LIST, 3));
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
  EXPECT_EQ(Text(kInfoTip), "");
  EXPECT_EQ(Text(IDC_CHECK_SETTING_FIRST + 1), "Сохранять позиции иконок");
}

}  // namespace
}  // namespace vireo
