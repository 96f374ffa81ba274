// Drives the real vireo.exe from outside, as a user would, and prints what it finds.
//
//   driver MODE EXE [--desktop NAME]  one scenario of kScenarios on the program, in Windows 98
//                                     mode but "refuse" (any other platform: the platform
//                                     message, then the end); the file of each scenario begins
//                                     with what it does
//   driver export EXE ok|error3|kill|start [--desktop NAME]
//                                     the user-setup export, for scripts/killexport.sh
//   driver probe                      prints the bitness of this process and the version that the
//                                     system reports (scripts use it to try the Wine loader)
//   driver wait TITLE [SECONDS] [--desktop NAME]
//                                     waits for a visible top-level window with this title and
//                                     prints its place on the screen ("rect: X Y WIDTH HEIGHT")
//   driver hold [--desktop NAME]      keeps the desktop in use until it is ended
//
// The driver starts the program itself in the program's directory, finds top-level windows by
// their titles and controls and menu commands by their ids (docs/wine.md, "Menus across
// processes"), and reports as report.h says.

#include <cstdlib>
#include <cstring>

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

// Moves this thread to the named desktop, so that window searches see the windows there.
// The desktop may still be on its way (Wine's explorer creates it), so the driver waits for it.
bool useDesktop(const char* name) {
  HDESK desktop = nullptr;
  waitUntil([&] { return (desktop = OpenDesktopA(name, 0, FALSE, GENERIC_ALL)) != nullptr; });
  if (desktop != nullptr && SetThreadDesktop(desktop)) return true;
  say("FAIL: cannot use the desktop %s (error %lu)", name, GetLastError());
  return false;
}

// The scenarios that take the program's path alone.
struct Scenario {
  const char* mode;
  int (*run)(const std::string& exe, const char* desktop);
};
constexpr Scenario kScenarios[] = {
    {"main", runMain},   {"refuse", runRefuse},     {"pages", runPages},   {"files", runFiles},
    {"cases", runCases}, {"menus", runMenus},       {"tools", runTools},   {"journal", runJournal},
    {"modal", runModal}, {"tooltips", runTooltips}, {"search", runSearch},
};

int usage() {
  std::string modes;
  for (const Scenario& s : kScenarios) modes += std::string(s.mode) + " EXE | ";
  say("usage: driver probe | %sexport EXE ok|error3|kill|start | wait TITLE [SECONDS] | hold "
      "[--desktop NAME]",
      modes.c_str());
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
  // "hold" keeps the desktop it was started on in use until it is ended: Wine closes a virtual
  // desktop shortly after the last program on it has gone, which would take the desktop away
  // between two suites that follow each other with a pause.
  if (mode == "hold") Sleep(INFINITE);
  for (const Scenario& s : kScenarios) {
    if (mode == s.mode && args.size() == 2) return s.run(args[1], desktop);
  }
  if (mode == "export" && args.size() == 3) return runExport(args[1], args[2], desktop);
  if (mode == "wait" && args.size() >= 2) {
    return runWait(args[1], args.size() > 2 ? std::strtoul(args[2].c_str(), nullptr, 10) : 60);
  }
  return usage();
}
