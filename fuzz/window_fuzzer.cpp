// The main window on the stand-ins, built once for the run (docs/fuzzing.md), fed by the input's
// last byte either
// - mutated catalogue strings, with values of any type at the paths they name: configuring the
//   elements they belong to writes nothing, and the journal's undo of the values put gives the
//   registry back as it was; or
// - the control.ini values of the applets, as the system hands them over: filling the applet
//   list only reads and ticks exactly the applets without a value; a click changes that
//   applet's line only.
#include <map>
#include <tuple>

#include "check.h"
#include "main/control_panel_page.h"
#include "platform/host/catalogue_table.h"
#include "registry/reg_access.h"
#include "service/journal.h"
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

void Catalogue(FuzzedDataProvider& in) {
  static fuzz::Window window;
  static service::Journal journal(window.memory, window.standins.profile, window.standins.files);
  static const std::uint64_t start = window.memory.Fingerprint();
  std::map<int, std::string> originals;
  const int count = in.ConsumeIntegralInRange(1, 6);
  for (int i = 0; i < count && in.remaining_bytes() > 0; ++i) {
    const auto& entry = catalogue::kCatalogueEntries[in.ConsumeIntegralInRange<std::size_t>(
        0, catalogue::kCatalogueEntryCount - 1)];
    originals.emplace(entry.id, entry.text);
    std::string text = in.ConsumeRandomLengthString(120);
    // Often a small change of the real text rather than a new one.
    if (in.ConsumeBool()) text = entry.text + text;
    window.standins.strings.Set(entry.id, text);
    // A value of any type where the text, read as a path, points.
    registry::ValuePath where;
    platform::HKey key = 0;
    bool created = false;
    if (registry::SplitPath(text, &where) && where.root != 0 && in.ConsumeBool() &&
        journal.registry().CreateKey(where.root, where.key, platform::kKeyAllAccess3F, &key,
                                     &created) == platform::kSuccess) {
      const std::string bytes = in.ConsumeRandomLengthString(16);
      journal.registry().SetValue(key, where.name, in.ConsumeIntegralInRange<std::uint32_t>(0, 7),
                                  reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                  static_cast<std::uint32_t>(bytes.size()));
      journal.registry().CloseKey(key);
    }
  }

  const std::size_t writes = window.Writes();
  // Configuring reads the element once; the re-read is what a refresh and a page switch do.
  for (const auto& [id, text] : originals) window.main->catalogue().ConfigureEntry(id);
  FUZZ_CHECK(window.Writes() == writes && window.memory.open_handles() == 0);

  for (const auto& [id, text] : originals) window.standins.strings.Set(id, text);
  journal.UndoAll([](const service::Entry&) { return true; });
  journal.Forget();
  FUZZ_CHECK(window.memory.Fingerprint() == start);
  // The elements show the real texts and the registry again, as the next input expects.
  for (const auto& [id, text] : originals) window.main->catalogue().ConfigureEntry(id);
}

void ControlIni(FuzzedDataProvider& in) {
  static MemoryProfile profile;
  static fuzz::Window window(profile);
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
  FUZZ_CHECK(profile.writes == writes && profile.values == before);
  for (int i = 0; i < main::kAppletCount; ++i) {
    const std::string value = profile.GetString(main::kDontLoad, main::kApplets[i].key, "", ini);
    FUZZ_CHECK(applets.list().ItemChecked(i) == value.empty());
  }

  auto& list = static_cast<ui::headless::HCheckList&>(applets.list());
  const std::string was = profile.GetString(main::kDontLoad, main::kApplets[click].key, "", ini);
  list.ToggleCheck(click);
  auto expected = before;
  expected[{ini, main::kDontLoad, main::kApplets[click].key}] = was.empty() ? "no" : "";
  FUZZ_CHECK(profile.values == expected && list.ItemChecked(click) == !was.empty());
}

}  // namespace

FUZZ_TARGET(in) {
  (in.ConsumeBool() ? ControlIni : Catalogue)(in);
}
