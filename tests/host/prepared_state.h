// A registry and control.ini of a machine in use, prepared to tempt a fill into writing: values
// that a handler run while filling would rewrite, and a control.ini whose bytes any rewrite would
// change. The tests of what start-up, the refresh and the page switches only read use it, and so
// do the injected-failure runs.
#pragma once

#include <string>

#include "platform/host/memory_registry.h"
#include "platform/host/standins.h"

namespace vireo::test {

struct PreparedState {
  std::string ini;           // control.ini in the Windows directory
  std::string ini_contents;  // its bytes
  std::string picture;       // the toolbar background the registry names; loadable
};

inline PreparedState PrepareLivedIn(platform::MemoryRegistry& memory,
                                    platform::TempSystem& system) {
  using platform::kClassesRoot;
  using platform::kCurrentUser;
  using platform::kLocalMachine;
  constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
  constexpr char kWebFolders[] =
      "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\MyComputer\\NameSpace\\"
      "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}";
  constexpr char kRecycleBin[] = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}";
  PreparedState state;
  state.ini = system.WindowsDirectory() + "\\control.ini";
  state.picture = system.WindowsDirectory() + "\\Clouds.bmp";
  // Mixed line ends, a blank around "=", a comment: any rewrite of the file changes its bytes.
  state.ini_contents =
      "; kept as it is\n[don't load]\r\ndesk.cpl=no\nfax.cpl = "
      "no\r\nsysdm.cpl=\r\n"
      "mlcfg32.cpl=yes";
  // What a handler run while filling would rewrite: a Default 1 setting whose value matches neither
  // entry, a restriction value present but not 1, a My Computer key with a default value, text
  // settings, a matching choice, a drive mask, a command in lower case, a path, an icon size with a
  // trailing blank, a folder with one of its two names, an open-with command that is not the
  // program's own and has no menu text, a command of unknown files whose default verb is not
  // "open".
  memory.PutNumber(kCurrentUser, std::string(kPolicies) + "\\Network", "NoEntireNetwork", 7);
  memory.PutNumber(kCurrentUser, std::string(kPolicies) + "\\System", "NoDevMgrPage", 0);
  memory.PutText(kLocalMachine, kWebFolders, "", "Web Folders");
  memory.PutText(kLocalMachine, std::string("Software\\Classes\\") + kRecycleBin, "", "Корзина");
  memory.Put(kClassesRoot, std::string(kRecycleBin) + "\\ShellFolder", "Attributes", 3,
             {0x60, 0x01, 0x00, 0x20});
  memory.PutText(kClassesRoot, "exefile", "", "Приложение");
  memory.PutNumber(kCurrentUser, std::string(kPolicies) + "\\Explorer", "NoDrives", 4);
  memory.PutText(kClassesRoot, "Folder\\Shell\\Open\\ddeexec", "",
                 "[explorefolder(\"%l\", %i, %s)]");
  memory.PutText(kCurrentUser, "Software\\Microsoft\\Internet Explorer\\Toolbar", "BackBitmapShell",
                 state.picture);
  memory.PutText(kCurrentUser, "Control Panel\\Desktop\\WindowMetrics", "Shell Icon Size", "48 ");
  memory.PutText(kCurrentUser,
                 "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                 "Administrative Tools", "C:\\Admin");
  memory.PutText(kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Setup", "SourcePath",
                 "D:\\WIN98\\");
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
  system.WriteFile(state.ini, state.ini_contents);

  return state;
}

}  // namespace vireo::test
