// The values of control.ini as the Control Panel page reads and writes them: whatever the
// system gives for each applet's line in "Don't Load" (nothing, an empty text, "no", any other
// text of any length), filling the applet list only reads and ticks exactly the applets without
// a value; a click writes that applet's line and leaves every other line as it was. The values
// come straight from the input, as the system hands them over after reading the file.
#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <string>
#include <tuple>

#include "check.h"
#include "main/control_panel_page.h"
#include "window.h"

using namespace vireo;

namespace {

// A private profile in memory: a value per file, section and key, as the system returns it (no
// line breaks, no NUL). Counts what it is asked to change.
class MemoryProfile : public platform::Profile {
 public:
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& fallback, const std::string& file) override {
    const auto found = values.find({file, section, key});
    return found == values.end() ? fallback : found->second;
  }
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override {
    ++writes;
    values[{file, section, key}] = value;
    return true;
  }
  bool DeleteKey(const std::string& section, const std::string& key,
                 const std::string& file) override {
    ++writes;
    values.erase({file, section, key});
    return true;
  }
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
  int writes = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MemoryProfile profile;
  static fuzz::Window window(profile);
  FuzzedDataProvider in(data, size);
  const std::string ini = window.standins.system.WindowsDirectory() + "\\control.ini";
  profile.values.clear();
  for (int i = 0; i < main::kAppletCount && in.remaining_bytes() > 0; ++i) {
    if (!in.ConsumeBool()) continue;  // no line for this applet
    std::string value = in.ConsumeRandomLengthString(400);
    value = value.substr(0, value.find_first_of(std::string("\r\n\0", 3)));
    profile.values[{ini, main::kDontLoad, main::kApplets[i].key}] = value;
  }
  const int click = in.ConsumeIntegralInRange(0, main::kAppletCount - 1);
  const auto before = profile.values;

  main::AppletList& applets = window.main->page<main::ControlPanelPage>().applets();
  const int writes = profile.writes;
  applets.Load();
  FUZZ_CHECK(profile.writes == writes);
  FUZZ_CHECK(profile.values == before);
  for (int i = 0; i < main::kAppletCount; ++i) {
    const std::string value = profile.GetString(main::kDontLoad, main::kApplets[i].key, "", ini);
    FUZZ_CHECK(applets.list().ItemChecked(i) == value.empty());
  }

  auto& list = static_cast<ui::headless::HCheckList&>(applets.list());
  const std::string was = profile.GetString(main::kDontLoad, main::kApplets[click].key, "", ini);
  list.ToggleCheck(click);
  auto expected = before;
  expected[{ini, main::kDontLoad, main::kApplets[click].key}] = was.empty() ? "no" : "";
  FUZZ_CHECK(profile.values == expected);
  FUZZ_CHECK(list.ItemChecked(click) == !was.empty());
  return 0;
}
