// The pages together: start-up, refresh and page switches only read, whatever the registry
// and control.ini hold, and a page switch reads again only the page brought to the front.
#include <gtest/gtest.h>

#include <filesystem>

#include "fixture.h"

namespace vireo {
namespace {

using platform::kClassesRoot;
using platform::kCurrentUser;
using platform::kLocalMachine;
using ui::headless::HButton;
using ui::headless::HCheckBox;
using ui::headless::HCheckList;
using ui::headless::HLabel;
using ui::headless::HPicture;
using ui::headless::HTextBox;
using ui::headless::Kind;

constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
constexpr char kMetrics[] = "Control Panel\\Desktop\\WindowMetrics";
constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

class PagesTest : public test::MainWindowFixture {
 protected:
  HCheckBox& Box(const std::string& caption) {
    auto* node = Main().Find(Kind::kCheckBox, caption);
    EXPECT_NE(node, nullptr) << caption;
    return *dynamic_cast<HCheckBox*>(node);
  }
  std::string Text(int id) { return Get<ui::headless::Node>(id).text(); }
  bool Ticked(int list, int item) { return Get<HCheckList>(list).ItemChecked(item); }
};

TEST_F(PagesTest, StartUpRefreshAndPageSwitchesWriteNothing) {
  const std::string ini = system.WindowsDirectory() + "\\control.ini";
  const std::string picture = system.WindowsDirectory() + "\\Clouds.bmp";
  toolkit.loadable_pictures = {picture};
  // Mixed line ends, a blank around "=", a comment: any rewrite of the file changes its bytes.
  const std::string contents =
      "; kept as it is\n[don't load]\r\ndesk.cpl=no\nfax.cpl = no\r\nsysdm.cpl=\r\n"
      "mlcfg32.cpl=yes";
  // What a handler run while filling would rewrite: a mask, a command in lower case, a path,
  // an icon size with a trailing blank or none at all, a folder with one of its two names, an
  // open-with command that is not the program's own and has no menu text, a command of unknown
  // files whose default verb is not "open".
  for (const char* size : {"48 ", ""}) {
    memory.PutNumber(kCurrentUser, std::string(kPolicies) + "\\Explorer", "NoDrives", 4);
    memory.PutText(kClassesRoot, "Folder\\Shell\\Open\\ddeexec", "",
                   "[explorefolder(\"%l\", %i, %s)]");
    memory.PutText(kCurrentUser, "Software\\Microsoft\\Internet Explorer\\Toolbar",
                   "BackBitmapShell", picture);
    memory.DeleteKey(kCurrentUser, kMetrics);
    if (*size != '\0') memory.PutText(kCurrentUser, kMetrics, "Shell Icon Size", size);
    memory.PutText(kCurrentUser, std::string(kExplorer) + "\\Shell Folders", "Administrative Tools",
                   "C:\\Admin");
    memory.PutText(kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Setup",
                   "SourcePath", "D:\\WIN98\\");
    for (const char* name : {"a", "b", "c", "d", "e"}) {
      memory.PutText(kCurrentUser, "InstallLocationsMRU", name, std::string(name) + ":\\");
    }
    memory.PutText(kClassesRoot, "*\\QuickView", "", "*");
    memory.PutText(kClassesRoot, "*\\Shell\\openas\\command", "", "notepad.exe \"%1\"");
    memory.PutText(kClassesRoot, "Unknown\\Shell", "", "");
    memory.PutText(kClassesRoot, "Unknown\\Shell\\Open\\Command", "", "notepad.exe %1");
    memory.PutText(kClassesRoot, "Unknown", "", "Неизвестный");
    // A hidden extension whose NeverShowExt holds data, a shown one, an icon that is "%1" already
    // with its backup, and a backup beside an icon of its own.
    memory.PutText(kClassesRoot, ".lnk", "", "lnkfile");
    memory.PutText(kClassesRoot, "lnkfile", "NeverShowExt", "yes");
    memory.PutText(kClassesRoot, ".scf", "", "SHCmdFile");
    memory.PutText(kClassesRoot, "dllfile\\DefaultIcon", "", "%1");
    memory.PutText(kClassesRoot, "dllfile\\DefaultIcon", "Vireo Backup", "old.dll,1");
    memory.PutText(kClassesRoot, "icofile\\DefaultIcon", "", "ico.dll,2");
    memory.PutText(kClassesRoot, "icofile\\DefaultIcon", "Vireo Backup", "x.dll,0");
    // New-menu entries of every kind: a template, an empty file and a command under the
    // extension, one under the class, one switched off, one without any value.
    memory.PutText(kClassesRoot, ".txt", "", "txtfile");
    memory.PutText(kClassesRoot, ".txt\\ShellNew", "NullFile", "");
    memory.PutText(kClassesRoot, ".txt\\ShellNew", "Command", "notepad.exe");
    memory.PutText(kClassesRoot, ".doc", "", "Word.Document");
    memory.PutText(kClassesRoot, ".doc\\Word.Document\\ShellNew", "FileName", "winword.doc");
    memory.PutText(kClassesRoot, ".bmp\\ShellNew-", "NullFile", "");
    memory.PutText(kClassesRoot, ".zip\\ShellNew\\Sub", "", "");
    system.WriteFile(ini, contents);
    counting.Reset();

    Start();
    for (int round = 0; round < 2; ++round) {
      SCOPED_TRACE(std::string("size \"") + size + (round ? "\", refresh" : "\", start-up"));
      EXPECT_EQ(Writes(), 0u);
      EXPECT_EQ(system.ReadFile(ini), contents);
      EXPECT_EQ(profile.writes, 0);
      // What was read shows.
      EXPECT_FALSE(Ticked(IDC_LST_APPLETS, 5));
      EXPECT_FALSE(Ticked(IDC_LST_APPLETS, 7));
      EXPECT_TRUE(Ticked(IDC_LST_APPLETS, 22));
      EXPECT_FALSE(Ticked(IDC_LST_DRIVES, 2));
      EXPECT_EQ(Get<HCheckBox>(IDC_CHECK1).Checked(), 1);
      EXPECT_EQ(Text(IDC_TEXT1), picture);
      EXPECT_EQ(Get<HPicture>(IDC_IMAGE1).picture(), picture);
      EXPECT_EQ(Text(IDC_LABEL3), *size ? " 48" : "(Undefined)");
      EXPECT_EQ(Text(IDC_TXT_PATH), "C:\\Admin");
      EXPECT_EQ(Text(IDC_TXT_WIN), "D:\\WIN98\\");
      EXPECT_EQ(Text(IDC_TXT_IP_FIRST + 4), "e:\\");
      EXPECT_EQ(Get<HCheckBox>(IDC_CHECK2).Checked(), 1);
      EXPECT_EQ(Get<HCheckBox>(IDC_CHECK3).Checked(), 1);
      EXPECT_EQ(Text(IDC_TXT_O), "notepad.exe %1");
      EXPECT_EQ(Text(IDC_TXT_D), "Неизвестный");
      EXPECT_FALSE(Ticked(IDC_LST_EXT, 0));
      EXPECT_TRUE(Ticked(IDC_LST_EXT, 3));
      EXPECT_TRUE(Ticked(IDC_LST_ICO, 2));
      EXPECT_FALSE(Ticked(IDC_LST_ICO, 3));
      EXPECT_EQ(Get<ui::headless::HDropDown>(IDC_LST_NEW).Count(), 3);
      EXPECT_FALSE(
          std::filesystem::exists(platform::HostPath(system.WindowsDirectory() + "\\ShellNew")));
      EXPECT_EQ(files.calls, 0);
      Refresh();
    }
    for (int p = 0; p < main::kPageCount; ++p) window->ShowPage(static_cast<main::PageId>(p));
    EXPECT_EQ(Writes(), 0u);
    EXPECT_EQ(system.ReadFile(ini), contents);
    EXPECT_EQ(memory.open_handles(), 0u);
  }
}

TEST_F(PagesTest, APageSwitchRereadsOnlyThePageBroughtToTheFront) {
  Start();
  // Outside the program, a change behind a control of each page.
  memory.PutNumber(kCurrentUser, std::string(kPolicies) + "\\System", "NoDevMgrPage", 1);
  memory.PutNumber(kCurrentUser, std::string(kExplorer) + "\\Advanced", "ShowInfoTip", 1);
  memory.PutNumber(kCurrentUser, std::string(kPolicies) + "\\Explorer", "NoDrives", 8);
  memory.PutText(kCurrentUser, kMetrics, "Shell Icon Size", "20");
  memory.PutNumber(kCurrentUser, std::string(kPolicies) + "\\ActiveDesktop", "NoComponents", 1);
  memory.PutText(kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Setup", "SourcePath",
                 "S:\\");
  memory.PutText(kCurrentUser, "InstallLocationsMRU", "b", "B:\\");
  memory.PutText(kClassesRoot, ".vbs", "", "VBSFile");
  memory.PutText(kClassesRoot, "VBSFile", "NeverShowExt", "");

  HCheckBox& devices = Box("Вкладка \"Устройства\"");         // Control Panel
  HCheckBox& tips = Box("Показывать всплывающие подсказки");  // Explorer
  HCheckBox& components = Box("Список \"Компоненты\"");       // Active Desktop
  auto untouched = [&](bool control_panel, bool explorer, bool desktop, bool folders) {
    EXPECT_EQ(devices.Checked(), control_panel ? 1 : 0);
    EXPECT_EQ(tips.Checked(), explorer ? 0 : 1);
    EXPECT_EQ(Ticked(IDC_LST_DRIVES, 3), explorer);
    EXPECT_EQ(components.Checked(), desktop ? 1 : 0);
    EXPECT_EQ(Text(IDC_LABEL3), desktop ? "(Undefined)" : " 20");
    EXPECT_EQ(Text(IDC_TXT_WIN), folders ? "" : "S:\\");
    EXPECT_EQ(Text(IDC_TXT_IP_FIRST + 1), folders ? "" : "B:\\");
  };

  window->ShowPage(main::PageId::kExplorer);
  untouched(true, false, true, true);
  Get<HButton>(IDC_PAGE_BUTTON_FIRST + 0).Click();
  untouched(false, false, true, true);
  Get<HButton>(IDC_PAGE_BUTTON_FIRST + 2).Click();
  untouched(false, false, false, true);
  window->ShowPage(main::PageId::kFolders);
  untouched(false, false, false, false);
  EXPECT_TRUE(Ticked(IDC_LST_EXT, 9));
  window->ShowPage(main::PageId::kFiles);
  EXPECT_FALSE(Ticked(IDC_LST_EXT, 9));
  EXPECT_EQ(Writes(), 0u);
}

}  // namespace
}  // namespace vireo
