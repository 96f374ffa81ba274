// The 3D icon buttons of the Files and Folders pages beyond their rows in the case table
// (tests/cases/ui_cases.h): without cool.dll in the System directory all four are disabled, and a
// refresh tests the library again but never enables them.
#include <gtest/gtest.h>

#include <filesystem>

#include "fixture.h"

namespace vireo {
namespace {

class IconLibraryTest : public test::MainWindowFixture {};

TEST_F(IconLibraryTest, TheButtonsNeedCoolDllAndARefreshNeverEnablesThem) {
  const std::string library = system.SystemDirectory() + "\\Cool.Dll";
  const int buttons[] = {IDC_SHELL_ICONS_USE_3D, IDC_SHELL_ICONS_RESTORE, IDC_FOLDER_ICONS_USE_3D,
                         IDC_FOLDER_ICONS_RESTORE};
  system.WriteFile(library, "MZ");
  Start();
  for (int id : buttons) EXPECT_TRUE(Get<HButton>(id).Enabled()) << id;
  std::filesystem::remove(platform::HostPath(library));
  Refresh();
  system.WriteFile(library, "MZ");
  Refresh();
  for (int id : buttons) {
    EXPECT_FALSE(Get<HButton>(id).Enabled()) << id;
    Get<HButton>(id).Click();
  }
  EXPECT_EQ(Writes(), 0u);
}

}  // namespace
}  // namespace vireo
