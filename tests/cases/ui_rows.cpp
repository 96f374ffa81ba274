// The rows of the Control Panel, Explorer and Active Desktop pages (see ui_cases.h). Each control
// starts in a state other than the one its action gives; values that must not change are stored
// beside the ones that change.
#include "cases/ui_cases.h"
#include "resource.h"

namespace vireo::cases {

namespace {

const std::string kPolicies = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\";
const std::string kShellIcons =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons\\";

std::string Ini(const char* key) {
  return std::string(kIniPrefix) + key;
}

}  // namespace

std::vector<UiCase> ControlPanelRows() {
  const Page p = Page::kControlPanel;
  const int box = IDC_CHK_FIRST + 12;  // restriction "Смена паролей"
  const std::string pwd = kPolicies + "System\\NoPwdPage";
  const int applets = IDC_LST_APPLETS;  // 0 access.cpl, 5 desk, 11 Inetcpl, 14 mmsys, 21 sounds
  return {
      Row(p, "restriction box: clearing stores the number 1", Click(box), {{pwd, Absent()}},
          {{pwd, Number(1)}}, {Cleared(box)}, Act::kRefresh),
      Row(p, "restriction box: ticking deletes the value", Click(box), {{pwd, Number(1)}},
          {{pwd, Absent()}}, {Ticked(box)}, Act::kPageSwitch),
      // The number 1 and a text that reads as 1 clear the box; nothing else does.
      Row(p, "restriction box: the text 1 clears", Reading(Act::kRefresh), {{pwd, Absent()}},
          {{pwd, Text("1")}}, {Cleared(box)}),
      Row(p, "restriction box: binary data does not clear", Reading(Act::kRefresh),
          {{pwd, Number(1)}}, {{pwd, Binary({1, 0, 0, 0})}}, {Ticked(box)}),
      Row(p, "restriction box: the number 2 does not clear", Reading(Act::kPageSwitch),
          {{pwd, Number(1)}}, {{pwd, Number(2)}}, {Ticked(box)}),
      // The applet list mirrors control.ini's section "Don't Load": a value there clears the
      // applet. Start-up alone reads it.
      Row(p, "applet list: clearing an applet stores no", Toggle(applets, 0),
          {{Ini("access.cpl"), Absent()}, {Ini("timedate.cpl"), Text("no")}},
          {{Ini("access.cpl"), Text("no")}}, {Cleared(applets, 0), Cleared(applets, 24)},
          Act::kStart),
      Row(p, "applet list: ticking an applet stores an empty value", Toggle(applets, 21),
          {{Ini("mmsys.cpl sounds"), Text("no")}, {Ini("mmsys.cpl"), Text("no")}},
          {{Ini("mmsys.cpl sounds"), Text("")}}, {Ticked(applets, 21), Cleared(applets, 14)},
          Act::kStart),
      Row(p, "applet list: any value but an empty one clears", Reading(Act::kStart),
          {{Ini("desk.cpl"), Text("other")},
           {Ini("sysdm.cpl"), Text("")},
           {Ini("Inetcpl.cpl"), Text(std::string(300, 'x'))}},
          {}, {Cleared(applets, 5), Ticked(applets, 22), Cleared(applets, 11)}),
      Keeping(Row(p, "applet list: the refresh does not read control.ini", Reading(Act::kRefresh),
                  {{Ini("timedate.cpl"), Text("no")}}, {{Ini("timedate.cpl"), Absent()}},
                  {Cleared(applets, 24)})),
      Keeping(Row(p, "applet list: a page switch does not read control.ini",
                  Reading(Act::kPageSwitch), {{Ini("access.cpl"), Absent()}},
                  {{Ini("access.cpl"), Text("no")}}, {Ticked(applets, 0)})),
  };
}

std::vector<UiCase> ExplorerRows() {
  const Page p = Page::kExplorer;
  const int tip = IDC_CHKA_FIRST + 0;       // "0|1", a number, Default 0
  const int save = IDC_CHKA_FIRST + 1;      // "01000000|00000000", binary, Default 1
  const int network = IDC_CHKA_FIRST + 5;   // "1|-", a number, Default 1
  const int sharing = IDC_CHKA_FIRST + 13;  // "-|msshrui.dll" at a key's default value
  const std::string show_tip =
      "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\ShowInfoTip";
  const std::string no_save = kPolicies + "Explorer\\NoSaveSettings";
  const std::string no_network = kPolicies + "Network\\NoEntireNetwork";
  const std::string handler = "HKCR\\Network\\SharingHandler\\";
  const int drives = IDC_LST_DRIVES;
  const std::string no_drives = kPolicies + "Explorer\\NoDrives";
  const int two_pane = IDC_CHECK1;
  const std::string dde = "HKCR\\Folder\\Shell\\Open\\ddeexec\\";
  const std::string two = "[ExploreFolder(\"%l\", %I, %S)]", one = "[ViewFolder(\"%l\", %I, %S)]";
  const int background = IDC_TEXT1;
  const std::string bitmap =
      "HKCU\\Software\\Microsoft\\Internet Explorer\\Toolbar\\BackBitmapShell";
  return {
      Row(p, "check setting: ticking stores its entry", Click(tip), {{show_tip, Absent()}},
          {{show_tip, Number(1)}}, {Ticked(tip)}, Act::kPageSwitch),
      Row(p, "check setting: clearing stores its other entry", Click(tip), {{show_tip, Number(1)}},
          {{show_tip, Number(0)}}, {Cleared(tip)}, Act::kRefresh),
      Row(p, "binary check setting: clearing stores its bytes", Click(save), {{no_save, Absent()}},
          {{no_save, Binary({1, 0, 0, 0})}}, {Cleared(save)}, Act::kRefresh),
      Row(p, "check setting with a delete marker: ticking deletes the value", Click(network),
          {{no_network, Number(1)}}, {{no_network, Absent()}}, {Ticked(network)}, Act::kRefresh),
      Row(p, "check setting with a delete marker: clearing stores its entry", Click(network),
          {{no_network, Absent()}}, {{no_network, Number(1)}}, {Cleared(network)},
          Act::kPageSwitch),
      Row(p, "check setting of a key: clearing deletes the key and all below it", Click(sharing),
          {{handler, Text("msshrui.dll")}, {handler + "Sub\\x", Text("below")}},
          {{handler, NoKey()}}, {Cleared(sharing)}, Act::kRefresh),
      Row(p, "check setting of a key: ticking makes the key with its entry", Click(sharing),
          {{handler, NoKey()}}, {{handler, Text("msshrui.dll")}}, {Ticked(sharing)},
          Act::kPageSwitch),
      // NoDrives: a bit for each drive hidden, written as a number, deleted at 0.
      Row(p, "drive list: clearing Z: stores its bit", Toggle(drives, 25), {{no_drives, Absent()}},
          {{no_drives, Number(1u << 25)}}, {Cleared(drives, 25), Ticked(drives, 24)},
          Act::kRefresh),
      Row(p, "drive list: the mask holds every drive cleared", Toggle(drives, 4),
          {{no_drives, Number(8)}}, {{no_drives, Number(24)}},
          {Cleared(drives, 4), Cleared(drives, 3)}, Act::kPageSwitch),
      Row(p, "drive list: with every drive shown the value goes", Toggle(drives, 3),
          {{no_drives, Number(8)}}, {{no_drives, Absent()}}, {Ticked(drives, 3)}, Act::kRefresh),
      // Four bytes of binary data are the number the shell takes them for; other data hides none.
      Row(p, "drive list: four bytes of binary data are a mask", Reading(Act::kRefresh),
          {{no_drives, Absent()}}, {{no_drives, Binary({0x05, 0, 0, 0x02})}},
          {Cleared(drives, 0), Ticked(drives, 1), Cleared(drives, 2), Cleared(drives, 25)}),
      Row(p, "drive list: three bytes hide nothing", Reading(Act::kRefresh),
          {{no_drives, Number(1)}}, {{no_drives, Binary({1, 0, 0})}}, {Ticked(drives, 0)}),
      Row(p, "drive list: a text hides nothing", Reading(Act::kPageSwitch),
          {{no_drives, Number(1)}}, {{no_drives, Text("1")}}, {Ticked(drives, 0)}),
      // Check1: the command the shell sends when a folder is opened.
      Row(p, "two-pane box: ticking stores the two-pane command", Click(two_pane),
          {{dde, Text(one)}}, {{dde, Text(two)}}, {Ticked(two_pane)}, Act::kRefresh),
      Row(p, "two-pane box: clearing stores the one-pane command", Click(two_pane),
          {{dde, Text(two)}}, {{dde, Text(one)}}, {Cleared(two_pane)}, Act::kStart),
      Row(p, "two-pane box: the command compares without letter case", Reading(Act::kRefresh),
          {{dde, Text(one)}}, {{dde, Text("[explorefolder(\"%l\", %i, %s)]")}}, {Ticked(two_pane)}),
      Row(p, "two-pane box: a blank more is another command", Reading(Act::kStart),
          {{dde, Text("[ExploreFolder(\"%l\", %I,  %S)]")}}, {}, {Cleared(two_pane)}),
      Keeping(Row(p, "two-pane box: the refresh ticks it but never clears it",
                  Reading(Act::kRefresh), {{dde, Text(two)}}, {{dde, Text(one)}},
                  {Ticked(two_pane)})),
      Keeping(Row(p, "two-pane box: nor does a page switch", Reading(Act::kPageSwitch),
                  {{dde, Text(two)}}, {{dde, Text(one)}}, {Ticked(two_pane)})),
      Row(p, "toolbar background: every keystroke stores the text", Type(background, "x"),
          {{bitmap, Text("C:\\back.bmp")}}, {{bitmap, Text("C:\\back.bmpx")}},
          {Shows(background, "C:\\back.bmpx")}, Act::kRefresh),
      Row(p, "toolbar background: emptied, the value goes and its key stays", Backspace(background),
          {{bitmap, Text("c")}}, {{bitmap, Absent()}}, {Shows(background, "")}, Act::kPageSwitch),
      // A change that the registry refuses: the control shows what is still stored.
      Refusing(kPolicies + "Explorer\\*",
               Row(p, "drive list: a refused change is taken back", Toggle(drives, 3),
                   {{no_drives, Absent()}}, {}, {Ticked(drives, 3)})),
      Refusing(dde, Row(p, "two-pane box: a refused change is taken back", Click(two_pane),
                        {{dde, Text(two)}}, {}, {Ticked(two_pane)})),
      Refusing(bitmap, Row(p, "toolbar background: a refused keystroke is taken back",
                           Type(background, "y"), {{bitmap, Text("C:\\back.bmp")}}, {},
                           {Shows(background, "C:\\back.bmp")})),
      Refusing(bitmap,
               Row(p, "toolbar background: a refused delete is taken back", Backspace(background),
                   {{bitmap, Text("c")}}, {}, {Shows(background, "c")})),
  };
}

std::vector<UiCase> DesktopRows() {
  const Page p = Page::kActiveDesktop;
  const int components = IDC_CHK_FIRST + 19;  // a restriction of this page
  const std::string no_components = kPolicies + "ActiveDesktop\\NoComponents";
  const int menu = IDC_OPT_FIRST;  // "Меню элемента"
  const std::string attributes =
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
  // The icon size: VScroll1 holds the negated size, Label3 shows it.
  const int bar = IDC_VSCROLL1, label = IDC_LABEL3;
  const std::string size = "HKCU\\Control Panel\\Desktop\\WindowMetrics\\Shell Icon Size";
  const std::string icon = kShellIcons;
  return {
      Row(p, "restriction box of the Active Desktop page", Click(components),
          {{no_components, Absent()}}, {{no_components, Number(1)}}, {Cleared(components)},
          Act::kPageSwitch),
      Row(p, "choice: an item stores its bytes", Choose(menu, 3),
          {{attributes, Binary({0x60, 1, 0, 0x20})}}, {{attributes, Binary({0x70, 1, 0, 0x20})}},
          {Shows(menu, "Удалить и переименовать")}, Act::kRefresh),
      Row(p, "choice: the first item", Choose(menu, 0), {{attributes, Binary({0x60, 1, 0, 0x20})}},
          {{attributes, Binary({0x40, 1, 0, 0x20})}}, {Shows(menu, "Отсутствует")},
          Act::kPageSwitch),
      Row(p, "choice: a value of no item selects nothing", Reading(Act::kRefresh),
          {{attributes, Binary({0x60, 1, 0, 0x20})}}, {{attributes, Number(0x20000160)}},
          {Shows(menu, "")}),
      Row(p, "text setting of two paths: every keystroke stores both", Type(name, "ПК"),
          {{name1, Text("Мой")}, {name2, Text("Мой")}},
          {{name1, Text("МойПК")}, {name2, Text("МойПК")}}, {Shows(name, "МойПК")}, Act::kRefresh),
      Row(p, "text setting: emptied, the empty text is stored", Backspace(name, 2),
          {{name1, Text("ab")}, {name2, Text("ab")}}, {{name1, Text("")}, {name2, Text("")}},
          {Shows(name, "")}, Act::kPageSwitch),
      Row(p, "text setting of one path stores only it", Type(info, "Мусор"), {{info_tip, Absent()}},
          {{info_tip, Text("Мусор")}}, {Shows(info, "Мусор")}, Act::kRefresh),
      Row(p, "My Computer box: ticking makes the name-space key", Click(web), {{web_key, NoKey()}},
          {{web_key, Text("")}}, {Ticked(web)}, Act::kRefresh),
      Row(p, "My Computer box: clearing deletes the key and all below it", Click(web),
          {{web_key, Text("Web Folders")}, {web_key + "Sub\\x", Text("below")}},
          {{web_key, NoKey()}}, {Cleared(web)}, Act::kPageSwitch),
      Row(p, "icon size: the upper arrow enlarges", Step(bar, -1), {{size, Text("48")}},
          {{size, Text("49")}}, {Shows(bar, "-49"), Shows(label, " 49")}, Act::kStart),
      Row(p, "icon size: the lower arrow shrinks", Step(bar, 1), {{size, Text("48")}},
          {{size, Text("47")}}, {Shows(bar, "-47"), Shows(label, " 47")}, Act::kStart),
      Row(p, "icon size: no step beyond 64", Step(bar, -1), {{size, Text("64")}}, {},
          {Shows(bar, "-64"), Shows(label, " 64")}),
      Row(p, "icon size: Default stores 32", Click(IDC_COMMAND1), {{size, Text("48")}},
          {{size, Text("32")}}, {Shows(bar, "-32"), Shows(label, " 32")}, Act::kStart),
      Row(p, "icon size: Default at 32 stores nothing", Click(IDC_COMMAND1), {{size, Absent()}}, {},
          {Shows(label, "(Undefined)"), Shows(bar, "-32")}),
      Row(p, "icon size: read with a trailing blank", Reading(Act::kStart), {{size, Text("48 ")}},
          {}, {Shows(label, " 48"), Shows(bar, "-48")}),
      Row(p, "icon size: beyond 64 the bar stays", Reading(Act::kStart), {{size, Text("100")}}, {},
          {Shows(label, " 100"), Shows(bar, "-16")}),
      Row(p, "icon size: a text is the size 0", Reading(Act::kStart), {{size, Text("abc")}}, {},
          {Shows(label, " 0")}),
      Keeping(Row(p, "icon size: the refresh does not read it", Reading(Act::kRefresh),
                  {{size, Text("48")}}, {{size, Text("20")}}, {Shows(label, " 48")})),
      Keeping(Row(p, "icon size: a page switch does not read it", Reading(Act::kPageSwitch),
                  {{size, Text("48")}}, {{size, Text("20")}}, {Shows(label, " 48")})),
      // The per-icon overrides of the shell: "Удалить ВСЕ..." and "Удалить неиспользуемые...".
      Row(p, "remove all icons: every override goes, the key stays", Click(IDC_COMMAND2),
          {{icon, Text("c:\\a.ico,0")},
           {icon + "3", Text("c:\\a.ico,1")},
           {icon + "4", Text("c:\\a.ico,2")},
           {icon + "36", Number(5)}},
          {{icon, Absent()},
           {icon + "3", Absent()},
           {icon + "4", Absent()},
           {icon + "36", Absent()}},
          {}),
      Row(p, "remove unused icons: only shell32.dll of the Windows directory goes",
          Click(IDC_COMMAND3),
          {{icon + "0", Text("%WINDOWS%\\shell32.dll,3")},
           {icon + "1", Text("%WINDOWS_UPPER%\\SHELL32.DLL,4")},
           {icon + "2", Text("%SYSTEM%\\shell32.dll,5")},
           {icon + "3", Text("C:\\Other\\shell32.dll,6")},
           {icon + "4", Text("%WINDOWS%\\cool.dll,7")},
           {icon + "5", Text("%WINDOWS%\\shell32.dll")},
           {icon + "6", Text("x%WINDOWS%\\shell32.dll,1")},
           {icon, Text("%WINDOWS%\\shell32.dll,8")},
           {icon + "7", Text("%WINDOWS%\\Shell32.dll,9")}},
          {{icon + "0", Absent()},
           {icon + "1", Absent()},
           {icon, Absent()},
           {icon + "7", Absent()}},
          {}),
      Refusing(size, Row(p, "icon size: a refused step is taken back", Step(bar, 1),
                         {{size, Text("64")}}, {}, {Shows(bar, "-64"), Shows(label, " 64")})),
      Refusing(attributes, Row(p, "choice: a refused choice is taken back", Choose(menu, 3),
                               {{attributes, Binary({0x60, 1, 0, 0x20})}}, {},
                               {Shows(menu, "Только удалить")})),
      Refusing(icon + "*", Row(p, "remove all icons: a refused delete ends the clean-up",
                               Click(IDC_COMMAND2), {{icon + "3", Text("c:\\a.ico,0")}}, {}, {})),
      Refusing(icon + "8",
               Row(p, "remove unused icons: a refused delete is passed over", Click(IDC_COMMAND3),
                   {{icon + "8", Text("%WINDOWS%\\shell32.dll,1")},
                    {icon + "9", Text("%WINDOWS%\\shell32.dll,2")}},
                   {{icon + "9", Absent()}}, {})),
  };
}

}  // namespace vireo::cases
