// Start-up time of a windowed program: from CreateProcess to the first visible top-level window
// of the program whose title matches, measured with the performance counter, over several runs.
//
//   launchtime RUNS EXE (--title TEXT | --title-has TEXT)... [--desktop NAME]
//
// --title matches a whole title, --title-has a part of it (titles are compared in code page
// 1251). Each run starts EXE in its own directory, waits for the window (60 s at most), notes
// the process's peak working set, closes the window and waits for the program to end. Prints
// one line per run, then
//   launchtime: median M ms, runs T1 T2 ..., peak K KB
// Times are printed in whole milliseconds; a run that timed out makes the exit code 1.

#include <windows.h>

#include <psapi.h>  // after windows.h, which it needs

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kTimeoutMs = 60000;

struct Wanted {
  std::string text;
  bool whole;
};

struct Search {
  DWORD pid;
  const std::vector<Wanted>* wanted;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->pid || !IsWindowVisible(window)) return TRUE;
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "#32770") == 0) return TRUE;  // a message box is not the window
  char title[512] = "";
  GetWindowTextA(window, title, sizeof title);
  for (const Wanted& wanted : *search->wanted) {
    bool match =
        wanted.whole ? wanted.text == title : std::strstr(title, wanted.text.c_str()) != nullptr;
    if (match) {
      search->found = window;
      return FALSE;
    }
  }
  return TRUE;
}

double counterMs(LARGE_INTEGER from, LARGE_INTEGER to) {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

struct Run {
  bool ok = false;
  double ms = 0;
  SIZE_T peakBytes = 0;
};

Run runOnce(const std::string& exe, const std::vector<Wanted>& wanted, const char* desktop) {
  Run run;
  std::string directory = exe.substr(0, exe.find_last_of("\\/"));
  if (directory == exe) directory = ".";
  std::string commandLine = "\"" + exe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.lpDesktop = const_cast<char*>(desktop);
  PROCESS_INFORMATION process{};
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.c_str(), &startup, &process)) {
    std::printf("cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
    return run;
  }
  Search search{process.dwProcessId, &wanted, nullptr};
  for (;;) {
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    run.ms = counterMs(start, now);
    if (search.found != nullptr || run.ms > kTimeoutMs) break;
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  run.ok = search.found != nullptr;
  if (run.ok) {
    Sleep(500);  // let it settle before reading the peak
    PROCESS_MEMORY_COUNTERS counters{};
    if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters)) {
      run.peakBytes = counters.PeakWorkingSetSize;
    }
    PostMessageA(search.found, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

bool useDesktop(const char* name) {
  HDESK desktop = nullptr;
  for (int i = 0; i < 600 && desktop == nullptr; ++i) {
    desktop = OpenDesktopA(name, 0, FALSE, GENERIC_ALL);
    if (desktop == nullptr) Sleep(50);
  }
  return desktop != nullptr && SetThreadDesktop(desktop);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::printf("usage: launchtime RUNS EXE (--title TEXT | --title-has TEXT)... [--desktop D]\n");
    return 2;
  }
  int runs = std::max(1, std::atoi(argv[1]));
  std::string exe = argv[2];
  std::vector<Wanted> wanted;
  const char* desktop = nullptr;
  for (int i = 3; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--title") == 0) wanted.push_back({argv[i + 1], true});
    if (std::strcmp(argv[i], "--title-has") == 0) wanted.push_back({argv[i + 1], false});
    if (std::strcmp(argv[i], "--desktop") == 0) desktop = argv[i + 1];
  }
  if (desktop != nullptr && !useDesktop(desktop)) {
    std::printf("cannot use the desktop %s\n", desktop);
    return 1;
  }
  std::vector<double> times;
  SIZE_T peak = 0;
  bool allOk = true;
  for (int i = 1; i <= runs; ++i) {
    Run run = runOnce(exe, wanted, desktop);
    if (!run.ok) {
      std::printf("run %d: no window within %.0f ms\n", i, run.ms);
      allOk = false;
      continue;
    }
    std::printf("run %d: %.1f ms, peak working set %lu KB\n", i, run.ms,
                static_cast<unsigned long>(run.peakBytes / 1024));
    std::fflush(stdout);
    times.push_back(run.ms);
    peak = std::max(peak, run.peakBytes);
  }
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  double median = 0;
  if (!sorted.empty()) {
    size_t n = sorted.size();
    median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
  }
  std::printf("launchtime: median %.0f ms, runs", median);
  for (double t : times) std::printf(" %.0f", t);
  std::printf(", peak %lu KB\n", static_cast<unsigned long>(peak / 1024));
  return allOk && !times.empty() ? 0 : 1;
}
