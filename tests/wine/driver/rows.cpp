#include "rows.h"

namespace driver {

#define POLICIES "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\"
#define RECYCLE_CLSID "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\"
#define NAMESPACE \
  "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\MyComputer\\NameSpace\\"
#define EXPLORER "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"

const RegEntry kNoPwdPage = entry(POLICIES "System\\NoPwdPage");
const RegEntry kNoDevMgrPage = entry(POLICIES "System\\NoDevMgrPage");
const RegEntry kShowInfoTip = entry(EXPLORER "Advanced\\ShowInfoTip");
const RegEntry kNoEntireNetwork = entry(POLICIES "Network\\NoEntireNetwork");
const RegEntry kRecycleName = entry("HKLM\\Software\\Classes\\" RECYCLE_CLSID);
const RegEntry kRecycleNameClasses = entry("HKCR\\" RECYCLE_CLSID);
const RegEntry kRecycleAttributes = entry("HKCR\\" RECYCLE_CLSID "ShellFolder\\Attributes");
const RegEntry kWebFolders = entry(NAMESPACE "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}\\");
const RegEntry kNoDrives = entry(POLICIES "Explorer\\NoDrives");
const RegEntry kFolderOpen = entry("HKCR\\Folder\\Shell\\Open\\ddeexec\\");
const RegEntry kBackBitmapShell =
    entry("HKCU\\Software\\Microsoft\\Internet Explorer\\Toolbar\\BackBitmapShell");
const RegEntry kShellIconSize =
    entry("HKCU\\Control Panel\\Desktop\\WindowMetrics\\Shell Icon Size");
const RegEntry kSourcePath =
    entry("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Setup\\SourcePath");
const RegEntry kInstallPathC = entry("HKCU\\InstallLocationsMRU\\c");
const RegEntry kCookies = entry(EXPLORER "Shell Folders\\Cookies");
const RegEntry kUserCookies = entry(EXPLORER "User Shell Folders\\Cookies");

const std::vector<RegEntry>& touchedKeys() {
  static const std::vector<RegEntry> keys = {
      entry(POLICIES "System\\"),
      entry(POLICIES "Network\\"),
      entry(POLICIES "Explorer\\"),
      entry(EXPLORER "Advanced\\"),
      entry("HKLM\\Software\\Classes\\" RECYCLE_CLSID),
      entry("HKLM\\Software\\Classes\\" RECYCLE_CLSID "ShellFolder\\"),
      entry(NAMESPACE),
      kWebFolders,
      entry("HKCR\\Folder\\"),
      entry("HKCR\\Folder\\Shell\\"),
      entry("HKCR\\Folder\\Shell\\Open\\"),
      kFolderOpen,
      entry("HKCU\\Software\\Microsoft\\Internet Explorer\\"),
      entry("HKCU\\Software\\Microsoft\\Internet Explorer\\Toolbar\\"),
      entry("HKCU\\Control Panel\\Desktop\\WindowMetrics\\"),
      entry("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Setup\\"),
      entry("HKCU\\InstallLocationsMRU\\"),
      entry(EXPLORER "Shell Folders\\"),
      entry(EXPLORER "User Shell Folders\\"),
  };
  return keys;
}

#undef POLICIES
#undef RECYCLE_CLSID
#undef NAMESPACE
#undef EXPLORER

const char kTwoPane[] = "[ExploreFolder(\"%l\", %I, %S)]";
const char kOnePane[] = "[ViewFolder(\"%l\", %I, %S)]";

}  // namespace driver
