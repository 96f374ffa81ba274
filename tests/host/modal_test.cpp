// Every modal window gives the window under it back the moment it closes, however it closes.
#include <gtest/gtest.h>

#include <vector>

#include "fixture.h"

namespace vireo {
namespace {

enum class Way { kButton, kEnter, kEscape, kCloseBox };

struct Case {
  const char* window;
  int command;  // the main window's command that opens it; 0: "Добавить" of the Files page
  int list;     // the button of the system information that opens it; 0: none
  int button;   // its button that ends it
  std::vector<Way> ways;
};

const std::vector<Way> kEveryWay = {Way::kButton, Way::kEnter, Way::kEscape, Way::kCloseBox};
const std::vector<Way> kAllButEnter = {Way::kButton, Way::kEscape, Way::kCloseBox};

class ModalTest : public test::MainWindowFixture {};

TEST_F(ModalTest, TheOwnerTakesInputAgainTheMomentTheWindowCloses) {
  Start();
  window->ShowPage(main::PageId::kFiles);
  const Case cases[] = {
      {"frmNewMenu", 0, 0, IDC_NEW_ENTRY_OK, kEveryWay},
      {"frmNewMenu, Отмена", 0, 0, IDC_NEW_ENTRY_CANCEL, {Way::kButton}},
      {"journal", IDM_SERVICE_JOURNAL, 0, IDC_JOURNAL_CLOSE, kAllButEnter},
      {"frmSystemInfo", IDM_HELP_OS, 0, IDC_SYSINFO_OK, kEveryWay},
      {"frmProcesses", IDM_HELP_OS, IDC_SYSINFO_PROCESSES, IDC_PROCS_OK, kEveryWay},
      {"frmWindows", IDM_HELP_OS, IDC_SYSINFO_WINDOWS, IDC_WINDOWS_OK, kEveryWay},
      {"frmAbout", IDM_HELP_ABOUT, 0, IDC_ABOUT_OK, kEveryWay},
      {"search", IDM_FILE_FIND, 0, IDC_SEARCH_CLOSE, kEveryWay},
  };
  for (const Case& c : cases) {
    for (Way way : c.ways) {
      SCOPED_TRACE(std::string(c.window) + ", way " + std::to_string(static_cast<int>(way)));
      HWindow* info = nullptr;
      bool closed = false, owner_back = false, main_waits = false;
      toolkit.on_modal = [&](HWindow& w) {
        if (c.list != 0 && info == nullptr) {
          info = &w;
          w.Get<HButton>(c.list)->Click();
          return;
        }
        ui::Window& owner = info ? static_cast<ui::Window&>(*info) : Main();
        switch (way) {
          case Way::kButton:
            w.Get<HButton>(c.button)->Click();
            break;
          case Way::kEnter:
            w.PressEnter();
            break;
          case Way::kEscape:
            w.PressEscape();
            break;
          case Way::kCloseBox:
            w.UserClose();
            break;
        }
        closed = !w.open();
        owner_back = owner.Enabled();
        main_waits = info != nullptr && !Main().Enabled();
      };
      if (c.command != 0) {
        Main().Command(c.command);
      } else {
        Get<HButton>(IDC_NEW_MENU_ADD).Click();
      }
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
