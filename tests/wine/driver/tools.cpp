// The tool windows of the real program: "Системная информация" from "Справка" with the Windows 98
// version line, the computer name and the environment; its process list, where the program
// finds itself by its full path and a Notepad started here is ended with "Завершить"; its window
// list, which lists the main window; and "О программе". Each closes with its "OK"; how each
// opens over its disabled owner, and that every way of ending it destroys it, is checked with
// every modal window (driver.exe modal), the lists' counts and refreshes on the host.
#include <algorithm>

#include "driver.h"
#include "tools/about.h"
#include "tools/process_list.h"
#include "tools/system_info.h"
#include "tools/window_list.h"

namespace driver {

namespace {

namespace tools = vireo::tools;
const char kWin98Line[] = "Windows 98 SE v.4.10 Build 2222A";

// The line of the process list whose program file is `path` or ends in "\\`path`" (any letter
// case), or -1.
int lineOf(HWND list, const std::string& path) {
  const std::vector<std::string> lines = listItems(list);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string line = lower(lines[i]);
    if (line == lower(path) || line.ends_with("\\" + lower(path))) return static_cast<int>(i);
  }
  return -1;
}

void checkProcesses(DWORD pid, HWND info, const std::string& exe) {
  clickLater(byId(info, IDC_SYSINFO_PROCESSES));
  HWND procs = expectTop(pid, tools::kProcessListTitle, "the process list is shown");
  if (procs == nullptr) return;
  HWND list = byId(procs, IDC_PROCS_LIST);
  check(lineOf(list, exe) >= 0, "the list holds the program by its full path " + quoted(exe));

  // A Notepad started here, selected and ended.
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION notepad{};
  char command[] = "notepad.exe";
  const bool started = check(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr,
                                            nullptr, &startup, &notepad) != 0,
                             "Notepad starts");
  WaitForInputIdle(notepad.hProcess, 10000);
  click(byId(procs, IDC_PROCS_REFRESH));
  const int line = started ? lineOf(list, "notepad.exe") : -1;
  if (started && check(line >= 0, "\"Обновить\" lists Notepad by its full path")) {
    clickItem(list, line, kTextX);  // what a selection shows is checked on the host
    click(byId(procs, IDC_PROCS_TERMINATE));
    check(WaitForSingleObject(notepad.hProcess, 10000) == WAIT_OBJECT_0,
          "\"Завершить\" ends Notepad");
    check(waitUntil([&] { return lineOf(list, "notepad.exe") < 0; }),
          "and the refreshed list no longer holds it");
  }
  TerminateProcess(notepad.hProcess, 0);  // if it is still there
  CloseHandle(notepad.hThread);
  CloseHandle(notepad.hProcess);
  check(closeWith(procs, IDC_PROCS_OK), "\"OK\" closes the process list");
}

void checkWindows(DWORD pid, HWND info, HWND main) {
  clickLater(byId(info, IDC_SYSINFO_WINDOWS));
  HWND windows = expectTop(pid, tools::kWindowListTitle, "the window list is shown");
  if (windows == nullptr) return;
  std::string handle = std::to_string(reinterpret_cast<std::uintptr_t>(main));
  if (handle.size() < 5) handle.insert(0, 5 - handle.size(), ' ');
  const std::string expected = handle + "    Vireo";
  const std::vector<std::string> lines = listItems(byId(windows, IDC_WINDOWS_LIST));
  check(std::find(lines.begin(), lines.end(), expected) != lines.end(),
        "the main window is listed as " + quoted(expected));
  check(closeWith(windows, IDC_WINDOWS_OK), "\"OK\" closes the window list");
}

}  // namespace

int runTools(const std::string& exe, const char* desktop) {
  Program program;
  HWND main = startMain(program, exe, desktop);
  if (main == nullptr) return finish();
  const DWORD pid = program.pid();

  postCommand(main, IDM_HELP_OS);
  if (HWND info = expectTop(pid, tools::kSystemInfoTitle, "the system information is shown")) {
    same(windowText(byId(info, IDC_SYSINFO_OS_VERSION)), kWin98Line, "the version line");
    char name[256] = {};
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    same(windowText(byId(info, IDC_SYSINFO_COMPUTER_NAME)), name, "the computer name");
    // A query that fails leaves its label empty; the texts are checked on the host.
    for (int id : {IDC_SYSINFO_RUNNING_TIME, IDC_SYSINFO_RAM})
      check(!windowText(byId(info, id)).empty(), "label " + std::to_string(id) + " is filled");
    const std::vector<std::string> environment = listItems(byId(info, IDC_SYSINFO_ENV));
    check(!environment.empty() &&
              std::all_of(environment.begin(), environment.end(),
                          [](const std::string& e) { return e.find('=') != std::string::npos; }),
          "the environment lists " + std::to_string(environment.size()) + " entries name=value");
    checkProcesses(pid, info, exe);
    checkWindows(pid, info, main);
    check(closeWith(info, IDC_SYSINFO_OK), "\"OK\" closes the system information");
  }

  postCommand(main, IDM_HELP_ABOUT);
  if (HWND about = expectTop(pid, tools::kAboutTitle, "\"О программе\" is shown")) {
    same(windowText(byId(about, IDC_ABOUT_VERSION)), "Версия 1.0.0",
         "the version from the version resource");
    check(closeWith(about, IDC_ABOUT_OK), "\"OK\" closes \"О программе\"");
  }
  endProgram(program, main);
  return finish();
}

}  // namespace driver
