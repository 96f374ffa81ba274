// Drives the real vireo.exe from outside, as a user would, and prints what it finds.
//
//   driver probe                      prints the bitness of this process and the version that the
//                                     system reports (scripts use it to try the Wine loader)
//   driver main EXE [--desktop NAME]  Windows 98 mode: the main window, its page buttons and
//                                     pages, "Обновить данные", "Выход"
//   driver pages EXE [--desktop NAME]
//                                     Windows 98 mode: what of the pages needs the real window:
//                                     the pages made ahead in idle time, F5, the drive list by
//                                     mouse and space bar, the toolbar background's preview
//   driver files EXE [--desktop NAME]
//                                     Windows 98 mode: a New-menu entry added, changed and
//                                     deleted through its editor, with its template file
//   driver cases EXE [--desktop NAME]
//                                     Windows 98 mode: every row of the pages' case table
//                                     (tests/cases/ui_cases.h), each action or reading on the
//                                     real window with Wine's registry
//   driver tools EXE [--desktop NAME]
//                                     Windows 98 mode: the tool windows: system information, the
//                                     process list (a Notepad ended there), the window list,
//                                     "О программе"
//   driver modal EXE [--desktop NAME]
//                                     Windows 98 mode: every modal window (the New-menu editor,
//                                     the journal, the system information and its two lists,
//                                     "О программе") ended by its buttons, clicks sent and posted,
//                                     keys, Alt+F4 and closes; the window under it takes input
//                                     and is active again within 50 ms ("time:" lines)
//   driver search EXE [--desktop NAME]
//                                     Windows 98 mode: Ctrl+F, a caption and an applet found and
//                                     jumped to (page, focus, item, mark); nothing written
//   driver export EXE ok|error3|kill [--desktop NAME]
//                                     Windows 98 mode: "Сохранить пользовательскую настройку"
//                                     answered "Да"; it ends without a message, with the message
//                                     of failure 3, or by the program being killed from outside
//                                     (scripts/killexport.sh looks at the files)
//   driver refuse EXE [--desktop NAME]
//                                     any other platform: the platform message, then the end
//   driver wait TITLE [SECONDS] [--desktop NAME]
//                                     waits for a visible top-level window with this title and
//                                     prints its place on the screen ("rect: X Y WIDTH HEIGHT")
//
// The driver starts the program itself, with the program's directory as the current directory.
// It finds top-level windows by their titles, the main window's controls by their control ids,
// and reaches menu commands by their command ids: under Wine a menu can be read only by the
// process that owns it. Every check prints "ok: ..." or "FAIL: ...", and the last line counts
// them; the exit code is 1 when a check failed.

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "driver.h"

namespace driver {

namespace {

int runProbe() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(&version);
  say("probe: %d-bit platform %lu version %lu.%lu build %lu", static_cast<int>(sizeof(void*) * 8),
      version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion,
      version.dwBuildNumber & 0xFFFF);
  return 0;
}

int runWait(const std::string& title, DWORD seconds) {
  DWORD start = GetTickCount();
  HWND window = nullptr;
  bool shown = waitUntil(
      [&] {
        window = FindWindowA(nullptr, title.c_str());
        return window != nullptr && IsWindowVisible(window) && !sameClass(window, "#32770");
      },
      seconds * 1000);
  if (!shown) {
    say("FAIL: no window %s within %lu s", quoted(title).c_str(), seconds);
    return 1;
  }
  say("ok: window %s shown after %lu ms", quoted(title).c_str(), GetTickCount() - start);
  RECT rect;
  GetWindowRect(window, &rect);
  say("rect: %ld %ld %ld %ld", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  return 0;
}

// Keeps the desktop that it was started on in use until it is ended. Wine closes a virtual
// desktop shortly after the last program on it has gone, which would take the desktop away
// between two suites that follow each other with a pause.
int runHold() {
  Sleep(INFINITE);
  return 0;
}

// Moves this thread to the named desktop, so that window searches see the windows there.
// The desktop may still be on its way (Wine's explorer creates it), so the driver waits for it.
bool useDesktop(const char* name) {
  HDESK desktop = nullptr;
  waitUntil([&] { return (desktop = OpenDesktopA(name, 0, FALSE, GENERIC_ALL)) != nullptr; });
  if (desktop != nullptr && SetThreadDesktop(desktop)) return true;
  say("FAIL: cannot use the desktop %s (error %lu)", name, GetLastError());
  return false;
}

int usage() {
  say("usage: driver probe | main EXE | pages EXE | files EXE | cases EXE | "
      "menus EXE | "
      "tooltips EXE | tools EXE | journal EXE | modal EXE | search EXE | "
      "export EXE ok|error3|kill|start"
      " | refuse EXE"
      " | wait TITLE [SECONDS] | hold  [--desktop NAME]");
  return 2;
}

}  // namespace

}  // namespace driver

int main(int argc, char** argv) {
  using namespace driver;
  std::vector<std::string> args;
  const char* desktop = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--desktop") == 0 && i + 1 < argc) {
      desktop = argv[++i];
    } else {
      args.emplace_back(argv[i]);
    }
  }
  if (args.empty()) return usage();
  if (desktop != nullptr && !useDesktop(desktop)) return 1;
  const std::string& mode = args[0];
  if (mode == "probe") return runProbe();
  if (mode == "hold") return runHold();
  if (mode == "main" && args.size() == 2) return runMain(args[1], desktop);
  if (mode == "refuse" && args.size() == 2) return runRefuse(args[1], desktop);
  if (mode == "pages" && args.size() == 2) return runPages(args[1], desktop);
  if (mode == "files" && args.size() == 2) return runFiles(args[1], desktop);
  if (mode == "cases" && args.size() == 2) return runCases(args[1], desktop);
  if (mode == "menus" && args.size() == 2) return runMenus(args[1], desktop);
  if (mode == "tooltips" && args.size() == 2) return runTooltips(args[1], desktop);
  if (mode == "tools" && args.size() == 2) return runTools(args[1], desktop);
  if (mode == "journal" && args.size() == 2) return runJournal(args[1], desktop);
  if (mode == "modal" && args.size() == 2) return runModal(args[1], desktop);
  if (mode == "search" && args.size() == 2) return runSearch(args[1], desktop);
  if (mode == "export" && args.size() == 3) return runExport(args[1], args[2], desktop);
  if (mode == "wait" && args.size() >= 2) {
    return runWait(args[1], args.size() > 2 ? std::strtoul(args[2].c_str(), nullptr, 10) : 60);
  }
  return usage();
}
