// The New-menu list over the class registry of a machine in use (build/.../classes.reg, written
// by tools/make_classes): the entries the generator placed by hand are found among the many it
// scattered, nothing is written, every key is closed, and the registry calls stay within what one
// pass over the class keys needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "fixture.h"
#include "main/files_page.h"
#include "platform/host/regedit4.h"

namespace vireo {
namespace {

using ClassFixtureTest = test::MainWindowFixture;

TEST_F(ClassFixtureTest, NewMenuListFindsTheEntriesAmongThousandsOfKeysAtLittleCost) {
  std::ifstream in(VIREO_CLASSES_REG, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  ASSERT_FALSE(text.str().empty()) << "no fixture at " << VIREO_CLASSES_REG;
  std::string error;
  ASSERT_TRUE(platform::LoadRegedit4(memory, text.str(), &error)) << error;
  // The keys directly below HKLM\Software\Classes, and how many of them are extensions.
  std::uint32_t class_keys = 0;
  std::size_t extensions = 0;
  platform::HKey key = 0;
  ASSERT_EQ(memory.OpenKey(kLocalMachine, "Software\\Classes", 1, &key), 0);
  for (std::string name; memory.EnumKey(key, class_keys, &name) == platform::kSuccess;) {
    ++class_keys;
    extensions += name[0] == '.';
  }
  memory.CloseKey(key);
  ASSERT_GE(extensions, 600u);

  Start();
  counting.Reset();
  window->page<main::FilesPage>().new_menu().Fill();
  Settle();
  const std::size_t calls = counting.total();
  const std::vector<std::string> items = test::Items(Get<HDropDown>(IDC_NEW_MENU_LIST));
  EXPECT_GE(items.size(), 40u);
  EXPECT_LE(items.size(), static_cast<std::size_t>(main::kNewMenuCapacity));
  // In the extension's own ShellNew, in the class-named subkey, with NullFile; a class key in
  // another letter case than its name gives its description all the same.
  for (const char* entry :
       {"Shortcut (.lnk)", "Microsoft Word Document (.doc)", "Bitmap Image (.bmp)"}) {
    EXPECT_NE(std::find(items.begin(), items.end(), entry), items.end()) << entry;
  }
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(memory.open_handles(), 0u);
  // One enumeration step a class key, three calls an extension key without subkeys (open, one
  // enumeration, close), a few more for the extensions with entries, and the classes key opened
  // and closed for each slice of idle time.
  const std::size_t slices = class_keys / main::kNewMenuKeysPerSlice + 1;
  EXPECT_LE(calls, class_keys + 3 * extensions + 12 * items.size() + 2 * slices + 10)
      << class_keys << " class keys, " << extensions << " extension keys";
}

}  // namespace
}  // namespace vireo
