// Time of a page switch in the real program: starts vireo.exe, waits for its main window, then
// clicks each page button in turn (BM_CLICK, which returns once the program has handled the
// click: the page is in front and its controls have read the registry again) and measures each
// click with the performance counter. The first click on a page also creates its windows.
//
//   pageswitch EXE ROUNDS [--desktop NAME]
//
// Prints one line per page:
//   pageswitch: PAGE first F ms, then median M ms over N clicks

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resource.h"

namespace {

struct Found {
  int id;
  HWND window;
};

BOOL CALLBACK findId(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<Found*>(data);
  if (GetDlgCtrlID(window) == found->id) {
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

HWND control(HWND main, int id) {
  Found found{id, nullptr};
  EnumChildWindows(main, findId, reinterpret_cast<LPARAM>(&found));
  return found.window;
}

struct MainSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK findMain(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<MainSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char title[64] = "";
  GetWindowTextA(window, title, sizeof title);
  if (owner == search->pid && IsWindowVisible(window) && std::strcmp(title, "Vireo") == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

double nowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf("usage: pageswitch EXE ROUNDS [--desktop NAME]\n");
    return 2;
  }
  const std::string exe = argv[1];
  const int rounds = std::max(1, std::atoi(argv[2]));
  const char* desktop = nullptr;
  if (argc >= 5 && std::strcmp(argv[3], "--desktop") == 0) desktop = argv[4];
  if (desktop) {
    if (HDESK d = OpenDesktopA(desktop, 0, FALSE, GENERIC_ALL)) SetThreadDesktop(d);
  }

  std::string directory = exe.substr(0, exe.find_last_of("\\/"));
  std::string commandLine = "\"" + exe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.lpDesktop = const_cast<char*>(desktop);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.c_str(), &startup, &process)) {
    std::printf("cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
    return 1;
  }
  MainSearch search{process.dwProcessId, nullptr};
  for (int i = 0; i < 6000 && !search.found; ++i) {
    EnumWindows(findMain, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(10);
  }
  int status = 0;
  if (!search.found) {
    std::printf("pageswitch: no main window\n");
    status = 1;
  } else {
    Sleep(500);
    const char* const kNames[] = {"Control Panel", "Explorer", "Active Desktop", "Folders",
                                  "Files"};
    constexpr int kOrder[] = {1, 2, 3, 4, 0};
    std::vector<double> first(5, 0);
    std::vector<std::vector<double>> later(5);
    for (int round = 0; round <= rounds; ++round) {
      for (int page : kOrder) {
        HWND button = control(search.found, IDC_PAGE_BUTTON_FIRST + page);
        if (!button) continue;
        const double start = nowMs();
        SendMessageA(button, BM_CLICK, 0, 0);
        const double ms = nowMs() - start;
        if (round == 0) {
          first[page] = ms;
        } else {
          later[page].push_back(ms);
        }
      }
    }
    for (int page : kOrder) {
      auto& runs = later[page];
      std::sort(runs.begin(), runs.end());
      const double median = runs.empty() ? 0 : runs[runs.size() / 2];
      std::printf("pageswitch: %s first %.1f ms, then median %.1f ms over %zu clicks\n",
                  kNames[page], first[page], median, runs.size());
    }
    PostMessageA(search.found, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return status;
}
