// The main window's shell: the splash, the refusal on another platform, the page order, the wait
// window of the refresh, how the program ends, and every modal window giving the window under it
// back the moment it closes, however it closes.
#include "main/main_window.h"

#include <gtest/gtest.h>

#include <map>

#include "catalogue_ids.h"
#include "fixture.h"

namespace vireo {
namespace {

class MainWindowTest : public test::MainWindowFixture {
 protected:
  // The page frames, front to back, by page number; none of them hidden.
  std::vector<int> Order() {
    std::map<int, int> pages;  // by position among the main window's children
    for (int i = 0; i < main::kPageCount; ++i) {
      ui::headless::Node& frame = Get<ui::headless::Node>(IDC_PAGE_FIRST + i);
      EXPECT_TRUE(frame.visible()) << i;
      pages[frame.ZIndex()] = i;
    }
    std::vector<int> order;
    for (const auto& [z, page] : pages) order.push_back(page);
    return order;
  }
};

TEST_F(MainWindowTest, SplashComesAndGoesAndTheWindowWaitsForShow) {
  main::MainWindow program(platform, toolkit);
  ASSERT_TRUE(program.Load());
  EXPECT_EQ(toolkit.CreatedCount("Vireo 1.00 loading..."), 1);
  EXPECT_EQ(toolkit.FindWindow("Vireo 1.00 loading..."), nullptr);
  EXPECT_EQ(regions.Outstanding(), 0);  // the splash's outline is released with it
  EXPECT_FALSE(Main().shown());
  program.Show();
  EXPECT_TRUE(Main().shown());
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(system.exited);
}

TEST_F(MainWindowTest, RefusesOnAnotherPlatformWithoutShowingTheWindow) {
  // Windows NT, and a version query that fails, are not taken for Windows 9x.
  for (const bool fails : {false, true}) {
    system.version.platform_id = fails ? 1 : 2;
    system.version_fails = fails;
    system.exited = false;
    messages.shown.clear();
    main::MainWindow program(platform, toolkit);
    EXPECT_FALSE(program.Load());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, main::kPlatformMessage);
    EXPECT_NE(messages.shown[0].owner, 0u);  // over the splash, up at the time
    EXPECT_TRUE(system.exited);
    EXPECT_FALSE(Main().shown());
    EXPECT_EQ(counting.total(), 0u);
  }
}

TEST_F(MainWindowTest, PageButtonsAndTheRefreshOnlyRead) {
  Start();
  // The design order behind the front page: the last page first, the second one at the back.
  std::vector<int> order = {0};
  for (int p = main::kPageCount - 1; p > 0; --p) order.push_back(p);
  EXPECT_EQ(Order(), order);
  const int last = main::kPageCount - 1;
  Get<HButton>(IDC_PAGE_BUTTON_FIRST + 1).Click();
  Get<HButton>(IDC_PAGE_BUTTON_FIRST + last).Click();
  std::erase(order, 1);
  std::erase(order, last);
  order.insert(order.begin(), {last, 1});
  EXPECT_EQ(Order(), order);
  Get<HButton>(IDC_BAR_HEADER).Click();  // the header button does nothing
  EXPECT_EQ(Order().front(), last);
  // The refresh shows the wait window (no title) while it runs.
  Refresh();
  Refresh();
  EXPECT_EQ(toolkit.CreatedCount(""), 2);
  EXPECT_EQ(toolkit.FindWindow(""), nullptr);
  EXPECT_EQ(Writes(), 0u);
}

// One catalogue entry changed and configured alone: its element takes the new text and reads
// the registry where the text now points; the other elements keep what they showed.
TEST_F(MainWindowTest, AnEntryConfiguredAloneChangesOnlyItsElement) {
  using namespace catalogue;
  Start();
  memory.Put(platform::kCurrentUser, "Test", "Hidden", platform::kRegDword, {1, 0, 0, 0});
  auto& restriction = Get<HCheckBox>(IDC_RESTRICTION_FIRST + 3);
  auto& neighbour = Get<HCheckBox>(IDC_RESTRICTION_FIRST + 4);
  auto& check = Get<HCheckBox>(IDC_CHECK_SETTING_FIRST + 2);
  ASSERT_EQ(restriction.Checked(), 1);
  const std::string neighbour_text = neighbour.Text();
  const std::string check_text = check.Text();
  strings.Set(kIdsRestrictionCaption + 3, "Новая");
  strings.Set(kIdsRestrictionPath + 3, "HKCU\\Test\\Hidden");
  strings.Set(kIdsRestrictionCaption + 4, "Не эта");
  strings.Set(kIdsCheckCaption + 2, "И не эта");

  window->catalogue().ConfigureEntry(kIdsRestrictionPath + 3);
  EXPECT_EQ(restriction.Text(), "Новая");
  EXPECT_EQ(restriction.Checked(), 0);
  EXPECT_EQ(neighbour.Text(), neighbour_text);
  EXPECT_EQ(check.Text(), check_text);
  // Ids no element uses: the launch menus' entries, the template box, numbers out of range.
  for (const int id :
       {kIdsProgramsMenu + 1, kIdsRestrictionCaption, kIdsTextPath + kTextCount, -1, 99999}) {
    window->catalogue().ConfigureEntry(id);
  }
  EXPECT_EQ(neighbour.Text(), neighbour_text);
  window->catalogue().ConfigureEntry(kIdsCheckCaption + 2);
  EXPECT_EQ(check.Text(), "И не эта");
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(MainWindowTest, ExitEndsAtOnceAndClosingTheWindowEndsTheLoop) {
  Start();
  Main().Command(IDM_FILE_EXIT);
  EXPECT_TRUE(system.exited);
  EXPECT_FALSE(toolkit.quit());
  system.exited = false;
  Main().UserClose();
  EXPECT_TRUE(toolkit.quit());
  EXPECT_FALSE(system.exited);
}

struct Case {
  const char* window;
  int command;  // the main window's command that opens it; 0: "Добавить" of the Files page
  int list;     // the button of the system information that opens it; 0: none
  int button;   // its button that ends it
  const char* ways;  // b: that button, e: Enter, x: Escape, c: the close box
};

class ModalTest : public test::MainWindowFixture {};

TEST_F(ModalTest, TheOwnerTakesInputAgainTheMomentTheWindowCloses) {
  Start();
  window->ShowPage(main::PageId::kFiles);
  const Case cases[] = {
      {"frmNewMenu", 0, 0, IDC_NEW_ENTRY_OK, "bexc"},
      {"frmNewMenu, Отмена", 0, 0, IDC_NEW_ENTRY_CANCEL, "b"},
      {"journal", IDM_SERVICE_JOURNAL, 0, IDC_JOURNAL_CLOSE, "bxc"},
      {"frmSystemInfo", IDM_HELP_OS, 0, IDC_SYSINFO_OK, "bexc"},
      {"frmProcesses", IDM_HELP_OS, IDC_SYSINFO_PROCESSES, IDC_PROCS_OK, "bexc"},
      {"frmWindows", IDM_HELP_OS, IDC_SYSINFO_WINDOWS, IDC_WINDOWS_OK, "bexc"},
      {"frmAbout", IDM_HELP_ABOUT, 0, IDC_ABOUT_OK, "bexc"},
      {"search", IDM_FILE_FIND, 0, IDC_SEARCH_CLOSE, "bexc"},
  };
  for (const Case& c : cases) {
    for (const char* way = c.ways; *way; ++way) {
      SCOPED_TRACE(std::string(c.window) + ", way " + *way);
      HWindow* info = nullptr;
      bool closed = false, owner_back = false, main_waits = false;
      toolkit.on_modal = [&](HWindow& w) {
        if (c.list != 0 && info == nullptr) {
          info = &w;
          w.Get<HButton>(c.list)->Click();
          return;
        }
        ui::Window& owner = info ? static_cast<ui::Window&>(*info) : Main();
        if (*way == 'b') w.Get<HButton>(c.button)->Click();
        if (*way == 'e') w.PressEnter();
        if (*way == 'x') w.PressEscape();
        if (*way == 'c') w.UserClose();
        closed = !w.open();
        owner_back = owner.Enabled();
        main_waits = info != nullptr && !Main().Enabled();
      };
      c.command ? Main().Command(c.command) : Get<HButton>(IDC_NEW_MENU_ADD).Click();
      EXPECT_TRUE(closed);
      EXPECT_TRUE(owner_back);
      EXPECT_EQ(main_waits, c.list != 0);  // a list's window gives back its own owner only
      EXPECT_TRUE(Main().Enabled());
    }
  }
  toolkit.on_modal = nullptr;
  for (const auto& run : toolkit.modal_runs) EXPECT_TRUE(run.owner_disabled) << run.title;
}

}  // namespace
}  // namespace vireo
