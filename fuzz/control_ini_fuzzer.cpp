// control.ini as the Control Panel page reads and writes it: whatever the file holds, filling
// the applet list only reads it and ticks exactly the applets without a value in "Don't Load";
// a click writes that applet's line and leaves every other applet's value as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <fstream>
#include <iterator>
#include <string>

#include "check.h"
#include "main/control_panel_page.h"
#include "window.h"

using namespace vireo;

namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(platform::HostPath(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::Window window;
  FuzzedDataProvider in(data, size);
  const int click = in.ConsumeIntegralInRange(0, main::kAppletCount - 1);
  const std::string text = in.ConsumeRemainingBytesAsString();
  const std::string ini = window.standins.system.WindowsDirectory() + "\\control.ini";
  {
    std::ofstream out(platform::HostPath(ini), std::ios::binary | std::ios::trunc);
    out << text;
  }

  main::AppletList& applets = window.main->control_panel().applets();
  const int writes = window.standins.profile.writes;
  applets.Load();
  FUZZ_CHECK(window.standins.profile.writes == writes);
  FUZZ_CHECK(Contents(ini) == text);
  std::array<std::string, main::kAppletCount> before;
  for (int i = 0; i < main::kAppletCount; ++i) {
    before[i] = window.standins.profile.GetString(main::kDontLoad, main::kApplets[i].key, "", ini);
    FUZZ_CHECK(applets.list().ItemChecked(i) == before[i].empty());
  }

  auto& list = static_cast<ui::headless::HCheckList&>(applets.list());
  list.ToggleCheck(click);
  for (int i = 0; i < main::kAppletCount; ++i) {
    const std::string now =
        window.standins.profile.GetString(main::kDontLoad, main::kApplets[i].key, "", ini);
    if (i == click) {
      FUZZ_CHECK(now == (before[i].empty() ? "no" : ""));
    } else {
      FUZZ_CHECK(now == before[i]);
    }
  }
  return 0;
}
