// The catalogue strings: the main window's catalogue-bound settings configured and read again
// from mutated texts (captions, registry paths, types, value pairs and lists, options), with
// values of any type at the paths they name. Whatever the texts, nothing crashes and filling
// the settings writes nothing. Only the elements whose entries an input changes are configured,
// and configured again from the real texts afterwards, so each input costs a few elements
// rather than the whole catalogue.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "check.h"
#include "platform/host/catalogue_table.h"
#include "registry/reg_access.h"
#include "window.h"

using namespace vireo;

namespace {

// A value the input put in the registry, and how to take it back: the value it replaced, or the
// first key the put made (which goes with everything below it).
struct Put {
  std::string root_name;  // the path's root as written ("HKCU")
  registry::ValuePath where;
  std::string made;  // the first key made, from the root; empty when the key existed
  bool had = false;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

Put PutValue(platform::MemoryRegistry& memory, const std::string& root_name,
             const registry::ValuePath& where, std::uint32_t type,
             const std::vector<std::uint8_t>& data) {
  Put put{root_name, where, {}, false, 0, {}};
  put.had = memory.Get(where.root, where.key, where.name, &put.type, &put.data);
  for (std::size_t end = 0; put.made.empty() && end != std::string::npos;) {
    end = where.key.find('\\', end + 1);
    if (!memory.Exists(where.root, where.key.substr(0, end))) put.made = where.key.substr(0, end);
  }
  memory.Put(where.root, where.key, where.name, type, data);
  return put;
}

void TakeBack(platform::MemoryRegistry& memory, const Put& put) {
  if (!put.made.empty()) {
    registry::RegDelete(memory, put.root_name + "\\" + put.made + "\\");
  } else if (put.had) {
    memory.Put(put.where.root, put.where.key, put.where.name, put.type, put.data);
  } else {
    registry::RegDelete(memory, put.root_name + "\\" + put.where.key + "\\" + put.where.name);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::Window window;
  FuzzedDataProvider in(data, size);
  std::map<int, std::string> originals;
  std::vector<Put> puts;  // in their order
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
      const auto type = in.ConsumeIntegralInRange<std::uint32_t>(0, 7);
      puts.push_back(PutValue(window.memory, text.substr(0, text.find('\\')), where, type,
                              {bytes.begin(), bytes.end()}));
    }
  }

  const std::size_t writes = window.Writes();
  // Configuring reads the element once; the re-read is what a refresh and a page switch do.
  for (const auto& [id, text] : originals) window.main->catalogue().ConfigureEntry(id);
  FUZZ_CHECK(window.Writes() == writes);
  FUZZ_CHECK(window.memory.open_handles() == 0);

  for (const auto& [id, text] : originals) window.standins.strings.Set(id, text);
  for (auto put = puts.rbegin(); put != puts.rend(); ++put) TakeBack(window.memory, *put);
  // The elements show the real texts and the registry again, as the next input expects.
  for (const auto& [id, text] : originals) window.main->catalogue().ConfigureEntry(id);
  return 0;
}
