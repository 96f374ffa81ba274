// Time of a page switch in the real program: starts vireo.exe, waits for its main window, then
// clicks each page button in turn (BM_CLICK, which returns once the program has handled the
// click: the page is in front and its controls have read the registry again) and measures each
// click with the performance counter. The first click on a page also creates its windows.
//
//   pageswitch EXE ROUNDS [--desktop NAME]
//
// Prints one line per page:
//   pageswitch: PAGE first F ms, then median M ms over N clicks

#include <cstdlib>

#include "resource.h"
#include "running_vireo.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf("usage: pageswitch EXE ROUNDS [--desktop NAME]\n");
    return 2;
  }
  const int rounds = std::max(1, std::atoi(argv[2]));
  const char* desktop = argc >= 5 && std::strcmp(argv[3], "--desktop") == 0 ? argv[4] : nullptr;
  bench::RunningVireo vireo(argv[1], desktop);
  if (!vireo.main()) {
    std::printf("pageswitch: no main window\n");
    return 1;
  }
  const char* const kNames[] = {"Control Panel", "Explorer", "Active Desktop", "Folders", "Files"};
  constexpr int kOrder[] = {1, 2, 3, 4, 0};
  std::vector<double> first(5, 0);
  std::vector<std::vector<double>> later(5);
  for (int round = 0; round <= rounds; ++round) {
    for (int page : kOrder) {
      HWND button = bench::Control(vireo.main(), IDC_PAGE_BUTTON_FIRST + page);
      if (!button) continue;
      const double start = bench::NowMs();
      SendMessageA(button, BM_CLICK, 0, 0);
      const double ms = bench::NowMs() - start;
      if (round == 0) {
        first[page] = ms;
      } else {
        later[page].push_back(ms);
      }
    }
  }
  for (int page : kOrder) {
    std::printf("pageswitch: %s first %.1f ms, then median %.1f ms over %zu clicks\n", kNames[page],
                first[page], bench::Median(later[page]), later[page].size());
  }
  return 0;
}
