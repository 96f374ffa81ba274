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
using Bytes = std::vector<std::uint8_t>;
using namespace std::string_literals;

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
  std::string Dword(std::uint32_t n) {
    return {static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16),
            static_cast<char>(n >> 24)};
  }
};

TEST_F(ExplorerPageTest, DriveListShowsTheMaskAtStartUpRefreshAndPageSwitch) {
  memory.PutNumber(kCurrentUser, kPolicies, "NoDrives", 4);
  Start();
  ASSERT_EQ(Drives().Count(), 26);
  EXPECT_EQ(Drives().Item(0), "A:\\");
  EXPECT_EQ(Drives().Item(25), "Z:\\");
  EXPECT_EQ(Hidden(), "C");
  struct Case {
    std::uint32_t type;
    Bytes data;
    const char* hidden;
  } cases[] = {
      {3, {0x05, 0x00, 0x00, 0x02}, "ACZ"},  // 4 bytes of binary: a little-endian number
      {4, {0x00, 0x00, 0x00, 0x01}, "Y"},
      {3, {0x04, 0x00, 0x00}, ""},  // binary of another length counts as 0
      {1, {'4'}, ""},               // so does text
      {4, {0x10, 0x00, 0x00, 0x00}, "E"},
  };
  for (const Case& c : cases) {
    memory.Put(kCurrentUser, kPolicies, "NoDrives", c.type, c.data);
    Refresh();
    EXPECT_EQ(Hidden(), c.hidden) << c.type;
  }
  memory.PutNumber(kCurrentUser, kPolicies, "NoDrives", 1);
  window->ShowPage(main::PageId::kExplorer);
  EXPECT_EQ(Hidden(), "A");
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(ExplorerPageTest, DriveClicksWriteTheWholeMaskAsANumber) {
  memory.PutText(kCurrentUser, kPolicies, "NoDrives", "garbage");
  Start();
  EXPECT_EQ(Hidden(), "");
  Drives().ToggleCheck(3);
  EXPECT_EQ(NoDrives(), Dword(8));
  EXPECT_EQ(StoredType(kCurrentUser, kPolicies, "NoDrives"), platform::kRegDword);
  Drives().ToggleCheck(3);
  EXPECT_EQ(NoDrives(), "<none>");
  EXPECT_TRUE(memory.Exists(kCurrentUser, kPolicies));
  for (int i = 0; i < 26; ++i) Drives().ToggleCheck(i);
  EXPECT_EQ(NoDrives(), Dword(67108863));

  // A write that fails shows what the registry still holds.
  memory.PutNumber(kCurrentUser, kPolicies, "NoDrives", 4);
  Refresh();
  memory.Protect(kCurrentUser, kPolicies);
  Drives().ToggleCheck(3);
  EXPECT_EQ(Hidden(), "C");
  Drives().ToggleCheck(2);
  EXPECT_EQ(Hidden(), "C");
  EXPECT_EQ(NoDrives(), Dword(4));
}

TEST_F(ExplorerPageTest, TwoPaneBoxComparesTheCommandWithoutLetterCase) {
  struct Case {
    const char* stored;  // nullptr: no value
    int shown;
  } cases[] = {
      {nullptr, 0},
      {kTwoPane, 1},
      {"[explorefolder(\"%l\", %i, %s)]", 1},
      {"[ExploreFolder(\"%l\", %I,  %S)]", 0},
      {"[ExploreFolder(\"%l\", %I, %S)] ", 0},
      {kOnePane, 0},
  };
  for (const Case& c : cases) {
    if (c.stored != nullptr) memory.PutText(kClassesRoot, kDde, "", c.stored);
    Start();
    EXPECT_EQ(TwoPane().Checked(), c.shown) << (c.stored ? c.stored : "none");
  }
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(ExplorerPageTest, TwoPaneBoxRefreshOnlyTicksClicksWriteEitherCommand) {
  memory.PutText(kClassesRoot, kDde, "", kTwoPane);
  Start();
  memory.PutText(kClassesRoot, kDde, "", kOnePane);
  Refresh();
  EXPECT_EQ(TwoPane().Checked(), 1);
  Get<HButton>(IDC_PAGE_BUTTON_FIRST + 1).Click();
  EXPECT_EQ(TwoPane().Checked(), 0);
  memory.PutText(kClassesRoot, kDde, "", "[explorefolder(\"%l\", %i, %s)]");
  Refresh();
  EXPECT_EQ(TwoPane().Checked(), 1);
  EXPECT_EQ(Writes(), 0u);

  TwoPane().Click();
  EXPECT_EQ(Stored(kClassesRoot, kDde, ""), kOnePane);
  TwoPane().Click();
  EXPECT_EQ(Stored(kClassesRoot, kDde, ""), kTwoPane);
  EXPECT_EQ(StoredType(kClassesRoot, kDde, ""), platform::kRegSz);
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
  EXPECT_EQ(Stored(kCurrentUser, kToolbar, "BackBitmapShell"), "c:\\a");
  EXPECT_EQ(StoredType(kCurrentUser, kToolbar, "BackBitmapShell"), platform::kRegSz);
  EXPECT_EQ(counting.count(platform::CountingRegistry::kSet), 4u);
  Background().Backspace();
  EXPECT_EQ(Stored(kCurrentUser, kToolbar, "BackBitmapShell"), "c:\\");
  Background().Replace("c");
  EXPECT_EQ(Stored(kCurrentUser, kToolbar, "BackBitmapShell"), "c");
  Background().Backspace();
  EXPECT_EQ(Stored(kCurrentUser, kToolbar, "BackBitmapShell"), "<none>");
  EXPECT_TRUE(memory.Exists(kCurrentUser, kToolbar));
  EXPECT_EQ(Preview().picture(), "");

  memory.PutText(kCurrentUser, kToolbar, "BackBitmapShell", "x.bmp");
  Refresh();
  memory.Protect(kCurrentUser, kToolbar);
  Background().Type("y");
  EXPECT_EQ(Background().Text(), "x.bmp");
  Background().Replace("");
  EXPECT_EQ(Background().Text(), "x.bmp");
}

TEST_F(ExplorerPageTest, PreviewLoadsAtStartUpOnlyThePathIsReadAgain) {
  const std::string first = system.WindowsDirectory() + "\\Clouds.bmp";
  const std::string second = system.WindowsDirectory() + "\\Setup.bmp";
  toolkit.loadable_pictures = {first, second};
  memory.PutText(kCurrentUser, kToolbar, "BackBitmapShell", first);
  Start();
  EXPECT_EQ(Background().Text(), first);
  EXPECT_EQ(Preview().picture(), first);

  memory.PutText(kCurrentUser, kToolbar, "BackBitmapShell", second);
  Refresh();
  EXPECT_EQ(Background().Text(), second);
  EXPECT_EQ(Preview().picture(), first);
  memory.PutText(kCurrentUser, kToolbar, "BackBitmapShell", "");
  window->ShowPage(main::PageId::kExplorer);
  EXPECT_EQ(Background().Text(), "");
  EXPECT_EQ(Preview().picture(), first);
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(ExplorerPageTest, BrowseAsksForABitmapAndTakesTheChoice) {
  const std::string chosen = system.WindowsDirectory() + "\\Forest.bmp";
  toolkit.loadable_pictures = {chosen};
  memory.PutText(kCurrentUser, kToolbar, "BackBitmapShell", "old.bmp");
  Start();

  // Cancelled: nothing changes.
  Get<HButton>(IDC_COMMAND5).Click();
  ASSERT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(chooser.requests[0].filter_list, "Файлы точечных рисунков\0*.bmp\0\0"s);
  EXPECT_EQ(chooser.requests[0].title, "Выбор файла");
  EXPECT_EQ(chooser.requests[0].owner, Main().Handle());
  EXPECT_EQ(Background().Text(), "old.bmp");
  EXPECT_EQ(Preview().picture(), "");
  EXPECT_EQ(Writes(), 0u);

  chooser.next_choice = chosen;
  Get<HButton>(IDC_COMMAND5).Click();
  EXPECT_EQ(Background().Text(), chosen);
  EXPECT_EQ(Stored(kCurrentUser, kToolbar, "BackBitmapShell"), chosen);
  EXPECT_EQ(Preview().picture(), chosen);

  Get<HButton>(IDC_COMMAND6).Click();
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].what, "open open");
  EXPECT_EQ(shell.calls[0].target, "c:\\");
  EXPECT_EQ(shell.calls[0].show, platform::kShowNormal);
}

}  // namespace
}  // namespace vireo
