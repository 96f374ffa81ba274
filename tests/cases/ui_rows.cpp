// The rows of ui_cases.h, page by page: Row(page, action, before, after, shows, mirror). Each
// control starts in a state other than the one its action gives; values that must stay are stored
// beside the ones that change. The New-menu list and its editor, a modal window, have tests of
// their own.
#include "cases/ui_cases.h"
#include "resource.h"

namespace vireo::cases {

namespace {

using P = Page;
using V = std::vector<Value>;
const auto Click = [](int control) { return Action{kClick, control}; };
const auto Choose = [](int control, int item) { return Action{kChoose, control, item}; };
const auto Type = [](int control, std::string text) { return Action{kType, control, 0, text}; };
const auto Back = [](int control, int count = 1) { return Action{kBackspace, control, count}; };
const auto Toggle = [](int control, int item) { return Action{kToggle, control, item}; };
const auto Step = [](int control, int delta) { return Action{kStep, control, delta}; };
const auto On = [](int control, int item = -1) { return Shown{control, item, "ticked"}; };
const auto Off = [](int control, int item = -1) { return Shown{control, item, "cleared"}; };
const auto Is = [](int control, std::string text) { return Shown{control, -1, text}; };
const auto Tip = [](int id, int item, std::string text) { return Shown{id, item, text, true}; };
const auto Keeping = [](UiCase row) { return row.keeps = true, row; };
const auto WithCoolDll = [](UiCase row) { return row.file = "%SYSTEM%\\cool.dll", row; };
const auto Refusing = [](std::string path, UiCase row) { return row.refuses = path, row; };

Value Val(std::string path, Stored stored) {
  return {std::move(path), std::move(stored)};
}
UiCase Row(Page page, Action action, V before, V after, std::vector<Shown> shows,
           Act mirror = kNone) {
  return {"", page, action, before, after, shows, mirror};
}

const std::string kPolicies = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\";
const std::string kIcon =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons\\";
const std::string kClasses = "HKLM\\Software\\Classes\\";
const std::string kCool = "%SYSTEM%\\COOL.DLL,";
std::string Ini(const char* key) {
  return kIniPrefix + std::string(key);
}

// Control Panel: a restriction box (restrictions are cleared by the number 1 or the text "1"),
// and the applet list, which mirrors control.ini's "Don't Load" and is read at start-up only.
std::vector<UiCase> ControlPanel() {
  const P p = P::kControlPanel;
  const int box = IDC_RESTRICTION_FIRST + 12, cpl = IDC_APPLETS_LIST;
  const std::string pwd = kPolicies + "System\\NoPwdPage";
  return {
      Row(p, Click(box), {{pwd, None()}}, {{pwd, Num(1)}}, {Off(box)}, kRefresh),
      Row(p, Click(box), {{pwd, Num(1)}}, {{pwd, None()}}, {On(box)}, kPageSwitch),
      Row(p, {kRefresh}, {{pwd, None()}}, {{pwd, Txt("1")}}, {Off(box)}),
      Row(p, {kRefresh}, {{pwd, Num(1)}}, {{pwd, Bin({'1'})}}, {On(box)}),  // reads as 1
      Row(p, {kPageSwitch}, {{pwd, Num(1)}}, {{pwd, Num(2)}}, {On(box)}),
      Keeping(Row(p, {kAway}, {{pwd, None()}}, {{pwd, Num(1)}},
                  {On(box), Tip(box, -1, pwd + "\nREG_DWORD: 1 (0x00000001)")})),
      // Items: 0 access.cpl, 5 desk, 11 Inetcpl, 14 mmsys, 21 "mmsys.cpl sounds", 22 sysdm, 24
      // timedate.
      Row(p, Toggle(cpl, 0), {{Ini("access.cpl"), None()}, {Ini("timedate.cpl"), Txt("no")}},
          {{Ini("access.cpl"), Txt("no")}}, {Off(cpl, 0), Off(cpl, 24)}, kStart),
      Row(p, Toggle(cpl, 21), {{Ini("mmsys.cpl sounds"), Txt("no")}, {Ini("mmsys.cpl"), Txt("no")}},
          {{Ini("mmsys.cpl sounds"), Txt("")}}, {On(cpl, 21), Off(cpl, 14)}, kStart),
      Row(p, Toggle(cpl, 24), {{Ini("timedate.cpl"), Txt("no")}}, {{Ini("timedate.cpl"), Txt("")}},
          {On(cpl, 24)}, kStart),  // the last item
      Row(p, {kStart},
          {Val(Ini("desk.cpl"), Txt("other")), Val(Ini("sysdm.cpl"), Txt("")),
           Val(Ini("Inetcpl.cpl"), Txt(std::string(300, 'x')))},
          {},
          {Off(cpl, 5), On(cpl, 22), Off(cpl, 11),
           Tip(cpl, 5, "control.ini [Don't Load] desk.cpl\n\"other\""),
           Tip(cpl, 0, "control.ini [Don't Load] access.cpl\n(нет значения)"), Tip(cpl, 25, "")}),
      Keeping(Row(p, {kRefresh}, {{Ini("timedate.cpl"), Txt("no")}},
                  {{Ini("timedate.cpl"), None()}}, {Off(cpl, 24)})),
      Keeping(Row(p, {kPageSwitch}, {{Ini("access.cpl"), None()}}, {{Ini("access.cpl"), Txt("no")}},
                  {On(cpl, 0)})),
  };
}

// Explorer: check settings ("0|1" a number with Default 0; binary entries with Default 1; a
// delete marker "1|-"; "-|msshrui.dll" at a key's default value), the drive list (NoDrives, a bit
// for each drive hidden), the two-pane box (the command the shell sends to open a folder; the
// refresh ticks it but never clears it) and the toolbar background.
std::vector<UiCase> Explorer() {
  const P p = P::kExplorer;
  const int tip = IDC_CHECK_SETTING_FIRST + 0, save = IDC_CHECK_SETTING_FIRST + 1,
            net = IDC_CHECK_SETTING_FIRST + 5;
  const int share = IDC_CHECK_SETTING_FIRST + 13, drives = IDC_DRIVES_LIST, panes = IDC_TWO_PANE;
  const int back = IDC_TOOLBAR_BACKGROUND_PATH;
  const std::string info =
      "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\"
      "ShowInfoTip";
  const std::string save_key = kPolicies + "Explorer\\NoSaveSettings";
  const std::string net_key = kPolicies + "Network\\NoEntireNetwork";
  const std::string handler = "HKCR\\Network\\SharingHandler\\",
                    mask = kPolicies + "Explorer\\NoDrives";
  const std::string dde = "HKCR\\Folder\\Shell\\Open\\ddeexec\\";
  const std::string two = "[ExploreFolder(\"%l\", %I, %S)]", one = "[ViewFolder(\"%l\", %I, %S)]";
  const std::string bmp = "HKCU\\Software\\Microsoft\\Internet Explorer\\Toolbar\\BackBitmapShell";
  return {
      Row(p, Click(tip), {{info, Num(1)}}, {{info, Num(0)}}, {Off(tip)}, kRefresh),
      Keeping(Row(p, {kAway}, {{info, Num(1)}, {mask, None()}}, {{info, Num(0)}, {mask, Num(8)}},
                  {On(tip), On(drives, 3), Tip(tip, -1, info + "\nREG_DWORD: 0 (0x00000000)"),
                   Tip(drives, 5, mask + "\nREG_DWORD: 8 (0x00000008)")})),
      Row(p, Click(save), {{save_key, None()}}, {{save_key, Bin({1, 0, 0, 0})}}, {Off(save)},
          kRefresh),
      Row(p, Click(net), {{net_key, Num(1)}}, {{net_key, None()}}, {On(net)}, kRefresh),
      Row(p, Click(net), {{net_key, None()}}, {{net_key, Num(1)}}, {Off(net)}, kPageSwitch),
      Row(p, Click(share), {{handler, Txt("msshrui.dll")}, {handler + "Sub\\x", Txt("below")}},
          {{handler, Gone()}}, {Off(share)}, kRefresh),
      Row(p, Click(share), {{handler, Gone()}}, {{handler, Txt("msshrui.dll")}}, {On(share)},
          kPageSwitch),
      Row(p, Toggle(drives, 25), {{mask, None()}}, {{mask, Num(1u << 25)}},
          {Off(drives, 25), On(drives, 24)}, kRefresh),
      Row(p, Toggle(drives, 4), {{mask, Num(8)}}, {{mask, Num(24)}},
          {Off(drives, 4), Off(drives, 3)}, kPageSwitch),
      Row(p, Toggle(drives, 3), {{mask, Num(8)}}, {{mask, None()}}, {On(drives, 3)}, kRefresh),
      // Four bytes of binary data are the number the shell takes them for; other data hides none.
      Row(p, {kRefresh}, {{mask, None()}}, {{mask, Bin({5, 0, 0, 2})}},
          {Off(drives, 0), On(drives, 1), Off(drives, 2), Off(drives, 25)}),
      Row(p, {kRefresh}, {{mask, Num(1)}}, {{mask, Bin({1, 0, 0})}}, {On(drives, 0)}),
      Row(p, {kPageSwitch}, {{mask, Num(1)}}, {{mask, Txt("1")}}, {On(drives, 0)}),
      Row(p, Click(panes), {{dde, Txt(one)}}, {{dde, Txt(two)}}, {On(panes)}, kRefresh),
      Row(p, Click(panes), {{dde, Txt(two)}}, {{dde, Txt(one)}}, {Off(panes)}, kStart),
      Row(p, {kRefresh}, {{dde, Txt(one)}}, {{dde, Txt("[explorefolder(\"%l\", %i, %s)]")}},
          {On(panes)}),
      Row(p, {kStart}, {{dde, Txt("[ExploreFolder(\"%l\", %I,  %S)]")}}, {}, {Off(panes)}),
      Keeping(Row(p, {kRefresh}, {{dde, Txt(two)}}, {{dde, Txt(one)}}, {On(panes)})),
      Keeping(Row(p, {kPageSwitch}, {{dde, Txt(two)}}, {{dde, Txt(one)}}, {On(panes)})),
      Row(p, Type(back, "x"), {{bmp, Txt("C:\\b.bmp")}}, {{bmp, Txt("C:\\b.bmpx")}},
          {Is(back, "C:\\b.bmpx")}, kRefresh),
      Row(p, Back(back), {{bmp, Txt("c")}}, {{bmp, None()}}, {Is(back, "")}, kPageSwitch),
      // Changes the registry refuses: the control shows what is still stored.
      Refusing(kPolicies + "Explorer\\*",
               Row(p, Toggle(drives, 3), {{mask, None()}}, {}, {On(drives, 3)})),
      Refusing(dde, Row(p, Click(panes), {{dde, Txt(two)}}, {}, {On(panes)})),
      Refusing(bmp,
               Row(p, Type(back, "y"), {{bmp, Txt("C:\\b.bmp")}}, {}, {Is(back, "C:\\b.bmp")})),
      Refusing(bmp, Row(p, Back(back), {{bmp, Txt("c")}}, {}, {Is(back, "c")})),
  };
}

// Active Desktop: a restriction, the choice "Меню элемента", text settings of two paths and of
// one, a My Computer box (its name-space key), the icon size (VScroll1 holds the negated size,
// Label3 shows it; read at start-up only) and the clean-ups of the shell's icon overrides.
std::vector<UiCase> Desktop() {
  const P p = P::kActiveDesktop;
  const int parts = IDC_RESTRICTION_FIRST + 19, menu = IDC_CHOICE_SETTING_FIRST,
            name = IDC_TEXT_SETTING_FIRST + 4;
  const int info = IDC_TEXT_SETTING_FIRST + 8, web = IDC_MY_COMPUTER_FIRST + 2,
            bar = IDC_ICON_SIZE_SPIN;
  const int label = IDC_ICON_SIZE_VALUE, def = IDC_ICON_SIZE_DEFAULT;
  const std::string parts_key = kPolicies + "ActiveDesktop\\NoComponents";
  const std::string bin = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\";
  const std::string attrs = "HKCR\\" + bin + "ShellFolder\\Attributes",
                    tip = kClasses + bin + "InfoTip";
  const std::string pc = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\";
  const std::string name1 = "HKCU\\Software\\Classes\\" + pc, name2 = "HKCR\\" + pc;
  const std::string web_key =
      "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\"
      "MyComputer\\NameSpace\\{BDEADF00-C265-11d0-BCED-00A0C90AB50F}\\";
  const std::string size = "HKCU\\Control Panel\\Desktop\\WindowMetrics\\Shell Icon Size";
  const std::string i = kIcon, sh = "%WINDOWS%\\shell32.dll,";
  return {
      Row(p, Click(parts), {{parts_key, None()}}, {{parts_key, Num(1)}}, {Off(parts)}, kPageSwitch),
      Keeping(Row(p, {kAway}, {{parts_key, None()}}, {{parts_key, Num(1)}}, {On(parts)})),
      Row(p, Choose(menu, 3), {{attrs, Bin({0x60, 1, 0, 0x20})}},
          {{attrs, Bin({0x70, 1, 0, 0x20})}}, {Is(menu, "Удалить и переименовать")}, kRefresh),
      Row(p, Choose(menu, 0), {{attrs, Bin({0x60, 1, 0, 0x20})}},
          {{attrs, Bin({0x40, 1, 0, 0x20})}}, {Is(menu, "Отсутствует")}, kPageSwitch),
      Row(p, {kRefresh}, {{attrs, Bin({0x60, 1, 0, 0x20})}}, {{attrs, Num(0x20000160)}},
          {Is(menu, "")}),
      Row(p, Type(name, "ПК"), {{name1, Txt("Мой")}, {name2, Txt("Мой")}},
          {{name1, Txt("МойПК")}, {name2, Txt("МойПК")}},
          {Is(name, "МойПК"),
           Tip(name, -1, name1 + "\nREG_SZ: \"МойПК\"\n" + name2 + "\nREG_SZ: \"МойПК\"")},
          kRefresh),
      Row(p, Back(name, 2), {{name1, Txt("ab")}, {name2, Txt("ab")}},
          {{name1, Txt("")}, {name2, Txt("")}}, {Is(name, "")}, kPageSwitch),
      Row(p, Type(info, "Мусор"), {{tip, None()}}, {{tip, Txt("Мусор")}}, {Is(info, "Мусор")},
          kRefresh),
      Row(p, Click(web), {{web_key, Gone()}}, {{web_key, Txt("")}}, {On(web)}, kRefresh),
      Row(p, Click(web), {{web_key, Txt("Web Folders")}, {web_key + "Sub\\x", Txt("below")}},
          {{web_key, Gone()}}, {Off(web), Tip(web, -1, web_key + "\nраздела нет")}, kPageSwitch),
      Row(p, Step(bar, -1), {{size, Txt("48")}}, {{size, Txt("49")}},
          {Is(bar, "-49"), Is(label, " 49")}, kStart),
      Row(p, Step(bar, 1), {{size, Txt("48")}}, {{size, Txt("47")}},
          {Is(bar, "-47"), Is(label, " 47")}, kStart),
      Row(p, Step(bar, -1), {{size, Txt("64")}}, {}, {Is(bar, "-64"), Is(label, " 64")}),
      Row(p, Click(def), {{size, Txt("48")}}, {{size, Txt("32")}},
          {Is(bar, "-32"), Is(label, " 32")}, kStart),
      Row(p, Click(def), {{size, None()}}, {}, {Is(label, "(Undefined)"), Is(bar, "-32")}),
      Row(p, {kStart}, {{size, Txt("48 ")}}, {}, {Is(label, " 48"), Is(bar, "-48")}),
      Row(p, {kStart}, {{size, Txt("100")}}, {}, {Is(label, " 100"), Is(bar, "-16")}),
      Row(p, {kStart}, {{size, Txt("-20")}}, {}, {Is(label, "-20"), Is(bar, "-16")}),
      Keeping(Row(p, {kRefresh}, {{size, Txt("48")}}, {{size, Txt("20")}}, {Is(label, " 48")})),
      Keeping(Row(p, {kPageSwitch}, {{size, Txt("48")}}, {{size, Txt("20")}}, {Is(label, " 48")})),
      // "Удалить ВСЕ...": every override goes, the key stays. "Удалить неиспользуемые...": only
      // those of shell32.dll in the Windows directory, in any letter case.
      Row(p, Click(IDC_ICONS_REMOVE_ALL),
          {{i, Txt("a.ico,0")}, {i + "3", Txt("a.ico,1")}, {i + "36", Num(5)}},
          {{i, None()}, {i + "3", None()}, {i + "36", None()}}, {}),
      Row(p, Click(IDC_ICONS_REMOVE_UNUSED),
          {Val(i + "0", Txt(sh + "3")), Val(i + "1", Txt("%WINDOWS_UPPER%\\SHELL32.DLL,4")),
           Val(i + "2", Txt("%SYSTEM%\\shell32.dll,5")),
           Val(i + "3", Txt("C:\\Other\\shell32.dll,6")),
           Val(i + "4", Txt("%WINDOWS%\\cool.dll,7")), Val(i + "5", Txt("%WINDOWS%\\shell32.dll")),
           Val(i + "6", Txt("x" + sh + "1")), Val(i, Txt(sh + "8")),
           Val(i + "7", Txt("%WINDOWS%\\Shell32.dll,9"))},
          {{i + "0", None()}, {i + "1", None()}, {i, None()}, {i + "7", None()}}, {}),
      Refusing(size,
               Row(p, Step(bar, 1), {{size, Txt("64")}}, {}, {Is(bar, "-64"), Is(label, " 64")})),
      // A refused write shows the size stored again, and a stored 16 moves the bar too.
      Refusing(size,
               Row(p, Step(bar, -1), {{size, Txt("16")}}, {}, {Is(bar, "-16"), Is(label, " 16")})),
      Refusing(attrs, Row(p, Choose(menu, 3), {{attrs, Bin({0x60, 1, 0, 0x20})}}, {},
                          {Is(menu, "Только удалить")})),
      Refusing(i + "*", Row(p, Click(IDC_ICONS_REMOVE_ALL), {{i + "3", Txt("a.ico,0")}}, {}, {})),
      Refusing(i + "8",
               Row(p, Click(IDC_ICONS_REMOVE_UNUSED),
                   {{i + "8", Txt(sh + "1")}, {i + "9", Txt(sh + "2")}}, {{i + "9", None()}}, {})),
  };
}

// Folders and shortcuts: a text setting whose two paths name one value, the special folder
// (cmbFolder, item 0 "Administrative Tools"; txtPath shows Shell Folders and writes both names;
// read at start-up only), the distribution path, the installation paths (txtIP(i): value "a" + i)
// and the 3D folder icons.
std::vector<UiCase> Folders() {
  const P p = P::kFolders;
  const int bin = IDC_TEXT_SETTING_FIRST + 0, folder = IDC_SPECIAL_FOLDER_LIST,
            path = IDC_SPECIAL_FOLDER_PATH;
  const int win = IDC_SOURCE_PATH, ip = IDC_INSTALL_PATH_FIRST;
  const std::string bin1 = kClasses + "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\";
  const std::string bin2 = "HKCR\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\";
  const std::string explorer = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
  const std::string shell = explorer + "Shell Folders\\", user = explorer + "User Shell Folders\\";
  const std::string admin = shell + "Administrative Tools",
                    user_admin = user + "Administrative Tools";
  const std::string src = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Setup\\SourcePath";
  const std::string mru = "HKCU\\InstallLocationsMRU\\", i = kIcon;
  return {
      Row(p, Type(bin, "Мусор"), {{bin1, Txt("")}, {bin2, Txt("")}},
          {{bin1, Txt("Мусор")}, {bin2, Txt("Мусор")}}, {Is(bin, "Мусор")}, kPageSwitch),
      Row(p, Choose(folder, 3),
          {Val(shell + "Cookies", Txt("C:\\Cookies")), Val(user + "Cookies", Txt("C:\\Other")),
           Val(admin, Txt("C:\\Admin"))},
          {}, {Is(path, "C:\\Cookies"), Is(folder, "Cookies")}),
      Row(p, Choose(folder, 6), {{shell + "Fonts", None()}, {admin, Txt("C:\\Admin")}}, {},
          {Is(path, ""), Is(folder, "Fonts"),
           Tip(path, -1, shell + "Fonts\n(нет значения)\n" + user + "Fonts\n(нет значения)")}),
      Row(p, Type(path, "X"), {{admin, Txt("C:\\Admin")}, {user_admin, Txt("%USERPROFILE%\\A")}},
          {{admin, Txt("C:\\AdminX")}, {user_admin, Txt("C:\\AdminX")}}, {Is(path, "C:\\AdminX")},
          kStart),
      Row(p, Back(path), {{admin, Txt("C")}, {user_admin, Txt("C")}},
          {{admin, Txt("")}, {user_admin, Txt("")}}, {Is(path, "")}),
      Keeping(Row(p, {kRefresh}, {{admin, Txt("C:\\Admin")}}, {{admin, Txt("D:\\Admin")}},
                  {Is(path, "C:\\Admin")})),
      Row(p, Type(win, "\\"), {{src, Txt("D:\\WIN98")}}, {{src, Txt("D:\\WIN98\\")}},
          {Is(win, "D:\\WIN98\\")}, kRefresh),
      Row(p, Back(win), {{src, Txt("D")}}, {{src, Txt("")}}, {Is(win, "")}, kPageSwitch),
      Keeping(Row(p, {kAway}, {{src, Txt("D")}, {mru + "b", None()}},
                  {{src, Txt("S")}, {mru + "b", Txt("B")}}, {Is(win, "D"), Is(ip + 1, "")})),
      Row(p, Type(ip + 4, "1"), {{mru + "e", Txt("E:\\")}, {mru + "MRUList", Txt("ace")}},
          {{mru + "e", Txt("E:\\1")}}, {Is(ip + 4, "E:\\1")}, kRefresh),
      Row(p, Back(ip), {{mru + "a", Txt("A")}}, {{mru + "a", Txt("")}}, {Is(ip, "")}, kPageSwitch),
      WithCoolDll(Row(p, Click(IDC_FOLDER_ICONS_USE_3D),
                      {{i + "3", None()}, {i + "4", Num(7)}, {i + "35", Txt("keep")}},
                      {Val(i + "3", Txt(kCool + "11")), Val(i + "4", Txt(kCool + "18")),
                       Val(i + "36", Txt(kCool + "24"))},
                      {})),
      WithCoolDll(Row(p, Click(IDC_FOLDER_ICONS_RESTORE),
                      {Val(i + "3", Txt("a,1")), Val(i + "4", Txt("")),  // an empty one goes too
                       Val(i + "36", Txt("c,1")), Val(i + "35", Txt("keep"))},
                      {{i + "3", None()}, {i + "4", None()}, {i + "36", None()}}, {})),
      Refusing(explorer + "*",
               Row(p, Type(path, "x"), {{admin, Txt("C:\\A")}, {user_admin, Txt("U")}}, {},
                   {Is(path, "C:\\A")})),
      Refusing(src, Row(p, Type(win, "x"), {{src, Txt("H:\\")}}, {}, {Is(win, "H:\\")})),
      Refusing(mru + "*",
               Row(p, Type(ip + 2, "x"), {{mru + "c", Txt("C:\\")}}, {}, {Is(ip + 2, "C:\\")})),
  };
}

// Files: the extension list (row 1 .pif, 2 .URL, 4 .shs beside 5 .shb, 6 .job; NeverShowExt of the
// class hides it), the icon list (rows 0 Paint.Picture, 1 cpl, 2 dll, 3 ico, 5 nil, 11 ani, 12 cur;
// DefaultIcon "%1" and its backup), the boxes of any file, the command and description of unknown
// files, a text and a check setting, and the 3D icons.
std::vector<UiCase> Files() {
  const P p = P::kFiles;
  const int ext = IDC_EXTENSIONS_LIST, ico = IDC_ICON_FILES_LIST, quick = IDC_QUICK_VIEW,
            with = IDC_OPEN_WITH;
  const int cmd = IDC_UNKNOWN_FILES_COMMAND, desc = IDC_UNKNOWN_FILES_DESCRIPTION;
  const std::string never = kClasses + "ShellScrap\\NeverShowExt";
  const V scraps = {Val(kClasses + ".shs\\", Txt("ShellScrap")),
                    Val(kClasses + ".shb\\", Txt("DocShortcut")),
                    Val(kClasses + "DocShortcut\\NeverShowExt", Txt(""))};
  auto icon = [](const char* type) { return "HKCR\\" + std::string(type) + "\\DefaultIcon\\"; };
  const std::string ico_key = icon("icofile"), cpl = icon("cplfile"), nil = icon("nilfile");
  const std::string dll = icon("dllfile"), ani = icon("anifile"), backup = "Vireo Backup";
  const std::string view = "HKCR\\*\\QuickView\\", verb = "HKCR\\*\\Shell\\openas\\";
  const std::string command = verb + "command\\",
                    open_with = "rundll32.exe shell32.dll,OpenAs_RunDLL \"%1\"";
  const std::string unknown = "HKCR\\Unknown\\", shell = unknown + "Shell\\",
                    open = shell + "Open\\";
  const std::string copy = "HKCR\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To\\";
  const std::string i = kIcon;
  auto with_scraps = [&](V more) {
    return more.insert(more.begin(), scraps.begin(), scraps.end()), more;
  };
  return {
      Row(p, Toggle(ext, 4), with_scraps({{never, Txt("x")}}), {{never, None()}},
          {On(ext, 4), Off(ext, 5)}, kPageSwitch),
      Row(p, Toggle(ext, 4), with_scraps({{never, None()}}), {{never, Txt("")}},
          {Off(ext, 4), Off(ext, 5),
           Tip(ext, 4, kClasses + ".shs\\\nREG_SZ: \"ShellScrap\"\n" + never + "\nREG_SZ: \"\"")},
          kRefresh),
      Row(p, Toggle(ext, 6), {{kClasses + ".job\\", Txt("")}}, {}, {Off(ext, 6)}),  // no class
      Keeping(Row(p, {kAway}, with_scraps({{never, Txt("")}}), {{never, None()}}, {Off(ext, 4)})),
      Row(p, {kStart},
          {Val(kClasses + ".pif\\", Txt("piffile")),
           Val(kClasses + "piffile\\NeverShowExt", Txt("")), Val(kClasses + ".URL\\", Gone())},
          {}, {Off(ext, 1), On(ext, 2), Tip(ext, 2, kClasses + ".URL\\\n(нет значения)")}),
      Row(p, Toggle(ico, 3),
          {{ico_key, Txt("i.dll,2")}, {ico_key + backup, None()}, {dll, Txt("%1")}},
          {{ico_key, Txt("%1")}, {ico_key + backup, Txt("i.dll,2")}}, {On(ico, 3), On(ico, 2)},
          kRefresh),
      Row(p, Toggle(ico, 3), {{ico_key, Txt("%1")}, {ico_key + backup, Txt("i.dll,2")}},
          {{ico_key, Txt("i.dll,2")}, {ico_key + backup, None()}}, {Off(ico, 3)}, kPageSwitch),
      Row(p, Toggle(ico, 1), {{cpl, Txt("%1")}, {cpl + backup, None()}}, {{cpl, Txt("")}},
          {Off(ico, 1)}),
      Row(p, Toggle(ico, 5), {{nil, Gone()}}, {{nil, Txt("%1")}, {nil + backup, Txt("")}},
          {On(ico, 5)}),
      Row(p, Toggle(ico, 5), {{nil, Txt("%1")}, {nil + backup, Txt("")}}, {{nil, Txt("")}},
          {Off(ico, 5)}),
      Row(p, {kRefresh}, {{icon("Paint.Picture"), Txt("x")}}, {{icon("Paint.Picture"), Txt("%1")}},
          {On(ico, 0), Tip(ico, 0,
                           icon("Paint.Picture") + "\nREG_SZ: \"%1\"\n" + icon("Paint.Picture") +
                               "Vireo Backup\n(нет значения)")}),
      Row(p, {kPageSwitch}, {{dll, Txt("%1")}}, {{dll, Txt("%1 ")}}, {Off(ico, 2)}),
      Row(p, Click(quick), {{view, Txt("x")}}, {{view, Txt("*")}}, {On(quick)}, kRefresh),
      Row(p, Click(quick), {{view, Txt("*")}, {view + "Viewer\\", Txt("x")}}, {{view, Gone()}},
          {Off(quick)}, kPageSwitch),
      Row(p, {kRefresh}, {{view, Txt("*")}}, {{view, Txt(" *")}}, {Off(quick)}),
      Row(p, Click(with), {{verb, Gone()}},
          {{command, Txt(open_with)}, {verb, Txt("Открыть с помощью...")}}, {On(with)}, kRefresh),
      Row(p, Click(with),
          {Val(command, Txt("o.exe \"%1\"")), Val(verb, Txt("Чем")),
           Val("HKCR\\*\\Shell\\print\\", Txt("P"))},
          {{verb, Gone()}}, {Off(with)}, kPageSwitch),
      Row(p, {kRefresh}, {{verb, Gone()}}, {{command, Txt("")}}, {On(with)}),
      Row(p, Type(cmd, "n %1"), {{open, Gone()}, {shell, Txt("openas")}},
          {{open + "Command\\", Txt("n %1")}, {shell, Txt("open")}}, {Is(cmd, "n %1")}, kRefresh),
      Row(p, Back(cmd),
          {Val(open + "Command\\", Txt("c")), Val(open + "ddeexec\\", Txt("x")),
           Val(shell, Txt("edit")), Val(shell + "Edit\\Command\\", Txt("e"))},
          {{open, Gone()}, {shell, Txt("")}}, {Is(cmd, "")}, kPageSwitch),
      Row(p, Type(desc, "а"), {{unknown, Txt("Д")}}, {{unknown, Txt("Да")}}, {Is(desc, "Да")},
          kRefresh),
      Row(p, Back(desc), {{unknown, Txt("Я")}}, {{unknown, Txt("")}}, {Is(desc, "")}, kPageSwitch),
      Row(p, Type(IDC_TEXT_SETTING_FIRST + 14, "!"), {{"HKCR\\exefile\\", Txt("Приложение")}},
          {{"HKCR\\exefile\\", Txt("Приложение!")}},
          {Is(IDC_TEXT_SETTING_FIRST + 14, "Приложение!")}, kRefresh),
      Row(p, Click(IDC_CHECK_SETTING_FIRST + 15), {{copy, Gone()}},
          {{copy, Txt("{C2FBB630-2971-11D1-A18C-00C04FD75D13}")}},
          {On(IDC_CHECK_SETTING_FIRST + 15)}, kPageSwitch),
      WithCoolDll(Row(p, Click(IDC_SHELL_ICONS_USE_3D),
                      {{i + "3", None()}, {i + "5", None()}, {i + "7", Txt("m,7")}},
                      {Val(i + "5", Txt(kCool + "9")), Val(i + "6", Txt(kCool + "8")),
                       Val(i + "8", Txt(kCool + "0")), Val(i + "9", Txt(kCool + "1")),
                       Val(i + "10", Txt(kCool + "29")), Val(i + "11", Txt(kCool + "10"))},
                      {})),
      // An empty override is no override: it stays.
      WithCoolDll(Row(p, Click(IDC_SHELL_ICONS_RESTORE),
                      {Val(i + "3", Txt("f,1")), Val(i + "5", Txt("a,1")), Val(i + "6", Txt("")),
                       Val(i + "8", Txt("o,3")), Val(i + "9", Txt("b,2")),
                       Val(i + "10", Txt("c,3")), Val(i + "11", Txt("d,4"))},
                      {Val(i + "5", None()), Val(i + "8", None()), Val(i + "9", None()),
                       Val(i + "10", None()), Val(i + "11", None())},
                      {})),
      // Changes the registry refuses: the control shows what is still stored, and an icon is never
      // lost to a backup that cannot be stored or put back.
      Refusing(verb + "*", Row(p, Click(with), {{command, Txt("x.exe")}}, {}, {On(with)})),
      Refusing(open + "*", Row(p, Type(cmd, "z"), {{open + "Command\\", Txt("old")}},
                               {{shell, Txt("open")}}, {Is(cmd, "old")})),
      Refusing(unknown, Row(p, Type(desc, "z"), {{unknown, Txt("old")}}, {}, {Is(desc, "old")})),
      Refusing(icon("curfile") + backup,
               Row(p, Toggle(ico, 12), {{icon("curfile"), Txt("cur.dll,3")}}, {}, {Off(ico, 12)})),
      Refusing(ani, Row(p, Toggle(ico, 11), {{ani, Txt("%1")}, {ani + backup, Txt("ani.dll,4")}},
                        {}, {On(ico, 11)})),
  };
}

}  // namespace

std::vector<UiCase> Rows() {
  std::vector<UiCase> rows;
  for (auto* page : {&ControlPanel, &Explorer, &Desktop, &Folders, &Files}) {
    for (UiCase& row : (*page)()) rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace vireo::cases
