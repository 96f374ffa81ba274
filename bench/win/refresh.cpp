// Time of "Обновить данные" in the real program: starts vireo.exe, waits for its main window,
// then sends it the refresh command (WM_COMMAND IDM_FILE_REFRESH) with SendMessage, which
// returns once the program has read everything again and closed its wait window, and measures
// each with the performance counter.
//
//   refresh EXE ROUNDS [--desktop NAME]
//
// Prints:
//   refresh: first F ms, then median M ms over N refreshes

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resource.h"

namespace {

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
    std::printf("usage: refresh EXE ROUNDS [--desktop NAME]\n");
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
    std::printf("refresh: no main window\n");
    status = 1;
  } else {
    Sleep(500);
    double first = 0;
    std::vector<double> later;
    for (int round = 0; round <= rounds; ++round) {
      const double start = nowMs();
      SendMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDM_FILE_REFRESH, 0), 0);
      const double ms = nowMs() - start;
      if (round == 0) {
        first = ms;
      } else {
        later.push_back(ms);
      }
    }
    std::sort(later.begin(), later.end());
    std::printf("refresh: first %.1f ms, then median %.1f ms over %zu refreshes\n", first,
                later[later.size() / 2], later.size());
    PostMessageA(search.found, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return status;
}
