// The Control Panel page's applet list: what start-up shows from control.ini, what ticking and
// clearing write there, and that nothing reads the file again afterwards.
#include <gtest/gtest.h>

#include <algorithm>

#include "fixture.h"
#include "main/control_panel_page.h"

namespace vireo {
namespace {

class ControlPanelPageTest : public test::MainWindowFixture {
 protected:
  std::string Ini() { return system.WindowsDirectory() + "\\control.ini"; }
  HCheckList& Applets() { return Get<HCheckList>(IDC_APPLETS_LIST); }
  // The items shown cleared, by index.
  std::vector<int> Cleared() {
    std::vector<int> cleared;
    for (int i = 0; i < Applets().Count(); ++i) {
      if (!Applets().ItemChecked(i)) cleared.push_back(i);
    }
    return cleared;
  }
};

TEST_F(ControlPanelPageTest, StartUpClearsTheAppletsWithAValueInDontLoad) {
  const struct {
    std::string ini;  // empty: no file at all
    std::vector<int> cleared;
  } cases[] = {
      {"", {}},
      {"[Other]\r\ndesk.cpl=no\r\n", {}},
      // The section in another letter case; any non-empty value clears; an empty one does not;
      // "mmsys.cpl" and "mmsys.cpl sounds" are two items; a line of another section is no line.
      {"[don't load]\r\nmlcfg32.cpl=no\r\ndesk.cpl=other\r\nsysdm.cpl=\r\n"
       "mmsys.cpl sounds=no\r\n[Next]\r\naccess.cpl=no\r\n",
       {5, 6, 21}},
      {"[Don't Load]\r\nmmsys.cpl=no\r\nTIMEDATE.CPL=yes\r\ninetcpl.cpl=" + std::string(300, 'x') +
           "\r\n",
       {11, 14, 24}},
  };
  for (const auto& c : cases) {
    if (!c.ini.empty()) system.WriteFile(Ini(), c.ini);
    Start();
    ASSERT_EQ(Applets().Count(), main::kAppletCount);
    EXPECT_EQ(Cleared(), c.cleared) << c.ini;
  }
  // Neither the refresh nor a page switch reads the file again.
  system.WriteFile(Ini(), "[Don't Load]\r\ndesk.cpl=no\r\n");
  Refresh();
  window->ShowPage(main::PageId::kControlPanel);
  EXPECT_EQ(Cleared(), (std::vector<int>{11, 14, 24}));
  EXPECT_EQ(profile.writes, 0);
}

TEST_F(ControlPanelPageTest, ClearingWritesNoAndTickingKeepsTheLineEmpty) {
  Start();
  for (int i = 0; i < main::kAppletCount; ++i) Applets().ToggleCheck(i);
  std::string written = system.ReadFile(Ini());
  EXPECT_EQ(written.rfind("[Don't Load]\r\naccess.cpl=no\r\nhdwwiz.cpl=no\r\n", 0), 0u);
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), main::kAppletCount + 1);
  EXPECT_NE(written.find("\r\nmmsys.cpl=no\r\n"), std::string::npos);
  EXPECT_NE(written.find("\r\nmmsys.cpl sounds=no\r\nsysdm.cpl=no\r\n"), std::string::npos);
  Applets().ToggleCheck(21);
  EXPECT_TRUE(Applets().ItemChecked(21));
  written.replace(written.find("sounds=no"), 9, "sounds=");
  EXPECT_EQ(system.ReadFile(Ini()), written);
  // What the list wrote, the next start-up reads back.
  Start();
  EXPECT_EQ(Cleared().size(), main::kAppletCount - 1u);
  EXPECT_EQ(Writes(), 0u);
}

}  // namespace
}  // namespace vireo
