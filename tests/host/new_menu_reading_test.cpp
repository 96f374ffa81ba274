// The New-menu list read in idle time: shown only whole, started afresh by what comes during a
// reading, and never writing.
#include "new_menu_fixture.h"

namespace vireo {
namespace {

using test::kClasses;
using test::NewMenuTest;

// The list is read in slices while the program is idle; between two slices the user may act.
class NewMenuReadingTest : public NewMenuTest {
 protected:
  // Entries .a00 to .a39, more than two slices read, and the items of some of them.
  static std::string Ext(int i) { return (i < 10 ? ".a0" : ".a") + std::to_string(i); }
  std::vector<std::string> Listed(int from, int to) {
    std::vector<std::string> items;
    for (int i = from; i < to; ++i) items.push_back("<Unknown> (" + Ext(i) + ")");
    return items;
  }
  // Runs the idle work a slice at a time: after each, the list shows `before` or `after`, whole,
  // and no key is left open. Ends with `after` shown.
  void ReadSliceBySlice(const std::vector<std::string>& before,
                        const std::vector<std::string>& after) {
    int slices = 0;
    while (toolkit.RunIdle(1) == 1) {
      ++slices;
      const std::vector<std::string> shown = Items();
      EXPECT_TRUE(shown == before || shown == after) << "after slice " << slices;
      EXPECT_EQ(memory.open_handles(), 0u);
    }
    EXPECT_EQ(Items(), after);
    EXPECT_GT(slices, 3);
  }
};

TEST_F(NewMenuReadingTest, ShownOnlyWholeAndStartedAfreshByWhatComesDuringAReading) {
  for (int i = 0; i < 40; ++i) Value(Ext(i) + "\\ShellNew", "NullFile");
  // Start-up leaves the list to idle time.
  window = std::make_unique<main::MainWindow>(platform, toolkit, &journal);
  ASSERT_TRUE(window->Load());
  window->Show();
  EXPECT_EQ(counting.count(platform::CountingRegistry::kEnumKey), 0u);
  ReadSliceBySlice({}, Listed(0, 40));
  for (int p = 1; p < main::kPageCount; ++p) {
    auto& frame = dynamic_cast<ui::headless::HFrame&>(window->page_frame(main::PageId(p)));
    EXPECT_FALSE(frame.held_back()) << p;
  }
  // Page switches do not read it again; a refresh that finds the same entries keeps the items.
  const std::size_t walked = counting.count(platform::CountingRegistry::kEnumKey);
  window->ShowPage(main::PageId::kFiles);
  EXPECT_FALSE(window->page<main::FilesPage>().new_menu().Filling());
  EXPECT_EQ(counting.count(platform::CountingRegistry::kEnumKey), walked);
  const int clears = List().clears();
  List().Choose(1);
  Refresh();
  EXPECT_EQ(List().clears(), clears);
  EXPECT_EQ(List().Selection(), 0);
  EXPECT_EQ(Writes(), 0u);

  // Each action comes once a reading has passed the first slice of keys, and takes entry
  // `changed` there from the list.
  const auto during_a_reading = [this](int changed, const std::function<void()>& act) {
    SCOPED_TRACE(changed);
    Main().Command(IDM_FILE_REFRESH);
    ASSERT_EQ(toolkit.RunIdle(2), 2);
    ASSERT_TRUE(window->page<main::FilesPage>().new_menu().Filling());
    act();
    ReadSliceBySlice(Listed(changed, 40), Listed(changed + 1, 40));
  };
  during_a_reading(0, [this] {  // changed outside, then a refresh
    memory.DeleteKey(kLocalMachine, kClasses + Ext(0) + "\\ShellNew");
    Main().Command(IDM_FILE_REFRESH);
  });
  during_a_reading(1, [this] {  // "Удалить"
    List().Choose(0);
    Get<HButton>(IDC_NEW_MENU_DELETE).Click();
  });
  during_a_reading(2, [this] {  // "Добавить", the entry made empty
    InEditor([](HWindow& editor) {
      In<HTextBox>(editor, IDC_NEW_ENTRY_EXTENSION).Type(Ext(2).substr(1));
      In<HButton>(editor, IDC_NEW_ENTRY_OK).Click();
    });
    Get<HButton>(IDC_NEW_MENU_ADD).Click();
  });
}

}  // namespace
}  // namespace vireo
