// What the benchmarks that drive the real program share: vireo.exe started in its own directory
// (on a desktop of Wine's, when one is named), its main window found, and the program closed
// again; time in milliseconds from the performance counter.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace bench {

inline double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> runs) {
  if (runs.empty()) return 0;
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

struct FoundControl {
  int id;
  HWND window;
};

inline BOOL CALLBACK FindControl(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<FoundControl*>(data);
  if (GetDlgCtrlID(window) != found->id) return TRUE;
  found->window = window;
  return FALSE;
}

// The descendant of `main` with the control id `id`, or null.
inline HWND Control(HWND main, int id) {
  FoundControl found{id, nullptr};
  EnumChildWindows(main, FindControl, reinterpret_cast<LPARAM>(&found));
  return found.window;
}

class RunningVireo {
 public:
  // Starts `exe` and waits up to a minute for its visible main window "Vireo", then half a
  // second more when `settle` (what it does once idle is done by then, on a quiet machine).
  RunningVireo(const std::string& exe, const char* desktop, bool settle = true) {
    if (desktop) {
      if (HDESK d = OpenDesktopA(desktop, 0, FALSE, GENERIC_ALL)) SetThreadDesktop(d);
    }
    const std::string directory = exe.substr(0, exe.find_last_of("\\/"));
    std::string command_line = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = const_cast<char*>(desktop);
    started_ms_ = NowMs();
    if (!CreateProcessA(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &process_)) {
      std::printf("cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
      return;
    }
    for (int i = 0; i < 6000 && !main_; ++i) {
      EnumWindows(FindMain, reinterpret_cast<LPARAM>(this));
      if (!main_) Sleep(10);
    }
    shown_ms_ = NowMs() - started_ms_;
    if (main_ && settle) Sleep(500);
  }
  ~RunningVireo() {
    if (!process_.hProcess) return;
    if (main_) PostMessageA(main_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) {
      TerminateProcess(process_.hProcess, 1);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  RunningVireo(const RunningVireo&) = delete;
  RunningVireo& operator=(const RunningVireo&) = delete;

  // The main window, or null when the program did not show it.
  HWND main() const { return main_; }
  // When the process was started, on the clock of NowMs; and how long it took to show main().
  double started_ms() const { return started_ms_; }
  double shown_ms() const { return shown_ms_; }

 private:
  static BOOL CALLBACK FindMain(HWND window, LPARAM data) {
    auto* self = reinterpret_cast<RunningVireo*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char title[64] = "";
    GetWindowTextA(window, title, sizeof title);
    if (owner == self->process_.dwProcessId && IsWindowVisible(window) &&
        std::strcmp(title, "Vireo") == 0) {
      self->main_ = window;
      return FALSE;
    }
    return TRUE;
  }

  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
  double started_ms_ = 0;
  double shown_ms_ = 0;
};

}  // namespace bench
