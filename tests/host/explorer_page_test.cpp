// The Explorer page's own controls: the drive list and the policy mask "NoDrives", the two-pane
// box, and the toolbar background with its preview, "Обзор..." and "Просмотр".
#include <gtest/gtest.h>

#include "fixture.h"
#include "main/explorer_page.h"

namespace vireo {
namespace {

constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kDde[] = "Folder\\Shell\\Open\\ddeexec";
constexpr char kToolbar[] = "Software\\Microsoft\\Internet Explorer\\Toolbar";
constexpr char kTwoPane[] = "[ExploreFolder(\"%l\", %I, %S)]";
constexpr char kOnePane[] = "[ViewFolder(\"%l\", %I, %S)]";

class ExplorerPageTest : public test::MainWindowFixture {
 protected:
  HCheckList& Drives() { return Get<HCheckList>(IDC_DRIVES_LIST); }
  HCheckBox& TwoPane() { return Get<HCheckBox>(IDC_TWO_PANE); }
  HTextBox& Background() { return Get<HTextBox>(IDC_TOOLBAR_BACKGROUND_PATH); }
  HPicture& Preview() { return Get<HPicture>(IDC_TOOLBAR_BACKGROUND_PREVIEW); }
  std::string NoDrives() { return Stored(kCurrentUser, kPolicies, "NoDrives"); }
  std::string Bitmap() { return Stored(kCurrentUser, kToolbar, "BackBitmapShell"); }
};

TEST_F(ExplorerPageTest, DriveListShowsAndWritesTheMask) {
  memory.PutText(kCurrentUser, kPolicies, "NoDrives", "garbage");
  Start();
  const struct {
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    const char* ticks;
  } cases[] = {
      {4, {0x04, 0x00, 0x00, 0x00}, "xx.xxxxxxxxxxxxxxxxxxxxxxx"},
      // 4 bytes of binary: a little-endian number; binary of another length and text count as 0.
      {3, {0x05, 0x00, 0x00, 0x02}, ".x.xxxxxxxxxxxxxxxxxxxxxx."},
      {4, {0x00, 0x00, 0x00, 0x01}, "xxxxxxxxxxxxxxxxxxxxxxxx.x"},
      {3, {0x04, 0x00, 0x00}, "xxxxxxxxxxxxxxxxxxxxxxxxxx"},
      {1, {'4'}, "xxxxxxxxxxxxxxxxxxxxxxxxxx"},
  };
  for (const auto& c : cases) {
    memory.Put(kCurrentUser, kPolicies, "NoDrives", c.type, c.data);
    Refresh();
    EXPECT_EQ(test::Ticks(Drives()), c.ticks) << c.type;
  }
  // A page switch reads the ticks as the refresh does, but the user's place stays where it was;
  // the refresh makes A:\ current.
  Drives().Choose(5);
  memory.PutNumber(kCurrentUser, kPolicies, "NoDrives", 4);
  window->ShowPage(main::PageId::kExplorer);
  EXPECT_EQ(test::Ticks(Drives()), "xx.xxxxxxxxxxxxxxxxxxxxxxx");
  EXPECT_EQ(Drives().Selection(), 5);
  memory.PutText(kCurrentUser, kPolicies, "NoDrives", "garbage");
  Refresh();
  EXPECT_EQ(Drives().Selection(), 0);
  EXPECT_EQ(Writes(), 0u);

  // Every click writes the whole mask as a number, and deletes the value at 0.
  Drives().ToggleCheck(3);
  EXPECT_EQ(NoDrives(), "#8");
  Drives().ToggleCheck(3);
  EXPECT_EQ(NoDrives(), "<none>");
  EXPECT_TRUE(memory.Exists(kCurrentUser, kPolicies));
  for (int i = 0; i < 26; ++i) Drives().ToggleCheck(i);
  EXPECT_EQ(NoDrives(), "#67108863");

  // A write that fails shows what the registry still holds.
  memory.Protect(kCurrentUser, kPolicies);
  Drives().ToggleCheck(3);
  EXPECT_FALSE(Drives().ItemChecked(3));
}

TEST_F(ExplorerPageTest, TwoPaneBoxComparesTheCommandWithoutLetterCase) {
  Start();
  const std::pair<const char*, int> cases[] = {
      {kTwoPane, 1},
      {nullptr, 0},
      {"[explorefolder(\"%l\", %i, %s)]", 1},
      {"[ExploreFolder(\"%l\", %I,  %S)]", 0},
      {kOnePane, 0},
  };
  for (const auto& [stored, shown] : cases) {
    memory.DeleteKey(kClassesRoot, kDde);
    if (stored) memory.PutText(kClassesRoot, kDde, "", stored);
    window->page<main::ExplorerPage>().view().Load();  // as start-up reads it
    EXPECT_EQ(TwoPane().Checked(), shown) << (stored ? stored : "none");
  }
  // The refresh ticks the box, but never clears it; neither does a page switch.
  memory.PutText(kClassesRoot, kDde, "", "[explorefolder(\"%l\", %i, %s)]");
  Refresh();
  memory.PutText(kClassesRoot, kDde, "", kOnePane);
  Refresh();
  EXPECT_EQ(TwoPane().Checked(), 1);
  window->ShowPage(main::PageId::kExplorer);
  EXPECT_EQ(TwoPane().Checked(), 1);
  EXPECT_EQ(Writes(), 0u);

  TwoPane().Click();
  EXPECT_EQ(Stored(kClassesRoot, kDde, ""), kOnePane);
  TwoPane().Click();
  EXPECT_EQ(Stored(kClassesRoot, kDde, ""), kTwoPane);
  memory.Protect(kClassesRoot, kDde);
  TwoPane().Click();
  EXPECT_EQ(TwoPane().Checked(), 1);
}

TEST_F(ExplorerPageTest, BackgroundIsWrittenAtEveryKeystrokeAndPreviewedOnBrowseOnly) {
  const std::string first = system.WindowsDirectory() + "\\Clouds.bmp";
  const std::string chosen = system.WindowsDirectory() + "\\Forest.bmp";
  toolkit.loadable_pictures = {first, chosen};
  memory.PutText(kCurrentUser, kToolbar, "BackBitmapShell", first);
  Start();
  EXPECT_EQ(Preview().picture(), first);
  Background().Type("x");
  EXPECT_EQ(Bitmap(), first + "x");
  EXPECT_EQ(Preview().picture(), first);  // typing does not load
  Background().Replace("c");
  Background().Backspace();  // the last character: the value goes, the key stays
  EXPECT_EQ(Bitmap(), "<none>");
  EXPECT_TRUE(memory.Exists(kCurrentUser, kToolbar));

  // "Обзор...": a cancel changes nothing; a bitmap chosen is written and shown.
  const std::size_t writes = Writes();
  Get<HButton>(IDC_TOOLBAR_BACKGROUND_BROWSE).Click();
  EXPECT_EQ(Writes(), writes);
  chooser.next_choice = chosen;
  Get<HButton>(IDC_TOOLBAR_BACKGROUND_BROWSE).Click();
  EXPECT_EQ(Background().Text(), chosen);
  EXPECT_EQ(Bitmap(), chosen);
  EXPECT_EQ(Preview().picture(), chosen);
  EXPECT_EQ(chooser.requests[0].owner, Main().Handle());

  // A write or delete that fails shows what the registry still holds.
  memory.Protect(kCurrentUser, kToolbar);
  Background().Type("y");
  EXPECT_EQ(Background().Text(), chosen);
  Background().Replace("");
  EXPECT_EQ(Background().Text(), chosen);

  // "Просмотр" opens the root of drive C.
  Get<HButton>(IDC_TOOLBAR_BACKGROUND_VIEW).Click();
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].target, "c:\\");
}

}  // namespace
}  // namespace vireo
