// The main window's pages together: the catalogue-bound arrays (restriction boxes, My Computer
// boxes, text settings), and what start-up, the refresh and page switches read. Start-up, the
// refresh and page switches only read, whatever the registry and control.ini hold, and a page
// switch reads again only the page brought to the front.
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
constexpr char kRecycleBin[] = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}";

// Controls of the catalogue's arrays, by element.
constexpr int kDevices = IDC_RESTRICTION_FIRST + 1;  // restriction "Вкладка "Устройства""
constexpr int kPasswords = IDC_RESTRICTION_FIRST + 12;  // restriction "Смена паролей", NoPwdPage
constexpr int kInfoTip = IDC_CHECK_SETTING_FIRST + 0;  // check setting ShowInfoTip
constexpr int kNetwork =
    IDC_CHECK_SETTING_FIRST + 5;  // check setting NoEntireNetwork, "1|-", Default 1
constexpr int kComponents = IDC_RESTRICTION_FIRST + 19;  // restriction on the Active Desktop page
constexpr int kWebFolderBox = IDC_MY_COMPUTER_FIRST + 2;
constexpr int kTasksBox = IDC_MY_COMPUTER_FIRST + 1;

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

TEST_F(PagesTest, APageSwitchRereadsOnlyThePageBroughtToTheFront) {
  Start();
  // Outside the program, a change behind a control of each page.
  memory.PutNumber(kCurrentUser, kSystemPolicies, "NoDevMgrPage", 1);
  memory.PutNumber(kCurrentUser, std::string(kExplorer) + "\\Advanced", "ShowInfoTip", 1);
  memory.PutNumber(kCurrentUser, std::string(kPolicies) + "\\Explorer", "NoDrives", 8);
  memory.PutNumber(kCurrentUser, std::string(kPolicies) + "\\ActiveDesktop", "NoComponents", 1);
  memory.PutText(kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Setup", "SourcePath",
                 "S:\\");
  memory.PutText(kCurrentUser, "InstallLocationsMRU", "b", "B:\\");
  memory.PutText(kClassesRoot, ".vbs", "", "VBSFile");
  memory.PutText(kClassesRoot, "VBSFile", "NeverShowExt", "");

  auto untouched = [&](bool control_panel, bool explorer, bool desktop, bool folders) {
    EXPECT_EQ(Checked(kDevices), control_panel ? 1 : 0);
    EXPECT_EQ(Checked(kInfoTip), explorer ? 0 : 1);
    EXPECT_EQ(Ticked(IDC_DRIVES_LIST, 3), explorer);
    EXPECT_EQ(Checked(kComponents), desktop ? 1 : 0);
    EXPECT_EQ(Text(IDC_SOURCE_PATH), folders ? "" : "S:\\");
    EXPECT_EQ(Text(IDC_INSTALL_PATH_FIRST + 1), folders ? "" : "B:\\");
  };
  window->ShowPage(main::PageId::kExplorer);
  untouched(true, false, true, true);
  Get<HButton>(IDC_PAGE_BUTTON_FIRST + 0).Click();
  untouched(false, false, true, true);
  Get<HButton>(IDC_PAGE_BUTTON_FIRST + 2).Click();
  untouched(false, false, false, true);
  window->ShowPage(main::PageId::kFolders);
  untouched(false, false, false, false);
  EXPECT_TRUE(Ticked(IDC_EXTENSIONS_LIST, 9));
  window->ShowPage(main::PageId::kFiles);
  EXPECT_FALSE(Ticked(IDC_EXTENSIONS_LIST, 9));
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(PagesTest, RestrictionBoxShowsAndWritesTheRestrictionValue) {
  // Absent: ticked. The number 1 or the text "1": cleared. Anything else: ticked.
  Start();
  EXPECT_EQ(Checked(kPasswords), 1);
  const struct {
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    int shown;
  } cases[] = {
      {4, {1, 0, 0, 0}, 0}, {1, {'1'}, 0}, {4, {0, 0, 0, 0}, 1},
      {4, {2, 0, 0, 0}, 1}, {1, {'x'}, 1}, {3, {1, 0, 0, 0}, 1},
  };
  for (const auto& c : cases) {
    memory.Put(kCurrentUser, kSystemPolicies, "NoPwdPage", c.type, c.data);
    Refresh();
    EXPECT_EQ(Checked(kPasswords), c.shown) << c.type;
  }

  // Clearing writes the 32-bit number 1; ticking deletes the value.
  memory.PutNumber(kCurrentUser, kSystemPolicies, "NoPwdPage", 0);
  Refresh();
  Get<HCheckBox>(kPasswords).Click();
  EXPECT_EQ(Stored(kCurrentUser, kSystemPolicies, "NoPwdPage"), "#1");
  Get<HCheckBox>(kPasswords).Click();
  EXPECT_EQ(Stored(kCurrentUser, kSystemPolicies, "NoPwdPage"), "<none>");
  EXPECT_TRUE(memory.Exists(kCurrentUser, kSystemPolicies));
}

TEST_F(PagesTest, MyComputerBoxShowsAndMakesTheNameSpaceKey) {
  memory.PutText(kLocalMachine, std::string(kWebFolders) + "\\Sub", "x", "below");
  Start();
  EXPECT_EQ(Checked(kWebFolderBox), 1);
  EXPECT_EQ(Checked(kTasksBox), 0);
  Get<HCheckBox>(kWebFolderBox).Click();
  EXPECT_FALSE(memory.Exists(kLocalMachine, kWebFolders));
  Get<HCheckBox>(kWebFolderBox).Click();
  EXPECT_EQ(Stored(kLocalMachine, kWebFolders, ""), "");
  // The refresh reads the keys again.
  memory.DeleteKey(kLocalMachine, kWebFolders);
  Refresh();
  EXPECT_EQ(Checked(kWebFolderBox), 0);
}

TEST_F(PagesTest, TypingANameWritesBothPathsAtEveryKeystroke) {
  Start();
  HTextBox& name = Get<HTextBox>(IDC_TEXT_SETTING_FIRST + 0);
  EXPECT_EQ(name.Text(), "");
  const std::string classes = std::string("Software\\Classes\\") + kRecycleBin;

  name.Type("Ко");
  EXPECT_EQ(Stored(kLocalMachine, classes, ""), "Ко");
  // Two keystrokes, two writes to each of the two paths.
  EXPECT_EQ(counting.count(platform::CountingRegistry::kSet), 4u);
  name.Backspace();
  name.Backspace();
  // A cleared field writes the empty text; it deletes nothing.
  EXPECT_EQ(Stored(kLocalMachine, classes, ""), "");

  // A one-path entry writes only its path.
  Get<HTextBox>(IDC_TEXT_SETTING_FIRST + 8).Type("Мусор");
  EXPECT_EQ(Stored(kLocalMachine, classes, "InfoTip"), "Мусор");
  EXPECT_EQ(counting.count(platform::CountingRegistry::kSet), 13u);
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
