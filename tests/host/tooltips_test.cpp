// The tooltips of the registry-bound controls: the text of a value, and the New-menu list's
// items.
#include <gtest/gtest.h>

#include <string>

#include "fixture.h"
#include "registry/value_tip.h"

namespace vireo {
namespace {

TEST(ValueTip, NamesThePathTheTypeAndTheValueInReadableForm) {
  platform::MemoryRegistry memory;
  memory.PutNumber(kCurrentUser, "Soft", "Number", 255);
  memory.PutText(kCurrentUser, "Soft", "Text", "C:\\Мои\r\nдокументы");
  memory.Put(kCurrentUser, "Soft", "Short", platform::kRegDword, {0x01, 0x02});
  memory.Put(kCurrentUser, "Soft", "Multi", platform::kRegMultiSz, {'a', 0, 'b', 0, 0});
  memory.PutText(kCurrentUser, "Soft\\Key", "", "default");
  const std::pair<const char*, const char*> values[] = {
      {"HKCU\\Soft\\Number", "REG_DWORD: 255 (0x000000FF)"},
      {"HKCU\\Soft\\Text", "REG_SZ: \"C:\\Мои  документы\""},  // no line ends inside
      {"HKCU\\Soft\\Short", "REG_DWORD: 01 02"},
      {"HKCU\\Soft\\Multi", "REG_MULTI_SZ: \"a\", \"b\""},
      {"HKCU\\Soft\\Key\\", "REG_SZ: \"default\""},
      {"HKCU\\None\\Gone", "(нет значения)"},
      {"HKCU", "(нет значения)"},
  };
  for (const auto& [path, tip] : values) {
    EXPECT_EQ(registry::DescribeValue(memory, path), path + std::string("\n") + tip);
  }
  EXPECT_EQ(registry::DescribeKey(memory, "HKCU\\Soft\\Nope\\"), "HKCU\\Soft\\Nope\\\nраздела нет");
  EXPECT_EQ(registry::DescribeKeyValues(memory, "HKCU\\Soft\\Key\\"),
            "HKCU\\Soft\\Key\\\n(по умолчанию) = REG_SZ: \"default\"");
  EXPECT_EQ(memory.open_handles(), 0u);
  // A long byte string is read whole and cut.
  memory.Put(kCurrentUser, "Soft", "Long", platform::kRegBinary, std::vector<std::uint8_t>(600, 1));
  const std::string tip = registry::DescribeValue(memory, "HKCU\\Soft\\Long");
  EXPECT_EQ(tip.size(), std::string("HKCU\\Soft\\Long\nREG_BINARY: ").size() + 32 * 3 - 1 + 4);
  EXPECT_EQ(tip.substr(tip.size() - 4), " ...");
}

class TooltipsTest : public test::MainWindowFixture {};

// What each kind of control's tooltip says, read when it opens, is in the rows of the case table
// (tests/cases/ui_cases.h); here the New-menu list's items.
TEST_F(TooltipsTest, NewMenuItemsShowTheirEntryKey) {
  memory.PutText(kClassesRoot, ".vtx\\ShellNew", "NullFile", "");  // no class name
  Start();
  window->ShowPage(main::PageId::kFiles);
  memory.PutText(kClassesRoot, ".vtx\\ShellNew", "FileName", "a.vtx");
  EXPECT_EQ(Get<HDropDown>(IDC_NEW_MENU_LIST).ItemTooltipText(0),
            "HKLM\\Software\\Classes\\.vtx\\ShellNew\\\nNullFile = REG_SZ: \"\"\n"
            "FileName = REG_SZ: \"a.vtx\"");
}

}  // namespace
}  // namespace vireo
