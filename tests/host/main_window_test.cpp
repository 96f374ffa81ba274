#include "main/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fixture.h"
#include "resource.h"

namespace vireo {
namespace {

using ui::headless::HButton;
using ui::headless::HWindow;
using ui::headless::Kind;
using ui::headless::Node;

class MainWindowTest : public test::Fixture {
 protected:
  HWindow& Main() { return *toolkit.FindWindow("Vireo"); }
  HButton& PageButton(const std::string& caption) {
    auto* node = Main().Find(Kind::kButton, caption);
    EXPECT_NE(node, nullptr) << caption;
    return *dynamic_cast<HButton*>(node);
  }
  // The page frames, front to back, named by their title labels.
  std::vector<std::string> Order() {
    std::vector<std::pair<int, std::string>> pages;
    for (int i = 0; i < main::kPageCount; ++i) {
      Node* frame = Main().FindId(IDC_PAGE_FIRST + i);
      Node* title = Main().FindId(IDC_PAGE_TITLE_FIRST + i);
      EXPECT_TRUE(frame && title && title->parent() == frame) << i;
      if (frame && title) pages.emplace_back(frame->ZIndex(), title->text());
    }
    std::sort(pages.begin(), pages.end());
    std::vector<std::string> titles;
    for (const auto& page : pages) titles.push_back(page.second);
    return titles;
  }
  std::string FrontPage() { return Order().empty() ? "" : Order().front(); }
};

TEST_F(MainWindowTest, StartsWithSplashThenShowsControlPanelPage) {
  main::MainWindow window(platform, toolkit);
  ASSERT_TRUE(window.Load());

  // The splash was shown and painted before the work, with its rounded outline, and unloaded
  // at the end, releasing the region it still owned.
  EXPECT_EQ(toolkit.CreatedCount("Vireo 1.00 loading..."), 1);
  EXPECT_EQ(toolkit.FindWindow("Vireo 1.00 loading..."), nullptr);
  EXPECT_EQ(regions.calls[0], "round 0,0,320,240 20x20");
  EXPECT_EQ(regions.calls[1], "round 10,10,330,250 20x20");
  EXPECT_EQ(regions.calls[2].rfind("union ", 0), 0u);
  EXPECT_EQ(regions.calls[3].find("redraw") != std::string::npos, true);
  EXPECT_EQ(regions.Outstanding(), 0);

  EXPECT_FALSE(Main().shown());
  window.Show();
  EXPECT_TRUE(Main().shown());
  EXPECT_EQ(Main().args().client_width, 750);
  EXPECT_EQ(Main().args().client_height, 409);
  EXPECT_EQ(Main().args().menu_id, IDR_MAIN_MENU);
  EXPECT_EQ(FrontPage(), " Панель управления");
  EXPECT_TRUE(PageButton("Панель управления").focused());

  // The etched separator: shadow colour at y = 0, highlight at y = 1, across the width.
  ASSERT_EQ(Main().lines().size(), 2u);
  EXPECT_EQ(Main().lines()[0].color, ui::kColorButtonShadow);
  EXPECT_EQ(Main().lines()[0].y1, 0);
  EXPECT_EQ(Main().lines()[0].x2, 750);
  EXPECT_EQ(Main().lines()[1].color, ui::kColorButtonHighlight);
  EXPECT_EQ(Main().lines()[1].y1, 1);

  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(system.exited);
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(MainWindowTest, RefusesOnAnotherPlatformWithoutShowingTheWindow) {
  system.version.platform_id = 2;
  main::MainWindow window(platform, toolkit);
  EXPECT_FALSE(window.Load());

  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "Vireo требует наличия установленной и запущенной ОС Windows 9x (95/98/Me). "
            "Продолжение работы невозможно.");
  EXPECT_EQ(messages.shown[0].title, "Vireo");
  EXPECT_EQ(messages.shown[0].style, platform::MessageStyle::kCriticalOk);
  // Shown over the splash window, which was up at the time.
  EXPECT_NE(messages.shown[0].owner, 0u);
  EXPECT_TRUE(system.exited);
  EXPECT_FALSE(Main().shown());
  EXPECT_EQ(counting.total(), 0u);
}

TEST_F(MainWindowTest, AFailedVersionQueryIsNotTakenForWindows9x) {
  system.version_fails = true;
  main::MainWindow window(platform, toolkit);
  EXPECT_FALSE(window.Load());
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(system.exited);
}

TEST_F(MainWindowTest, PageButtonsBringTheirPageToTheFrontAndWriteNothing) {
  main::MainWindow window(platform, toolkit);
  ASSERT_TRUE(window.Load());
  window.Show();

  const char* captions[] = {"Панель управления", "Explorer", "Active Desktop", "Папки и ярлыки",
                            "Файлы"};
  const int tops[] = {8, 80, 152, 224, 296};
  for (int i = 0; i < 5; ++i) {
    HButton& b = PageButton(captions[i]);
    EXPECT_EQ(b.rect().x, 8);
    EXPECT_EQ(b.rect().y, tops[i]);
    EXPECT_EQ(b.rect().width, 73);
    EXPECT_EQ(b.rect().height, 73);
    EXPECT_NE(b.icon_id(), 0);
  }

  // The design order behind the front page: Files, Folders, Active Desktop, Explorer.
  EXPECT_EQ(Order(), (std::vector<std::string>{" Панель управления", " Файлы", " Папки и ярлыки",
                                               " Системные иконки, Active Desktop", " Explorer"}));

  PageButton("Explorer").Click();
  EXPECT_EQ(FrontPage(), " Explorer");
  PageButton("Explorer").Click();
  EXPECT_EQ(FrontPage(), " Explorer");
  PageButton("Файлы").Click();
  EXPECT_EQ(Order(),
            (std::vector<std::string>{" Файлы", " Explorer", " Панель управления",
                                      " Папки и ярлыки", " Системные иконки, Active Desktop"}));
  // No page was hidden, and the header button does nothing.
  for (Node* child : Main().children()) {
    if (child->kind() == Kind::kFrame) {
      EXPECT_TRUE(child->visible());
    }
  }
  PageButton("GUI Shell").Click();
  EXPECT_EQ(FrontPage(), " Файлы");
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(MainWindowTest, RefreshShowsTheWaitWindowWhileItRuns) {
  main::MainWindow window(platform, toolkit);
  ASSERT_TRUE(window.Load());
  window.Show();

  Main().Command(IDM_FILE_REFRESH);
  ASSERT_EQ(toolkit.CreatedCount(""), 1);  // the wait window has no title text
  EXPECT_EQ(toolkit.FindWindow(""), nullptr);
  EXPECT_TRUE(Main().open());
  EXPECT_EQ(Writes(), 0u);

  Main().Command(IDM_FILE_REFRESH);
  EXPECT_EQ(toolkit.CreatedCount(""), 2);
}

TEST_F(MainWindowTest, ExitEndsAtOnceAndClosingTheWindowEndsTheLoop) {
  {
    main::MainWindow window(platform, toolkit);
    ASSERT_TRUE(window.Load());
    window.Show();
    Main().Command(IDM_FILE_EXIT);
    EXPECT_TRUE(system.exited);
    EXPECT_FALSE(toolkit.quit());
  }
  system.exited = false;
  main::MainWindow window(platform, toolkit);
  ASSERT_TRUE(window.Load());
  window.Show();
  Main().UserClose();
  EXPECT_TRUE(toolkit.quit());
  EXPECT_FALSE(system.exited);
}

}  // namespace
}  // namespace vireo
