// The catalogue strings: the main window's catalogue-bound settings configured and read again
// from mutated texts (captions, registry paths, types, value pairs and lists, options), with
// values of any type at the paths they name. Whatever the texts, nothing crashes and filling
// the settings writes nothing. Only the elements whose entries an input changes are configured,
// and configured again from the real texts afterwards, so each input costs a few elements
// rather than the whole catalogue. The values are put through a change journal, whose undo takes
// them back exactly: the registry is as the input found it.
#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <string>

#include "check.h"
#include "platform/host/catalogue_table.h"
#include "registry/reg_access.h"
#include "service/journal.h"
#include "window.h"

using namespace vireo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::Window window;
  static service::Journal journal(window.memory, window.standins.profile, window.standins.files);
  static const std::uint64_t start = window.memory.Fingerprint();
  FuzzedDataProvider in(data, size);
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
  FUZZ_CHECK(window.Writes() == writes);
  FUZZ_CHECK(window.memory.open_handles() == 0);

  for (const auto& [id, text] : originals) window.standins.strings.Set(id, text);
  journal.UndoAll([](const service::Entry&) { return true; });
  journal.Forget();
  FUZZ_CHECK(window.memory.Fingerprint() == start);
  // The elements show the real texts and the registry again, as the next input expects.
  for (const auto& [id, text] : originals) window.main->catalogue().ConfigureEntry(id);
  return 0;
}
