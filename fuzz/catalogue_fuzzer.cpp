// The catalogue strings: the main window's catalogue-bound settings configured and read again
// from mutated texts (captions, registry paths, types, value pairs and lists, options), with
// values of any type at the paths they name. Whatever the texts, nothing crashes and filling
// the settings writes nothing. Only the elements whose entries an input changes are configured,
// and configured again from the real texts afterwards, so each input costs a few elements
// rather than the whole catalogue.
#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <string>
#include <vector>

#include "check.h"
#include "platform/host/catalogue_table.h"
#include "registry/reg_access.h"
#include "window.h"

using namespace vireo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::Window window;
  FuzzedDataProvider in(data, size);
  std::map<int, std::string> originals;
  std::vector<std::string> keys;  // the registry keys the run stored values under
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
    if (registry::SplitPath(text, &where) && where.root != 0 && in.ConsumeBool()) {
      const std::string bytes = in.ConsumeRandomLengthString(16);
      window.memory.Put(where.root, where.key, where.name,
                        in.ConsumeIntegralInRange<std::uint32_t>(0, 7),
                        {bytes.begin(), bytes.end()});
      keys.push_back(text.substr(0, text.find('\\') + 1) + where.key);
    }
  }

  const std::size_t writes = window.Writes();
  // Configuring reads the element once; the re-read is what a refresh and a page switch do.
  for (const auto& [id, text] : originals) window.main->catalogue().ConfigureEntry(id);
  FUZZ_CHECK(window.Writes() == writes);
  FUZZ_CHECK(window.memory.open_handles() == 0);

  for (const auto& [id, text] : originals) window.standins.strings.Set(id, text);
  for (const std::string& key : keys) {
    // The first key below the root goes with all it holds.
    const std::size_t root_end = key.find('\\');
    registry::RegDelete(window.memory, key.substr(0, key.find('\\', root_end + 1)) + "\\");
  }
  // The elements show the real texts and the registry again, as the next input expects.
  for (const auto& [id, text] : originals) window.main->catalogue().ConfigureEntry(id);
  return 0;
}
