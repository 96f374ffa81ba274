// Time from starting the real program until its New-menu list is ready: vireo.exe reads the list
// while it is idle after its first paint and shows it whole, so the moment lstNew first holds an
// item is the moment the reading ended (the prefix must hold at least one entry). The list's
// window is made ahead with the other pages' windows, in idle time too. Each question is a message
// that the program answers before its next slice, so the list is asked every 20 ms only.
//
//   listready EXE RUNS [--desktop NAME]
//
// Prints one line per run and then:
//   listready: main window shown median W ms; list ready median R ms, worst X ms (N entries)

#include <cstdlib>

#include "resource.h"
#include "running_vireo.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf("usage: listready EXE RUNS [--desktop NAME]\n");
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[2]));
  const char* desktop = argc >= 5 && std::strcmp(argv[3], "--desktop") == 0 ? argv[4] : nullptr;
  std::vector<double> shown, ready;
  LRESULT entries = 0;
  for (int run = 0; run < runs; ++run) {
    bench::RunningVireo vireo(argv[1], desktop, false);
    if (!vireo.main()) {
      std::printf("listready: no main window\n");
      return 1;
    }
    double at = 0;
    for (int i = 0; i < 1000 && at == 0; ++i) {
      HWND list = bench::Control(vireo.main(), IDC_NEW_MENU_LIST);
      DWORD_PTR count = 0;
      if (list && SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, 1000, &count) &&
          static_cast<LRESULT>(count) > 0 && static_cast<LRESULT>(count) != LB_ERR) {
        at = bench::NowMs() - vireo.started_ms();
        entries = static_cast<LRESULT>(count);
      } else {
        Sleep(20);
      }
    }
    std::printf("listready: run %d: main window %.0f ms, list ready %.0f ms\n", run + 1,
                vireo.shown_ms(), at);
    shown.push_back(vireo.shown_ms());
    if (at > 0) ready.push_back(at);
  }
  if (ready.empty()) {
    std::printf("listready: the list never held an item\n");
    return 1;
  }
  std::printf(
      "listready: main window shown median %.0f ms; list ready median %.0f ms, worst %.0f ms "
      "(%ld entries)\n",
      bench::Median(shown), bench::Median(ready), *std::max_element(ready.begin(), ready.end()),
      static_cast<long>(entries));
  return 0;
}
