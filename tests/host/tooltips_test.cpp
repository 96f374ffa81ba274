// The tooltips of the registry-bound controls: what each kind says, that it reads when the
// tooltip opens (a change made between two openings shows), lists per item, and that an opening
// writes nothing.
#include <gtest/gtest.h>

#include <string>

#include "fixture.h"
#include "registry/value_tip.h"

namespace vireo {
namespace {

constexpr char kRecycleBin[] = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}";
constexpr char kAdvanced[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

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

TEST_F(TooltipsTest, ControlsShowTheValueStoredWhenTheTooltipOpens) {
  Start();
  auto& info_tip = Get<HCheckBox>(IDC_CHKA_FIRST);
  const std::string info_path = "HKCU\\" + std::string(kAdvanced) + "\\ShowInfoTip\n";
  EXPECT_EQ(info_tip.TooltipText(), info_path + "(нет значения)");
  // Changed outside after start-up: the next opening shows it, without a refresh, at three
  // calls (open, one query for type and data, close).
  memory.PutNumber(kCurrentUser, kAdvanced, "ShowInfoTip", 1);
  const std::size_t before = counting.total();
  EXPECT_EQ(info_tip.TooltipText(), info_path + "REG_DWORD: 1 (0x00000001)");
  EXPECT_EQ(counting.total() - before, 3u);

  // A My Computer box tells whether its key exists.
  EXPECT_NE(Get<HCheckBox>(IDC_CHKM_FIRST + 2).TooltipText().find("\nраздела нет"),
            std::string::npos);
  // A text setting bound to two paths shows both.
  memory.PutText(kLocalMachine, std::string("Software\\Classes\\") + kRecycleBin, "", "Корзина");
  const std::string first = "HKLM\\Software\\Classes\\" + std::string(kRecycleBin) + "\\";
  const std::string second = "HKCR\\" + std::string(kRecycleBin) + "\\";
  EXPECT_EQ(Get<HTextBox>(IDC_TXT_FIRST).TooltipText(),
            first + "\nREG_SZ: \"Корзина\"\n" + second + "\nREG_SZ: \"Корзина\"");
  // The special folder's two names follow the folder chosen.
  Get<HDropDown>(IDC_CMB_FOLDER).Choose("Fonts");
  const std::string folders = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
  EXPECT_EQ(Get<HTextBox>(IDC_TXT_PATH).TooltipText(),
            folders + "Shell Folders\\Fonts\n(нет значения)\n" + folders +
                "User Shell Folders\\Fonts\n(нет значения)");
  EXPECT_EQ(Writes(), 0u);

  // Every drive's tick is a bit of the one value.
  auto& drives = Get<HCheckList>(IDC_LST_DRIVES);
  drives.ToggleCheck(1);
  EXPECT_EQ(drives.ItemTooltipText(5),
            "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoDrives\n"
            "REG_DWORD: 2 (0x00000002)");
}

TEST_F(TooltipsTest, ListsShowTheItemUnderThePointer) {
  profile.WriteString("Don't Load", "desk.cpl", "no", system.WindowsDirectory() + "\\control.ini");
  memory.PutText(kClassesRoot, ".lnk", "", "lnkfile");
  memory.PutText(kClassesRoot, "lnkfile", "NeverShowExt", "");
  memory.PutText(kClassesRoot, ".vtx\\ShellNew", "NullFile", "");  // no class name
  Start();
  auto& applets = Get<HCheckList>(IDC_LST_APPLETS);
  EXPECT_EQ(applets.ItemTooltipText(5), "control.ini [Don't Load] desk.cpl\n\"no\"");
  EXPECT_EQ(applets.ItemTooltipText(0), "control.ini [Don't Load] access.cpl\n(нет значения)");
  EXPECT_EQ(applets.ItemTooltipText(applets.Count()), "");  // past the last item

  auto& ext = Get<HCheckList>(IDC_LST_EXT);
  const std::string lnk = "HKLM\\Software\\Classes\\.lnk\\\nREG_SZ: \"lnkfile\"\n";
  EXPECT_EQ(ext.ItemTooltipText(0),
            lnk + "HKLM\\Software\\Classes\\lnkfile\\NeverShowExt\nREG_SZ: \"\"");
  ext.ToggleCheck(0);  // shown again: the value goes
  EXPECT_EQ(ext.ItemTooltipText(0),
            lnk + "HKLM\\Software\\Classes\\lnkfile\\NeverShowExt\n(нет значения)");
  // An extension without a class has only its class line.
  EXPECT_EQ(ext.ItemTooltipText(1), "HKLM\\Software\\Classes\\.pif\\\n(нет значения)");

  memory.PutText(kClassesRoot, "Paint.Picture\\DefaultIcon", "", "pbrush.exe,1");
  EXPECT_EQ(Get<HCheckList>(IDC_LST_ICO).ItemTooltipText(0),
            "HKCR\\Paint.Picture\\DefaultIcon\\\nREG_SZ: \"pbrush.exe,1\"\n"
            "HKCR\\Paint.Picture\\DefaultIcon\\Vireo Backup\n(нет значения)");

  window->ShowPage(main::PageId::kFiles);
  memory.PutText(kClassesRoot, ".vtx\\ShellNew", "FileName", "a.vtx");
  EXPECT_EQ(Get<HDropDown>(IDC_LST_NEW).ItemTooltipText(0),
            "HKLM\\Software\\Classes\\.vtx\\ShellNew\\\nNullFile = REG_SZ: \"\"\n"
            "FileName = REG_SZ: \"a.vtx\"");
}

}  // namespace
}  // namespace vireo
