// The tooltips of the registry-bound controls: what each kind says, that it reads when the
// tooltip opens (a change made between two openings shows), lists per item, and that building
// and starting the window reads nothing more for them.
#include <gtest/gtest.h>

#include <string>

#include "fixture.h"
#include "registry/value_tip.h"

namespace vireo {
namespace {

using platform::kClassesRoot;
using platform::kCurrentUser;
using platform::kLocalMachine;
using ui::headless::HCheckBox;
using ui::headless::HCheckList;
using ui::headless::HDropDown;
using ui::headless::HScrollBar;
using ui::headless::HTextBox;

constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
constexpr char kRecycleBin[] = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}";

TEST(ValueTip, NamesThePathTheTypeAndTheValueInReadableForm) {
  platform::MemoryRegistry memory;
  memory.PutNumber(kCurrentUser, "Soft", "Number", 255);
  memory.PutText(kCurrentUser, "Soft", "Text", "C:\\Мои\r\nдокументы");
  memory.Put(kCurrentUser, "Soft", "Bytes", platform::kRegBinary, {0x01, 0x0A, 0xFF});
  memory.Put(kCurrentUser, "Soft", "Short", platform::kRegDword, {0x01, 0x02});
  memory.Put(kCurrentUser, "Soft", "Multi", platform::kRegMultiSz, {'a', 0, 'b', 0, 0});
  memory.PutText(kCurrentUser, "Soft\\Key", "", "default");

  EXPECT_EQ(registry::DescribeValue(memory, "HKCU\\Soft\\Number"),
            "HKCU\\Soft\\Number\nREG_DWORD: 255 (0x000000FF)");
  // Line ends inside a value would break the tooltip's lines.
  EXPECT_EQ(registry::DescribeValue(memory, "HKCU\\Soft\\Text"),
            "HKCU\\Soft\\Text\nREG_SZ: \"C:\\Мои  документы\"");
  EXPECT_EQ(registry::DescribeValue(memory, "HKCU\\Soft\\Bytes"),
            "HKCU\\Soft\\Bytes\nREG_BINARY: 01 0A FF");
  EXPECT_EQ(registry::DescribeValue(memory, "HKCU\\Soft\\Short"),
            "HKCU\\Soft\\Short\nREG_DWORD: 01 02");
  EXPECT_EQ(registry::DescribeValue(memory, "HKCU\\Soft\\Multi"),
            "HKCU\\Soft\\Multi\nREG_MULTI_SZ: \"a\", \"b\"");
  EXPECT_EQ(registry::DescribeValue(memory, "HKCU\\Soft\\Key\\"),
            "HKCU\\Soft\\Key\\\nREG_SZ: \"default\"");
  // Absent: the value, the key, and a path that is no path.
  EXPECT_EQ(registry::DescribeValue(memory, "HKCU\\Soft\\Gone"),
            "HKCU\\Soft\\Gone\n(нет значения)");
  EXPECT_EQ(registry::DescribeValue(memory, "HKCU\\None\\Gone"),
            "HKCU\\None\\Gone\n(нет значения)");
  EXPECT_EQ(registry::DescribeValue(memory, "HKCU"), "HKCU\n(нет значения)");
  EXPECT_EQ(registry::DescribeKey(memory, "HKCU\\Soft\\Key\\"), "HKCU\\Soft\\Key\\\nраздел есть");
  EXPECT_EQ(registry::DescribeKey(memory, "HKCU\\Soft\\Nope\\"), "HKCU\\Soft\\Nope\\\nраздела нет");
  EXPECT_EQ(registry::DescribeKeyValues(memory, "HKCU\\Soft\\Key\\"),
            "HKCU\\Soft\\Key\\\n(по умолчанию) = REG_SZ: \"default\"");
  // Every key it opened is closed again.
  EXPECT_EQ(memory.open_handles(), 0u);

  // A long text and a long byte string are cut.
  const std::string tip = registry::DescribeData(platform::kRegBinary, std::string(100, '\x11'));
  EXPECT_EQ(tip.size(), std::string("REG_BINARY: ").size() + 32 * 3 - 1 + 4);
  EXPECT_EQ(tip.substr(tip.size() - 4), " ...");
}

class TooltipsTest : public test::MainWindowFixture {
 protected:
  std::string Tip(int id) { return Main().Get<ui::headless::Node>(id) ? TipOf(id) : "<none>"; }
  std::string TipOf(int id) {
    auto* node = Main().FindId(id);
    if (auto* box = dynamic_cast<HCheckBox*>(node)) return box->TooltipText();
    if (auto* text = dynamic_cast<HTextBox*>(node)) return text->TooltipText();
    if (auto* list = dynamic_cast<HDropDown*>(node)) return list->TooltipText();
    if (auto* list = dynamic_cast<HCheckList*>(node)) return list->TooltipText();
    if (auto* bar = dynamic_cast<HScrollBar*>(node)) return bar->TooltipText();
    if (auto* button = dynamic_cast<ui::headless::HButton*>(node)) return button->TooltipText();
    return "<no tooltip kind>";
  }
};

TEST_F(TooltipsTest, CatalogueControlsShowTheValueStoredWhenTheTooltipOpens) {
  Start();
  const std::size_t writes = Writes();
  const std::string info_tip =
      "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\ShowInfoTip\n";
  EXPECT_EQ(Tip(IDC_CHKA_FIRST), info_tip + "(нет значения)");
  // Changed outside after start-up: the next opening shows it, without a refresh.
  memory.PutNumber(kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
                   "ShowInfoTip", 1);
  EXPECT_EQ(Tip(IDC_CHKA_FIRST), info_tip + "REG_DWORD: 1 (0x00000001)");

  // A restriction box.
  const std::string dev_mgr =
      "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\NoDevMgrPage\n";
  EXPECT_EQ(Tip(IDC_CHK_FIRST + 1), dev_mgr + "(нет значения)");
  memory.PutText(kCurrentUser, std::string(kPolicies) + "\\System", "NoDevMgrPage", "1");
  EXPECT_EQ(Tip(IDC_CHK_FIRST + 1), dev_mgr + "REG_SZ: \"1\"");

  // The choice: a binary value.
  memory.Put(kClassesRoot, std::string(kRecycleBin) + "\\ShellFolder", "Attributes",
             platform::kRegBinary, {0x40, 0x01, 0x00, 0x20});
  EXPECT_EQ(Tip(IDC_OPT_FIRST), "HKCR\\" + std::string(kRecycleBin) +
                                    "\\ShellFolder\\Attributes\nREG_BINARY: 40 01 00 20");

  // A My Computer box tells whether its key exists.
  const std::string web_folders =
      "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\MyComputer\\NameSpace\\"
      "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}\\\n";
  EXPECT_EQ(Tip(IDC_CHKM_FIRST + 2), web_folders + "раздела нет");
  memory.PutText(kLocalMachine,
                 "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\MyComputer\\NameSpace\\"
                 "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}",
                 "", "Web Folders");
  EXPECT_EQ(Tip(IDC_CHKM_FIRST + 2), web_folders + "раздел есть");

  // A text setting bound to two paths shows both, each read now.
  memory.PutText(kLocalMachine, std::string("Software\\Classes\\") + kRecycleBin, "", "Корзина");
  memory.PutText(kCurrentUser, std::string("Software\\Classes\\") + kRecycleBin, "", "Мусор");
  const std::string first = "HKLM\\Software\\Classes\\" + std::string(kRecycleBin) + "\\";
  const std::string second = "HKCR\\" + std::string(kRecycleBin) + "\\";
  EXPECT_EQ(Tip(IDC_TXT_FIRST),
            first + "\nREG_SZ: \"Корзина\"\n" + second + "\nREG_SZ: \"Корзина\"");
  // Nothing was written for any of it.
  EXPECT_EQ(Writes(), writes);
}

TEST_F(TooltipsTest, PageControlsShowTheirValues) {
  Start();
  const std::size_t writes = Writes();
  const std::string no_drives =
      "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoDrives\n";
  EXPECT_EQ(Tip(IDC_LST_DRIVES), no_drives + "(нет значения)");
  Get<HCheckList>(IDC_LST_DRIVES).ToggleCheck(1);  // B: hidden
  EXPECT_EQ(Tip(IDC_LST_DRIVES), no_drives + "REG_DWORD: 2 (0x00000002)");
  // Every drive's tick is a bit of the one value.
  EXPECT_EQ(Get<HCheckList>(IDC_LST_DRIVES).ItemTooltipText(5), Tip(IDC_LST_DRIVES));

  EXPECT_EQ(Tip(IDC_VSCROLL1),
            "HKCU\\Control Panel\\Desktop\\WindowMetrics\\Shell Icon Size\n(нет значения)");
  memory.PutText(kCurrentUser, "Control Panel\\Desktop\\WindowMetrics", "Shell Icon Size", "48");
  EXPECT_EQ(Tip(IDC_VSCROLL1),
            "HKCU\\Control Panel\\Desktop\\WindowMetrics\\Shell Icon Size\nREG_SZ: \"48\"");

  // The special folder's two names follow the folder chosen.
  memory.PutText(kCurrentUser,
                 "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts",
                 "C:\\WINDOWS\\FONTS");
  Get<HDropDown>(IDC_CMB_FOLDER).Choose("Fonts");
  const std::string folders = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
  EXPECT_EQ(Tip(IDC_TXT_PATH), folders + "Shell Folders\\Fonts\nREG_SZ: \"C:\\WINDOWS\\FONTS\"\n" +
                                   folders + "User Shell Folders\\Fonts\n(нет значения)");

  // The open-with box names both values it writes.
  Get<HCheckBox>(IDC_CHECK3).Click();
  EXPECT_EQ(Tip(IDC_CHECK3),
            "HKCR\\*\\Shell\\openas\\command\\\nREG_SZ: \"rundll32.exe shell32.dll,OpenAs_RunDLL "
            "\"%1\"\"\nHKCR\\*\\Shell\\openas\\\nREG_SZ: \"Открыть с помощью...\"");
  EXPECT_GT(Writes(), writes);  // the clicks, and only they, wrote
}

TEST_F(TooltipsTest, ListsShowTheItemUnderThePointer) {
  const std::string ini = system.WindowsDirectory() + "\\control.ini";
  profile.WriteString("Don't Load", "desk.cpl", "no", ini);
  memory.PutText(kClassesRoot, ".lnk", "", "lnkfile");
  memory.PutText(kClassesRoot, "lnkfile", "NeverShowExt", "");
  Start();
  auto& applets = Get<HCheckList>(IDC_LST_APPLETS);
  int desk = -1, access = -1;
  for (int i = 0; i < applets.Count(); ++i) {
    const std::string tip = applets.ItemTooltipText(i);
    if (tip.find("desk.cpl") != std::string::npos) desk = i;
    if (tip.find("access.cpl") != std::string::npos) access = i;
  }
  ASSERT_GE(desk, 0);
  ASSERT_GE(access, 0);
  EXPECT_EQ(applets.ItemTooltipText(desk), "control.ini [Don't Load] desk.cpl\n\"no\"");
  EXPECT_EQ(applets.ItemTooltipText(access), "control.ini [Don't Load] access.cpl\n(нет значения)");
  applets.ToggleCheck(access);  // cleared: "no"
  EXPECT_EQ(applets.ItemTooltipText(access), "control.ini [Don't Load] access.cpl\n\"no\"");
  // Past the last item there is nothing to tell.
  EXPECT_EQ(applets.ItemTooltipText(applets.Count()), "");

  auto& ext = Get<HCheckList>(IDC_LST_EXT);
  EXPECT_EQ(ext.ItemTooltipText(0),
            "HKLM\\Software\\Classes\\.lnk\\\nREG_SZ: \"lnkfile\"\n"
            "HKLM\\Software\\Classes\\lnkfile\\NeverShowExt\nREG_SZ: \"\"");
  ext.ToggleCheck(0);  // shown again: the value goes
  EXPECT_EQ(ext.ItemTooltipText(0),
            "HKLM\\Software\\Classes\\.lnk\\\nREG_SZ: \"lnkfile\"\n"
            "HKLM\\Software\\Classes\\lnkfile\\NeverShowExt\n(нет значения)");
  // An extension without a class has only its class line.
  EXPECT_EQ(ext.ItemTooltipText(1), "HKLM\\Software\\Classes\\.pif\\\n(нет значения)");

  auto& icons = Get<HCheckList>(IDC_LST_ICO);
  memory.PutText(kClassesRoot, "Paint.Picture\\DefaultIcon", "", "pbrush.exe,1");
  EXPECT_EQ(icons.ItemTooltipText(0),
            "HKCR\\Paint.Picture\\DefaultIcon\\\nREG_SZ: \"pbrush.exe,1\"\n"
            "HKCR\\Paint.Picture\\DefaultIcon\\Vireo Backup\n(нет значения)");
}

TEST_F(TooltipsTest, NewMenuItemsShowTheirShellNewKey) {
  memory.PutText(kClassesRoot, ".vtx", "", "vtxfile");
  memory.PutText(kClassesRoot, "vtxfile", "", "Текст Vireo");
  memory.PutText(kClassesRoot, ".vtx\\ShellNew", "NullFile", "");
  Start();
  window->ShowPage(main::PageId::kFiles);
  auto& list = *Main().Get<ui::headless::HDropDown>(IDC_LST_NEW);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.ItemTooltipText(0),
            "HKLM\\Software\\Classes\\.vtx\\ShellNew\\\nNullFile = REG_SZ: \"\"");
  memory.PutText(kClassesRoot, ".vtx\\ShellNew", "FileName", "a.vtx");
  EXPECT_EQ(list.ItemTooltipText(0),
            "HKLM\\Software\\Classes\\.vtx\\ShellNew\\\nNullFile = REG_SZ: \"\"\n"
            "FileName = REG_SZ: \"a.vtx\"");
}

TEST_F(TooltipsTest, AnOpeningReadsOnceAndWritesNothing) {
  memory.PutNumber(kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
                   "ShowInfoTip", 1);
  Start();
  const std::size_t before = counting.total();
  const std::size_t writes = Writes();
  EXPECT_NE(Tip(IDC_CHKA_FIRST).find("REG_DWORD: 1"), std::string::npos);
  // Open, one query that gives type and data, close.
  EXPECT_EQ(counting.total() - before, 3u);
  EXPECT_EQ(Writes(), writes);
}

}  // namespace
}  // namespace vireo
