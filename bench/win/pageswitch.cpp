// Time of a page switch in the real program: starts vireo.exe, waits for its main window, then
// clicks each page button in turn (BM_CLICK, which returns once the program has handled the
// click: the page is in front and its controls have read the registry again) and measures each
// click with the performance counter. The program is started STARTS times: the first click on a
// page is the one that would make its windows if they were not made ahead in idle time.
//
//   pageswitch EXE ROUNDS [STARTS] [--desktop NAME]
//
// Prints one line per page:
//   pageswitch: PAGE first F ms (worst of S starts), then median M ms, worst W ms over N clicks

#include <cstdlib>

#include "resource.h"
#include "running_vireo.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf("usage: pageswitch EXE ROUNDS [STARTS] [--desktop NAME]\n");
    return 2;
  }
  const int rounds = std::max(1, std::atoi(argv[2]));
  int starts = 1;
  const char* desktop = nullptr;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--desktop") == 0 && i + 1 < argc) {
      desktop = argv[++i];
    } else {
      starts = std::max(1, std::atoi(argv[i]));
    }
  }
  const char* const kNames[] = {"Control Panel", "Explorer", "Active Desktop", "Folders", "Files"};
  constexpr int kOrder[] = {1, 2, 3, 4, 0};
  std::vector<double> first(5, 0);
  std::vector<std::vector<double>> later(5);
  for (int start = 0; start < starts; ++start) {
    bench::RunningVireo vireo(argv[1], desktop);
    if (!vireo.main()) {
      std::printf("pageswitch: no main window\n");
      return 1;
    }
    for (int round = 0; round <= rounds; ++round) {
      for (int page : kOrder) {
        HWND button = bench::Control(vireo.main(), IDC_PAGE_BUTTON_FIRST + page);
        if (!button) continue;
        const double begin = bench::NowMs();
        SendMessageA(button, BM_CLICK, 0, 0);
        const double ms = bench::NowMs() - begin;
        if (round == 0) {
          first[page] = std::max(first[page], ms);
        } else {
          later[page].push_back(ms);
        }
      }
    }
  }
  for (int page : kOrder) {
    const double worst =
        later[page].empty() ? 0 : *std::max_element(later[page].begin(), later[page].end());
    std::printf(
        "pageswitch: %s first %.1f ms (worst of %d starts), then median %.1f ms, worst %.1f ms "
        "over %zu clicks\n",
        kNames[page], first[page], starts, bench::Median(later[page]), worst, later[page].size());
  }
  return 0;
}
