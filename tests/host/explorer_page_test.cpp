// The Explorer page beyond its rows in the case table (tests/cases/ui_cases.h): the drive list's
// current item, and the toolbar background's preview with "Обзор..." and "Просмотр".
#include <gtest/gtest.h>

#include "fixture.h"

namespace vireo {
namespace {

constexpr char kToolbar[] = "Software\\Microsoft\\Internet Explorer\\Toolbar";

class ExplorerPageTest : public test::MainWindowFixture {};

TEST_F(ExplorerPageTest, APageSwitchKeepsTheDriveTheUserChoseAndTheRefreshMakesAFirst) {
  Start();
  HCheckList& drives = Get<HCheckList>(IDC_DRIVES_LIST);
  drives.Choose(5);
  window->ShowPage(main::PageId::kExplorer);
  EXPECT_EQ(drives.Selection(), 5);
  Refresh();
  EXPECT_EQ(drives.Selection(), 0);
}

TEST_F(ExplorerPageTest, ThePreviewLoadsAtStartUpAndOnBrowseNeverWhileTyping) {
  const std::string first = system.WindowsDirectory() + "\\Clouds.bmp";
  const std::string chosen = system.WindowsDirectory() + "\\Forest.bmp";
  toolkit.loadable_pictures = {first, chosen};
  memory.PutText(kCurrentUser, kToolbar, "BackBitmapShell", first);
  Start();
  HTextBox& background = Get<HTextBox>(IDC_TOOLBAR_BACKGROUND_PATH);
  HPicture& preview = Get<HPicture>(IDC_TOOLBAR_BACKGROUND_PREVIEW);
  EXPECT_EQ(preview.picture(), first);
  background.Type("x");
  EXPECT_EQ(preview.picture(), first);

  // "Обзор...": a cancel changes nothing; a bitmap chosen is written and shown.
  const std::size_t writes = Writes();
  Get<HButton>(IDC_TOOLBAR_BACKGROUND_BROWSE).Click();
  EXPECT_EQ(Writes(), writes);
  chooser.next_choice = chosen;
  Get<HButton>(IDC_TOOLBAR_BACKGROUND_BROWSE).Click();
  EXPECT_EQ(background.Text(), chosen);
  EXPECT_EQ(Stored(kCurrentUser, kToolbar, "BackBitmapShell"), chosen);
  EXPECT_EQ(preview.picture(), chosen);
  EXPECT_EQ(chooser.requests[0].owner, Main().Handle());

  // "Просмотр" opens the root of drive C.
  Get<HButton>(IDC_TOOLBAR_BACKGROUND_VIEW).Click();
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].target, "c:\\");
}

}  // namespace
}  // namespace vireo
