// The rows of the Folders and shortcuts page and of the Files page (ui_cases.h). The New-menu list
// and its editor, a modal window, have tests of their own.
#include "cases/ui_cases.h"
#include "resource.h"

namespace vireo::cases {

namespace {

const std::string kIcons =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons\\";
const std::string kCoolDll = "%SYSTEM%\\cool.dll";  // the 3D icons' library
const std::string kCool = "%SYSTEM%\\COOL.DLL,";
const std::string kClasses = "HKLM\\Software\\Classes\\";

}  // namespace

std::vector<UiCase> FoldersRows() {
  const Page p = Page::kFolders;
  const int bin = IDC_TXT_FIRST + 0;  // "Recycled Bin": two paths that name one value
  const std::string bin1 = kClasses + "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\";
  const std::string bin2 = "HKCR\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\";
  const int folder = IDC_CMB_FOLDER, path = IDC_TXT_PATH;  // item 0 "Administrative Tools"
  const std::string explorer = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
  const std::string shell = explorer + "Shell Folders\\", user = explorer + "User Shell Folders\\";
  const std::string admin = shell + "Administrative Tools",
                    user_admin = user + "Administrative Tools";
  const std::string source =
      "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Setup\\SourcePath";
  const int win = IDC_TXT_WIN, ip = IDC_TXT_IP_FIRST;  // ip + i: value "a" + i
  const std::string mru = "HKCU\\InstallLocationsMRU\\";
  const std::string icon = kIcons;
  return {
      Row(p, "text setting of the Folders page: every keystroke stores it", Type(bin, "Мусор"),
          {{bin1, Txt("")}, {bin2, Txt("")}}, {{bin1, Txt("Мусор")}, {bin2, Txt("Мусор")}},
          {Is(bin, "Мусор")}, kPageSwitch),
      Row(p, "special folder: choosing one shows its path from Shell Folders", Choose(folder, 3),
          {{shell + "Cookies", Txt("C:\\Cookies")},
           {user + "Cookies", Txt("C:\\Other")},
           {admin, Txt("C:\\Admin")}},
          {}, {Is(path, "C:\\Cookies"), Is(folder, "Cookies")}),
      Row(p, "special folder: one without a path shows none", Choose(folder, 6),
          {{shell + "Fonts", None()}, {admin, Txt("C:\\Admin")}}, {},
          {Is(path, ""), Is(folder, "Fonts")}),
      Row(p, "special folder: every keystroke stores the path under both names", Type(path, "X"),
          {{admin, Txt("C:\\Admin")}, {user_admin, Txt("%USERPROFILE%\\Admin")}},
          {{admin, Txt("C:\\AdminX")}, {user_admin, Txt("C:\\AdminX")}}, {Is(path, "C:\\AdminX")},
          kStart),
      Row(p, "special folder: emptied, the empty path is stored under both names", Backspace(path),
          {{admin, Txt("C")}, {user_admin, Txt("C")}}, {{admin, Txt("")}, {user_admin, Txt("")}},
          {Is(path, "")}),
      Keeping(Row(p, "special folder: the refresh keeps the path shown", {kRefresh},
                  {{admin, Txt("C:\\Admin")}}, {{admin, Txt("D:\\Admin")}},
                  {Is(path, "C:\\Admin")})),
      Row(p, "distribution path: every keystroke stores it", Type(win, "\\"),
          {{source, Txt("D:\\WIN98")}}, {{source, Txt("D:\\WIN98\\")}}, {Is(win, "D:\\WIN98\\")},
          kRefresh),
      Row(p, "distribution path: emptied, the empty text is stored", Backspace(win),
          {{source, Txt("D")}}, {{source, Txt("")}}, {Is(win, "")}, kPageSwitch),
      Row(p, "installation path: every keystroke stores it", Type(ip + 4, "1"),
          {{mru + "e", Txt("E:\\")}, {mru + "MRUList", Txt("ace")}}, {{mru + "e", Txt("E:\\1")}},
          {Is(ip + 4, "E:\\1")}, kRefresh),
      Row(p, "installation path: emptied, the empty text is stored", Backspace(ip),
          {{mru + "a", Txt("A")}}, {{mru + "a", Txt("")}}, {Is(ip, "")}, kPageSwitch),
      WithFile(
          kCoolDll,
          Row(p, "3D folder icons: three icons point at cool.dll", Click(IDC_CMD_USE_3D_FOLDER),
              {{icon + "3", None()}, {icon + "4", Num(7)}, {icon + "35", Txt("keep")}},
              {{icon + "3", Txt(kCool + "11")},
               {icon + "4", Txt(kCool + "18")},
               {icon + "36", Txt(kCool + "24")}})),
      WithFile(kCoolDll, Row(p, "standard folder icons: the three overrides go",
                             Click(IDC_CMD_RESTORE_FOLDER),
                             {{icon + "3", Txt("a.dll,1")},
                              {icon + "4", Txt("b.dll,2")},
                              {icon + "36", Txt("c.dll,1")},
                              {icon + "35", Txt("keep")}},
                             {{icon + "3", None()}, {icon + "4", None()}, {icon + "36", None()}})),
      Refusing(explorer + "*",
               Row(p, "special folder: a refused keystroke shows Shell Folders", Type(path, "x"),
                   {{admin, Txt("C:\\Admin")}, {user_admin, Txt("C:\\Other")}}, {},
                   {Is(path, "C:\\Admin")})),
      Refusing(source, Row(p, "distribution path: a refused keystroke is taken back",
                           Type(win, "x"), {{source, Txt("H:\\")}}, {}, {Is(win, "H:\\")})),
      Refusing(mru + "*",
               Row(p, "installation path: a refused keystroke is taken back", Type(ip + 2, "x"),
                   {{mru + "c", Txt("C:\\CABS")}}, {}, {Is(ip + 2, "C:\\CABS")})),
  };
}

std::vector<UiCase> FilesRows() {
  const Page p = Page::kFiles;
  // lstExt: row 1 .pif, 2 .URL, 4 .shs and its neighbour 5 .shb, 6 .job.
  const int ext = IDC_LST_EXT;
  const std::string never = kClasses + "ShellScrap\\NeverShowExt";
  auto scraps = [&](const Stored& hidden) {
    return std::vector<Value>{{kClasses + ".shs\\", Txt("ShellScrap")},
                              {kClasses + ".shb\\", Txt("DocShortcut")},
                              {kClasses + "DocShortcut\\NeverShowExt", Txt("")},
                              {never, hidden}};
  };
  // lstIco: row 0 Paint.Picture, 1 cplfile, 2 dllfile, 3 icofile, 5 nilfile, 11 ani, 12 cur.
  const int ico = IDC_LST_ICO;
  auto icon_of = [](const char* type) { return "HKCR\\" + std::string(type) + "\\DefaultIcon\\"; };
  const std::string ico_icon = icon_of("icofile"), cpl_icon = icon_of("cplfile");
  const std::string nil_icon = icon_of("nilfile"), dll_icon = icon_of("dllfile");
  const std::string ani_icon = icon_of("anifile"), backup = "Vireo Backup";
  const std::string quick = "HKCR\\*\\QuickView\\";
  const std::string command = "HKCR\\*\\Shell\\openas\\command\\",
                    verb = "HKCR\\*\\Shell\\openas\\";
  const std::string unknown = "HKCR\\Unknown\\", shell = "HKCR\\Unknown\\Shell\\";
  const std::string open = "HKCR\\Unknown\\Shell\\Open\\";
  const std::string copy_to = "HKCR\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To\\";
  const std::string icon = kIcons;
  return {
      Row(p, "extension list: ticking shows the extension", Toggle(ext, 4), scraps(Txt("x")),
          {{never, None()}}, {On(ext, 4), Off(ext, 5)}, kPageSwitch),
      Row(p, "extension list: clearing stores an empty NeverShowExt", Toggle(ext, 4),
          scraps(None()), {{never, Txt("")}}, {Off(ext, 4), Off(ext, 5)}, kRefresh),
      Row(p, "extension list: a row without a class name writes nothing", Toggle(ext, 6),
          {{kClasses + ".job\\", Txt("")}}, {}, {Off(ext, 6)}),
      Row(p, "extension list: a row without a key does not take the class above", {kStart},
          {{kClasses + ".pif\\", Txt("piffile")},
           {kClasses + "piffile\\NeverShowExt", Txt("")},
           {kClasses + ".URL\\", Gone()}},
          {}, {Off(ext, 1), On(ext, 2)}),
      Row(p, "icon list: ticking keeps the icon in a backup", Toggle(ico, 3),
          {{ico_icon, Txt("ico.dll,2")}, {ico_icon + backup, None()}, {dll_icon, Txt("%1")}},
          {{ico_icon, Txt("%1")}, {ico_icon + backup, Txt("ico.dll,2")}}, {On(ico, 3), On(ico, 2)},
          kRefresh),
      Row(p, "icon list: clearing puts the backup back", Toggle(ico, 3),
          {{ico_icon, Txt("%1")}, {ico_icon + backup, Txt("ico.dll,2")}},
          {{ico_icon, Txt("ico.dll,2")}, {ico_icon + backup, None()}}, {Off(ico, 3)}, kPageSwitch),
      Row(p, "icon list: clearing without a backup empties the icon", Toggle(ico, 1),
          {{cpl_icon, Txt("%1")}, {cpl_icon + backup, None()}}, {{cpl_icon, Txt("")}},
          {Off(ico, 1)}),
      Row(p, "icon list: a class without an icon gets one and an empty backup", Toggle(ico, 5),
          {{nil_icon, Gone()}}, {{nil_icon, Txt("%1")}, {nil_icon + backup, Txt("")}},
          {On(ico, 5)}),
      Row(p, "icon list: clearing keeps an empty backup", Toggle(ico, 5),
          {{nil_icon, Txt("%1")}, {nil_icon + backup, Txt("")}}, {{nil_icon, Txt("")}},
          {Off(ico, 5)}),
      Row(p, "icon list: row 0 is the pictures' icon", {kRefresh},
          {{icon_of("Paint.Picture"), Txt("x")}}, {{icon_of("Paint.Picture"), Txt("%1")}},
          {On(ico, 0)}),
      Row(p, "icon list: only %1 itself ticks", {kPageSwitch}, {{dll_icon, Txt("%1")}},
          {{dll_icon, Txt("%1 ")}}, {Off(ico, 2)}),
      Row(p, "quick view: ticking stores *", Click(IDC_CHECK2), {{quick, Txt("x")}},
          {{quick, Txt("*")}}, {On(IDC_CHECK2)}, kRefresh),
      Row(p, "quick view: clearing deletes the key and all below it", Click(IDC_CHECK2),
          {{quick, Txt("*")}, {quick + "Viewer\\", Txt("x")}}, {{quick, Gone()}}, {Off(IDC_CHECK2)},
          kPageSwitch),
      Row(p, "quick view: only * itself ticks", {kRefresh}, {{quick, Txt("*")}},
          {{quick, Txt(" *")}}, {Off(IDC_CHECK2)}),
      Row(p, "open with: ticking stores the command and the menu text", Click(IDC_CHECK3),
          {{verb, Gone()}},
          {{command, Txt("rundll32.exe shell32.dll,OpenAs_RunDLL \"%1\"")},
           {verb, Txt("Открыть с помощью...")}},
          {On(IDC_CHECK3)}, kRefresh),
      Row(p, "open with: clearing deletes the verb and all below it", Click(IDC_CHECK3),
          {{command, Txt("C:\\Other\\openwith.exe \"%1\"")},
           {verb, Txt("Чем-нибудь")},
           {"HKCR\\*\\Shell\\print\\", Txt("Печать")}},
          {{verb, Gone()}}, {Off(IDC_CHECK3)}, kPageSwitch),
      Row(p, "open with: an empty command ticks", {kRefresh}, {{verb, Gone()}},
          {{command, Txt("")}}, {On(IDC_CHECK3)}),
      Row(p, "unknown files: typing the command makes open the default verb",
          Type(IDC_TXT_O, "n %1"), {{open, Gone()}, {shell, Txt("openas")}},
          {{open + "Command\\", Txt("n %1")}, {shell, Txt("open")}}, {Is(IDC_TXT_O, "n %1")},
          kRefresh),
      Row(p, "unknown files: emptying the command takes the verb open away", Backspace(IDC_TXT_O),
          {{open + "Command\\", Txt("c")},
           {open + "ddeexec\\", Txt("x")},
           {shell, Txt("edit")},
           {shell + "Edit\\Command\\", Txt("e")}},
          {{open, Gone()}, {shell, Txt("")}}, {Is(IDC_TXT_O, "")}, kPageSwitch),
      Row(p, "unknown files: every keystroke stores the description", Type(IDC_TXT_D, "а"),
          {{unknown, Txt("Д")}}, {{unknown, Txt("Да")}}, {Is(IDC_TXT_D, "Да")}, kRefresh),
      Row(p, "unknown files: an emptied description is stored empty", Backspace(IDC_TXT_D),
          {{unknown, Txt("Я")}}, {{unknown, Txt("")}}, {Is(IDC_TXT_D, "")}, kPageSwitch),
      Row(p, "text setting of the Files page", Type(IDC_TXT_FIRST + 14, "!"),
          {{"HKCR\\exefile\\", Txt("Приложение")}}, {{"HKCR\\exefile\\", Txt("Приложение!")}},
          {Is(IDC_TXT_FIRST + 14, "Приложение!")}, kRefresh),
      Row(p, "check setting of the Files page", Click(IDC_CHKA_FIRST + 15), {{copy_to, Gone()}},
          {{copy_to, Txt("{C2FBB630-2971-11D1-A18C-00C04FD75D13}")}}, {On(IDC_CHKA_FIRST + 15)},
          kPageSwitch),
      WithFile(kCoolDll,
               Row(p, "3D icons: six icons point at cool.dll", Click(IDC_CMD_USE_3D),
                   {{icon + "3", None()}, {icon + "5", None()}, {icon + "7", Txt("m.dll,7")}},
                   {{icon + "5", Txt(kCool + "9")},
                    {icon + "6", Txt(kCool + "8")},
                    {icon + "8", Txt(kCool + "0")},
                    {icon + "9", Txt(kCool + "1")},
                    {icon + "10", Txt(kCool + "29")},
                    {icon + "11", Txt(kCool + "10")}})),
      WithFile(kCoolDll,
               Row(p, "original icons: the six go, but an empty one", Click(IDC_CMD_RESTORE_3D),
                   {{icon + "3", Txt("f.dll,1")},
                    {icon + "5", Txt("a.dll,1")},
                    {icon + "6", Txt("")},
                    {icon + "8", Txt("o.dll,3")},
                    {icon + "9", Txt("b.dll,2")},
                    {icon + "10", Txt("c.dll,3")},
                    {icon + "11", Txt("d.dll,4")}},
                   {{icon + "5", None()},
                    {icon + "8", None()},
                    {icon + "9", None()},
                    {icon + "10", None()},
                    {icon + "11", None()}})),
      // A change that the registry refuses: the control shows what is still stored, and an icon is
      // never lost to a backup that cannot be stored or put back.
      Refusing(verb + "*", Row(p, "open with: a refused delete is taken back", Click(IDC_CHECK3),
                               {{command, Txt("x.exe")}}, {}, {On(IDC_CHECK3)})),
      Refusing(open + "*", Row(p, "unknown files: a refused command is taken back",
                               Type(IDC_TXT_O, "z"), {{open + "Command\\", Txt("old")}},
                               {{shell, Txt("open")}}, {Is(IDC_TXT_O, "old")})),
      Refusing(unknown,
               Row(p, "unknown files: a refused description is taken back", Type(IDC_TXT_D, "z"),
                   {{unknown, Txt("old")}}, {}, {Is(IDC_TXT_D, "old")})),
      Refusing(icon_of("curfile") + backup,
               Row(p, "icon list: a backup that cannot be stored keeps the icon", Toggle(ico, 12),
                   {{icon_of("curfile"), Txt("cur.dll,3")}}, {}, {Off(ico, 12)})),
      Refusing(
          ani_icon,
          Row(p, "icon list: an icon that cannot be put back keeps its backup", Toggle(ico, 11),
              {{ani_icon, Txt("%1")}, {ani_icon + backup, Txt("ani.dll,4")}}, {}, {On(ico, 11)})),
  };
}

}  // namespace vireo::cases
