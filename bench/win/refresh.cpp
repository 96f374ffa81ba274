// Time of "Обновить данные" in the real program: starts vireo.exe, waits for its main window,
// then sends it the refresh command (WM_COMMAND IDM_FILE_REFRESH) with SendMessage, which
// returns once the program has read everything again and closed its wait window, and measures
// each with the performance counter. Then it brings the Files page to the front and measures as
// many refreshes once more. The New-menu list that a refresh reads again is read afterwards, in
// idle time: SendMessage returns before it, and the next refresh starts it afresh.
//
//   refresh EXE ROUNDS [--desktop NAME]
//
// Prints:
//   refresh: first F ms, then median M ms, worst W ms over N refreshes
//   refresh: Files page first shown in S ms; then median M ms, worst W ms over N refreshes

#include <cstdlib>

#include "resource.h"
#include "running_vireo.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf("usage: refresh EXE ROUNDS [--desktop NAME]\n");
    return 2;
  }
  const int rounds = std::max(1, std::atoi(argv[2]));
  const char* desktop = argc >= 5 && std::strcmp(argv[3], "--desktop") == 0 ? argv[4] : nullptr;
  bench::RunningVireo vireo(argv[1], desktop);
  if (!vireo.main()) {
    std::printf("refresh: no main window\n");
    return 1;
  }
  const auto refresh = [&] {
    const double start = bench::NowMs();
    SendMessageA(vireo.main(), WM_COMMAND, MAKEWPARAM(IDM_FILE_REFRESH, 0), 0);
    return bench::NowMs() - start;
  };
  const double first = refresh();
  std::vector<double> later;
  for (int round = 0; round < rounds; ++round) later.push_back(refresh());
  const auto worst = [](const std::vector<double>& runs) {
    return runs.empty() ? 0.0 : *std::max_element(runs.begin(), runs.end());
  };
  std::printf("refresh: first %.1f ms, then median %.1f ms, worst %.1f ms over %zu refreshes\n",
              first, bench::Median(later), worst(later), later.size());

  HWND files = bench::Control(vireo.main(), IDC_PAGE_BUTTON_FIRST + 4);
  if (!files) return 0;
  const double start = bench::NowMs();
  SendMessageA(files, BM_CLICK, 0, 0);
  const double shown = bench::NowMs() - start;
  later.clear();
  for (int round = 0; round < rounds; ++round) later.push_back(refresh());
  std::printf(
      "refresh: Files page first shown in %.1f ms; then median %.1f ms, worst %.1f ms over %zu "
      "refreshes\n",
      shown, bench::Median(later), worst(later), later.size());
  return 0;
}
