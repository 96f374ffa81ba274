// The Explorer page's own controls: the drive list and the policy mask "NoDrives", the two-pane
// box, and the toolbar background with its preview, "Обзор..." and "Просмотр".
#include <gtest/gtest.h>

#include "fixture.h"

namespace vireo {
namespace {

using platform::kClassesRoot;
using platform::kCurrentUser;
using ui::headless::HButton;
using ui::headless::HCheckBox;
using ui::headless::HCheckList;
using ui::headless::HPicture;
using ui::headless::HTextBox;

constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kDde[] = "Folder\\Shell\\Open\\ddeexec";
constexpr char kToolbar[] = "Software\\Microsoft\\Internet Explorer\\Toolbar";
constexpr char kTwoPane[] = "[ExploreFolder(\"%l\", %I, %S)]";
constexpr char kOnePane[] = "[ViewFolder(\"%l\", %I, %S)]";

class ExplorerPageTest : public test::MainWindowFixture {
 protected:
  HCheckList& Drives() { return Get<HCheckList>(IDC_LST_DRIVES); }
  HCheckBox& TwoPane() { return Get<HCheckBox>(IDC_CHECK1); }
  HTextBox& Background() { return Get<HTextBox>(IDC_TEXT1); }
  HPicture& Preview() { return Get<HPicture>(IDC_IMAGE1); }
  // The drive letters shown cleared.
  std::string Hidden() {
    std::string letters;
    for (int i = 0; i < Drives().Count(); ++i) {
      if (!Drives().ItemChecked(i)) letters += static_cast<char>('A' + i);
    }
    return letters;
  }
  std::string NoDrives() { return Stored(kCurrentUser, kPolicies, "NoDrives"); }
  std::string Bitmap() { return Stored(kCurrentUser, kToolbar, "BackBitmapShell"); }
};

TEST_F(ExplorerPageTest, DriveListShowsAndWritesTheMask) {
  memory.PutText(kCurrentUser, kPolicies, "NoDrives", "garbage");
  Start();
  ASSERT_EQ(Drives().Count(), 26);
  const struct {
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    const char* hidden;
  } cases[] = {
      {4, {0x04, 0x00, 0x00, 0x00}, "C"},
      {3, {0x05, 0x00, 0x00, 0x02}, "ACZ"},  // 4 bytes of binary: a little-endian number
      {4, {0x00, 0x00, 0x00, 0x01}, "Y"},
      {3, {0x04, 0x00, 0x00}, ""},  // binary of another length counts as 0
      {1, {'4'}, ""},               // so does text
  };
  for (const auto& c : cases) {
    memory.Put(kCurrentUser, kPolicies, "NoDrives", c.type, c.data);
    Refresh();
    EXPECT_EQ(Hidden(), c.hidden) << c.type;
  }
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
  memory.PutNumber(kCurrentUser, kPolicies, "NoDrives", 4);
  Refresh();
  memory.Protect(kCurrentUser, kPolicies);
  Drives().ToggleCheck(3);
  Drives().ToggleCheck(2);
  EXPECT_EQ(Hidden(), "C");
  EXPECT_EQ(NoDrives(), "#4");
}

TEST_F(ExplorerPageTest, TwoPaneBoxComparesTheCommandWithoutLetterCase) {
  Start();
  const struct {
    const char* stored;  // nullptr: no value
    int shown;
  } cases[] = {
      {kTwoPane, 1},
      {nullptr, 0},
      {"[explorefolder(\"%l\", %i, %s)]", 1},
      {"[ExploreFolder(\"%l\", %I,  %S)]", 0},
      {"[ExploreFolder(\"%l\", %I, %S)] ", 0},
      {kOnePane, 0},
  };
  for (const auto& c : cases) {
    memory.DeleteKey(kClassesRoot, kDde);
    if (c.stored) memory.PutText(kClassesRoot, kDde, "", c.stored);
    window->ShowPage(main::PageId::kExplorer);
    EXPECT_EQ(TwoPane().Checked(), c.shown) << (c.stored ? c.stored : "none");
  }

  // The refresh ticks the box, but never clears it.
  Refresh();
  EXPECT_EQ(TwoPane().Checked(), 0);
  memory.PutText(kClassesRoot, kDde, "", "[explorefolder(\"%l\", %i, %s)]");
  Refresh();
  EXPECT_EQ(TwoPane().Checked(), 1);
  memory.PutText(kClassesRoot, kDde, "", kOnePane);
  Refresh();
  EXPECT_EQ(TwoPane().Checked(), 1);
  EXPECT_EQ(Writes(), 0u);

  TwoPane().Click();
  EXPECT_EQ(Stored(kClassesRoot, kDde, ""), kOnePane);
  TwoPane().Click();
  EXPECT_EQ(Stored(kClassesRoot, kDde, ""), kTwoPane);
  EXPECT_EQ(counting.count(platform::CountingRegistry::kSet), 2u);

  // A write that fails shows what the registry still holds.
  memory.Protect(kClassesRoot, kDde);
  TwoPane().Click();
  EXPECT_EQ(TwoPane().Checked(), 1);
  EXPECT_EQ(Stored(kClassesRoot, kDde, ""), kTwoPane);
}

TEST_F(ExplorerPageTest, BackgroundTextIsWrittenAtEveryKeystrokeAndDeletedWhenEmpty) {
  Start();
  Background().Type("c:\\a");
  EXPECT_EQ(Bitmap(), "c:\\a");
  EXPECT_EQ(counting.count(platform::CountingRegistry::kSet), 4u);
  Background().Backspace();
  EXPECT_EQ(Bitmap(), "c:\\");
  Background().Replace("c");
  EXPECT_EQ(Bitmap(), "c");
  Background().Backspace();
  EXPECT_EQ(Bitmap(), "<none>");
  EXPECT_TRUE(memory.Exists(kCurrentUser, kToolbar));
  EXPECT_EQ(Preview().picture(), "");

  // A write or delete that fails shows what the registry still holds.
  memory.PutText(kCurrentUser, kToolbar, "BackBitmapShell", "x.bmp");
  Refresh();
  memory.Protect(kCurrentUser, kToolbar);
  Background().Type("y");
  EXPECT_EQ(Background().Text(), "x.bmp");
  Background().Replace("");
  EXPECT_EQ(Background().Text(), "x.bmp");
}

TEST_F(ExplorerPageTest, PreviewLoadsAtStartUpAndOnBrowseOnly) {
  const std::string first = system.WindowsDirectory() + "\\Clouds.bmp";
  const std::string second = system.WindowsDirectory() + "\\Setup.bmp";
  const std::string chosen = system.WindowsDirectory() + "\\Forest.bmp";
  toolkit.loadable_pictures = {first, second, chosen};
  memory.PutText(kCurrentUser, kToolbar, "BackBitmapShell", first);
  Start();
  EXPECT_EQ(Preview().picture(), first);
  memory.PutText(kCurrentUser, kToolbar, "BackBitmapShell", second);
  Refresh();
  EXPECT_EQ(Background().Text(), second);
  window->ShowPage(main::PageId::kExplorer);
  EXPECT_EQ(Preview().picture(), first);
  EXPECT_EQ(Writes(), 0u);

  // "Обзор...": a cancel changes nothing; a bitmap chosen is written and shown.
  Get<HButton>(IDC_COMMAND5).Click();
  ASSERT_EQ(chooser.requests.size(), 1u);
  EXPECT_NE(chooser.requests[0].filter_list.find("*.bmp"), std::string::npos);
  EXPECT_EQ(chooser.requests[0].owner, Main().Handle());
  EXPECT_EQ(Writes(), 0u);
  chooser.next_choice = chosen;
  Get<HButton>(IDC_COMMAND5).Click();
  EXPECT_EQ(Background().Text(), chosen);
  EXPECT_EQ(Bitmap(), chosen);
  EXPECT_EQ(Preview().picture(), chosen);

  // "Просмотр" opens the root of drive C.
  Get<HButton>(IDC_COMMAND6).Click();
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].target, "c:\\");
}

}  // namespace
}  // namespace vireo
