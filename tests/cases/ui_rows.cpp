// The rows of the Control Panel, Explorer and Active Desktop pages (ui_cases.h). Each control
// starts in a state other than the one its action gives; values that must stay are stored beside.
#include "cases/ui_cases.h"
#include "resource.h"

namespace vireo::cases {

namespace {

const std::string kPolicies = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\";
const std::string kIcons =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons\\";

std::string Ini(const char* key) {
  return kIniPrefix + std::string(key);
}

}  // namespace

std::vector<UiCase> ControlPanelRows() {
  const Page p = Page::kControlPanel;
  const int box = IDC_CHK_FIRST + 12;  // restriction "Смена паролей"
  const std::string pwd = kPolicies + "System\\NoPwdPage";
  // The applet list mirrors control.ini's "Don't Load": 0 access.cpl, 5 desk, 11 Inetcpl, 14
  // mmsys, 21 "mmsys.cpl sounds", 22 sysdm, 24 timedate. Start-up alone reads it.
  const int cpl = IDC_LST_APPLETS;
  return {
      Row(p, "restriction box: clearing stores the number 1", Click(box), {{pwd, None()}},
          {{pwd, Num(1)}}, {Off(box)}, kRefresh),
      Row(p, "restriction box: ticking deletes the value", Click(box), {{pwd, Num(1)}},
          {{pwd, None()}}, {On(box)}, kPageSwitch),
      Row(p, "restriction box: the text 1 clears", {kRefresh}, {{pwd, None()}}, {{pwd, Txt("1")}},
          {Off(box)}),
      Row(p, "restriction box: binary data does not clear", {kRefresh}, {{pwd, Num(1)}},
          {{pwd, Bin({1, 0, 0, 0})}}, {On(box)}),
      Row(p, "restriction box: the number 2 does not clear", {kPageSwitch}, {{pwd, Num(1)}},
          {{pwd, Num(2)}}, {On(box)}),
      Row(p, "applet list: clearing stores no", Toggle(cpl, 0),
          {{Ini("access.cpl"), None()}, {Ini("timedate.cpl"), Txt("no")}},
          {{Ini("access.cpl"), Txt("no")}}, {Off(cpl, 0), Off(cpl, 24)}, kStart),
      Row(p, "applet list: ticking stores an empty value", Toggle(cpl, 21),
          {{Ini("mmsys.cpl sounds"), Txt("no")}, {Ini("mmsys.cpl"), Txt("no")}},
          {{Ini("mmsys.cpl sounds"), Txt("")}}, {On(cpl, 21), Off(cpl, 14)}, kStart),
      Row(p, "applet list: any value but an empty one clears", {kStart},
          {{Ini("desk.cpl"), Txt("other")},
           {Ini("sysdm.cpl"), Txt("")},
           {Ini("Inetcpl.cpl"), Txt(std::string(300, 'x'))}},
          {}, {Off(cpl, 5), On(cpl, 22), Off(cpl, 11)}),
      Keeping(Row(p, "applet list: the refresh does not read control.ini", {kRefresh},
                  {{Ini("timedate.cpl"), Txt("no")}}, {{Ini("timedate.cpl"), None()}},
                  {Off(cpl, 24)})),
      Keeping(Row(p, "applet list: a page switch does not read control.ini", {kPageSwitch},
                  {{Ini("access.cpl"), None()}}, {{Ini("access.cpl"), Txt("no")}}, {On(cpl, 0)})),
  };
}

std::vector<UiCase> ExplorerRows() {
  const Page p = Page::kExplorer;
  const int tip = IDC_CHKA_FIRST + 0;       // "0|1", a number, Default 0
  const int save = IDC_CHKA_FIRST + 1;      // "01000000|00000000", binary, Default 1
  const int net = IDC_CHKA_FIRST + 5;       // "1|-", a number, Default 1
  const int sharing = IDC_CHKA_FIRST + 13;  // "-|msshrui.dll" at a key's default value
  const std::string show_tip =
      "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\ShowInfoTip";
  const std::string no_save = kPolicies + "Explorer\\NoSaveSettings";
  const std::string no_net = kPolicies + "Network\\NoEntireNetwork";
  const std::string handler = "HKCR\\Network\\SharingHandler\\";
  const int drives = IDC_LST_DRIVES;  // NoDrives: a bit for each drive hidden
  const std::string mask = kPolicies + "Explorer\\NoDrives";
  const int panes = IDC_CHECK1;  // the command the shell sends when a folder is opened
  const std::string dde = "HKCR\\Folder\\Shell\\Open\\ddeexec\\";
  const std::string two = "[ExploreFolder(\"%l\", %I, %S)]", one = "[ViewFolder(\"%l\", %I, %S)]";
  const int back = IDC_TEXT1;
  const std::string bitmap =
      "HKCU\\Software\\Microsoft\\Internet Explorer\\Toolbar\\BackBitmapShell";
  return {
      Row(p, "check setting: ticking stores its entry", Click(tip), {{show_tip, None()}},
          {{show_tip, Num(1)}}, {On(tip)}, kPageSwitch),
      Row(p, "check setting: clearing stores its other entry", Click(tip), {{show_tip, Num(1)}},
          {{show_tip, Num(0)}}, {Off(tip)}, kRefresh),
      Row(p, "binary check setting: clearing stores its bytes", Click(save), {{no_save, None()}},
          {{no_save, Bin({1, 0, 0, 0})}}, {Off(save)}, kRefresh),
      Row(p, "check setting with a delete marker: ticking deletes", Click(net), {{no_net, Num(1)}},
          {{no_net, None()}}, {On(net)}, kRefresh),
      Row(p, "check setting with a delete marker: clearing stores", Click(net), {{no_net, None()}},
          {{no_net, Num(1)}}, {Off(net)}, kPageSwitch),
      Row(p, "check setting of a key: clearing deletes all below it", Click(sharing),
          {{handler, Txt("msshrui.dll")}, {handler + "Sub\\x", Txt("below")}}, {{handler, Gone()}},
          {Off(sharing)}, kRefresh),
      Row(p, "check setting of a key: ticking makes it", Click(sharing), {{handler, Gone()}},
          {{handler, Txt("msshrui.dll")}}, {On(sharing)}, kPageSwitch),
      Row(p, "drive list: clearing Z: stores its bit", Toggle(drives, 25), {{mask, None()}},
          {{mask, Num(1u << 25)}}, {Off(drives, 25), On(drives, 24)}, kRefresh),
      Row(p, "drive list: the mask holds every drive cleared", Toggle(drives, 4), {{mask, Num(8)}},
          {{mask, Num(24)}}, {Off(drives, 4), Off(drives, 3)}, kPageSwitch),
      Row(p, "drive list: all drives shown delete the value", Toggle(drives, 3), {{mask, Num(8)}},
          {{mask, None()}}, {On(drives, 3)}, kRefresh),
      // Four bytes of binary data are the number the shell takes them for; other data hides none.
      Row(p, "drive list: four bytes of binary data are a mask", {kRefresh}, {{mask, None()}},
          {{mask, Bin({5, 0, 0, 2})}},
          {Off(drives, 0), On(drives, 1), Off(drives, 2), Off(drives, 25)}),
      Row(p, "drive list: three bytes hide nothing", {kRefresh}, {{mask, Num(1)}},
          {{mask, Bin({1, 0, 0})}}, {On(drives, 0)}),
      Row(p, "drive list: a text hides nothing", {kPageSwitch}, {{mask, Num(1)}},
          {{mask, Txt("1")}}, {On(drives, 0)}),
      Row(p, "two-pane box: ticking stores the two-pane command", Click(panes), {{dde, Txt(one)}},
          {{dde, Txt(two)}}, {On(panes)}, kRefresh),
      Row(p, "two-pane box: clearing stores the one-pane command", Click(panes), {{dde, Txt(two)}},
          {{dde, Txt(one)}}, {Off(panes)}, kStart),
      Row(p, "two-pane box: the command in any letter case", {kRefresh}, {{dde, Txt(one)}},
          {{dde, Txt("[explorefolder(\"%l\", %i, %s)]")}}, {On(panes)}),
      Row(p, "two-pane box: a blank more is another command", {kStart},
          {{dde, Txt("[ExploreFolder(\"%l\", %I,  %S)]")}}, {}, {Off(panes)}),
      Keeping(Row(p, "two-pane box: the refresh never clears it", {kRefresh}, {{dde, Txt(two)}},
                  {{dde, Txt(one)}}, {On(panes)})),
      Keeping(Row(p, "two-pane box: nor does a page switch", {kPageSwitch}, {{dde, Txt(two)}},
                  {{dde, Txt(one)}}, {On(panes)})),
      Row(p, "toolbar background: every keystroke stores the text", Type(back, "x"),
          {{bitmap, Txt("C:\\back.bmp")}}, {{bitmap, Txt("C:\\back.bmpx")}},
          {Is(back, "C:\\back.bmpx")}, kRefresh),
      Row(p, "toolbar background: emptied, the value goes, the key stays", Backspace(back),
          {{bitmap, Txt("c")}}, {{bitmap, None()}}, {Is(back, "")}, kPageSwitch),
      // A change that the registry refuses: the control shows what is still stored.
      Refusing(kPolicies + "Explorer\\*",
               Row(p, "drive list: a refused change is taken back", Toggle(drives, 3),
                   {{mask, None()}}, {}, {On(drives, 3)})),
      Refusing(dde, Row(p, "two-pane box: a refused change is taken back", Click(panes),
                        {{dde, Txt(two)}}, {}, {On(panes)})),
      Refusing(bitmap,
               Row(p, "toolbar background: a refused keystroke is taken back", Type(back, "y"),
                   {{bitmap, Txt("C:\\back.bmp")}}, {}, {Is(back, "C:\\back.bmp")})),
      Refusing(bitmap, Row(p, "toolbar background: a refused delete is taken back", Backspace(back),
                           {{bitmap, Txt("c")}}, {}, {Is(back, "c")})),
  };
}

std::vector<UiCase> DesktopRows() {
  const Page p = Page::kActiveDesktop;
  const int parts = IDC_CHK_FIRST + 19;  // a restriction of this page
  const std::string no_parts = kPolicies + "ActiveDesktop\\NoComponents";
  const int menu = IDC_OPT_FIRST;  // "Меню элемента"
  const std::string attrs =
      "HKCR\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder\\Attributes";
  const int name = IDC_TXT_FIRST + 4;  // My Computer's name, at two paths
  const std::string name1 =
      "HKCU\\Software\\Classes\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\";
  const std::string name2 = "HKCR\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\";
  const int info = IDC_TXT_FIRST + 8;  // the Recycle Bin's tooltip, at one path
  const std::string info_tip =
      "HKLM\\Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\InfoTip";
  const int web = IDC_CHKM_FIRST + 2;
  const std::string web_key =
      "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\MyComputer\\NameSpace\\"
      "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}\\";
  const int bar = IDC_VSCROLL1, label = IDC_LABEL3;  // the negated icon size, and the size
  const std::string size = "HKCU\\Control Panel\\Desktop\\WindowMetrics\\Shell Icon Size";
  const std::string icon = kIcons;
  return {
      Row(p, "restriction box of the Active Desktop page", Click(parts), {{no_parts, None()}},
          {{no_parts, Num(1)}}, {Off(parts)}, kPageSwitch),
      Row(p, "choice: an item stores its bytes", Choose(menu, 3),
          {{attrs, Bin({0x60, 1, 0, 0x20})}}, {{attrs, Bin({0x70, 1, 0, 0x20})}},
          {Is(menu, "Удалить и переименовать")}, kRefresh),
      Row(p, "choice: the first item", Choose(menu, 0), {{attrs, Bin({0x60, 1, 0, 0x20})}},
          {{attrs, Bin({0x40, 1, 0, 0x20})}}, {Is(menu, "Отсутствует")}, kPageSwitch),
      Row(p, "choice: a value of no item selects nothing", {kRefresh},
          {{attrs, Bin({0x60, 1, 0, 0x20})}}, {{attrs, Num(0x20000160)}}, {Is(menu, "")}),
      Row(p, "text setting of two paths: every keystroke stores both", Type(name, "ПК"),
          {{name1, Txt("Мой")}, {name2, Txt("Мой")}},
          {{name1, Txt("МойПК")}, {name2, Txt("МойПК")}}, {Is(name, "МойПК")}, kRefresh),
      Row(p, "text setting: emptied, the empty text is stored", Backspace(name, 2),
          {{name1, Txt("ab")}, {name2, Txt("ab")}}, {{name1, Txt("")}, {name2, Txt("")}},
          {Is(name, "")}, kPageSwitch),
      Row(p, "text setting of one path stores only it", Type(info, "Мусор"), {{info_tip, None()}},
          {{info_tip, Txt("Мусор")}}, {Is(info, "Мусор")}, kRefresh),
      Row(p, "My Computer box: ticking makes the name-space key", Click(web), {{web_key, Gone()}},
          {{web_key, Txt("")}}, {On(web)}, kRefresh),
      Row(p, "My Computer box: clearing deletes the key and all below it", Click(web),
          {{web_key, Txt("Web Folders")}, {web_key + "Sub\\x", Txt("below")}}, {{web_key, Gone()}},
          {Off(web)}, kPageSwitch),
      Row(p, "icon size: the upper arrow enlarges", Step(bar, -1), {{size, Txt("48")}},
          {{size, Txt("49")}}, {Is(bar, "-49"), Is(label, " 49")}, kStart),
      Row(p, "icon size: the lower arrow shrinks", Step(bar, 1), {{size, Txt("48")}},
          {{size, Txt("47")}}, {Is(bar, "-47"), Is(label, " 47")}, kStart),
      Row(p, "icon size: no step beyond 64", Step(bar, -1), {{size, Txt("64")}}, {},
          {Is(bar, "-64"), Is(label, " 64")}),
      Row(p, "icon size: Default stores 32", Click(IDC_COMMAND1), {{size, Txt("48")}},
          {{size, Txt("32")}}, {Is(bar, "-32"), Is(label, " 32")}, kStart),
      Row(p, "icon size: Default at 32 stores nothing", Click(IDC_COMMAND1), {{size, None()}}, {},
          {Is(label, "(Undefined)"), Is(bar, "-32")}),
      Row(p, "icon size: read with a trailing blank", {kStart}, {{size, Txt("48 ")}}, {},
          {Is(label, " 48"), Is(bar, "-48")}),
      Row(p, "icon size: beyond 64 the bar stays", {kStart}, {{size, Txt("100")}}, {},
          {Is(label, " 100"), Is(bar, "-16")}),
      Row(p, "icon size: a text is the size 0", {kStart}, {{size, Txt("abc")}}, {},
          {Is(label, " 0")}),
      Keeping(Row(p, "icon size: the refresh does not read it", {kRefresh}, {{size, Txt("48")}},
                  {{size, Txt("20")}}, {Is(label, " 48")})),
      Keeping(Row(p, "icon size: a page switch does not read it", {kPageSwitch},
                  {{size, Txt("48")}}, {{size, Txt("20")}}, {Is(label, " 48")})),
      // The shell's per-icon overrides: "Удалить ВСЕ..." and "Удалить неиспользуемые...".
      Row(p, "remove all icons: every override goes, the key stays", Click(IDC_COMMAND2),
          {{icon, Txt("c:\\a.ico,0")}, {icon + "3", Txt("c:\\a.ico,1")}, {icon + "36", Num(5)}},
          {{icon, None()}, {icon + "3", None()}, {icon + "36", None()}}),
      Row(p, "remove unused icons: only shell32.dll of the Windows directory goes",
          Click(IDC_COMMAND3),
          {{icon + "0", Txt("%WINDOWS%\\shell32.dll,3")},
           {icon + "1", Txt("%WINDOWS_UPPER%\\SHELL32.DLL,4")},
           {icon + "2", Txt("%SYSTEM%\\shell32.dll,5")},
           {icon + "3", Txt("C:\\Other\\shell32.dll,6")},
           {icon + "4", Txt("%WINDOWS%\\cool.dll,7")},
           {icon + "5", Txt("%WINDOWS%\\shell32.dll")},
           {icon + "6", Txt("x%WINDOWS%\\shell32.dll,1")},
           {icon, Txt("%WINDOWS%\\shell32.dll,8")},
           {icon + "7", Txt("%WINDOWS%\\Shell32.dll,9")}},
          {{icon + "0", None()}, {icon + "1", None()}, {icon, None()}, {icon + "7", None()}}),
      Refusing(size, Row(p, "icon size: a refused step is taken back", Step(bar, 1),
                         {{size, Txt("64")}}, {}, {Is(bar, "-64"), Is(label, " 64")})),
      Refusing(attrs, Row(p, "choice: a refused choice is taken back", Choose(menu, 3),
                          {{attrs, Bin({0x60, 1, 0, 0x20})}}, {}, {Is(menu, "Только удалить")})),
      Refusing(icon + "*", Row(p, "remove all icons: a refused delete ends the clean-up",
                               Click(IDC_COMMAND2), {{icon + "3", Txt("c:\\a.ico,0")}})),
      Refusing(icon + "8",
               Row(p, "remove unused icons: a refused delete is passed over", Click(IDC_COMMAND3),
                   {{icon + "8", Txt("%WINDOWS%\\shell32.dll,1")},
                    {icon + "9", Txt("%WINDOWS%\\shell32.dll,2")}},
                   {{icon + "9", None()}})),
  };
}

}  // namespace vireo::cases
