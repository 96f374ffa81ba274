// The rows of the Folders and shortcuts page and of the Files page (see ui_cases.h). The New-menu
// list and its editor, a modal window, have tests of their own.
#include "cases/ui_cases.h"
#include "resource.h"

namespace vireo::cases {

namespace {

const std::string kShellIcons =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons\\";
const std::string kCoolDll = "%SYSTEM%\\cool.dll";  // the 3D icons' library
const std::string kClasses = "HKLM\\Software\\Classes\\";

std::vector<Value> Joined(std::vector<Value> first, const std::vector<Value>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

}  // namespace

std::vector<UiCase> FoldersRows() {
  const Page p = Page::kFolders;
  const int recycle = IDC_TXT_FIRST + 0;  // "Recycled Bin": two paths that name one value
  const std::string recycle1 = kClasses + "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\";
  const std::string recycle2 = "HKCR\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\";
  const int folder = IDC_CMB_FOLDER, path = IDC_TXT_PATH;  // item 0 "Administrative Tools"
  const std::string explorer = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
  const std::string admin = explorer + "Shell Folders\\Administrative Tools";
  const std::string user_admin = explorer + "User Shell Folders\\Administrative Tools";
  const std::string source =
      "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Setup\\SourcePath";
  const std::string mru = "HKCU\\InstallLocationsMRU\\";
  const std::string icon = kShellIcons;
  return {
      Row(p, "text setting of the Folders page: every keystroke stores it", Type(recycle, "Мусор"),
          {{recycle1, Text("")}, {recycle2, Text("")}},
          {{recycle1, Text("Мусор")}, {recycle2, Text("Мусор")}}, {Shows(recycle, "Мусор")},
          Act::kPageSwitch),
      Row(p, "special folder: choosing one shows its path from Shell Folders", Choose(folder, 3),
          {{explorer + "Shell Folders\\Cookies", Text("C:\\Cookies")},
           {explorer + "User Shell Folders\\Cookies", Text("C:\\Other")},
           {admin, Text("C:\\Admin")}},
          {}, {Shows(path, "C:\\Cookies"), Shows(folder, "Cookies")}),
      Row(p, "special folder: one without a path shows none", Choose(folder, 6),
          {{explorer + "Shell Folders\\Fonts", Absent()}, {admin, Text("C:\\Admin")}}, {},
          {Shows(path, ""), Shows(folder, "Fonts")}),
      Row(p, "special folder: every keystroke stores the path under both names", Type(path, "X"),
          {{admin, Text("C:\\Admin")}, {user_admin, Text("%USERPROFILE%\\Admin")}},
          {{admin, Text("C:\\AdminX")}, {user_admin, Text("C:\\AdminX")}},
          {Shows(path, "C:\\AdminX")}, Act::kStart),
      Row(p, "special folder: emptied, the empty path is stored under both names", Backspace(path),
          {{admin, Text("C")}, {user_admin, Text("C")}},
          {{admin, Text("")}, {user_admin, Text("")}}, {Shows(path, "")}),
      Keeping(Row(p, "special folder: the refresh keeps the path shown", Reading(Act::kRefresh),
                  {{admin, Text("C:\\Admin")}}, {{admin, Text("D:\\Admin")}},
                  {Shows(path, "C:\\Admin")})),
      Row(p, "distribution path: every keystroke stores it", Type(IDC_TXT_WIN, "\\"),
          {{source, Text("D:\\WIN98")}}, {{source, Text("D:\\WIN98\\")}},
          {Shows(IDC_TXT_WIN, "D:\\WIN98\\")}, Act::kRefresh),
      Row(p, "distribution path: emptied, the empty text is stored", Backspace(IDC_TXT_WIN),
          {{source, Text("D")}}, {{source, Text("")}}, {Shows(IDC_TXT_WIN, "")}, Act::kPageSwitch),
      Row(p, "installation path: every keystroke stores it", Type(IDC_TXT_IP_FIRST + 4, "1"),
          {{mru + "e", Text("E:\\")}, {mru + "MRUList", Text("ace")}}, {{mru + "e", Text("E:\\1")}},
          {Shows(IDC_TXT_IP_FIRST + 4, "E:\\1")}, Act::kRefresh),
      Row(p, "installation path: emptied, the empty text is stored", Backspace(IDC_TXT_IP_FIRST),
          {{mru + "a", Text("A")}}, {{mru + "a", Text("")}}, {Shows(IDC_TXT_IP_FIRST, "")},
          Act::kPageSwitch),
      WithFile(kCoolDll, Row(p, "3D folder icons: three icons point at cool.dll",
                             Click(IDC_CMD_USE_3D_FOLDER),
                             {{icon + "3", Absent()},
                              {icon + "4", Number(7)},
                              {icon + "36", Absent()},
                              {icon + "35", Text("keep")}},
                             {{icon + "3", Text("%SYSTEM%\\COOL.DLL,11")},
                              {icon + "4", Text("%SYSTEM%\\COOL.DLL,18")},
                              {icon + "36", Text("%SYSTEM%\\COOL.DLL,24")}},
                             {})),
      WithFile(
          kCoolDll,
          Row(p, "standard folder icons: the three overrides go", Click(IDC_CMD_RESTORE_FOLDER),
              {{icon + "3", Text("a.dll,1")},
               {icon + "4", Text("b.dll,2")},
               {icon + "36", Text("elsewhere.dll,1")},
               {icon + "35", Text("keep")}},
              {{icon + "3", Absent()}, {icon + "4", Absent()}, {icon + "36", Absent()}}, {})),
      Refusing(explorer + "*",
               Row(p, "special folder: a refused keystroke shows the path of Shell Folders",
                   Type(path, "x"), {{admin, Text("C:\\Admin")}, {user_admin, Text("C:\\Other")}},
                   {}, {Shows(path, "C:\\Admin")})),
      Refusing(source, Row(p, "distribution path: a refused keystroke is taken back",
                           Type(IDC_TXT_WIN, "x"), {{source, Text("H:\\")}}, {},
                           {Shows(IDC_TXT_WIN, "H:\\")})),
      Refusing(mru + "*", Row(p, "installation path: a refused keystroke is taken back",
                              Type(IDC_TXT_IP_FIRST + 2, "x"), {{mru + "c", Text("C:\\CABS")}}, {},
                              {Shows(IDC_TXT_IP_FIRST + 2, "C:\\CABS")})),
  };
}

std::vector<UiCase> FilesRows() {
  const Page p = Page::kFiles;
  // lstExt's row 4 (.shs) and its neighbour row 5 (.shb), each with a class of its own.
  const int ext = IDC_LST_EXT;
  const std::string never = kClasses + "ShellScrap\\NeverShowExt";
  const std::vector<Value> scraps = {{kClasses + ".shs\\", Text("ShellScrap")},
                                     {kClasses + ".shb\\", Text("DocShortcut")},
                                     {kClasses + "DocShortcut\\NeverShowExt", Text("")}};
  // lstIco: row 0 the pictures, 1 cplfile, 2 dllfile, 3 icofile, 5 nilfile.
  const int ico = IDC_LST_ICO;
  auto icon_of = [](const char* type) { return "HKCR\\" + std::string(type) + "\\DefaultIcon\\"; };
  const std::string backup = "Vireo Backup";
  const std::string ico_icon = icon_of("icofile"), cpl_icon = icon_of("cplfile");
  const std::string nil_icon = icon_of("nilfile"), dll_icon = icon_of("dllfile");
  const std::string quick = "HKCR\\*\\QuickView\\";
  const std::string command = "HKCR\\*\\Shell\\openas\\command\\",
                    verb = "HKCR\\*\\Shell\\openas\\";
  const std::string unknown = "HKCR\\Unknown\\", shell = "HKCR\\Unknown\\Shell\\";
  const std::string open = "HKCR\\Unknown\\Shell\\Open\\";
  const std::string copy_to = "HKCR\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To\\";
  const std::string icon = kShellIcons;
  const std::string cool = "%SYSTEM%\\COOL.DLL,";
  return {
      Row(p, "extension list: ticking shows the extension", Toggle(ext, 4),
          Joined(scraps, {{never, Text("x")}}), {{never, Absent()}},
          {Ticked(ext, 4), Cleared(ext, 5)}, Act::kPageSwitch),
      Row(p, "extension list: clearing hides it with an empty NeverShowExt", Toggle(ext, 4),
          Joined(scraps, {{never, Absent()}}), {{never, Text("")}},
          {Cleared(ext, 4), Cleared(ext, 5)}, Act::kRefresh),
      Row(p, "extension list: a row without a class name writes nothing", Toggle(ext, 6),
          {{kClasses + ".job\\", Text("")}}, {}, {Cleared(ext, 6)}),
      Row(p, "extension list: a row without a key does not take the class above",
          Reading(Act::kStart),
          {{kClasses + ".pif\\", Text("piffile")},
           {kClasses + "piffile\\NeverShowExt", Text("")},
           {kClasses + ".URL\\", NoKey()}},
          {}, {Cleared(ext, 1), Ticked(ext, 2)}),
      Row(p, "icon list: ticking keeps the icon in a backup", Toggle(ico, 3),
          {{ico_icon, Text("C:\\Icons\\ico.ico,2")},
           {ico_icon + backup, Absent()},
           {dll_icon, Text("%1")}},
          {{ico_icon, Text("%1")}, {ico_icon + backup, Text("C:\\Icons\\ico.ico,2")}},
          {Ticked(ico, 3), Ticked(ico, 2)}, Act::kRefresh),
      Row(p, "icon list: clearing puts the backup back", Toggle(ico, 3),
          {{ico_icon, Text("%1")}, {ico_icon + backup, Text("ico.dll,2")}},
          {{ico_icon, Text("ico.dll,2")}, {ico_icon + backup, Absent()}}, {Cleared(ico, 3)},
          Act::kPageSwitch),
      Row(p, "icon list: clearing without a backup empties the icon", Toggle(ico, 1),
          {{cpl_icon, Text("%1")}, {cpl_icon + backup, Absent()}}, {{cpl_icon, Text("")}},
          {Cleared(ico, 1)}),
      Row(p, "icon list: a class without an icon gets one and an empty backup", Toggle(ico, 5),
          {{nil_icon, NoKey()}}, {{nil_icon, Text("%1")}, {nil_icon + backup, Text("")}},
          {Ticked(ico, 5)}),
      Row(p, "icon list: clearing keeps an empty backup", Toggle(ico, 5),
          {{nil_icon, Text("%1")}, {nil_icon + backup, Text("")}}, {{nil_icon, Text("")}},
          {Cleared(ico, 5)}),
      Row(p, "icon list: row 0 is the pictures' icon", Reading(Act::kRefresh),
          {{"HKCR\\Paint.Picture\\DefaultIcon\\", Text("x")}},
          {{"HKCR\\Paint.Picture\\DefaultIcon\\", Text("%1")}}, {Ticked(ico, 0)}),
      Row(p, "icon list: only %1 itself ticks", Reading(Act::kPageSwitch), {{dll_icon, Text("%1")}},
          {{dll_icon, Text("%1 ")}}, {Cleared(ico, 2)}),
      Row(p, "quick view: ticking stores *", Click(IDC_CHECK2), {{quick, Text("x")}},
          {{quick, Text("*")}}, {Ticked(IDC_CHECK2)}, Act::kRefresh),
      Row(p, "quick view: clearing deletes the key and all below it", Click(IDC_CHECK2),
          {{quick, Text("*")}, {quick + "Viewer\\", Text("x")}}, {{quick, NoKey()}},
          {Cleared(IDC_CHECK2)}, Act::kPageSwitch),
      Row(p, "quick view: only * itself ticks", Reading(Act::kRefresh), {{quick, Text("*")}},
          {{quick, Text(" *")}}, {Cleared(IDC_CHECK2)}),
      Row(p, "open with: ticking stores the command and the menu text", Click(IDC_CHECK3),
          {{verb, NoKey()}},
          {{command, Text("rundll32.exe shell32.dll,OpenAs_RunDLL \"%1\"")},
           {verb, Text("Открыть с помощью...")}},
          {Ticked(IDC_CHECK3)}, Act::kRefresh),
      Row(p, "open with: clearing deletes the verb and all below it", Click(IDC_CHECK3),
          {{command, Text("C:\\Other\\openwith.exe \"%1\"")},
           {verb, Text("Чем-нибудь")},
           {"HKCR\\*\\Shell\\print\\", Text("Печать")}},
          {{verb, NoKey()}}, {Cleared(IDC_CHECK3)}, Act::kPageSwitch),
      Row(p, "open with: an empty command ticks", Reading(Act::kRefresh), {{verb, NoKey()}},
          {{command, Text("")}}, {Ticked(IDC_CHECK3)}),
      Row(p, "unknown files: typing the command makes open the default verb",
          Type(IDC_TXT_O, "n %1"), {{open, NoKey()}, {shell, Text("openas")}},
          {{open + "Command\\", Text("n %1")}, {shell, Text("open")}}, {Shows(IDC_TXT_O, "n %1")},
          Act::kRefresh),
      Row(p, "unknown files: emptying the command takes the verb open away", Backspace(IDC_TXT_O),
          {{open + "Command\\", Text("c")},
           {open + "ddeexec\\", Text("x")},
           {shell, Text("edit")},
           {shell + "Edit\\Command\\", Text("e")}},
          {{open, NoKey()}, {shell, Text("")}}, {Shows(IDC_TXT_O, "")}, Act::kPageSwitch),
      Row(p, "unknown files: every keystroke stores the description", Type(IDC_TXT_D, "а"),
          {{unknown, Text("Д")}}, {{unknown, Text("Да")}}, {Shows(IDC_TXT_D, "Да")}, Act::kRefresh),
      Row(p, "unknown files: an emptied description is stored empty", Backspace(IDC_TXT_D),
          {{unknown, Text("Я")}}, {{unknown, Text("")}}, {Shows(IDC_TXT_D, "")}, Act::kPageSwitch),
      Row(p, "text setting of the Files page", Type(IDC_TXT_FIRST + 14, "!"),
          {{"HKCR\\exefile\\", Text("Приложение")}}, {{"HKCR\\exefile\\", Text("Приложение!")}},
          {Shows(IDC_TXT_FIRST + 14, "Приложение!")}, Act::kRefresh),
      Row(p, "check setting of the Files page", Click(IDC_CHKA_FIRST + 15), {{copy_to, NoKey()}},
          {{copy_to, Text("{C2FBB630-2971-11D1-A18C-00C04FD75D13}")}},
          {Ticked(IDC_CHKA_FIRST + 15)}, Act::kPageSwitch),
      WithFile(kCoolDll, Row(p, "3D icons: six icons point at cool.dll", Click(IDC_CMD_USE_3D),
                             {{icon + "3", Absent()},
                              {icon + "5", Absent()},
                              {icon + "6", Absent()},
                              {icon + "7", Text("mine.dll,7")}},
                             {{icon + "5", Text(cool + "9")},
                              {icon + "6", Text(cool + "8")},
                              {icon + "8", Text(cool + "0")},
                              {icon + "9", Text(cool + "1")},
                              {icon + "10", Text(cool + "29")},
                              {icon + "11", Text(cool + "10")}},
                             {})),
      WithFile(kCoolDll,
               Row(p, "original icons: the six go, but an empty one", Click(IDC_CMD_RESTORE_3D),
                   {{icon + "3", Text("folder.dll,1")},
                    {icon + "5", Text("a.dll,1")},
                    {icon + "6", Text("")},
                    {icon + "8", Text("other.dll,3")},
                    {icon + "9", Text("b.dll,2")},
                    {icon + "10", Text("c.dll,3")},
                    {icon + "11", Text("d.dll,4")}},
                   {{icon + "5", Absent()},
                    {icon + "8", Absent()},
                    {icon + "9", Absent()},
                    {icon + "10", Absent()},
                    {icon + "11", Absent()}},
                   {})),
      // A change that the registry refuses: the control shows what is still stored, and an icon is
      // never lost to a backup that cannot be stored or put back.
      Refusing(verb + "*", Row(p, "open with: a refused delete is taken back", Click(IDC_CHECK3),
                               {{command, Text("x.exe")}}, {}, {Ticked(IDC_CHECK3)})),
      Refusing(open + "*", Row(p, "unknown files: a refused command is taken back",
                               Type(IDC_TXT_O, "z"), {{open + "Command\\", Text("old")}},
                               {{shell, Text("open")}}, {Shows(IDC_TXT_O, "old")})),
      Refusing(unknown,
               Row(p, "unknown files: a refused description is taken back", Type(IDC_TXT_D, "z"),
                   {{unknown, Text("old")}}, {}, {Shows(IDC_TXT_D, "old")})),
      Refusing(icon_of("curfile") + backup,
               Row(p, "icon list: a backup that cannot be stored keeps the icon", Toggle(ico, 12),
                   {{icon_of("curfile"), Text("cur.dll,3")}}, {}, {Cleared(ico, 12)})),
      Refusing(
          icon_of("anifile"),
          Row(p, "icon list: an icon that cannot be put back keeps its backup", Toggle(ico, 11),
              {{icon_of("anifile"), Text("%1")}, {icon_of("anifile") + backup, Text("ani.dll,4")}},
              {}, {Ticked(ico, 11)})),
  };
}

}  // namespace vireo::cases
