// The Folders page's special folders: cmbFolder picks a folder, txtPath shows its path from
// "Shell Folders" and writes what is typed to both "Shell Folders" and "User Shell Folders".
#include "harness.h"
#include "input.h"
#include "pages.h"
#include "resource.h"
#include "rows.h"

namespace driver {

void checkSpecialFolders(PageRun& run) {
  Control folder{IDC_CMB_FOLDER, "the special folder list cmbFolder"};
  Control path{IDC_TXT_PATH, "the path field txtPath"};
  if (!find(run.shell.main, {&folder, &path})) return;
  expectShown(folder, "Administrative Tools", "on first showing the page");

  // "Cookies" is three down from the first folder; each step shows the path of its folder.
  const std::string picked = "after three down arrows in " + folder.name;
  for (int i = 0; i < 3; ++i) pressKey(folder.window, VK_DOWN);
  waitUntil([&] { return shownText(path.window) == "C:\\Vireo\\Cookies"; }, 5000);
  ask(folder.window, WM_NULL);
  expectShown(folder, "Cookies", picked);
  expectShown(path, "C:\\Vireo\\Cookies", picked);
  expectState(pageRows(), run.now, picked + ": nothing was written");

  const std::string typed = "after typing \"X\" at the end of " + path.name;
  caretToEnd(path.window);
  check(typeText(path.window, "X"), path.name + " took the keystroke");
  expectShown(path, "C:\\Vireo\\CookiesX", typed);
  run.now[kPageRowCookies] = textValue("C:\\Vireo\\CookiesX");
  run.now[kPageRowUserCookies] = textValue("C:\\Vireo\\CookiesX");
  expectStored(kCookies, run.now[kPageRowCookies], typed);
  expectStored(kUserCookies, run.now[kPageRowUserCookies], typed);
  expectState(pageRows(), run.now, typed + ": nothing else changed");
}

}  // namespace driver
