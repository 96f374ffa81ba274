#include "main/main_window.h"

#include <gtest/gtest.h>

#include <map>

#include "fixture.h"
#include "resource.h"

namespace vireo {
namespace {

using ui::headless::HButton;
using ui::headless::Kind;
using ui::headless::Node;

class MainWindowTest : public test::MainWindowFixture {
 protected:
  HButton& PageButton(int page) { return Get<HButton>(IDC_PAGE_BUTTON_FIRST + page); }
  // The page frames, front to back, by page number; none of them hidden.
  std::vector<int> Order() {
    std::map<int, int> pages;  // by position among the main window's children
    for (int i = 0; i < main::kPageCount; ++i) {
      Node& frame = Get<Node>(IDC_PAGE_FIRST + i);
      EXPECT_TRUE(frame.visible()) << i;
      pages[frame.ZIndex()] = i;
    }
    std::vector<int> order;
    for (const auto& [z, page] : pages) order.push_back(page);
    return order;
  }
};

TEST_F(MainWindowTest, StartsWithSplashThenShowsControlPanelPage) {
  main::MainWindow program(platform, toolkit);
  ASSERT_TRUE(program.Load());

  // The splash was shown with its rounded outline before the work, and unloaded at the end,
  // releasing the region it still owned.
  EXPECT_EQ(toolkit.CreatedCount("Vireo 1.00 loading..."), 1);
  EXPECT_EQ(toolkit.FindWindow("Vireo 1.00 loading..."), nullptr);
  ASSERT_GE(regions.calls.size(), 3u);
  EXPECT_EQ(regions.calls[2].rfind("union ", 0), 0u);
  EXPECT_EQ(regions.Outstanding(), 0);

  EXPECT_FALSE(Main().shown());
  program.Show();
  EXPECT_TRUE(Main().shown());
  EXPECT_EQ(Main().args().client_width, 750);
  EXPECT_EQ(Main().args().client_height, 409);
  EXPECT_EQ(Order().front(), 0);
  EXPECT_TRUE(PageButton(0).focused());
  // The etched separator under the menu bar: shadow, then highlight.
  ASSERT_EQ(Main().lines().size(), 2u);
  EXPECT_EQ(Main().lines()[0].color, ui::kColorButtonShadow);
  EXPECT_EQ(Main().lines()[1].color, ui::kColorButtonHighlight);

  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(system.exited);
  EXPECT_EQ(Writes(), 0u);
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
    EXPECT_EQ(messages.shown[0].style, platform::MessageStyle::kCriticalOk);
    // Shown over the splash window, which was up at the time.
    EXPECT_NE(messages.shown[0].owner, 0u);
    EXPECT_TRUE(system.exited);
    EXPECT_FALSE(Main().shown());
    EXPECT_EQ(counting.total(), 0u);
  }
}

TEST_F(MainWindowTest, PageButtonsBringTheirPageToTheFrontAndWriteNothing) {
  Start();
  // The design order behind the front page: Files, Folders, Active Desktop, Explorer.
  EXPECT_EQ(Order(), (std::vector<int>{0, 4, 3, 2, 1}));
  PageButton(1).Click();
  PageButton(1).Click();
  EXPECT_EQ(Order().front(), 1);
  PageButton(4).Click();
  EXPECT_EQ(Order(), (std::vector<int>{4, 1, 0, 3, 2}));
  // The header button does nothing.
  Get<HButton>(IDC_GUI_SHELL).Click();
  EXPECT_EQ(Order().front(), 4);
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(MainWindowTest, RefreshShowsTheWaitWindowWhileItRuns) {
  Start();
  Refresh();
  ASSERT_EQ(toolkit.CreatedCount(""), 1);  // the wait window has no title text
  EXPECT_EQ(toolkit.FindWindow(""), nullptr);
  EXPECT_TRUE(Main().open());
  Refresh();
  EXPECT_EQ(toolkit.CreatedCount(""), 2);
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

}  // namespace
}  // namespace vireo
